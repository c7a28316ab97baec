#include "stats/statscoursewindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "reports/report.h"
#include "base/reportwindow.h"
#include "data/rounds.h"
#include "ui/forms.h"

#include <QComboBox>
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
    setFixedSize(420, 130);
    frame(this, QStringLiteral("Shape1"), {6, 6, 408, 118});
    embolden(
        label(this, QStringLiteral("Label1"), QStringLiteral("Golf Course"), {18, 24, 90, 26}));
    Combo1 = picker(this, QStringLiteral("Combo1"), {110, 24, 180, 26});
    auto* open =
        button(this, QStringLiteral("Command1"), QStringLiteral("Open"), {302, 23, 100, 28});
    auto* close =
        button(this, QStringLiteral("Command2"), QStringLiteral("Close"), {302, 61, 100, 28});
    connect(open, &QPushButton::clicked, this, &StatsCourseWindow::Command1_Click);
    connect(close, &QPushButton::clicked, this, &StatsCourseWindow::Command2_Click);
    focusOrder({Combo1, open, close});
}

void StatsCourseWindow::form_load()
{
    const auto* hub = context<PlayerContext>();
    m_player = hub ? hub->player : QString();
    if (auto connection = app().openConnection()) {
        if (const auto courses = rounds::coursesPlayed(*connection, m_player))
            Combo1->addItems(*courses);
    }
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QStringLiteral("Choose"));
    Combo1->setFocus();
}

void StatsCourseWindow::Command1_Click()
{
    auto connection = app().openConnection();
    if (!connection)
        return;
    const bool best = m_kind == Kind::Best;
    const QString course = Combo1->currentText();
    showReport(
        app(),
        report::Report(
            windows::kCourseRound,
            report::DataSource::of(rounds::extremeRounds(*connection, m_player, course, best)),
            {{QStringLiteral("course"), course},
             {QStringLiteral("title"),
              best ? QStringLiteral("Best Score") : QStringLiteral("Worst Score")},
             {QStringLiteral("player"), m_player}}));
}

void StatsCourseWindow::Command2_Click()
{
    close();
}

} // namespace parlog
