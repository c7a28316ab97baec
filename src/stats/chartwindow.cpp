#include "stats/chartwindow.h"

#include "app/application.h"
#include "app/windowcontexts.h"
#include "app/windownames.h"
#include "ui/forms.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
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
    setFixedSize(720, 520);
    auto* title = label(this, QStringLiteral("Label1"),
                        kind == Kind::Putts ? QStringLiteral("Round putts totals for")
                                            : QStringLiteral("Course played totals for"),
                        {14, 12, 230, 28});
    QFont big = title->font();
    big.setPointSize(12);
    big.setBold(true);
    title->setFont(big);
    Label2 = label(this, QStringLiteral("Label2"), QString(), {248, 12, 460, 28});
    Label2->setFont(big);
    auto* view = new QChartView(this);
    view->setObjectName(QStringLiteral("MSChart1"));
    view->setGeometry(10, 46, 700, 420);
    view->setRenderHint(QPainter::Antialiasing);
    MSChart1 = view;
    auto* close =
        button(this, QStringLiteral("Command1"), QStringLiteral("Close"), {600, 478, 110, 30});
    connect(close, &QPushButton::clicked, this, &ChartWindow::Command1_Click);
}

void ChartWindow::form_load()
{
    const auto* hub = context<PlayerContext>();
    const QString player = hub ? hub->player : QString();
    Label2->setText(player);
    if (auto connection = app().openConnection()) {
        const auto rows = m_kind == Kind::Putts ? puttsByDate(*connection, player)
                                                : roundsPerCourse(*connection, player);
        if (rows)
            m_series = *rows;
        else
            app().inform(rows.error());
    }
    draw();
}

void ChartWindow::draw()
{
    auto* chart = new QChart;
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
        set->setColor(m_kind == Kind::Putts ? QColor(0x2f, 0x7d, 0x32) : QColor(0x1f, 0x5f, 0x9f));
        QStringList labels;
        double top = 0;
        for (const auto& [label, value] : m_series) {
            *set << value;
            labels << label;
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
        auto* categories = new QBarCategoryAxis;
        categories->append(labels);
        const QFontMetrics metrics(categories->labelsFont());
        int widest = 0;
        for (const QString& l : labels)
            widest = std::max(widest, metrics.horizontalAdvance(l));
        if (widest + 8 > (MSChart1->width() - 100) / int(labels.size())) {
            // Dates and course names stand on end so that every one can be read.
            categories->setLabelsAngle(-90);
            QFont small = categories->labelsFont();
            small.setPointSizeF(7.5);
            categories->setLabelsFont(small);
        }
        categories->setTruncateLabels(false);
        chart->addAxis(categories, Qt::AlignBottom);
        bars->attachAxis(categories);
        auto* values = new QValueAxis;
        values->setRange(0, std::ceil(top * 1.1 + 0.5));
        values->applyNiceNumbers();
        values->setLabelFormat(QStringLiteral("%d"));
        chart->addAxis(values, Qt::AlignLeft);
        bars->attachAxis(values);
    }
    // The view lets go of its previous chart without deleting it.
    auto* view = static_cast<QChartView*>(MSChart1);
    std::unique_ptr<QChart> previous(view->chart());
    view->setChart(chart);
}

void ChartWindow::Command1_Click()
{
    close();
}

} // namespace parlog
