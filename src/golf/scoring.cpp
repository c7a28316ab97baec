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

Holes holesOf(const Course& course, const Tee* tee)
{
    Holes holes;
    for (int h = 0; h < 18; ++h) {
        const std::optional<double> par = tee && tee->pars[h] ? tee->pars[h] : course.pars[h];
        const std::optional<int> index =
            tee && tee->strokeIndexes[h] ? tee->strokeIndexes[h] : course.strokeIndexes[h];
        holes.par[h] = par ? roundToWhole(*par) : 0;
        holes.strokeIndex[h] = index.value_or(0);
    }
    return holes;
}

int parOf(const Course& course, const Tee* tee)
{
    if (tee && tee->par)
        return roundToWhole(*tee->par);
    bool ownPars = false;
    for (int h = 0; tee && h < 18; ++h)
        ownPars |= tee->pars[h].has_value();
    if (!ownPars && course.par && *course.par > 0)
        return roundToWhole(*course.par);
    int sum = 0;
    for (int par : holesOf(course, tee).par) {
        if (par <= 0)
            return 0;
        sum += par;
    }
    return sum;
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

std::optional<Handicaps> handicapsFor(double handicapIndex, const Tee& tee, int par,
                                      double allowance)
{
    if (!tee.rated() || par <= 0 || !whs::ratingsHold(*tee.courseRating, *tee.slopeRating, par))
        return std::nullopt;
    Handicaps h;
    h.courseHandicap = whs::courseHandicap(handicapIndex, *tee.slopeRating, *tee.courseRating, par);
    h.playingHandicap = whs::playingHandicap(h.courseHandicap, allowance);
    return h;
}

} // namespace parlog::golf
