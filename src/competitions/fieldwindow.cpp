#include "competitions/fieldwindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "competitions/society.h"
#include "data/conversions.h"
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

FieldWindow::FieldWindow(Application& app)
    : Window(app, windows::kField, QStringLiteral("Sides of a Competition"))
{
    competitionName = box(this, QStringLiteral("competitionName"), 30);
    competitionDate = box(this, QStringLiteral("competitionDate"), 12);
    selectAllOnFocus(competitionDate);
    format = picker(this, QStringLiteral("format"));
    for (auto f : {competitions::Format::Stroke, competitions::Format::Stableford,
                   competitions::Format::ParBogey})
        format->addItem(competitions::formatName(f), int(f));
    teamFormat = picker(this, QStringLiteral("teamFormat"));
    for (golf::TeamFormat t : competitions::teamFormats())
        if (t != golf::TeamFormat::Individual)
            teamFormat->addItem(QString::fromLatin1(golf::formatName(t)), int(t));
    nine = picker(this, QStringLiteral("nine"));
    nine->addItem(QStringLiteral("18 holes"), int(competitions::Nine::Eighteen));
    nine->addItem(QStringLiteral("Front nine"), int(competitions::Nine::Front));
    nine->addItem(QStringLiteral("Back nine"), int(competitions::Nine::Back));
    tee = picker(this, QStringLiteral("tee"));
    tee->setToolTip(QStringLiteral("The tee whose ratings turn each Handicap Index into a "
                                   "Course Handicap"));

    players = new QListWidget(this);
    players->setObjectName(QStringLiteral("players"));
    players->setToolTip(QStringLiteral("Type a name's first letters to find it; Enter adds the "
                                       "player to the chosen side"));
    sidesTable = new QTableWidget(0, 3, this);
    sidesTable->setObjectName(QStringLiteral("sides"));
    sidesTable->setHorizontalHeaderLabels(
        {QStringLiteral("Side"), QStringLiteral("Players"), QStringLiteral("Playing handicap")});
    sidesTable->verticalHeader()->hide();
    sidesTable->horizontalHeader()->setStretchLastSection(true);
    sidesTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    sidesTable->setSelectionMode(QAbstractItemView::SingleSelection);
    sidesTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);

    auto* add = button(this, QStringLiteral("addPlayer"), QStringLiteral("&Add to side"));
    auto* fresh = button(this, QStringLiteral("newSide"), QStringLiteral("&New side"));
    visitor = box(this, QStringLiteral("visitor"), 20);
    visitor->setPlaceholderText(QStringLiteral("A visitor's name"));
    auto* addVisitorButton =
        button(this, QStringLiteral("addVisitor"), QStringLiteral("Add &visitor"));
    auto* remove = button(this, QStringLiteral("removeSide"), QStringLiteral("&Remove side"));
    auto* draw = button(this, QStringLiteral("draw"), QStringLiteral("&Draw at random"));
    auto* balance = button(this, QStringLiteral("balance"), QStringLiteral("&Balance by handicap"));
    auto* saveButton = button(this, QStringLiteral("save"), QStringLiteral("&Save"));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    auto* form = new QFormLayout;
    form->addRow(label(this, QStringLiteral("LabelName"), QStringLiteral("&Competition")),
                 competitionName);
    form->addRow(label(this, QStringLiteral("LabelDate"), QStringLiteral("Da&te")),
                 competitionDate);
    form->addRow(label(this, QStringLiteral("LabelFormat"), QStringLiteral("&Format")),
                 line({format, teamFormat, nine}));
    form->addRow(label(this, QStringLiteral("LabelTee"), QStringLiteral("T&ee")), tee);
    // Each label's key goes to its box; the format's to the first of its three.
    for (int r = 0; r < form->rowCount(); ++r) {
        auto* caption = qobject_cast<QLabel*>(form->itemAt(r, QFormLayout::LabelRole)->widget());
        QLayoutItem* field = form->itemAt(r, QFormLayout::FieldRole);
        QWidget* target = field->widget() ? field->widget() : field->layout()->itemAt(0)->widget();
        if (caption && target)
            caption->setBuddy(target);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(label(this, QStringLiteral("LabelPlayers"), QStringLiteral("Players")));
    left->addWidget(players, 1);
    left->addLayout(row({add, fresh}, true));
    left->addLayout(line({visitor, addVisitorButton}));
    auto* right = new QVBoxLayout;
    right->addWidget(label(this, QStringLiteral("LabelSides"), QStringLiteral("Sides")));
    right->addWidget(sidesTable, 1);
    right->addLayout(row({remove, draw, balance}, true));
    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 2);
    middle->addLayout(right, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(middle, 1);
    layout->addWidget(status);
    layout->addLayout(row({saveButton, close}));
    resize(fontMetrics().averageCharWidth() * 140, fontMetrics().height() * 34);

    connect(add, &QPushButton::clicked, this, &FieldWindow::addPlayer);
    connect(fresh, &QPushButton::clicked, this, &FieldWindow::newSide);
    connect(addVisitorButton, &QPushButton::clicked, this, &FieldWindow::addVisitor);
    connect(visitor, &QLineEdit::returnPressed, this, &FieldWindow::addVisitor);
    connect(remove, &QPushButton::clicked, this, &FieldWindow::removeSide);
    connect(draw, &QPushButton::clicked, this, &FieldWindow::drawSides);
    connect(balance, &QPushButton::clicked, this, &FieldWindow::balanceSides);
    connect(saveButton, &QPushButton::clicked, this, &FieldWindow::save);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(players, &QListWidget::itemDoubleClicked, this, &FieldWindow::addPlayer);
    onKeys(players, {Qt::Key_Return, Qt::Key_Enter}, [this] { addPlayer(); });
    onKeys(sidesTable, {Qt::Key_Delete}, [this] { removeSide(); });
    for (QComboBox* c : {format, teamFormat, nine, tee})
        connect(c, &QComboBox::activated, this, &FieldWindow::showSides);
    connect(competitionDate, &QLineEdit::editingFinished, this, [this] {
        if (const auto date = toDate(competitionDate->text()))
            competitionDate->setText(formatDate(*date, DateFormat::Medium));
    });
    focusOrder({competitionName, competitionDate, format, teamFormat, nine, tee, players, add,
                fresh, visitor, addVisitorButton, sidesTable, remove, draw, balance, saveButton,
                close});
}

void FieldWindow::load()
{
    Society society(app().registerInUse());
    const auto entrants = society.entrants();
    const auto tees = society.ratedTees();
    if (!entrants || !tees) {
        app().inform(QStringLiteral("The players and tees could not be read: %1")
                         .arg(!entrants ? entrants.error() : tees.error()));
    }
    m_entrants = entrants.valueOr({});
    m_tees = tees.valueOr({});
    tee->clear();
    tee->addItem(QStringLiteral("None: the Handicap Index itself"));
    for (const field::RatedTee& t : std::as_const(m_tees))
        tee->addItem(t.label);
    showPlayers();
    showSides();
    competitionName->setFocus();
    if (context<FieldContext>())
        contextChanged();
}

void FieldWindow::contextChanged()
{
    const auto* given = context<FieldContext>();
    if (!given)
        return;
    m_saved = given->saved;
    loadCompetition(given->competition, given->date);
}

void FieldWindow::loadCompetition(const QString& name, const QString& date)
{
    competitionName->setText(name);
    competitionDate->setText(formatStoredDate(date, DateFormat::Medium));
    Society society(app().registerInUse());
    const auto kept = society.settings(name, date);
    const auto sides = society.sides(name, date);
    if (!kept || !sides)
        app().inform(!kept ? kept.error() : sides.error());
    m_kept = kept.valueOr(competitions::Settings{name, date});
    m_sides = sides.valueOr({});
    m_sidesKept = m_sides;
    format->setCurrentIndex(format->findData(int(m_kept.format)));
    if (m_kept.team != golf::TeamFormat::Individual)
        teamFormat->setCurrentIndex(teamFormat->findData(int(m_kept.team)));
    nine->setCurrentIndex(nine->findData(int(m_kept.nine)));
    showPlayers();
    showSides();
    if (!name.isEmpty())
        players->setFocus();
}

int FieldWindow::sideSize() const
{
    return golf::sideSize(golf::TeamFormat(teamFormat->currentData().toInt()));
}

competitions::Settings FieldWindow::wanted() const
{
    competitions::Settings s = m_kept;
    s.format = competitions::Format(format->currentData().toInt());
    s.team = golf::TeamFormat(teamFormat->currentData().toInt());
    s.nine = competitions::Nine(nine->currentData().toInt());
    // The table's allowance unless the committee set its own for this very format.
    if (s.team != m_kept.team || s.format != m_kept.format)
        s.allowance = competitions::defaultAllowance(s.format, s.team);
    return s;
}

QList<field::Entrant> FieldWindow::everyone() const
{
    QList<field::Entrant> list;
    for (const competitions::Side& side : m_sides)
        for (const QString& player : side.players) {
            const auto known = std::find_if(m_entrants.cbegin(), m_entrants.cend(),
                                            [&player](const field::Entrant& e) {
                                                return e.name.compare(player, Qt::CaseInsensitive) == 0;
                                            });
            list.append({player, known != m_entrants.cend() ? known->index : 54.0});
        }
    for (int i = 0; i < players->count(); ++i)
        list.append({players->item(i)->data(Qt::UserRole).toString(),
                     players->item(i)->data(Qt::UserRole + 1).toDouble()});
    return list;
}

void FieldWindow::showPlayers()
{
    const QString current = players->currentItem() ? players->currentItem()->text() : QString();
    players->clear();
    for (const field::Entrant& e : std::as_const(m_entrants)) {
        const bool placed = std::any_of(m_sides.cbegin(), m_sides.cend(), [&e](const auto& side) {
            return side.players.contains(e.name, Qt::CaseInsensitive);
        });
        if (placed)
            continue;
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 (%2)").arg(e.name, e.index < 0
                                                      ? QStringLiteral("+%1").arg(-e.index, 0, 'f', 1)
                                                      : QString::number(e.index, 'f', 1)),
            players);
        item->setData(Qt::UserRole, e.name);
        item->setData(Qt::UserRole + 1, e.index);
    }
    players->setCurrentRow(0);
    Q_UNUSED(current)
}

void FieldWindow::showSides()
{
    const int chosen = sidesTable->currentRow();
    QHash<QString, double> indexes;
    for (const field::Entrant& e : std::as_const(m_entrants))
        indexes.insert(e.name.toLower(), e.index);
    const competitions::Settings settings = wanted();
    field::Ratings ratings;
    bool rated = true;
    if (tee->currentIndex() > 0) {
        const auto over = m_tees[tee->currentIndex() - 1].over(settings.nine);
        rated = over.has_value();
        ratings = over.value_or(ratings);
    } else if (settings.nine != competitions::Nine::Eighteen) {
        ratings = {36, 113, 36};
    }
    sidesTable->setRowCount(int(m_sides.size()));
    for (int r = 0; r < m_sides.size(); ++r) {
        const competitions::Side& side = m_sides[r];
        const QString handicaps =
            rated && side.players.size() == sideSize()
                ? field::playingHandicapsOf(side, indexes, settings, ratings)
                : QString();
        const QStringList cells{side.name.isEmpty() ? competitions::sideNameOf(side.players)
                                                    : side.name,
                                side.players.join(QStringLiteral(", ")), handicaps};
        for (int c = 0; c < 3; ++c)
            sidesTable->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    sidesTable->resizeColumnsToContents();
    if (chosen >= 0 && chosen < sidesTable->rowCount())
        sidesTable->selectRow(chosen);
    status->setText(!rated ? QStringLiteral("The tee has no ratings for that nine: give them in "
                                            "the course's tees.")
                           : QStringLiteral("%1 side%2, %3 player%4 not in a side")
                                 .arg(m_sides.size())
                                 .arg(m_sides.size() == 1 ? QString() : QStringLiteral("s"))
                                 .arg(players->count())
                                 .arg(players->count() == 1 ? QString() : QStringLiteral("s")));
}

void FieldWindow::addPlayer()
{
    QListWidgetItem* item = players->currentItem();
    if (!item)
        return;
    const int row = players->currentRow();
    addToSide(item->data(Qt::UserRole).toString());
    players->setCurrentRow(qMin(row, players->count() - 1));
    players->setFocus();
}

void FieldWindow::addVisitor()
{
    const QString name = visitor->text().trimmed();
    if (name.isEmpty())
        return;
    const bool taken = std::any_of(m_sides.cbegin(), m_sides.cend(), [&name](const auto& side) {
        return side.players.contains(name, Qt::CaseInsensitive);
    });
    if (taken) {
        app().inform(QStringLiteral("%1 is already in a side.").arg(name));
        return;
    }
    addToSide(name);
    visitor->clear();
}

void FieldWindow::addToSide(const QString& name)
{
    const int size = sideSize();
    int at = sidesTable->currentRow();
    if (at < 0 || at >= m_sides.size() || m_sides[at].players.size() >= size) {
        at = -1;
        for (int s = 0; s < m_sides.size() && at < 0; ++s)
            if (m_sides[s].players.size() < size)
                at = s;
    }
    if (at < 0) {
        m_sides.append(competitions::Side{});
        at = int(m_sides.size() - 1);
    }
    competitions::Side& side = m_sides[at];
    const bool named = !side.name.isEmpty() && side.name != competitions::sideNameOf(side.players);
    side.players << name;
    if (!named)
        side.name = competitions::sideNameOf(side.players);
    showPlayers();
    showSides();
    sidesTable->selectRow(at);
}

void FieldWindow::newSide()
{
    m_sides.append(competitions::Side{});
    showSides();
    sidesTable->selectRow(int(m_sides.size() - 1));
    players->setFocus();
}

void FieldWindow::removeSide()
{
    const int at = sidesTable->currentRow();
    if (at < 0 || at >= m_sides.size())
        return;
    m_sides.removeAt(at);
    showPlayers();
    showSides();
}

void FieldWindow::drawSides()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    m_sides = field::drawn(everyone(), sideSize(), seed);
    showPlayers();
    showSides();
}

void FieldWindow::balanceSides()
{
    m_sides = field::balanced(everyone(), sideSize());
    showPlayers();
    showSides();
}

bool FieldWindow::okToClose()
{
    const auto same = [](const competitions::Side& a, const competitions::Side& b) {
        return a.name == b.name && a.players == b.players;
    };
    const bool unchanged = std::equal(m_sides.cbegin(), m_sides.cend(), m_sidesKept.cbegin(),
                                      m_sidesKept.cend(), same) ||
                           (m_sidesKept.isEmpty() && std::all_of(m_sides.cbegin(), m_sides.cend(),
                                                                 [](const competitions::Side& s) {
                                                                     return s.players.isEmpty();
                                                                 }));
    return unchanged ||
           app().prompter().ask(QStringLiteral("Close without keeping the sides?"),
                                QStringLiteral("Sides of a Competition"), Prompter::Default::No);
}

bool FieldWindow::save()
{
    const QString name = competitionName->text().trimmed();
    const auto date = toStoredDate(competitionDate->text());
    if (name.isEmpty() || !date) {
        app().inform(name.isEmpty() ? QStringLiteral("Type the competition's name.")
                                    : QStringLiteral("\"%1\" is not a date.")
                                          .arg(competitionDate->text()));
        (name.isEmpty() ? competitionName : competitionDate)->setFocus();
        return false;
    }
    QList<competitions::Side> kept;
    for (const competitions::Side& side : std::as_const(m_sides))
        if (!side.players.isEmpty())
            kept << side;
    competitions::Settings settings = wanted();
    settings.name = name;
    settings.date = *date;
    if (Status saved = Society(app().registerInUse()).keepField(settings, kept); !saved) {
        app().inform(QStringLiteral("The sides were not kept: %1").arg(saved.error()));
        return false;
    }
    m_kept = settings;
    m_sides = kept;
    m_sidesKept = kept;
    showSides();
    status->setText(QStringLiteral("Kept: %1 side%2 for %3.")
                        .arg(kept.size())
                        .arg(kept.size() == 1 ? QString() : QStringLiteral("s"))
                        .arg(name));
    if (m_saved)
        m_saved();
    return true;
}

} // namespace parlog
