// Every command that writes, each run in a process of its own, against every register a
// user or an attacker can hand it. Whatever each does, the register is as it was unless
// it says it succeeded, a refusal says why, nothing is left beside the register, and a
// refusal spends no backup slot. A new writer joins the table with the commit that adds it.
#include "data/backup.h"
#include "data/connection.h"
#include "data/importing.h"
#include "data/schema.h"
#include "sampledata.h"

#include "execon.h"
#include "pgserver.h"
#include "testmain.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/resource.h>
#include <csignal>
#include <unistd.h>

using namespace parlog;
using parlog::test::execOn;

namespace {

// What a register can be when a writer meets it.
enum Hostile {
    Itself,        // the writer's file is the register (a CLI option's FILE or TARGET)
    Link,          // the same, through a link to it
    DamagedTable,  // a leaf page of the rounds scribbled over
    DamagedIndex,  // a leaf page of an index of the rounds
    DamagedHeader, // the file's first bytes
    Older,         // of data version 3
    ReadOnly,
    Held, // locked by another process, for a while
    Missing,
    FullDisk, // no file may grow past 512 bytes
    Twice,    // the same command twice at the same moment
    kHostiles
};
const char* const kHostileNames[] = {"itself",
                                     "a link to it",
                                     "a damaged table",
                                     "a damaged index",
                                     "a damaged header",
                                     "older",
                                     "read-only",
                                     "held",
                                     "missing",
                                     "a full disk",
                                     "twice"};

enum class Expect { NotApplicable, Works, Refused, Either };

// The files a cell works on.
struct Paths {
    QString dir;
    QString data;   // the register
    QString link;   // a link to it
    QString out;    // where a file or a copy goes
    QString rounds; // a rounds file, five of its cards not in the register
    QString backup; // a register with five rounds the register lacks
};

struct Writer {
    QString name;
    bool cli = false; // parlog itself; else the helper with the window's use case
    // The arguments for a column: the register in place of what it is given for Itself
    // and Link.
    std::function<QStringList(const Paths&, Hostile)> arguments;
    QList<Expect> expect; // by column
    bool older = false;   // every column's register of data version 3 (the upgrade's row)
    int adds = 0;         // rounds it adds, once however often it runs
};

// Columns: itself, link, table, index, header, older, read-only, held, missing, full, twice.
using E = Expect;
constexpr E NA = E::NotApplicable, W = E::Works, R = E::Refused, Ei = E::Either;

QList<Writer> writers()
{
    const auto helper = [](const char* what) {
        return [what](const Paths& p, Hostile) {
            return QStringList{QString::fromLatin1(what), p.data};
        };
    };
    const QList<Expect> saves{NA, NA, R, R, R, W, R, Ei, R, R, Ei};
    QList<Writer> list{
        {QStringLiteral("--import"),
         true,
         [](const Paths& p, Hostile h) {
             const QString file = h == Itself ? p.data : h == Link ? p.link : p.rounds;
             return QStringList{"--import", file, "rounds", "--database", p.data};
         },
         {R, R, R, R, R, W, R, Ei, R, R, Ei},
         false,
         5},
        {QStringLiteral("--export"),
         true,
         [](const Paths& p, Hostile h) {
             const QString file = h == Itself ? p.data : h == Link ? p.link : p.out;
             return QStringList{"--export", file, "players", "--database", p.data};
         },
         {R, R, Ei, Ei, R, W, W, Ei, R, R, Ei}},
        {QStringLiteral("--publish"),
         true,
         [](const Paths& p, Hostile h) {
             const QString file = h == Itself ? p.data : h == Link ? p.link : p.out;
             return QStringList{"--publish", "handicaps", file, "--database", p.data};
         },
         {R, R, Ei, Ei, R, W, W, Ei, R, R, Ei}},
        {QStringLiteral("--copy-register"),
         true,
         [](const Paths& p, Hostile h) {
             const QString target = h == Itself ? p.data : h == Link ? p.link : p.out;
             return QStringList{"--copy-register", p.data, target};
         },
         {R, R, Ei, Ei, R, W, W, Ei, R, R, Ei}},
        {QStringLiteral("--restore-rounds"),
         true,
         [](const Paths& p, Hostile h) {
             const QString from = h == Itself ? p.data : h == Link ? p.link : p.backup;
             return QStringList{"--restore-rounds", from, p.data};
         },
         {W, W, R, R, R, W, R, Ei, R, R, Ei},
         false,
         5},
        {QStringLiteral("upgrade at opening"),
         false,
         helper("open"),
         {NA, NA, R, R, R, W, R, Ei, R, R, Ei},
         true},
        {QStringLiteral("backup"), false, helper("backup"), {NA, NA, R, R, R, W, W, Ei, R, R, Ei}},
        {QStringLiteral("delete rounds"), false, helper("delete"), saves},
        {QStringLiteral("player"), false, helper("player"), saves},
        {QStringLiteral("course and tees"), false, helper("course"), saves},
        {QStringLiteral("division"), false, helper("division"), saves},
        {QStringLiteral("round"), false, helper("round"), saves},
        {QStringLiteral("round corrected"), false, helper("correct"), saves},
        {QStringLiteral("handicap"), false, helper("handicap"), saves},
        {QStringLiteral("season"), false, helper("season"), saves},
        {QStringLiteral("competition"), false, helper("competition"), saves},
        {QStringLiteral("sides"), false, helper("sides"), saves},
        {QStringLiteral("draw"), false, helper("draw"), saves},
        {QStringLiteral("start sheet"), false, helper("start-sheet"), saves},
        {QStringLiteral("player deleted"), false, helper("player-deleted"), saves},
        {QStringLiteral("course deleted"), false, helper("course-deleted"), saves},
        {QStringLiteral("division deleted"), false, helper("division-deleted"), saves},
        {QStringLiteral("season deleted"), false, helper("season-deleted"), saves}};
    return list;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under the folder, with a digest of what it holds.
QHash<QString, QByteArray> filesUnder(const QString& dir)
{
    QHash<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path),
                     QCryptographicHash::hash(bytesOf(path), QCryptographicHash::Sha1));
    }
    return files;
}

bool sqlOn(const QString& path, const QString& statement)
{
    Connection c(path);
    if (!c.open(Connection::Check::Full, Connection::Missing::Refuse, Connection::Upgrade::No))
        return false;
    QSqlQuery q = c.query();
    return execOn(c, q, statement);
}

qint64 roundsIn(const QString& path)
{
    Connection c(path);
    if (!c.open(Connection::Check::Full, Connection::Missing::Refuse, Connection::Upgrade::No))
        return -1;
    QSqlQuery q = c.query();
    return execOn(c, q, QStringLiteral("SELECT count(*) FROM score")) && q.next()
               ? q.value(0).toLongLong()
               : -1;
}

// Takes a register back to data version 3: what came later dropped.
bool makeVersion3(const QString& path)
{
    QStringList statements;
    for (const schema::Index& index : schema::indexes())
        if (index.since > 3)
            statements << QStringLiteral("DROP INDEX %1").arg(index.name);
    for (const schema::Table* table : schema::tables()) {
        if (table->since > 3) {
            statements << QStringLiteral("DROP TABLE %1").arg(table->name);
            continue;
        }
        for (const schema::Column& column : table->columns)
            if (column.since > 3)
                statements << QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                                  .arg(table->name, column.name);
    }
    statements << QStringLiteral("PRAGMA user_version = 3");
    Connection c(path);
    if (!c.open())
        return false;
    QSqlQuery q = c.query();
    for (const QString& statement : statements)
        if (!execOn(c, q, statement)) {
            qWarning("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
            return false;
        }
    return true;
}

// Scribbles over the header of a leaf page of the table or index named, as a failing disk
// would. False when this SQLite has no dbstat table to find one by.
bool damageALeaf(const QString& path, bool index)
{
    qint64 page = 0;
    int pageSize = 4096;
    {
        Connection c(path);
        if (!c.open(Connection::Check::Full, Connection::Missing::Refuse, Connection::Upgrade::No))
            return false;
        QSqlQuery q = c.query();
        const QString which =
            index ? QStringLiteral("(SELECT name FROM sqlite_schema WHERE type = 'index' AND "
                                   "tbl_name = 'score' ORDER BY name LIMIT 1)")
                  : QStringLiteral("'score'");
        if (!execOn(c, q,
                    QStringLiteral("SELECT max(pageno) FROM dbstat WHERE name = %1 AND "
                                   "pagetype = 'leaf'")
                        .arg(which)) ||
            !q.next())
            return false;
        page = q.value(0).toLongLong();
        if (execOn(c, q, QStringLiteral("PRAGMA page_size")) && q.next())
            pageSize = q.value(0).toInt();
    }
    QFile file(path);
    return page > 0 && file.open(QIODevice::ReadWrite) && file.seek((page - 1) * pageSize) &&
           file.write(QByteArray(16, '\xA5')) == 16;
}

QString quickCheck(const QString& path)
{
    Connection c(path);
    if (!c.open(Connection::Check::Full, Connection::Missing::Refuse, Connection::Upgrade::No))
        return QStringLiteral("cannot be opened");
    QSqlQuery q = c.query();
    return execOn(c, q, QStringLiteral("PRAGMA quick_check")) && q.next() ? q.value(0).toString()
                                                                          : q.lastError().text();
}

struct Ran {
    int exit = -1;
    QString said;
};

} // namespace

class TestWriters : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyWriterAgainstEveryHostileRegister_data();
    void everyWriterAgainstEveryHostileRegister();
    void twoImportsAtOnceOnTheClubServer();
    void backupsLeaveNoPieces();

private:
    QProcess* start(const Writer& writer, const Paths& paths, Hostile hostile, QObject* parent);
    Ran finish(QProcess* process);

    QTemporaryDir m_base;
    QString m_register; // the register each cell starts from
    QString m_backup;
    QString m_rounds;
};

void TestWriters::initTestCase()
{
    // A sample register; a copy of it as it was (the backup to restore from); the
    // register with its last five rounds gone; its rounds written out as a file.
    m_register = m_base.filePath(QStringLiteral("register.mdb"));
    m_backup = m_base.filePath(QStringLiteral("before.mdb"));
    m_rounds = m_base.filePath(QStringLiteral("rounds.csv"));
    QCOMPARE(tools::writeSampleDatabase(m_backup, {2004, 12, 4, 200, 2}), QString());
    QVERIFY(QFile::copy(m_backup, m_register));
    {
        Connection c(m_register);
        QVERIFY(c.open());
        PARLOG_VERIFY_OK(importing::exportRegister(c, importing::Kind::Rounds, m_rounds));
    }
    QVERIFY(sqlOn(m_register, QStringLiteral("DELETE FROM score WHERE rowid IN (SELECT rowid "
                                             "FROM score ORDER BY rowid DESC LIMIT 5)")));
    QVERIFY(sqlOn(m_register, QStringLiteral("INSERT INTO season (name, fromDate, toDate) VALUES "
                                             "('Winter', '2004-01-01', '2004-03-31')")));
}

QProcess* TestWriters::start(const Writer& writer, const Paths& paths, Hostile hostile,
                             QObject* parent)
{
    auto* process = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The user's own backups folder, for a register without a folder of its own.
    env.insert(QStringLiteral("HOME"), QDir(paths.dir).filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"),
               QDir(paths.dir).filePath(QStringLiteral("home/.local/share")));
    process->setProcessEnvironment(env);
    if (hostile == FullDisk)
        process->setChildProcessModifier([] {
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
        });
    process->start(writer.cli ? QStringLiteral(PARLOG_PROGRAM) : QStringLiteral(PARLOG_WRITER),
                   writer.arguments(paths, hostile));
    return process;
}

Ran TestWriters::finish(QProcess* process)
{
    Ran ran;
    if (!process->waitForFinished(120000))
        process->kill();
    ran.exit = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    ran.said = QString::fromUtf8(process->readAllStandardError()).trimmed();
    return ran;
}

void TestWriters::everyWriterAgainstEveryHostileRegister_data()
{
    QTest::addColumn<int>("writer");
    const QList<Writer> list = writers();
    for (int w = 0; w < list.size(); ++w)
        QTest::newRow(qPrintable(list[w].name)) << w;
}

void TestWriters::everyWriterAgainstEveryHostileRegister()
{
    QFETCH(int, writer);
    const Writer w = writers().value(writer);
    QCOMPARE(w.expect.size(), int(kHostiles));
    const bool root = ::geteuid() == 0;
    for (int h = 0; h < kHostiles; ++h) {
        const auto hostile = Hostile(h);
        const Expect expect = w.expect[h];
        if (expect == E::NotApplicable || (hostile == ReadOnly && root))
            continue; // root writes a read-only file whatever its mode
        const QString cell = QStringLiteral("%1, %2").arg(w.name, QLatin1String(kHostileNames[h]));
        QTemporaryDir dir;
        Paths p{dir.path(),
                dir.filePath(QStringLiteral("parlog.mdb")),
                dir.filePath(QStringLiteral("link.mdb")),
                dir.filePath(QStringLiteral("out.csv")),
                dir.filePath(QStringLiteral("rounds.csv")),
                dir.filePath(QStringLiteral("old/before.mdb"))};
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("old"))));
        QVERIFY(QFile::copy(m_register, p.data));
        QVERIFY(QFile::copy(m_backup, p.backup));
        QVERIFY(QFile::copy(m_rounds, p.rounds));
        QVERIFY(QFile::link(p.data, p.link));
        if (w.older || hostile == Older)
            QVERIFY2(makeVersion3(p.data), qPrintable(cell));
        const qint64 roundsBefore = roundsIn(p.data);
        switch (hostile) {
        case DamagedTable:
        case DamagedIndex:
            QVERIFY2(damageALeaf(p.data, hostile == DamagedIndex), qPrintable(cell));
            break;
        case DamagedHeader: {
            QFile file(p.data);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(QByteArray(16, 'x')) == 16);
            break;
        }
        case ReadOnly:
            QVERIFY(QFile::setPermissions(p.data, QFileDevice::ReadOwner));
            break;
        case Missing:
            QVERIFY(QFile::remove(p.data));
            break;
        default:
            break;
        }
        const QByteArray registerBefore = bytesOf(p.data);
        const QHash<QString, QByteArray> filesBefore = filesUnder(p.dir);

        QList<Ran> runs;
        QObject owner;
        if (hostile == Held) {
            auto* holder = new QProcess(&owner);
            holder->start(QStringLiteral(PARLOG_WRITER),
                          {QStringLiteral("hold"), p.data, QStringLiteral("2000")});
            QVERIFY(holder->waitForReadyRead(10000));
            runs << finish(start(w, p, hostile, &owner));
            QVERIFY(holder->waitForFinished(10000));
        } else if (hostile == Twice) {
            QProcess* first = start(w, p, hostile, &owner);
            QProcess* second = start(w, p, hostile, &owner);
            runs << finish(first) << finish(second);
        } else {
            runs << finish(start(w, p, hostile, &owner));
        }

        bool anyWorked = false;
        for (const Ran& ran : runs) {
            const QString what =
                cell + QStringLiteral(": exit %1, said: %2").arg(ran.exit).arg(ran.said);
            QVERIFY2(ran.exit >= 0, qPrintable(what)); // never a crash
            if (expect == E::Works)
                QVERIFY2(ran.exit == 0, qPrintable(what));
            if (expect == E::Refused)
                QVERIFY2(ran.exit != 0, qPrintable(what));
            anyWorked |= ran.exit == 0;
            if (ran.exit == 0)
                continue;
            // A refusal says why, in the words of what was wrong.
            QVERIFY2(!ran.said.isEmpty(), qPrintable(what));
            const QString words = hostile == DamagedTable || hostile == DamagedIndex
                                      ? QStringLiteral("damaged")
                                  : hostile == ReadOnly ? QStringLiteral("read-only")
                                  : hostile == Held     ? QStringLiteral("in use")
                                                        : QString();
            QVERIFY2(words.isEmpty() || ran.said.contains(words), qPrintable(what));
        }
        const QString what =
            cell + QStringLiteral(": said: ") + (runs.isEmpty() ? QString() : runs.last().said);
        // The register as it was, unless the writer said it worked.
        if (!anyWorked) {
            QVERIFY2(bytesOf(p.data) == registerBefore, qPrintable(what));
            QVERIFY2(QFileInfo::exists(p.data) == (hostile != Missing), qPrintable(what));
        }
        // Nothing left beside it: only what a writer that worked makes, and never a piece.
        const QHash<QString, QByteArray> filesAfter = filesUnder(p.dir);
        for (auto it = filesAfter.constBegin(); it != filesAfter.constEnd(); ++it) {
            const QString& name = it.key();
            const bool isNew = !filesBefore.contains(name);
            QVERIFY2(!name.contains(QStringLiteral(".part")) && !name.endsWith(u"-journal") &&
                         !name.contains(QStringLiteral(".new")),
                     qPrintable(what + QStringLiteral(" left ") + name));
            if (!isNew)
                continue;
            const bool aBackup = name.contains(QStringLiteral("backups/"));
            QVERIFY2(anyWorked, qPrintable(what + QStringLiteral(" left ") + name));
            QVERIFY2(aBackup || name == u"out.csv",
                     qPrintable(what + QStringLiteral(" made ") + name));
        }
        // Sound after, the rounds added once however often the writer ran.
        if (anyWorked && hostile != DamagedTable && hostile != DamagedIndex &&
            hostile != DamagedHeader) {
            QCOMPARE(quickCheck(p.data), QStringLiteral("ok"));
            if (w.adds > 0 && hostile != Itself && hostile != Link)
                QVERIFY2(roundsIn(p.data) == roundsBefore + w.adds,
                         qPrintable(what + QStringLiteral(": %1 rounds, %2 before")
                                               .arg(roundsIn(p.data))
                                               .arg(roundsBefore)));
        }
        // Members' addresses and telephone numbers: the owner's alone.
        if (w.name == u"--export" && anyWorked && hostile != Itself && hostile != Link)
            QCOMPARE(int(QFile::permissions(p.out) & 0x0077), 0);
        if (w.older && anyWorked) {
            Connection c(p.data);
            QVERIFY(c.open(Connection::Check::Full, Connection::Missing::Refuse,
                           Connection::Upgrade::No));
            QCOMPARE(c.version(), schema::kVersion);
        }
    }
}

// On a club's server, a second import of the same file at the same moment waits for the
// first and finds its cards there: stored once.
void TestWriters::twoImportsAtOnceOnTheClubServer()
{
    PARLOG_NEEDS_SERVER(location);
    QTemporaryDir dir;
    {
        Connection c(location);
        PARLOG_VERIFY_OK(c.open());
    }
    const QString sample = dir.filePath(QStringLiteral("sample.mdb"));
    QCOMPARE(tools::writeSampleDatabase(sample, {2004, 12, 4, 300, 2}), QString());
    QStringList files;
    {
        Connection c(sample);
        PARLOG_VERIFY_OK(c.open());
        for (const auto kind :
             {importing::Kind::Players, importing::Kind::Courses, importing::Kind::Rounds}) {
            files << dir.filePath(QStringLiteral("%1.csv").arg(int(kind)));
            PARLOG_VERIFY_OK(importing::exportRegister(c, kind, files.last()));
        }
    }
    const QStringList kinds{QStringLiteral("players"), QStringLiteral("courses"),
                            QStringLiteral("rounds")};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("share")));
    for (int k = 0; k < 3; ++k) {
        QProcess first;
        QProcess second;
        for (QProcess* p : {&first, &second}) {
            p->setProcessEnvironment(env);
            p->start(QStringLiteral(PARLOG_PROGRAM),
                     {QStringLiteral("--import"), files[k], kinds[k], QStringLiteral("--database"),
                      location});
        }
        for (QProcess* p : {&first, &second}) {
            QVERIFY(p->waitForFinished(120000));
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        }
    }
    Connection club(location);
    PARLOG_VERIFY_OK(club.open());
    QSqlQuery q = club.query();
    QVERIFY(execOn(club, q,
                   QStringLiteral("SELECT (SELECT count(*) FROM score), (SELECT count(*) "
                                  "FROM player), (SELECT count(*) FROM courses)")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 300);
    QCOMPARE(q.value(1).toInt(), 12);
    QCOMPARE(q.value(2).toInt(), 4);
}

// What killed copies left is cleared when the next is written, unless another Parlog may
// be writing it still.
void TestWriters::backupsLeaveNoPieces()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("parlog.mdb"));
    QVERIFY(QFile::copy(m_register, data));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("backups")));
    const QDir backups(dir.filePath(QStringLiteral("backups")));
    const QStringList stale{QStringLiteral("parlog-20260101-101010-101.mdb.part"),
                            QStringLiteral("parlog-20260101-101010-101.mdb.part-journal"),
                            QStringLiteral(".parlog-20260101-101010-102.mdb.4242.part")};
    const QStringList kept{QStringLiteral("parlog-20260101-101010-103.mdb.part"), // just now
                           QStringLiteral("notes.txt")};                          // not ours
    for (const QString& name : stale + kept) {
        QFile file(backups.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("piece");
        file.flush();
        if (stale.contains(name))
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    }
    Connection c(data);
    PARLOG_VERIFY_OK(c.open());
    PARLOG_VERIFY_OK(backupRegister(c));
    for (const QString& name : stale)
        QVERIFY2(!backups.exists(name), qPrintable(name));
    for (const QString& name : kept)
        QVERIFY2(backups.exists(name), qPrintable(name));
}

PARLOG_TEST(TestWriters)
#include "tst_writers.moc"
