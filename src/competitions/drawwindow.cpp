#include "competitions/drawwindow.h"

#include "base/application.h"
#include "base/reportwindow.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "competitions/drawreports.h"
#include "competitions/entrantbox.h"
#include "competitions/matchdraw.h"
#include "competitions/society.h"
#include "data/conversions.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"
#include "ui/prompter.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

namespace parlog {

using namespace forms;

namespace {

const QString kCaption = QStringLiteral("Match Play");

enum Order { ByHandicap, AsListed, AtRandom };

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// "Ann Adams & Bob Brown", or "Name: Ann Adams & Bob Brown" for a side with a name.
draws::Entry entryOf(const QString& typed)
{
    QString text = typed.simplified();
    QString name;
    if (const qsizetype colon = text.indexOf(u':'); colon > 0) {
        name = text.left(colon).trimmed();
        text = text.mid(colon + 1).trimmed();
    }
    QStringList players;
    for (const QString& p : text.split(u'&', Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty())
            players << p.trimmed();
    if (players.size() <= 1)
        return {name.isEmpty() ? text : name, {}};
    return {name.isEmpty() ? players.join(QStringLiteral(" & ")) : name, players};
}

QTableWidgetItem* cell(const QString& text, bool editable = false)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

DrawWindow::DrawWindow(Application& app)
    : Window(app, windows::kDraws, kCaption)
{
    drawName = picker(this, QStringLiteral("drawName"));
    drawName->setEditable(true);
    drawName->setInsertPolicy(QComboBox::NoInsert);
    drawName->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    drawName->setToolTip(QStringLiteral("A draw kept, or a new name and Enter"));
    kind = picker(this, QStringLiteral("kind"));
    kind->addItem(QStringLiteral("Knock-out"), int(draws::Kind::Knockout));
    kind->addItem(QStringLiteral("League"), int(draws::Kind::League));
    teamFormat = picker(this, QStringLiteral("teamFormat"));
    teamFormat->addItem(QStringLiteral("Singles"), int(golf::TeamFormat::Individual));
    teamFormat->addItem(QStringLiteral("Four-ball"), int(golf::TeamFormat::FourBall));
    teamFormat->addItem(QStringLiteral("Foursomes"), int(golf::TeamFormat::Foursomes));
    holes = picker(this, QStringLiteral("holes"));
    holes->addItem(QStringLiteral("18 holes"), 18);
    holes->addItem(QStringLiteral("9 holes"), 9);
    order = picker(this, QStringLiteral("order"));
    order->addItem(QStringLiteral("Seeded by handicap"), ByHandicap);
    order->addItem(QStringLiteral("Seeded as listed"), AsListed);
    order->addItem(QStringLiteral("Drawn at random"), AtRandom);
    order->setToolTip(QStringLiteral("Seeded as listed: the entries in last year's order, the "
                                     "holder first"));
    seed = box(this, QStringLiteral("seed"), 11);
    seed->setToolTip(QStringLiteral("The same seed makes the same random draw again"));
    winPoints = box(this, QStringLiteral("winPoints"), 4);
    halfPoints = box(this, QStringLiteral("halfPoints"), 4);
    for (QLineEdit* b : {seed, winPoints, halfPoints})
        selectAllOnFocus(b);

    entries = new QListWidget(this);
    entries->setObjectName(QStringLiteral("entries"));
    entries->setToolTip(QStringLiteral("W withdraws the chosen entry; Delete takes it out "
                                       "before the draw is made"));
    entrant = box(this, QStringLiteral("entrant"), 24);
    entrant->setPlaceholderText(QStringLiteral("A player, or A Name & B Name"));
    auto* add = button(this, QStringLiteral("addEntry"), QStringLiteral("&Add"));
    auto* withdrawButton = button(this, QStringLiteral("withdraw"), QStringLiteral("&Withdraw"));
    auto* make = button(this, QStringLiteral("makeDraw"), QStringLiteral("&Make the draw"));

    matches = new QTableWidget(0, 6, this);
    matches->setObjectName(QStringLiteral("matches"));
    matches->setHorizontalHeaderLabels({QStringLiteral("Round"), QStringLiteral("No."),
                                        QStringLiteral("Play by"), QStringLiteral("A"),
                                        QStringLiteral("B"), QStringLiteral("Result")});
    matches->verticalHeader()->hide();
    matches->horizontalHeader()->setStretchLastSection(true);
    matches->setSelectionMode(QAbstractItemView::SingleSelection);
    matches->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                             QAbstractItemView::EditKeyPressed);
    matches->setToolTip(QStringLiteral("Type a result in its box (\"A won 3 & 2\", \"B 1 up\", "
                                       "\"A at the 19th\", \"B walkover\"), or press Enter to "
                                       "play the match hole by hole"));
    const int chars = fontMetrics().averageCharWidth();
    matches->setWordWrap(false);
    matches->setColumnWidth(RoundColumn, chars * 17);
    matches->setColumnWidth(MatchColumn, chars * 5);
    matches->setColumnWidth(PlayByColumn, chars * 16);
    matches->setColumnWidth(AColumn, chars * 19);
    matches->setColumnWidth(BColumn, chars * 19);
    const int lineHeight = fontMetrics().height() + 8;
    matches->verticalHeader()->setDefaultSectionSize(lineHeight);
    table = new QTableWidget(0, 8, this);
    table->setObjectName(QStringLiteral("leagueTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Pos"), QStringLiteral("Entry"),
                                      QStringLiteral("Played"), QStringLiteral("Won"),
                                      QStringLiteral("Halved"), QStringLiteral("Lost"),
                                      QStringLiteral("Holes up"), QStringLiteral("Points")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setColumnWidth(1, chars * 24);
    for (int c : {0, 2, 3, 4, 5, 6, 7})
        table->setColumnWidth(c, chars * (c == 6 ? 10 : 8));
    table->verticalHeader()->setDefaultSectionSize(lineHeight);
    // Six lines in sight; a longer league scrolls.
    table->setMaximumHeight(lineHeight * 7 + 2 * table->frameWidth());
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* saveButton = button(this, QStringLiteral("save"), QStringLiteral("&Save"));
    auto* play = button(this, QStringLiteral("playMatch"), QStringLiteral("Pla&y match..."));
    auto* bracket = button(this, QStringLiteral("bracket"), QStringLiteral("&Bracket..."));
    auto* printButton = button(this, QStringLiteral("print"), QStringLiteral("&Print..."));
    auto* pdf = button(this, QStringLiteral("savePdf"), QStringLiteral("Save as P&DF..."));
    auto* csv = button(this, QStringLiteral("saveCsv"), QStringLiteral("Save as &CSV..."));
    auto* mine =
        button(this, QStringLiteral("playerMatches"), QStringLiteral("Player's matc&hes..."));
    auto* web = button(this, QStringLiteral("saveWeb"), QStringLiteral("Web pa&ge..."));
    auto* remove = button(this, QStringLiteral("removeDraw"), QStringLiteral("De&lete draw"));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    auto* form = new QFormLayout;
    auto* nameLabel = label(this, QStringLiteral("LabelDraw"), QStringLiteral("D&raw"));
    nameLabel->setBuddy(drawName);
    form->addRow(nameLabel, line({drawName, kind, teamFormat, holes}));
    auto* orderLabel = label(this, QStringLiteral("LabelOrder"), QStringLiteral("&Order"));
    orderLabel->setBuddy(order);
    auto* seedLabel = label(this, QStringLiteral("LabelSeed"), QStringLiteral("S&eed"));
    seedLabel->setBuddy(seed);
    auto* pointsLabel =
        label(this, QStringLiteral("LabelPoints"), QStringLiteral("League points: a w&in"));
    pointsLabel->setBuddy(winPoints);
    form->addRow(
        orderLabel,
        line({order, seedLabel, seed, pointsLabel, winPoints,
              label(this, QStringLiteral("LabelHalf"), QStringLiteral("a half")), halfPoints}));

    auto* left = new QVBoxLayout;
    auto* entriesLabel = label(this, QStringLiteral("LabelEntries"), QStringLiteral("E&ntries"));
    entriesLabel->setBuddy(entrant);
    left->addWidget(entriesLabel);
    left->addWidget(entrant);
    left->addWidget(entries, 1);
    left->addLayout(row({add, withdrawButton, make}, true));
    auto* right = new QVBoxLayout;
    auto* matchesLabel = label(this, QStringLiteral("LabelMatches"), QStringLiteral("Ma&tches"));
    matchesLabel->setBuddy(matches);
    right->addWidget(matchesLabel);
    right->addWidget(matches, 1);
    right->addWidget(table);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 2);
    middle->addLayout(right, 5);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(middle, 1);
    layout->addWidget(status);
    layout->addLayout(
        row({saveButton, play, bracket, printButton, pdf, csv, web, mine, remove, close}));
    resize(chars * 165, fontMetrics().height() * 38);

    connect(drawName, &QComboBox::activated, this, &DrawWindow::openDraw);
    connect(drawName->lineEdit(), &QLineEdit::returnPressed, this, &DrawWindow::openDraw);
    connect(entrant, &QLineEdit::returnPressed, this, &DrawWindow::addEntry);
    connect(add, &QPushButton::clicked, this, &DrawWindow::addEntry);
    connect(withdrawButton, &QPushButton::clicked, this, &DrawWindow::withdraw);
    connect(make, &QPushButton::clicked, this, &DrawWindow::makeTheDraw);
    connect(saveButton, &QPushButton::clicked, this, &DrawWindow::save);
    connect(play, &QPushButton::clicked, this, &DrawWindow::playMatch);
    connect(bracket, &QPushButton::clicked, this, &DrawWindow::showBracket);
    connect(mine, &QPushButton::clicked, this, &DrawWindow::showPlayerMatches);
    connect(remove, &QPushButton::clicked, this, &DrawWindow::removeDraw);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(matches, &QTableWidget::itemChanged, this, &DrawWindow::matchEdited);
    onKeys(entries, {Qt::Key_Delete}, [this] { removeEntry(); });
    onKeys(entries, {Qt::Key_W}, [this] { withdraw(); });
    onKeys(matches, {Qt::Key_Return, Qt::Key_Enter}, [this] {
        // The Enter that ends typing a result is the result's, not a call to play.
        if (QApplication::focusWidget() == matches)
            playMatch();
    });
    for (QComboBox* c : {kind, teamFormat, holes, order})
        connect(c, &QComboBox::activated, this, [this] {
            readSettings();
            showDraw();
        });
    for (QLineEdit* b : {seed, winPoints, halfPoints})
        connect(b, &QLineEdit::editingFinished, this, [this] {
            readSettings();
            showTable();
        });
    const auto stem = [this] { return m_draw.name; };
    const auto league = [this] { return m_draw.kind == draws::Kind::League; };
    connectReportButtons(
        this, app, stem, printButton, pdf, csv,
        [this, league] {
            readSettings();
            return league() ? drawreports::leagueTable(m_draw) : drawreports::bracket(m_draw);
        },
        [league] { return league() ? drawreports::leagueColumns() : drawreports::matchColumns(); },
        [this, league] {
            readSettings();
            return league() ? drawreports::leagueTable(m_draw) : drawreports::matches(m_draw);
        });
    connectPublishButtons(this, app, stem, nullptr, web, [this, league] {
        readSettings();
        return league() ? drawreports::leagueTable(m_draw) : drawreports::matches(m_draw);
    });
    focusOrder({drawName,  kind,       teamFormat, holes,   order,   seed,
                winPoints, halfPoints, entrant,    entries, add,     withdrawButton,
                make,      matches,    saveButton, play,    bracket, printButton,
                pdf,       csv,        web,        mine,    remove,  close});
}

void DrawWindow::load()
{
    Society society(app().registerInUse());
    const auto names = society.drawNames();
    const auto players = society.entrants();
    if (!names || !players)
        say(QStringLiteral("The register could not be read: %1")
                .arg(!names ? names.error() : players.error()),
            true);
    drawName->addItems(names.valueOr({}));
    drawName->setCurrentIndex(-1);
    m_indexes = offerEntrants(entrant, players.valueOr({}));
    startNewDraw(QString());
    showDraw();
    if (!names.valueOr({}).isEmpty())
        say(QStringLiteral("Choose a draw, or type a new one's name and press Enter."));
    drawName->setFocus();
}

void DrawWindow::startNewDraw(const QString& name)
{
    m_draw = draws::Draw();
    m_draw.name = name;
    // Seeded by handicap unless the secretary says otherwise; a seed ready for a random
    // draw all the same.
    m_draw.seeded = true;
    m_draw.seed = QRandomGenerator::global()->generate();
    m_asRead.reset();
}

void DrawWindow::say(const QString& text, bool wrong)
{
    status->setText(text);
    status->setStyleSheet(wrong ? QStringLiteral("color: #b00020") : QString());
}

void DrawWindow::readSettings()
{
    if (m_showing)
        return;
    // A kept draw keeps its name; the box then names the draw to open.
    if (!m_asRead)
        m_draw.name = drawName->currentText().trimmed();
    m_draw.kind = draws::Kind(kind->currentData().toInt());
    m_draw.team = golf::TeamFormat(teamFormat->currentData().toInt());
    m_draw.holes = holes->currentData().toInt();
    m_draw.seeded = order->currentData().toInt() != AtRandom;
    bool ok = false;
    if (const quint32 s = seed->text().trimmed().toUInt(&ok); ok)
        m_draw.seed = s;
    if (const double w = winPoints->text().toDouble(&ok); ok && w >= 0 && w <= 100)
        m_draw.winPoints = w;
    if (const double h = halfPoints->text().toDouble(&ok); ok && h >= 0 && h <= 100)
        m_draw.halfPoints = h;
}

void DrawWindow::showSettings()
{
    m_showing = true;
    kind->setCurrentIndex(kind->findData(int(m_draw.kind)));
    teamFormat->setCurrentIndex(std::max(0, teamFormat->findData(int(m_draw.team))));
    holes->setCurrentIndex(holes->findData(m_draw.holes));
    if (!m_draw.seeded)
        order->setCurrentIndex(order->findData(AtRandom));
    else if (order->currentData().toInt() == AtRandom)
        order->setCurrentIndex(order->findData(AsListed));
    seed->setText(QString::number(m_draw.seed));
    winPoints->setText(valueText(m_draw.winPoints));
    halfPoints->setText(valueText(m_draw.halfPoints));
    const bool league = m_draw.kind == draws::Kind::League;
    order->setEnabled(!league);
    seed->setEnabled(!league);
    winPoints->setEnabled(league);
    halfPoints->setEnabled(league);
    m_showing = false;
}

void DrawWindow::showDraw()
{
    showSettings();
    showEntries();
    showMatches();
    showTable();
}

void DrawWindow::showEntries()
{
    const int at = entries->currentRow();
    entries->clear();
    for (const draws::Entry& e : std::as_const(m_draw.entries)) {
        QString text = e.name;
        if (!e.players.isEmpty() && e.players.join(QStringLiteral(" & ")) != e.name)
            text += QStringLiteral(": ") + e.players.join(QStringLiteral(" & "));
        if (e.withdrawn)
            text += QStringLiteral(" (withdrawn)");
        auto* item = new QListWidgetItem(text, entries);
        if (e.withdrawn)
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    entries->setCurrentRow(std::min(at, int(entries->count()) - 1));
}

void DrawWindow::showMatches()
{
    m_showing = true;
    const int row = matches->currentRow();
    const int column = matches->currentColumn();
    matches->setRowCount(0);
    for (qsizetype i = 0; i < m_draw.matches.size(); ++i) {
        const draws::Match& m = m_draw.matches[i];
        const int r = matches->rowCount();
        matches->insertRow(r);
        const bool waiting = m.a.isEmpty() || (m.b.isEmpty() && m.round > 1);
        auto* round = cell(matchdraw::roundName(m_draw, m.round));
        round->setData(Qt::UserRole, qlonglong(i));
        matches->setItem(r, RoundColumn, round);
        matches->setItem(r, MatchColumn, cell(QString::number(m.slot + 1)));
        matches->item(r, MatchColumn)->setTextAlignment(Qt::AlignCenter);
        matches->setItem(r, PlayByColumn,
                         cell(formatStoredDate(m.playBy, DateFormat::Medium), true));
        matches->setItem(r, AColumn, cell(m.a.isEmpty() ? QStringLiteral("\u2013") : m.a));
        matches->setItem(r, BColumn,
                         cell(m.b.isEmpty()
                                  ? (m.round == 1 && !m.a.isEmpty() ? QStringLiteral("(bye)")
                                                                    : QStringLiteral("\u2013"))
                                  : m.b));
        QString result = matchdraw::resultLine(m);
        auto* resultItem = cell(result, !waiting && m.result != u"bye");
        if (const auto typed = m_typed.constFind(i); typed != m_typed.constEnd()) {
            resultItem->setText(*typed);
            resultItem->setForeground(QColor(0xb0, 0x00, 0x20));
        }
        matches->setItem(r, ResultColumn, resultItem);
    }
    if (row >= 0 && row < matches->rowCount())
        matches->setCurrentCell(row, column);
    m_showing = false;
}

void DrawWindow::showTable()
{
    const bool league = m_draw.kind == draws::Kind::League;
    table->setVisible(league);
    if (!league)
        return;
    const QList<league::Line> lines = matchdraw::table(m_draw);
    table->setRowCount(int(lines.size()));
    for (int r = 0; r < int(lines.size()); ++r) {
        const league::Line& l = lines[r];
        const QStringList texts{l.position,
                                l.entry,
                                QString::number(l.played),
                                QString::number(l.won),
                                QString::number(l.halved),
                                QString::number(l.lost),
                                QString::number(l.holesUp),
                                valueText(l.points)};
        for (int c = 0; c < int(texts.size()); ++c) {
            auto* item = cell(texts[c]);
            if (c != 1)
                item->setTextAlignment(Qt::AlignCenter);
            table->setItem(r, c, item);
        }
    }
}

draws::Match* DrawWindow::matchOfRow(int row)
{
    const QTableWidgetItem* first = row >= 0 ? matches->item(row, RoundColumn) : nullptr;
    if (!first)
        return nullptr;
    const qsizetype i = first->data(Qt::UserRole).toLongLong();
    return i < m_draw.matches.size() ? &m_draw.matches[i] : nullptr;
}

bool DrawWindow::changed()
{
    readSettings();
    if (m_asRead)
        return m_draw != *m_asRead;
    return !m_draw.entries.isEmpty();
}

bool DrawWindow::askToLeave(const QString& question)
{
    return !changed() || app().prompter().ask(question, kCaption, Prompter::Default::No);
}

bool DrawWindow::okToClose()
{
    return askToLeave(QStringLiteral("Close without keeping the changes to the draw?"));
}

void DrawWindow::openDraw()
{
    const QString name = drawName->currentText().trimmed();
    if (name.isEmpty() || (m_asRead && sameName(m_asRead->name, name)))
        return;
    const auto kept = Society(app().registerInUse()).draw(name);
    if (!kept) {
        say(QStringLiteral("The draw could not be read: %1").arg(kept.error()), true);
        return;
    }
    // A name no draw has names the new draw on screen.
    if (!*kept && !m_asRead) {
        m_draw.name = name;
        say(QStringLiteral("A new draw: type its entries, then Make the draw."));
        moveFocus(entrant);
        return;
    }
    const bool leave =
        !m_asRead
            ? !changed() || app().prompter().ask(QStringLiteral("Open \"%1\" without keeping the "
                                                                "draw typed here?")
                                                     .arg(name),
                                                 kCaption, Prompter::Default::No)
            : askToLeave(QStringLiteral("Open \"%1\" without keeping the changes "
                                        "to this draw?")
                             .arg(name));
    if (!leave) {
        m_showing = true;
        drawName->setEditText(m_draw.name);
        m_showing = false;
        return;
    }
    m_typed.clear();
    if (*kept) {
        m_draw = **kept;
        m_asRead = m_draw;
        say(QStringLiteral("%1.").arg(drawreports::about(m_draw)));
    } else {
        startNewDraw(name);
        say(QStringLiteral("A new draw: type its entries, then Make the draw."));
    }
    m_showing = true;
    drawName->setEditText(m_draw.name);
    m_showing = false;
    showDraw();
    moveFocus(*kept ? static_cast<QWidget*>(matches) : entrant);
}

void DrawWindow::addEntry()
{
    readSettings();
    const draws::Entry e = entryOf(entrant->text());
    if (e.name.isEmpty())
        return;
    const int size = golf::sideSize(m_draw.team);
    if (size > 1 && e.players.size() != size) {
        say(QStringLiteral("A side of %1 has %2 players: type them as \"A Name & B Name\".")
                .arg(teamFormat->currentText())
                .arg(size),
            true);
        return;
    }
    if (size == 1 && !e.players.isEmpty()) {
        say(QStringLiteral("A singles draw has players, not sides: choose Four-ball or "
                           "Foursomes first."),
            true);
        return;
    }
    for (const draws::Entry& other : std::as_const(m_draw.entries))
        if (sameName(other.name, e.name)) {
            say(QStringLiteral("%1 is entered already.").arg(e.name), true);
            return;
        }
    m_draw.entries << e;
    entrant->clear();
    showEntries();
    entries->setCurrentRow(entries->count() - 1);
    QStringList strangers;
    for (const QString& p : e.players.isEmpty() ? QStringList{e.name} : e.players)
        if (!m_indexes.contains(p.toLower()))
            strangers << p;
    say(strangers.isEmpty()
            ? QStringLiteral("%1 entries.").arg(m_draw.entries.size())
            : QStringLiteral("%1 entries. No Handicap Index for %2: no strokes are worked out "
                             "in their matches.")
                  .arg(m_draw.entries.size())
                  .arg(strangers.join(QStringLiteral(", "))));
}

void DrawWindow::removeEntry()
{
    const int row = entries->currentRow();
    if (row < 0 || row >= m_draw.entries.size())
        return;
    const QString name = m_draw.entries[row].name;
    for (const draws::Match& m : std::as_const(m_draw.matches))
        if (sameName(m.a, name) || sameName(m.b, name)) {
            say(QStringLiteral("%1 plays in the draw: withdraw the entry instead (W), and the "
                               "opponent has a walkover.")
                    .arg(name),
                true);
            return;
        }
    m_draw.entries.removeAt(row);
    showEntries();
    say(QStringLiteral("%1 taken out.").arg(name));
}

void DrawWindow::withdraw()
{
    const int row = entries->currentRow();
    if (row < 0 || row >= m_draw.entries.size()) {
        say(QStringLiteral("Choose the entry in the list first."), true);
        return;
    }
    draws::Entry& e = m_draw.entries[row];
    e.withdrawn = !e.withdrawn;
    matchdraw::moveOn(m_draw);
    showDraw();
    say(e.withdrawn ? QStringLiteral("%1 withdrawn: whoever meets them has a walkover.").arg(e.name)
                    : QStringLiteral("%1 back in the draw; walkovers given stand until their "
                                     "results are cleared.")
                          .arg(e.name));
}

void DrawWindow::seedByHandicap()
{
    const auto indexOf = [this](const draws::Entry& e) {
        double sum = 0;
        for (const QString& p : e.players.isEmpty() ? QStringList{e.name} : e.players) {
            const auto it = m_indexes.constFind(p.toLower());
            if (it == m_indexes.constEnd())
                return 1e9; // unknown: seeded last
            sum += *it;
        }
        return sum;
    };
    std::stable_sort(
        m_draw.entries.begin(), m_draw.entries.end(),
        [&](const draws::Entry& a, const draws::Entry& b) { return indexOf(a) < indexOf(b); });
}

void DrawWindow::makeTheDraw()
{
    readSettings();
    if (m_draw.name.isEmpty()) {
        say(QStringLiteral("Name the draw first."), true);
        moveFocus(drawName);
        return;
    }
    int playing = 0;
    for (const draws::Entry& e : std::as_const(m_draw.entries))
        playing += e.withdrawn ? 0 : 1;
    if (playing < 2) {
        say(QStringLiteral("A draw needs two entries at least."), true);
        moveFocus(entrant);
        return;
    }
    const bool played =
        std::any_of(m_draw.matches.cbegin(), m_draw.matches.cend(), [](const draws::Match& m) {
            return matchdraw::decided(m) && m.result != u"bye";
        });
    if (played && !app().prompter().ask(QStringLiteral("Make the draw again? The results "
                                                       "entered so far are lost."),
                                        kCaption, Prompter::Default::No))
        return;
    m_typed.clear();
    if (m_draw.kind == draws::Kind::League) {
        matchdraw::makeLeague(m_draw);
    } else {
        if (order->currentData().toInt() == ByHandicap)
            seedByHandicap();
        matchdraw::makeKnockout(m_draw);
    }
    showDraw();
    const auto firstRound = std::count_if(m_draw.matches.cbegin(), m_draw.matches.cend(),
                                          [](const draws::Match& m) { return m.round == 1; });
    const auto byes = std::count_if(m_draw.matches.cbegin(), m_draw.matches.cend(),
                                    [](const draws::Match& m) { return m.result == u"bye"; });
    say(m_draw.kind == draws::Kind::League
            ? QStringLiteral("The league is made: %1 matches in %2 rounds. Type each result in "
                             "its box, or press Enter on a match to play it hole by hole; then "
                             "Save.")
                  .arg(m_draw.matches.size())
                  .arg(matchdraw::rounds(m_draw))
            : QStringLiteral("The draw is made: %1 first-round matches, %2 of them byes. Type "
                             "each result in its box, or press Enter on a match to play it hole "
                             "by hole; then Save.")
                  .arg(firstRound)
                  .arg(byes));
    goToNextResult(-1);
    moveFocus(matches);
}

void DrawWindow::goToNextResult(int after)
{
    for (int r = after + 1; r < matches->rowCount(); ++r)
        if (matches->item(r, ResultColumn)->flags() & Qt::ItemIsEditable &&
            matches->item(r, ResultColumn)->text().isEmpty()) {
            matches->setCurrentCell(r, ResultColumn);
            return;
        }
}

void DrawWindow::matchEdited(QTableWidgetItem* item)
{
    if (m_showing || !item)
        return;
    draws::Match* m = matchOfRow(item->row());
    if (!m)
        return;
    const qsizetype index = m - m_draw.matches.data();
    const QString typed = item->text().trimmed();
    if (item->column() == PlayByColumn) {
        const auto date = toDate(typed);
        if (!typed.isEmpty() && !date) {
            say(QStringLiteral("\"%1\" is not a date.").arg(typed), true);
            return;
        }
        // A round's date is every match's of the round.
        const int round = m->round;
        for (draws::Match& other : m_draw.matches)
            if (other.round == round)
                other.playBy = date ? date->toString(Qt::ISODate) : QString();
        QTimer::singleShot(0, this, [this] { showMatches(); });
        return;
    }
    if (item->column() != ResultColumn)
        return;
    if (typed.isEmpty() || typed == matchdraw::resultLine(*m)) {
        if (typed.isEmpty() && matchdraw::decided(*m)) {
            *m = draws::Match{m->round, m->slot, m->playBy, m->a, m->b, {}, {}, {}, {}};
            matchdraw::moveOn(m_draw);
        }
        m_typed.remove(index);
        QTimer::singleShot(0, this, [this] { showDraw(); });
        return;
    }
    const auto outcome =
        matchdraw::parseResult(typed, *m, m_draw.kind == draws::Kind::League, m_draw.holes);
    if (!outcome) {
        // What was typed stays, marked, until it is put right.
        m_typed.insert(index, typed);
        item->setForeground(QColor(0xb0, 0x00, 0x20));
        say(outcome.error(), true);
        return;
    }
    m_typed.remove(index);
    m->holesPlayed.clear();
    m->margin = outcome->margin;
    m->result = outcome->result;
    m->winner = outcome->winner;
    matchdraw::moveOn(m_draw);
    say(QStringLiteral("%1: %2.").arg(matchdraw::roundName(m_draw, m->round),
                                      matchdraw::resultLine(*m)));
    const int row = item->row();
    QTimer::singleShot(0, this, [this, row] {
        showDraw();
        goToNextResult(row);
    });
}

void DrawWindow::playMatch()
{
    const draws::Match* m = matchOfRow(matches->currentRow());
    if (!m || m->a.isEmpty() || m->b.isEmpty()) {
        say(QStringLiteral("Choose a match with both its players."), true);
        return;
    }
    readSettings();
    MatchContext given;
    given.draw = m_draw;
    given.round = m->round;
    given.slot = m->slot;
    given.done = [window = QPointer<DrawWindow>(this)](const draws::Match& played) {
        if (window)
            window->played(played);
    };
    app().show(windows::kMatch, given);
}

void DrawWindow::played(const draws::Match& match)
{
    for (qsizetype i = 0; i < m_draw.matches.size(); ++i) {
        draws::Match& m = m_draw.matches[i];
        if (m.round != match.round || m.slot != match.slot)
            continue;
        // The draw changed under the match window: its players are no longer these.
        if (!sameName(m.a, match.a) || !sameName(m.b, match.b)) {
            say(QStringLiteral("The match was not taken: its players changed meanwhile."), true);
            return;
        }
        m = match;
        m_typed.remove(i);
        matchdraw::moveOn(m_draw);
        showDraw();
        say(QStringLiteral("%1: %2.").arg(matchdraw::roundName(m_draw, m.round),
                                          matchdraw::resultLine(m)));
        return;
    }
}

void DrawWindow::showBracket()
{
    readSettings();
    if (m_draw.matches.isEmpty()) {
        say(QStringLiteral("Make the draw first."), true);
        return;
    }
    showReport(app(), m_draw.kind == draws::Kind::League ? drawreports::leagueTable(m_draw)
                                                         : drawreports::bracket(m_draw));
}

void DrawWindow::showPlayerMatches()
{
    QString player = entrant->text().trimmed();
    if (player.isEmpty() && entries->currentRow() >= 0)
        player = m_draw.entries.value(entries->currentRow()).name;
    if (player.isEmpty()) {
        say(QStringLiteral("Type the player's name in the entry box, or choose an entry."), true);
        return;
    }
    const auto record = Society(app().registerInUse()).playerMatches(player);
    if (!record) {
        say(QStringLiteral("The matches could not be read: %1").arg(record.error()), true);
        return;
    }
    showReport(app(), drawreports::playerMatches(player, *record));
}

bool DrawWindow::save()
{
    readSettings();
    if (m_draw.name.isEmpty()) {
        say(QStringLiteral("Name the draw first."), true);
        moveFocus(drawName);
        return false;
    }
    if (!m_typed.isEmpty()) {
        say(QStringLiteral("A result typed could not be read (in red): put it right or clear "
                           "it, then Save."),
            true);
        return false;
    }
    Society society(app().registerInUse());
    const auto kept = society.keepDraw(m_draw, m_asRead);
    if (!kept) {
        app().inform(QStringLiteral("The draw was not kept: %1").arg(kept.error()));
        return false;
    }
    if (kept->outcome == Saved::Outcome::ChangedMeanwhile) {
        app().inform(QStringLiteral("Another user has changed this draw since you opened it, so "
                                    "nothing was kept. Your changes stay on screen: note them, "
                                    "open the draw again and enter them there."));
        return false;
    }
    if (kept->outcome == Saved::Outcome::Gone) {
        // Kept again as new on the next Save, if the user still wants it.
        m_draw.id.reset();
        m_asRead.reset();
        app().inform(QStringLiteral("Another user has deleted this draw meanwhile, so nothing "
                                    "was kept. Save again to keep it as a new draw."));
        return false;
    }
    m_draw.id = kept->id;
    m_draw.name = m_draw.name.trimmed();
    m_asRead = m_draw;
    if (drawName->findText(m_draw.name, Qt::MatchFixedString) < 0) {
        m_showing = true;
        drawName->addItem(m_draw.name);
        drawName->setCurrentIndex(drawName->count() - 1);
        m_showing = false;
    }
    say(QStringLiteral("The draw \"%1\" is kept.").arg(m_draw.name));
    return true;
}

void DrawWindow::removeDraw()
{
    if (!m_draw.id) {
        say(QStringLiteral("This draw is not kept: there is nothing to delete."), true);
        return;
    }
    if (!app().prompter().ask(
            QStringLiteral("Delete the draw \"%1\" with its matches?").arg(m_draw.name), kCaption,
            Prompter::Default::No))
        return;
    if (Status done = Society(app().registerInUse()).removeDraw(*m_draw.id); !done) {
        app().inform(QStringLiteral("The draw was not deleted: %1").arg(done.error()));
        return;
    }
    m_showing = true;
    if (const int i = drawName->findText(m_draw.name, Qt::MatchFixedString); i >= 0)
        drawName->removeItem(i);
    drawName->setEditText(QString());
    m_showing = false;
    say(QStringLiteral("The draw \"%1\" is deleted.").arg(m_draw.name));
    startNewDraw(QString());
    m_typed.clear();
    showDraw();
}

} // namespace parlog
