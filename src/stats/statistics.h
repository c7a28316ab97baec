#pragma once

#include "data/connection.h"
#include "data/queries.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace parlog {

// The players with at least one recorded round, by their names in score.
Result<QStringList> playersWithRounds(Connection& connection);

enum class Possible { Best, Worst, Average };

// A round built hole by hole from all the player's rounds. The totals are texts as
// the card prints them, empty where they cannot be formed (no rounds, a hole never
// played, no handicap).
struct PossibleRound {
    Rows holes; // one row, columns h1 ... h18
    QString out;
    QString inn;
    QString gross;
    QString handicap;
    QString net;
};
Result<PossibleRound> possibleRound(Connection& connection, const QString& player, Possible kind);

// The player's current handicap, rounded halves to even; empty when the player has no
// row or the handicap is not a number.
Result<std::optional<qint64>> currentHandicap(Connection& connection, const QString& player);

// One bar per row: the label and the value.
using Series = QList<std::pair<QString, double>>;

// Rounds per course, in the order the groups come.
Result<Series> roundsPerCourse(Connection& connection, const QString& player);

// Putts of each round with more than 0 putts, by date, labelled dd-mmm-yy.
Result<Series> puttsByDate(Connection& connection, const QString& player);

// The labels under the bars of a chart: one per bar and each distinct, since the
// chart merges equal labels into one bar (two rounds on one day). Only every step-th
// bar shows its text, so that the shown ones fit; a text longer than maxLength is cut
// with an ellipsis.
QStringList barLabels(const Series& series, int step, int maxLength = 0);

// How many bars to go from one shown label to the next: 1 when every label fits
// the plot's width, more when they would run into each other.
int labelStep(int bars, double plotWidth, double labelWidth);

} // namespace parlog
