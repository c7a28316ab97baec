#include "base/help.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace parlog {

QString helpSection(const QString& windowName)
{
    static const QHash<QString, QString> sections{
        {windows::kMain, QStringLiteral("menu")},
        {windows::kPlayers, QStringLiteral("players")},
        {windows::kCourses, QStringLiteral("courses")},
        {windows::kDivisions, QStringLiteral("divisions")},
        {windows::kScoreCard, QStringLiteral("rounds")},
        {windows::kHandicap, QStringLiteral("handicap")},
        {windows::kStats, QStringLiteral("stats")},
        {windows::kBestByCourse, QStringLiteral("stats")},
        {windows::kWorstByCourse, QStringLiteral("stats")},
        {windows::kCoursesChart, QStringLiteral("stats")},
        {windows::kPuttsChart, QStringLiteral("stats")},
        {windows::kQuickSearch, QStringLiteral("search")},
        {windows::kDeleteRounds, QStringLiteral("delete")},
        {windows::kAbout, QStringLiteral("data")},
        {windows::kResults, QStringLiteral("results")},
        {windows::kField, QStringLiteral("teams")},
        {windows::kDraws, QStringLiteral("matchplay")},
        {windows::kMatch, QStringLiteral("matchplay")},
        {windows::kStartSheet, QStringLiteral("startsheet")},
        {windows::kSeason, QStringLiteral("season")},
        {windows::kHandicapRecord, QStringLiteral("whs")},
        {windows::kOrderOfMerit, QStringLiteral("merit")},
        {windows::kEclectic, QStringLiteral("eclectic")},
        {windows::kImport, QStringLiteral("import")},
        {windows::kPickRound, QStringLiteral("editround")},
        {windows::kRegister, QStringLiteral("club")},
    };
    if (windowName.startsWith(QStringLiteral("DataReport")))
        return QStringLiteral("printing");
    return sections.value(windowName, QStringLiteral("start"));
}

void openHelp(Application& app, const QString& section)
{
    const QString page = QDir(app.helpFolder()).filePath(QStringLiteral("index.html"));
    if (!QFileInfo(page).isFile()) {
        app.inform(QStringLiteral("The help pages could not be found: %1 is missing. "
                                  "Reinstall Parlog to put them back.")
                       .arg(QDir::toNativeSeparators(page)));
        return;
    }
    app.show(windows::kHelp, HelpContext{section});
}

} // namespace parlog
