#include "golf/scoring.h"

#include "golf/rules.h"
#include "golf/whs.h"

namespace parlog::golf {

bool Holes::complete() const
{
    for (int h = 0; h < 18; ++h)
        if (par[h] <= 0 || strokeIndex[h] <= 0)
            return false;
    return true;
}

Scored scoreHoles(const std::array<int, 18>& strokes, const Holes& holes, int playingHandicap)
{
    Scored s;
    for (int h = 0; h < 18; ++h) {
        s.received[h] = strokesReceived(playingHandicap, holes.strokeIndex[h]);
        s.points[h] = stablefordPoints(strokes[h], holes.par[h], s.received[h]);
        s.result[h] = parBogeyResult(strokes[h], holes.par[h], s.received[h]);
        s.totalPoints += s.points[h];
        s.won += s.result[h] > 0;
        s.lost += s.result[h] < 0;
    }
    return s;
}

Scored scoreNine(const std::array<int, 18>& strokes, const Holes& holes, int playingHandicap,
                 int firstHole)
{
    Scored s;
    for (int h = firstHole; h < firstHole + 9; ++h) {
        int place = 1;
        for (int other = firstHole; other < firstHole + 9; ++other)
            place += holes.strokeIndex[other] < holes.strokeIndex[h];
        s.received[h] = strokesReceivedOnNine(playingHandicap, place);
        s.points[h] = stablefordPoints(strokes[h], holes.par[h], s.received[h]);
        s.result[h] = parBogeyResult(strokes[h], holes.par[h], s.received[h]);
        s.totalPoints += s.points[h];
        s.won += s.result[h] > 0;
        s.lost += s.result[h] < 0;
    }
    return s;
}

std::optional<Handicaps> handicapsFor(double handicapIndex, double courseRating, int slopeRating,
                                      int par, double allowance)
{
    if (par <= 0 || !whs::ratingsHold(courseRating, slopeRating, par))
        return std::nullopt;
    Handicaps h;
    h.courseHandicap = whs::courseHandicap(handicapIndex, slopeRating, courseRating, par);
    h.playingHandicap = whs::playingHandicap(h.courseHandicap, allowance);
    return h;
}

} // namespace parlog::golf
