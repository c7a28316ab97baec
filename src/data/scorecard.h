#pragma once

#include "golf/whs.h"

#include "data/records.h"

#include <QString>

#include <array>
#include <optional>

namespace parlog {

// The boxes of a score card that take part in its totals, as texts.
struct CardTotals {
    std::array<QString, 18> holes;
    QString out;
    QString inn;
    QString gross;
    QString net;
    QString handicap;
};

// Recomputes out, in, gross and net in 16-bit arithmetic, each step on its own: a
// step that cannot be formed leaves its box as it was, and the later steps use what
// the box then holds.
void recomputeTotals(CardTotals& card);

// Everything one round stores, as the boxes hold it.
struct RoundCard {
    CardTotals totals;
    QString course;
    QString date;
    QString putts;
    QString player;
    std::array<bool, 18> greens{};
    std::array<bool, 18> fairways{};
    QString division;
    QString standardScratch;
    QString competition;
    QString comment;
    // The tee chosen, with its par, and the handicaps it turned the index into.
    std::optional<Tee> tee;
    int teePar = 0;
    QString handicapIndex;                // as shown: "+1.2" for a plus index
    std::optional<double> courseHandicap; // not rounded
    QString playingHandicap;
    std::optional<int> points;
    // A side's one ball: how many played it; none on a player's own card.
    std::optional<int> sidePlayers;
    // Hole by hole, where they were entered: putts (their sum then is the putts total),
    // penalty strokes, a greenside bunker.
    std::array<std::optional<int>, 18> holePutts;
    std::array<std::optional<int>, 18> penalties;
    std::array<std::optional<bool>, 18> bunkers;
};

// A Handicap Index as typed: "12.4", or "+1.2" for a plus index (-1.2); shown by
// showIndex.
std::optional<double> readIndex(const QString& text);

// Why a card cannot be stored: a box that does not convert, or a hole whose detail no
// card can hold (more putts or penalty strokes than strokes).
enum class CardFault { Box, Hole };
// Every box converted for the round it stores. Fails naming the first box that does
// not convert, or the first hole with more putts than strokes; FAULT, when given, says
// which.
Result<Round> roundValues(const RoundCard& card, CardFault* fault = nullptr);

} // namespace parlog
