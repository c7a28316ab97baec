#include "app/windows.h"

#include "base/application.h"
#include "base/lateparts.h"

#include "about/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/mainmenu.h"
#include "masterdata/importwindow.h"
#include "app/registerchoice.h"
#include "base/windownames.h"
#include "masterdata/courseswindow.h"
#include "masterdata/divisionwindow.h"
#include "masterdata/playerwindow.h"
#include "masterdata/teeholeswindow.h"
#include "reports/layouts.h"
#include "base/reportwindow.h"
#include "rounds/handicapform.h"
#include "rounds/pickround.h"
#include "rounds/scoreadd.h"
#include "search/deleterounds.h"
#include "search/quicksearch.h"
#include "competitions/drawwindow.h"
#include "competitions/fieldwindow.h"
#include "competitions/matchwindow.h"
#include "competitions/resultswindow.h"
#include "competitions/startsheetwindow.h"
#include "competitions/eclecticwindow.h"
#include "competitions/orderofmeritwindow.h"
#include "stats/statscoursewindow.h"
#include "stats/statswindow.h"

namespace parlog {

void registerWindows(Application& app)
{
    app.registerWindow(windows::kMain, [](Application& a) { return new MainMenu(a); });
    app.registerWindow(windows::kHelp, [](Application& a) { return new HelpWindow(a); });
    app.registerWindow(windows::kAbout, [](Application& a) { return new AboutWindow(a); });
    for (const QString& name : report::reportNames())
        app.registerWindow(name,
                           [name](Application& a) { return new ReportWindow(a, name); });
    app.registerWindow(windows::kPlayers, [](Application& a) { return new PlayerWindow(a); });
    app.registerWindow(windows::kCourses, [](Application& a) { return new CoursesWindow(a); });
    app.registerWindow(windows::kDivisions, [](Application& a) { return new DivisionWindow(a); });
    app.registerWindow(windows::kStats, [](Application& a) { return new StatsWindow(a); });
    app.registerWindow(windows::kBestByCourse, [](Application& a) {
        return new StatsCourseWindow(a, StatsCourseWindow::Kind::Best);
    });
    app.registerWindow(windows::kWorstByCourse, [](Application& a) {
        return new StatsCourseWindow(a, StatsCourseWindow::Kind::Worst);
    });
    app.registerWindow(windows::kQuickSearch, [](Application& a) { return new QuickSearch(a); });
    app.registerWindow(windows::kDeleteRounds, [](Application& a) { return new DeleteRounds(a); });
    app.registerWindow(windows::kScoreCard, [](Application& a) { return new ScoreAdd(a); });
    app.registerWindow(windows::kResults, [](Application& a) { return new ResultsWindow(a); });
    app.registerWindow(windows::kField, [](Application& a) { return new FieldWindow(a); });
    app.registerWindow(windows::kDraws, [](Application& a) { return new DrawWindow(a); });
    app.registerWindow(windows::kMatch, [](Application& a) { return new MatchWindow(a); });
    app.registerWindow(windows::kStartSheet,
                       [](Application& a) { return new StartSheetWindow(a); });
    app.registerWindow(windows::kPickRound, [](Application& a) { return new PickRound(a); });
    app.registerWindow(windows::kRegister, [](Application& a) { return new RegisterChoice(a); });
    app.registerWindow(windows::kTeeHoles, [](Application& a) { return new TeeHolesWindow(a); });
    app.registerWindow(windows::kHandicap, [](Application& a) { return new HandicapForm(a); });
    app.registerWindow(windows::kOrderOfMerit,
                       [](Application& a) { return new OrderOfMeritWindow(a); });
    app.registerWindow(windows::kEclectic, [](Application& a) { return new EclecticWindow(a); });
    app.registerWindow(windows::kImport, [](Application& a) { return new ImportWindow(a); });
    // The windows with charts come from the module loaded when the first opens.
    for (const QString& name :
         {windows::kCoursesChart, windows::kPuttsChart, windows::kSeason, windows::kHandicapRecord})
        app.registerWindow(name, [name](Application& a) { return lateWindow(a, name); });
}

} // namespace parlog
