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
inline const QString kBracketReport = QStringLiteral("BracketReport");
inline const QString kDrawMatchesReport = QStringLiteral("DrawMatchesReport");
inline const QString kLeagueTableReport = QStringLiteral("LeagueTableReport");
inline const QString kPlayerMatchesReport = QStringLiteral("PlayerMatchesReport");
inline const QString kStartSheetReport = QStringLiteral("StartSheetReport");
inline const QString kPlayCardsReport = QStringLiteral("PlayCardsReport");
inline const QString kHandicapListReport = QStringLiteral("HandicapListReport");

// The layout of one of the reports (DataReport1 ... DataReport10, the results, the
// season and the handicap record); an empty layout for any other name.
Layout layoutFor(const QString& name);

// The order of merit with room for the legend and the points of the events, each read
// from its column: printed a column each under its number when they fit and
// EACHINACOLUMN, else as one line of text.
Layout orderOfMeritLayout(const QStringList& eventColumns, bool eachInAColumn = true);

// A knock-out's bracket across a landscape page, for a draw of PLACES first-round places
// (a power of two): a column a round, each place's name on its line, the result under
// the winner's. Up to 32 places a page: a larger draw prints each 32 on a page of its
// own (a row each: "n{column}_{place}" the names, "s{column}_{place}" the results) and
// the rounds after them on the last, from the parameters "fn{column}_{place}" and
// "fs{column}_{place}". The columns' headings are the parameters "h{column}" and
// "fh{column}"; the draw's name "draw", what it is "about".
Layout bracketLayout(int places);
inline constexpr int kBracketPlacesAPage = 32;

// The names of the reports whose layouts exist.
QStringList reportNames();

// The golfer at the end of a swing, for the score cards; with the grey oval under
// his feet for the round cards.
inline const QString kGolfer = QStringLiteral(":/reports/golfer.svg");
inline const QString kGolferOnOval = QStringLiteral(":/reports/golfer-oval.svg");

} // namespace parlog::report
