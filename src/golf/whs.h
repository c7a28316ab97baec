#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The World Handicap System: a player's Handicap Index, and the handicaps a tee turns it
// into. Pure functions beside the card's rules; rounding as they round.
namespace parlog::whs {

// What a tee's ratings can be: a Slope Rating from 55 to 155, and a Course Rating no more
// than 20 strokes from the tee's par. Anything else is no rating, and gives no handicap.
inline constexpr int kLowestSlope = 55;
inline constexpr int kHighestSlope = 155;
inline constexpr double kRatingFromPar = 20.0;
// PAR 0 or less: not known, and the Course Rating is not held against it.
bool ratingsHold(double courseRating, int slopeRating, double par);

// (113 / slope) x (adjusted gross - course rating - pcc), rounded to a tenth.
double scoreDifferential(int adjustedGrossScore, double courseRating, int slopeRating,
                         double pcc = 0.0);
// The same not rounded, as an exceptional score is judged by (Rule 5.9).
double unroundedDifferential(int adjustedGrossScore, double courseRating, int slopeRating,
                             double pcc = 0.0);
// index x slope / 113 + (course rating - par), not rounded.
double courseHandicap(double handicapIndex, int slopeRating, double courseRating, int par);
// Over nine holes, from the nine's ratings: (index / 2) x slope / 113 + (course rating -
// par), not rounded.
double nineHoleCourseHandicap(double handicapIndex, int slopeRating, double courseRating, int par);
// course handicap (not rounded) x allowance (0.95 for 95%), rounded to a whole number.
int playingHandicap(double courseHandicap, double allowance);
struct Score {
    QDate date;
    double differential; // as scoreDifferential gives it
    // As unroundedDifferential gives it, when known: an exceptional score is judged by
    // it; the rounded one is shown and counted.
    std::optional<double> unrounded = std::nullopt;
};
// The Handicap Index after the scores of the record, taken by their dates (those of one
// day in the order given), with everything below applied
// as the record grew score by score; nothing with fewer than 3 scores.
std::optional<double> handicapIndex(const QList<Score>& record);

// The record as it grew, a step a score, oldest first: what the index rests on and why.
struct Step {
    double differential = 0; // less the exceptional-score reductions it carries now
    double reduction = 0;    // those reductions, added up
    std::optional<double> index; // after this score
    std::optional<double> low;   // the Low Handicap Index then, when there is one
    // What applied to this score's index: "", "soft cap", "hard cap", and an
    // exceptional score's reduction ("exceptional score: -1.0 on the last 20").
    QString applied;
    bool counted = false; // among the differentials the latest index rests on
};
QList<Step> indexHistory(const QList<Score>& record);

// The record kept score by score, oldest first, as indexHistory keeps it: for whoever
// needs the index as it stood before each new score. The index a score is judged
// against (its net double bogey, whether it is exceptional) is the one in effect as its
// day began: scores of one day do not move each other's.
class RecordKeeper {
public:
    // Adds the next score; gives its step.
    const Step& add(const Score& score);
    std::optional<double> index() const;
    // The index in effect on a day not before the last score's: as that day began.
    std::optional<double> indexOn(const QDate& day) const;
    // Every step as it stands now: reductions added up, and which the index rests on.
    QList<Step> steps() const;

private:
    QList<Step> m_steps;
    QList<int> m_diffs;     // in tenths, as reduced
    QList<int> m_reduction; // in tenths, on each
    QList<std::pair<QDate, int>> m_fromTwenty; // indexes computed from 20 differentials
    QDate m_day;                               // the day of the last score
    std::optional<double> m_startOfDay;        // the index as that day began
};

// How many of the most recent differentials count, of so many, and what is taken off.
struct Counting {
    int lowest = 0;
    double adjustment = 0;
};
Counting counting(int differentials);

} // namespace parlog::whs

namespace parlog {
// A Handicap Index as shown: "12.4", or "+1.2" for a plus index (-1.2).
QString showIndex(double index);
} // namespace parlog
