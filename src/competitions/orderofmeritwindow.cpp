#include "competitions/orderofmeritwindow.h"

#include "competitions/publishing.h"
#include "competitions/society.h"
#include "base/application.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "base/reportwindow.h"
#include "search/criteria.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>

namespace parlog {

using namespace forms;

namespace {

QString eventHeading(const MeritEvent& e)
{
    return e.name + QLatin1Char('\n') + formatStoredDate(e.date, DateFormat::Medium);
}

} // namespace

OrderOfMeritWindow::OrderOfMeritWindow(Application& app)
    : Window(app, windows::kOrderOfMerit, QStringLiteral("Order of Merit"))
{
    season = picker(this, QStringLiteral("season"));
    season->setEditable(false);
    season->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    seasonName = box(this, QStringLiteral("seasonName"));
    seasonName->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    divisionFilter = picker(this, QStringLiteral("divisionFilter"));
    divisionFilter->setEditable(false);
    divisionFilter->setMinimumWidth(fontMetrics().averageCharWidth() * 18);

    from = box(this, QStringLiteral("from"), 10);
    to = box(this, QStringLiteral("to"), 10);
    positionPoints = box(this, QStringLiteral("positionPoints"));
    positionPoints->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    positionPoints->setToolTip(QStringLiteral("The points of the 1st, 2nd, 3rd ... places, "
                                              "separated by commas"));
    playingPoints = box(this, QStringLiteral("playingPoints"), 4);
    playingPoints->setAlignment(Qt::AlignCenter);
    bestOf = new QSpinBox(this);
    bestOf->setObjectName(QStringLiteral("bestOf"));
    bestOf->setRange(0, 99);
    bestOf->setSpecialValueText(QStringLiteral("all"));
    bestOf->setToolTip(QStringLiteral("How many of a player's events count: the best ones"));
    for (QLineEdit* b : {from, to, positionPoints, playingPoints, seasonName})
        selectAllOnFocus(b);

    auto* competitionsLabel = label(this, QStringLiteral("LabelCompetitions"),
                                    QStringLiteral("Competitions (untick to leave out)"));
    competitions = new QListWidget(this);
    competitions->setObjectName(QStringLiteral("competitions"));
    competitions->setMinimumWidth(competitionsLabel->sizeHint().width());

    m_model = new QStandardItemModel(this);
    standings = lines(this, QStringLiteral("standings"), m_model);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* save = button(this, QStringLiteral("saveSeasonButton"), QStringLiteral("&Save season"));
    auto* remove =
        button(this, QStringLiteral("deleteSeasonButton"), QStringLiteral("&Delete season"));
    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as PDF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as CSV..."));
    auto* copy = button(this, QStringLiteral("copyText"), QStringLiteral("Cop&y as text"));
    auto* web = button(this, QStringLiteral("saveWeb"), QStringLiteral("&Web page..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The season along the top; its competitions beside the standings, which take what
    // the window grows by.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(
        line({label(this, QStringLiteral("LabelSeason"), QStringLiteral("Season")), season,
              label(this, QStringLiteral("LabelName"), QStringLiteral("Name")), seasonName,
              label(this, QStringLiteral("LabelDivision"), QStringLiteral("Division")),
              divisionFilter}));
    layout->addLayout(
        line({label(this, QStringLiteral("LabelFrom"), QStringLiteral("Between")), from,
              label(this, QStringLiteral("LabelTo"), QStringLiteral("and")), to,
              label(this, QStringLiteral("LabelPoints"), QStringLiteral("Points")), positionPoints,
              label(this, QStringLiteral("LabelPlaying"), QStringLiteral("For playing")),
              playingPoints, label(this, QStringLiteral("LabelBest"), QStringLiteral("Best")),
              bestOf, label(this, QStringLiteral("LabelEvents"), QStringLiteral("events count"))}));
    auto* middle = new QGridLayout;
    middle->addWidget(competitionsLabel, 0, 0);
    middle->addWidget(competitions, 1, 0);
    middle->addWidget(standings, 0, 1, 2, 1);
    middle->setColumnStretch(1, 1);
    layout->addLayout(middle, 1);
    layout->addWidget(status);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(save);
    bottom->addWidget(remove);
    bottom->addStretch(1);
    for (QPushButton* b : {printButton, pdf, csv, copy, web, close})
        bottom->addWidget(b);
    layout->addLayout(bottom);
    resize(fontMetrics().averageCharWidth() * 136, fontMetrics().height() * 36);

    connect(season, &QComboBox::activated, this, &OrderOfMeritWindow::seasonChosen);
    for (QLineEdit* b : {from, to})
        connect(b, &QLineEdit::editingFinished, this, &OrderOfMeritWindow::datesChanged);
    for (QLineEdit* b : {positionPoints, playingPoints})
        connect(b, &QLineEdit::editingFinished, this, &OrderOfMeritWindow::refresh);
    connect(bestOf, &QSpinBox::valueChanged, this, &OrderOfMeritWindow::refresh);
    connect(divisionFilter, &QComboBox::activated, this, &OrderOfMeritWindow::refresh);
    connect(competitions, &QListWidget::itemChanged, this, &OrderOfMeritWindow::refresh);
    connect(save, &QPushButton::clicked, this, &OrderOfMeritWindow::saveSeason);
    connect(remove, &QPushButton::clicked, this, &OrderOfMeritWindow::deleteSeason);
    connectReportButtons(
        this, app, [this] { return QStringLiteral("Order of merit %1").arg(seasonName->text()); },
        printButton, pdf, csv, [this] { return makeReport(); },
        std::function<QStringList()>([this] { return csvColumns(); }),
        [this] { return makeReport(false); });
    connectPublishButtons(
        this, app, [this] { return QStringLiteral("Order of merit %1").arg(seasonName->text()); },
        copy, web, [this] { return makeReport(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({season, seasonName, divisionFilter, from, to, positionPoints, playingPoints, bestOf,
                competitions, standings, save, remove, printButton, pdf, csv, copy, web, close});
}

void OrderOfMeritWindow::load()
{
    addAllEntry(divisionFilter, QStringLiteral("Overall"));
    Society society(app().registerInUse());
    const auto kept = society.seasons();
    if (!kept)
        app().inform(kept.error());
    m_seasons = kept.valueOr({});
    // A register that cannot be read has said so once.
    if (kept)
        if (const auto names = society.divisions())
            divisionFilter->addItems(*names);
    fillSeasons(m_seasons.isEmpty() ? std::nullopt : m_seasons.last().id);
    seasonChosen();
    season->setFocus();
}

void OrderOfMeritWindow::fillSeasons(std::optional<qint64> chosen)
{
    const QSignalBlocker quiet(season);
    season->clear();
    season->addItem(QStringLiteral("(a new season)"));
    for (const seasons::Season& s : std::as_const(m_seasons)) {
        season->addItem(s.name, QVariant::fromValue(*s.id));
        if (chosen && s.id == chosen)
            season->setCurrentIndex(season->count() - 1);
    }
}

void OrderOfMeritWindow::seasonChosen()
{
    const int index = season->currentIndex();
    if (index > 0 && index <= m_seasons.size()) {
        showSeason(m_seasons[index - 1]);
        return;
    }
    // A new season: this year, the usual points, every competition.
    seasons::Season fresh;
    const int year = app().today().year();
    fresh.name = QStringLiteral("Season %1").arg(year);
    fresh.from = QDate(year, 1, 1).toString(Qt::ISODate);
    fresh.to = QDate(year, 12, 31).toString(Qt::ISODate);
    showSeason(fresh);
}

void OrderOfMeritWindow::showSeason(const seasons::Season& s)
{
    m_season = s;
    seasonName->setText(s.name);
    from->setText(formatStoredDate(s.from, DateFormat::Medium));
    to->setText(formatStoredDate(s.to, DateFormat::Medium));
    positionPoints->setText(seasons::pointsText(s.positionPoints));
    playingPoints->setText(shownPoints(s.playingPoints));
    {
        const QSignalBlocker quiet(bestOf);
        bestOf->setValue(s.bestOf);
    }
    listEvents();
    refresh();
}

void OrderOfMeritWindow::datesChanged()
{
    const auto range = storedRange(from->text(), to->text(), QStringLiteral("1 Jan 2026"));
    if (!range) {
        status->setText(range.error());
        return;
    }
    // What was left out stays out; the new dates' competitions come in.
    if (const auto read = fromBoxes())
        m_season.leftOut = read->leftOut;
    m_season.from = range->from;
    m_season.to = range->to;
    listEvents();
    refresh();
}

void OrderOfMeritWindow::listEvents()
{
    const QSignalBlocker quiet(competitions);
    competitions->clear();
    const auto events = Society(app().registerInUse()).events(m_season);
    if (!events) {
        app().inform(events.error());
        return;
    }
    for (const MeritEvent& e : *events) {
        auto* item =
            new QListWidgetItem(QStringLiteral("%1 \u2014 %2")
                                    .arg(formatStoredDate(e.date, DateFormat::Medium), e.name),
                                competitions);
        item->setData(Qt::UserRole, QStringList{e.name, e.date});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.counted ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(QStringLiteral("%1, %2 cards").arg(e.course).arg(e.cards));
    }
}

Result<seasons::Season> OrderOfMeritWindow::fromBoxes() const
{
    seasons::Season s = m_season;
    s.name = seasonName->text().trimmed();
    const auto range = storedRange(from->text(), to->text(), QStringLiteral("1 Jan 2026"));
    if (!range)
        return Failure{range.error()};
    s.from = range->from;
    s.to = range->to;
    const auto points = seasons::readPoints(positionPoints->text());
    if (!points)
        return Failure{QStringLiteral("The points \"%1\" are not numbers separated by commas, "
                                      "such as 25, 18, 15.")
                           .arg(positionPoints->text())};
    s.positionPoints = *points;
    const auto playing = toNumber(
        playingPoints->text().trimmed().isEmpty() ? QStringLiteral("0") : playingPoints->text());
    if (!playing || *playing < 0)
        return Failure{QStringLiteral("The points for playing \"%1\" are not a number.")
                           .arg(playingPoints->text())};
    s.playingPoints = *playing;
    s.bestOf = bestOf->value();
    // The competitions left out of this list, and those of other dates kept as they were.
    QList<std::pair<QString, QString>> leftOut;
    for (const auto& out : std::as_const(m_season.leftOut))
        if (out.second < s.from || out.second > s.to)
            leftOut << out;
    for (int i = 0; i < competitions->count(); ++i) {
        const QListWidgetItem* item = competitions->item(i);
        const QStringList key = item->data(Qt::UserRole).toStringList();
        if (item->checkState() != Qt::Checked)
            leftOut.append({key.value(0), key.value(1)});
    }
    s.leftOut = leftOut;
    return s;
}

void OrderOfMeritWindow::refresh()
{
    const auto read = fromBoxes();
    if (!read) {
        status->setText(read.error());
        return;
    }
    m_season = *read;
    const auto table =
        Society(app().registerInUse()).orderOfMerit(m_season, chosenName(divisionFilter));
    if (!table) {
        app().inform(table.error());
        return;
    }
    m_table = *table;
    QStringList headings{QStringLiteral("Pos"), QStringLiteral("Player")};
    for (const MeritEvent& e : std::as_const(m_table.events))
        headings << eventHeading(e);
    headings << QStringLiteral("Total") << QStringLiteral("Played");
    m_model->clear();
    m_model->setHorizontalHeaderLabels(headings);
    for (const MeritLine& line : std::as_const(m_table.lines)) {
        QList<QStandardItem*> items{new QStandardItem(line.position),
                                    new QStandardItem(line.player)};
        for (const QString& text : publishing::eventPoints(line))
            items << new QStandardItem(text);
        items << new QStandardItem(shownPoints(line.total))
              << new QStandardItem(QString::number(line.played));
        for (qsizetype c = 0; c < items.size(); ++c)
            if (c != 1)
                items[c]->setTextAlignment(Qt::AlignCenter);
        QFont bold = items[items.size() - 2]->font();
        bold.setBold(true);
        items[items.size() - 2]->setFont(bold);
        m_model->appendRow(items);
    }
    standings->setColumnWidth(0, 44);
    standings->setColumnWidth(1, 170);
    // Each event as wide as its name, within reason.
    for (int c = 2; c < m_model->columnCount(); ++c) {
        const QString heading = m_model->horizontalHeaderItem(c)->text();
        int wide = 0;
        for (const QString& part : heading.split(QLatin1Char('\n')))
            wide = std::max(wide, fontMetrics().horizontalAdvance(part));
        standings->setColumnWidth(c, std::clamp(wide + 16, 60, 170));
    }
    standings->horizontalHeader()->setMinimumHeight(2 * fontMetrics().height() + 8);
    status->setText(publishing::meritRule(m_season, m_table));
}

void OrderOfMeritWindow::saveSeason()
{
    const auto read = fromBoxes();
    if (!read) {
        app().inform(QStringLiteral("The season was not kept. ") + read.error());
        return;
    }
    if (read->name.isEmpty()) {
        app().inform(QStringLiteral("The season was not kept: give it a name."));
        seasonName->setFocus();
        return;
    }
    seasons::Season s = *read;
    // A new season only when a new one is chosen, or the name is new.
    if (season->currentIndex() == 0)
        s.id.reset();
    Society society(app().registerInUse());
    const auto saved = society.keepSeason(s);
    if (!saved) {
        app().inform(QStringLiteral("The season was not kept: %1").arg(saved.error()));
        return;
    }
    const auto kept = society.seasons();
    m_seasons = kept.valueOr(m_seasons);
    switch (saved->outcome) {
    case Saved::Outcome::Stored:
        break;
    case Saved::Outcome::Gone:
        app().inform(QStringLiteral("The season was not kept: it is no longer in the register; "
                                    "someone has deleted it. Choose \"(a new season)\" to keep "
                                    "it again."));
        fillSeasons(std::nullopt);
        return;
    case Saved::Outcome::NothingChosen:
    case Saved::Outcome::ChangedMeanwhile:
        // Never written over unseen.
        if (app().prompter().ask(QStringLiteral("Someone else has changed this season since you "
                                                "loaded it, so your changes were not saved. Load "
                                                "it as it is now?"),
                                 QStringLiteral("Changed by another user"))) {
            fillSeasons(s.id);
            seasonChosen();
        }
        return;
    }
    // What is kept now is what a next save is compared with.
    for (const seasons::Season& k : std::as_const(m_seasons))
        if (k.id == saved->id)
            m_season = k;
    fillSeasons(saved->id);
    status->setText(QStringLiteral("The season %1 is kept in the register.").arg(s.name));
}

void OrderOfMeritWindow::deleteSeason()
{
    const int index = season->currentIndex();
    if (index <= 0 || index > m_seasons.size()) {
        app().inform(QStringLiteral("This season has not been kept: there is nothing to delete."));
        return;
    }
    const seasons::Season& chosen = m_seasons[index - 1];
    if (!app().prompter().ask(
            QStringLiteral("Delete the season %1? Its rounds stay.").arg(chosen.name),
            QStringLiteral("Order of Merit"), Prompter::Default::No))
        return;
    if (Status gone = Society(app().registerInUse()).removeSeason(*chosen.id); !gone) {
        app().inform(QStringLiteral("The season was not deleted: %1").arg(gone.error()));
        return;
    }
    m_seasons.removeAt(index - 1);
    fillSeasons(m_seasons.isEmpty() ? std::nullopt : m_seasons.last().id);
    seasonChosen();
}

QStringList OrderOfMeritWindow::csvColumns() const
{
    QStringList columns = makeReport().dataSource().columns();
    columns.removeAll(QStringLiteral("byEvent"));
    return columns;
}

report::Report OrderOfMeritWindow::makeReport(bool printed) const
{
    return publishing::meritReport(m_season, m_table,
                                   chosenName(divisionFilter).value_or(QString()),
                                   from->text() + QStringLiteral(" \u2013 ") + to->text(), printed);
}

bool OrderOfMeritWindow::savePdf(const QString& path)
{
    return saveReport(app(), makeReport(), SaveKind::Pdf, path);
}

bool OrderOfMeritWindow::saveCsv(const QString& path)
{
    return saveReport(app(), makeReport(false), SaveKind::Csv, path, csvColumns());
}

} // namespace parlog
