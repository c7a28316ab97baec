#pragma once

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
inline const QString kSeason = QStringLiteral("season");
inline const QString kPickRound = QStringLiteral("pickround");
inline const QString kRegister = QStringLiteral("registerchoice");

// The reports, each a window of its own.
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
inline const QString kSeasonReport = QStringLiteral("SeasonReport");

} // namespace parlog::windows
