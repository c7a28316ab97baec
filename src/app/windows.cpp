#include "app/application.h"

#include "about/aboutwindow.h"
#include "app/helpwindow.h"
#include "app/mainmenu.h"
#include "search/deleterounds.h"
#include "search/quicksearch.h"
#include "stats/chartwindow.h"
#include "stats/statscoursewindow.h"
#include "stats/statswindow.h"
#include "masterdata/courseswindow.h"
#include "masterdata/divisionwindow.h"
#include "masterdata/playerwindow.h"
#include "reports/layouts.h"
#include "reports/reportwindow.h"
#include "rounds/handicapform.h"
#include "rounds/scoreadd.h"

namespace parlog {

void registerWindows(Application& app)
{
    app.registerWindow(QStringLiteral("main"), [](Application& a) { return new MainMenu(a); });
    app.registerWindow(QStringLiteral("help"), [](Application& a) { return new HelpWindow(a); });
    app.registerWindow(QStringLiteral("frmAbout"),
                       [](Application& a) { return new AboutWindow(a); });
    for (const QString& name : report::reportNames())
        app.registerWindow(name,
                           [name](Application& a) { return new ReportWindow(a, a.report(name)); });
    app.registerWindow(QStringLiteral("player1"),
                       [](Application& a) { return new PlayerWindow(a); });
    app.registerWindow(QStringLiteral("Courses"),
                       [](Application& a) { return new CoursesWindow(a); });
    app.registerWindow(QStringLiteral("Division"),
                       [](Application& a) { return new DivisionWindow(a); });
    app.registerWindow(QStringLiteral("stats"), [](Application& a) { return new StatsWindow(a); });
    app.registerWindow(QStringLiteral("statscourse"), [](Application& a) {
        return new StatsCourseWindow(a, StatsCourseWindow::Kind::Best);
    });
    app.registerWindow(QStringLiteral("statscourse1"), [](Application& a) {
        return new StatsCourseWindow(a, StatsCourseWindow::Kind::Worst);
    });
    app.registerWindow(QStringLiteral("graph"), [](Application& a) {
        return new ChartWindow(a, ChartWindow::Kind::CoursesPlayed);
    });
    app.registerWindow(QStringLiteral("putts"),
                       [](Application& a) { return new ChartWindow(a, ChartWindow::Kind::Putts); });
    app.registerWindow(QStringLiteral("quicksearch1"),
                       [](Application& a) { return new QuickSearch(a); });
    app.registerWindow(QStringLiteral("edit"), [](Application& a) { return new DeleteRounds(a); });
    app.registerWindow(QStringLiteral("scoreadd"), [](Application& a) { return new ScoreAdd(a); });
    app.registerWindow(QStringLiteral("Handicapform"),
                       [](Application& a) { return new HandicapForm(a); });
}

} // namespace parlog
