// The entry of the module that holds the chart windows and the print dialog.
#include "base/lateparts.h"
#include "base/reportwindow.h"
#include "base/version.h"
#include "base/windownames.h"
#include "stats/chartwindow.h"
#include "stats/handicaprecordwindow.h"
#include "stats/seasonwindow.h"

namespace {
using namespace parlog;

QWidget* window(Application& app, const QString& name)
{
    if (name == windows::kCoursesChart)
        return new ChartWindow(app, ChartWindow::Kind::CoursesPlayed);
    if (name == windows::kPuttsChart)
        return new ChartWindow(app, ChartWindow::Kind::Putts);
    if (name == windows::kSeason)
        return new SeasonWindow(app);
    if (name == windows::kHandicapRecord)
        return new HandicapRecordWindow(app);
    return nullptr;
}

void print(ReportWindow& report)
{
    report.printWithDialog();
}

const LateParts parts{window, print};
} // namespace

extern "C" Q_DECL_EXPORT const parlog::LateParts* parlog_late_parts()
{
    return &parts;
}

extern "C" Q_DECL_EXPORT const char* parlog_late_parts_version()
{
    return PARLOG_VERSION;
}
