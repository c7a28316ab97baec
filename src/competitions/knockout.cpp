#include "competitions/knockout.h"

#include "golf/matchplay.h"

#include <random>

namespace parlog::knockout {

QList<int> seedOrder(int size)
{
    QList<int> order{1};
    // Each round back from the final: every seed meets the one that adds to one more than
    // the round's entries.
    while (order.size() < size) {
        const int entries = int(order.size()) * 2;
        QList<int> next;
        for (int s : std::as_const(order))
            next << s << entries + 1 - s;
        order = next;
    }
    return order;
}

QList<Pairing> firstRound(const QStringList& entries, bool seeded, quint32 seed)
{
    QStringList order = entries;
    if (!seeded) {
        std::mt19937 random(seed);
        for (qsizetype i = order.size() - 1; i > 0; --i)
            order.swapItemsAt(i, qsizetype(random() % quint32(i + 1)));
    }
    const int size = int(entries.size()) + golf::byes(int(entries.size()));
    const QList<int> places = seedOrder(size);
    QList<Pairing> round;
    for (qsizetype i = 0; i + 1 < places.size(); i += 2) {
        // A place past the entries is a bye for the one it meets.
        const QString a = order.value(places[i] - 1);
        const QString b = order.value(places[i + 1] - 1);
        round.append(a.isEmpty() ? Pairing{b, a} : Pairing{a, b});
    }
    return round;
}

} // namespace parlog::knockout
