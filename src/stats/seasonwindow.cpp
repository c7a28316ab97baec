#include "stats/charttheme.h"
#include "stats/seasonwindow.h"

#include "search/criteria.h"
#include "stats/playerstats.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "reports/csv.h"
#include "reports/report.h"
#include "reports/reportpainter.h"
#include "base/reportwindow.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBoxLayout>
#include <QChart>
#include <QGridLayout>
#include <QGraphicsScene>
#include <QPainter>
#include <QSvgGenerator>
#include <QChartView>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <memory>

namespace parlog {

using namespace forms;

namespace {

const QStringList kFigureColumns{QStringLiteral("figure"), QStringLiteral("value")};

// A chart in its view; the view's first chart is let go of, so it is deleted here.
void setChart(QChartView* view, QChart* chart)
{
    std::unique_ptr<QChart> previous(view->chart());
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    view->setChart(chart);
}

} // namespace

SeasonWindow::SeasonWindow(Application& app)
    : Window(app, windows::kSeason, QStringLiteral("Season Statistics"))
{
    auto* title = label(this, QStringLiteral("player"), QString());
    embolden(title, 3);
    from = box(this, QStringLiteral("from"), 10);
    to = box(this, QStringLiteral("to"), 10);
    course = picker(this, QStringLiteral("course"));
    course->setEditable(false);
    course->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    for (QLineEdit* b : {from, to})
        selectAllOnFocus(b);

    // The figures in two columns of caption and value, the short game on a page of its
    // own.
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("figures"));
    QWidget* scoring = new QWidget(pages);
    QWidget* shortGame = new QWidget(pages);
    pages->addTab(scoring, QStringLiteral("S&coring"));
    pages->addTab(shortGame, QStringLiteral("Short &game"));
    auto* scoringGrid = new QGridLayout(scoring);
    auto* shortGrid = new QGridLayout(shortGame);
    std::array<int, 2> rows{};
    for (const SeasonLine& line : seasonLines(SeasonFigures{})) {
        QWidget* page = line.shortGame ? shortGame : scoring;
        QGridLayout* grid = line.shortGame ? shortGrid : scoringGrid;
        const int r = rows[line.shortGame]++;
        grid->addWidget(label(page, QStringLiteral("Caption_") + line.name, line.caption), r, 0);
        QLabel* value = label(page, line.name, QString());
        embolden(value);
        value->setMinimumWidth(fontMetrics().averageCharWidth() * 10);
        grid->addWidget(value, r, 1);
        m_values.insert(line.name, value);
    }
    for (QGridLayout* grid : {scoringGrid, shortGrid}) {
        grid->setRowStretch(grid->rowCount(), 1);
        grid->setVerticalSpacing(2);
    }
    // Without the holes' putts this figure is larger than a hole-by-hole count would
    // give; say so where the number stands.
    for (const QString& name :
         {QStringLiteral("Caption_puttsPerGreen"), QStringLiteral("puttsPerGreen")})
        findChild<QLabel*>(name)->setToolTip(
            QStringLiteral("The putts on the greens hit in regulation, from the cards that "
                           "keep their putts hole by hole; when none does, all the putts of "
                           "the rounds divided by the greens hit in regulation."));
    noPars = label(this, QStringLiteral("noPars"), QString());
    noPars->setWordWrap(true);

    const auto chartView = [this](const char* name) {
        auto* view = new QChartView(this);
        view->setObjectName(QString::fromLatin1(name));
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(fontMetrics().averageCharWidth() * 60, fontMetrics().height() * 12);
        return view;
    };
    netChart = chartView("netChart");
    toParChart = chartView("toParChart");
    // In their places when the short game's page is shown.
    puttsChart = chartView("puttsChart");
    scramblingChart = chartView("scramblingChart");
    const auto showPage = [this](int page) {
        netChart->setVisible(page == 0);
        toParChart->setVisible(page == 0);
        puttsChart->setVisible(page == 1);
        scramblingChart->setVisible(page == 1);
    };
    showPage(0);
    connect(pages, &QTabWidget::currentChanged, this, showPage);

    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as PDF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as CSV..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The figures on the left, the charts taking what the window grows by.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(
        line({label(this, QStringLiteral("Label2"), QStringLiteral("Between")), from,
              label(this, QStringLiteral("Label3"), QStringLiteral("and")), to,
              label(this, QStringLiteral("Label4"), QStringLiteral("Course")), course}));
    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(pages, 1);
    left->addWidget(noPars);
    middle->addLayout(left);
    auto* charts = new QVBoxLayout;
    for (QChartView* view : {netChart, toParChart, puttsChart, scramblingChart})
        charts->addWidget(view, 1);
    middle->addLayout(charts, 1);
    layout->addLayout(middle, 1);
    layout->addLayout(row({printButton, pdf, csv, close}));
    resize(fontMetrics().averageCharWidth() * 128, fontMetrics().height() * 36);

    for (QLineEdit* b : {from, to})
        connect(b, &QLineEdit::editingFinished, this, &SeasonWindow::refresh);
    connect(course, &QComboBox::activated, this, &SeasonWindow::refresh);
    connectReportButtons(
        this, app,
        [this] {
            return QStringLiteral("Season %1 %2 to %3").arg(m_player, from->text(), to->text());
        },
        printButton, pdf, csv, [this] { return makeReport(); }, kFigureColumns);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({from, to, course, printButton, pdf, csv, close});
}

void SeasonWindow::load()
{
    const auto* hub = context<PlayerContext>();
    m_player = hub ? hub->player : QString();
    findChild<QLabel*>(QStringLiteral("player"))
        ->setText(QStringLiteral("Season Statistics for %1").arg(m_player));
    const QDate today = app().today();
    from->setText(formatDate(QDate(today.year(), 1, 1), DateFormat::Medium));
    to->setText(formatDate(QDate(today.year(), 12, 31), DateFormat::Medium));
    addAllEntry(course, QStringLiteral("All Courses"));
    if (const auto played = PlayerStats(app().registerInUse()).coursesPlayed(m_player))
        course->addItems(*played);
    else
        app().inform(played.error());
    course->setCurrentIndex(0);
    refresh();
    from->setFocus();
}

void SeasonWindow::refresh()
{
    const auto range = storedRange(from->text(), to->text(), QStringLiteral("1 Jan 2026"));
    if (!range) {
        noPars->setText(range.error());
        return;
    }
    const auto figures = PlayerStats(app().registerInUse())
                             .season(m_player, range->from, range->to, chosenName(course));
    if (!figures) {
        app().inform(figures.error());
        return;
    }
    m_figures = *figures;
    show(m_figures);
    drawCharts();
}

void SeasonWindow::show(const SeasonFigures& f)
{
    for (const SeasonLine& line : seasonLines(f))
        if (QLabel* value = m_values.value(line.name))
            value->setText(line.value);
    const bool any = f.rounds > 0;
    if (!any)
        noPars->setText(QStringLiteral("No rounds in these dates."));
    else if (f.roundsWithoutPars > 0)
        noPars->setText(
            QStringLiteral("%1 of the rounds %2 on courses without pars in the "
                           "register: they count in the totals, not in the figures "
                           "to par.")
                .arg(f.roundsWithoutPars)
                .arg(f.roundsWithoutPars == 1 ? QStringLiteral("is") : QStringLiteral("are")));
    else
        noPars->clear();
}

QChart* SeasonWindow::roundsChart(const QString& title, const QList<double>& values)
{
    // One value a round in date order, and the mean of the last ten beside it.
    auto* chart = new QChart;
    followTheme(this, chart);
    chart->setTitle(title);
    if (values.isEmpty())
        return chart;
    auto* points = new QLineSeries;
    auto* rolling = new QLineSeries;
    const QList<double> averages = rollingAverage(values, 10);
    for (qsizetype i = 0; i < values.size(); ++i) {
        points->append(double(i + 1), values[i]);
        rolling->append(double(i + 1), averages[i]);
    }
    points->setPointsVisible(true);
    // A dot a round that can be seen, smaller when there are many.
    points->setMarkerSize(values.size() <= 60 ? 5 : 3);
    points->setColor(forms::readable(this, QColor(0x1f, 0x5f, 0x9f)));
    QPen pen(forms::readable(this, QColor(0xd0, 0x60, 0x10)));
    pen.setWidth(3);
    rolling->setPen(pen);
    chart->addSeries(points);
    chart->addSeries(rolling);
    chart->createDefaultAxes();
    // Whole rounds along the bottom, whole strokes up the side.
    if (auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0))) {
        // A lone round stands in the middle, not on the edge.
        if (values.size() == 1)
            x->setRange(0.5, 1.5);
        else
            x->setRange(1, double(values.size()));
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickAnchor(1);
        x->setTickInterval(std::max<double>(1, std::ceil(values.size() / 8.0)));
        x->setLabelFormat(QStringLiteral("%d"));
        x->setTitleText(QStringLiteral("Round"));
    }
    if (auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0))) {
        // Room above and below, so that rounds all alike do not crowd whole numbers.
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        y->setRange(std::floor(*low) - 1, std::ceil(*high) + 1);
        y->applyNiceNumbers();
        // No step smaller than a stroke.
        if (const double span = y->max() - y->min(); span < y->tickCount() - 1)
            y->setTickCount(int(span) + 1);
        y->setLabelFormat(QStringLiteral("%d"));
    }
    return chart;
}

QChart* SeasonWindow::barsChart(const QString& title, const QStringList& categories,
                                const QList<double>& values, const QString& labels, double top)
{
    // A bar a category, its value written on it.
    auto* chart = new QChart;
    followTheme(this, chart);
    chart->setTitle(title);
    if (values.isEmpty())
        return chart;
    auto* set = new QBarSet(QStringLiteral("Holes"));
    set->setColor(forms::readable(this, QColor(0x2f, 0x7d, 0x32)));
    for (const double value : values)
        *set << value;
    auto* bars = new QBarSeries;
    bars->append(set);
    bars->setLabelsVisible(true);
    bars->setLabelsFormat(labels);
    // Over the bar, where a short bar leaves room for it.
    bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    set->setLabelColor(chart->titleBrush().color());
    chart->addSeries(bars);
    auto* axis = new QBarCategoryAxis;
    axis->append(categories);
    chart->addAxis(axis, Qt::AlignBottom);
    bars->attachAxis(axis);
    auto* counts = new QValueAxis;
    // Headroom over the tallest bar for its label.
    if (top > 0) {
        counts->setRange(0, top * 1.12);
        counts->setTickType(QValueAxis::TicksDynamic);
        counts->setTickAnchor(0);
        counts->setTickInterval(top / 4);
    } else {
        counts->setRange(0, std::max(1.0, *std::max_element(values.begin(), values.end())) * 1.12);
        counts->applyNiceNumbers();
    }
    counts->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(counts, Qt::AlignLeft);
    bars->attachAxis(counts);
    return chart;
}

void SeasonWindow::drawCharts()
{
    QList<double> nets;
    for (const auto& [date, net] : m_figures.nets)
        nets << net;
    setChart(
        netChart,
        roundsChart(QStringLiteral("Net score a round, and the average of the last 10"), nets));
    QList<double> toPar;
    if (m_figures.holesToPar > 0)
        for (const int count : m_figures.toPar)
            toPar << count;
    setChart(toParChart,
             barsChart(QStringLiteral("Scores to par"),
                       {QStringLiteral("Eagle-"), QStringLiteral("Birdie"), QStringLiteral("Par"),
                        QStringLiteral("Bogey"), QStringLiteral("Double"), QStringLiteral("Worse")},
                       toPar, QStringLiteral("@value")));
    // The short game's, from the cards with their holes' putts.
    QList<double> putts;
    for (const auto& [date, count] : m_figures.puttsByRound)
        putts << count;
    setChart(puttsChart,
             roundsChart(QStringLiteral("Putts a round, and the average of the last 10"), putts));
    QStringList months;
    QList<double> scrambled;
    for (const auto& [month, counts] : m_figures.scramblingByMonth) {
        months << QDate::fromString(month + QStringLiteral("-01"), Qt::ISODate)
                      .toString(QStringLiteral("MMM yy"));
        scrambled << std::round(100.0 * counts.second / counts.first);
    }
    setChart(scramblingChart, barsChart(QStringLiteral("Scrambling by month"), months, scrambled,
                                        QStringLiteral("@value%"), 100));
}

report::Report SeasonWindow::makeReport()
{
    // The charts as drawn on screen, drawn again for the page.
    const auto drawn = [this](QChartView* view, const QString& name) {
        return chartPicture(view, m_chartFolder.filePath(name + QStringLiteral(".svg")));
    };
    Rows figures{kFigureColumns, {}};
    for (const SeasonLine& line : seasonLines(m_figures))
        figures.rows << QVariantList{line.caption, line.value};
    return report::Report(
        windows::kSeasonReport, report::DataSource::of(figures),
        {{QStringLiteral("player"), m_player},
         {QStringLiteral("range"), from->text() + QStringLiteral(" \u2013 ") + to->text()},
         {QStringLiteral("course"), course->currentText()},
         {QStringLiteral("netChart"), drawn(netChart, QStringLiteral("net"))},
         {QStringLiteral("toParChart"), drawn(toParChart, QStringLiteral("topar"))},
         {QStringLiteral("puttsChart"), drawn(puttsChart, QStringLiteral("putts"))},
         {QStringLiteral("scramblingChart"),
          drawn(scramblingChart, QStringLiteral("scrambling"))}});
}

bool SeasonWindow::savePdf(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Pdf, path);
}

bool SeasonWindow::saveCsv(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Csv, path, kFigureColumns);
}

} // namespace parlog
