#pragma once

#include "data/queries.h"

#include <QList>
#include <QString>

#include <optional>

namespace parlog {

enum class Basis { Net, Gross };

// One card's line in the results.
struct Placing {
    QString position; // "1", "3=" for a shared place, "NR" for no return
    QString player;
    QString division;
    QString handicap;
    QString gross;
    QString net;
    QString countback; // what decided a tie: "last 9: 33.5"
    qint64 card = 0;   // the round's key
};

// The countback stages of a card: its score and then the last 9, 6 and 3 holes and
// the 18th, each less its share of the handicap (none on a gross basis). Fractions
// are kept.
struct Countback {
    double score = 0;
    double stages[4] = {0, 0, 0, 0};
};
Countback countback(const QVariantList& holes18, double handicap, double score, Basis basis);

// Ranks the cards of a competition (rows as rounds::competitionCards gives them):
// by net or gross, ties broken by the matching-cards method recommended for stroke
// play, players still tied sharing the place. Cards with a hole not played (0) come
// after the ranked ones as "NR". Only the cards of one division when one is given.
QList<Placing> rankCards(const Rows& cards, Basis basis,
                         const std::optional<QString>& division = {});

} // namespace parlog
