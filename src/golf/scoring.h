#pragma once

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
// Over one nine (firstHole 0 or 9) with a nine-hole playing handicap, the strokes given
// by the holes' order of stroke index within the nine; the other nine scores nothing.
Scored scoreNine(const std::array<int, 18>& strokes, const Holes& holes, int playingHandicap,
                 int firstHole);

// A card's handicaps from a Handicap Index on a tee of these ratings, the competition's
// allowance (0.95 for 95%) applied; nothing when the ratings are none a tee can have or
// its par is not known.
struct Handicaps {
    double courseHandicap = 0; // not rounded
    int playingHandicap = 0;
};
std::optional<Handicaps> handicapsFor(double handicapIndex, double courseRating, int slopeRating,
                                      int par, double allowance);

} // namespace parlog::golf
