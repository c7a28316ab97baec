#pragma once

#include <QList>

// The handicap allowances of the formats a competition is played in, and the strokes a
// player on a tee of higher par adds in a mixed field. Pure functions beside the rules
// they apply; competitions, cards and matches call them.
namespace parlog::golf {

enum class TeamFormat {
    Individual,
    FourBall,
    Foursomes,
    Greensomes,
    Chapman,
    BestOneOfFour,
    BestTwoOfFour,
    BestThreeOfFour,
    AllFourOfFour,
    Scramble2,
    Scramble3,
    Scramble4
};
enum class Play { StrokePlay, Stableford, ParBogey, MatchPlay };

// The default allowance of the table for one player of a better-ball side (or the
// individual), as a fraction: 0.85 for 85%; match play: 1.0 singles, 0.9 four-ball.
// One-ball formats give 1.0: their shares are applied in playingHandicaps.
double allowance(TeamFormat format, Play play);
// Playing handicaps from the players' unrounded Course Handicaps, in the order given:
// one per player for Individual and the better-ball formats, one for the side for the
// one-ball formats (foursomes, greensomes, Chapman, scrambles), rounded once, halves up.
// Empty when a one-ball side has not the players its format is played by.
QList<int> playingHandicaps(TeamFormat format, Play play, const QList<double>& courseHandicaps);
// Rule 6.2b: what a player on a tee of this par adds when the field's lowest tee par is
// lowestPar (stroke play and match play; 0 for Stableford and par/bogey).
int mixedTeeStrokes(Play play, int teePar, int lowestPar);

// The same with the committee's own allowance in place of the table's: a fraction for
// each player of a better-ball side; for a one-ball side, its shares scaled by
// allowance / the table's (so that the table's own allowance gives the table's shares).
QList<int> playingHandicaps(TeamFormat format, Play play, const QList<double>& courseHandicaps,
                            double committeeAllowance);

// One ball a side: foursomes, greensomes, Chapman and the scrambles.
bool oneBall(TeamFormat format);
// The players a side of the format has: 1, 2 or 4 (a scramble its own number).
int sideSize(TeamFormat format);
// The balls of a side that count on a hole: 1 for four-ball and best one of four, 2, 3
// or 4 for the others of four, 1 for a one-ball side.
int ballsCounted(TeamFormat format);
// "Four-ball better ball", "Foursomes" ...
const char* formatName(TeamFormat format);
// The shares of the table for a one-ball side, from its lowest Course Handicap up
// (foursomes: 0.5 each); empty for the others.
QList<double> oneBallShares(TeamFormat format);

} // namespace parlog::golf
