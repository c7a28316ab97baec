#pragma once

#include "reports/reportmodel.h"

namespace parlog::report {

// The reports, each shown in a window of that name.
inline const QString kPlayerList = QStringLiteral("DataReport1");
inline const QString kCourseList = QStringLiteral("DataReport2");
inline const QString kGroupedCompactList = QStringLiteral("DataReport3");
inline const QString kGroupedFullCards = QStringLiteral("DataReport4");
inline const QString kCompactList = QStringLiteral("DataReport5");
inline const QString kFullCards = QStringLiteral("DataReport6");
inline const QString kBestEverRound = QStringLiteral("DataReport7");
inline const QString kWorstEverRound = QStringLiteral("DataReport8");
inline const QString kCourseRound = QStringLiteral("DataReport9");
inline const QString kPossibleRound = QStringLiteral("DataReport10");
inline const QString kResultsReport = QStringLiteral("ResultsReport");
inline const QString kTeamResultsReport = QStringLiteral("TeamResultsReport");
inline const QString kSeasonReport = QStringLiteral("SeasonReport");
inline const QString kHandicapRecordReport = QStringLiteral("HandicapRecordReport");
inline const QString kOrderOfMeritReport = QStringLiteral("OrderOfMeritReport");
inline const QString kEclecticReport = QStringLiteral("EclecticReport");

// The layout of one of the reports (DataReport1 ... DataReport10, the results, the
// season and the handicap record); an empty layout for any other name.
Layout layoutFor(const QString& name);

// The order of merit with room for the legend and the points of the events, each read
// from its column: printed a column each under its number when they fit and
// EACHINACOLUMN, else as one line of text.
Layout orderOfMeritLayout(const QStringList& eventColumns, bool eachInAColumn = true);

// The names of the reports whose layouts exist.
QStringList reportNames();

// The golfer at the end of a swing, for the score cards; with the grey oval under
// his feet for the round cards.
inline const QString kGolfer = QStringLiteral(":/reports/golfer.svg");
inline const QString kGolferOnOval = QStringLiteral(":/reports/golfer-oval.svg");

} // namespace parlog::report
