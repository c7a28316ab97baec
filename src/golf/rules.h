#pragma once

// The rules of golf a score card is scored by: strokes given by a playing handicap,
// Stableford points, par/bogey results and the most a hole counts for handicap. Pure
// functions, so that each can be checked against the rule book's examples; everything
// that scores a card calls them.
namespace parlog::golf {

// Strokes received on a hole. A playing handicap of 0-18 gives one stroke on the holes
// with stroke index <= the handicap; 19-36 one on every hole and a second where the
// index <= handicap - 18; and so on up to 54. A plus handicap (negative number) gives
// strokes back, one on each hole from stroke index 18 down (+2: holes with index 17 and 18).
int strokesReceived(int playingHandicap, int strokeIndex);
// The same over nine holes, by the hole's place among the nine's stroke indexes (1 for
// the lowest): a nine-hole playing handicap of 0-9 gives one stroke on the holes placed
// <= the handicap, 10-18 one on each and a second, and so on; a plus handicap gives back
// from the ninth place up.
int strokesReceivedOnNine(int playingHandicap, int placeOnNine);
// Stableford points: net score = strokes - strokes received; net double bogey or worse 0,
// net bogey 1, net par 2, net birdie 3, net eagle 4, and one more for each stroke better.
// 0 strokes means no score on the hole (picked up): 0 points.
int stablefordPoints(int strokes, int par, int strokesReceived);
// Par/bogey: +1 the hole is won (net under par), 0 halved, -1 lost (and for 0 strokes).
int parBogeyResult(int strokes, int par, int strokesReceived);
// The most a hole counts for handicap: par + 2 + strokes received.
int netDoubleBogey(int par, int strokesReceived);

// To the nearest, halves upward (toward plus infinity), to so many decimals; computed
// so that a value that is a half in decimals rounds as a half although its binary
// fraction lies a hair below or above it (10.55 to 10.6, -1.55 to -1.5).
double roundHalfUp(double value, int decimals = 0);
// The same to a whole number.
int roundToWhole(double value);

} // namespace parlog::golf
