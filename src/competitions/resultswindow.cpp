#include "competitions/resultswindow.h"

#include "search/criteria.h"
#include "competitions/publishing.h"
#include "competitions/society.h"
#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "data/competitions.h"
#include "data/records.h"
#include "golf/rules.h"
#include "data/rounds.h"
#include "reports/csv.h"
#include "reports/report.h"
#include "reports/reportpainter.h"
#include "base/reportwindow.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"
#include "ui/tables.h"

#include <QBoxLayout>

#include <algorithm>
#include <QCheckBox>
#include <QGridLayout>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

namespace parlog {

using namespace forms;

namespace {

const QStringList kHeadings{"Position", "Player", "Division", "Handicap",
                            "Gross",    "Net",    "Points",   "Countback"};
const QStringList kColumns{"position", "player", "division", "handicap",
                           "gross",    "net",    "points",   "countback"};
// A spreadsheet has no heading: each line says how the competition was played.
const QStringList kCsvColumns = kColumns + QStringList{"Format", "Allowance"};
// A side's line: its name, its players and their handicaps.
const QStringList kSideCsvColumns{"position", "side",   "players",   "handicaps", "gross",
                                  "net",      "points", "countback", "Format",    "Allowance"};

const QStringList kSideHeadings{"Position", "Side",   "Players", "Handicaps",
                                "Gross",    "Net",    "Points",  "Countback"};

} // namespace

ResultsWindow::ResultsWindow(Application& app)
    : Window(app, windows::kResults, QStringLiteral("Competition Results"))
{
    auto* competitionLabel = label(this, QStringLiteral("Label1"), QStringLiteral("Competition"));
    embolden(competitionLabel);
    competition = new QComboBox(this);
    competition->setObjectName(QStringLiteral("competition"));
    competition->setMaxVisibleItems(20);
    competition->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    auto* betweenLabel = label(this, QStringLiteral("Label2"), QStringLiteral("Played between"));
    from = box(this, QStringLiteral("from"), 10);
    to = box(this, QStringLiteral("to"), 10);
    auto* rankingLabel = label(this, QStringLiteral("Label5"), QStringLiteral("Ranking"));
    basis = new QComboBox(this);
    basis->setObjectName(QStringLiteral("basis"));
    basis->addItems({QStringLiteral("Net"), QStringLiteral("Gross")});
    divisionFilter = new QComboBox(this);
    divisionFilter->setObjectName(QStringLiteral("divisionFilter"));
    divisionFilter->setMinimumWidth(fontMetrics().averageCharWidth() * 20);
    for (QLineEdit* b : {from, to})
        selectAllOnFocus(b);
    // How the competition is played: kept in the register as soon as it is changed.
    auto* formatLabel = label(this, QStringLiteral("LabelFormat"), QStringLiteral("Format"));
    format = new QComboBox(this);
    format->setObjectName(QStringLiteral("format"));
    for (auto f : {competitions::Format::Stroke, competitions::Format::Stableford,
                   competitions::Format::ParBogey})
        format->addItem(competitions::formatName(f), int(f));
    allowance = box(this, QStringLiteral("allowance"), 4);
    allowance->setAlignment(Qt::AlignCenter);
    allowance->setToolTip(QStringLiteral("The share of the course handicap the players play off"));
    selectAllOnFocus(allowance);
    pcc = new QSpinBox(this);
    pcc->setObjectName(QStringLiteral("pcc"));
    pcc->setRange(-1, 3);
    pcc->setToolTip(QStringLiteral("Playing conditions calculation, as the club or association "
                                   "publishes it for the day: -1 to +3"));
    countsForHandicap = tick(this, QStringLiteral("countsForHandicap"));
    auto* teamLabel = label(this, QStringLiteral("LabelTeam"), QStringLiteral("Played by"));
    teamFormat = new QComboBox(this);
    teamFormat->setObjectName(QStringLiteral("teamFormat"));
    for (golf::TeamFormat t : competitions::teamFormats())
        teamFormat->addItem(QString::fromLatin1(golf::formatName(t)), int(t));
    nine = new QComboBox(this);
    nine->setObjectName(QStringLiteral("nine"));
    for (auto n : {competitions::Nine::Eighteen, competitions::Nine::Front,
                   competitions::Nine::Back})
        nine->addItem(publishing::nineName(n), int(n));
    auto* fieldButton = button(this, QStringLiteral("field"), QStringLiteral("&Sides..."));
    fieldButton->setToolTip(QStringLiteral("The sides of a pairs or fours competition"));
    auto* countsLabel =
        label(this, QStringLiteral("LabelCounts"), QStringLiteral("Counts for handicap"));
    countsLabel->setBuddy(countsForHandicap);

    auto* criteria = new QGridLayout;
    criteria->addWidget(competitionLabel, 0, 0);
    criteria->addWidget(competition, 0, 1);
    criteria->addWidget(betweenLabel, 1, 0);
    criteria->addLayout(
        line({from, label(this, QStringLiteral("Label3"), QStringLiteral("and")), to,
              label(this, QStringLiteral("Label4"), QStringLiteral("eg: 23 Jun 04"))}),
        1, 1);
    criteria->addWidget(rankingLabel, 2, 0);
    criteria->addLayout(
        line({basis, label(this, QStringLiteral("Label6"), QStringLiteral("Division")),
              divisionFilter}),
        2, 1);
    criteria->addWidget(formatLabel, 3, 0);
    criteria->addLayout(
        line({format, label(this, QStringLiteral("LabelAllowance"), QStringLiteral("Allowance %")),
              allowance, label(this, QStringLiteral("LabelPcc"), QStringLiteral("PCC")), pcc,
              countsForHandicap, countsLabel}),
        3, 1);
    criteria->addWidget(teamLabel, 4, 0);
    criteria->addLayout(line({teamFormat, nine, fieldButton}), 4, 1);
    criteria->setColumnStretch(1, 1);

    m_model = new QStandardItemModel(0, int(kHeadings.size()), this);
    m_model->setHorizontalHeaderLabels(kHeadings);
    ranking = new QTableView(this);
    ranking->setObjectName(QStringLiteral("ranking"));
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_model);
    ranking->setModel(sorted);
    ranking->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ranking->setSelectionBehavior(QAbstractItemView::SelectRows);
    ranking->verticalHeader()->hide();
    sortByHeader(ranking, sorted);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as PDF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as CSV..."));
    auto* copy = button(this, QStringLiteral("copyText"), QStringLiteral("Cop&y as text"));
    auto* web = button(this, QStringLiteral("saveWeb"), QStringLiteral("&Web page..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The table takes what the window grows by.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(criteria);
    layout->addWidget(ranking, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status, 1);
    for (QPushButton* b : {printButton, pdf, csv, copy, web, close})
        bottom->addWidget(b);
    layout->addLayout(bottom);
    resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 34);

    connect(competition, &QComboBox::activated, this, &ResultsWindow::competitionChosen);
    for (QLineEdit* b : {from, to})
        connect(b, &QLineEdit::editingFinished, this, &ResultsWindow::refresh);
    connect(basis, &QComboBox::activated, this, &ResultsWindow::refresh);
    connect(divisionFilter, &QComboBox::activated, this, &ResultsWindow::refresh);
    connect(format, &QComboBox::activated, this, &ResultsWindow::keepSettings);
    connect(allowance, &QLineEdit::editingFinished, this, &ResultsWindow::keepSettings);
    connect(pcc, &QSpinBox::valueChanged, this, &ResultsWindow::keepSettings);
    connect(countsForHandicap, &QCheckBox::clicked, this, &ResultsWindow::keepSettings);
    connect(teamFormat, &QComboBox::activated, this, &ResultsWindow::keepSettings);
    connect(nine, &QComboBox::activated, this, &ResultsWindow::keepSettings);
    connect(fieldButton, &QPushButton::clicked, this, &ResultsWindow::enterField);
    connectReportButtons(
        this, app,
        [this] {
            return QStringLiteral("Results %1 %2").arg(competition->currentText(), from->text());
        },
        printButton, pdf, csv, [this] { return makeReport(); },
        std::function<QStringList()>([this] { return csvColumns(); }));
    connectPublishButtons(
        this, app,
        [this] {
            return QStringLiteral("Results %1 %2").arg(competition->currentText(), from->text());
        },
        copy, web, [this] { return makeReport(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({competition, from, to, basis, divisionFilter, format, allowance, pcc,
                countsForHandicap, teamFormat, nine, fieldButton, ranking, printButton, pdf, csv,
                copy, web, close});
}

void ResultsWindow::load()
{
    const auto list = Society(app().registerInUse()).competitions();
    if (!list)
        app().inform(list.error());
    for (const rounds::Competition& c : list.valueOr({})) {
        const QString date = formatStoredDate(c.date, DateFormat::Medium);
        competition->addItem(QStringLiteral("%1 \u2014 %2 \u2014 %3 \u2014 %4 card%5")
                                 .arg(c.name, date, c.course)
                                 .arg(c.cards)
                                 .arg(c.cards == 1 ? QString() : QStringLiteral("s")),
                             QStringList{c.name, c.date});
    }
    if (competition->count() > 0) {
        competition->setCurrentIndex(0);
        competitionChosen();
    } else {
        status->setText(QStringLiteral("No competitions are recorded yet: cards with a "
                                       "competition name on them appear here."));
    }
    competition->setFocus();
}

void ResultsWindow::competitionChosen()
{
    const QStringList chosen = competition->currentData().toStringList();
    if (chosen.size() != 2)
        return;
    const QString day = formatStoredDate(chosen[1], DateFormat::Medium);
    from->setText(day);
    to->setText(day);
    const auto kept = Society(app().registerInUse()).settings(chosen[0], chosen[1]);
    if (!kept)
        app().inform(kept.error());
    m_settings = kept.valueOr(competitions::Settings{chosen[0], chosen[1]});
    showSettings();
    refresh();
}

void ResultsWindow::showSettings()
{
    const QSignalBlocker a(format), b(pcc), c(countsForHandicap), d(teamFormat), e(nine);
    format->setCurrentIndex(format->findData(int(m_settings.format)));
    teamFormat->setCurrentIndex(teamFormat->findData(int(m_settings.team)));
    nine->setCurrentIndex(nine->findData(int(m_settings.nine)));
    allowance->setText(publishing::percentOf(m_settings.allowance));
    pcc->setValue(m_settings.pcc);
    countsForHandicap->setChecked(m_settings.countsForHandicap);
}

void ResultsWindow::keepSettings()
{
    const QStringList chosen = competition->currentData().toStringList();
    if (chosen.size() != 2)
        return;
    competitions::Settings wanted = m_settings;
    wanted.name = chosen[0];
    wanted.date = chosen[1];
    wanted.format = competitions::Format(format->currentData().toInt());
    wanted.pcc = pcc->value();
    wanted.countsForHandicap = countsForHandicap->isChecked();
    wanted.team = golf::TeamFormat(teamFormat->currentData().toInt());
    wanted.nine = competitions::Nine(nine->currentData().toInt());
    // An allowance left at the table's moves with the format to the table's new one;
    // one the committee typed stays.
    if ((wanted.team != m_settings.team || wanted.format != m_settings.format) &&
        allowance->text() == publishing::percentOf(competitions::defaultAllowance(m_settings.format,
                                                                                  m_settings.team)))
        allowance->setText(
            publishing::percentOf(competitions::defaultAllowance(wanted.format, wanted.team)));
    const auto percent = toNumber(allowance->text().remove(QLatin1Char('%')));
    if (!percent || *percent <= 0 || *percent > 100) {
        app().inform(QStringLiteral("The allowance was not changed: \"%1\" is not a share "
                                    "from 1 to 100%.")
                         .arg(allowance->text()));
        allowance->setText(publishing::percentOf(m_settings.allowance));
        return;
    }
    wanted.allowance = *percent / 100.0;
    if (Status kept = Society(app().registerInUse()).keepSettings(wanted); !kept) {
        app().inform(
            QStringLiteral("The competition's settings were not kept: %1").arg(kept.error()));
        showSettings();
        return;
    }
    m_settings = wanted;
    refresh();
}

void ResultsWindow::refresh()
{
    const QStringList chosen = competition->currentData().toStringList();
    if (chosen.size() != 2)
        return;
    const auto range = storedRange(from->text(), to->text());
    if (!range) {
        status->setText(range.error());
        return;
    }
    const auto played =
        Society(app().registerInUse()).played(chosen[0], chosen[1], range->from, range->to);
    if (!played) {
        app().inform(played.error());
        return;
    }
    const Rows& cards = played->cards;
    // The divisions of the cards, the chosen one kept.
    const QString keep =
        divisionFilter->currentIndex() > 0 ? divisionFilter->currentText() : QString();
    QStringList divisions;
    const RoundReader reader(cards.columns);
    for (const QVariantList& row : cards.rows) {
        const QString d = reader.read(row).division;
        if (!d.isEmpty() && !divisions.contains(d, Qt::CaseInsensitive))
            divisions << d;
    }
    divisions.sort(Qt::CaseInsensitive);
    divisionFilter->clear();
    addAllEntry(divisionFilter, QStringLiteral("Overall"));
    divisionFilter->addItems(divisions);
    divisionFilter->setCurrentIndex(qMax(0, divisionFilter->findText(keep)));
    m_placings = rankCompetition(cards,
                                 rankingOf(m_settings,
                                           basis->currentIndex() == 1 ? Basis::Gross : Basis::Net,
                                           chosenName(divisionFilter), played->sides),
                                 played->courses);

    const Round first = cards.rows.isEmpty() ? Round() : Round::from(cards, 0);
    m_course = first.course;
    m_scratch = first.standardScratch;
    m_model->removeRows(0, m_model->rowCount());
    for (const Placing& p : std::as_const(m_placings)) {
        QList<QStandardItem*> items;
        for (const QString& text : publishing::placingFields(p))
            items << sortableCell(text);
        m_model->appendRow(items);
    }
    const bool sides = m_settings.team != golf::TeamFormat::Individual;
    m_model->setHorizontalHeaderLabels(sides ? kSideHeadings : kHeadings);
    // A column no line fills (a better ball's gross, a Stableford's net) takes no room.
    for (int c = 2; c < m_model->columnCount(); ++c)
        ranking->setColumnHidden(
            c, std::all_of(m_placings.cbegin(), m_placings.cend(), [c](const Placing& p) {
                return publishing::placingFields(p)[c].isEmpty();
            }));
    fitColumns(ranking);
    status->setText(QStringLiteral("%1 %2%3")
                        .arg(m_placings.size())
                        .arg(sides ? QStringLiteral("side") : QStringLiteral("card"))
                        .arg(m_placings.size() == 1 ? QString() : QStringLiteral("s")));
    if (sides && played->sides.isEmpty())
        status->setText(QStringLiteral("No sides are entered for this competition: enter them "
                                       "with Sides..."));
}

QStringList ResultsWindow::csvColumns() const
{
    return m_settings.team == golf::TeamFormat::Individual ? kCsvColumns : kSideCsvColumns;
}

report::Report ResultsWindow::makeReport() const
{
    const QStringList chosen = competition->currentData().toStringList();
    return publishing::resultsReport(
        m_placings, m_settings,
        {chosen.value(0) + (basis->currentIndex() == 1 ? QStringLiteral(" (gross)") : QString()) +
             (divisionFilter->currentIndex() > 0
                  ? QStringLiteral(", %1").arg(divisionFilter->currentText())
                  : QString()),
         from->text() == to->text() ? from->text()
                                    : from->text() + QStringLiteral(" \u2013 ") + to->text(),
         m_course, m_scratch});
}

void ResultsWindow::enterField()
{
    const QStringList chosen = competition->currentData().toStringList();
    FieldContext field;
    if (chosen.size() == 2) {
        field.competition = chosen[0];
        field.date = chosen[1];
    }
    field.saved = [this] {
        competitionChosen();
    };
    app().show(windows::kField, field);
}

bool ResultsWindow::savePdf(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Pdf, path);
}

bool ResultsWindow::saveCsv(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Csv, path, csvColumns());
}

} // namespace parlog
