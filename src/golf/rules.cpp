#include "golf/rules.h"

#include <cmath>

namespace parlog::golf {

int strokesReceived(int playingHandicap, int strokeIndex)
{
    if (playingHandicap >= 0)
        return playingHandicap / 18 + (strokeIndex <= playingHandicap % 18 ? 1 : 0);
    // Given back from the hardest-to-score index upward: 18, then 17 ...
    const int back = -playingHandicap;
    return -(back / 18 + (strokeIndex > 18 - back % 18 ? 1 : 0));
}

int strokesReceivedOnNine(int playingHandicap, int placeOnNine)
{
    if (playingHandicap >= 0)
        return playingHandicap / 9 + (placeOnNine <= playingHandicap % 9 ? 1 : 0);
    const int back = -playingHandicap;
    return -(back / 9 + (placeOnNine > 9 - back % 9 ? 1 : 0));
}

int stablefordPoints(int strokes, int par, int strokesReceived)
{
    if (strokes <= 0)
        return 0;
    const int net = strokes - strokesReceived;
    return net >= par + 2 ? 0 : par + 2 - net;
}

int parBogeyResult(int strokes, int par, int strokesReceived)
{
    if (strokes <= 0)
        return -1;
    const int net = strokes - strokesReceived;
    return net < par ? 1 : net == par ? 0 : -1;
}

int netDoubleBogey(int par, int strokesReceived)
{
    return par + 2 + strokesReceived;
}

double roundHalfUp(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // A millionth of the last place is far below any figure a card or a rating holds,
    // and far above the error a binary fraction carries.
    const double scaled = std::round(value * scale * 1e6) / 1e6;
    return std::floor(scaled + 0.5) / scale;
}

int roundToWhole(double value)
{
    return int(roundHalfUp(value, 0));
}

} // namespace parlog::golf
