#include "golf/whs.h"

#include "golf/rules.h"

namespace parlog::whs {

double scoreDifferential(int adjustedGrossScore, double courseRating, int slopeRating, double pcc)
{
    return golf::roundHalfUp(113.0 / slopeRating * (adjustedGrossScore - courseRating - pcc), 1);
}

double courseHandicap(double handicapIndex, int slopeRating, double courseRating, int par)
{
    return handicapIndex * slopeRating / 113.0 + (courseRating - par);
}

int playingHandicap(double courseHandicap, double allowance)
{
    return golf::roundToWhole(courseHandicap * allowance);
}

} // namespace parlog::whs
