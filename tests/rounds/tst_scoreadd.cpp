#include "rounds/pickround.h"
#include "base/windowcontexts.h"
#include "rounds/scoreadd.h"
#include "testmain.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>

using namespace parlog;
using namespace parlog::test;

namespace {

// A card of Adams at Lahinch on 1 March 2004, stored as another program would: the
// strokes of the 18 holes, then the values of the columns named in MORE.
bool storedCard(Fixture& f, const QString& strokes, const QString& more, const QString& values)
{
    QStringList holes;
    for (int h = 1; h <= 18; ++h)
        holes << QStringLiteral("hole%1").arg(h);
    return f.sql(QStringLiteral("INSERT INTO score(playerID, course, strdate, %1, %2) VALUES "
                                "('Adams', 'Lahinch', '2004-03-01', %3, %4)")
                     .arg(holes.join(u", "), more, strokes, values));
}

const QString kSaveFailed =
    QStringLiteral("Check all entries are correctly filled in and valid as an error has occured");

struct Card : Driver {
    explicit Card(Fixture& f)
        : Driver(f, QStringLiteral("scoreadd"))
    {
    }
    QLineEdit* hole(int n) const { return box(QStringLiteral("HOLE%1").arg(n)); }
    bool pick(const QString& comboName, const QString& item)
    {
        return test::pick(combo(comboName), item);
    }
    QStringList totals() const
    {
        return {box(QStringLiteral("out"))->text(), box(QStringLiteral("inn"))->text(),
                box(QStringLiteral("gross"))->text(), box(QStringLiteral("net"))->text()};
    }
    // Course, player, competition, eighteen holes and the rest of a card.
    [[nodiscard]] bool fill(const QString& playerName = QStringLiteral("Sean O'Brien"))
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window) ||
            !pick(QStringLiteral("course"), QStringLiteral("Druid's Glen")))
            return false;
        box(QStringLiteral("Text160"))->setText(QStringLiteral("Captain's Prize"));
        if (!pick(QStringLiteral("player"), playerName) || focus() != u"HOLE1" ||
            !typeKeys(QStringLiteral("454354465545436455")) || !typeKeys(QStringLiteral("31")))
            return false;
        tick(QStringLiteral("g1"))->setChecked(true);
        tick(QStringLiteral("f18"))->setChecked(true);
        box(QStringLiteral("ss"))->setText(QStringLiteral("70"));
        child<QPlainTextEdit>(window, QStringLiteral("comment"))
            ->setPlainText(QStringLiteral("O'Brien's twos club"));
        return true;
    }
};

bool seed(Fixture& f)
{
    if (!f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp, division) VALUES "
                              "('Sean O''Brien', '12.5', 'Gents'), ('Adams', '8', 'Seniors'), "
                              "('Brown', NULL, NULL)")))
        return false;
    if (!f.sql(QStringLiteral(
            "INSERT INTO courses(coursename) VALUES ('Lahinch'), ('Druid''s Glen')")))
        return false;
    return true;
}

} // namespace

class TestScoreAdd : public QObject {
    Q_OBJECT
    // Most tests start from the seeded register with the window open.
    Seeded<Card> m_seeded;
private Q_SLOTS:
    void init()
    {
        QSettings().remove(QStringLiteral("scorecard/holeDetail")); // one test ticks it
        QVERIFY(m_seeded.start(seed));
    }
    void cleanup() { m_seeded.stop(); }
    void opensReadyForACard();
    void eighteenKeysFillTheCard();
    void aSecondDigitGoesToTheNextHole();
    void sameTextRunsNothing();
    void handicapCountsAtTheNextHoleChange();
    void pickingAPlayerFillsHandicapAndDivision();
    void saveStoresEveryColumn();
    void saveThatFailsKeepsTheCard_data();
    void saveThatFailsKeepsTheCard();
    void twoCardsOfOneCompetition();
    void stateOfSaveRecordSavedAndClearForm();
    void closeDiscardsTheCard();
    void handicapDialogWritesToItsOwnPlayer();
    void handicapDialogForAPlayerNotInTheRegister();
    void handicapDialogClose();
    void cardWithoutPlayerOrCourseIsRefused();
    void typedTextShowsAsTyped();
    void correctingAStoredRound();
    void unusableDataFileIsReportedAndTheCardKept();
    void aCorrectionMadeMeanwhileIsNotOverwritten();
    void aCorrectedCardKeepsItsHolesDetail();
    void holesDetailInASecondPass();
    void whatIsTypedIsWhatIsStored();
    void aRegisterThatHasGoneIsNotMadeAgain_data();
    void aRegisterThatHasGoneIsNotMadeAgain();
};

void TestScoreAdd::opensReadyForACard()
{
    Card& c = *m_seeded.window;
    QCOMPARE(c.window->windowTitle(), QStringLiteral("Add Score"));
    QCOMPARE(c.focus(), QStringLiteral("course"));
    QCOMPARE(c.combo(QStringLiteral("player"))->count(), 3);
    QCOMPARE(c.combo(QStringLiteral("player"))->itemText(2), QStringLiteral("Sean O'Brien"));
    QCOMPARE(c.combo(QStringLiteral("course"))->itemText(0), QStringLiteral("Druid's Glen"));
    QCOMPARE(c.combo(QStringLiteral("player"))->currentText(), QString());
    QCOMPARE(c.combo(QStringLiteral("course"))->currentText(), QString());
    QCOMPARE(c.box(QStringLiteral("Date"))->text(), QStringLiteral("5-Mar-04"));
    for (int h = 1; h <= 18; ++h)
        QCOMPARE(c.hole(h)->text(), QStringLiteral("0"));
    QCOMPARE(c.totals(), (QStringList{"0", "0", "0", "0"}));
    for (const char* name : {"putts", "handicap", "ss"})
        QCOMPARE(c.box(QString::fromLatin1(name))->text(), QStringLiteral("0"));
    QVERIFY(c.box(QStringLiteral("Text160"))->text().isEmpty());
    QVERIFY(c.box(QStringLiteral("Division"))->text().isEmpty());
    QVERIFY(c.button(QStringLiteral("Command54"))->isVisible());
    QVERIFY(!c.widget(QStringLiteral("rsaved"))->isVisible());
    QVERIFY(!c.button(QStringLiteral("clearall"))->isVisible());
    QVERIFY(!c.tick(QStringLiteral("f1"))->isChecked());
    QCOMPARE(child<QLabel>(c.window, QStringLiteral("Label10"))->text(),
             QStringLiteral("eg:  21 Feb  04"));

    // Tab walks the order of the original card.
    const QStringList order{"tee", "handicap", "handicapIndex", "Date", "Text160", "HOLE1"};
    for (const QString& next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(c.focus(), next);
    }
    c.box(QStringLiteral("ss"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(c.focus(), QStringLiteral("comment"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(c.focus(), QStringLiteral("Command54"));
    c.tick(QStringLiteral("g8"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(c.focus(), QStringLiteral("f2"));
}

void TestScoreAdd::eighteenKeysFillTheCard()
{
    Card& c = *m_seeded.window;
    c.hole(1)->setFocus();
    QCOMPARE(c.hole(1)->selectedText(), QStringLiteral("0"));
    QVERIFY(typeKeys(QStringLiteral("454354465545436455")));
    const QString strokes = QStringLiteral("454354465545436455");
    for (int h = 1; h <= 18; ++h)
        QCOMPARE(c.hole(h)->text(), QString(strokes.at(h - 1)));
    QCOMPARE(c.totals(), (QStringList{"40", "41", "81", "81"}));
    QCOMPARE(c.focus(), QStringLiteral("putts"));
    QCOMPARE(c.box(QStringLiteral("putts"))->selectedText(), QStringLiteral("0"));
    QVERIFY(typeKeys(QStringLiteral("31")));
    QCOMPARE(c.box(QStringLiteral("putts"))->text(), QStringLiteral("31"));

    // Clearing hole 5 keeps out and moves on to hole 6.
    c.hole(5)->setFocus();
    QTest::keyClick(c.hole(5), Qt::Key_Delete);
    QCOMPARE(c.hole(5)->text(), QString());
    QCOMPARE(c.totals(), (QStringList{"40", "41", "81", "81"}));
    QCOMPARE(c.focus(), QStringLiteral("HOLE6"));
    // A letter is like an empty box.
    c.hole(12)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("x")));
    QCOMPARE(c.hole(12)->text(), QStringLiteral("x"));
    QCOMPARE(c.box(QStringLiteral("inn"))->text(), QStringLiteral("41"));
    QCOMPARE(c.focus(), QStringLiteral("HOLE13"));
}

void TestScoreAdd::aSecondDigitGoesToTheNextHole()
{
    Fixture f;
    Card c(f);
    QVERIFY(c.shown());
    c.hole(3)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("10")));
    QCOMPARE(c.hole(3)->text(), QStringLiteral("1"));
    QCOMPARE(c.hole(4)->text(), QStringLiteral("0"));
    QCOMPARE(c.focus(), QStringLiteral("HOLE5"));
    QCOMPARE(c.box(QStringLiteral("out"))->text(), QStringLiteral("1"));
}

void TestScoreAdd::sameTextRunsNothing()
{
    Fixture f;
    Card c(f);
    QVERIFY(c.shown());
    c.box(QStringLiteral("Date"))->setFocus();
    c.hole(7)->setText(QStringLiteral("0"));
    QCOMPARE(c.focus(), QStringLiteral("Date"));
    c.box(QStringLiteral("out"))->setText(QStringLiteral("99"));
    c.hole(7)->setText(QStringLiteral("0"));
    QCOMPARE(c.box(QStringLiteral("out"))->text(), QStringLiteral("99"));
    c.hole(7)->setText(QStringLiteral("5"));
    QCOMPARE(c.box(QStringLiteral("out"))->text(), QStringLiteral("5"));
    QCOMPARE(c.focus(), QStringLiteral("HOLE8"));
}

void TestScoreAdd::handicapCountsAtTheNextHoleChange()
{
    Card& c = *m_seeded.window;
    c.hole(1)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("5")));
    QCOMPARE(c.box(QStringLiteral("net"))->text(), QStringLiteral("5"));
    c.box(QStringLiteral("handicap"))->setText(QStringLiteral("13.5"));
    QCOMPARE(c.box(QStringLiteral("net"))->text(), QStringLiteral("5"));
    c.hole(2)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("4")));
    QCOMPARE(c.box(QStringLiteral("net"))->text(), QStringLiteral("-5"));
    c.box(QStringLiteral("handicap"))->setText(QStringLiteral("12.5"));
    QVERIFY(typeKeys(QStringLiteral("3")));
    QCOMPARE(c.box(QStringLiteral("net"))->text(), QStringLiteral("0"));
}

void TestScoreAdd::pickingAPlayerFillsHandicapAndDivision()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    c.hole(1)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("7")));
    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Sean O'Brien")));
    QCOMPARE(c.box(QStringLiteral("handicap"))->text(), QStringLiteral("12.5"));
    QCOMPARE(c.box(QStringLiteral("Division"))->text(), QStringLiteral("Gents"));
    QCOMPARE(c.box(QStringLiteral("net"))->text(), QStringLiteral("7"));
    QCOMPARE(c.focus(), QStringLiteral("Text160"));
    c.box(QStringLiteral("Text160"))->setText(QStringLiteral("Medal"));
    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Adams")));
    QCOMPARE(c.box(QStringLiteral("handicap"))->text(), QStringLiteral("8"));
    QCOMPARE(c.focus(), QStringLiteral("HOLE1"));
    // A player row without handicap or division empties them.
    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Brown")));
    QCOMPARE(c.box(QStringLiteral("handicap"))->text(), QString());
    QCOMPARE(c.box(QStringLiteral("Division"))->text(), QString());
    // A typed name is not a pick.
    c.box(QStringLiteral("handicap"))->setText(QStringLiteral("3"));
    c.combo(QStringLiteral("player"))->setFocus();
    QTest::keyClicks(c.combo(QStringLiteral("player")), QStringLiteral("Adams"));
    QCOMPARE(c.box(QStringLiteral("handicap"))->text(), QStringLiteral("3"));
    QVERIFY(f.prompter->messages.isEmpty());
}

void TestScoreAdd::saveStoresEveryColumn()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QVERIFY2(f.prompter->messages.isEmpty(), qPrintable(f.prompter->last()));
    const auto rows = f.rows(QStringLiteral(
        "SELECT hole1, hole4, hole18, inn, out, hand, gross, net, course, strdate, putts, "
        "playerID, green1, green2, fairway1, fairway18, division, compss, comp, comment "
        "FROM score"));
    QCOMPARE(rows.size(), 1);
    const QVariantList expected{4,
                                3,
                                5,
                                41,
                                40,
                                12.5,
                                81,
                                69,
                                QStringLiteral("Druid's Glen"),
                                QStringLiteral("2004-03-05"),
                                31,
                                QStringLiteral("Sean O'Brien"),
                                1,
                                0,
                                0,
                                1,
                                QStringLiteral("Gents"),
                                QStringLiteral("70"),
                                QStringLiteral("Captain's Prize"),
                                QStringLiteral("O'Brien's twos club")};
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(rows[0][i].toString(), expected[i].toString());
    QVERIFY(!c.button(QStringLiteral("Command54"))->isVisible());
    QVERIFY(c.widget(QStringLiteral("rsaved"))->isVisible());
    QCOMPARE(c.focus(), QStringLiteral("Command56"));
    QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
    QVERIFY(dialog);
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("Label4"))->text(),
             QStringLiteral("Sean O'Brien"));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("Text1"))->text(), QStringLiteral("12.5"));

    // A hole typed as 4.5 is stored as the 4 the totals counted.
    dialog->close();
    QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Adams")));
    c.hole(1)->setText(QStringLiteral("4.5"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.value(QStringLiteral("SELECT hole1 || '/' || out FROM score WHERE playerID = "
                                    "'Adams'"))
                 .toString(),
             QStringLiteral("4/4"));
}

void TestScoreAdd::saveThatFailsKeepsTheCard_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("no date") << "Date"
                             << "someday";
    QTest::newRow("31 February") << "Date"
                                 << "31-Feb-04";
    QTest::newRow("empty putts") << "putts"
                                 << "";
    QTest::newRow("letter in a hole") << "HOLE9"
                                      << "x";
    QTest::newRow("handicap in words") << "handicap"
                                       << "scratch";
}

void TestScoreAdd::saveThatFailsKeepsTheCard()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    c.box(box)->setText(text);
    const QStringList totals = c.totals();
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.prompter->texts(), QStringList{kSaveFailed});
    QCOMPARE(f.prompter->messages.first().caption, QStringLiteral("Parlog"));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 0);
    QCOMPARE(c.box(box)->text(), text);
    QCOMPARE(c.totals(), totals);
    QCOMPARE(c.combo(QStringLiteral("player"))->currentText(), QStringLiteral("Sean O'Brien"));
    QCOMPARE(child<QPlainTextEdit>(c.window, QStringLiteral("comment"))->toPlainText(),
             QStringLiteral("O'Brien's twos club"));
    QVERIFY(c.button(QStringLiteral("Command54"))->isVisible());
    QVERIFY(!c.widget(QStringLiteral("rsaved"))->isVisible());
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);
}

void TestScoreAdd::twoCardsOfOneCompetition()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    f.app->find(QStringLiteral("Handicapform"))->close();
    QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
    QCOMPARE(c.focus(), QStringLiteral("player"));
    QCOMPARE(c.combo(QStringLiteral("player"))->currentText(), QString());
    QCOMPARE(c.box(QStringLiteral("handicap"))->text(), QStringLiteral("0"));
    QCOMPARE(c.box(QStringLiteral("Division"))->text(), QString());
    for (int h = 1; h <= 18; ++h)
        QCOMPARE(c.hole(h)->text(), QStringLiteral("0"));
    QCOMPARE(c.totals(), (QStringList{"0", "0", "0", "0"}));
    QCOMPARE(c.box(QStringLiteral("putts"))->text(), QStringLiteral("0"));
    QCOMPARE(child<QPlainTextEdit>(c.window, QStringLiteral("comment"))->toPlainText(), QString());
    QVERIFY(!c.tick(QStringLiteral("g1"))->isChecked());
    QVERIFY(!c.tick(QStringLiteral("f18"))->isChecked());
    // The competition's own boxes stay.
    QCOMPARE(c.combo(QStringLiteral("course"))->currentText(), QStringLiteral("Druid's Glen"));
    QCOMPARE(c.box(QStringLiteral("Date"))->text(), QStringLiteral("5-Mar-04"));
    QCOMPARE(c.box(QStringLiteral("Text160"))->text(), QStringLiteral("Captain's Prize"));
    QCOMPARE(c.box(QStringLiteral("ss"))->text(), QStringLiteral("70"));

    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Adams")));
    QCOMPARE(c.focus(), QStringLiteral("HOLE1"));
    QVERIFY(typeKeys(QStringLiteral("555555555444444444")));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    const auto rows = f.rows(QStringLiteral(
        "SELECT playerID, comp, course, gross, net, hand FROM score ORDER BY rowid"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1][0].toString(), QStringLiteral("Adams"));
    QCOMPARE(rows[1][1].toString(), QStringLiteral("Captain's Prize"));
    QCOMPARE(rows[1][2].toString(), QStringLiteral("Druid's Glen"));
    QCOMPARE(rows[1][3].toInt(), 81);
    QCOMPARE(rows[1][4].toInt(), 73);
    QCOMPARE(rows[1][5].toDouble(), 8.0);
}

void TestScoreAdd::stateOfSaveRecordSavedAndClearForm()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    auto* save = c.button(QStringLiteral("Command54"));
    auto* saved = c.widget(QStringLiteral("rsaved"));
    auto* clear = c.button(QStringLiteral("clearall"));
    QVERIFY(c.fill());
    QTest::mouseClick(save, Qt::LeftButton);
    f.app->find(QStringLiteral("Handicapform"))->close();
    QVERIFY(!save->isVisible() && saved->isVisible() && !clear->isVisible());
    QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
    QVERIFY(save->isVisible() && !saved->isVisible() && clear->isVisible());
    QVERIFY(c.fill(QStringLiteral("Adams")));
    QTest::mouseClick(save, Qt::LeftButton);
    f.app->find(QStringLiteral("Handicapform"))->close();
    QVERIFY(!save->isVisible() && saved->isVisible() && clear->isVisible());
    f.setToday(QDate(2004, 3, 6));
    // Clear Form after a save starts the next card, as New Round does.
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(save->isVisible() && !saved->isVisible() && clear->isVisible());
    QCOMPARE(c.focus(), QStringLiteral("player"));
    QCOMPARE(c.box(QStringLiteral("Text160"))->text(), QStringLiteral("Captain's Prize"));
    QCOMPARE(c.box(QStringLiteral("Date"))->text(), QStringLiteral("5-Mar-04"));
    // Before a save it empties the whole card.
    QVERIFY(typeKeys(QStringLiteral("Adams")));
    QTest::mouseClick(clear, Qt::LeftButton);
    QVERIFY(save->isVisible() && !saved->isVisible() && !clear->isVisible());
    QCOMPARE(c.focus(), QStringLiteral("course"));
    QCOMPARE(c.box(QStringLiteral("Text160"))->text(), QString());
    QCOMPARE(c.combo(QStringLiteral("course"))->currentText(), QString());
    QCOMPARE(c.box(QStringLiteral("ss"))->text(), QStringLiteral("0"));
    QCOMPARE(c.box(QStringLiteral("Date"))->text(), QStringLiteral("6-Mar-04"));
    QCOMPARE(c.totals(), (QStringList{"0", "0", "0", "0"}));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 2);
}

void TestScoreAdd::closeDiscardsTheCard()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    QTest::mouseClick(c.button(QStringLiteral("Command57")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("scoreadd")), nullptr);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 0);
    // Players added meanwhile appear when the window opens again.
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES ('Zed')")));
    Card again(f);
    QVERIFY(again.shown());
    QCOMPARE(again.combo(QStringLiteral("player"))->count(), 4);
    QCOMPARE(again.hole(1)->text(), QStringLiteral("0"));
}

void TestScoreAdd::handicapDialogWritesToItsOwnPlayer()
{
    Fixture f;
    QVERIFY(seed(f));
    QVERIFY(f.sql(QStringLiteral(
        "INSERT INTO player(playername, Handicapp) VALUES ('Sean O''Brien', '14')")));
    Card c(f);
    QVERIFY(c.shown());
    QVERIFY(c.fill());
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto* text = child<QLineEdit>(dialog, QStringLiteral("Text1"));
    QCOMPARE(QApplication::focusWidget(), text);
    QCOMPARE(text->selectedText(), QStringLiteral("12.5"));
    QVERIFY(typeKeys(QStringLiteral("11")));

    // Left open while the next card is saved for another player: still the first.
    QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
    QVERIFY(c.fill(QStringLiteral("Adams")));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), dialog);
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("Label4"))->text(),
             QStringLiteral("Sean O'Brien"));
    QCOMPARE(text->text(), QStringLiteral("11"));
    // Even after the round window has gone.
    c.window->close();
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);
    const auto rows =
        f.rows(QStringLiteral("SELECT playername, Handicapp FROM player ORDER BY ID"));
    QCOMPARE(rows[0][1].toString(), QStringLiteral("11"));
    QCOMPARE(rows[1][1].toString(), QStringLiteral("8"));
    QCOMPARE(rows[3][1].toString(), QStringLiteral("11")); // the second Sean O'Brien row
    // The round keeps the handicap it was played off.
    QCOMPARE(f.value(QStringLiteral("SELECT hand FROM score WHERE playerID = 'Sean O''Brien'"))
                 .toDouble(),
             12.5);
}

void TestScoreAdd::handicapDialogForAPlayerNotInTheRegister()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    // A name typed on the card instead of picked.
    c.combo(QStringLiteral("player"))->setEditText(QStringLiteral("Visitor"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("Label4"))->text(), QStringLiteral("Visitor"));
    child<QLineEdit>(dialog, QStringLiteral("Text1"))->setText(QStringLiteral("18"));
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("Command1")), Qt::LeftButton);
    // Stored as a visitor's card on Yes; the handicap then has no row to go to.
    QCOMPARE(f.prompter->messages.size(), 2);
    QVERIFY(f.prompter->messages.first().question);
    QVERIFY(f.prompter->last().contains(QStringLiteral("no player named \"Visitor\"")));
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), dialog);
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("Text1"))->text(), QStringLiteral("18"));
}

void TestScoreAdd::cardWithoutPlayerOrCourseIsRefused()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    const auto stored = [&f] {
        return f.value(QStringLiteral("SELECT count(*) FROM score")).toInt();
    };
    c.combo(QStringLiteral("player"))->setEditText(QStringLiteral("  "));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QVERIFY(f.prompter->last().contains(QStringLiteral("the player's name is empty")));
    c.combo(QStringLiteral("player"))->setEditText(QStringLiteral("Adams"));
    c.combo(QStringLiteral("course"))->setEditText(QString());
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QVERIFY(f.prompter->last().contains(QStringLiteral("the course is empty")));
    QCOMPARE(stored(), 0);
    QCOMPARE(c.hole(18)->text(), QStringLiteral("5"));
    QVERIFY(c.button(QStringLiteral("Command54"))->isVisible());

    // A name not in the register: stored only when the user says it is a visitor.
    c.combo(QStringLiteral("course"))->setEditText(QStringLiteral("Lahinch"));
    c.combo(QStringLiteral("player"))->setEditText(QStringLiteral("Visitor"));
    f.prompter->answers.enqueue(false);
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    const auto question = f.prompter->messages.last();
    QVERIFY(question.question && question.defaultNo);
    QVERIFY(question.text.contains(QStringLiteral("\"Visitor\" is not in the register")));
    QCOMPARE(stored(), 0);
    QCOMPARE(c.combo(QStringLiteral("player"))->currentText(), QStringLiteral("Visitor"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(stored(), 1);
}

void TestScoreAdd::typedTextShowsAsTyped()
{
    Fixture f;
    const QString markup = QStringLiteral("<h1 style='color:red'>FAKE ERROR</h1>");
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES (?)"), {markup}));
    Card c(f);
    QVERIFY(c.shown());
    c.combo(QStringLiteral("player"))->setEditText(markup);
    c.combo(QStringLiteral("course"))->setEditText(QStringLiteral("Lahinch"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    auto* name =
        child<QLabel>(f.app->find(QStringLiteral("Handicapform")), QStringLiteral("Label4"));
    QVERIFY(name);
    QCOMPARE(name->text(), markup);
    QCOMPARE(name->textFormat(), Qt::PlainText);
}

void TestScoreAdd::correctingAStoredRound()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    // Three cards of one competition.
    for (const char* name : {"Sean O'Brien", "Adams", "Sean O'Brien"}) {
        QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
        QVERIFY(c.fill(QString::fromUtf8(name)));
        QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
        f.app->find(QStringLiteral("Handicapform"))->close();
    }
    const auto stored = [&f] {
        return f.rows(QStringLiteral("SELECT * FROM score ORDER BY rowid"));
    };
    const auto before = stored();
    QCOMPARE(before.size(), 3);

    // Edit a Round offers the player's rounds, newest first; typing narrows them.
    c.combo(QStringLiteral("player"))->setEditText(QStringLiteral("Sean O'Brien"));
    QTest::mouseClick(c.button(QStringLiteral("editRound")), Qt::LeftButton);
    auto* picker = qobject_cast<PickRound*>(f.app->find(QStringLiteral("pickround")));
    QVERIFY(picker);
    QCOMPARE(picker->shownRounds(), 2);
    child<QLineEdit>(picker, QStringLiteral("find"))->setText(QStringLiteral("nothing like it"));
    QCOMPARE(picker->shownRounds(), 0);
    child<QLineEdit>(picker, QStringLiteral("find"))->setText(QStringLiteral("Druid"));
    QCOMPARE(picker->shownRounds(), 2);
    picker->openRound();
    auto* card = qobject_cast<ScoreAdd*>(c.window);
    QCOMPARE(card->editing(), 3); // the newest first
    QVERIFY(c.window->windowTitle().contains(QStringLiteral("5 Mar 2004 for Sean O'Brien")));
    QCOMPARE(c.hole(1)->text(), QStringLiteral("4"));
    QCOMPARE(c.totals(), (QStringList{"40", "41", "81", "69"}));

    // A box that does not convert: refused, the stored round as it was.
    c.hole(2)->setText(QStringLiteral("x"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(stored(), before);
    // Asked first; No changes nothing.
    c.hole(2)->setText(QStringLiteral("6"));
    f.prompter->answers.enqueue(false);
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.prompter->last(),
             QStringLiteral("Change the round of 5 Mar 2004 for Sean O'Brien?"));
    QVERIFY(f.prompter->messages.last().defaultNo);
    QCOMPARE(stored(), before);
    // Yes: that round alone changes, totals recomputed; no new round, no handicap asked.
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    const auto after = stored();
    QCOMPARE(after.size(), 3);
    QCOMPARE(after[0], before[0]);
    QCOMPARE(after[1], before[1]);
    QCOMPARE(f.value(QStringLiteral("SELECT hole2 || ' ' || out || ' ' || gross FROM score "
                                    "WHERE rowid = 3"))
                 .toString(),
             QStringLiteral("6 41 82"));
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);
    QCOMPARE(card->editing(), 0);
}

void TestScoreAdd::handicapDialogClose()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
    child<QLineEdit>(dialog, QStringLiteral("Text1"))->setText(QStringLiteral("2"));
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("closeform")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);
    QCOMPARE(f.value(QStringLiteral("SELECT Handicapp FROM player WHERE ID = 1")).toString(),
             QStringLiteral("12.5"));
}

void TestScoreAdd::unusableDataFileIsReportedAndTheCardKept()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    QVERIFY(c.fill());
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
    QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
    QVERIFY(c.fill(QStringLiteral("Adams")));

    // Someone replaces the data file with something else.
    f.spoilDataFile();
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.prompter->messages.size(), 1);
    QVERIFY(f.prompter->last().contains(f.dataFile()));
    QVERIFY(c.button(QStringLiteral("Command54"))->isVisible());
    QCOMPARE(c.combo(QStringLiteral("player"))->currentText(), QStringLiteral("Adams"));
    QCOMPARE(c.hole(1)->text(), QStringLiteral("4"));
    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Adams")));
    QCOMPARE(f.prompter->messages.size(), 2);
    QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(f.prompter->messages.size(), 3);
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), dialog);
    QCOMPARE(QFile(f.dataFile()).size(), 2048);

    // With the file back, the same card saves.
    f.restoreDataFile();
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.prompter->messages.size(), 3);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 2);

    // A window that loads without its file still opens, with empty lists.
    c.window->close();
    f.spoilDataFile();
    Card empty(f);
    QVERIFY(empty.shown());
    QCOMPARE(f.prompter->messages.size(), 4);
    QCOMPARE(empty.combo(QStringLiteral("player"))->count(), 0);
    QCOMPARE(empty.hole(1)->text(), QStringLiteral("0"));
}

void TestScoreAdd::aCorrectionMadeMeanwhileIsNotOverwritten()
{
    Fixture f;
    QVERIFY(seed(f));
    QVERIFY(storedCard(f, QStringLiteral("4, 5, ") + QStringList(16, QStringLiteral("4")).join(u", "),
                       QStringLiteral("out, inn, gross, net, putts, hand, comment"),
                       QStringLiteral("41, 36, 77, 69, 30, 8, 'mine'")));
    Card c(f);
    QVERIFY(c.shown());
    f.app->show(QStringLiteral("scoreadd"), EditRoundContext{1});
    QCOMPARE(c.hole(2)->text(), QStringLiteral("5"));
    // Another PC corrects hole 1 and the comment of the same round, and saves first.
    QVERIFY(f.sql(QStringLiteral("UPDATE score SET hole1 = 3, comment = 'theirs' WHERE rowid = 1")));
    c.hole(2)->setText(QStringLiteral("6"));
    f.prompter->answers.enqueue(true); // change the round
    f.prompter->answers.enqueue(false); // do not load theirs yet
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QVERIFY2(f.prompter->last().startsWith(QStringLiteral("Someone else has changed this round")),
             qPrintable(f.prompter->last()));
    QCOMPARE(f.rows(QStringLiteral("SELECT hole1, hole2, comment FROM score")),
             (QList<QVariantList>{{3, 5, QStringLiteral("theirs")}}));
    QCOMPARE(c.hole(2)->text(), QStringLiteral("6")); // what was typed stays
    // Loaded as it is now, the correction goes over theirs, seen.
    f.prompter->answers.enqueue(true);
    f.prompter->answers.enqueue(true);
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(c.hole(1)->text(), QStringLiteral("3"));
    c.hole(2)->setText(QStringLiteral("6"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.rows(QStringLiteral("SELECT hole1, hole2, comment FROM score")),
             (QList<QVariantList>{{3, 6, QStringLiteral("theirs")}}));
}

// A card with its holes' putts, penalties and bunkers, corrected: they stay with it, and a
// hole cut below its putts is named and nothing stored.
void TestScoreAdd::aCorrectedCardKeepsItsHolesDetail()
{
    Fixture f;
    QVERIFY(seed(f));
    QVERIFY(storedCard(f, QStringList(18, QStringLiteral("4")).join(u", "),
                       QStringLiteral("out, inn, gross, net, putts, hand, P1, P2, X3, B4"),
                       QStringLiteral("36, 36, 72, 64, 3, 8, 2, 1, 1, 1")));
    Card c(f);
    QVERIFY(c.shown());
    f.app->show(QStringLiteral("scoreadd"), EditRoundContext{1});
    // Its putts are the holes' sum, not a box to type another total in.
    QVERIFY(child<QLineEdit>(c.window, QStringLiteral("putts"))->isReadOnly());
    c.hole(5)->setText(QStringLiteral("5"));
    f.prompter->answers.enqueue(true); // change the round
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.rows(QStringLiteral("SELECT hole5, P1, P2, X3, B4, putts FROM score")),
             (QList<QVariantList>{{5, 2, 1, 1, 1, 3}}));
    f.app->show(QStringLiteral("scoreadd"), EditRoundContext{1});
    c.hole(1)->setText(QStringLiteral("1"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.prompter->last(),
             QStringLiteral("The round was not saved: Hole 1 has 2 putts and 1 stroke: a "
                            "hole's putts cannot be more than its strokes."));
    QCOMPARE(f.value(QStringLiteral("SELECT hole1 FROM score")).toInt(), 4);
    QCOMPARE(c.hole(1)->text(), QStringLiteral("1"));
}

// With putts hole by hole, hole 18 leads on to each hole's putts, one key a hole; X and B
// mark the hole without moving on, and the putts total follows every key.
void TestScoreAdd::holesDetailInASecondPass()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    c.tick(QStringLiteral("holeDetail"))->setChecked(true);
    QVERIFY(c.pick(QStringLiteral("course"), QStringLiteral("Lahinch")));
    QVERIFY(c.pick(QStringLiteral("player"), QStringLiteral("Adams")));
    c.hole(1)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("4b5")));
    QVERIFY(c.tick(QStringLiteral("B2"))->isChecked());
    QVERIFY(typeKeys(QStringLiteral("4354465545436455")));
    QCOMPARE(c.focus(), QStringLiteral("P1"));
    QLineEdit* putts = c.box(QStringLiteral("putts"));
    QVERIFY(typeKeys(QStringLiteral("xxx")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::ShiftModifier);
    QVERIFY(typeKeys(QStringLiteral("21")));
    QCOMPARE(putts->text(), QStringLiteral("3"));
    QVERIFY(putts->isReadOnly());
    // Seventeen more putts: 2 a hole but a three-putt on the fourth, 18 ends on ss.
    QVERIFY(typeKeys(QStringLiteral("2322222222222222")));
    QCOMPARE(c.focus(), QStringLiteral("ss"));
    // 2 + 1 + 2 + 3 + 14 x 2 = 36
    QCOMPARE(putts->text(), QStringLiteral("36"));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QVERIFY2(f.prompter->messages.isEmpty(), qPrintable(f.prompter->last()));
    QCOMPARE(f.rows(QStringLiteral("SELECT putts, P1, P2, P4, X1, X2, B1, B2, B3 FROM score")),
             (QList<QVariantList>{{36, 2, 1, 3, 2, QString(), 0, 1, 0}}));
    // A new card starts with no detail, and its putts box takes a total again.
    QTest::mouseClick(c.button(QStringLiteral("Command56")), Qt::LeftButton);
    QCOMPARE(c.box(QStringLiteral("P1"))->text(), QString());
    QVERIFY(!c.tick(QStringLiteral("B2"))->isChecked());
    QVERIFY(!putts->isReadOnly());
    QCOMPARE(putts->text(), QStringLiteral("0"));
}

void TestScoreAdd::aRegisterThatHasGoneIsNotMadeAgain_data()
{
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QString>("said");
    QTest::newRow("deleted") << false << QStringLiteral("it is no longer there");
    QTest::newRow("replaced") << true << QStringLiteral("it was replaced by another file");
}

// After start-up a register that goes is said to be gone, never made again empty, and
// one put in its place is not written to under the other's name.
void TestScoreAdd::aRegisterThatHasGoneIsNotMadeAgain()
{
    QFETCH(bool, replaced);
    QFETCH(QString, said);
    Fixture f;
    QVERIFY(seed(f));
    QVERIFY(f.app->openDataFile());
    Card c(f);
    QVERIFY(c.shown());
    QVERIFY(c.fill());
    QVERIFY(QFile::copy(f.dataFile(), f.path(QStringLiteral("other.mdb"))));
    QVERIFY(QFile::remove(f.dataFile()));
    if (replaced)
        QVERIFY(QFile::rename(f.path(QStringLiteral("other.mdb")), f.dataFile()));
    QTest::mouseClick(c.button(QStringLiteral("Command54")), Qt::LeftButton);
    QVERIFY2(f.prompter->last().contains(said), qPrintable(f.prompter->last()));
    QCOMPARE(QFileInfo::exists(f.dataFile()), replaced);
    if (replaced)
        QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 0);
    QCOMPARE(c.hole(1)->text(), QStringLiteral("4"));
}

// A secretary's keys on a card off a rated tee: the player's name typed in full is the
// player; Enter in the handicap dialog keeps the Handicap Index; the same card again is
// asked about; the round being corrected, and only it, can be deleted.
void TestScoreAdd::whatIsTypedIsWhatIsStored()
{
    Fixture& f = *m_seeded.fixture;
    Card& c = *m_seeded.window;
    c.window->close();
    // Par 4 a hole (72), indexes 1 to 18, a tee rated 72.0 / 113: an index of 5.1 is a
    // course handicap of 5.1 x 113 / 113 + (72.0 - 72) = 5.1, played off 5 (no competition,
    // its whole course handicap).
    QString pars, indexes;
    for (int h = 1; h <= 18; ++h) {
        pars += QStringLiteral(", hole%1, si%1").arg(h);
        indexes += QStringLiteral(", 4, %1").arg(h);
    }
    QVERIFY(f.sql(QStringLiteral("INSERT INTO courses(coursename, coursepar%1) VALUES "
                                 "('Ballyglen', 72%2)")
                      .arg(pars, indexes)));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO tees(courseID, name, ratedFor, courseRating, "
                                 "slopeRating) SELECT ID, 'White', 'Men', 72.0, 113 FROM courses "
                                 "WHERE coursename = 'Ballyglen'")));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES "
                                 "('Gerry O''Neill', '5.1')")));
    Card card(f);
    QVERIFY(card.shown());
    QVERIFY(card.pick(QStringLiteral("course"), QStringLiteral("Ballyglen")));
    QTest::keyClick(card.window, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(card.focus(), QStringLiteral("player"));
    QVERIFY(typeKeys(QStringLiteral(" gerry o'neill ")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // Picked, as from the list: the index, the handicaps off the tee, and on to the next box.
    QCOMPARE(card.box(QStringLiteral("handicapIndex"))->text(), QStringLiteral("5.1"));
    QCOMPARE(card.box(QStringLiteral("handicap"))->text(), QStringLiteral("5"));
    QCOMPARE(card.focus(), QStringLiteral("Text160"));
    card.hole(1)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("444444444555555555")));
    QTest::mouseClick(card.button(QStringLiteral("Command54")), Qt::LeftButton);
    const auto stored =
        f.rows(QStringLiteral("SELECT playerID, handicapIndex, hand, net FROM score"));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0], (QVariantList{"Gerry O'Neill", 5.1, 5.0, 76}));

    // The dialog holds the index as the register has it; Enter keeps it.
    QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("Label1"))->text(),
             QStringLiteral("New Handicap Index"));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("Text1"))->text(), QStringLiteral("5.1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);
    QCOMPARE(f.value(QStringLiteral("SELECT Handicapp FROM player WHERE playername = "
                                    "'Gerry O''Neill'")),
             QVariant(QStringLiteral("5.1")));

    // The same card again: asked, No by default, and not stored twice.
    card.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(card.window));
    QTest::mouseClick(card.button(QStringLiteral("Command56")), Qt::LeftButton);
    QVERIFY(typeKeys(QStringLiteral("Gerry O'Neill")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    card.hole(1)->setFocus();
    QVERIFY(typeKeys(QStringLiteral("444444444555555555")));
    f.prompter->answers.enqueue(false);
    QTest::mouseClick(card.button(QStringLiteral("Command54")), Qt::LeftButton);
    QCOMPARE(f.prompter->messages.last().text,
             QStringLiteral("Gerry O'Neill already has this card for 5 Mar 2004 at Ballyglen. "
                            "Save it again?"));
    QVERIFY(f.prompter->messages.last().defaultNo);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 1);

    // Two cards alike, stored by another program: the one loaded goes, with a backup.
    QVERIFY(f.sql(QStringLiteral("INSERT INTO score SELECT * FROM score")));
    const qint64 first = f.value(QStringLiteral("SELECT min(rowid) FROM score")).toLongLong();
    auto* editor = qobject_cast<ScoreAdd*>(card.window);
    editor->loadRound(first);
    auto* remove = card.button(QStringLiteral("deleteThisRound"));
    QVERIFY(remove->isVisible());
    remove->setFocus();
    f.prompter->answers.enqueue(true);
    QTest::keyClick(remove, Qt::Key_Space);
    const auto asked = f.prompter->messages.at(f.prompter->messages.size() - 2);
    // Off 5, holes of index 1 to 5 get a stroke: fours there are net birdies, 3 points
    // each (15), fours on 6 to 9 pars, 2 each (8), the back nine's fives bogeys, 1 each
    // (9): 32.
    QCOMPARE(asked.text, QStringLiteral("Delete this round of Gerry O'Neill, 5 Mar 2004, "
                                        "Ballyglen, 32 points?"));
    QVERIFY(asked.defaultNo);
    QVERIFY2(f.prompter->last().startsWith(QStringLiteral("Your Selected Records Have Now Been "
                                                          "Deleted")),
             qPrintable(f.prompter->last()));
    QCOMPARE(f.rows(QStringLiteral("SELECT rowid FROM score")).size(), 1);
    QVERIFY(f.value(QStringLiteral("SELECT min(rowid) FROM score")).toLongLong() != first);
    QVERIFY(!remove->isVisible());
}

PARLOG_TEST(TestScoreAdd)
#include "tst_scoreadd.moc"
