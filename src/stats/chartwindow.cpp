#include "stats/charttheme.h"
#include "stats/chartwindow.h"

#include "stats/playerstats.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "ui/forms.h"

#include <QBarCategoryAxis>
#include <QBoxLayout>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QToolTip>
#include <QLabel>
#include <QPushButton>
#include <QFontMetrics>
#include <QValueAxis>

#include <cmath>
#include <memory>

namespace parlog {

using namespace forms;

ChartWindow::ChartWindow(Application& app, Kind kind)
    : Window(app, kind == Kind::Putts ? windows::kPuttsChart : windows::kCoursesChart,
             kind == Kind::Putts ? QStringLiteral("Putts Chart") : QStringLiteral("Graph"))
    , m_kind(kind)
{
    auto* title = label(this, QStringLiteral("Label1"),
                        kind == Kind::Putts ? QStringLiteral("Round putts totals for")
                                            : QStringLiteral("Course played totals for"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    playerName = label(this, QStringLiteral("Label2"), QString());
    playerName->setFont(big);
    auto* view = new QChartView(this);
    view->setObjectName(QStringLiteral("MSChart1"));
    view->setRenderHint(QPainter::Antialiasing);
    chartView = view;
    auto* close = button(this, QStringLiteral("Command1"), QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // The chart takes what the window grows by.
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addWidget(playerName, 1);
    layout->addLayout(top);
    layout->addWidget(view, 1);
    layout->addLayout(row({close}));
    resize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 32);
}

void ChartWindow::load()
{
    const auto* hub = context<PlayerContext>();
    const QString player = hub ? hub->player : QString();
    playerName->setText(player);
    PlayerStats stats(app().registerInUse());
    const auto rows =
        m_kind == Kind::Putts ? stats.puttsByDate(player) : stats.roundsPerCourse(player);
    if (rows)
        m_series = *rows;
    else
        app().inform(rows.error());
    draw();
}

void ChartWindow::draw()
{
    auto* chart = new QChart;
    followTheme(this, chart);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    if (m_series.isEmpty()) {
        // An empty chart would say nothing at all; say why.
        chart->setTitle(m_kind == Kind::Putts
                            ? QStringLiteral("No rounds with putts recorded for this player.")
                            : QStringLiteral("No rounds recorded for this player."));
    } else {
        auto* set =
            new QBarSet(m_kind == Kind::Putts ? QStringLiteral("Putts") : QStringLiteral("Rounds"));
        set->setColor(m_kind == Kind::Putts ? forms::readable(this, QColor(0x2f, 0x7d, 0x32))
                                            : forms::readable(this, QColor(0x1f, 0x5f, 0x9f)));
        double top = 0;
        for (const auto& [label, value] : m_series) {
            *set << value;
            top = std::max(top, value);
        }
        auto* bars = new QBarSeries;
        bars->append(set);
        bars->setLabelsVisible(m_series.size() <= 40);
        bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        set->setLabelColor(Qt::black);
        QFont small = set->labelFont();
        small.setPointSizeF(7.5);
        set->setLabelFont(small);
        chart->addSeries(bars);
        // Each bar keeps its own label and its hint; labels that would crowd stand on
        // end, and if even then they would run together only every k-th one shows.
        QFont axisFont = QChart().font();
        const int maxLength = m_kind == Kind::Putts ? 0 : 18;
        int widest = 0;
        for (const QString& l : barLabels(m_series, 1, maxLength))
            widest = std::max(widest, QFontMetrics(axisFont).horizontalAdvance(l));
        // The room the bars have is the view's as laid out, before it is first shown.
        if (layout())
            layout()->activate();
        const double plot = chartView->width() - 100;
        const int count = int(m_series.size());
        int step = 1;
        bool upright = false;
        if (widest + 8 > plot / double(count)) {
            axisFont.setPointSizeF(7.5);
            upright = true;
            step = labelStep(count, plot, QFontMetrics(axisFont).height() + 4);
        }
        const QStringList labels = barLabels(m_series, step, maxLength);
        QAbstractAxis* axis = nullptr;
        if (step == 1) {
            auto* categories = new QBarCategoryAxis;
            categories->append(labels);
            axis = categories;
        } else {
            // A label per bar would be hidden as overlapping: name every k-th bar only.
            auto* ticks = new QCategoryAxis;
            ticks->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
            for (int i = 0; i < count; i += step)
                ticks->append(labels[i], i);
            ticks->setRange(-0.5, count - 0.5);
            ticks->setGridLineVisible(false);
            axis = ticks;
            // Bars a pixel or two wide: full width, and no border to pale them.
            bars->setBarWidth(1.0);
            set->setPen(Qt::NoPen);
        }
        axis->setLabelsFont(axisFont);
        axis->setTruncateLabels(false);
        if (upright)
            axis->setLabelsAngle(-90);
        connect(set, &QBarSet::hovered, this, [this](bool on, int index) {
            if (on && index >= 0 && index < m_series.size())
                QToolTip::showText(QCursor::pos(), barHint(index), chartView);
            else
                QToolTip::hideText();
        });
        chart->addAxis(axis, Qt::AlignBottom);
        bars->attachAxis(axis);
        auto* values = new QValueAxis;
        values->setRange(0, std::ceil(top * 1.1 + 0.5));
        values->applyNiceNumbers();
        values->setLabelFormat(QStringLiteral("%d"));
        chart->addAxis(values, Qt::AlignLeft);
        bars->attachAxis(values);
    }
    // The view lets go of its previous chart without deleting it.
    auto* view = static_cast<QChartView*>(chartView);
    std::unique_ptr<QChart> previous(view->chart());
    view->setChart(chart);
}

QString ChartWindow::barHint(int index) const
{
    const auto& [label, value] = m_series.at(index);
    return m_kind == Kind::Putts ? QStringLiteral("%1: %2 putts").arg(label).arg(value)
                                 : QStringLiteral("%1: %2 rounds").arg(label).arg(value);
}

} // namespace parlog
