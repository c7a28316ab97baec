// parlog-bench [--rounds N] [--server URL] [benchmark flags]: what a user waits for on a
// large register. With --server the sample is copied into that empty PostgreSQL database
// and the benchmarks that only read run against it (filter with --benchmark_filter).
#include "data/backup.h"
#include "data/copy.h"
#include "data/connection.h"
#include "data/divisions.h"
#include "data/importing.h"
#include "data/location.h"
#include "data/rounds.h"
#include "data/rowfeed.h"
#include "data/dialect.h"
#include "data/schema.h"
#include "reports/layouts.h"
#include "reports/paginator.h"
#include "reports/reportpainter.h"
#include "sampledata.h"
#include "competitions/eclectic.h"
#include "stats/handicaprecord.h"
#include "competitions/orderofmerit.h"
#include "competitions/results.h"
#include "stats/season.h"
#include "data/courses.h"
#include "search/criteria.h"
#include "stats/statistics.h"

#include <QGuiApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QUrl>

#include <benchmark/benchmark.h>
#ifdef PARLOG_BENCH_LIBPQ
#include <libpq-fe.h>
#endif
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <cstdlib>
#include <string>

namespace {

QString g_path;
QString g_sampleFile; // the sample as an SQLite file, also when the benchmarks use a server
QString g_player;
// The columns the grouped compact list prints.
QStringList compactColumns()
{
    return parlog::report::fieldColumns(parlog::report::layoutFor(QStringLiteral("DataReport3")));
}

// The most memory the process held while it lives, in MB, as the counter peak_MB: the
// kernel's high-water mark, reset as it starts. That mark counts the register's own
// pages SQLite maps in; heap_MB is the peak of the rest (anonymous memory), sampled.
class PeakMemory {
public:
    explicit PeakMemory(benchmark::State& state)
        : m_state(state)
    {
        if (QFile reset(QStringLiteral("/proc/self/clear_refs")); reset.open(QIODevice::WriteOnly))
            reset.write("5");
        m_before = megabytes("VmRSS:");
        m_sampler = std::thread([this] {
            while (!m_done.load()) {
                m_heap = std::max(m_heap.load(), megabytes("RssAnon:"));
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~PeakMemory()
    {
        m_done = true;
        m_sampler.join();
        m_state.counters["peak_MB"] = megabytes("VmHWM:");
        m_state.counters["rise_MB"] = megabytes("VmHWM:") - m_before;
        m_state.counters["heap_MB"] = m_heap.load();
    }
    static double megabytes(const char* field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith(field))
                return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toDouble() /
                       1024.0;
        return 0;
    }
    PeakMemory(const PeakMemory&) = delete;
    PeakMemory& operator=(const PeakMemory&) = delete;

private:
    benchmark::State& m_state;
    double m_before = 0;
    std::atomic<bool> m_done{false};
    std::atomic<double> m_heap{0};
    std::thread m_sampler;
};

// A benchmark of a register that cannot be opened measures nothing: stop.
void mustOpen(parlog::Connection& c)
{
    if (const parlog::Status opened = c.open(); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        std::exit(1);
    }
}

parlog::Criteria lastYear()
{
    const QDate today = QDate::currentDate();
    return {std::nullopt, std::nullopt, std::nullopt, today.addDays(-366).toString(Qt::ISODate),
            today.addDays(1).toString(Qt::ISODate)};
}

// Every round of the register.
parlog::Criteria everything()
{
    parlog::Criteria all = lastYear();
    all.from = QStringLiteral("1900-01-01");
    return all;
}

void OpenConnection(benchmark::State& state)
{
    for (auto _ : state) {
        parlog::Connection c(g_path);
        benchmark::DoNotOptimize(c.open());
    }
}

void StartUpCheck(benchmark::State& state)
{
    for (auto _ : state) {
        parlog::Connection c(g_path);
        mustOpen(c);
        benchmark::DoNotOptimize(c.checkIntegrity().ok());
    }
}

void HubPlayerList(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::playersWithRounds(c));
}

void BestEverRound(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::rounds::extremeRounds(c, g_player, {}, true));
}

void AverageRound(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::possibleRound(c, g_player, parlog::Possible::Average));
}

void PuttsChart(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::puttsByDate(c, g_player));
}

void SearchLastYear(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto filter = parlog::filterFor(lastYear());
    for (auto _ : state) {
        const auto rows = parlog::rounds::feed(c, *filter, QStringLiteral("net"));
        int n = 0;
        while (rows && (*rows)->hasRow(n))
            ++n;
        state.counters["rows"] = n;
    }
}

void SearchAllGroupedByPlayer(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto filter = parlog::filterFor(everything());
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::groupedSearch(
            c, *filter, QStringLiteral("net"), QStringLiteral("playerID"), compactColumns()));
}

// Every round of the register by net score, as a report of them reads it; nothing
// when it cannot be read, the benchmark stopped with the reason.
std::shared_ptr<parlog::RowFeed> wholeRegisterFeed(benchmark::State& state,
                                                   const QStringList& columns = {})
{
    auto rows = parlog::rounds::feed(parlog::Connection(g_path), *parlog::filterFor(everything()),
                                     QStringLiteral("net"), columns);
    if (!rows) {
        state.SkipWithError(qPrintable(rows.error()));
        return nullptr;
    }
    return *rows;
}

// Every cell of every full card of the register, read as a printed or saved report of
// them reads it (the feed the windows use); beside it the same rows read by SQLite's
// C interface, every cell.
void WholeRegisterFullCards(benchmark::State& state)
{
    PeakMemory peak(state);
    for (auto _ : state) {
        const auto rows = wholeRegisterFeed(state);
        if (!rows)
            break;
        const QStringList columns = rows->columns();
        qint64 cells = 0;
        for (int r = 0; rows->hasRow(r); ++r)
            for (const QString& column : columns)
                cells += rows->value(r, column).isNull() ? 0 : 1;
        state.counters["cells"] = double(cells);
    }
}

void WholeRegisterFullCardsBare(benchmark::State& state)
{
    PeakMemory peak(state);
    if (g_path != g_sampleFile) {
        state.SkipWithError("the bare read is SQLite's");
        return;
    }
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* q = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM score ORDER BY net NULLS FIRST, rowid", -1, &q,
                           nullptr);
        qint64 cells = 0;
        while (sqlite3_step(q) == SQLITE_ROW)
            for (int c = 0, n = sqlite3_column_count(q); c < n; ++c)
                switch (sqlite3_column_type(q, c)) {
                case SQLITE_NULL:
                    break;
                case SQLITE_TEXT:
                    cells += sqlite3_column_bytes(q, c) >= 0 ? 1 : 0;
                    break;
                default:
                    cells += sqlite3_column_int64(q, c) != INT64_MIN ? 1 : 0;
                }
        sqlite3_finalize(q);
        sqlite3_close(db);
        state.counters["cells"] = double(cells);
    }
}

void FirstPageOfTheLastYear(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto layout = parlog::report::layoutFor(QStringLiteral("DataReport5"));
    for (auto _ : state) {
        const auto rows =
            parlog::rounds::feed(c, *parlog::filterFor(lastYear()), QStringLiteral("net"));
        if (!rows) {
            state.SkipWithError(qPrintable(rows.error()));
            break;
        }
        parlog::report::Paginator p(layout, parlog::report::DataSource::fed(*rows),
                                    QDate(2026, 1, 1));
        benchmark::DoNotOptimize(p.page(0).commands.size());
        benchmark::DoNotOptimize(p.pageCount());
        state.counters["rows"] = (*rows)->count();
    }
}

bool onServer()
{
    return g_path != g_sampleFile;
}

// An empty database beside the server's, its name the server's with SUFFIX: made anew.
QString emptyDatabaseBeside(const QString& suffix)
{
    const QString beside = g_path + suffix;
    const QString name = QUrl(beside).path().mid(1);
    parlog::Connection main(g_path);
    mustOpen(main);
    (void)main.run(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
    if (!main.run(QStringLiteral("CREATE DATABASE %1").arg(name)).ok()) {
        std::fprintf(stderr, "%s cannot be made: %s\n", qPrintable(name),
                     qPrintable(main.lastError().text()));
        std::exit(1);
    }
    return beside;
}

// On a server the register itself is changed for a benchmark that needs it changed, its
// rounds kept aside the first time and put back before the next change and at the end.
void putBackTheServersRounds()
{
    parlog::Connection c(g_path);
    mustOpen(c);
    const char* const statements[] = {
        "CREATE TABLE IF NOT EXISTS parlog_bench_kept AS SELECT * FROM score", "DELETE FROM score",
        "INSERT INTO score SELECT * FROM parlog_bench_kept"};
    for (const char* statement : statements)
        if (!c.run(QString::fromLatin1(statement)).ok()) {
            std::fprintf(stderr, "%s: %s\n", statement, qPrintable(c.lastError().text()));
            std::exit(1);
        }
}

// A fresh copy of the register for a benchmark that changes it; on a server, the
// register with its rounds put back.
QString freshCopy(benchmark::State& state)
{
    state.PauseTiming();
    if (onServer()) {
        putBackTheServersRounds();
        state.ResumeTiming();
        return g_path;
    }
    const QString copy = g_path + QStringLiteral(".work");
    QFile::remove(copy);
    QFile::remove(copy + QStringLiteral("-journal"));
    QDir(QFileInfo(copy).dir().filePath(QStringLiteral("backups"))).removeRecursively();
    QFile::copy(g_path, copy);
    state.ResumeTiming();
    return copy;
}

// A copy of the sample file beside it, changed by one statement, for a benchmark that
// needs rounds the sample does not make.
QString changedCopy(const QString& suffix, const char* change, const char* onAServer = nullptr)
{
    if (onServer()) {
        putBackTheServersRounds();
        parlog::Connection c(g_path);
        mustOpen(c);
        QString statements = QString::fromLatin1(onAServer ? onAServer : change);
        statements.replace(QStringLiteral("rowid"), QStringLiteral("id"));
        for (const QString& statement : statements.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (!c.run(statement).ok()) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(statement),
                             qPrintable(c.lastError().text()));
                std::exit(1);
            }
        return g_path;
    }
    const QString copy = g_path + suffix;
    QFile::remove(copy);
    QFile::copy(g_path, copy);
    sqlite3* db = nullptr;
    sqlite3_open(copy.toUtf8().constData(), &db);
    sqlite3_exec(db, change, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return copy;
}

const char* const kDeleteAll =
    "DELETE FROM score WHERE strdate BETWEEN '1900-01-01' AND '2100-01-01'";

// The same deletion through SQLite alone, as sqlite3 would run it.
void DeleteAllBareSqlite(benchmark::State& state)
{
    if (onServer()) {
        state.SkipWithError("the bare deletion is SQLite's");
        return;
    }
    const bool bigCache = state.range(0) != 0;
    for (auto _ : state) {
        const QString copy = freshCopy(state);
        sqlite3* db = nullptr;
        sqlite3_open(copy.toUtf8().constData(), &db);
        sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
        if (bigCache)
            sqlite3_exec(db, "PRAGMA cache_size = -500000", nullptr, nullptr, nullptr);
        sqlite3_exec(db, kDeleteAll, nullptr, nullptr, nullptr);
        state.counters["deleted"] = sqlite3_changes(db);
        sqlite3_close(db);
    }
}

// The round deletion window's work: its progress asked now and then; with the backup
// before it, as the window does it, or the deletion alone.
void DeleteAllParlog(benchmark::State& state)
{
    const bool backup = state.range(0) != 0;
    struct Gaps : parlog::Progress {
        QElapsedTimer clock;
        qint64 longest = 0;
        bool carryOn(long long, long long) override
        {
            longest = std::max(longest, clock.restart());
            return true;
        }
    };
    for (auto _ : state) {
        const QString copy = freshCopy(state);
        parlog::Connection c(copy);
        mustOpen(c);
        Gaps gaps;
        gaps.clock.start();
        if (backup) {
            const auto copied = parlog::backupRegister(c, &gaps);
            if (!copied) {
                state.SkipWithError(qPrintable(copied.error()));
                break;
            }
        }
        const auto deleted = parlog::rounds::remove(c, *parlog::filterFor(everything()), &gaps);
        state.counters["deleted"] = deleted ? *deleted : -1;
        state.counters["longest_gap_ms"] = double(gaps.longest);
    }
}

// A backup of the whole register restored into the register with every round gone:
// every card read, weighed against what the target holds and stored.
void RestoreWholeRegister(benchmark::State& state)
{
    PeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        const QString emptied = changedCopy(QStringLiteral(".emptied"), "DELETE FROM score");
        state.ResumeTiming();
        const auto restored = parlog::restoreRounds(g_sampleFile, emptied);
        if (!restored) {
            state.SkipWithError(qPrintable(restored.error()));
            break;
        }
        state.counters["restored"] = restored->restored;
    }
}

// A report of 2,500 pages saved as PDF, and the longest the window goes unpainted.
void PdfOf2500Pages(benchmark::State& state)
{
    parlog::Rows list{{QStringLiteral("playername"), QStringLiteral("membership")}, {}};
    for (int i = 0; i < 2500 * 47; ++i)
        list.rows << QVariantList{QStringLiteral("Player %1").arg(i), i};
    const auto players = parlog::report::DataSource::of(list);
    struct Gaps : parlog::Progress {
        QElapsedTimer clock;
        qint64 longest = 0;
        bool carryOn(long long, long long) override
        {
            longest = std::max(longest, clock.restart());
            return true;
        }
    };
    QTemporaryDir dir;
    for (auto _ : state) {
        parlog::report::Paginator pages(parlog::report::layoutFor(QStringLiteral("DataReport1")),
                                        players, QDate(2026, 1, 1));
        Gaps gaps;
        gaps.clock.start();
        (void)parlog::report::writePdf(pages, dir.filePath(QStringLiteral("big.pdf")), &gaps);
        state.counters["pages"] = pages.pageCount();
        state.counters["longest_gap_ms"] = double(gaps.longest);
    }
}

// A save while another program holds the file: how long until Parlog says so.
void SaveWhileFileIsHeld(benchmark::State& state)
{
    sqlite3* other = nullptr;
    sqlite3_open(g_path.toUtf8().constData(), &other);
    sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::divisions::add(c, QStringLiteral("Held")).ok());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}

// The whole register as full cards: from Open to the first page, read as the report
// reads it; and the count of its pages after that.
void WholeRegisterFirstPage(benchmark::State& state)
{
    PeakMemory peak(state);
    const auto layout = parlog::report::layoutFor(QStringLiteral("DataReport6"));
    for (auto _ : state) {
        const auto rows = wholeRegisterFeed(state);
        if (!rows)
            break;
        parlog::report::Paginator p(layout, parlog::report::DataSource::fed(rows),
                                    QDate(2026, 1, 1));
        benchmark::DoNotOptimize(p.page(0).commands.size());
    }
}

void WholeRegisterPageCount(benchmark::State& state)
{
    PeakMemory peak(state);
    const auto layout = parlog::report::layoutFor(QStringLiteral("DataReport5"));
    for (auto _ : state) {
        const auto rows = wholeRegisterFeed(state, parlog::report::fieldColumns(layout));
        if (!rows)
            break;
        parlog::report::Paginator p(layout, parlog::report::DataSource::fed(rows),
                                    QDate(2026, 1, 1));
        benchmark::DoNotOptimize(p.page(0).commands.size());
        state.counters["pages"] = p.pageCount();
    }
}

#ifdef PARLOG_BENCH_LIBPQ
// The page count's statements through libpq alone, as psql or pgbench would send them:
// the same connection, the same prepared keyset trips in the same order, every key read.
void WholeRegisterPageCountBare(benchmark::State& state)
{
    if (!onServer()) {
        state.SkipWithError("the bare page count is PostgreSQL's");
        return;
    }
    const auto filter = parlog::filterFor(everything());
    const QByteArray from = filter->from.toUtf8();
    const QByteArray to = filter->to.toUtf8();
    const QByteArray url = g_path.toUtf8();
    const QByteArray select = "SELECT id, net FROM score WHERE strdate BETWEEN $1 AND $2";
    const QByteArray order = " ORDER BY net NULLS FIRST, id LIMIT ";
    const QByteArray statements[3] = {
        select + order + "256", select + " AND (net, id) > ($3, $4)" + order + "32768",
        select + " AND ((net IS NULL AND id > $3) OR net IS NOT NULL)" + order + "32768"};
    for (auto _ : state) {
        PGconn* db = PQconnectdb(url.constData());
        if (PQstatus(db) != CONNECTION_OK) {
            state.SkipWithError(PQerrorMessage(db));
            PQfinish(db);
            break;
        }
        for (int s = 0; s < 3; ++s)
            PQclear(PQprepare(db, ("k" + std::to_string(s)).c_str(), statements[s].constData(), 0,
                              nullptr));
        long long keys = 0;
        long long lastKey = 0;
        std::string lastKeyText;
        std::string lastOrder;
        bool lastNull = false;
        for (int trip = 0;; ++trip) {
            const int s = trip == 0 ? 0 : lastNull ? 2 : 1;
            const char* values[4] = {from.constData(), to.constData(),
                                     lastNull ? lastKeyText.c_str() : lastOrder.c_str(),
                                     lastKeyText.c_str()};
            PGresult* r = PQexecPrepared(db, ("k" + std::to_string(s)).c_str(),
                                         s == 0 ? 2 : s == 1 ? 4 : 3, values, nullptr, nullptr, 0);
            const int rows = PQntuples(r);
            for (int i = 0; i < rows; ++i) {
                lastKey = std::strtoll(PQgetvalue(r, i, 0), nullptr, 10);
                lastNull = PQgetisnull(r, i, 1) != 0;
                lastOrder = PQgetvalue(r, i, 1);
            }
            if (rows > 0)
                lastKeyText = std::to_string(lastKey);
            PQclear(r);
            keys += rows;
            if (rows < (trip == 0 ? 256 : 32768))
                break;
        }
        PQfinish(db);
        state.counters["keys"] = double(keys);
    }
}
#endif

// From starting the program to its first window painted, on the sample register:
// Parlog's menu beside a bare Qt program that opens the same file and shows a window
// with a menu bar, the two started in turn, 25 times each.
void FirstWindow(benchmark::State& state)
{
    if (onServer()) {
        state.SkipWithError("the first window is timed on the file");
        return;
    }
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PARLOG_QUIT_AT_FIRST_PAINT"), QStringLiteral("1"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")));
    const auto timed = [&](const QString& program, const QStringList& arguments) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        child.start(program, arguments);
        if (!child.waitForFinished(60000) || child.exitCode() != 0)
            return -1.0;
        return clock.nsecsElapsed() / 1e6;
    };
    std::vector<double> bare;
    std::vector<double> ours;
    for (auto _ : state) {
        for (int turn = 0; turn < 25; ++turn) {
            bare.push_back(timed(QStringLiteral(PARLOG_BARE_WINDOW), {g_path}));
            ours.push_back(
                timed(QStringLiteral(PARLOG_PROGRAM), {QStringLiteral("--database"), g_path}));
        }
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    if (std::count(bare.begin(), bare.end(), -1.0) + std::count(ours.begin(), ours.end(), -1.0)) {
        state.SkipWithError("a program did not start and end by itself");
        return;
    }
    // The fastest start too: on a busy machine only noise makes a start slower.
    const double bareFastest = *std::min_element(bare.begin(), bare.end());
    const double oursFastest = *std::min_element(ours.begin(), ours.end());
    state.counters["bare_ms"] = median(bare);
    state.counters["parlog_ms"] = median(ours);
    state.counters["ratio"] = median(ours) / median(bare);
    state.counters["bare_min_ms"] = bareFastest;
    state.counters["parlog_min_ms"] = oursFastest;
    state.counters["min_ratio"] = oursFastest / bareFastest;
}

// Start-up: what the menu waits for (opening and checking what the file is), beside
// the integrity check that now runs behind it.
void StartUpBeforeTheMenu(benchmark::State& state)
{
    for (auto _ : state) {
        parlog::Connection c(g_path);
        benchmark::DoNotOptimize(c.open().ok());
    }
}

// The results of a competition of 2,000 cards: its cards read and ranked.
// The same field as a Stableford: every card scored hole by hole against its course.
void RankA2000CardStableford(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(changedCopy(QStringLiteral(".stableford"),
                                     "UPDATE score SET comp = 'Club Stableford', strdate = "
                                     "'2026-06-06' WHERE rowid % 125 = 0"));
    mustOpen(c);
    for (auto _ : state) {
        const auto cards = parlog::rounds::competitionCards(c, QStringLiteral("Club Stableford"),
                                                            QStringLiteral("2026-06-06"),
                                                            QStringLiteral("2026-06-06"));
        const auto book = parlog::courseBook(c, *cards);
        parlog::competitions::Settings stableford;
        stableford.format = parlog::competitions::Format::Stableford;
        const auto placings = parlog::rankCompetition(*cards, parlog::rankingOf(stableford), *book);
        state.counters["cards"] = double(placings.size());
    }
}

// A four-ball better-ball Stableford of 500 sides: 1,000 cards, each side two players'.
void RankFourBallOf500Sides(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(changedCopy(QStringLiteral(".fourball"),
                                     "UPDATE score SET comp = 'Fourball', strdate = "
                                     "'2026-06-06' WHERE rowid % 250 = 0"));
    mustOpen(c);
    parlog::competitions::Settings fourball{QStringLiteral("Fourball"),
                                            QStringLiteral("2026-06-06")};
    fourball.format = parlog::competitions::Format::Stableford;
    fourball.team = parlog::golf::TeamFormat::FourBall;
    QList<parlog::competitions::Side> sides;
    {
        const auto cards =
            parlog::rounds::competitionCards(c, fourball.name, fourball.date, fourball.date);
        const qsizetype player = cards->column(QStringLiteral("playerID"));
        for (qsizetype r = 0; r + 1 < cards->rows.size(); r += 2)
            sides.append(
                {{}, {cards->rows[r][player].toString(), cards->rows[r + 1][player].toString()}});
    }
    for (auto _ : state) {
        const auto cards =
            parlog::rounds::competitionCards(c, fourball.name, fourball.date, fourball.date);
        const auto book = parlog::courseBook(c, *cards);
        const auto placings = parlog::rankCompetition(
            *cards, parlog::rankingOf(fourball, parlog::Basis::Net, {}, sides), *book);
        state.counters["sides"] = double(placings.size());
    }
}

// Every player's Handicap Index, built score by score from all their cards.
void EveryPlayersIndex(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state) {
        const auto indexes = parlog::everyIndex(c);
        state.counters["players"] = double(indexes ? indexes->size() : 0);
    }
}

// One player's record as the record window reads it.
void OnePlayersRecord(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state) {
        const auto record = parlog::handicapRecord(c, g_player);
        state.counters["cards"] = double(record ? record->lines.size() : 0);
    }
}

// A season of 30 competitions of about 2,000 cards each, every one ranked, and the order
// of merit made of them.
void OrderOfMeritOf30Events(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(changedCopy(
        QStringLiteral(".season"),
        "UPDATE score SET comp = NULL WHERE strdate LIKE '2025-%'; UPDATE score SET comp = "
        "'Event ' || ((rowid / 4) % 30), strdate = date('2025-03-01', '+' || (7 * ((rowid / 4) % "
        "30)) || "
        "' days') WHERE rowid % 4 = 0",
        "UPDATE score SET comp = NULL WHERE strdate LIKE '2025-%'; UPDATE score SET comp = "
        "'Event ' || ((id / 4) % 30), strdate = to_char(date '2025-03-01' + 7 * ((id / 4) % "
        "30)::int, "
        "'YYYY-MM-DD') WHERE id % 4 = 0"));
    mustOpen(c);
    parlog::seasons::Season season;
    season.from = QStringLiteral("2025-01-01");
    season.to = QStringLiteral("2025-12-31");
    season.bestOf = 10;
    for (auto _ : state) {
        const auto table = parlog::orderOfMerit(c, season);
        state.counters["events"] = double(table ? table->events.size() : 0);
        state.counters["players"] = double(table ? table->lines.size() : 0);
    }
}

// The eclectic of the busiest course over a year.
void EclecticOverAYear(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(g_path);
    mustOpen(c);
    const QString course = parlog::rounds::values(c, QStringLiteral("course"))->value(0);
    for (auto _ : state) {
        const auto lines = parlog::eclectic(c, course, QStringLiteral("2025-01-01"),
                                            QStringLiteral("2025-12-31"), parlog::Basis::Net, 0.5);
        state.counters["players"] = double(lines ? lines->size() : 0);
    }
}

void RankA2000CardCompetition(benchmark::State& state)
{
    PeakMemory peak(state);
    parlog::Connection c(changedCopy(QStringLiteral(".championship"),
                                     "UPDATE score SET comp = 'Club Championship', strdate = "
                                     "'2026-06-06' WHERE rowid % 125 = 0"));
    mustOpen(c);
    for (auto _ : state) {
        const auto cards = parlog::rounds::competitionCards(c, QStringLiteral("Club Championship"),
                                                            QStringLiteral("2026-06-06"),
                                                            QStringLiteral("2026-06-06"));
        const auto placings = parlog::rankCards(*cards, parlog::Basis::Net);
        state.counters["cards"] = double(placings.size());
    }
}

// The season figures of a player with 5,000 rounds, over all of them, each card with its
// holes' putts, penalties and bunkers.
void SeasonOf5000Rounds(benchmark::State& state)
{
    PeakMemory peak(state);
    QByteArray detail = "UPDATE score SET playerID = 'Keen Golfer'";
    QByteArray onAServer = detail;
    for (int h = 1; h <= 18; ++h) {
        detail += QStringLiteral(", P%1 = min(hole%1, 2), X%1 = hole%1 / 7, B%1 = hole%1 % 3 = 0")
                      .arg(h)
                      .toLatin1();
        onAServer += QStringLiteral(", P%1 = least(hole%1, 2), X%1 = hole%1 / 7, B%1 = "
                                    "(hole%1 % 3 = 0)::int")
                         .arg(h)
                         .toLatin1();
    }
    detail += " WHERE rowid % 50 = 0";
    onAServer += " WHERE id % 50 = 0";
    parlog::Connection c(
        changedCopy(QStringLiteral(".season"), detail.constData(), onAServer.constData()));
    mustOpen(c);
    for (auto _ : state) {
        const auto rounds = parlog::rounds::seasonCards(c, QStringLiteral("Keen Golfer"),
                                                        QStringLiteral("1900-01-01"),
                                                        QStringLiteral("2100-01-01"), {});
        const auto figures = parlog::seasonFigures(*rounds, *parlog::courses::pars(c));
        state.counters["rounds"] = figures.rounds;
    }
}

// Takes a register back to data version 3: what came later dropped, as a register
// written before the per-hole detail was.
bool makeVersion3(parlog::Connection& c)
{
    namespace schema = parlog::schema;
    const bool sqlite = c.dialect().roundKey() == QStringLiteral("rowid");
    QStringList statements;
    for (const schema::Index& index : schema::indexes())
        if (index.since > 3)
            statements << QStringLiteral("DROP INDEX IF EXISTS %1").arg(index.name);
    for (const schema::Table* table : schema::tables()) {
        if (table->since > 3) {
            statements << QStringLiteral("DROP TABLE IF EXISTS %1").arg(table->name);
            continue;
        }
        for (const schema::Column& column : table->columns)
            if (column.since > 3)
                statements << QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                                  .arg(table->name, column.name);
    }
    statements << (sqlite ? QStringLiteral("PRAGMA user_version = 3")
                          : QStringLiteral("UPDATE parlog_meta SET version = 3"));
    for (const QString& statement : statements)
        if (!c.run(statement).ok()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(statement),
                         qPrintable(c.lastError().text()));
            return false;
        }
    return true;
}

// The tables that lost columns, made again with only those they keep, as version 3
// made them: the server keeps a dropped column in its catalog and in every row, and
// every row read is rebuilt around it.
bool withoutDroppedColumns(parlog::Connection& c)
{
    const auto run = [&c](const QString& statement) {
        parlog::Statement done = c.run(statement);
        if (!done.ok())
            std::fprintf(stderr, "%s: %s\n", qPrintable(statement),
                         qPrintable(c.lastError().text()));
        return done;
    };
    const auto column = [&run](const QString& query) {
        QStringList values;
        parlog::Statement q = run(query);
        while (q.next())
            values << q.value(0).toString();
        return values;
    };
    for (const QString& table : column(QStringLiteral(
             "SELECT DISTINCT c.relname FROM pg_attribute a JOIN pg_class c ON c.oid = "
             "a.attrelid WHERE a.attisdropped AND c.relnamespace = "
             "to_regnamespace(current_schema())"))) {
        if (!run(QStringLiteral("ALTER TABLE %1 RENAME TO %1_old").arg(table)).ok() ||
            !run(QStringLiteral("CREATE TABLE %1 (LIKE %1_old INCLUDING ALL)").arg(table)).ok())
            return false;
        // The copied indexes under the names the register gives them, made once the rows
        // are in.
        QStringList statements;
        for (const QString& copied :
             column(QStringLiteral(
                        "SELECT indexrelid::regclass FROM pg_index WHERE indrelid = '%1'::regclass "
                        "AND NOT indisprimary")
                        .arg(table)))
            statements << QStringLiteral("DROP INDEX %1").arg(copied);
        statements << QStringLiteral("INSERT INTO %1 SELECT * FROM %1_old").arg(table)
                   << QStringLiteral("DROP TABLE %1_old").arg(table);
        for (const QString& key :
             column(QStringLiteral("SELECT attname FROM pg_attribute WHERE attrelid = "
                                   "'%1'::regclass AND attidentity <> ''")
                        .arg(table)))
            statements << c.dialect().afterCopy(table, key);
        for (const parlog::schema::Index& index : parlog::schema::indexes())
            if (index.table == table && index.since <= 3)
                statements << QStringLiteral("CREATE INDEX %1 ON %2 (%3 NULLS FIRST)")
                                  .arg(index.name, table,
                                       index.columns.join(QStringLiteral(" NULLS FIRST, ")));
        for (const QString& statement : statements)
            if (!run(statement).ok())
                return false;
    }
    return run(QStringLiteral("VACUUM ANALYZE")).ok();
}

// The upgrade done bare, in milliseconds (-1: it failed): the copy first (SQLite's
// online backup of the file; on a server, each table copied by the server into a schema
// of its own in one transaction, through libpq), then the same statements in one
// transaction.
double bareUpgrade(const QString& location, const QStringList& statements)
{
    QElapsedTimer took;
    took.start();
    if (parlog::serverAddress(location)) {
#ifdef PARLOG_BENCH_LIBPQ
        PGconn* db = PQconnectdb(location.toUtf8().constData());
        const auto run = [db](const QByteArray& sql) {
            PGresult* r = PQexec(db, sql.constData());
            const bool ok =
                PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
            if (!ok)
                std::fprintf(stderr, "%s: %s\n", sql.constData(), PQerrorMessage(db));
            PQclear(r);
            return ok;
        };
        bool ok = PQstatus(db) == CONNECTION_OK && run("BEGIN ISOLATION LEVEL REPEATABLE READ") &&
                  run("CREATE SCHEMA bare_copy");
        PGresult* tables = PQexec(db, "SELECT relname FROM pg_class WHERE relnamespace = "
                                      "to_regnamespace(current_schema()) AND relkind = 'r'");
        for (int i = 0; ok && i < PQntuples(tables); ++i)
            ok = run(QByteArray("CREATE TABLE bare_copy.") + PQgetvalue(tables, i, 0) +
                     " AS TABLE " + PQgetvalue(tables, i, 0));
        PQclear(tables);
        ok = ok && run("COMMIT") && run("BEGIN");
        for (const QString& statement : statements)
            ok = ok && run(statement.toUtf8());
        ok = ok && run("COMMIT");
        PQfinish(db);
        return ok ? double(took.nsecsElapsed()) / 1e6 : -1;
#else
        return -1;
#endif
    }
    sqlite3* db = nullptr;
    sqlite3* copy = nullptr;
    bool ok =
        sqlite3_open(location.toUtf8().constData(), &db) == SQLITE_OK &&
        sqlite3_open((location + QStringLiteral(".bare")).toUtf8().constData(), &copy) == SQLITE_OK;
    if (sqlite3_backup* backup = ok ? sqlite3_backup_init(copy, "main", db, "main") : nullptr) {
        ok = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        sqlite3_backup_finish(backup);
    }
    sqlite3_close(copy);
    ok = ok && sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    for (const QString& statement : statements)
        ok = ok && sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, nullptr) ==
                       SQLITE_OK;
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok ? double(took.nsecsElapsed()) / 1e6 : -1;
}

// The sample register as data version 3 left it, opened and brought up to this version:
// its backup, the columns and tables added since, the new mark; bare_ms, the same copy
// and statements done bare on a fresh copy in the same run. On a server, a database
// beside the one named made afresh for each run from a version 3 one made once (columns
// dropped and added again in one table would pile up in the server's catalog).
void UpgradeFromVersion3(benchmark::State& state)
{
    PeakMemory peak(state);
    const bool server = onServer();
    const QString older =
        server ? g_path + QStringLiteral("_older") : g_sampleFile + QStringLiteral(".v3");
    const QString made = older + (server ? QStringLiteral("_made") : QStringLiteral(".made"));
    const auto database = [](const QString& url) { return QUrl(url).path().mid(1); };
    if (server) {
        parlog::Connection main(g_path);
        mustOpen(main);
        (void)main.run(QStringLiteral("CREATE DATABASE %1").arg(database(made)));
        parlog::Connection c(made);
        if (!c.open(parlog::Connection::Check::None, parlog::Connection::Missing::Create,
                    parlog::Connection::Upgrade::No)) {
            state.SkipWithError("the database beside the server's cannot be made");
            return;
        }
        const auto held = parlog::rounds::count(c, *parlog::filterFor(everything()));
        const bool ready = held && *held > 0 && c.version() == 3;
        c.close();
        if (!ready) {
            if (!parlog::copyRegister(g_sampleFile, made)) {
                state.SkipWithError("the sample cannot be copied to the server");
                return;
            }
            parlog::Connection v3(made);
            if (!v3.open() || !makeVersion3(v3) || !withoutDroppedColumns(v3)) {
                state.SkipWithError("version 3 cannot be made");
                return;
            }
        }
    } else {
        QFile::remove(made);
        QFile::copy(g_sampleFile, made);
        parlog::Connection c(made);
        mustOpen(c);
        if (!makeVersion3(c)) {
            state.SkipWithError("version 3 cannot be made");
            return;
        }
    }
    // A fresh copy of the version 3 register where the upgrade is made.
    const auto fresh = [&]() -> QString {
        if (!server) {
            QFile::remove(older);
            QFile::remove(older + QStringLiteral(".bare"));
            return QFile::copy(made, older) ? QString() : QStringLiteral("no copy of version 3");
        }
        parlog::Connection main(g_path);
        mustOpen(main);
        if (!main.run(
                     QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(database(older)))
                 .ok() ||
            !main.run(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2")
                          .arg(database(older), database(made)))
                 .ok())
            return main.lastError().text();
        return {};
    };
    const QStringList statements = parlog::Connection(older).dialect().upgradeStatements(3);
    double bare = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (const QString why = fresh(); !why.isEmpty()) {
            state.SkipWithError(qPrintable(why));
            break;
        }
        state.ResumeTiming();
        {
            parlog::Connection c(older);
            const parlog::Status opened = c.open();
            if (!opened) {
                state.SkipWithError(qPrintable(opened.error()));
                break;
            }
            state.counters["version"] = c.version();
        }
        // The same copy and statements, bare, on a fresh copy again.
        state.PauseTiming();
        if (const QString why = fresh(); !why.isEmpty()) {
            state.SkipWithError(qPrintable(why));
            break;
        }
        const double took = bareUpgrade(older, statements);
        if (took < 0) {
            state.SkipWithError("the bare upgrade failed");
            break;
        }
        bare += took;
        state.ResumeTiming();
    }
    if (state.iterations() > 0 && bare > 0)
        state.counters["bare_ms"] = bare / double(state.iterations());
}

// The sqlite3 shell's import of a file of cards into the register's own table: the
// file read into a table of texts, then every row stored with its empty fields empty,
// each column where Parlog's import puts it. A script for the shell.
QString shellImport(const QString& file)
{
    namespace importing = parlog::importing;
    const auto opened = importing::open(file, importing::Kind::Rounds);
    if (!opened)
        return {};
    const QList<importing::Field> fields = importing::fieldsOf(importing::Kind::Rounds);
    QStringList staged, columns, values;
    for (qsizetype c = 0; c < opened->header.size(); ++c)
        staged << QStringLiteral("c%1 TEXT").arg(c);
    for (qsizetype f = 0; f < fields.size(); ++f)
        if (const int c = opened->columns.value(f, -1); c >= 0) {
            columns << fields[f].column;
            values << QStringLiteral("nullif(c%1, '')").arg(c);
        }
    return QStringLiteral(".bail on\nCREATE TEMP TABLE staged (%1);\n.import --csv --skip 1 %2 "
                          "staged\nBEGIN;\nINSERT INTO score (%3) SELECT %4 FROM staged;\n"
                          "COMMIT;\n")
        .arg(staged.join(u", "), file, columns.join(u", "), values.join(u", "));
}

// Every card of the register, as Parlog exports them, into a register that has its
// players and courses and no cards: opened, judged card by card, backed up and stored;
// with 1, the same file read by the sqlite3 shell into the same table, bare.
void ImportOfEveryRound(benchmark::State& state)
{
    PeakMemory peak(state);
    namespace importing = parlog::importing;
    const bool bare = state.range(0) != 0;
    if (bare && onServer()) {
        state.SkipWithError("the bare import is the sqlite3 shell's");
        return;
    }
    QTemporaryDir dir;
    const auto file = [&dir](importing::Kind kind) {
        return dir.filePath(QStringLiteral("%1.csv").arg(int(kind)));
    };
    {
        parlog::Connection c(g_path);
        mustOpen(c);
        for (const auto kind :
             {importing::Kind::Players, importing::Kind::Courses, importing::Kind::Rounds})
            if (const parlog::Status written = importing::exportRegister(c, kind, file(kind));
                !written) {
                state.SkipWithError(qPrintable(written.error()));
                return;
            }
    }
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString empty = onServer() ? emptyDatabaseBeside(QStringLiteral("_import"))
                                         : dir.filePath(QStringLiteral("empty%1.mdb").arg(++run));
        parlog::Connection target(empty);
        mustOpen(target);
        for (const auto kind : {importing::Kind::Players, importing::Kind::Courses})
            (void)importing::store(target, kind, *importing::open(file(kind), kind), false);
        if (bare) {
            target.close();
            QProcess shell;
            shell.start(QStringLiteral("sqlite3"), {empty});
            const QByteArray script = shellImport(file(importing::Kind::Rounds)).toUtf8();
            state.ResumeTiming();
            shell.write(script);
            shell.closeWriteChannel();
            if (!shell.waitForFinished(-1) || shell.exitCode() != 0) {
                state.SkipWithError(
                    qPrintable(QStringLiteral("sqlite3: %1 %2")
                                   .arg(shell.errorString(),
                                        QString::fromUtf8(shell.readAllStandardError()))));
                return;
            }
            state.PauseTiming();
            parlog::Connection c(empty);
            mustOpen(c);
            state.counters["rounds"] =
                double(*parlog::rounds::count(c, *parlog::filterFor(everything())));
            state.ResumeTiming();
            continue;
        }
        state.ResumeTiming();
        const auto opened = importing::open(file(importing::Kind::Rounds), importing::Kind::Rounds);
        const auto done = opened
                              ? importing::store(target, importing::Kind::Rounds, *opened, false)
                              : parlog::Result<importing::Summary>(parlog::Failure{opened.error()});
        if (!done) {
            state.SkipWithError(qPrintable(done.error()));
            return;
        }
        state.counters["rounds"] = done->stored;
    }
}

} // namespace

BENCHMARK(UpgradeFromVersion3)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SeasonOf5000Rounds)->Unit(benchmark::kMillisecond);
BENCHMARK(RankA2000CardCompetition)->Unit(benchmark::kMillisecond);
BENCHMARK(RankA2000CardStableford)->Unit(benchmark::kMillisecond);
BENCHMARK(RankFourBallOf500Sides)->Unit(benchmark::kMillisecond);
BENCHMARK(OrderOfMeritOf30Events)->Unit(benchmark::kMillisecond);
BENCHMARK(EclecticOverAYear)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportOfEveryRound)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(EveryPlayersIndex)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(OnePlayersRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpBeforeTheMenu)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstWindow)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(WholeRegisterFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRegisterPageCount)->Unit(benchmark::kMillisecond)->Iterations(2);
#ifdef PARLOG_BENCH_LIBPQ
BENCHMARK(WholeRegisterPageCountBare)->Unit(benchmark::kMillisecond)->Iterations(2);
#endif
BENCHMARK(SaveWhileFileIsHeld)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(PdfOf2500Pages)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(RestoreWholeRegister)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(DeleteAllBareSqlite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(DeleteAllParlog)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(OpenConnection)->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(HubPlayerList)->Unit(benchmark::kMillisecond);
BENCHMARK(BestEverRound)->Unit(benchmark::kMillisecond);
BENCHMARK(AverageRound)->Unit(benchmark::kMillisecond);
BENCHMARK(PuttsChart)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchLastYear)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchAllGroupedByPlayer)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeRegisterFullCards)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(WholeRegisterFullCardsBare)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(FirstPageOfTheLastYear)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[])
{
    // Fonts for the PDF: a GUI application, with no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qt(argc, argv);
    parlog::tools::SampleSizes sizes;
    sizes.rounds = 250000;
    sizes.players = 200;
    sizes.courses = 30;
    sizes.years = 30;
    QString server;
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) == "--rounds")
            sizes.rounds = QByteArray(argv[i + 1]).toInt();
        if (QByteArray(argv[i]) == "--server")
            server = QString::fromLocal8Bit(argv[i + 1]);
    }
    QTemporaryDir dir;
    g_path = dir.filePath(QStringLiteral("parlog.mdb"));
    g_sampleFile = g_path;
    const QString error = parlog::tools::writeSampleDatabase(g_path, sizes);
    if (!error.isEmpty()) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (!server.isEmpty()) {
        // A server that already holds rounds is used as it stands: the copy takes minutes.
        parlog::Connection target(server);
        mustOpen(target);
        const auto held = parlog::rounds::count(target, *parlog::filterFor(everything()));
        target.close();
        if (!held || *held == 0) {
            if (const auto copied = parlog::copyRegister(g_path, server); !copied) {
                fprintf(stderr, "%s\n", qPrintable(copied.error()));
                return 1;
            }
        }
        g_path = server;
    }
    parlog::Connection c(g_path);
    mustOpen(c);
    g_player = parlog::playersWithRounds(c)->value(0);
    c.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (onServer())
        putBackTheServersRounds();
    return 0;
}
