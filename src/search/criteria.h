#pragma once

#include "data/connection.h"
#include "data/rounds.h"
#include "reports/datasource.h"

#include <QString>

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

// The rounds the criteria ask for; the date range always counts, both ends included.
// Fails when a date box holds no date, saying which.
Result<rounds::Filter> filterFor(const Criteria& criteria);

// Two typed dates as stored (yyyy-MM-dd), or a message that names the one that is not a
// date and shows one that is, as the boxes show them.
struct DateRange {
    QString from;
    QString to;
};
Result<DateRange> storedRange(const QString& from, const QString& to,
                              const QString& example = QStringLiteral("23 Jun 04"));

// The rounds that match in groups: one group for every value of the group column in
// the whole score table, in ascending order, even with no matching round under it;
// under each, its matching rounds in the chosen order.
Result<report::DataSource> groupedSearch(Connection& connection, const rounds::Filter& filter,
                                         const QString& orderColumn, const QString& groupColumn,
                                         const QStringList& columns = {});

// The picker lists: the values the recorded rounds use, each once, in order.
struct CriteriaLists {
    QStringList players;
    QStringList courses;
    QStringList competitions;
};
Result<CriteriaLists> criteriaLists(Connection& connection);

} // namespace parlog
