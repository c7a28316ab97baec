#include "competitions/matchwindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "competitions/matchdraw.h"
#include "competitions/society.h"
#include "golf/matchplay.h"
#include "golf/whs.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"
#include "ui/prompter.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace parlog {

using namespace forms;

namespace {

enum Ending { PlayedOut, ConcededToA, ConcededToB, WalkoverToA, WalkoverToB };

QTableWidgetItem* fixedCell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

QString shownResult(QChar c)
{
    return c == u'1' ? QStringLiteral("A") : c == u'2' ? QStringLiteral("B") : QStringLiteral("H");
}

} // namespace

MatchWindow::MatchWindow(Application& app)
    : Window(app, windows::kMatch, QStringLiteral("Match"))
{
    heading = label(this, QStringLiteral("heading"), QString());
    embolden(heading, 2);
    teeA = picker(this, QStringLiteral("teeA"));
    teeA->setEditable(false);
    teeB = picker(this, QStringLiteral("teeB"));
    teeB->setEditable(false);
    strokesGiven = label(this, QStringLiteral("strokesGiven"), QString());
    strokesGiven->setWordWrap(true);
    grid = new QTableWidget(this);
    grid->setObjectName(QStringLiteral("holes"));
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed);
    grid->setToolTip(QStringLiteral("On the Result line: 1 or A, 2 or B, H halved, Backspace "
                                    "clears. On a player's line: the strokes, the hole worked "
                                    "out net"));
    grid->horizontalHeader()->setDefaultSectionSize(fontMetrics().averageCharWidth() * 5);
    grid->installEventFilter(this);
    stateLabel = label(this, QStringLiteral("state"), QString());
    embolden(stateLabel, 3);
    ending = picker(this, QStringLiteral("ending"));
    ending->setEditable(false);
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);
    auto* keepButton = button(this, QStringLiteral("keep"), QStringLiteral("&Keep"));
    auto* clear = button(this, QStringLiteral("clear"), QStringLiteral("C&lear"));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    auto* form = new QFormLayout;
    auto* aLabel = label(this, QStringLiteral("LabelTeeA"), QStringLiteral("Tee of &A"));
    aLabel->setBuddy(teeA);
    auto* bLabel = label(this, QStringLiteral("LabelTeeB"), QStringLiteral("Tee of &B"));
    bLabel->setBuddy(teeB);
    form->addRow(aLabel, teeA);
    form->addRow(bLabel, teeB);
    auto* endingLabel = label(this, QStringLiteral("LabelEnding"), QStringLiteral("&Ended"));
    endingLabel->setBuddy(ending);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form);
    layout->addWidget(strokesGiven);
    layout->addWidget(grid, 1);
    layout->addWidget(stateLabel);
    layout->addLayout(line({endingLabel, ending}));
    layout->addWidget(status);
    layout->addLayout(row({keepButton, clear, close}));
    resize(fontMetrics().averageCharWidth() * 140, fontMetrics().height() * 26);

    connect(teeA, &QComboBox::activated, this, [this] {
        // The other side on the same tee, unless it was given one of its own.
        if (teeB->currentIndex() == 0 || teeB->currentIndex() == teeA->currentIndex() ||
            teeB->property("followsA").toBool()) {
            teeB->setCurrentIndex(teeA->currentIndex());
            teeB->setProperty("followsA", true);
        }
        workOutStrokes();
    });
    connect(teeB, &QComboBox::activated, this, [this] {
        teeB->setProperty("followsA", false);
        workOutStrokes();
    });
    connect(grid, &QTableWidget::itemChanged, this, &MatchWindow::strokesTyped);
    connect(ending, &QComboBox::activated, this, &MatchWindow::showState);
    connect(keepButton, &QPushButton::clicked, this, &MatchWindow::keep);
    connect(clear, &QPushButton::clicked, this, [this] { clearFrom(0); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({teeA, teeB, grid, ending, keepButton, clear, close});
}

void MatchWindow::load()
{
    Society society(app().registerInUse());
    const auto players = society.entrants();
    const auto tees = society.ratedTees();
    if (!players || !tees)
        status->setText(QStringLiteral("The players and tees could not be read: %1")
                            .arg(!players ? players.error() : tees.error()));
    for (const field::Entrant& e : players.valueOr({}))
        m_indexes.insert(e.name.toLower(), e.index);
    m_tees = tees.valueOr({});
    for (QComboBox* c : {teeA, teeB}) {
        c->addItem(QStringLiteral("None: the Handicap Index itself"));
        for (const field::RatedTee& t : std::as_const(m_tees))
            c->addItem(t.label);
    }
    contextChanged();
}

void MatchWindow::contextChanged()
{
    if (!context<MatchContext>())
        return;
    readMatch();
}

void MatchWindow::readMatch()
{
    const auto* given = context<MatchContext>();
    m_draw = given->draw;
    for (const draws::Match& m : std::as_const(m_draw.matches))
        if (m.round == given->round && m.slot == given->slot)
            m_match = m;
    heading->setText(QStringLiteral("%1, %2 match %3: %4 v %5")
                         .arg(m_draw.name, matchdraw::roundName(m_draw, m_match.round))
                         .arg(m_match.slot + 1)
                         .arg(m_match.a, m_match.b));
    m_balls.clear();
    for (int side = 0; side < 2; ++side) {
        const QString entry = side == 0 ? m_match.a : m_match.b;
        QStringList players{entry};
        for (const draws::Entry& e : std::as_const(m_draw.entries))
            if (e.name.compare(entry, Qt::CaseInsensitive) == 0 && !e.players.isEmpty())
                players = e.players;
        if (m_draw.team == golf::TeamFormat::FourBall && players.size() > 1) {
            for (const QString& p : std::as_const(players))
                m_balls.append({p, side, {p}, std::nullopt});
        } else {
            m_balls.append({entry, side, players, std::nullopt});
        }
    }
    m_results = m_match.holesPlayed;
    m_strokes.clear();
    m_kept = false;
    ending->clear();
    ending->addItem(QStringLiteral("Played out, hole by hole"), PlayedOut);
    ending->addItem(QStringLiteral("Conceded to %1").arg(m_match.a), ConcededToA);
    ending->addItem(QStringLiteral("Conceded to %1").arg(m_match.b), ConcededToB);
    ending->addItem(QStringLiteral("Walkover to %1").arg(m_match.a), WalkoverToA);
    ending->addItem(QStringLiteral("Walkover to %1").arg(m_match.b), WalkoverToB);
    const bool forA = m_match.winner.compare(m_match.a, Qt::CaseInsensitive) == 0;
    if (m_match.result == u"walkover")
        ending->setCurrentIndex(forA ? WalkoverToA : WalkoverToB);
    else if (m_match.result == u"won by concession")
        ending->setCurrentIndex(forA ? ConcededToA : ConcededToB);
    // The tee last chosen: most matches of a society are played on its own course.
    for (QComboBox* tee : {teeA, teeB})
        if (const int i = tee->findText(lastTee()); i > 0)
            tee->setCurrentIndex(i);
    workOutStrokes();
    grid->setCurrentCell(resultRow(), std::min(int(m_results.size()), grid->columnCount() - 1));
    grid->setFocus();
}

QString& MatchWindow::lastTee()
{
    static QString chosen;
    return chosen;
}

bool MatchWindow::okToClose()
{
    if (m_kept || m_results == m_match.holesPlayed)
        return true;
    return app().prompter().ask(QStringLiteral("Close without keeping the holes entered?"),
                                QStringLiteral("Match"), Prompter::Default::No);
}

const field::RatedTee* MatchWindow::teeOf(int side) const
{
    const int i = (side == 0 ? teeA : teeB)->currentIndex() - 1;
    return i >= 0 && i < m_tees.size() ? &m_tees[i] : nullptr;
}

void MatchWindow::workOutStrokes()
{
    if (teeA->currentIndex() > 0)
        lastTee() = teeA->currentText();
    // Each side's Course Handicaps off its own tee; the tee par over the lowest added.
    QList<QList<double>> courseHandicaps(2);
    QStringList unknown;
    int lowestPar = 1000;
    for (int side = 0; side < 2; ++side)
        if (const field::RatedTee* tee = teeOf(side))
            lowestPar = std::min(lowestPar, tee->eighteen.par);
    QList<int> over(2, 0);
    for (int side = 0; side < 2; ++side)
        if (const field::RatedTee* tee = teeOf(side); tee && lowestPar < 1000)
            over[side] = golf::mixedTeeStrokes(golf::Play::MatchPlay, tee->eighteen.par, lowestPar);
    for (const Ball& ball : std::as_const(m_balls))
        for (const QString& p : ball.players) {
            const auto it = m_indexes.constFind(p.toLower());
            if (it == m_indexes.constEnd()) {
                unknown << p;
                continue;
            }
            const field::RatedTee* tee = teeOf(ball.side);
            double ch = *it;
            if (tee && length() == 9) {
                const auto nine = tee->over(competitions::Nine::Front);
                ch = nine ? whs::nineHoleCourseHandicap(*it, nine->slopeRating, nine->courseRating,
                                                        nine->par)
                          : *it / 2;
            } else if (tee) {
                ch = whs::courseHandicap(*it, tee->eighteen.slopeRating, tee->eighteen.courseRating,
                                         tee->eighteen.par);
            } else if (length() == 9) {
                ch = *it / 2;
            }
            courseHandicaps[ball.side] << ch;
        }
    const QList<int> strokes = unknown.isEmpty()
                                   ? matchdraw::ballStrokes(m_draw.team, courseHandicaps, over)
                                   : QList<int>();
    QStringList words;
    for (qsizetype i = 0; i < m_balls.size(); ++i) {
        m_balls[i].strokes = i < strokes.size() ? std::optional<int>(strokes[i]) : std::nullopt;
        if (m_balls[i].strokes && *m_balls[i].strokes > 0)
            words << QStringLiteral("%1 receives %2").arg(m_balls[i].name).arg(strokes[i]);
    }
    if (!unknown.isEmpty())
        strokesGiven->setText(QStringLiteral("No Handicap Index for %1: no strokes are given; "
                                             "enter each hole's result as agreed.")
                                  .arg(unknown.join(QStringLiteral(", "))));
    else if (words.isEmpty())
        strokesGiven->setText(QStringLiteral("Level: no strokes are given."));
    else
        strokesGiven->setText(words.join(QStringLiteral("; ")) +
                              QStringLiteral(" (%1)").arg(
                                  teeOf(0) || teeOf(1) ? QStringLiteral("off the tees chosen")
                                                       : QStringLiteral("off the Handicap Index")));
    showGrid();
}

void MatchWindow::showGrid()
{
    m_showing = true;
    const golf::MatchState s = golf::matchState(
        [this] {
            QList<int> r;
            for (QChar c : std::as_const(m_results))
                r << (c == u'1' ? 1 : c == u'2' ? -1 : 0);
            return r;
        }(),
        length());
    // An extra hole a time, while the match stands all square after its last.
    const int shown =
        std::max(length(), int(m_results.size()) + (!s.decided && s.played >= length() ? 1 : 0));
    const int keepRow = grid->currentRow();
    const int keepColumn = grid->currentColumn();
    grid->clear();
    grid->setRowCount(resultRow() + 1);
    grid->setColumnCount(shown);
    QStringList rows{QStringLiteral("Par"), QStringLiteral("S.I.")};
    for (const Ball& b : std::as_const(m_balls))
        rows << (b.side == 0 ? QStringLiteral("A  ") : QStringLiteral("B  ")) + b.name;
    rows << QStringLiteral("Result");
    grid->setVerticalHeaderLabels(rows);
    QStringList numbers;
    for (int h = 0; h < shown; ++h)
        numbers << QString::number(h + 1);
    grid->setHorizontalHeaderLabels(numbers);
    const field::RatedTee* tee = teeOf(0);
    for (int h = 0; h < shown; ++h) {
        const int hole = h % length();
        grid->setItem(0, h,
                      fixedCell(tee && tee->holes.par[hole] > 0
                                    ? QString::number(tee->holes.par[hole])
                                    : QString()));
        grid->setItem(1, h,
                      fixedCell(tee && tee->holes.strokeIndex[hole] > 0
                                    ? QString::number(tee->holes.strokeIndex[hole])
                                    : QString()));
        for (int b = 0; b < int(m_balls.size()); ++b) {
            // A dot a stroke received on the hole, as on the card; the strokes typed after.
            int received = 0;
            if (m_balls[b].strokes && tee)
                received = matchdraw::strokesOnHole(*m_balls[b].strokes, tee->holes, h, length());
            const int strokes = m_strokes.value({b, h});
            QString text(received, QChar(0x2022));
            if (strokes > 0)
                text += (received > 0 ? QStringLiteral(" ") : QString()) + QString::number(strokes);
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignCenter);
            item->setData(Qt::UserRole, received);
            item->setToolTip(
                QStringLiteral("%1 receives %2 here").arg(m_balls[b].name).arg(received));
            grid->setItem(2 + b, h, item);
        }
        auto* result = fixedCell(h < m_results.size() ? shownResult(m_results[h]) : QString());
        // The holes after the one that decided it take no result: greyed, but the cursor
        // may still go there and be told why.
        if (h >= s.played && s.decided)
            result->setBackground(palette().color(QPalette::Window));
        grid->setItem(resultRow(), h, result);
    }
    if (keepRow >= 0 && keepColumn >= 0)
        grid->setCurrentCell(keepRow, std::min(keepColumn, shown - 1));
    // Every line in sight, and room for the scroll bar extra holes bring.
    grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                           grid->verticalHeader()->length() + 2 * grid->frameWidth() +
                           grid->horizontalScrollBar()->sizeHint().height());
    m_showing = false;
    showState();
}

QString MatchWindow::state() const
{
    return stateLabel->text();
}

void MatchWindow::showState()
{
    QList<int> results;
    for (QChar c : std::as_const(m_results))
        results << (c == u'1' ? 1 : c == u'2' ? -1 : 0);
    const golf::MatchState s = golf::matchState(results, length());
    const int end = ending->currentData().toInt();
    QString words;
    if (end == ConcededToA || end == WalkoverToA)
        words = QStringLiteral("%1 %2").arg(m_match.a, end == ConcededToA
                                                           ? QStringLiteral("won by concession")
                                                           : QStringLiteral("walkover"));
    else if (end == ConcededToB || end == WalkoverToB)
        words = QStringLiteral("%1 %2").arg(m_match.b, end == ConcededToB
                                                           ? QStringLiteral("won by concession")
                                                           : QStringLiteral("walkover"));
    else if (s.margin == 0)
        words = s.words;
    else
        words = QStringLiteral("%1 %2").arg(s.margin > 0 ? m_match.a : m_match.b, s.words);
    if (end == PlayedOut && !s.decided && s.played > 0)
        words += QStringLiteral(" after %1").arg(s.played);
    stateLabel->setText(words);
}

bool MatchWindow::enterHole(int hole, QChar result)
{
    if (hole > m_results.size()) {
        status->setText(
            QStringLiteral("Enter the %1 first.").arg(golf::ordinal(int(m_results.size()) + 1)));
        return false;
    }
    QList<int> before;
    for (int h = 0; h < hole; ++h)
        before << (m_results[h] == u'1' ? 1 : m_results[h] == u'2' ? -1 : 0);
    const golf::MatchState s = golf::matchState(before, length());
    if (s.decided) {
        status->setText(QStringLiteral("The match was decided at the %1: %2.")
                            .arg(golf::ordinal(s.played), s.words));
        return false;
    }
    if (hole == m_results.size())
        m_results += result;
    else
        m_results[hole] = result;
    status->clear();
    showGrid();
    return true;
}

void MatchWindow::clearFrom(int hole)
{
    m_results.truncate(std::max(0, hole));
    status->clear();
    showGrid();
}

void MatchWindow::strokesTyped(QTableWidgetItem* item)
{
    if (m_showing || !item || item->row() < 2 || item->row() >= resultRow())
        return;
    const int ball = item->row() - 2;
    const int hole = item->column();
    const QString typed = item->text().remove(QChar(0x2022)).trimmed();
    bool ok = false;
    const int strokes = typed.toInt(&ok);
    if (!typed.isEmpty() && (!ok || strokes < 1 || strokes > 20)) {
        status->setText(
            QStringLiteral("\"%1\" is no score for a hole: 1 to 20 strokes.").arg(typed));
        return;
    }
    if (typed.isEmpty())
        m_strokes.remove({ball, hole});
    else
        m_strokes.insert({ball, hole}, strokes);
    // The hole net, once a ball of each side has its strokes.
    QList<int> balls;
    QList<int> gets;
    QList<int> sides;
    for (int b = 0; b < int(m_balls.size()); ++b) {
        const QTableWidgetItem* other = grid->item(2 + b, hole);
        balls << m_strokes.value({b, hole});
        gets << (other ? other->data(Qt::UserRole).toInt() : 0);
        sides << m_balls[b].side;
    }
    const auto result = matchdraw::holeResult(balls, gets, sides);
    // Drawn again once the edit that called this is over.
    QTimer::singleShot(0, this, [this, hole, result] {
        if (!result || !enterHole(hole, *result > 0 ? u'1' : *result < 0 ? u'2' : u'H'))
            showGrid();
    });
}

bool MatchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != grid || event->type() != QEvent::KeyPress || grid->currentRow() != resultRow())
        return Window::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int hole = grid->currentColumn();
    QChar result;
    switch (key->key()) {
    case Qt::Key_1:
    case Qt::Key_A:
        result = u'1';
        break;
    case Qt::Key_2:
    case Qt::Key_B:
        result = u'2';
        break;
    case Qt::Key_H:
    case Qt::Key_0:
        result = u'H';
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        clearFrom(key->key() == Qt::Key_Backspace && hole >= m_results.size() ? hole - 1 : hole);
        grid->setCurrentCell(resultRow(), std::max(0, int(m_results.size())));
        return true;
    default:
        return Window::eventFilter(watched, event);
    }
    if (enterHole(hole, result))
        grid->setCurrentCell(resultRow(), std::min(hole + 1, grid->columnCount() - 1));
    return true;
}

bool MatchWindow::keep()
{
    const auto* given = context<MatchContext>();
    if (!given)
        return false;
    draws::Match m = m_match;
    m.holesPlayed = m_results;
    const int end = ending->currentData().toInt();
    if (end != PlayedOut) {
        const bool forA = end == ConcededToA || end == WalkoverToA;
        m.margin = forA ? 1 : -1;
        m.winner = forA ? m.a : m.b;
        m.result = end == ConcededToA || end == ConcededToB ? QStringLiteral("won by concession")
                                                            : QStringLiteral("walkover");
    } else if (const auto outcome = matchdraw::outcomeOfHoles(m_results, m, length())) {
        m.margin = outcome->margin;
        m.result = outcome->result;
        m.winner = outcome->winner;
    } else if (m_draw.kind == draws::Kind::League && m_results.size() >= length() &&
               std::count(m_results.cbegin(), m_results.cend(), u'1') ==
                   std::count(m_results.cbegin(), m_results.cend(), u'2')) {
        // A league's match all square after its last hole is halved.
        m.holesPlayed.truncate(length());
        m.margin = 0;
        m.result = QStringLiteral("halved");
        m.winner.clear();
    } else {
        status->setText(QStringLiteral("The match is not decided yet: enter the holes to the "
                                       "one that decides it, or say how it ended."));
        return false;
    }
    if (given->done)
        given->done(m);
    m_kept = true;
    close();
    return true;
}

} // namespace parlog
