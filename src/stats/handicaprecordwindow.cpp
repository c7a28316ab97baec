#include "stats/handicaprecordwindow.h"

#include "stats/playerstats.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "base/reportwindow.h"
#include "stats/charttheme.h"
#include "ui/forms.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QValueAxis>

#include <algorithm>
#include <memory>

namespace parlog {

using namespace forms;

namespace {

const QStringList kColumns{
    QStringLiteral("date"),          QStringLiteral("course"),       QStringLiteral("tee"),
    QStringLiteral("adjustedGross"), QStringLiteral("courseRating"), QStringLiteral("slopeRating"),
    QStringLiteral("pcc"),           QStringLiteral("differential"), QStringLiteral("counted"),
    QStringLiteral("reduction"),     QStringLiteral("indexAfter"),   QStringLiteral("notCounting")};
const QStringList kHeadings{
    QStringLiteral("Date"),       QStringLiteral("Course"),       QStringLiteral("Tee"),
    QStringLiteral("Adj. gross"), QStringLiteral("Rating"),       QStringLiteral("Slope"),
    QStringLiteral("PCC"),        QStringLiteral("Differential"), QStringLiteral("Counts"),
    QStringLiteral("Reduction"),  QStringLiteral("Index"),        QStringLiteral("Not counted")};

QString tenths(std::optional<double> value)
{
    return value ? QString::number(*value, 'f', 1) : QString();
}

// A card's line as the table shows it and the report prints it.
QStringList fieldsOf(const RecordLine& line)
{
    // The tee by its name: the ratings stand in columns of their own.
    return {formatStoredDate(line.date, DateFormat::Medium),
            line.course,
            line.tee.section(QStringLiteral(" ("), 0, 0),
            line.adjustedGross ? QString::number(*line.adjustedGross) : QString(),
            tenths(line.courseRating),
            line.slopeRating ? QString::number(*line.slopeRating) : QString(),
            line.notCounting.isEmpty() && line.pcc != 0 ? QString::number(line.pcc) : QString(),
            tenths(line.differential),
            line.counted ? QStringLiteral("Yes") : QString(),
            line.reduction > 0 ? QString::number(-line.reduction, 'f', 1) : QString(),
            line.indexAfter ? showIndex(*line.indexAfter) : QString(),
            line.notCounting};
}

} // namespace

HandicapRecordWindow::HandicapRecordWindow(Application& app)
    : Window(app, windows::kHandicapRecord, QStringLiteral("Handicap Record"))
{
    player = picker(this, QStringLiteral("player"));
    player->setEditable(false);
    player->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    handicapIndex = label(this, QStringLiteral("handicapIndex"), QString());
    embolden(handicapIndex, 4);
    lowIndex = label(this, QStringLiteral("lowIndex"), QString());
    embolden(lowIndex);
    note = label(this, QStringLiteral("note"), QString());
    note->setWordWrap(true);

    m_model = new QStandardItemModel(0, int(kHeadings.size()), this);
    m_model->setHorizontalHeaderLabels(kHeadings);
    differentials = lines(this, QStringLiteral("differentials"), m_model);
    differentials->horizontalHeader()->setStretchLastSection(true);
    differentials->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    differentials->setToolTip(
        QStringLiteral("Newest first. The most recent 20 scores are in black, the ones the "
                       "index rests on in bold; older scores are grey."));

    indexChart = new QChartView(this);
    indexChart->setObjectName(QStringLiteral("indexChart"));
    indexChart->setRenderHint(QPainter::Antialiasing);
    indexChart->setMinimumHeight(fontMetrics().height() * 10);

    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as PDF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as CSV..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The cards over the chart, the two sharing what the window grows by.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(line(
        {label(this, QStringLiteral("LabelPlayer"), QStringLiteral("Player")), player,
         label(this, QStringLiteral("LabelIndex"), QStringLiteral("Handicap Index")), handicapIndex,
         label(this, QStringLiteral("LabelLow"), QStringLiteral("Low Handicap Index")), lowIndex}));
    layout->addWidget(note);
    layout->addWidget(differentials, 3);
    layout->addWidget(indexChart, 2);
    layout->addLayout(row({printButton, pdf, csv, close}));
    resize(fontMetrics().averageCharWidth() * 136, fontMetrics().height() * 38);

    connect(player, &QComboBox::activated, this, &HandicapRecordWindow::refresh);
    connectReportButtons(
        this, app,
        [this] { return QStringLiteral("Handicap record %1").arg(player->currentText()); },
        printButton, pdf, csv, [this] { return makeReport(); }, kColumns);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({player, differentials, printButton, pdf, csv, close});
}

void HandicapRecordWindow::load()
{
    const auto* hub = context<PlayerContext>();
    const auto names = PlayerStats(app().registerInUse()).players();
    if (!names)
        app().inform(names.error());
    player->addItems(names.valueOr({}));
    if (hub)
        player->setCurrentIndex(std::max(0, player->findText(hub->player, Qt::MatchFixedString)));
    refresh();
    player->setFocus();
}

void HandicapRecordWindow::refresh()
{
    m_record = {};
    if (!player->currentText().isEmpty()) {
        const auto read = PlayerStats(app().registerInUse()).record(player->currentText());
        if (read)
            m_record = *read;
        else
            app().inform(QStringLiteral("The record could not be read: %1").arg(read.error()));
    }
    handicapIndex->setText(m_record.index ? showIndex(*m_record.index) : QStringLiteral("none"));
    lowIndex->setText(m_record.low ? showIndex(*m_record.low) : QStringLiteral("none yet"));
    note->setText(player->currentText().isEmpty() ? QStringLiteral("No players in the register.")
                  : m_record.lines.isEmpty()      ? QStringLiteral("No cards for this player.")
                                                  : m_record.note);

    m_model->removeRows(0, m_model->rowCount());
    const QColor older = palette().color(QPalette::Disabled, QPalette::Text);
    for (auto line = m_record.lines.crbegin(); line != m_record.lines.crend(); ++line) {
        QList<QStandardItem*> items;
        for (const QString& text : fieldsOf(*line)) {
            auto* item = new QStandardItem(text);
            if (line->counted) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            } else if (!line->recent) {
                item->setForeground(older);
            }
            items << item;
        }
        for (int c = 3; c <= 10; ++c)
            items[c]->setTextAlignment(Qt::AlignCenter);
        m_model->appendRow(items);
    }
    drawChart();
}

void HandicapRecordWindow::drawChart()
{
    auto* chart = new QChart;
    followTheme(this, chart);
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setTitle(m_record.indexByDate.isEmpty()
                        ? QStringLiteral("No index yet: it needs 3 scores that count.")
                        : QStringLiteral("Handicap Index, card by card"));
    if (!m_record.indexByDate.isEmpty()) {
        auto* series = new QLineSeries;
        series->setColor(forms::readable(this, QColor(0x1f, 0x5f, 0x9f)));
        // Each index a dot, so that one alone can be seen.
        series->setPointsVisible(true);
        double low = m_record.indexByDate.first().second;
        double high = low;
        for (const auto& [date, index] : m_record.indexByDate) {
            series->append(
                double(QDate::fromString(date, Qt::ISODate).startOfDay().toMSecsSinceEpoch()),
                index);
            low = std::min(low, index);
            high = std::max(high, index);
        }
        chart->addSeries(series);
        auto* days = new QDateTimeAxis;
        const QDate first = QDate::fromString(m_record.indexByDate.first().first, Qt::ISODate);
        const QDate last = QDate::fromString(m_record.indexByDate.last().first, Qt::ISODate);
        if (first == last) {
            // A lone index stands in the middle of a month, under its own day.
            days->setFormat(QStringLiteral("d MMM yyyy"));
            days->setTickCount(3);
            days->setRange(first.addDays(-15).startOfDay(), first.addDays(15).startOfDay());
        } else {
            days->setFormat(QStringLiteral("MMM yyyy"));
            days->setTickCount(6);
            days->setRange(first.startOfDay(), last.startOfDay());
        }
        chart->addAxis(days, Qt::AlignBottom);
        series->attachAxis(days);
        auto* values = new QValueAxis;
        values->setRange(std::floor(low) - 1, std::ceil(high) + 1);
        values->applyNiceNumbers();
        values->setLabelFormat(QStringLiteral("%.0f"));
        chart->addAxis(values, Qt::AlignLeft);
        series->attachAxis(values);
    }
    std::unique_ptr<QChart> previous(indexChart->chart());
    indexChart->setChart(chart);
}

report::Report HandicapRecordWindow::makeReport()
{
    Rows lines{kColumns, {}};
    for (auto line = m_record.lines.crbegin(); line != m_record.lines.crend(); ++line) {
        QVariantList row;
        for (const QString& text : fieldsOf(*line))
            row << text;
        lines.rows << row;
    }
    const QString newest = m_record.lines.isEmpty() ? QString() : m_record.lines.last().date;
    return report::Report(
        windows::kHandicapRecordReport, report::DataSource::of(lines),
        {{QStringLiteral("player"), player->currentText()},
         {QStringLiteral("index"), handicapIndex->text()},
         {QStringLiteral("low"), lowIndex->text()},
         {QStringLiteral("date"), formatStoredDate(newest, DateFormat::Medium)},
         {QStringLiteral("note"), note->text()},
         {QStringLiteral("indexChart"),
          chartPicture(indexChart, m_chartFolder.filePath(QStringLiteral("index.svg")))}});
}

bool HandicapRecordWindow::savePdf(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Pdf, path);
}

bool HandicapRecordWindow::saveCsv(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Csv, path, kColumns);
}

} // namespace parlog
