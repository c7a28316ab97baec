#include "base/reportwindow.h"

#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

#include <sqlite3.h>

using namespace parlog;
using namespace parlog::test;

namespace {

const QString kAdding =
    QStringLiteral("When finished adding this entry click the save button to save changes");
const QString kEditing =
    QStringLiteral("When finished editing this entry click the save button to save changes");

struct Players : Driver {
    explicit Players(Fixture& f)
        : Driver(f, QStringLiteral("player1"))
    {
    }
    using Driver::combo;
    QComboBox* combo() const { return combo(QStringLiteral("Combo1")); }
    bool saveVisible() const { return button(QStringLiteral("Command12"))->isVisible(); }
    QString mode() const { return box(QStringLiteral("stu"))->text(); }
    QString id() const { return box(QStringLiteral("ID"))->text(); }
    bool pick(const QString& name) { return test::pick(combo(), name); }
    QStringList items() const { return itemsOf(combo()); }
    void type(const QString& boxName, const QString& text)
    {
        QLineEdit* b = box(boxName);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, text);
    }
};

bool seed(Fixture& f)
{
    if (!f.sql(QStringLiteral(
            "INSERT INTO player(playername, membership, Handicapp, division, address1, telephone) "
            "VALUES ('Brown', '12', '8', 'Gents', '1 Main St', '01 234'), "
            "('Adams', '7', '12.5', 'Seniors', NULL, NULL), "
            "('Browning', '30', '20', 'Gents', '', '')")))
        return false;
    if (!f.sql(QStringLiteral("INSERT INTO division(type) VALUES ('Gents'), ('Seniors'), "
                              "('Ladies'), ('Gents')")))
        return false;
    return true;
}

} // namespace

class TestPlayers : public QObject {
    Q_OBJECT
    // Most tests start from the seeded register with the window open.
    Seeded<Players> m_seeded;
private Q_SLOTS:
    void init() { QVERIFY(m_seeded.start(seed)); }
    void cleanup() { m_seeded.stop(); }
    void opensBrowsing();
    void newThenSaveAddsAPlayer();
    void typeAheadLoadsAndEditSavesTheChange();
    void saveThatCannotStoreKeepsTheBoxes();
    void editWithoutAPickChangesNothingAndSaysSo();
    void newThenPickThenSaveAddsASecondRow();
    void deleteAsksFirst();
    void deleteWithNoPlayerLoadedChangesNothing();
    void damagedFileRefusesEveryWrite();
    void aFileHeldByAnotherProgramAnswersWithinTwoSeconds();
    void duplicateNamesLoadTheFirstRow();
    void emptyTables();
    void viewAllAndGo();
    void selectAllOnMembershipAndHandicap();
};

void TestPlayers::opensBrowsing()
{
    Players& p = *m_seeded.window;
    QCOMPARE(p.window->windowTitle(), QStringLiteral("Players"));
    QCOMPARE(p.items(), (QStringList{"Adams", "Brown", "Browning"}));
    QCOMPARE(p.combo()->currentText(), QString());
    QCOMPARE(p.combo(QStringLiteral("text4"))->count(), 3);
    QCOMPARE(p.combo(QStringLiteral("text4"))->itemText(0), QStringLiteral("Gents"));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QString());
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("0"));
    QCOMPARE(p.box(QStringLiteral("text3"))->text(), QStringLiteral("0"));
    QCOMPARE(p.id(), QStringLiteral("0"));
    QCOMPARE(p.mode(), QStringLiteral("3"));
    QVERIFY(!p.box(QStringLiteral("ID"))->isVisible());
    QVERIFY(!p.box(QStringLiteral("stu"))->isVisible());
    QVERIFY(!p.saveVisible());
    QCOMPARE(p.focus(), QStringLiteral("Combo1"));
}

void TestPlayers::newThenSaveAddsAPlayer()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    QVERIFY(p.pick(QStringLiteral("Brown")));
    p.click(QStringLiteral("Command11"));
    QCOMPARE(f.prompter->texts(), QStringList{kAdding});
    QCOMPARE(f.prompter->messages.first().caption, QStringLiteral("Parlog"));
    QCOMPARE(p.mode(), QStringLiteral("1"));
    QVERIFY(p.saveVisible());
    QCOMPARE(p.focus(), QStringLiteral("Text1"));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QString());
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("0"));
    QCOMPARE(p.box(QStringLiteral("text5"))->text(), QString());
    QCOMPARE(p.combo(QStringLiteral("text4"))->currentText(), QString());
    QCOMPARE(p.combo(QStringLiteral("text4"))->count(), 3);

    p.type(QStringLiteral("Text1"), QStringLiteral("Sean O'Brien"));
    p.type(QStringLiteral("Text2"), QStringLiteral("1042"));
    p.type(QStringLiteral("text3"), QStringLiteral("12.5"));
    p.combo(QStringLiteral("text4"))->setEditText(QStringLiteral("Over 60's"));
    p.type(QStringLiteral("text5"), QStringLiteral("1 O'Connell St"));
    p.type(QStringLiteral("text11"), QStringLiteral("sean@example.ie"));
    // A division that is not one of the names is asked about first; No stores nothing.
    f.prompter->answers.enqueue(false);
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->last(), QStringLiteral("Add the division Over 60's?"));
    QVERIFY(f.prompter->messages.last().defaultNo);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player WHERE playername = 'Sean O''Brien'"))
                 .toInt(),
             0);
    QCOMPARE(p.combo(QStringLiteral("text4"))->currentText(), QStringLiteral("Over 60's"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->messages.size(), 3);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM division WHERE type = 'Over 60''s'")).toInt(),
             1);
    const auto rows =
        f.rows(QStringLiteral(
                   "SELECT playername, membership, Handicapp, division, address1, address2, email "
                   "FROM player WHERE playername = ?"),
               {QStringLiteral("Sean O'Brien")});
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0], (QVariantList{"Sean O'Brien", "1042", "12.5", "Over 60's", "1 O'Connell St",
                                    "", "sean@example.ie"}));
    QCOMPARE(p.items(), (QStringList{"Adams", "Brown", "Browning", "Sean O'Brien"}));
    QCOMPARE(p.combo()->currentText(), QStringLiteral("Sean O'Brien"));
    QCOMPARE(p.id(), QStringLiteral("0"));
    QCOMPARE(p.mode(), QStringLiteral("3"));
    QVERIFY(!p.saveVisible());
    QCOMPARE(p.focus(), QStringLiteral("Combo1"));
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("1042"));
}

void TestPlayers::typeAheadLoadsAndEditSavesTheChange()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    p.combo()->setFocus();
    QTest::keyClick(p.combo(), Qt::Key_B);
    QCOMPARE(p.combo()->currentText(), QStringLiteral("Brown"));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Brown"));
    QCOMPARE(p.box(QStringLiteral("text5"))->text(), QStringLiteral("1 Main St"));
    QTest::keyClicks(p.combo(), QStringLiteral("rowni"));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Browning"));
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("30"));
    const QString browningId = p.id();
    QVERIFY(browningId != u"0");
    QCOMPARE(p.mode(), QStringLiteral("3"));

    p.click(QStringLiteral("Command1"));
    QCOMPARE(f.prompter->texts(), QStringList{kEditing});
    QCOMPARE(p.mode(), QStringLiteral("2"));
    QVERIFY(p.saveVisible());
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Browning"));
    p.type(QStringLiteral("Text1"), QStringLiteral("Browning-D'Arcy"));
    p.type(QStringLiteral("text9"), QStringLiteral("087 1234"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.value(QStringLiteral("SELECT playername || '/' || telephone FROM player "
                                    "WHERE ID = ?"),
                     {browningId.toLongLong()})
                 .toString(),
             QStringLiteral("Browning-D'Arcy/087 1234"));
    QCOMPARE(p.items(), (QStringList{"Adams", "Brown", "Browning-D'Arcy"}));
    QCOMPARE(p.mode(), QStringLiteral("3"));
    QCOMPARE(p.id(), QStringLiteral("0"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 3);
}

void TestPlayers::saveThatCannotStoreKeepsTheBoxes()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    // An empty name.
    p.click(QStringLiteral("Command11"));
    p.type(QStringLiteral("Text2"), QStringLiteral("99"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->messages.size(), 2);
    QVERIFY(f.prompter->last().contains(QStringLiteral("not saved")));
    QVERIFY(f.prompter->last().contains(QStringLiteral("name")));
    QCOMPARE(p.mode(), QStringLiteral("1"));
    QVERIFY(p.saveVisible());
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("99"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 3);

    // A file that cannot be written.
    p.type(QStringLiteral("Text1"), QStringLiteral("Kelly"));
    f.spoilDataFile();
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->messages.size(), 3);
    QVERIFY(f.prompter->last().contains(f.dataFile()));
    QCOMPARE(p.mode(), QStringLiteral("1"));
    QVERIFY(p.saveVisible());
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Kelly"));
    f.restoreDataFile();
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->messages.size(), 3);
    QCOMPARE(f.value(QStringLiteral("SELECT membership FROM player WHERE playername = 'Kelly'"))
                 .toString(),
             QStringLiteral("99"));
}

void TestPlayers::editWithoutAPickChangesNothingAndSaysSo()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    p.click(QStringLiteral("Command1"));
    p.type(QStringLiteral("Text1"), QStringLiteral("Nobody"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.prompter->messages.size(), 2);
    QVERIFY(f.prompter->last().contains(QStringLiteral("Pick the player")));
    QCOMPARE(p.mode(), QStringLiteral("2"));
    QCOMPARE(
        f.value(QStringLiteral("SELECT count(*) FROM player WHERE playername = 'Nobody'")).toInt(),
        0);

    // Save, then Edit and Save at once: the key has gone back to 0.
    QVERIFY(p.pick(QStringLiteral("Adams")));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(p.id(), QStringLiteral("0"));
    QCOMPARE(
        f.value(QStringLiteral("SELECT count(*) FROM player WHERE playername = 'Adams'")).toInt(),
        1);
    p.click(QStringLiteral("Command1"));
    p.type(QStringLiteral("Text2"), QStringLiteral("555"));
    p.click(QStringLiteral("Command12"));
    QVERIFY(f.prompter->last().contains(QStringLiteral("Pick the player")));
    QCOMPARE(f.value(QStringLiteral("SELECT membership FROM player WHERE playername = 'Adams'"))
                 .toString(),
             QStringLiteral("7"));
}

void TestPlayers::newThenPickThenSaveAddsASecondRow()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    p.click(QStringLiteral("Command11"));
    QVERIFY(p.pick(QStringLiteral("Adams")));
    QCOMPARE(p.mode(), QStringLiteral("1"));
    QCOMPARE(p.box(QStringLiteral("text3"))->text(), QStringLiteral("12.5"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player WHERE playername = 'Adams' "
                                    "AND Handicapp = '12.5'"))
                 .toInt(),
             2);
    QCOMPARE(p.items(), (QStringList{"Adams", "Adams", "Brown", "Browning"}));
}

void TestPlayers::deleteAsksFirst()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    QVERIFY(p.pick(QStringLiteral("Brown")));
    f.prompter->answers.enqueue(false);
    p.click(QStringLiteral("Command13"));
    QCOMPARE(f.prompter->messages.last().text, QStringLiteral(" Are you sure?"));
    QCOMPARE(f.prompter->messages.last().caption, QStringLiteral("Delete Record"));
    QVERIFY(f.prompter->messages.last().question);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 3);
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Brown"));
    QCOMPARE(p.focus(), QStringLiteral("Combo1"));

    QVERIFY(f.sql(QStringLiteral("INSERT INTO score(playerID) VALUES ('Brown')")));
    p.click(QStringLiteral("Command13"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 2);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 1);
    QCOMPARE(p.items(), (QStringList{"Adams", "Browning"}));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QString());
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("0"));
    QCOMPARE(p.box(QStringLiteral("text5"))->text(), QString());
    QVERIFY(p.id() != u"0");
    // Again: the removed ID removes nothing more.
    p.click(QStringLiteral("Command13"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 2);
}

void TestPlayers::deleteWithNoPlayerLoadedChangesNothing()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    QVERIFY(p.pick(QStringLiteral("Brown")));
    p.click(QStringLiteral("Command1"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(p.id(), QStringLiteral("0"));
    f.prompter->messages.clear();
    p.click(QStringLiteral("Command13"));
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(!f.prompter->messages.first().question);
    QVERIFY(f.prompter->last().contains(QStringLiteral("Pick the player")));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Brown"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 3);
}

void TestPlayers::damagedFileRefusesEveryWrite()
{
    Fixture f;
    QVERIFY(seed(f));
    QVERIFY(f.damageDataFile());
    QVERIFY(!f.app->checkDataFile());
    const QString damage = f.prompter->last();
    QVERIFY2(damage.contains(QStringLiteral("damaged")), qPrintable(damage));
    // What can be read still reads; nothing is written.
    Players p(f);
    QVERIFY(p.shown());
    QCOMPARE(p.items(), (QStringList{"Adams", "Brown", "Browning"}));
    p.click(QStringLiteral("Command11"));
    p.type(QStringLiteral("Text1"), QStringLiteral("Kelly"));
    p.click(QStringLiteral("Command12"));
    QVERIFY2(f.prompter->last().endsWith(damage), qPrintable(f.prompter->last()));
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Kelly"));
    QCOMPARE(p.mode(), QStringLiteral("1"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player")).toInt(), 3);
}

void TestPlayers::aFileHeldByAnotherProgramAnswersWithinTwoSeconds()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    p.click(QStringLiteral("Command11"));
    p.type(QStringLiteral("Text1"), QStringLiteral("Kelly"));
    // Another program holds a write lock on the file.
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(f.dataFile().toUtf8().constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    QElapsedTimer clock;
    clock.start();
    p.click(QStringLiteral("Command12"));
    const qint64 waited = clock.elapsed();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY2(waited < 2000, qPrintable(QString::number(waited)));
    QVERIFY(f.prompter->last().contains(QStringLiteral("in use by another program")));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    // Nothing lost: the boxes as typed, and Save works once the file is free.
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QStringLiteral("Kelly"));
    p.click(QStringLiteral("Command12"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM player WHERE playername = 'Kelly'")).toInt(), 1);
}

void TestPlayers::duplicateNamesLoadTheFirstRow()
{
    Fixture f;
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, membership) VALUES "
                                 "('Kelly', 'first'), ('Kelly', 'second')")));
    Players p(f);
    QVERIFY(p.shown());
    QCOMPARE(p.items(), (QStringList{"Kelly", "Kelly"}));
    p.combo()->setCurrentIndex(1);
    Q_EMIT p.combo()->activated(1);
    QCOMPARE(p.box(QStringLiteral("Text2"))->text(), QStringLiteral("first"));
}

void TestPlayers::emptyTables()
{
    Fixture f;
    Players p(f);
    QVERIFY(p.shown());
    QCOMPARE(p.combo()->count(), 0);
    QCOMPARE(p.combo(QStringLiteral("text4"))->count(), 0);
    QVERIFY(f.prompter->messages.isEmpty());
    // A name typed that is not in the list loads nothing.
    p.combo()->setEditText(QStringLiteral("Ghost"));
    Q_EMIT p.combo()->activated(-1);
    QCOMPARE(p.box(QStringLiteral("Text1"))->text(), QString());
    QCOMPARE(p.id(), QStringLiteral("0"));
}

void TestPlayers::viewAllAndGo()
{
    Fixture& f = *m_seeded.fixture;
    Players& p = *m_seeded.window;
    p.click(QStringLiteral("Command28"));
    auto* report = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport1")));
    QVERIFY(report);
    QStringList names;
    for (const auto& c : report->paginator().page(0).commands)
        if (c.item == u"Text2")
            names << c.text;
    QCOMPARE(names, (QStringList{"Adams", "Brown", "Browning"}));
    QVERIFY(f.app->find(QStringLiteral("player1")));

    p.click(QStringLiteral("Command2"));
    QVERIFY(f.app->find(QStringLiteral("Division")));
    QCOMPARE(f.app->find(QStringLiteral("player1")), nullptr);
}

void TestPlayers::selectAllOnMembershipAndHandicap()
{
    Players& p = *m_seeded.window;
    QVERIFY(p.pick(QStringLiteral("Adams")));
    p.box(QStringLiteral("text3"))->setFocus();
    QCOMPARE(p.box(QStringLiteral("text3"))->selectedText(), QStringLiteral("12.5"));
    QTest::keyClick(p.box(QStringLiteral("text3")), Qt::Key_9);
    QCOMPARE(p.box(QStringLiteral("text3"))->text(), QStringLiteral("9"));
    p.box(QStringLiteral("Text2"))->setFocus();
    QCOMPARE(p.box(QStringLiteral("Text2"))->selectedText(), QStringLiteral("7"));
    // The name box does not select on focus.
    p.box(QStringLiteral("Text1"))->setFocus(Qt::OtherFocusReason);
    QVERIFY(!p.box(QStringLiteral("Text1"))->hasSelectedText());
}

PARLOG_TEST(TestPlayers)
#include "tst_players.moc"
