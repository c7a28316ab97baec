// The other half of the crash test: saves rounds one by one, or deletes them all,
// saying on standard output what is done, so that a parent can kill it at any moment
// and check that what was acknowledged is there and nothing is half stored.
//   parlog-crashchild save FILE FIRST [COUNT]  saves rounds FIRST, FIRST+1 ... until
//                                              killed, or COUNT of them
//   parlog-crashchild delete FILE              deletes every round as the Delete window
//                                              does: counted, copied aside, deleted
//   parlog-crashchild copy FILE TARGET         copies the register
//   parlog-crashchild backup FILE              writes a backup copy beside it
//   parlog-crashchild import FILE CSV          imports the rounds of a CSV file
// FILE may also be a club server's register (postgresql://...).
#include "data/backup.h"
#include "data/connection.h"
#include "data/copy.h"
#include "data/deletion.h"
#include "data/importing.h"
#include "data/rounds.h"
#include "data/scorecard.h"

#include <QCoreApplication>

#include <cstdio>

using namespace parlog;

namespace {

RoundCard card(int n)
{
    RoundCard c;
    for (int h = 0; h < 18; ++h)
        c.totals.holes[h] = QString::number(3 + (n + h) % 4);
    c.totals.handicap = QStringLiteral("12");
    recomputeTotals(c.totals);
    c.course = QStringLiteral("Lahinch");
    c.date = QStringLiteral("5-Mar-04");
    c.putts = QStringLiteral("31");
    c.player = QStringLiteral("Crash");
    c.competition = QStringLiteral("Medal");
    c.standardScratch = QStringLiteral("70");
    c.comment = QStringLiteral("round %1").arg(n);
    return c;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return 2;
    const auto started = [](const char* what) {
        std::printf("%s\n", what);
        std::fflush(stdout);
    };
    if (args[1] == u"copy") {
        started("copying");
        const auto copied = copyRegister(args[2], args.value(3));
        if (!copied)
            std::fprintf(stderr, "%s\n", qPrintable(copied.error()));
        return copied ? 0 : 1;
    }
    Connection connection(args[2]);
    if (const Status opened = connection.open(); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return 1;
    }
    if (args[1] == u"save") {
        const int first = args.value(3).toInt();
        const int count = args.size() > 4 ? args.value(4).toInt() : -1;
        for (int n = first; count < 0 || n < first + count; ++n) {
            const auto values = roundValues(card(n));
            const Status saved =
                values ? rounds::insert(connection, *values) : Status(Failure{values.error()});
            if (!saved) {
                std::fprintf(stderr, "%s\n", qPrintable(saved.error()));
                return 1;
            }
            std::printf("saved %d\n", n);
            std::fflush(stdout);
        }
        return 0;
    }
    if (args[1] == u"delete") {
        const rounds::Filter everything{
            {}, {}, {}, QStringLiteral("1900-01-01"), QStringLiteral("2100-01-01")};
        started("deleting");
        const auto doomed = roundsToDelete(connection, everything);
        const auto deleted = doomed ? deleteRounds(connection, *doomed)
                                    : Result<Deletion>(Failure{doomed.error()});
        if (!deleted) {
            std::fprintf(stderr, "%s\n", qPrintable(deleted.error()));
            return 1;
        }
        std::printf("deleted %d\n", deleted->deleted);
        return 0;
    }
    if (args[1] == u"import") {
        const auto opened = importing::open(args.value(3), importing::Kind::Rounds);
        started("importing");
        const auto done = opened ? importing::store(connection, importing::Kind::Rounds, *opened, true)
                                 : Result<importing::Summary>(Failure{opened.error()});
        if (!done)
            std::fprintf(stderr, "%s\n", qPrintable(done.error()));
        return done ? 0 : 1;
    }
    if (args[1] == u"backup") {
        started("backing up");
        const auto made = backupRegister(connection);
        return made ? 0 : 1;
    }
    return 2;
}
