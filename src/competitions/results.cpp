#include "competitions/results.h"

#include "data/conversions.h"
#include "data/records.h"
#include "golf/rules.h"
#include "golf/scoring.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace parlog {

namespace {

// The stages of the matching-cards method: holes counted from the end, and the share
// of the handicap taken off them.
struct Stage {
    int holes;
    double share;
    const char* name;
};
constexpr Stage kStages[4] = {
    {9, 1.0 / 2, "last 9"}, {6, 1.0 / 3, "last 6"}, {3, 1.0 / 6, "last 3"}, {1, 1.0 / 18, "18th"}};

// Scores a thousandth apart are equal: sixths and eighteenths do not add exactly in
// binary.
int compare(double a, double b)
{
    if (std::fabs(a - b) < 1e-6)
        return 0;
    return a < b ? -1 : 1;
}

QString number(double value)
{
    // Up to two decimals, as a secretary writes them: 33.5, 21.67, 4.
    QString text = QString::number(value, 'f', 2);
    while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0'))))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

struct Entry {
    int row;
    Countback marks;
};

// The first stage at which two cards differ; 4 when they never do.
int firstDifference(const Countback& a, const Countback& b)
{
    for (int s = 0; s < 4; ++s)
        if (compare(a.stages[s], b.stages[s]) != 0)
            return s;
    return 4;
}

} // namespace

namespace {

Countback countbackOf(const std::array<double, 18>& holes, double handicap, double score,
                      Basis basis)
{
    Countback c;
    c.score = score;
    const double allowance = basis == Basis::Net ? handicap : 0;
    for (int s = 0; s < 4; ++s) {
        double strokes = 0;
        for (int h = 18 - kStages[s].holes; h < 18; ++h)
            strokes += holes[h];
        c.stages[s] = strokes - allowance * kStages[s].share;
    }
    return c;
}

} // namespace

Countback countback(const QVariantList& holes, double handicap, double score, Basis basis)
{
    std::array<double, 18> strokes{};
    for (int h = 0; h < 18; ++h)
        strokes[h] = holes.value(h).toDouble();
    return countbackOf(strokes, handicap, score, basis);
}

namespace {

// Places cards that were marked lowest first: the place is one more than the cards that
// beat it, shared when a card is equal at every stage. shown turns a stage's mark into
// the number the countback column says.
// What each stage of the countback is called, and a tie that outlasts them all.
struct StageNames {
    QString stage[4];
    QString tied;
};
StageNames eighteenHoles()
{
    return {{QLatin1String(kStages[0].name), QLatin1String(kStages[1].name),
             QLatin1String(kStages[2].name), QLatin1String(kStages[3].name)},
            QStringLiteral("tied after the 18th")};
}

QList<Placing> place(QList<Entry> ranked, const std::function<Placing(int row)>& line,
                     const std::function<double(double)>& shown,
                     const StageNames& names = eighteenHoles())
{
    // Lowest score first; ties by the stages in turn; still tied, in the order stored.
    std::stable_sort(ranked.begin(), ranked.end(), [](const Entry& a, const Entry& b) {
        if (const int c = compare(a.marks.score, b.marks.score); c != 0)
            return c < 0;
        for (int s = 0; s < 4; ++s)
            if (const int c = compare(a.marks.stages[s], b.marks.stages[s]); c != 0)
                return c < 0;
        return false;
    });
    // In this order a card's nearest neighbours of its score differ from it latest of
    // all: what decided, and whether it is level, is read from them alone.
    const auto level = [&ranked](int a, int b) {
        return compare(ranked[a].marks.score, ranked[b].marks.score) == 0;
    };
    QList<Placing> placings;
    int runStart = 0; // the first of the cards equal to this one at every stage
    for (int i = 0; i < ranked.size(); ++i) {
        Placing p = line(ranked[i].row);
        const bool asBefore = i > 0 && level(i - 1, i) &&
                              firstDifference(ranked[i - 1].marks, ranked[i].marks) == 4;
        const bool asAfter = i + 1 < ranked.size() && level(i + 1, i) &&
                             firstDifference(ranked[i + 1].marks, ranked[i].marks) == 4;
        if (!asBefore)
            runStart = i;
        const int placeAt = runStart;
        const bool shared = asBefore || asAfter;
        p.position = QString::number(placeAt + 1) + (shared ? QStringLiteral("=") : QString());
        int decided = -1;
        if (i > 0 && level(i - 1, i))
            decided = std::max(decided, firstDifference(ranked[i - 1].marks, ranked[i].marks));
        if (i + 1 < ranked.size() && level(i + 1, i))
            decided = std::max(decided, firstDifference(ranked[i + 1].marks, ranked[i].marks));
        if (decided == 4)
            p.countback = names.tied;
        else if (decided >= 0)
            p.countback = QStringLiteral("%1: %2").arg(
                names.stage[decided], number(shown(ranked[i].marks.stages[decided])));
        placings << p;
    }
    return placings;
}

// A player who handed in more than one card is said so on each.
void noteSecondCards(QList<Placing>& placings, const QHash<QString, int>& cardsOf)
{
    for (Placing& p : placings)
        if (cardsOf.value(p.player.toLower()) > 1)
            p.countback += (p.countback.isEmpty() ? QString() : QStringLiteral("; ")) +
                           QStringLiteral("one of %1 cards").arg(cardsOf.value(p.player.toLower()));
}

} // namespace

QList<Placing> rankCards(const Rows& cards, Basis basis, const std::optional<QString>& division)
{
    const auto column = [&cards](const char* name) {
        for (qsizetype i = 0; i < cards.columns.size(); ++i)
            if (cards.columns[i].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    };
    const int player = column("playerID");
    const int div = column("division");
    const int hand = column("hand");
    const int gross = column("gross");
    const int net = column("net");
    const int card = column("card");
    const int hole1 = column("hole1");

    QList<Entry> ranked;
    QList<int> noReturns;
    QHash<QString, int> cardsOf; // a player entered more than once is said so
    for (int r = 0; r < cards.rows.size(); ++r) {
        const QVariantList& row = cards.rows[r];
        if (division && row.value(div).toString().compare(*division, Qt::CaseInsensitive) != 0)
            continue;
        ++cardsOf[row.value(player).toString().toLower()];
        std::array<double, 18> holes{};
        bool returned = hole1 >= 0;
        for (int h = 0; h < 18 && returned; ++h) {
            const QVariant& v = row[hole1 + h];
            holes[h] = v.toDouble();
            returned = !v.isNull() && holes[h] > 0;
        }
        if (!returned) {
            noReturns << r;
            continue;
        }
        const double score = row.value(basis == Basis::Net ? net : gross).toDouble();
        ranked.append({r, countbackOf(holes, row.value(hand).toDouble(), score, basis)});
    }
    const auto line = [&](int r) {
        const QVariantList& row = cards.rows[r];
        Placing p;
        p.player = valueText(row.value(player));
        p.division = valueText(row.value(div));
        p.handicap = valueText(row.value(hand));
        p.gross = valueText(row.value(gross));
        p.net = valueText(row.value(net));
        p.card = row.value(card).toLongLong();
        return p;
    };
    QList<Placing> placings = place(ranked, line, [](double mark) { return mark; });
    for (int r : std::as_const(noReturns)) {
        Placing p = line(r);
        p.position = QStringLiteral("NR");
        placings << p;
    }
    noteSecondCards(placings, cardsOf);
    return placings;
}

namespace {

QString holesUp(int margin)
{
    if (margin == 0)
        return QStringLiteral("all square");
    return margin > 0 ? QStringLiteral("+%1").arg(margin) : QString::number(margin);
}

} // namespace

Ranking rankingOf(const competitions::Settings& settings, Basis basis,
                  const std::optional<QString>& division, const QList<competitions::Side>& sides)
{
    Ranking r;
    r.format = settings.format;
    r.basis = basis;
    r.division = division;
    r.team = settings.team;
    r.nine = settings.nine;
    r.sides = sides;
    return r;
}

Result<CourseBook> courseBook(Connection& connection, const Rows& cards)
{
    const auto all = courses::allByName(connection);
    if (!all)
        return Failure{all.error()};
    qsizetype column = 0;
    while (column < cards.columns.size() &&
           cards.columns[column].compare(u"course", Qt::CaseInsensitive) != 0)
        ++column;
    CourseBook book;
    for (const QVariantList& row : cards.rows) {
        const QString name = row.value(column).toString().toLower();
        if (const auto it = all->constFind(name); it != all->constEnd() && !book.contains(name))
            book.insert(name, *it);
    }
    return book;
}

namespace {

// The holes a card is scored against: its course's, or its tee's own; none when the
// course is not in the register.
golf::Holes holesPlayed(const Round& round, const CourseBook& courses)
{
    const auto course = courses.constFind(round.course.toLower());
    if (course == courses.constEnd())
        return golf::Holes();
    const Tee* tee = nullptr;
    if (round.teeID)
        for (const Tee& t : course->tees)
            if (t.id == *round.teeID)
                tee = &t;
    return holesOf(course->course, tee);
}

// The holes a competition is played over: the first (from 0) and how many.
struct Range {
    int first = 0;
    int count = 18;
};

Range rangeOf(competitions::Nine nine)
{
    switch (nine) {
    case competitions::Nine::Front:
        return {0, 9};
    case competitions::Nine::Back:
        return {9, 9};
    case competitions::Nine::Eighteen:
        break;
    }
    return {};
}

// The holes of each countback stage: over nine, the last 6, 3 and the last hole (the
// fourth stage repeats the third, so it never decides).
std::array<int, 4> stageHoles(Range range)
{
    if (range.count == 18)
        return {9, 6, 3, 1};
    return {6, 3, 1, 1};
}

StageNames namesOf(Range range)
{
    if (range.count == 18)
        return eighteenHoles();
    const QString last = QStringLiteral("%1th").arg(range.first + range.count);
    return {{QStringLiteral("last 6"), QStringLiteral("last 3"), last, last},
            QStringLiteral("tied after the ") + last};
}

// A card scored hole by hole over the competition's holes.
struct HoleByHole {
    QString why;                              // not empty: it cannot be scored
    std::array<int, 18> strokes{};            // 0: no score
    std::array<std::optional<int>, 18> value; // net or gross strokes, points or result
    int playing = 0; // the strokes received over the card, a higher tee's too
    int extra = 0;   // those for a higher tee
    int teePar = 0;
    int gross = 0;
    bool everyHole = true;
    bool anyHole = false;
};

HoleByHole scoreByHoles(const Round& round, const Ranking& ranking, const CourseBook& courses,
                        Range range, int lowestPar)
{
    using competitions::Format;
    HoleByHole card;
    const golf::Holes holes = holesPlayed(round, courses);
    if (!holes.complete()) {
        card.why = QStringLiteral("%1 has no stroke indexes in the register").arg(round.course);
        return card;
    }
    card.teePar = round.teePar ? golf::roundToWhole(*round.teePar) : 0;
    if (ranking.format == Format::Stroke && ranking.basis == Basis::Net && card.teePar > 0 &&
        lowestPar > 0)
        card.extra = golf::mixedTeeStrokes(golf::Play::StrokePlay, card.teePar, lowestPar);
    if (ranking.basis == Basis::Net)
        card.playing =
            round.playingHandicap.value_or(strokesOff(round.handicap.value_or(0))) + card.extra;
    for (int h = 0; h < 18; ++h)
        card.strokes[h] = qMax(0, round.holes[h].value_or(0));
    const golf::Scored scored =
        range.count == 18 ? golf::scoreHoles(card.strokes, holes, card.playing)
                          : golf::scoreNine(card.strokes, holes, card.playing, range.first);
    for (int h = range.first; h < range.first + range.count; ++h) {
        const int strokes = card.strokes[h];
        card.gross += strokes;
        card.everyHole &= strokes > 0;
        card.anyHole |= strokes > 0;
        if (strokes <= 0)
            continue;
        switch (ranking.format) {
        case Format::Stroke:
            card.value[h] = strokes - scored.received[h];
            break;
        case Format::Stableford:
            card.value[h] = scored.points[h];
            break;
        case Format::ParBogey:
            card.value[h] = scored.result[h];
            break;
        }
    }
    return card;
}

// Who is ranked: a player's card, or a side with its players' cards or its own.
struct Unit {
    QString name;
    QStringList players;
    QList<int> cards; // rows of the field
};

// Ranks by holes: sides of every format, nine-hole days and mixed-tee fields.
QList<Placing> rankByHoles(const Rows& cards, const Ranking& ranking, const CourseBook& courses,
                           int lowestPar)
{
    using competitions::Format;
    const Range range = rangeOf(ranking.nine);
    const auto stages = stageHoles(range);
    const bool stroke = ranking.format == Format::Stroke;
    const bool betterBall =
        ranking.team != golf::TeamFormat::Individual && !golf::oneBall(ranking.team);
    const int counted = betterBall ? golf::ballsCounted(ranking.team) : 1;

    QList<Round> rounds;
    rounds.reserve(cards.rows.size());
    const RoundReader reader(cards.columns);
    for (const QVariantList& row : cards.rows)
        rounds << reader.read(row);
    QList<HoleByHole> scored;
    scored.reserve(rounds.size());
    for (const Round& round : std::as_const(rounds))
        scored << scoreByHoles(round, ranking, courses, range, lowestPar);

    QList<Unit> units;
    QHash<QString, int> cardsOf;
    if (ranking.team == golf::TeamFormat::Individual) {
        for (int r = 0; r < rounds.size(); ++r) {
            if (ranking.division &&
                rounds[r].division.compare(*ranking.division, Qt::CaseInsensitive) != 0)
                continue;
            ++cardsOf[rounds[r].player.toLower()];
            units.append({rounds[r].player, {}, {r}});
        }
    } else {
        QHash<QString, QList<int>> rowsOf; // by player (or side) in lower case
        for (int r = 0; r < rounds.size(); ++r)
            rowsOf[rounds[r].player.toLower()] << r;
        for (const competitions::Side& side : ranking.sides) {
            Unit unit{side.name, side.players, {}};
            if (betterBall) {
                for (const QString& player : side.players)
                    unit.cards += rowsOf.value(player.toLower());
                std::sort(unit.cards.begin(), unit.cards.end());
            } else {
                unit.cards = rowsOf.value(side.name.toLower());
            }
            if (!betterBall && unit.cards.size() > 1)
                cardsOf[side.name.toLower()] = int(unit.cards.size());
            units << unit;
        }
    }

    // Each unit's mark a hole (best lowest: points and results count down), or why none.
    QList<Entry> ranked;
    QList<std::pair<int, QString>> unscored;
    QHash<int, QString> totals;
    for (int u = 0; u < units.size(); ++u) {
        const Unit& unit = units[u];
        QList<int> usable;
        QString why = unit.cards.isEmpty() ? QStringLiteral("no card") : QString();
        for (int r : unit.cards) {
            if (scored[r].why.isEmpty() && scored[r].anyHole)
                usable << r;
            else if (why.isEmpty())
                why = scored[r].why;
            if (!betterBall)
                break; // a player's or a one-ball side's first card
        }
        if (usable.isEmpty()) {
            unscored.append({u, why});
            continue;
        }
        std::array<double, 18> mark{};
        bool complete = true;
        for (int h = range.first; h < range.first + range.count && complete; ++h) {
            if (!betterBall && stroke) {
                // A card counts back its strokes less shares of its handicap.
                const HoleByHole& card = scored[usable.first()];
                complete = card.everyHole;
                mark[h] = card.strokes[h];
                continue;
            }
            QList<int> values;
            for (int r : std::as_const(usable))
                if (scored[r].value[h])
                    values << *scored[r].value[h];
            if (stroke) {
                std::sort(values.begin(), values.end());
                if (values.size() < counted) {
                    complete = false;
                    why = QStringLiteral("no score on the %1th").arg(h + 1);
                    break;
                }
            } else {
                std::sort(values.begin(), values.end(), std::greater<>());
                // A ball without a score earns nothing, and loses the hole at par/bogey.
                while (values.size() < counted)
                    values << (ranking.format == Format::ParBogey ? -1 : 0);
            }
            int sum = 0;
            for (int i = 0; i < counted; ++i)
                sum += values[i];
            mark[h] = stroke ? sum : -sum;
        }
        if (!complete) {
            unscored.append({u, why});
            continue;
        }
        const int last = range.first + range.count;
        const double handicap = !betterBall && stroke ? scored[usable.first()].playing : 0;
        Countback marks;
        for (int h = range.first; h < last; ++h)
            marks.score += mark[h];
        marks.score -= handicap;
        for (int s = 0; s < 4; ++s) {
            double stage = 0;
            for (int h = last - stages[s]; h < last; ++h)
                stage += mark[h];
            marks.stages[s] = stage - handicap * stages[s] / range.count;
        }
        totals.insert(u, stroke                               ? number(marks.score)
                         : ranking.format == Format::ParBogey ? holesUp(int(-marks.score))
                                                              : number(-marks.score));
        ranked.append({u, marks});
    }

    const auto line = [&](int u) {
        const Unit& unit = units[u];
        Placing p;
        p.player = unit.name;
        p.players = unit.players;
        QStringList handicaps;
        for (int r : unit.cards) {
            handicaps << (ranking.basis == Basis::Net
                              ? QString::number(scored[r].playing)
                              : (rounds[r].playingHandicap
                                     ? QString::number(*rounds[r].playingHandicap)
                                     : shown(rounds[r].handicap)));
            if (!betterBall)
                break;
        }
        p.handicap = handicaps.join(QStringLiteral(", "));
        if (!betterBall && !unit.cards.isEmpty()) {
            const int r = unit.cards.first();
            p.division = rounds[r].division;
            p.gross = QString::number(scored[r].gross);
            p.net = QString::number(scored[r].gross - scored[r].playing);
            p.card = rounds[r].key;
        }
        if (stroke)
            p.net = totals.value(u, p.net);
        else
            p.points = totals.value(u);
        return p;
    };
    QList<Placing> placings = place(
        ranked, line, [stroke](double mark) { return stroke ? mark : -mark; }, namesOf(range));
    for (const auto& [u, why] : std::as_const(unscored)) {
        Placing p = line(u);
        p.position = QStringLiteral("NR");
        p.countback = why;
        placings << p;
    }
    noteSecondCards(placings, cardsOf);
    // Who played off a higher tee, and what it gave them.
    QHash<QString, const Unit*> byName;
    for (const Unit& unit : std::as_const(units))
        byName.insert(unit.name.toLower(), &unit);
    for (Placing& p : placings) {
        const Unit* unit = byName.value(p.player.toLower());
        if (!unit)
            continue;
        QStringList notes;
        for (int r : unit->cards)
            if (scored[r].extra > 0)
                notes << QStringLiteral("%1 +%2: tee par %3, the field's lowest %4")
                             .arg(rounds[r].player)
                             .arg(scored[r].extra)
                             .arg(scored[r].teePar)
                             .arg(lowestPar);
        if (!notes.isEmpty())
            p.countback += (p.countback.isEmpty() ? QString() : QStringLiteral("; ")) +
                           notes.join(QStringLiteral("; "));
    }
    return placings;
}

// The lowest tee par of a stroke-play field on a net basis when its tees differ in par;
// 0 when they do not (or the play needs no adjustment).
int lowestParOfMixedField(const Rows& cards, const Ranking& ranking)
{
    if (ranking.format != competitions::Format::Stroke || ranking.basis != Basis::Net)
        return 0;
    qsizetype column = cards.columns.indexOf(QStringLiteral("teePar"));
    if (column < 0)
        return 0;
    int lowest = 0;
    int highest = 0;
    for (const QVariantList& row : cards.rows) {
        const QVariant& v = row.value(column);
        if (v.isNull())
            continue;
        const int par = golf::roundToWhole(v.toDouble());
        if (par <= 0)
            continue;
        lowest = lowest == 0 ? par : qMin(lowest, par);
        highest = qMax(highest, par);
    }
    return highest > lowest ? lowest : 0;
}

} // namespace

QList<Placing> rankCompetition(const Rows& cards, const Ranking& ranking,
                               const CourseBook& courses)
{
    using competitions::Format;
    const int lowestPar = lowestParOfMixedField(cards, ranking);
    if (ranking.team != golf::TeamFormat::Individual ||
        ranking.nine != competitions::Nine::Eighteen || lowestPar > 0)
        return rankByHoles(cards, ranking, courses, lowestPar);
    if (ranking.format == Format::Stroke)
        return rankCards(cards, ranking.basis, ranking.division);
    const bool stableford = ranking.format == Format::Stableford;
    QList<Round> rounds;
    rounds.reserve(cards.rows.size());
    const RoundReader reader(cards.columns);
    for (const QVariantList& row : cards.rows)
        rounds << reader.read(row);

    // Marked so that the best is lowest: points and margins count down.
    QList<Entry> ranked;
    QHash<int, QString> scores;
    QList<std::pair<int, QString>> unscored; // row, why
    QHash<QString, int> cardsOf;
    for (int r = 0; r < rounds.size(); ++r) {
        const Round& round = rounds[r];
        if (ranking.division &&
            round.division.compare(*ranking.division, Qt::CaseInsensitive) != 0)
            continue;
        ++cardsOf[round.player.toLower()];
        const golf::Holes holes = holesPlayed(round, courses);
        if (!holes.complete()) {
            unscored.append({r, QStringLiteral("%1 has no stroke indexes in the register")
                                    .arg(round.course)});
            continue;
        }
        std::array<int, 18> strokes{};
        bool any = false;
        for (int h = 0; h < 18; ++h) {
            strokes[h] = qMax(0, round.holes[h].value_or(0));
            any |= strokes[h] > 0;
        }
        if (!any) {
            unscored.append({r, QString()});
            continue;
        }
        const int playing =
            ranking.basis == Basis::Gross
                ? 0
                : round.playingHandicap.value_or(strokesOff(round.handicap.value_or(0)));
        const golf::Scored scored = golf::scoreHoles(strokes, holes, playing);
        const auto worth = [&](int h) { return stableford ? scored.points[h] : scored.result[h]; };
        Countback marks;
        int total = 0;
        for (int h = 0; h < 18; ++h)
            total += worth(h);
        marks.score = -total;
        for (int s = 0; s < 4; ++s) {
            int stage = 0;
            for (int h = 18 - kStages[s].holes; h < 18; ++h)
                stage += worth(h);
            marks.stages[s] = -stage;
        }
        scores.insert(r, stableford ? QString::number(total) : holesUp(total));
        ranked.append({r, marks});
    }
    const auto line = [&](int r) {
        const Round& round = rounds[r];
        Placing p;
        p.player = round.player;
        p.division = round.division;
        p.handicap = round.playingHandicap ? QString::number(*round.playingHandicap)
                                           : shown(round.handicap);
        p.gross = shown(round.gross);
        p.net = shown(round.net);
        p.points = scores.value(r);
        p.card = round.key;
        return p;
    };
    QList<Placing> placings = place(ranked, line, [](double mark) { return -mark; });
    for (const auto& [r, why] : std::as_const(unscored)) {
        Placing p = line(r);
        p.position = QStringLiteral("NR");
        p.countback = why;
        placings << p;
    }
    noteSecondCards(placings, cardsOf);
    return placings;
}

} // namespace parlog
