#include "stats/statswindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/rounds.h"
#include "reports/report.h"
#include "base/reportwindow.h"
#include "ui/forms.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace parlog {

using namespace forms;

StatsWindow::StatsWindow(Application& app)
    : Window(app, windows::kStats, QStringLiteral("Stats"))
{
    setFixedSize(560, 310);
    frame(this, QStringLiteral("Box20"), {4, 4, 552, 302});
    auto* caption = label(this, QStringLiteral("Playername_Label"),
                          QStringLiteral("View Statistics for"), {16, 18, 150, 26});
    embolden(caption);
    Combo0 = picker(this, QStringLiteral("Combo0"), {170, 18, 250, 26});
    QFont bold = Combo0->font();
    bold.setBold(true);
    Combo0->setFont(bold);
    auto* close =
        button(this, QStringLiteral("Command6"), QStringLiteral("Close"), {436, 17, 108, 28});
    connect(close, &QPushButton::clicked, this, &StatsWindow::Command6_Click);

    struct Stat {
        const char* name;
        const char* caption;
        void (StatsWindow::*handler)();
    };
    const Stat rows[3][3] = {{{"Command12", "Best Ever Round", &StatsWindow::Command12_Click},
                              {"Command13", "Worst Ever Round", &StatsWindow::Command13_Click},
                              {"Command19", "Putts Chart", &StatsWindow::Command19_Click}},
                             {{"Command16", "Best Score by Course", &StatsWindow::Command16_Click},
                              {"Command14", "Worst Score by Course", &StatsWindow::Command14_Click},
                              {"Command18", "Courses Played", &StatsWindow::Command18_Click}},
                             {{"Command3", "Best Possible Round", &StatsWindow::Command3_Click},
                              {"Command4", "Worst Possible Round", &StatsWindow::Command4_Click},
                              {"Command5", "Average Round", &StatsWindow::Command5_Click}}};
    const char* boxes[3] = {"Box9", "Box15", "Box7"};
    QList<QWidget*> order{Combo0, close};
    for (int r = 0; r < 3; ++r) {
        const int top = 62 + r * 60;
        frame(this, QString::fromLatin1(boxes[r]), {12, top, 536, 52});
        for (int c = 0; c < 3; ++c) {
            auto* b =
                button(this, QString::fromLatin1(rows[r][c].name),
                       QString::fromLatin1(rows[r][c].caption), {22 + c * 176, top + 10, 164, 32});
            connect(b, &QPushButton::clicked, this, rows[r][c].handler);
            order << b;
        }
    }
    // A fourth row: the season in numbers.
    frame(this, QStringLiteral("Box21"), {12, 242, 536, 52});
    auto* season = button(this, QStringLiteral("Command20"), QStringLiteral("Season Statistics"),
                          {22, 252, 164, 32});
    connect(season, &QPushButton::clicked, this, &StatsWindow::Command20_Click);
    order << season;
    focusOrder(order);
}

void StatsWindow::form_load()
{
    if (auto c = app().openConnection()) {
        if (const auto players = playersWithRounds(*c))
            Combo0->addItems(*players);
        else
            app().inform(players.error());
    }
    Combo0->setCurrentIndex(-1);
    Combo0->setEditText(QString());
    Combo0->setFocus();
}

QString StatsWindow::player() const
{
    return Combo0->currentText();
}

void StatsWindow::everRound(bool best)
{
    auto c = app().openConnection();
    if (!c)
        return;
    const QString title =
        best ? QStringLiteral("Best Ever Round") : QStringLiteral("Worst Ever Round");
    const QString name = best ? windows::kBestEverRound : windows::kWorstEverRound;
    showReport(app(),
               report::Report(name,
                              report::DataSource::of(rounds::extremeRounds(*c, player(), {}, best)),
                              {{QStringLiteral("player"), player()},
                               {QStringLiteral("title"), title}}));
}

void StatsWindow::Command12_Click()
{
    everRound(true);
}
void StatsWindow::Command13_Click()
{
    everRound(false);
}

void StatsWindow::possible(Possible kind, const QString& title)
{
    auto c = app().openConnection();
    if (!c)
        return;
    const auto round = possibleRound(*c, player(), kind);
    // A round that cannot be built prints empty totals.
    const auto total = [&](QString PossibleRound::*member) {
        return round ? (*round).*member : QString();
    };
    showReport(app(), report::Report(windows::kPossibleRound,
                                     round ? report::DataSource::of(round->holes)
                                           : report::DataSource::unreadableBecause(round.error()),
                                     {{QStringLiteral("player"), player()},
                                      {QStringLiteral("title"), title},
                                      {QStringLiteral("out"), total(&PossibleRound::out)},
                                      {QStringLiteral("in"), total(&PossibleRound::inn)},
                                      {QStringLiteral("gross"), total(&PossibleRound::gross)},
                                      {QStringLiteral("handicap"), total(&PossibleRound::handicap)},
                                      {QStringLiteral("net"), total(&PossibleRound::net)}}));
}

void StatsWindow::Command3_Click()
{
    possible(Possible::Best, QStringLiteral("Best Possible Round"));
}
void StatsWindow::Command4_Click()
{
    possible(Possible::Worst, QStringLiteral("Worst Possible Round"));
}
void StatsWindow::Command5_Click()
{
    possible(Possible::Average, QStringLiteral("Average Round"));
}

void StatsWindow::Command16_Click()
{
    app().show(windows::kBestByCourse, PlayerContext{player()});
}
void StatsWindow::Command14_Click()
{
    app().show(windows::kWorstByCourse, PlayerContext{player()});
}
void StatsWindow::Command18_Click()
{
    app().show(windows::kCoursesChart, PlayerContext{player()});
}
void StatsWindow::Command19_Click()
{
    app().show(windows::kPuttsChart, PlayerContext{player()});
}
void StatsWindow::Command20_Click()
{
    app().show(windows::kSeason, PlayerContext{player()});
}

void StatsWindow::Command6_Click()
{
    close();
}

} // namespace parlog
