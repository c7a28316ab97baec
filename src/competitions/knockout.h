#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A knock-out draw: the first round's matches with byes for the top of the draw, so that
// the second round is a power of two.
namespace parlog::knockout {

struct Pairing {
    QString a;
    QString b; // empty: A has a bye
    bool bye() const { return b.isEmpty(); }
};

// The seeds' places down a draw of that size (a power of two), the top seed first: 1
// meets the last, the top two can meet only in the final (8: 1 8 4 5 2 7 3 6).
QList<int> seedOrder(int size);
// The first round, in the bracket's order from the top. Seeded: the entries in seed
// order (by handicap or by last year's order), the byes going to the top seeds. Drawn:
// shuffled first, the same draw again from the same seed.
QList<Pairing> firstRound(const QStringList& entries, bool seeded, quint32 seed = 0);

} // namespace parlog::knockout
