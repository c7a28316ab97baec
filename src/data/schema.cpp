#include "data/schema.h"

namespace parlog::schema {

namespace {

QList<Column> numbered(const char* prefix, Type type)
{
    QList<Column> columns;
    for (int hole = 1; hole <= 18; ++hole)
        columns.append({QLatin1String(prefix) + QString::number(hole), type});
    return columns;
}

QList<Column> columns(std::initializer_list<std::pair<const char*, Type>> list, int since = 1)
{
    QList<Column> result;
    for (const auto& [name, type] : list)
        result.append({QString::fromLatin1(name), type, since});
    return result;
}

QList<Column> since(int version, QList<Column> list)
{
    for (Column& c : list)
        c.since = version;
    return list;
}

} // namespace

QStringList Table::columnNames() const
{
    QStringList names;
    for (const Column& c : columns)
        names << c.name;
    return names;
}

QList<Column> Table::columnsOf(int version) const
{
    QList<Column> present;
    for (const Column& c : columns)
        if (c.since <= version)
            present << c;
    return present;
}

const Column* Table::column(const QString& wanted) const
{
    for (const Column& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const Table& player()
{
    static const Table t{QStringLiteral("player"), columns({{"ID", Type::Key},
                                                            {"playername", Type::Name},
                                                            {"membership", Type::Text},
                                                            {"Handicapp", Type::Text},
                                                            {"division", Type::Name},
                                                            {"address1", Type::Text},
                                                            {"address2", Type::Text},
                                                            {"address3", Type::Text},
                                                            {"postcode", Type::Text},
                                                            {"telephone", Type::Text},
                                                            {"mobile", Type::Text},
                                                            {"email", Type::Text}})};
    return t;
}

const Table& courses()
{
    static const Table t{QStringLiteral("courses"), columns({{"ID", Type::Key},
                                                             {"coursename", Type::Name},
                                                             {"courseadd1", Type::Text},
                                                             {"courseadd2", Type::Text},
                                                             {"courseadd3", Type::Text},
                                                             {"coursetel", Type::Text}}) +
                                                        numbered("hole", Type::Number) +
                                                        columns({{"coursepar", Type::Number}}) +
                                                        since(2, numbered("si", Type::Whole))};
    return t;
}

const Table& division()
{
    static const Table t{QStringLiteral("division"), columns({{"type", Type::Name}})};
    return t;
}

const Table& score()
{
    static const Table t{QStringLiteral("score"), numbered("hole", Type::Whole) +
                                                      columns({{"out", Type::Whole},
                                                               {"inn", Type::Whole},
                                                               {"gross", Type::Whole},
                                                               {"net", Type::Whole},
                                                               {"putts", Type::Whole},
                                                               {"hand", Type::Number},
                                                               {"strdate", Type::Date}}) +
                                                      numbered("green", Type::Tick) +
                                                      numbered("fairway", Type::Tick) +
                                                      columns({{"course", Type::Name},
                                                               {"playerID", Type::Name},
                                                               {"division", Type::Name},
                                                               {"compss", Type::Text},
                                                               {"comp", Type::Name},
                                                               {"comment", Type::Text}}) +
                                                      // The tee and the handicaps the card
                                                      // was played off, as they were then.
                                                      columns({{"teeID", Type::Whole},
                                                               {"tee", Type::Text},
                                                               {"courseRating", Type::Number},
                                                               {"slopeRating", Type::Whole},
                                                               {"teePar", Type::Number},
                                                               {"handicapIndex", Type::Number},
                                                               {"courseHandicap", Type::Number},
                                                               {"playingHandicap", Type::Whole},
                                                               {"points", Type::Whole}},
                                                              2) +
                                                      // Hole by hole, where the card has them:
                                                      // putts, penalty strokes, a greenside
                                                      // bunker played from.
                                                      since(4, numbered("P", Type::Whole)) +
                                                      since(4, numbered("X", Type::Whole)) +
                                                      since(4, numbered("B", Type::Tick)) +
                                                      // A side's one ball: how many played
                                                      // it; empty for one player's card.
                                                      columns({{"sidePlayers", Type::Whole}}, 5)};
    return t;
}

const Table& tees()
{
    // A women's tee may have pars and stroke indexes of its own; empty: the course's.
    static const Table t{QStringLiteral("tees"),
                         columns({{"ID", Type::Key},
                                  {"courseID", Type::Whole},
                                  {"name", Type::Name},
                                  {"ratedFor", Type::Text},
                                  {"courseRating", Type::Number},
                                  {"slopeRating", Type::Whole},
                                  {"par", Type::Number}},
                                 2) +
                             since(2, numbered("si", Type::Whole)) +
                             since(2, numbered("par", Type::Number)) +
                             // The ratings of each nine, for nine-hole competitions.
                             columns({{"frontRating", Type::Number},
                                      {"frontSlope", Type::Whole},
                                      {"frontPar", Type::Whole},
                                      {"backRating", Type::Number},
                                      {"backSlope", Type::Whole},
                                      {"backPar", Type::Whole}},
                                     5),
                         2};
    return t;
}

const Table& competition()
{
    static const Table t{QStringLiteral("competition"),
                         columns({{"ID", Type::Key},
                                  {"name", Type::Name},
                                  {"strdate", Type::Date},
                                  {"format", Type::Text},
                                  {"allowance", Type::Number},
                                  {"pcc", Type::Whole},
                                  {"countsForHandicap", Type::Tick}},
                                 2) +
                             // Played by sides, and over one nine ("front", "back").
                             columns({{"teamFormat", Type::Text}, {"nine", Type::Text}}, 5),
                         2};
    return t;
}

const Table& side()
{
    // A side of a pairs or fours competition, in the order of the field.
    static const Table t{QStringLiteral("side"),
                         columns({{"ID", Type::Key},
                                  {"comp", Type::Name},
                                  {"strdate", Type::Date},
                                  {"position", Type::Whole},
                                  {"name", Type::Name},
                                  {"player1", Type::Name},
                                  {"player2", Type::Name},
                                  {"player3", Type::Name},
                                  {"player4", Type::Name}},
                                 5),
                         5};
    return t;
}

const Table& season()
{
    // The points a finishing position earns, "25,18,15": the first place's first.
    static const Table t{QStringLiteral("season"),
                         columns({{"ID", Type::Key},
                                  {"name", Type::Name},
                                  {"fromDate", Type::Date},
                                  {"toDate", Type::Date},
                                  {"positionPoints", Type::Text},
                                  {"playingPoints", Type::Number},
                                  {"bestOf", Type::Whole}},
                                 3),
                         3};
    return t;
}

const Table& seasonLeftOut()
{
    static const Table t{QStringLiteral("seasonLeftOut"),
                         columns({{"ID", Type::Key},
                                  {"seasonID", Type::Whole},
                                  {"name", Type::Name},
                                  {"strdate", Type::Date}},
                                 3),
                         3};
    return t;
}

const Table& draw()
{
    // A knock-out or a league of matches: how its matches are played and counted.
    static const Table t{QStringLiteral("draw"),
                         columns({{"ID", Type::Key},
                                  {"name", Type::Name},
                                  {"kind", Type::Text},
                                  {"teamFormat", Type::Text},
                                  {"holes", Type::Whole},
                                  {"seeded", Type::Tick},
                                  {"seed", Type::Number},
                                  {"winPoints", Type::Number},
                                  {"halfPoints", Type::Number}},
                                 6),
                         6};
    return t;
}

const Table& drawEntry()
{
    // An entry of a draw, in its order (the seeds' when seeded): a player or a side.
    static const Table t{QStringLiteral("drawEntry"),
                         columns({{"ID", Type::Key},
                                  {"drawID", Type::Whole},
                                  {"position", Type::Whole},
                                  {"name", Type::Name},
                                  {"player1", Type::Name},
                                  {"player2", Type::Name},
                                  {"player3", Type::Name},
                                  {"player4", Type::Name},
                                  {"withdrawn", Type::Tick}},
                                 6),
                         6};
    return t;
}

const Table& drawMatch()
{
    // A match of a draw: its round and place, and its result as the holes were keyed.
    static const Table t{QStringLiteral("drawMatch"),
                         columns({{"ID", Type::Key},
                                  {"drawID", Type::Whole},
                                  {"round", Type::Whole},
                                  {"slot", Type::Whole},
                                  {"playBy", Type::Date},
                                  {"entryA", Type::Name},
                                  {"entryB", Type::Name},
                                  {"holesPlayed", Type::Text},
                                  {"margin", Type::Whole},
                                  {"result", Type::Text},
                                  {"winner", Type::Name}},
                                 6),
                         6};
    return t;
}

const Table& startSheet()
{
    // How a competition's start sheet was made: its first time, interval, groups, tees
    // and order, so that it can be made again alike.
    static const Table t{QStringLiteral("startSheet"),
                         columns({{"ID", Type::Key},
                                  {"comp", Type::Name},
                                  {"strdate", Type::Date},
                                  {"firstTime", Type::Text},
                                  {"minutesApart", Type::Whole},
                                  {"groupSize", Type::Whole},
                                  {"startFrom", Type::Text},
                                  {"orderBy", Type::Text},
                                  {"seed", Type::Number}},
                                 7),
                         7};
    return t;
}

const Table& startPlace()
{
    // A player's place on a start sheet: the group, its time and tee, and the entry the
    // player came in with (a side, or those who asked to play together).
    static const Table t{QStringLiteral("startPlace"),
                         columns({{"ID", Type::Key},
                                  {"sheetID", Type::Whole},
                                  {"groupNo", Type::Whole},
                                  {"startTime", Type::Text},
                                  {"tee", Type::Text},
                                  {"position", Type::Whole},
                                  {"name", Type::Name},
                                  {"unit", Type::Name}},
                                 7),
                         7};
    return t;
}

QList<const Table*> tables()
{
    return {&player(),      &courses(),   &division(),      &score(),     &tees(),
            &competition(), &season(),    &seasonLeftOut(), &side(),      &draw(),
            &drawEntry(),   &drawMatch(), &startSheet(),    &startPlace()};
}

const Table* table(const QString& name)
{
    for (const Table* t : tables())
        if (t->name == name)
            return t;
    return nullptr;
}

QList<Index> indexes()
{
    const auto index = [](const char* name, const char* table, QStringList columns,
                          int since = 1) {
        return Index{QString::fromLatin1(name), QString::fromLatin1(table), std::move(columns),
                     since};
    };
    return {
        index("player_name", "player", {QStringLiteral("playername")}),
        index("courses_name", "courses", {QStringLiteral("coursename")}),
        index("division_type", "division", {QStringLiteral("type")}),
        index("score_player_net", "score", {QStringLiteral("playerID"), QStringLiteral("net")}),
        index("score_player_course", "score",
              {QStringLiteral("playerID"), QStringLiteral("course"), QStringLiteral("net")}),
        index("score_player_date", "score",
              {QStringLiteral("playerID"), QStringLiteral("strdate")}),
        index("score_course", "score", {QStringLiteral("course")}),
        index("score_comp", "score", {QStringLiteral("comp")}),
        index("score_date", "score", {QStringLiteral("strdate")}),
        index("score_net", "score", {QStringLiteral("net")}),
        index("tees_course", "tees", {QStringLiteral("courseID")}, 2),
        index("competition_name", "competition",
              {QStringLiteral("name"), QStringLiteral("strdate")}, 2),
        index("seasonLeftOut_season", "seasonLeftOut", {QStringLiteral("seasonID")}, 3),
        index("side_comp", "side", {QStringLiteral("comp"), QStringLiteral("strdate")}, 5),
        index("drawEntry_draw", "drawEntry", {QStringLiteral("drawID")}, 6),
        index("drawMatch_draw", "drawMatch", {QStringLiteral("drawID")}, 6),
        index("startSheet_comp", "startSheet", {QStringLiteral("comp"), QStringLiteral("strdate")},
              7),
        index("startPlace_sheet", "startPlace", {QStringLiteral("sheetID")}, 7),
    };
}

QStringList columnNames(const QString& name)
{
    const Table* t = table(name);
    return t ? t->columnNames() : QStringList();
}

QStringList tableNames()
{
    QStringList names;
    for (const Table* t : tables())
        names << t->name;
    return names;
}

} // namespace parlog::schema
