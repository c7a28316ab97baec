#include "competitions/eclecticwindow.h"

#include "competitions/society.h"
#include "base/application.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "golf/rules.h"
#include "base/reportwindow.h"
#include "search/criteria.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>

namespace parlog {

using namespace forms;

namespace {

QStringList csvColumns()
{
    QStringList columns{QStringLiteral("position"), QStringLiteral("player")};
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("hole%1").arg(h);
    return columns << QStringLiteral("out") << QStringLiteral("in") << QStringLiteral("gross")
                   << QStringLiteral("handicap") << QStringLiteral("net");
}

QStringList fieldsOf(const EclecticLine& line)
{
    QStringList texts{line.position, line.player};
    for (int s : line.best)
        texts << (s > 0 ? QString::number(s) : QStringLiteral("\u2013"));
    texts << QString::number(line.out) << QString::number(line.in) << QString::number(line.gross)
          << (line.handicap ? QString::number(*line.handicap) : QString())
          << (line.net ? QString::number(*line.net) : QString());
    return texts;
}

QString percentOf(double share)
{
    return QString::number(golf::roundHalfUp(share * 100, 1)) + QLatin1Char('%');
}

} // namespace

EclecticWindow::EclecticWindow(Application& app)
    : Window(app, windows::kEclectic, QStringLiteral("Eclectic"))
{
    course = picker(this, QStringLiteral("course"));
    course->setEditable(false);
    course->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    from = box(this, QStringLiteral("from"), 10);
    to = box(this, QStringLiteral("to"), 10);
    basis = picker(this, QStringLiteral("basis"));
    basis->setEditable(false);
    basis->addItems({QStringLiteral("Net"), QStringLiteral("Gross")});
    share = box(this, QStringLiteral("share"), 5);
    share->setAlignment(Qt::AlignCenter);
    share->setToolTip(QStringLiteral("The share of each player's lowest playing handicap in "
                                     "the dates taken off the eclectic gross"));
    for (QLineEdit* b : {from, to, share})
        selectAllOnFocus(b);

    m_model = new QStandardItemModel(this);
    QStringList headings{QStringLiteral("Pos"), QStringLiteral("Player")};
    for (int h = 1; h <= 18; ++h)
        headings << QString::number(h);
    headings << QStringLiteral("Out") << QStringLiteral("In") << QStringLiteral("Gross")
             << QStringLiteral("Hcp") << QStringLiteral("Net");
    m_model->setHorizontalHeaderLabels(headings);
    standings = forms::lines(this, QStringLiteral("standings"), m_model);
    standings->setSelectionMode(QAbstractItemView::SingleSelection);
    standings->setColumnWidth(0, 40);
    standings->setColumnWidth(1, 150);
    for (int c = 2; c < 20; ++c)
        standings->setColumnWidth(c, 29);
    for (int c = 20; c < 25; ++c)
        standings->setColumnWidth(c, 44);

    bestCard = new QTableWidget(3, 21, this);
    bestCard->setObjectName(QStringLiteral("bestCard"));
    const int cardRow = fontMetrics().height() + 8;
    // The day of each best on two lines, its day over its month.
    const int dateRow = 2 * fontMetrics().height() + 6;
    bestCard->setFixedHeight(2 * cardRow + dateRow + 4);
    bestCard->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bestCard->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bestCard->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bestCard->horizontalHeader()->hide();
    bestCard->setVerticalHeaderLabels(
        {QStringLiteral("Hole"), QStringLiteral("Best"), QStringLiteral("Made on")});
    bestCard->verticalHeader()->setDefaultSectionSize(cardRow);
    bestCard->verticalHeader()->resizeSection(2, dateRow);
    for (int c = 0; c < 21; ++c)
        bestCard->setColumnWidth(c, c < 18 ? 40 : 48);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as PDF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as CSV..."));
    auto* web = button(this, QStringLiteral("saveWeb"), QStringLiteral("&Web page..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The standings take what the window grows by; the best card stands under them.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(
        line({label(this, QStringLiteral("LabelCourse"), QStringLiteral("Course")), course,
              label(this, QStringLiteral("LabelFrom"), QStringLiteral("Between")), from,
              label(this, QStringLiteral("LabelTo"), QStringLiteral("and")), to, basis,
              label(this, QStringLiteral("LabelShare"), QStringLiteral("Handicap share")), share}));
    layout->addWidget(standings, 1);
    layout->addWidget(bestCard);
    layout->addWidget(status);
    layout->addLayout(row({printButton, pdf, csv, web, close}));
    resize(fontMetrics().averageCharWidth() * 136, fontMetrics().height() * 36);
    connect(course, &QComboBox::activated, this, &EclecticWindow::refresh);
    connect(basis, &QComboBox::activated, this, &EclecticWindow::refresh);
    for (QLineEdit* b : {from, to, share})
        connect(b, &QLineEdit::editingFinished, this, &EclecticWindow::refresh);
    connect(standings->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &EclecticWindow::showCard);
    connectReportButtons(
        this, app, [this] { return QStringLiteral("Eclectic %1").arg(course->currentText()); },
        printButton, pdf, csv, [this] { return makeReport(); }, csvColumns());
    connectPublishButtons(
        this, app, [this] { return QStringLiteral("Eclectic %1").arg(course->currentText()); },
        nullptr, web, [this] { return makeReport(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({course, from, to, basis, share, standings, printButton, pdf, csv, web, close});
}

void EclecticWindow::load()
{
    const QDate today = app().today();
    from->setText(formatDate(QDate(today.year(), 1, 1), DateFormat::Medium));
    to->setText(formatDate(QDate(today.year(), 12, 31), DateFormat::Medium));
    share->setText(percentOf(m_share));
    Society society(app().registerInUse());
    // The courses with cards on them.
    const auto names = society.coursesWithCards();
    if (!names)
        app().inform(names.error());
    course->addItems(names.valueOr({}));
    // The course most played in the dates, to begin with.
    if (const auto range = storedRange(from->text(), to->text()); range && names)
        if (const auto busiest = society.busiestCourse(range->from, range->to);
            busiest && !busiest->isEmpty())
            course->setCurrentIndex(std::max(0, course->findText(*busiest)));
    refresh();
    course->setFocus();
}

void EclecticWindow::refresh()
{
    const auto range = storedRange(from->text(), to->text(), QStringLiteral("1 Jan 2026"));
    if (!range) {
        status->setText(range.error());
        return;
    }
    const auto percent = toNumber(share->text().remove(QLatin1Char('%')));
    if (!percent || *percent < 0 || *percent > 100) {
        app().inform(QStringLiteral("The handicap share was not changed: \"%1\" is not a share "
                                    "from 0% to 100%.")
                         .arg(share->text()));
        share->setText(percentOf(m_share));
        return;
    }
    m_share = *percent / 100.0;
    share->setText(percentOf(m_share));
    m_model->removeRows(0, m_model->rowCount());
    m_lines.clear();
    if (course->currentText().isEmpty()) {
        status->setText(QStringLiteral("No courses in the register."));
        showCard();
        return;
    }
    const Basis chosen = basis->currentIndex() == 1 ? Basis::Gross : Basis::Net;
    const auto lines =
        Society(app().registerInUse())
            .eclectic(course->currentText(), range->from, range->to, chosen, m_share);
    if (!lines) {
        app().inform(lines.error());
        return;
    }
    m_lines = *lines;
    for (const EclecticLine& line : std::as_const(m_lines)) {
        QList<QStandardItem*> items;
        for (const QString& text : fieldsOf(line)) {
            auto* item = new QStandardItem(text);
            item->setTextAlignment(items.size() == 1 ? Qt::AlignLeft | Qt::AlignVCenter
                                                     : Qt::AlignCenter);
            items << item;
        }
        QFont bold = items[chosen == Basis::Net ? 24 : 22]->font();
        bold.setBold(true);
        items[chosen == Basis::Net ? 24 : 22]->setFont(bold);
        m_model->appendRow(items);
    }
    status->setText(m_lines.isEmpty()
                        ? QStringLiteral("No cards on this course between these dates.")
                        : QStringLiteral("%1 players. Net: the eclectic gross less %2 of the "
                                         "player's lowest playing handicap in the dates. A player "
                                         "with a hole never scored is listed last as NR.")
                              .arg(m_lines.size())
                              .arg(percentOf(m_share)));
    if (!m_lines.isEmpty())
        standings->selectRow(0);
    showCard();
}

void EclecticWindow::showCard()
{
    bestCard->clearContents();
    const int row = standings->currentIndex().row();
    const EclecticLine* line = row >= 0 && row < m_lines.size() ? &m_lines[row] : nullptr;
    const auto put = [this](int r, int c, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignCenter);
        bestCard->setItem(r, c, item);
    };
    for (int h = 0; h < 18; ++h)
        put(0, h, QString::number(h + 1));
    put(0, 18, QStringLiteral("Out"));
    put(0, 19, QStringLiteral("In"));
    put(0, 20, QStringLiteral("Gross"));
    if (!line)
        return;
    for (int h = 0; h < 18; ++h) {
        put(1, h, line->best[h] > 0 ? QString::number(line->best[h]) : QStringLiteral("\u2013"));
        const QDate made = QDate::fromString(line->madeOn[h], Qt::ISODate);
        put(2, h,
            made.isValid() ? QLocale::c().toString(made, QStringLiteral("d\nMMM")) : QString());
        bestCard->item(2, h)->setToolTip(formatStoredDate(line->madeOn[h], DateFormat::Medium));
    }
    put(1, 18, QString::number(line->out));
    put(1, 19, QString::number(line->in));
    put(1, 20, QString::number(line->gross));
}

report::Report EclecticWindow::makeReport() const
{
    Rows rows{csvColumns(), {}};
    for (const EclecticLine& line : std::as_const(m_lines)) {
        QVariantList row;
        for (const QString& text : fieldsOf(line))
            row << text;
        rows.rows << row;
    }
    const bool gross = basis->currentIndex() == 1;
    return report::Report(
        windows::kEclecticReport, report::DataSource::of(rows),
        {{QStringLiteral("course"), course->currentText()},
         {QStringLiteral("dates"), from->text() + QStringLiteral(" \u2013 ") + to->text()},
         {QStringLiteral("basis"),
          gross ? QStringLiteral("ranked by gross")
                : QStringLiteral("ranked by net, %1 of the lowest playing handicap")
                      .arg(percentOf(m_share))}});
}

bool EclecticWindow::savePdf(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Pdf, path);
}

bool EclecticWindow::saveCsv(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Csv, path, csvColumns());
}

} // namespace parlog
