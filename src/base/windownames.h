#pragma once

#include "reports/layouts.h"

#include <QString>

// Every window's name: its objectName, and what Application::show and find take.
namespace parlog::windows {

inline const QString kMain = QStringLiteral("main");
inline const QString kHelp = QStringLiteral("help");
inline const QString kAbout = QStringLiteral("frmAbout");
inline const QString kPlayers = QStringLiteral("player1");
inline const QString kCourses = QStringLiteral("Courses");
inline const QString kDivisions = QStringLiteral("Division");
inline const QString kStats = QStringLiteral("stats");
inline const QString kBestByCourse = QStringLiteral("statscourse");
inline const QString kWorstByCourse = QStringLiteral("statscourse1");
inline const QString kCoursesChart = QStringLiteral("graph");
inline const QString kPuttsChart = QStringLiteral("putts");
inline const QString kQuickSearch = QStringLiteral("quicksearch1");
inline const QString kDeleteRounds = QStringLiteral("edit");
inline const QString kScoreCard = QStringLiteral("scoreadd");
inline const QString kHandicap = QStringLiteral("Handicapform");
inline const QString kResults = QStringLiteral("results");
inline const QString kField = QStringLiteral("field");
inline const QString kDraws = QStringLiteral("draws");
inline const QString kMatch = QStringLiteral("match");
inline const QString kStartSheet = QStringLiteral("startSheet");
inline const QString kSeason = QStringLiteral("season");
inline const QString kPickRound = QStringLiteral("pickround");
inline const QString kRegister = QStringLiteral("registerchoice");
inline const QString kTeeHoles = QStringLiteral("teeHoles");
inline const QString kHandicapRecord = QStringLiteral("handicapRecord");
inline const QString kOrderOfMerit = QStringLiteral("orderOfMerit");
inline const QString kEclectic = QStringLiteral("eclectic");
inline const QString kImport = QStringLiteral("importData");

// The reports, each a window of its own.
using report::kBestEverRound;
using report::kBracketReport;
using report::kCompactList;
using report::kCourseList;
using report::kCourseRound;
using report::kDrawMatchesReport;
using report::kEclecticReport;
using report::kFullCards;
using report::kGroupedCompactList;
using report::kGroupedFullCards;
using report::kHandicapRecordReport;
using report::kLeagueTableReport;
using report::kOrderOfMeritReport;
using report::kPlayerList;
using report::kPlayerMatchesReport;
using report::kPossibleRound;
using report::kResultsReport;
using report::kSeasonReport;
using report::kStartSheetReport;
using report::kTeamResultsReport;
using report::kWorstEverRound;

} // namespace parlog::windows
