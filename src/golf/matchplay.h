#pragma once

#include <QList>
#include <QString>

// Match play: the strokes each side receives, the state of a match hole by hole in its own
// words, and the byes of a knock-out. Pure functions beside the rules they apply.
namespace parlog::golf {

// Strokes each side receives in a match, from the sides' Playing Handicaps (already at
// the format's allowance: 100% singles, 90% four-ball, the side's 50% in foursomes; plus
// handicaps negative): the lowest receives 0, each other the difference.
QList<int> matchStrokes(const QList<int>& playingHandicaps);

// The state of a match from side A's view after the holes so far: +1 a hole A won, -1 a
// hole B won, 0 halved; holes is the match's length (18, or 9). Extra holes follow the
// last when the match is all square after it.
struct MatchState {
    int margin = 0; // holes A is up (negative: B is up)
    int played = 0;
    bool decided = false;
    QString words; // "All square", "2 up", "Dormie 3", "won 3 & 2", "won 1 up",
                   // "won at the 19th" (from the leader's or the winner's view)
};
MatchState matchState(const QList<int>& holeResults, int holes = 18);

// Byes in the first round of a knock-out of so many entries: up to the next power of two.
int byes(int entries);

// "19th", "22nd", "23rd": a hole's number as it is said.
QString ordinal(int number);

} // namespace parlog::golf
