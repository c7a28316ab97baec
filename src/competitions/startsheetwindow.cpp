#include "competitions/startsheetwindow.h"

#include "base/application.h"
#include "base/reportwindow.h"
#include "base/windownames.h"
#include "competitions/entrantbox.h"
#include "competitions/playcards.h"
#include "competitions/society.h"
#include "data/conversions.h"
#include "golf/matchplay.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"
#include "ui/prompter.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>

namespace parlog {

using namespace forms;

namespace {

const QString kCaption = QStringLiteral("Start Sheet");

const char* startWords(startsheet::Start s)
{
    return s == startsheet::Start::TwoTees   ? "two"
           : s == startsheet::Start::Shotgun ? "shotgun"
                                             : "first";
}

const char* orderWords(startsheet::Order o)
{
    return o == startsheet::Order::Balanced    ? "balanced"
           : o == startsheet::Order::AsEntered ? "entered"
                                               : "random";
}

QStringList sheetColumns()
{
    return {QStringLiteral("time"),   QStringLiteral("tee"),   QStringLiteral("group"),
            QStringLiteral("player"), QStringLiteral("index"), QStringLiteral("entry")};
}

// "from the 10th tee", "from hole 5A" (a shotgun's)
QString whereFrom(const QString& tee)
{
    bool number = false;
    const int hole = tee.toInt(&number);
    return number ? QStringLiteral("from the %1 tee").arg(golf::ordinal(hole))
                  : QStringLiteral("from hole %1").arg(tee);
}

QTableWidgetItem* fixed(const QString& text, bool centred = false)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (centred)
        item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

StartSheetWindow::StartSheetWindow(Application& app)
    : Window(app, windows::kStartSheet, kCaption)
{
    competitionName = box(this, QStringLiteral("competitionName"), 28);
    competitionDate = box(this, QStringLiteral("competitionDate"), 12);
    selectAllOnFocus(competitionDate);
    groupSize = picker(this, QStringLiteral("groupSize"));
    groupSize->setEditable(false);
    for (int n : {4, 3, 2})
        groupSize->addItem(QStringLiteral("Groups of %1").arg(n), n);
    firstTime = box(this, QStringLiteral("firstTime"), 6);
    firstTime->setText(QStringLiteral("08:00"));
    interval = box(this, QStringLiteral("interval"), 4);
    interval->setText(QStringLiteral("9"));
    startFrom = picker(this, QStringLiteral("startFrom"));
    startFrom->setEditable(false);
    startFrom->addItem(QStringLiteral("From the 1st"), int(startsheet::Start::FirstTee));
    startFrom->addItem(QStringLiteral("From the 1st and the 10th"),
                       int(startsheet::Start::TwoTees));
    startFrom->addItem(QStringLiteral("Shotgun"), int(startsheet::Start::Shotgun));
    order = picker(this, QStringLiteral("order"));
    order->setEditable(false);
    order->addItem(QStringLiteral("Drawn at random"), int(startsheet::Order::Random));
    order->addItem(QStringLiteral("Balanced by handicap"), int(startsheet::Order::Balanced));
    order->addItem(QStringLiteral("In the order entered"), int(startsheet::Order::AsEntered));
    seed = box(this, QStringLiteral("seed"), 11);
    seed->setToolTip(QStringLiteral("The same seed draws the same sheet again"));
    seed->setText(QString::number(QRandomGenerator::global()->generate()));
    course = picker(this, QStringLiteral("course"));
    course->setEditable(false);
    course->setToolTip(QStringLiteral("The course's pars place a shotgun's extra groups on "
                                      "its par 5s"));
    for (QLineEdit* b : {firstTime, interval, seed})
        selectAllOnFocus(b);

    entrant = box(this, QStringLiteral("entrant"), 24);
    entrant->setPlaceholderText(QStringLiteral("A player, or A Name & B Name"));
    entries = new QListWidget(this);
    entries->setObjectName(QStringLiteral("entries"));
    entries->setToolTip(QStringLiteral("Delete takes the chosen entry out"));
    auto* add = button(this, QStringLiteral("addEntry"), QStringLiteral("&Add"));
    auto* make = button(this, QStringLiteral("makeSheet"), QStringLiteral("&Make the sheet"));

    sheetTable = new QTableWidget(0, 6, this);
    sheetTable->setObjectName(QStringLiteral("sheet"));
    sheetTable->setHorizontalHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Tee"), QStringLiteral("Group"),
         QStringLiteral("Player"), QStringLiteral("Index"), QStringLiteral("Entered with")});
    sheetTable->verticalHeader()->hide();
    sheetTable->horizontalHeader()->setStretchLastSection(true);
    sheetTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    sheetTable->setSelectionMode(QAbstractItemView::SingleSelection);
    sheetTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sheetTable->setWordWrap(false);
    sheetTable->setToolTip(QStringLiteral("Alt+Up/Down moves the player to the group before or "
                                          "after; Ctrl+Up/Down moves the whole group, the times "
                                          "staying with their places; Delete withdraws the "
                                          "player"));
    const int chars = fontMetrics().averageCharWidth();
    sheetTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    for (int c : {0, 1, 2, 4})
        sheetTable->setColumnWidth(c, chars * 8);
    sheetTable->setColumnWidth(3, chars * 26);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* saveButton = button(this, QStringLiteral("save"), QStringLiteral("&Save"));
    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("&Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as P&DF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as &CSV..."));
    auto* cards = button(this, QStringLiteral("printCards"), QStringLiteral("Car&ds..."));
    cards->setToolTip(QStringLiteral("A card for each player, strokes marked, two to a page"));
    auto* web = button(this, QStringLiteral("saveWeb"), QStringLiteral("&Web page..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    auto* form = new QFormLayout;
    auto* nameLabel = label(this, QStringLiteral("LabelName"), QStringLiteral("Compe&tition"));
    nameLabel->setBuddy(competitionName);
    auto* dateLabel = label(this, QStringLiteral("LabelDate"), QStringLiteral("Da&y"));
    dateLabel->setBuddy(competitionDate);
    form->addRow(nameLabel, line({competitionName, dateLabel, competitionDate}));
    auto* timeLabel = label(this, QStringLiteral("LabelFirst"), QStringLiteral("&First time"));
    timeLabel->setBuddy(firstTime);
    form->addRow(
        timeLabel,
        line({firstTime, label(this, QStringLiteral("LabelEvery"), QStringLiteral("every")),
              interval, label(this, QStringLiteral("LabelMinutes"), QStringLiteral("minutes")),
              groupSize, startFrom}));
    auto* orderLabel = label(this, QStringLiteral("LabelOrder"), QStringLiteral("&Order"));
    orderLabel->setBuddy(order);
    auto* seedLabel = label(this, QStringLiteral("LabelSeed"), QStringLiteral("S&eed"));
    seedLabel->setBuddy(seed);
    auto* courseLabel = label(this, QStringLiteral("LabelCourse"), QStringLiteral("Co&urse"));
    courseLabel->setBuddy(course);
    form->addRow(orderLabel, line({order, seedLabel, seed, courseLabel, course}));

    auto* left = new QVBoxLayout;
    auto* entriesLabel = label(this, QStringLiteral("LabelEntries"), QStringLiteral("E&ntries"));
    entriesLabel->setBuddy(entrant);
    left->addWidget(entriesLabel);
    left->addWidget(entrant);
    left->addWidget(entries, 1);
    left->addLayout(row({add, make}, true));
    auto* right = new QVBoxLayout;
    auto* sheetLabel = label(this, QStringLiteral("LabelSheet"), QStringLiteral("S&heet"));
    sheetLabel->setBuddy(sheetTable);
    right->addWidget(sheetLabel);
    right->addWidget(sheetTable, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 2);
    middle->addLayout(right, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(middle, 1);
    layout->addWidget(status);
    layout->addLayout(row({saveButton, printButton, pdf, csv, web, cards, close}));
    resize(chars * 150, fontMetrics().height() * 38);

    for (QLineEdit* b : {competitionName, competitionDate})
        connect(b, &QLineEdit::returnPressed, this, &StartSheetWindow::openCompetition);
    connect(entrant, &QLineEdit::returnPressed, this, &StartSheetWindow::addEntry);
    connect(add, &QPushButton::clicked, this, &StartSheetWindow::addEntry);
    connect(make, &QPushButton::clicked, this, &StartSheetWindow::makeSheet);
    connect(saveButton, &QPushButton::clicked, this, &StartSheetWindow::save);
    connect(cards, &QPushButton::clicked, this, &StartSheetWindow::showCards);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    onKeys(entries, {Qt::Key_Delete}, [this] { removeEntry(); });
    onKeys(sheetTable, {Qt::Key_Delete}, [this] { withdrawPlayer(); });
    sheetTable->installEventFilter(this);
    connectReportButtons(
        this, app, [this] { return QStringLiteral("Start sheet ") + competitionName->text(); },
        printButton, pdf, csv, [this] { return makeReport(); }, sheetColumns());
    connectPublishButtons(
        this, app, [this] { return QStringLiteral("Start sheet ") + competitionName->text(); },
        nullptr, web, [this] { return makeReport(); });
    focusOrder({competitionName,
                competitionDate,
                firstTime,
                interval,
                groupSize,
                startFrom,
                order,
                seed,
                course,
                entrant,
                entries,
                add,
                make,
                sheetTable,
                saveButton,
                printButton,
                pdf,
                csv,
                cards,
                close});
}

void StartSheetWindow::load()
{
    Society society(app().registerInUse());
    const auto players = society.entrants();
    const auto tees = society.ratedTees();
    if (!players || !tees)
        say(QStringLiteral("The register could not be read: %1")
                .arg(!players ? players.error() : tees.error()),
            true);
    m_indexes = offerEntrants(entrant, players.valueOr({}));
    m_tees = tees.valueOr({});
    course->addItem(QStringLiteral("Pars not known"));
    for (const field::RatedTee& t : std::as_const(m_tees))
        course->addItem(t.label);
    if (course->count() > 1)
        course->setCurrentIndex(1);
    competitionDate->setText(formatDate(app().today(), DateFormat::Medium));
    competitionName->setFocus();
}

void StartSheetWindow::say(const QString& text, bool wrong)
{
    status->setText(text);
    status->setStyleSheet(wrong ? QStringLiteral("color: #b00020") : QString());
}

QString StartSheetWindow::indexText(const QString& player) const
{
    const auto it = m_indexes.constFind(player.toLower());
    if (it == m_indexes.constEnd())
        return QString();
    return *it < 0 ? QStringLiteral("+") + QString::number(-*it, 'f', 1)
                   : QString::number(*it, 'f', 1);
}

QString StartSheetWindow::isoDate() const
{
    const auto date = toDate(competitionDate->text());
    return date ? date->toString(Qt::ISODate) : QString();
}

startsheet::Options StartSheetWindow::options() const
{
    startsheet::Options o;
    o.groupSize = groupSize->currentData().toInt();
    if (const QTime t = QTime::fromString(firstTime->text().trimmed(), QStringLiteral("H:mm"));
        t.isValid())
        o.first = t;
    bool ok = false;
    if (const int minutes = interval->text().trimmed().toInt(&ok); ok && minutes > 0)
        o.interval = minutes;
    o.start = startsheet::Start(startFrom->currentData().toInt());
    o.order = startsheet::Order(order->currentData().toInt());
    o.seed = seed->text().trimmed().toUInt();
    return o;
}

std::array<int, 18> StartSheetWindow::pars() const
{
    const int i = course->currentIndex() - 1;
    return i >= 0 && i < m_tees.size() ? m_tees[i].holes.par : std::array<int, 18>{};
}

startsheets::Sheet StartSheetWindow::sheet() const
{
    const startsheet::Options o = options();
    startsheets::Sheet s{competitionName->text().trimmed(), isoDate()};
    s.firstTime = startsheet::timeText(o.first);
    s.interval = o.interval;
    s.groupSize = o.groupSize;
    s.startFrom = QString::fromLatin1(startWords(o.start));
    s.orderBy = QString::fromLatin1(orderWords(o.order));
    s.seed = o.seed;
    for (int g = 0; g < int(m_groups.size()); ++g)
        for (qsizetype p = 0; p < m_groups[g].players.size(); ++p)
            s.places.append({g + 1, startsheet::timeText(m_groups[g].time), m_groups[g].tee,
                             m_groups[g].players[p], m_groups[g].units.value(p)});
    return s;
}

void StartSheetWindow::openCompetition()
{
    const QString name = competitionName->text().trimmed();
    const QString date = isoDate();
    if (name.isEmpty() || date.isEmpty()) {
        say(QStringLiteral("Type the competition's name and day (as 5 Mar 2026)."), true);
        return;
    }
    if (!leave(QStringLiteral("Open %1 without keeping the start sheet on screen?").arg(name)))
        return;
    competitionDate->setText(formatStoredDate(date, DateFormat::Medium));
    Society society(app().registerInUse());
    const auto kept = society.startSheet(name, date);
    if (!kept) {
        say(QStringLiteral("The start sheet could not be read: %1").arg(kept.error()), true);
        return;
    }
    m_entries.clear();
    m_groups.clear();
    m_kept.reset();
    if (*kept) {
        const startsheets::Sheet& s = **kept;
        firstTime->setText(s.firstTime);
        interval->setText(QString::number(s.interval));
        groupSize->setCurrentIndex(std::max(0, groupSize->findData(s.groupSize)));
        const auto startIndex = s.startFrom == u"two" ? 1 : s.startFrom == u"shotgun" ? 2 : 0;
        startFrom->setCurrentIndex(startIndex);
        order->setCurrentIndex(s.orderBy == u"balanced" ? 1 : s.orderBy == u"entered" ? 2 : 0);
        seed->setText(QString::number(s.seed));
        for (const startsheets::Place& p : s.places) {
            while (m_groups.size() < p.group)
                m_groups.append(startsheet::Group());
            startsheet::Group& g = m_groups[p.group - 1];
            g.time = QTime::fromString(p.time, QStringLiteral("HH:mm"));
            g.tee = p.tee;
            g.players << p.name;
            g.units << p.unit;
            // The entry as it came: a player, or those together under the unit's name.
            auto unit = std::find_if(m_entries.begin(), m_entries.end(),
                                     [&](const startsheet::Entry& e) { return e.name == p.unit; });
            if (p.unit.isEmpty() || p.unit == p.name)
                m_entries.append({p.name, {}, std::nullopt});
            else if (unit == m_entries.end())
                m_entries.append({p.unit, {p.name}, std::nullopt});
            else
                unit->players << p.name;
        }
        m_groups.removeIf([](const startsheet::Group& g) { return g.players.isEmpty(); });
        m_kept = sheet();
        say(QStringLiteral("The start sheet kept for %1: %2 groups.")
                .arg(name)
                .arg(m_groups.size()));
    } else {
        const auto sides = society.sides(name, date);
        for (const competitions::Side& side : sides.valueOr({}))
            m_entries.append({side.name, side.players, std::nullopt});
        say(m_entries.isEmpty()
                ? QStringLiteral("No start sheet yet: type the entries, then Make the sheet.")
                : QStringLiteral("The competition's %1 sides are the entry: Make the sheet.")
                      .arg(m_entries.size()));
    }
    showEntries();
    showSheet();
    moveFocus(m_groups.isEmpty() ? static_cast<QWidget*>(entrant) : sheetTable);
}

void StartSheetWindow::addEntry()
{
    QString text = entrant->text().simplified();
    if (text.isEmpty())
        return;
    QStringList players;
    for (const QString& p : text.split(u'&', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            players << p.trimmed();
    for (const startsheet::Entry& e : std::as_const(m_entries))
        for (const QString& p : e.playersOrSelf())
            for (const QString& q : std::as_const(players))
                if (p.compare(q, Qt::CaseInsensitive) == 0) {
                    say(QStringLiteral("%1 is entered already.").arg(q), true);
                    return;
                }
    if (players.size() > groupSize->currentData().toInt()) {
        say(QStringLiteral("%1 players cannot play together in %2.")
                .arg(players.size())
                .arg(groupSize->currentText().toLower()),
            true);
        return;
    }
    m_entries.append(players.size() == 1 ? startsheet::Entry{players.first(), {}, std::nullopt}
                                         : startsheet::Entry{players.join(QStringLiteral(" & ")),
                                                             players, std::nullopt});
    entrant->clear();
    showEntries();
    entries->setCurrentRow(entries->count() - 1);
    int count = 0;
    for (const startsheet::Entry& e : std::as_const(m_entries))
        count += int(e.playersOrSelf().size());
    say(QStringLiteral("%1 players entered.").arg(count));
}

void StartSheetWindow::removeEntry()
{
    const int row = entries->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    if (!m_groups.isEmpty()) {
        say(QStringLiteral("The sheet is made: withdraw the player on the sheet (Delete), and "
                           "nobody else's time moves."),
            true);
        return;
    }
    m_entries.removeAt(row);
    showEntries();
}

void StartSheetWindow::showEntries()
{
    entries->clear();
    for (const startsheet::Entry& e : std::as_const(m_entries))
        entries->addItem(e.name);
}

void StartSheetWindow::makeSheet()
{
    if (m_entries.isEmpty()) {
        say(QStringLiteral("Type the entries first."), true);
        moveFocus(entrant);
        return;
    }
    if (!QTime::fromString(firstTime->text().trimmed(), QStringLiteral("H:mm")).isValid()) {
        say(QStringLiteral("\"%1\" is not a time: type it as 08:00.").arg(firstTime->text()), true);
        moveFocus(firstTime);
        return;
    }
    if (!m_groups.isEmpty() &&
        !app().prompter().ask(QStringLiteral("Make the sheet again? The changes made to it by "
                                             "hand are lost."),
                              kCaption, Prompter::Default::No))
        return;
    QList<startsheet::Entry> field = m_entries;
    for (startsheet::Entry& e : field) {
        double sum = 0;
        int known = 0;
        for (const QString& p : e.playersOrSelf())
            if (const auto it = m_indexes.constFind(p.toLower()); it != m_indexes.constEnd()) {
                sum += *it;
                ++known;
            }
        if (known > 0)
            e.index = sum / known;
    }
    m_groups = startsheet::make(field, options(), pars());
    showSheet(0, 0);
    say(QStringLiteral("%1 groups, the first at %2, the last at %3.")
            .arg(m_groups.size())
            .arg(startsheet::timeText(m_groups.first().time),
                 startsheet::timeText(m_groups.last().time)));
    moveFocus(sheetTable);
}

void StartSheetWindow::showSheet(int group, int player)
{
    sheetTable->setRowCount(0);
    int target = -1;
    for (int g = 0; g < int(m_groups.size()); ++g)
        for (qsizetype p = 0; p < m_groups[g].players.size(); ++p) {
            const int r = sheetTable->rowCount();
            sheetTable->insertRow(r);
            const QString& name = m_groups[g].players[p];
            const QString unit = m_groups[g].units.value(p);
            auto* time = fixed(p == 0 ? startsheet::timeText(m_groups[g].time) : QString(), true);
            time->setData(Qt::UserRole, g);
            time->setData(Qt::UserRole + 1, int(p));
            sheetTable->setItem(r, 0, time);
            sheetTable->setItem(r, 1, fixed(p == 0 ? m_groups[g].tee : QString(), true));
            sheetTable->setItem(r, 2, fixed(p == 0 ? QString::number(g + 1) : QString(), true));
            sheetTable->setItem(r, 3, fixed(name));
            sheetTable->setItem(r, 4, fixed(indexText(name), true));
            sheetTable->setItem(r, 5, fixed(unit == name ? QString() : unit));
            if (g == group && p == player)
                target = r;
        }
    if (target >= 0)
        sheetTable->setCurrentCell(target, 3);
}

std::pair<int, int> StartSheetWindow::chosen() const
{
    const QTableWidgetItem* item =
        sheetTable->currentRow() >= 0 ? sheetTable->item(sheetTable->currentRow(), 0) : nullptr;
    if (!item)
        return {-1, -1};
    return {item->data(Qt::UserRole).toInt(), item->data(Qt::UserRole + 1).toInt()};
}

void StartSheetWindow::withdrawPlayer()
{
    const auto [g, p] = chosen();
    if (g < 0)
        return;
    const QString name = m_groups[g].players.value(p);
    startsheet::withdraw(m_groups, name);
    for (qsizetype e = 0; e < m_entries.size(); ++e) {
        if (m_entries[e].name == name && m_entries[e].players.isEmpty()) {
            m_entries.removeAt(e);
            break;
        }
        if (m_entries[e].players.removeAll(name) > 0 && m_entries[e].players.isEmpty())
            m_entries.removeAt(e);
    }
    showEntries();
    showSheet(std::min(g, int(m_groups.size()) - 1), 0);
    say(QStringLiteral("%1 withdrawn; nobody else's time moves.").arg(name));
}

bool StartSheetWindow::movePlayer(int delta)
{
    const auto [g, p] = chosen();
    const int before = int(m_groups.size());
    if (g < 0 || !startsheet::movePlayer(m_groups, g, p, delta)) {
        if (g >= 0)
            say(delta < 0 ? QStringLiteral("This is the first group.")
                          : QStringLiteral("This is the last group."),
                true);
        return false;
    }
    // A group emptied by the move has gone: the target moved up one.
    const int to = g + delta - (int(m_groups.size()) < before && delta > 0 ? 1 : 0);
    showSheet(to, int(m_groups[to].players.size()) - 1);
    say(QStringLiteral("%1 now plays at %2 %3.")
            .arg(m_groups[to].players.last(), startsheet::timeText(m_groups[to].time),
                 whereFrom(m_groups[to].tee)));
    return true;
}

bool StartSheetWindow::moveGroup(int delta)
{
    const auto [g, p] = chosen();
    if (g < 0 || !startsheet::moveGroup(m_groups, g, delta)) {
        if (g >= 0)
            say(delta < 0 ? QStringLiteral("This is the first group.")
                          : QStringLiteral("This is the last group."),
                true);
        return false;
    }
    showSheet(g + delta, p);
    say(QStringLiteral("Group %1 now plays at %2.")
            .arg(g + delta + 1)
            .arg(startsheet::timeText(m_groups[g + delta].time)));
    return true;
}

report::Report StartSheetWindow::makeReport() const
{
    Rows rows{sheetColumns(), {}};
    for (int g = 0; g < int(m_groups.size()); ++g)
        for (qsizetype p = 0; p < m_groups[g].players.size(); ++p) {
            const QString& player = m_groups[g].players[p];
            const QString unit = m_groups[g].units.value(p);
            rows.rows << QVariantList{p == 0 ? startsheet::timeText(m_groups[g].time) : QString(),
                                      p == 0 ? m_groups[g].tee : QString(),
                                      p == 0 ? QString::number(g + 1) : QString(),
                                      player,
                                      indexText(player),
                                      unit == player ? QString() : unit};
        }
    return report::Report(windows::kStartSheetReport, report::DataSource::of(rows),
                          {{QStringLiteral("competition"), competitionName->text().trimmed()},
                           {QStringLiteral("day"), competitionDate->text()},
                           {QStringLiteral("about"), QStringLiteral("%1, %2; %3")
                                                         .arg(groupSize->currentText().toLower(),
                                                              startFrom->currentText().toLower(),
                                                              order->currentText().toLower())}});
}

void StartSheetWindow::showCards()
{
    const int tee = course->currentIndex() - 1;
    if (m_groups.isEmpty() || tee < 0 || tee >= m_tees.size()) {
        say(m_groups.isEmpty() ? QStringLiteral("Make the sheet first: the cards go in its order.")
                               : QStringLiteral("Choose the course's tee: the cards need its "
                                                "pars, stroke indexes and ratings."),
            true);
        return;
    }
    const auto settings =
        Society(app().registerInUse()).settings(competitionName->text().trimmed(), isoDate());
    if (!settings) {
        say(QStringLiteral("The competition could not be read: %1").arg(settings.error()), true);
        return;
    }
    competitions::Settings s = *settings;
    s.name = competitionName->text().trimmed();
    s.date = isoDate();
    showReport(app(), playcards::report(playcards::cardsOf(m_groups, m_indexes, s, m_tees[tee]), s,
                                        m_tees[tee]));
}

bool StartSheetWindow::save()
{
    const startsheets::Sheet s = sheet();
    if (s.competition.isEmpty() || s.date.isEmpty()) {
        say(QStringLiteral("Type the competition's name and day first."), true);
        moveFocus(competitionName);
        return false;
    }
    if (Status done = Society(app().registerInUse()).keepStartSheet(s); !done) {
        app().inform(QStringLiteral("The start sheet was not kept: %1").arg(done.error()));
        return false;
    }
    m_kept = s;
    say(QStringLiteral("Kept: %1 groups for %2.").arg(m_groups.size()).arg(s.competition));
    return true;
}

bool StartSheetWindow::leave(const QString& question)
{
    // Another competition's name typed to open it is no change to this sheet.
    startsheets::Sheet now = sheet();
    if (m_kept) {
        now.competition = m_kept->competition;
        now.date = m_kept->date;
    }
    const bool changed = m_kept ? now != *m_kept : !m_groups.isEmpty();
    return !changed || app().prompter().ask(question, kCaption, Prompter::Default::No);
}

bool StartSheetWindow::okToClose()
{
    return leave(QStringLiteral("Close without keeping the start sheet?"));
}

bool StartSheetWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == sheetTable && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int delta = key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
        if (delta != 0 && key->modifiers() == Qt::AltModifier) {
            movePlayer(delta);
            return true;
        }
        if (delta != 0 && key->modifiers() == Qt::ControlModifier) {
            moveGroup(delta);
            return true;
        }
    }
    return Window::eventFilter(watched, event);
}

} // namespace parlog
