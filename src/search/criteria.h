#pragma once

#include "data/connection.h"
#include "data/queries.h"
#include "reports/datasource.h"

#include <QString>
#include <QVariantList>

#include <optional>

namespace parlog {

// What the search and delete windows ask for, as their boxes hold it. No name means
// every one: the pickers' "All Players" entry, never a name that happens to read so.
struct Criteria {
    std::optional<QString> player;
    std::optional<QString> course;
    std::optional<QString> competition;
    QString from; // "Between"
    QString to;   // "and"
};

inline const QString kAllPlayers = QStringLiteral("All Players");
inline const QString kAllCourses = QStringLiteral("All Courses");
inline const QString kAllCompetitions = QStringLiteral("All Competitions");

// The criteria in words, for a question or a report: "All Players, Royal Links,
// 1 Jan 2004 – 31 Dec 2004"; the competition only when one is chosen.
QString describeCriteria(const Criteria& criteria);

// The where clause of the criteria with its bound values; the date range always
// counts, both ends included. Empty optional when a date box holds no date; problem
// then says which.
struct Filter {
    QString where;
    QVariantList values;
};
std::optional<Filter> filterFor(const Criteria& criteria, QString* problem);

// The columns a search may be ordered and grouped by.
bool isOrderColumn(const QString& column);
bool isGroupColumn(const QString& column);

// The rounds that match, ordered by the column (rounds of equal value in the order
// they were stored): every column, or only those named.
std::optional<Rows> searchRounds(Connection& connection, const Filter& filter,
                                 const QString& orderColumn, const QStringList& columns = {});

// The columns the compact lists print: a search for them reads a fraction of a round.
QStringList compactColumns();

// The rounds that match in groups: one group for every value of the group column in
// the whole score table, in ascending order, even with no matching round under it;
// under each, its matching rounds in the chosen order.
std::optional<report::DataSource> groupedSearch(Connection& connection, const Filter& filter,
                                                const QString& orderColumn,
                                                const QString& groupColumn,
                                                const QStringList& columns = {});

// How many rounds match.
std::optional<qint64> countRounds(Connection& connection, const Filter& filter);

// Deletes the rounds that match; deleted tells how many went.
bool deleteRounds(Connection& connection, const Filter& filter, int* deleted = nullptr);

// The picker lists: the values the recorded rounds use, each once, in order.
struct CriteriaLists {
    QStringList players;
    QStringList courses;
    QStringList competitions;
};
std::optional<CriteriaLists> criteriaLists(Connection& connection);

} // namespace parlog
