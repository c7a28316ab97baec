#pragma once

#include "competitions/league.h"
#include "data/draws.h"
#include "golf/allowances.h"
#include "golf/scoring.h"

#include <QList>
#include <QString>

#include <optional>

// A draw's matches as a secretary runs them: the first round made and the winners moved
// on, a league's rounds, results typed in words, walkovers for those who withdraw, and
// what a player has won and lost. Pure: the draw is read and kept elsewhere.
namespace parlog::matchdraw {

// The knock-out's matches from its entries (those not withdrawn, in seed order when it is
// seeded): the first round with byes to the top, every later round waiting for its
// players. Results entered before are gone.
void makeKnockout(draws::Draw& draw);
// Every entry plays every other once, a round at a time (one sits out each round of an
// odd number).
void makeLeague(draws::Draw& draw);

// The knock-out's number of rounds, from its first round.
int rounds(const draws::Draw& draw);
// "Round 1", "Quarter-finals", "Semi-finals", "Final"; a league's "Round 3".
QString roundName(const draws::Draw& draw, int round);

// Winners into their next matches (a match whose players changed loses its result), and
// a walkover to whoever meets an entry that withdrew.
void moveOn(draws::Draw& draw);

// A result as typed: "A won 3 & 2", "Smith 1 up", "2 at the 19th", "B walkover", "A by
// concession", "halved" (a league's only). A or 1 is the match's first entry, B or 2 its
// second, or an entry's name or the start of it. None when it cannot be read, with why.
struct Outcome {
    std::optional<int> margin; // from A's view
    QString result;            // from the winner's view: "won 3 & 2", "halved"
    QString winner;
};
Result<Outcome> parseResult(const QString& text, const draws::Match& match, bool league,
                            int holes = 18);
// The outcome of holes keyed a character a hole (1, 2, H), once the match is decided.
std::optional<Outcome> outcomeOfHoles(const QString& holes, const draws::Match& match,
                                      int length = 18);
// The match's result in words for a list: "Smith won 3 & 2", "halved", "Jones bye".
QString resultLine(const draws::Match& match);
bool decided(const draws::Match& match);

// The league's table from its decided matches.
QList<league::Line> table(const draws::Draw& draw);

// Each ball's strokes in a match: the sides' players' unrounded Course Handicaps (one
// list a side) at the format's match-play allowance, the tee par each side plays over
// the lowest added (Rule 6.2b), the lowest off 0. Four-ball: a ball a player; singles
// and foursomes: one a side. Empty when a side has not its players.
QList<int> ballStrokes(golf::TeamFormat format, const QList<QList<double>>& courseHandicaps,
                       const QList<int>& parsOverLowest);
// The hole's result from each ball's strokes (0: not played), A's view: +1, -1, 0;
// none until a ball of each side has a score. sideOfBall: 0 for A, 1 for B.
std::optional<int> holeResult(const QList<int>& strokes, const QList<int>& received,
                              const QList<int>& sideOfBall);
// Strokes a ball receives on a hole of the match (extra holes from the 1st again).
int strokesOnHole(int strokes, const golf::Holes& holes, int hole, int length = 18);

// A player's matches in every draw: as an entry, or as one of a side.
struct PlayedMatch {
    QString draw;
    QString round;
    QString as; // the entry: the player, or the side played in
    QString opponent;
    QString outcome; // "won 3 & 2", "lost 1 up", "halved", "walkover", "lost by walkover"
    int score = 0;   // +1 won, 0 halved, -1 lost
};
struct PlayerMatches {
    QList<PlayedMatch> matches;
    int won = 0;
    int halved = 0;
    int lost = 0;
};
PlayerMatches playerMatches(const QList<draws::Draw>& draws, const QString& player);

} // namespace parlog::matchdraw
