// The core use case behind each window's save, run alone in a process against a register
// the writers' test has made hostile: parlog-writer WHAT FILE. The register is opened as
// the program opens it once it runs (never made when it has gone). Exit 0 when it was
// stored; otherwise 1, with why on standard error.
//   player, course, division, round, correct, handicap, season, competition, sides, draw,
//   delete,
//   player-deleted, course-deleted, division-deleted, season-deleted,
//   backup, open      (open: only the opening, which brings an older register up)
//   hold FILE MS      holds the register locked for MS milliseconds, saying "holding"
#include "data/backup.h"
#include "data/competitions.h"
#include "data/connection.h"
#include "data/courses.h"
#include "data/deletion.h"
#include "data/dialect.h"
#include "data/divisions.h"
#include "data/draws.h"
#include "data/startsheets.h"
#include "data/players.h"
#include "data/registers.h"
#include "data/rounds.h"
#include "data/seasons.h"
#include "data/scorecard.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace parlog;

namespace {

RoundCard card(const QString& player)
{
    RoundCard c;
    for (int h = 0; h < 18; ++h)
        c.totals.holes[h] = QString::number(4 + h % 2);
    c.totals.handicap = QStringLiteral("12");
    recomputeTotals(c.totals);
    c.course = QStringLiteral("Writers' Links");
    c.date = QStringLiteral("5-Mar-04");
    c.putts = QStringLiteral("31");
    c.player = player;
    c.competition = QStringLiteral("Medal");
    return c;
}

Status fromSaved(const Result<Saved>& saved)
{
    if (!saved)
        return Failure{saved.error()};
    if (saved->outcome != Saved::Outcome::Stored)
        return Failure{QStringLiteral("not stored (%1)").arg(int(saved->outcome))};
    return {};
}

Status write(Connection& c, const QString& what)
{
    if (what == u"open")
        return {};
    if (what == u"player")
        return fromSaved(registers::save(c, registers::players(), registers::EditMode::Adding, 0,
                                         {{QStringLiteral("playername"), QStringLiteral("Wren")},
                                          {QStringLiteral("Handicapp"), QStringLiteral("12")}},
                                         {}));
    if (what == u"course") {
        Tee yellow;
        yellow.name = QStringLiteral("Yellow");
        yellow.ratedFor = QStringLiteral("Men");
        yellow.courseRating = 70.1;
        yellow.slopeRating = 125;
        return fromSaved(courses::save(
            c, registers::EditMode::Adding, 0,
            {{QStringLiteral("coursename"), QStringLiteral("New Links")}}, {yellow}, {}));
    }
    if (what == u"division")
        return divisions::add(c, QStringLiteral("Juniors"));
    if (what == u"round") {
        const auto values = roundValues(card(QStringLiteral("Wren")));
        return values ? rounds::insert(c, *values) : Status(Failure{values.error()});
    }
    if (what == u"correct") {
        const auto key =
            sql::value(c, QStringLiteral("SELECT min(%1) FROM score").arg(c.dialect().roundKey()));
        if (!key)
            return Failure{key.error()};
        const auto loaded = rounds::load(c, key->toLongLong());
        if (!loaded || !*loaded)
            return Failure{loaded ? QStringLiteral("no round") : loaded.error()};
        Round round = (*loaded)->round;
        round.comment = QStringLiteral("corrected");
        return fromSaved(rounds::correct(c, key->toLongLong(), round, (*loaded)->asRead));
    }
    if (what == u"handicap") {
        const auto names = players::names(c);
        if (!names || names->isEmpty())
            return Failure{names ? QStringLiteral("no player") : names.error()};
        const auto changed = players::setHandicap(c, names->first(), QStringLiteral("9.9"));
        return changed ? Status() : Status(Failure{changed.error()});
    }
    if (what == u"season") {
        seasons::Season s;
        s.name = QStringLiteral("Writers' season");
        s.from = QStringLiteral("2004-01-01");
        s.to = QStringLiteral("2004-12-31");
        const auto kept = seasons::save(c, s);
        return kept ? Status() : Status(Failure{kept.error()});
    }
    if (what == u"competition") {
        competitions::Settings medal{QStringLiteral("Medal"), QStringLiteral("2004-03-05")};
        medal.format = competitions::Format::Stableford;
        return competitions::save(c, medal);
    }
    if (what == u"draw") {
        draws::Draw knockout;
        knockout.name = QStringLiteral("Singles Championship");
        knockout.entries = {{QStringLiteral("Ann Adams"), {}}, {QStringLiteral("Bob Brown"), {}}};
        knockout.matches = {{1,
                             0,
                             QStringLiteral("2004-06-30"),
                             QStringLiteral("Ann Adams"),
                             QStringLiteral("Bob Brown"),
                             QStringLiteral("11H2"),
                             {},
                             {},
                             {}}};
        const auto kept = draws::save(c, knockout);
        return kept ? Status() : Status(Failure{kept.error()});
    }
    if (what == u"start-sheet") {
        startsheets::Sheet sheet{QStringLiteral("Medal"), QStringLiteral("2004-03-05")};
        sheet.places = {{1, QStringLiteral("08:00"), QStringLiteral("1"),
                         QStringLiteral("Ann Adams"), QStringLiteral("Ann Adams")},
                        {1, QStringLiteral("08:00"), QStringLiteral("1"),
                         QStringLiteral("Bob Brown"), QStringLiteral("Bob Brown")}};
        return startsheets::save(c, sheet);
    }
    if (what == u"sides") {
        competitions::Settings fourball{QStringLiteral("Fourball"), QStringLiteral("2004-03-05")};
        fourball.team = golf::TeamFormat::FourBall;
        return competitions::saveField(
            c, fourball,
            {{{}, {QStringLiteral("Ann Adams"), QStringLiteral("Bob Brown")}},
             {QStringLiteral("Visitors"), {QStringLiteral("Cal Carr"), QStringLiteral("Guest")}}});
    }
    if (what == u"delete") {
        const rounds::Filter all{
            {}, {}, {}, QStringLiteral("1900-01-01"), QStringLiteral("2100-01-01")};
        const auto doomed = roundsToDelete(c, all);
        if (!doomed)
            return Failure{doomed.error()};
        const auto deleted = deleteRounds(c, *doomed);
        return deleted ? Status() : Status(Failure{deleted.error()});
    }
    // A window's Delete: the first player, course, division or season there is.
    if (what == u"player-deleted" || what == u"course-deleted") {
        const auto& r = what == u"player-deleted" ? registers::players() : registers::courses();
        const auto key = sql::value(c, QStringLiteral("SELECT min(ID) FROM %1").arg(r.table.name));
        if (!key)
            return Failure{key.error()};
        return registers::remove(c, r, key->toLongLong());
    }
    if (what == u"division-deleted") {
        const auto names = divisions::names(c);
        if (!names || names->isEmpty())
            return Failure{names ? QStringLiteral("no division") : names.error()};
        return divisions::remove(c, names->first());
    }
    if (what == u"season-deleted") {
        const auto kept = seasons::all(c);
        if (!kept || kept->isEmpty())
            return Failure{kept ? QStringLiteral("no season") : kept.error()};
        return seasons::remove(c, *kept->first().id);
    }
    if (what == u"backup") {
        const auto copy = backupRegister(c);
        return copy ? Status() : Status(Failure{copy.error()});
    }
    return Failure{QStringLiteral("no such writer: %1").arg(what)};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return 2;
    if (args[1] == u"hold") {
        Connection c(args[2]);
        if (!c.open(Connection::Check::None, Connection::Missing::Refuse) ||
            !c.run(QStringLiteral("BEGIN EXCLUSIVE")).ok())
            return 1;
        std::printf("holding\n");
        std::fflush(stdout);
        QThread::msleep(args.value(3).toULong());
        c.rollback();
        return 0;
    }
    Connection c(args[2]);
    Status done = c.open(Connection::Check::Full, Connection::Missing::Refuse);
    if (done)
        done = write(c, args[1]);
    if (!done) {
        std::fprintf(stderr, "%s\n", qPrintable(done.error()));
        return 1;
    }
    return 0;
}
