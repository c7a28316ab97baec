// parlog-bench [--rounds N] [benchmark flags]: what a user waits for on a large register.
#include "data/connection.h"
#include "data/rounds.h"
#include "reports/layouts.h"
#include "reports/paginator.h"
#include "sampledata.h"
#include "search/criteria.h"
#include "stats/statistics.h"

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

QString g_path;
QString g_player;
const QStringList g_compact =
    parlog::report::fieldColumns(parlog::report::layoutFor(QStringLiteral("DataReport3")));

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
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::playersWithRounds(c));
}

void BestEverRound(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::rounds::extremeRounds(c, g_player, {}, true));
}

void AverageRound(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::possibleRound(c, g_player, parlog::Possible::Average));
}

void PuttsChart(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::puttsByDate(c, g_player));
}

void SearchLastYear(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto filter = parlog::filterFor(lastYear());
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::rounds::search(c, *filter, QStringLiteral("net")));
}

void SearchAllGroupedByPlayer(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto filter = parlog::filterFor(everything());
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::groupedSearch(c, *filter, QStringLiteral("net"),
                                                       QStringLiteral("playerID"), g_compact));
}

void SearchAllFullCards(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto filter = parlog::filterFor(everything());
    for (auto _ : state)
        benchmark::DoNotOptimize(parlog::rounds::search(c, *filter, QStringLiteral("net")));
}

void FirstPageOfTheLastYear(benchmark::State& state)
{
    parlog::Connection c(g_path);
    mustOpen(c);
    const auto rows =
        parlog::rounds::search(c, *parlog::filterFor(lastYear()), QStringLiteral("net"));
    const auto layout = parlog::report::layoutFor(QStringLiteral("DataReport5"));
    for (auto _ : state) {
        parlog::report::Paginator p(layout, parlog::report::DataSource::of(rows),
                                    QDate(2026, 1, 1));
        benchmark::DoNotOptimize(p.page(0).commands.size());
        benchmark::DoNotOptimize(p.pageCount());
    }
    state.counters["rows"] = double(rows ? rows->rows.size() : 0);
}

} // namespace

BENCHMARK(OpenConnection)->Unit(benchmark::kMillisecond);
BENCHMARK(StartUpCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(HubPlayerList)->Unit(benchmark::kMillisecond);
BENCHMARK(BestEverRound)->Unit(benchmark::kMillisecond);
BENCHMARK(AverageRound)->Unit(benchmark::kMillisecond);
BENCHMARK(PuttsChart)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchLastYear)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchAllGroupedByPlayer)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchAllFullCards)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstPageOfTheLastYear)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[])
{
    QCoreApplication qt(argc, argv);
    parlog::tools::SampleSizes sizes;
    sizes.rounds = 250000;
    sizes.players = 200;
    sizes.courses = 30;
    sizes.years = 30;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--rounds")
            sizes.rounds = QByteArray(argv[i + 1]).toInt();
    QTemporaryDir dir;
    g_path = dir.filePath(QStringLiteral("parlog.mdb"));
    const QString error = parlog::tools::writeSampleDatabase(g_path, sizes);
    if (!error.isEmpty()) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    parlog::Connection c(g_path);
    mustOpen(c);
    g_player = parlog::playersWithRounds(c)->value(0);
    c.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
