#include "reports/report.h"
#include "base/reportwindow.h"
#include "search/criteria.h"
#include "search/quicksearch.h"
#include "ui/inputhelpers.h"

#include "sampledata.h"
#include "testmain.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace parlog;
using namespace parlog::test;

namespace {

// Today is 5 March 2004: the window's range runs from 5 March 2003 (366 days back over
// a leap day) to 6 March 2004.
struct Round {
    const char* player;
    const char* course;
    const char* comp;
    const char* date;
    int net;
    const char* division;
    double hand;
};

const Round kRounds[] = {
    {"Adams", "Lahinch", "Medal", "2004-03-06", 70, "Gents", 12},         // last day in
    {"Adams", "Carne", "Captain's Prize", "2003-03-05", 75, "Gents", 12}, // first day in
    {"Brown", "Lahinch", "Captain's Prize", "2004-01-10", 68, "Seniors", 8},
    {"Brown", "Carne", "Medal", "2003-03-04", 66, "Seniors", 8}, // a day too early
    {"Sean O'Brien", "Druid's Glen", "Medal", "2003-10-01", 72, "Gents", 3},
    {"x' or '1'='1", "Lahinch", "Medal", "2003-11-11", 80, "Gents", 20},
    {"Kelly", "Enniscrone", "Friendly", "2004-03-07", 65, "Ladies", 15}, // a day too late
};

bool seed(Fixture& f)
{
    for (const Round& r : kRounds)
        if (!f.sql(QStringLiteral("INSERT INTO score(playerID, course, comp, strdate, net, "
                                  "division, hand) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                   {QString::fromUtf8(r.player), QString::fromUtf8(r.course),
                    QString::fromUtf8(r.comp), QString::fromLatin1(r.date), r.net,
                    QString::fromLatin1(r.division), r.hand}))
            return false;
    return true;
}

Criteria all()
{
    return {std::nullopt, std::nullopt, std::nullopt, QStringLiteral("5-Mar-03"),
            QStringLiteral("6-Mar-04")};
}

std::unique_ptr<Connection> open(Fixture& f)
{
    auto c = std::make_unique<Connection>(f.dataFile());
    return c->open() ? std::move(c) : nullptr;
}

QStringList found(Fixture& f, const Criteria& criteria,
                  const QString& order = QStringLiteral("net"))
{
    auto c = open(f);
    const auto filter = filterFor(criteria);
    if (!filter)
        return {QStringLiteral("no filter")};
    const auto rows = rounds::feed(*c, *filter, order, {QStringLiteral("net")});
    if (!rows)
        return {QStringLiteral("failed")};
    QStringList list;
    for (int r = 0; (*rows)->hasRow(r); ++r)
        list << (*rows)->value(r, QStringLiteral("net")).toString();
    return list;
}

QStringList printed(ReportWindow* window, const QString& item)
{
    QStringList list;
    for (int p = 0; window && p < window->paginator().pageCount(); ++p)
        for (const auto& c : window->paginator().page(p).commands)
            if (c.item == item)
                list << c.text;
    return list;
}

struct Search : Driver {
    explicit Search(Fixture& f, const QString& name = QStringLiteral("quicksearch1"))
        : Driver(f, name)
    {
    }
    QuickSearch* search() const { return qobject_cast<QuickSearch*>(window); }
    QStringList hidden(const QStringList& names) const
    {
        QStringList list;
        for (const QString& n : names)
            if (!widget(n)->isVisible())
                list << n;
        return list;
    }
};

const QStringList kOrderBoxes{"C_score",  "C_date",   "C_division",
                              "C_course", "C_player", "C_handicap"};
const QStringList kGroupBoxes{"Check5", "Check1", "Check2", "Check3", "Check4"};

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
    // Most tests start from the seeded register.
    std::unique_ptr<Fixture> m_fixture;
private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<Fixture>();
        QVERIFY(seed(*m_fixture));
    }
    void cleanup() { m_fixture.reset(); }
    void criteriaCombinations();
    void datesAreInclusiveAndMustBeDates();
    void everyOrderColumn();
    void groupsComeFromTheWholeTable();
    void boundValuesMatchOnlyThemselves();
    void windowOpensWithItsDefaults();
    void orderTicks();
    void groupTicks();
    void openShowsTheChosenReport();
    void groupedOpenIsModalAndBindsTheGroup();
    void searchThatCannotRun();
    void deleteRemovesTheMatchingRounds();
    void allEntriesAreNotNames();
    void deleteWritesABackupFirst();
    void aCancelledDeletionLeavesEveryRound();
    void roundsChangedWhileAskedAreNotDeleted();
    void aFedSearchReadsWhatTheWholeSearchReads_data();
    void aFedSearchReadsWhatTheWholeSearchReads();
    void aDamagedRegisterIsSaidNotSaved();
    void deleteSaysWhatIsWrongAndKeepsItsCriteria();
    void unusableFileOnLoad();
};

void TestSearch::criteriaCombinations()
{
    Fixture& f = *m_fixture;
    QCOMPARE(found(f, all()), (QStringList{"68", "70", "72", "75", "80"}));
    Criteria c = all();
    c.competition = QStringLiteral("Medal");
    QCOMPARE(found(f, c), (QStringList{"70", "72", "80"}));
    c.player = QStringLiteral("Adams");
    QCOMPARE(found(f, c), QStringList{QStringLiteral("70")});
    c = all();
    c.course = QStringLiteral("Lahinch");
    QCOMPARE(found(f, c), (QStringList{"68", "70", "80"}));
    c.course = QStringLiteral("lahinch"); // names match without regard to case
    QCOMPARE(found(f, c), (QStringList{"68", "70", "80"}));
    // A name that reads like the "all" entry is a name like any other.
    c = all();
    c.player = QStringLiteral("all players");
    QCOMPARE(found(f, c), QStringList());
    c.player = kAllPlayers;
    QCOMPARE(found(f, c), QStringList());
    c = all();
    c.competition = QStringLiteral("Captain's Prize");
    QCOMPARE(found(f, c), (QStringList{"68", "75"}));
    // Only the dates count when every picker is at its entry for all.
    const auto dates = filterFor(all());
    QVERIFY(dates && !dates->player && !dates->course && !dates->competition);
    QCOMPARE(dates->from, QStringLiteral("2003-03-05"));
}

void TestSearch::datesAreInclusiveAndMustBeDates()
{
    Fixture& f = *m_fixture;
    Criteria c = all();
    c.from = QStringLiteral("6 Mar 2004");
    c.to = QStringLiteral("2004-03-06");
    QCOMPARE(found(f, c), QStringList{QStringLiteral("70")});
    c.from = QStringLiteral("7-Mar-04");
    QCOMPARE(found(f, c), QStringList());
    c.from = QStringLiteral("soon");
    QVERIFY(!filterFor(c));
    QVERIFY(filterFor(c).error().contains(QStringLiteral("\"soon\" is not a date")));
    c.from = QStringLiteral("1-Jan-03");
    c.to = QStringLiteral("31-Feb-04");
    QVERIFY(filterFor(c).error().contains(QStringLiteral("31-Feb-04")));
}

void TestSearch::everyOrderColumn()
{
    Fixture& f = *m_fixture;
    QCOMPARE(found(f, all(), QStringLiteral("strdate")),
             (QStringList{"75", "72", "80", "68", "70"}));
    QCOMPARE(found(f, all(), QStringLiteral("hand")), (QStringList{"72", "68", "70", "75", "80"}));
    QCOMPARE(found(f, all(), QStringLiteral("playerID")),
             (QStringList{"70", "75", "68", "72", "80"}));
    QCOMPARE(found(f, all(), QStringLiteral("course")),
             (QStringList{"75", "72", "70", "68", "80"}));
    QCOMPARE(found(f, all(), QStringLiteral("division")),
             (QStringList{"70", "75", "72", "80", "68"}));
    QCOMPARE(found(f, all(), QStringLiteral("net; DROP TABLE score")),
             QStringList{QStringLiteral("failed")});
}

void TestSearch::groupsComeFromTheWholeTable()
{
    Fixture& f = *m_fixture;
    QVERIFY(f.sql(QStringLiteral("INSERT INTO score(playerID, course, strdate, net) VALUES "
                                 "('ADAMS', 'Carne', '2004-02-02', 90)")));
    auto c = open(f);
    Criteria criteria = all();
    criteria.course = QStringLiteral("Lahinch");
    const auto source =
        groupedSearch(*c, *filterFor(all()), QStringLiteral("net"), QStringLiteral("course"));
    QVERIFY(source);
    QVERIFY(source->grouped());
    QStringList groups;
    for (int row = 0; source->hasRow(row); ++row)
        groups << source->value(row, QStringLiteral("course")).toString();
    // Enniscrone has rounds, none in the range: it still heads a group.
    QCOMPARE(groups, (QStringList{"Carne", "Druid's Glen", "Enniscrone", "Lahinch"}));
    QCOMPARE(source->childCount(0), 2);
    QCOMPARE(source->childValue(0, 0, QStringLiteral("net")).toInt(), 75);
    QCOMPARE(source->childCount(2), 0);
    QCOMPARE(source->childCount(3), 3);
    // Players are grouped as the names compare: Adams and ADAMS are one.
    const auto players =
        groupedSearch(*c, *filterFor(all()), QStringLiteral("strdate"), QStringLiteral("playerID"));
    QCOMPARE(players->value(0, QStringLiteral("playerID")).toString().toLower(),
             QStringLiteral("adams"));
    QCOMPARE(players->childCount(0), 3);
    QCOMPARE(players->childValue(0, 0, QStringLiteral("net")).toInt(), 75);
    QCOMPARE(players->childValue(0, 2, QStringLiteral("net")).toInt(), 70);
    QVERIFY(
        !groupedSearch(*c, *filterFor(all()), QStringLiteral("net"), QStringLiteral("comment")));
}

void TestSearch::boundValuesMatchOnlyThemselves()
{
    Fixture& f = *m_fixture;
    Criteria c = all();
    c.player = QStringLiteral("x' or '1'='1");
    QCOMPARE(found(f, c), QStringList{QStringLiteral("80")});
    c.player = QStringLiteral("Sean O'Brien");
    QCOMPARE(found(f, c), QStringList{QStringLiteral("72")});
    auto connection = open(f);
    c.player = QStringLiteral("x' or '1'='1");
    const auto deleted = rounds::remove(*connection, *filterFor(c));
    QVERIFY(deleted);
    QCOMPARE(*deleted, 1);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 6);
}

void TestSearch::windowOpensWithItsDefaults()
{
    Fixture& f = *m_fixture;
    Search s(f);
    QVERIFY(s.shown());
    QCOMPARE(s.window->windowTitle(), QStringLiteral("Quicksearch"));
    QCOMPARE(s.combo("player")->itemText(0), QStringLiteral("All Players"));
    QCOMPARE(s.combo("player")->currentText(), QStringLiteral("All Players"));
    QCOMPARE(s.combo("player")->count(), 6);
    QCOMPARE(s.combo("course")->itemText(0), QStringLiteral("All Courses"));
    QCOMPARE(s.combo("course")->itemText(1), QStringLiteral("Carne"));
    QCOMPARE(s.combo("comp")->itemText(0), QStringLiteral("All Competitions"));
    QCOMPARE(s.combo("comp")->count(), 4);
    QCOMPARE(s.box("Text1")->text(), QStringLiteral("5-Mar-03"));
    QCOMPARE(s.box("Text2")->text(), QStringLiteral("6-Mar-04"));
    QCOMPARE(child<QLabel>(s.window, QStringLiteral("Label17"))->text(),
             QStringLiteral("eg: 23 Jun 04"));
    QCOMPARE(QApplication::focusWidget(), s.combo("player"));
    QVERIFY(s.tick("C_score")->isChecked());
    QVERIFY(s.tick("Check5")->isChecked());
    QCOMPARE(s.hidden(kOrderBoxes + kGroupBoxes), QStringList());
    QCOMPARE(s.search()->orderField(), QStringLiteral("net"));
    QCOMPARE(s.search()->groupField(), QStringLiteral("none"));
    // Tab from the second date goes to the order boxes, Open and Close.
    s.box("Text2")->setFocus();
    QTest::keyClick(s.box("Text2"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("C_date"));
}

void TestSearch::orderTicks()
{
    Fixture f;
    Search s(f);
    QVERIFY(s.shown());
    s.click("C_date");
    QCOMPARE(s.search()->orderField(), QStringLiteral("strdate"));
    QVERIFY(!s.tick("C_score")->isChecked());
    QCOMPARE(s.hidden(kOrderBoxes),
             (QStringList{"C_score", "C_division", "C_course", "C_player", "C_handicap"}));
    // Unticked: the row shows again, the column stays.
    s.click("C_date");
    QCOMPARE(s.hidden(kOrderBoxes), QStringList());
    QCOMPARE(s.search()->orderField(), QStringLiteral("strdate"));
    // C_score answers only the mouse.
    s.tick("C_score")->setFocus();
    QTest::keyClick(s.tick("C_score"), Qt::Key_Space);
    QVERIFY(s.tick("C_score")->isChecked());
    QCOMPARE(s.search()->orderField(), QStringLiteral("strdate"));
    QCOMPARE(s.hidden(kOrderBoxes), QStringList());
    QTest::keyClick(s.tick("C_score"), Qt::Key_Space);
    s.click("C_score");
    QVERIFY(s.tick("C_score")->isChecked());
    QCOMPARE(s.search()->orderField(), QStringLiteral("net"));
    QCOMPARE(s.hidden(kOrderBoxes).size(), 5);
    s.click("C_score");
    QCOMPARE(s.hidden(kOrderBoxes), QStringList());
    s.click("C_handicap");
    QCOMPARE(s.search()->orderField(), QStringLiteral("hand"));
}

void TestSearch::groupTicks()
{
    Fixture f;
    Search s(f);
    QVERIFY(s.shown());
    s.click("Check2");
    QVERIFY(!s.tick("Check5")->isChecked());
    QCOMPARE(s.search()->groupField(), QStringLiteral("playerID"));
    QCOMPARE(s.hidden(kGroupBoxes), (QStringList{"Check5", "Check1", "Check3", "Check4"}));
    s.click("Check2");
    QCOMPARE(s.hidden(kGroupBoxes), QStringList());
    QCOMPARE(s.search()->groupField(), QStringLiteral("playerID"));
    s.click("Check5");
    QCOMPARE(s.search()->groupField(), QStringLiteral("none"));
    QCOMPARE(s.hidden(kGroupBoxes), (QStringList{"Check1", "Check2", "Check3", "Check4"}));
    s.click("Check5");
    QCOMPARE(s.hidden(kGroupBoxes), QStringList());
    s.click("Check4");
    QCOMPARE(s.search()->groupField(), QStringLiteral("comp"));

    // Close and open again: every default back.
    s.click("Command3");
    QCOMPARE(f.app->find(QStringLiteral("quicksearch1")), nullptr);
    Search again(f);
    QVERIFY(again.shown());
    QCOMPARE(again.search()->groupField(), QStringLiteral("none"));
    QVERIFY(again.tick("Check5")->isChecked());
    QCOMPARE(again.hidden(kGroupBoxes + kOrderBoxes), QStringList());
}

void TestSearch::openShowsTheChosenReport()
{
    Fixture& f = *m_fixture;
    Search s(f);
    QVERIFY(s.shown());
    s.click("Command22");
    QCOMPARE(f.prompter->messages.last().text,
             QStringLiteral("Click YES for a Compact Report or NO for a Full Report"));
    QCOMPARE(f.prompter->messages.last().caption, QStringLiteral("Golf Search Results"));
    QVERIFY(f.prompter->messages.last().question);
    auto* compact = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport5")));
    QVERIFY(compact);
    QCOMPARE(compact->windowTitle(), QStringLiteral("Search Results"));
    QCOMPARE(printed(compact, QStringLiteral("Text5")),
             (QStringList{"68", "70", "72", "75", "80"}));
    QCOMPARE(printed(compact, QStringLiteral("Text11")).first(), QStringLiteral("10.Jan2004"));

    s.click("C_player");
    s.combo("comp")->setEditText(QStringLiteral("Medal"));
    f.prompter->answers.enqueue(false);
    s.click("Command22");
    auto* cards = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport6")));
    QVERIFY(cards);
    QCOMPARE(printed(cards, QStringLiteral("Detail1")),
             (QStringList{"Adams", "Sean O'Brien", "x' or '1'='1"}));
    QCOMPARE(printed(cards, QStringLiteral("Detail6")).first(), QStringLiteral("6.Mar.04"));
    QVERIFY(f.app->find(QStringLiteral("quicksearch1")));
}

void TestSearch::groupedOpenIsModalAndBindsTheGroup()
{
    Fixture& f = *m_fixture;
    QStringList groupHeads;
    QStringList lines;
    QString modal;
    QString boundTo;
    f.app->setModalRunner([&](QWidget* w) {
        modal = w->objectName();
        auto* r = qobject_cast<ReportWindow*>(w);
        boundTo = r->report()
                      .layout()
                      .item(QStringLiteral("Section6"), QStringLiteral("Text1"))
                      ->dataField;
        groupHeads = printed(r, QStringLiteral("Text1"));
        lines = printed(r, QStringLiteral("Text5"));
        w->close();
    });
    Search s(f);
    QVERIFY(s.shown());
    s.click("Check2");
    s.click("Command22");
    QCOMPARE(modal, QStringLiteral("DataReport3"));
    QCOMPARE(groupHeads, (QStringList{"Adams", "Brown", "Kelly", "Sean O'Brien", "x' or '1'='1"}));
    QCOMPARE(lines, (QStringList{"70", "75", "68", "72", "80"}));
    QCOMPARE(boundTo, QStringLiteral("playerID"));
    // Grouped by player, then unticked: still grouped by player.
    s.click("Check2");
    f.prompter->answers.enqueue(false);
    s.click("Command22");
    QCOMPARE(modal, QStringLiteral("DataReport4"));
    QCOMPARE(groupHeads.size(), 5);
    QCOMPARE(f.app->find(QStringLiteral("DataReport4")), nullptr);
}

void TestSearch::searchThatCannotRun()
{
    Fixture& f = *m_fixture;
    int modals = 0;
    f.app->setModalRunner([&](QWidget* w) {
        ++modals;
        w->close();
    });
    Search s(f);
    QVERIFY(s.shown());
    s.box("Text1")->setText(QStringLiteral("someday"));
    s.click("Command22");
    QCOMPARE(f.prompter->texts(),
             QStringList{QStringLiteral("Please try a different search criteria")});
    QCOMPARE(f.app->find(QStringLiteral("DataReport5")), nullptr);
    QCOMPARE(s.box("Text1")->text(), QStringLiteral("someday"));

    // Grouped, compact: asked, then the report's own answer and no report.
    f.prompter->messages.clear();
    s.click("Check3");
    s.click("Command22");
    QCOMPARE(f.prompter->texts(),
             (QStringList{"Click YES for a Compact Report or NO for a Full Report",
                          "Please try a different search criteria"}));
    QCOMPARE(modals, 0);
    // Grouped, full: an empty report.
    f.prompter->answers.enqueue(false);
    s.click("Command22");
    QCOMPARE(modals, 1);
    // A player with an apostrophe is an ordinary search.
    s.box("Text1")->setText(QStringLiteral("1-Jan-03"));
    s.combo("player")->setEditText(QStringLiteral("Sean O'Brien"));
    f.prompter->messages.clear();
    s.click("Command22");
    QCOMPARE(f.prompter->messages.size(), 1);
    QCOMPARE(modals, 2);
}

void TestSearch::deleteRemovesTheMatchingRounds()
{
    Fixture& f = *m_fixture;
    const auto count = [&f] {
        return f.value(QStringLiteral("SELECT count(*) FROM score")).toInt();
    };
    {
        Search d(f, QStringLiteral("edit"));
        QVERIFY(d.shown());
        QCOMPARE(d.window->windowTitle(), QStringLiteral("Delete"));
        QCOMPARE(d.box("Text1")->text(), QStringLiteral("5-Mar-03"));
        QCOMPARE(d.combo("course")->itemText(0), QStringLiteral("All Courses"));
        // Counted and described first, with No as the safe answer; No leaves all as it was.
        f.prompter->answers.enqueue(false);
        d.click("Command22");
        const auto question = f.prompter->messages.last();
        QCOMPARE(question.text, QStringLiteral("Delete 5 rounds (All Players, All Courses, "
                                               "5 Mar 2003 \u2013 6 Mar 2004)?"));
        QCOMPARE(question.caption, QStringLiteral("Delete these records"));
        QVERIFY(question.defaultNo);
        QCOMPARE(count(), 7);
        QVERIFY(f.app->find(QStringLiteral("edit")));
        d.combo("player")->setEditText(QStringLiteral("Adams"));
        d.click("Command22");
        QVERIFY(f.prompter->messages.at(f.prompter->messages.size() - 2)
                    .text.startsWith(QStringLiteral("Delete 2 rounds (Adams, All Courses")));
        QVERIFY(f.prompter->last().startsWith(
            QStringLiteral("Your Selected Records Have Now Been Deleted")));
        QCOMPARE(f.app->find(QStringLiteral("edit")), nullptr);
        QCOMPARE(count(), 5);
    }
    {
        // Everything in the default range: the rounds a day outside it stay.
        Search d(f, QStringLiteral("edit"));
        QVERIFY(d.shown());
        d.click("Command22");
        QCOMPARE(
            f.value(QStringLiteral(
                        "SELECT group_concat(net) FROM (SELECT net FROM score ORDER BY rowid)"))
                .toString(),
            QStringLiteral("66,65"));
    }
    {
        // Criteria that match nothing: said so, nothing asked, nothing gone.
        Search d(f, QStringLiteral("edit"));
        QVERIFY(d.shown());
        d.combo("comp")->setEditText(QStringLiteral("No such competition"));
        f.prompter->messages.clear();
        d.click("Command22");
        QCOMPARE(f.prompter->messages.size(), 1);
        QVERIFY(!f.prompter->messages.first().question);
        QVERIFY(f.prompter->last().startsWith(QStringLiteral("No rounds match")));
        QVERIFY(f.app->find(QStringLiteral("edit")));
        QCOMPARE(count(), 2);
    }
}

void TestSearch::allEntriesAreNotNames()
{
    Fixture& f = *m_fixture;
    // A player and a competition that really bear the names of the "all" entries.
    QVERIFY(f.sql(QStringLiteral("INSERT INTO score(playerID, course, comp, strdate, net) "
                                 "VALUES ('All Players', 'Carne', 'All Competitions', "
                                 "'2004-01-01', 90)")));
    Search d(f, QStringLiteral("edit"));
    QVERIFY(d.shown());
    QComboBox* player = d.combo("player");
    QCOMPARE(chosenName(player), std::nullopt);
    // Typed back to the entry's own text, it still means all; another text is a name.
    player->setEditText(QStringLiteral("All players"));
    QCOMPARE(chosenName(player), std::optional<QString>(QStringLiteral("All players")));
    player->setEditText(QStringLiteral("All Players"));
    QCOMPARE(chosenName(player), std::nullopt);
    // The real player is its own entry of the list.
    QVERIFY(pick(player, QStringLiteral("Adams")));
    QCOMPARE(player->findText(QStringLiteral("All Players")), 0);
    const int real = int(itemsOf(player).lastIndexOf(QStringLiteral("All Players")));
    QVERIFY(real > 0);
    player->setCurrentIndex(real);
    QCOMPARE(chosenName(player), std::optional<QString>(QStringLiteral("All Players")));
    d.click("Command22");
    QVERIFY(f.prompter->messages.first().text.startsWith(QStringLiteral("Delete 1 round (")));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 7);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score WHERE playerID = 'All Players'"))
                 .toInt(),
             0);
}

void TestSearch::deleteWritesABackupFirst()
{
    Fixture& f = *m_fixture;
    // The backups folder cannot be made: nothing is deleted.
    QFile blocker(f.path(QStringLiteral("backups")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    {
        Search d(f, QStringLiteral("edit"));
        QVERIFY(d.shown());
        d.click("Command22");
        QVERIFY2(
            f.prompter->last().startsWith(QStringLiteral("No rounds were deleted: the backup")),
            qPrintable(f.prompter->last()));
        QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 7);
        QVERIFY(f.app->find(QStringLiteral("edit")));
    }
    QVERIFY(blocker.remove());
    Search d(f, QStringLiteral("edit"));
    QVERIFY(d.shown());
    d.click("Command22");
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 2);
    const QStringList copies = QDir(f.path(QStringLiteral("backups"))).entryList(QDir::Files);
    QCOMPARE(copies.size(), 1);
    const QString copy = f.path(QStringLiteral("backups/") + copies.first());
    QVERIFY(f.prompter->last().contains(copy));
    QCOMPARE(QFileInfo(copy).permissions() & 0x0077, 0);
    // The copy is the register as it was, and opens as one.
    Connection c(copy);
    PARLOG_VERIFY_OK(c.open());
    QSqlQuery q = c.query();
    QVERIFY(execOn(c, q, QStringLiteral("SELECT count(*) FROM score")) && q.next());
    QCOMPARE(q.value(0).toInt(), 7);
}

void TestSearch::aCancelledDeletionLeavesEveryRound()
{
    Fixture f;
    tools::SampleSizes sizes;
    sizes.rounds = 3000;
    QCOMPARE(tools::writeSampleDatabase(f.dataFile(), sizes), QString());
    const auto count = [&f] {
        return f.value(QStringLiteral("SELECT count(*) FROM score")).toInt();
    };
    // Stopped in the copy, and stopped in the deletion itself.
    for (int stopAfter : {0, 1}) {
        Search d(f, QStringLiteral("edit"));
        QVERIFY(d.shown());
        d.box("Text1")->setText(QStringLiteral("1-Jan-1900"));
        d.box("Text2")->setText(QStringLiteral("31-Dec-2099"));
        f.stopAfter = stopAfter;
        f.progressAsked = 0;
        d.click("Command22");
        QVERIFY2(!f.progressTexts.isEmpty(), qPrintable(f.prompter->last()));
        QVERIFY(f.progressTexts.last().startsWith(QStringLiteral("Deleting 3")));
        QVERIFY2(f.prompter->last().startsWith(QStringLiteral("No rounds were deleted")),
                 qPrintable(f.prompter->last()));
        QVERIFY(f.prompter->last().contains(QStringLiteral("cancelled")));
        QCOMPARE(count(), 3000);
        QVERIFY(f.app->find(QStringLiteral("edit")));
        d.window->close();
    }
    // A cancelled copy leaves nothing; the copy before a cancelled deletion stays.
    QCOMPARE(QDir(f.path(QStringLiteral("backups"))).entryList(QDir::Files).size(), 1);
}

void TestSearch::aFedSearchReadsWhatTheWholeSearchReads_data()
{
    QTest::addColumn<QString>("order");
    for (const char* column : {"net", "strdate", "division", "course", "playerID", "hand"})
        QTest::newRow(column) << QString::fromLatin1(column);
}

// Fed a window at a time, in keyset order, the rows come as one query gives them all,
// empty values and ties included.
void TestSearch::aFedSearchReadsWhatTheWholeSearchReads()
{
    QFETCH(QString, order);
    Fixture f;
    tools::SampleSizes sizes;
    sizes.rounds = 2500;
    QCOMPARE(tools::writeSampleDatabase(f.dataFile(), sizes), QString());
    QVERIFY(
        f.sql(QStringLiteral("UPDATE score SET hand = NULL, division = NULL WHERE rowid % 7 = 0")));
    auto c = open(f);
    const rounds::Filter everything{
        {}, {}, {}, QStringLiteral("1900-01-01"), QStringLiteral("2100-01-01")};
    const QStringList columns{QStringLiteral("playerID"), QStringLiteral("strdate"),
                              QStringLiteral("net"), QStringLiteral("hand")};
    // Read whole, by the same order, as the reference.
    const auto whole =
        sql::rows(*c, QStringLiteral("SELECT %1 FROM score ORDER BY %2 NULLS FIRST, rowid")
                          .arg(columns.join(u", "), order));
    PARLOG_VERIFY_OK(whole);
    const auto fed = rounds::feed(*c, everything, order, columns);
    PARLOG_VERIFY_OK(fed);
    RowFeed& rows = **fed;
    int n = 0;
    for (; rows.hasRow(n); ++n)
        for (const QString& column : columns)
            QCOMPARE(rows.value(n, column).toString(),
                     whole->rows[n][columns.indexOf(column)].toString());
    QCOMPARE(n, int(whole->rows.size()));
    QCOMPARE(rows.count(), n);
    // Read again from the start, as a report goes back to its first page.
    QCOMPARE(rows.value(0, QStringLiteral("NET")), whole->rows[0][2]);
}

void TestSearch::roundsChangedWhileAskedAreNotDeleted()
{
    Fixture& f = *m_fixture;
    Search d(f, QStringLiteral("edit"));
    QVERIFY(d.shown());
    // While the question is on screen another user saves a round that matches, edits
    // one that was counted and deletes another.
    const QString matching = QStringLiteral("strdate BETWEEN '2003-03-05' AND '2004-03-06'");
    f.prompter->whileAsked = [&] {
        QVERIFY(f.sql(QStringLiteral("INSERT INTO score(playerID, strdate) VALUES ('Late', "
                                     "'2004-01-01')")));
        QVERIFY(f.sql(QStringLiteral("UPDATE score SET comment = 'edited' WHERE rowid = (SELECT "
                                     "min(rowid) FROM score WHERE %1)")
                          .arg(matching)));
        QVERIFY(f.sql(QStringLiteral("DELETE FROM score WHERE rowid = (SELECT max(rowid) FROM "
                                     "score WHERE %1 AND playerID <> 'Late')")
                          .arg(matching)));
    };
    d.click("Command22");
    // The four counted rounds that were left went; the new card stays, and the copy
    // holds the edited round as it went.
    QVERIFY2(f.prompter->last().contains(QStringLiteral("1 of the 5 rounds counted")),
             qPrintable(f.prompter->last()));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 3);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score WHERE playerID = 'Late'")).toInt(),
             1);
    const QStringList copies = QDir(f.path(QStringLiteral("backups"))).entryList(QDir::Files);
    QCOMPARE(copies.size(), 1);
    Connection copy(QDir(f.path(QStringLiteral("backups"))).filePath(copies[0]));
    QVERIFY(copy.open());
    QCOMPARE(sql::value(copy, QStringLiteral("SELECT count(*) FROM score WHERE comment = "
                                              "'edited'"))
                 .valueOr({})
                 .toInt(),
             1);
}

// Rows that stop at a damaged page are said to be damaged, and no file is written
// from the rows before it.
void TestSearch::aDamagedRegisterIsSaidNotSaved()
{
    Fixture f;
    tools::SampleSizes sizes;
    sizes.rounds = 5000;
    QCOMPARE(tools::writeSampleDatabase(f.dataFile(), sizes), QString());
    if (!test::damageARoundsPage(f.dataFile()))
        QSKIP("this SQLite has no dbstat table to find a page of the rounds by");
    Search s(f);
    QVERIFY(s.shown());
    s.box("Text1")->setText(QStringLiteral("1-Jan-1900"));
    s.box("Text2")->setText(QStringLiteral("31-Dec-2099"));
    s.click("Command22"); // Yes: the compact list
    auto* report = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport5")));
    QVERIFY(report);
    const QString csv = f.path(QStringLiteral("rounds.csv"));
    QVERIFY(!report->saveCsv(csv));
    QVERIFY2(f.prompter->last().contains(QStringLiteral("it is damaged")),
             qPrintable(f.prompter->last()));
    QVERIFY(!QFileInfo::exists(csv));
}

void TestSearch::deleteSaysWhatIsWrongAndKeepsItsCriteria()
{
    Fixture& f = *m_fixture;
    Search d(f, QStringLiteral("edit"));
    QVERIFY(d.shown());
    d.combo("player")->setEditText(QStringLiteral("Brown"));
    d.box("Text2")->setText(QStringLiteral("31 Feb 04"));
    d.click("Command22");
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().startsWith(QStringLiteral("No rounds were deleted")));
    QVERIFY(f.prompter->last().contains(QStringLiteral("31 Feb 04")));
    QVERIFY(f.app->find(QStringLiteral("edit")));
    QCOMPARE(d.box("Text2")->text(), QStringLiteral("31 Feb 04"));
    QCOMPARE(d.combo("player")->currentText(), QStringLiteral("Brown"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 7);

    // The file cannot be written: said, nothing gone, the window stays.
    d.box("Text2")->setText(QStringLiteral("6 Mar 04"));
    QVERIFY(f.sql(QStringLiteral("CREATE TRIGGER no_delete BEFORE DELETE ON score BEGIN "
                                 "SELECT RAISE(ABORT, 'the file is locked'); END")));
    d.click("Command22");
    QVERIFY(f.prompter->last().startsWith(QStringLiteral("No rounds were deleted")));
    QVERIFY(f.app->find(QStringLiteral("edit")));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 7);
}

void TestSearch::unusableFileOnLoad()
{
    Fixture f;
    f.spoilDataFile(5000);
    Search s(f);
    QVERIFY(s.shown());
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().contains(f.dataFile()));
    QCOMPARE(s.combo("player")->count(), 1);
    Search d(f, QStringLiteral("edit"));
    QVERIFY(d.shown());
    QCOMPARE(f.prompter->messages.size(), 2);
    d.click("Command22");
    QVERIFY(f.app->find(QStringLiteral("edit")));
    QCOMPARE(QFile(f.dataFile()).size(), 5000);
}

PARLOG_TEST(TestSearch)
#include "tst_search.moc"
