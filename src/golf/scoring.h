#pragma once

#include "data/records.h"

#include <array>
#include <optional>

// A card scored hole by hole against the course (or its tee): strokes received, points,
// par/bogey results, and the handicaps a rated tee turns an index into.
namespace parlog::golf {

// What a card is scored against: each hole's par and stroke index.
struct Holes {
    std::array<int, 18> par{};
    std::array<int, 18> strokeIndex{}; // 0 where there is none
    // Every hole has a par and a stroke index: the card can be scored.
    bool complete() const;
};
// The course's holes, with those a tee has of its own in their place.
Holes holesOf(const Course& course, const Tee* tee = nullptr);
// The par of the tee, else of the course, else the holes' sum; 0 when nothing says.
int parOf(const Course& course, const Tee* tee = nullptr);

struct Scored {
    std::array<int, 18> received{};
    std::array<int, 18> points{};
    std::array<int, 18> result{}; // par/bogey: +1 won, 0 halved, -1 lost
    int totalPoints = 0;
    int won = 0;
    int lost = 0;
};
// Strokes of 0 are holes without a score.
Scored scoreHoles(const std::array<int, 18>& strokes, const Holes& holes, int playingHandicap);

// A card's handicaps from a Handicap Index on a rated tee, the competition's allowance
// (0.95 for 95%) applied; nothing when the tee is not rated or its par is not known.
struct Handicaps {
    double courseHandicap = 0; // not rounded
    int playingHandicap = 0;
};
std::optional<Handicaps> handicapsFor(double handicapIndex, const Tee& tee, int par,
                                      double allowance);

} // namespace parlog::golf
