#pragma once

#include "data/connection.h"
#include "data/queries.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace parlog {

// The players with at least one recorded round, by their names in score.
std::optional<QStringList> playersWithRounds(Connection& connection);

// Every round of the player that shares the lowest (best) or highest net, in the
// order they were stored.
std::optional<Rows> everRound(Connection& connection, const QString& player, bool best);

// The same on one course.
std::optional<Rows> courseRound(Connection& connection, const QString& player,
                                const QString& course, bool best);

// The courses the player has played, each once, in name order.
std::optional<QStringList> coursesPlayed(Connection& connection, const QString& player);

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
std::optional<PossibleRound> possibleRound(Connection& connection, const QString& player,
                                           Possible kind);

// The player's current handicap, rounded halves to even; empty when the player has no
// row or the handicap is not a number.
std::optional<qint64> currentHandicap(Connection& connection, const QString& player);

// One bar per row: the label and the value.
using Series = QList<std::pair<QString, double>>;

// Rounds per course, in the order the groups come.
std::optional<Series> roundsPerCourse(Connection& connection, const QString& player);

// Putts of each round with more than 0 putts, by date, labelled dd-mmm-yy.
std::optional<Series> puttsByDate(Connection& connection, const QString& player);

} // namespace parlog
