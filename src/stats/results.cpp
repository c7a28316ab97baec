#include "stats/results.h"

#include "data/conversions.h"

#include <QHash>

#include <algorithm>
#include <cmath>

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

Countback countback(const QVariantList& holes, double handicap, double score, Basis basis)
{
    Countback c;
    c.score = score;
    const double allowance = basis == Basis::Net ? handicap : 0;
    for (int s = 0; s < 4; ++s) {
        double strokes = 0;
        for (int h = 18 - kStages[s].holes; h < 18; ++h)
            strokes += holes.value(h).toDouble();
        c.stages[s] = strokes - allowance * kStages[s].share;
    }
    return c;
}

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
        QVariantList holes;
        bool returned = hole1 >= 0;
        for (int h = 0; h < 18 && returned; ++h) {
            const QVariant v = row.value(hole1 + h);
            holes << v;
            returned = !v.isNull() && v.toDouble() > 0;
        }
        if (!returned) {
            noReturns << r;
            continue;
        }
        const double score = row.value(basis == Basis::Net ? net : gross).toDouble();
        ranked.append({r, countback(holes, row.value(hand).toDouble(), score, basis)});
    }
    // Lowest score first; ties by the stages in turn; still tied, in the order stored.
    std::stable_sort(ranked.begin(), ranked.end(), [](const Entry& a, const Entry& b) {
        if (const int c = compare(a.marks.score, b.marks.score); c != 0)
            return c < 0;
        for (int s = 0; s < 4; ++s)
            if (const int c = compare(a.marks.stages[s], b.marks.stages[s]); c != 0)
                return c < 0;
        return false;
    });

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
    QList<Placing> placings;
    for (int i = 0; i < ranked.size(); ++i) {
        Placing p = line(ranked[i].row);
        // The place: one more than the cards that beat it; shared when a card is equal
        // at every stage.
        int place = i;
        while (place > 0 && compare(ranked[place - 1].marks.score, ranked[i].marks.score) == 0 &&
               firstDifference(ranked[place - 1].marks, ranked[i].marks) == 4)
            --place;
        bool shared =
            place < i || (i + 1 < ranked.size() &&
                          compare(ranked[i + 1].marks.score, ranked[i].marks.score) == 0 &&
                          firstDifference(ranked[i + 1].marks, ranked[i].marks) == 4);
        p.position = QString::number(place + 1) + (shared ? QStringLiteral("=") : QString());
        // What decided between this card and the closest of those level with it: the
        // cards of one score stand together in the order.
        int decided = -1;
        for (int j = i - 1; j >= 0 && compare(ranked[j].marks.score, ranked[i].marks.score) == 0;
             --j)
            decided = std::max(decided, firstDifference(ranked[j].marks, ranked[i].marks));
        for (int j = i + 1;
             j < ranked.size() && compare(ranked[j].marks.score, ranked[i].marks.score) == 0; ++j)
            decided = std::max(decided, firstDifference(ranked[j].marks, ranked[i].marks));
        if (decided == 4)
            p.countback = QStringLiteral("tied after the 18th");
        else if (decided >= 0)
            p.countback = QStringLiteral("%1: %2").arg(QLatin1String(kStages[decided].name),
                                                       number(ranked[i].marks.stages[decided]));
        placings << p;
    }
    for (int r : std::as_const(noReturns)) {
        Placing p = line(r);
        p.position = QStringLiteral("NR");
        placings << p;
    }
    for (Placing& p : placings)
        if (cardsOf.value(p.player.toLower()) > 1)
            p.countback += (p.countback.isEmpty() ? QString() : QStringLiteral("; ")) +
                           QStringLiteral("one of %1 cards").arg(cardsOf.value(p.player.toLower()));
    return placings;
}

} // namespace parlog
