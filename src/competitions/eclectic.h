#pragma once

#include "data/queries.h"
#include "competitions/results.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace parlog {

// A player's eclectic: the best score on each hole over the cards of a course.
struct EclecticLine {
    QString position; // "1", "2=", "NR" when a hole was never scored
    QString player;
    std::array<int, 18> best{};        // 0: never scored
    std::array<QString, 18> madeOn{};  // the day (ISO) each best was first made
    int out = 0;
    int in = 0;
    int gross = 0;
    std::optional<int> handicap; // the lowest playing handicap of the cards
    std::optional<int> net;      // gross less the share of that handicap
    int cards = 0;
    bool complete() const;
};

// The eclectic of the cards (rows as rounds::eclecticCards gives them), by gross or by
// net: net is the gross less SHARE (0.5 for 50%) of the player's lowest playing
// handicap, rounded as the card rules round. Ranked lowest first, players level
// sharing the place; a player with a hole never scored comes last as "NR".
QList<EclecticLine> eclectic(const Rows& cards, Basis basis, double share);

// The eclectic of a course between two days (ISO, both included).
Result<QList<EclecticLine>> eclectic(Connection& connection, const QString& course,
                                     const QString& from, const QString& to, Basis basis,
                                     double share);

} // namespace parlog
