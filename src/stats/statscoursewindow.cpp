#include "stats/statscoursewindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "reports/report.h"
#include "base/reportwindow.h"
#include "data/rounds.h"
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
    if (auto connection = app().openConnection()) {
        if (const auto played = rounds::coursesPlayed(*connection, m_player))
            courses->addItems(*played);
    }
    courses->setCurrentIndex(-1);
    courses->setEditText(QStringLiteral("Choose"));
    courses->setFocus();
}

void StatsCourseWindow::showRound()
{
    auto connection = app().openConnection();
    if (!connection)
        return;
    const bool best = m_kind == Kind::Best;
    const QString course = courses->currentText();
    showReport(app(),
               report::Report(windows::kCourseRound,
                              report::DataSource::of(
                                  rounds::extremeRounds(*connection, m_player, course, best)),
                              {{QStringLiteral("course"), course},
                               {QStringLiteral("title"), best ? QStringLiteral("Best Score")
                                                              : QStringLiteral("Worst Score")},
                               {QStringLiteral("player"), m_player}}));
}

} // namespace parlog
