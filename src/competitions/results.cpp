#include "competitions/results.h"

#include "data/conversions.h"
#include "data/records.h"
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
QList<Placing> place(QList<Entry> ranked, const std::function<Placing(int row)>& line,
                     const std::function<double(double)>& shown)
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
            p.countback = QStringLiteral("tied after the 18th");
        else if (decided >= 0)
            p.countback = QStringLiteral("%1: %2").arg(QLatin1String(kStages[decided].name),
                                                       number(shown(ranked[i].marks.stages[decided])));
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

QList<Placing> rankCompetition(const Rows& cards, const Ranking& ranking,
                               const CourseBook& courses)
{
    using competitions::Format;
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
        const auto course = courses.constFind(round.course.toLower());
        const Tee* tee = nullptr;
        if (course != courses.constEnd() && round.teeID)
            for (const Tee& t : course->tees)
                if (t.id == *round.teeID)
                    tee = &t;
        const golf::Holes holes =
            course != courses.constEnd() ? holesOf(course->course, tee) : golf::Holes();
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
