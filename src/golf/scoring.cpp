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

namespace {

// A hole's points and result once its strokes received are known.
void scoreHole(Scored& s, int h, int strokes, int par, int received)
{
    s.received[h] = received;
    s.points[h] = stablefordPoints(strokes, par, received);
    s.result[h] = parBogeyResult(strokes, par, received);
    s.totalPoints += s.points[h];
    s.won += s.result[h] > 0;
    s.lost += s.result[h] < 0;
}

} // namespace

Scored scoreHoles(const std::array<int, 18>& strokes, const Holes& holes, int playingHandicap)
{
    Scored s;
    for (int h = 0; h < 18; ++h)
        scoreHole(s, h, strokes[h], holes.par[h],
                  strokesReceived(playingHandicap, holes.strokeIndex[h]));
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
        scoreHole(s, h, strokes[h], holes.par[h], strokesReceivedOnNine(playingHandicap, place));
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
