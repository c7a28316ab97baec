#include "stats/statscoursewindow.h"

#include "stats/playerstats.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "reports/report.h"
#include "base/reportwindow.h"
#include "ui/forms.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace parlog {

using namespace forms;

StatsCourseWindow::StatsCourseWindow(Application& app, Kind kind)
    : Window(app, kind == Kind::Best ? windows::kBestByCourse : windows::kWorstByCourse,
             kind == Kind::Best ? QStringLiteral("Best via Course")
                                : QStringLiteral("Worst Score by Course"))
    , m_kind(kind)
{
    // The course and its buttons in a box, as the window was always drawn.
    auto* shape = new QFrame(this);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFrameShape(QFrame::Box);
    auto* caption = label(this, QStringLiteral("Label1"), QStringLiteral("Golf Course"));
    embolden(caption);
    courses = picker(this, QStringLiteral("Combo1"));
    courses->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    auto* open = button(this, QStringLiteral("Command1"), QStringLiteral("Open"));
    auto* close = button(this, QStringLiteral("Command2"), QStringLiteral("Close"));
    auto* grid = new QGridLayout(shape);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(courses, 0, 1);
    grid->addWidget(open, 0, 2);
    grid->addWidget(close, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shape);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(open, &QPushButton::clicked, this, &StatsCourseWindow::showRound);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({courses, open, close});
}

void StatsCourseWindow::load()
{
    const auto* hub = context<PlayerContext>();
    m_player = hub ? hub->player : QString();
    if (const auto played = PlayerStats(app().registerInUse()).coursesPlayed(m_player))
        courses->addItems(*played);
    else
        app().inform(played.error());
    courses->setCurrentIndex(-1);
    courses->setEditText(QStringLiteral("Choose"));
    courses->setFocus();
}

void StatsCourseWindow::showRound()
{
    const bool best = m_kind == Kind::Best;
    const QString course = courses->currentText();
    const auto rounds = PlayerStats(app().registerInUse()).extremeRounds(m_player, course, best);
    if (!rounds) {
        app().inform(rounds.error());
        return;
    }
    showReport(app(),
               report::Report(windows::kCourseRound, report::DataSource::of(*rounds),
                              {{QStringLiteral("course"), course},
                               {QStringLiteral("title"), best ? QStringLiteral("Best Score")
                                                              : QStringLiteral("Worst Score")},
                               {QStringLiteral("player"), m_player}}));
}

} // namespace parlog
