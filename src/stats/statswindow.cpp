#include "stats/statswindow.h"

#include "stats/playerstats.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "reports/report.h"
#include "base/reportwindow.h"
#include "ui/forms.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>

#include <functional>
#include <QLabel>
#include <QPushButton>

namespace parlog {

using namespace forms;

StatsWindow::StatsWindow(Application& app)
    : Window(app, windows::kStats, QStringLiteral("Stats"))
{
    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("Box20"));
    box->setFrameShape(QFrame::Box);
    auto* caption =
        label(this, QStringLiteral("Playername_Label"), QStringLiteral("View Statistics for"));
    embolden(caption);
    players = picker(this, QStringLiteral("Combo0"));
    players->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    QFont bold = players->font();
    bold.setBold(true);
    players->setFont(bold);
    auto* close = button(this, QStringLiteral("Command6"), QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* inside = new QVBoxLayout(box);
    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(players, 1);
    top->addWidget(close);
    inside->addLayout(top);

    struct Stat {
        const char* name;
        const char* caption;
        std::function<void()> show;
    };
    const auto hub = [this](const QString& window) {
        return [this, window] { this->app().show(window, PlayerContext{player()}); };
    };
    const Stat rows[4][3] = {
        {{"Command12", "Best Ever Round", [this] { everRound(true); }},
         {"Command13", "Worst Ever Round", [this] { everRound(false); }},
         {"Command19", "Putts Chart", hub(windows::kPuttsChart)}},
        {{"Command16", "Best Score by Course", hub(windows::kBestByCourse)},
         {"Command14", "Worst Score by Course", hub(windows::kWorstByCourse)},
         {"Command18", "Courses Played", hub(windows::kCoursesChart)}},
        {{"Command3", "Best Possible Round",
          [this] { possible(Possible::Best, QStringLiteral("Best Possible Round")); }},
         {"Command4", "Worst Possible Round",
          [this] { possible(Possible::Worst, QStringLiteral("Worst Possible Round")); }},
         {"Command5", "Average Round",
          [this] { possible(Possible::Average, QStringLiteral("Average Round")); }}},
        // A fourth row: the season in numbers.
        {{"Command20", "Season Statistics", hub(windows::kSeason)}, {}, {}}};
    const char* boxes[4] = {"Box9", "Box15", "Box7", "Box21"};
    QList<QWidget*> order{players, close};
    // Each row of three in a box of its own, the buttons of one width.
    auto* grid = new QGridLayout;
    for (int r = 0; r < 4; ++r) {
        auto* rowBox = new QFrame(this);
        rowBox->setObjectName(QString::fromLatin1(boxes[r]));
        rowBox->setFrameShape(QFrame::Box);
        auto* line = new QGridLayout(rowBox);
        for (int c = 0; c < 3; ++c) {
            line->setColumnStretch(c, 1);
            if (!rows[r][c].name)
                continue;
            auto* b = button(this, QString::fromLatin1(rows[r][c].name),
                             QString::fromLatin1(rows[r][c].caption));
            connect(b, &QPushButton::clicked, this, rows[r][c].show);
            line->addWidget(b, 0, c);
            order << b;
        }
        grid->addWidget(rowBox, r, 0);
    }
    inside->addLayout(grid);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    focusOrder(order);
}

void StatsWindow::load()
{
    if (const auto withRounds = PlayerStats(app().registerInUse()).playersWithRounds())
        players->addItems(*withRounds);
    else
        app().inform(withRounds.error());
    players->setCurrentIndex(-1);
    players->setEditText(QString());
    players->setFocus();
}

QString StatsWindow::player() const
{
    return players->currentText();
}

void StatsWindow::everRound(bool best)
{
    const auto rounds = PlayerStats(app().registerInUse()).extremeRounds(player(), {}, best);
    if (!rounds) {
        app().inform(rounds.error());
        return;
    }
    const QString title =
        best ? QStringLiteral("Best Ever Round") : QStringLiteral("Worst Ever Round");
    const QString name = best ? windows::kBestEverRound : windows::kWorstEverRound;
    showReport(app(), report::Report(name, report::DataSource::of(*rounds),
                                     {{QStringLiteral("player"), player()},
                                      {QStringLiteral("title"), title}}));
}

void StatsWindow::possible(Possible kind, const QString& title)
{
    const auto round = PlayerStats(app().registerInUse()).possible(player(), kind);
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

} // namespace parlog
