#include "app/helpwindow.h"

#include "app/application.h"
#include "app/windownames.h"
#include "data/location.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

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
        {windows::kSeason, QStringLiteral("season")},
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
    if (auto* help = qobject_cast<HelpWindow*>(app.show(windows::kHelp));
        help && !section.isEmpty())
        help->showSection(section);
}

HelpWindow::HelpWindow(Application& app)
    : Window(app, windows::kHelp, QStringLiteral("Parlog Help"))
{
    resize(720, 600);
    auto* layout = new QVBoxLayout(this);
    m_register = new QLabel(this);
    m_register->setObjectName(QStringLiteral("register"));
    m_register->setTextFormat(Qt::PlainText);
    m_register->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_register->setWordWrap(true);
    layout->addWidget(m_register);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("close"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void HelpWindow::form_load()
{
    const QString page = QDir(app().helpFolder()).filePath(QStringLiteral("index.html"));
    m_browser->setSource(QUrl::fromLocalFile(page));
    m_register->setText(
        QStringLiteral("Your register: %1").arg(shownLocation(app().dataFile())));
}

void HelpWindow::showSection(const QString& section)
{
    m_browser->scrollToAnchor(section);
}

} // namespace parlog
