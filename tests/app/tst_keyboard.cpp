#include "base/windowcontexts.h"
#include "reports/report.h"
#include "base/reportwindow.h"

#include "testmain.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTextBrowser>

using namespace parlog;
using namespace parlog::test;

namespace {

// A window in front, as the user has it when the keys go in.
QWidget* front(Fixture& f, const QString& name, std::any context = {})
{
    QWidget* window = f.app->show(name, std::move(context));
    if (!window)
        return nullptr;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

// Keys as the user presses them, counted: into an open list when there is one (it has
// the keyboard then), else into the control with the focus.
struct Keyboard {
    int count = 0;
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ++count;
        QWidget* popup = QApplication::activePopupWidget();
        QWidget* target = popup ? (popup->focusWidget() ? popup->focusWidget() : popup)
                                : QApplication::focusWidget();
        QTest::keyClick(target, key, modifiers);
    }
    void type(const QString& text)
    {
        for (QChar c : text) {
            ++count;
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    // Opens a list, picks the entry that starts with the letter, and takes it.
    void pick(char letter)
    {
        press(Qt::Key_Down, Qt::AltModifier);
        press(Qt::Key(Qt::Key_A + (letter - 'A')));
        press(Qt::Key_Return);
    }
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void enterPressesTheObviousButton();
    void escapeClosesAndF1OpensHelpAtTheWindowsSection();
    void reportPagesAnswerTheKeys();
    void cardsFromTheKeyboardAlone();
    void aCardTypedAndNotSavedIsNotLostToEscape();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestKeyboard::enterPressesTheObviousButton()
{
    QVERIFY(
        f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Adams', '12')")));
    QVERIFY(f.sql(
        QStringLiteral("INSERT INTO score(playerID, strdate) VALUES ('Adams', '2004-03-01')")));

    QWidget* division = front(f, QStringLiteral("Division"));
    QVERIFY(division);
    child<QLineEdit>(division, QStringLiteral("Text1"))->setFocus();
    QVERIFY(typeKeys(QStringLiteral("Mixed")));
    press(Qt::Key_Return);
    QCOMPARE(f.value(QStringLiteral("SELECT type FROM division")).toString(),
             QStringLiteral("Mixed"));

    QWidget* handicap =
        front(f, QStringLiteral("Handicapform"), HandicapContext{QStringLiteral("Adams"), "12"});
    QVERIFY(handicap);
    QVERIFY(typeKeys(QStringLiteral("9")));
    press(Qt::Key_Enter);
    QCOMPARE(f.value(QStringLiteral("SELECT Handicapp FROM player")).toString(),
             QStringLiteral("9"));
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);

    // Open in the search asks which report; Delete asks first, and No keeps the rounds.
    for (const char* name : {"quicksearch1", "edit"}) {
        QWidget* window = front(f, QString::fromLatin1(name));
        QVERIFY(window);
        f.prompter->messages.clear();
        f.prompter->answers.enqueue(false);
        child<QLineEdit>(window, QStringLiteral("Text1"))->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(f.prompter->messages.size(), 1);
        QVERIFY(f.prompter->messages.first().question);
        window->close();
    }
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 1);

    // Enter that takes an entry from an open list only takes it.
    QWidget* deletion = front(f, QStringLiteral("edit"));
    QVERIFY(deletion);
    f.prompter->messages.clear();
    auto* player = child<QComboBox>(deletion, QStringLiteral("player"));
    player->setFocus();
    Keyboard keys;
    keys.pick('A');
    QCOMPARE(player->currentText(), QStringLiteral("Adams"));
    QCOMPARE(f.prompter->messages.size(), 0);
    // Enter on a button with the focus presses that one, not the window's default.
    child<QPushButton>(deletion, QStringLiteral("Command3"))->setFocus();
    press(Qt::Key_Return);
    QCOMPARE(f.app->find(QStringLiteral("edit")), nullptr);
    QCOMPARE(f.prompter->messages.size(), 0);
}

void TestKeyboard::escapeClosesAndF1OpensHelpAtTheWindowsSection()
{
    QDir(f.folder.path()).mkdir(QStringLiteral("help"));
    QVERIFY(QFile::copy(QStringLiteral(PARLOG_SOURCE_DIR "/resources/help/index.html"),
                        f.path(QStringLiteral("help/index.html"))));
    QVERIFY(front(f, QStringLiteral("main")));
    QVERIFY(front(f, QStringLiteral("edit")));
    press(Qt::Key_F1);
    QWidget* help = f.app->find(QStringLiteral("help"));
    QVERIFY(help);
    QVERIFY(QTest::qWaitForWindowExposed(help));
    // Deleting rounds comes near the end of the pages.
    QTRY_VERIFY(child<QTextBrowser>(help, QStringLiteral("browser"))->verticalScrollBar()->value() >
                0);

    for (const char* name : {"edit", "player1", "frmAbout"}) {
        QVERIFY(front(f, QString::fromLatin1(name)));
        press(Qt::Key_Escape);
        QVERIFY2(!f.app->find(QString::fromLatin1(name)), name);
    }
    // The menu ends the program only with Quit.
    QVERIFY(front(f, QStringLiteral("main")));
    press(Qt::Key_Escape);
    QVERIFY(f.app->find(QStringLiteral("main")));
    QCOMPARE(f.prompter->messages.size(), 0);
}

void TestKeyboard::reportPagesAnswerTheKeys()
{
    QStringList names;
    for (int i = 0; i < 120; ++i)
        QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES (?)"),
                      {QStringLiteral("Player %1").arg(i)}));
    QWidget* players = front(f, QStringLiteral("player1"));
    QVERIFY(players);
    QTest::mouseClick(child<QPushButton>(players, QStringLiteral("Command28")), Qt::LeftButton);
    auto* report = qobject_cast<ReportWindow*>(f.app->find(QStringLiteral("DataReport1")));
    QVERIFY(report);
    report->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(report));
    child<QWidget>(report, QStringLiteral("Pages"))->setFocus();
    press(Qt::Key_End);
    QCOMPARE(report->pageIndex(), report->pageCount() - 1);
    press(Qt::Key_PageUp);
    QCOMPARE(report->pageIndex(), report->pageCount() - 2);
    press(Qt::Key_Home);
    QCOMPARE(report->pageIndex(), 0);
    press(Qt::Key_PageDown);
    QCOMPARE(report->pageIndex(), 1);
    QCOMPARE(report->windowTitle(), QStringLiteral("Players"));
}

// The goal of a card from the keyboard: course, player, competition, eighteen holes with
// their ticks, the putts and Save, without the mouse; then the next card, forty times.
void TestKeyboard::cardsFromTheKeyboardAlone()
{
    for (const char* name : {"Adams", "Brown", "Casey", "Doyle"})
        QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES (?, '12')"),
                      {QString::fromLatin1(name)}));
    QStringList pars;
    for (int h = 1; h <= 18; ++h)
        pars << QString::number(3 + h % 3);
    QVERIFY(f.sql(QStringLiteral("INSERT INTO courses(coursename, %1) VALUES ('Lahinch', %2)")
                      .arg([] {
                          QStringList c;
                          for (int h = 1; h <= 18; ++h)
                              c << QStringLiteral("hole%1").arg(h);
                          return c.join(u", ");
                      }(), pars.join(u", "))));
    QWidget* card = front(f, QStringLiteral("scoreadd"));
    QVERIFY(card);
    Keyboard keys;
    QList<int> perCard;
    const QString played = QStringLiteral("453+0544334+24535443");
    for (int n = 0; n < 40; ++n) {
        const int before = keys.count;
        // The last two holes differ from card to card: no card is another's again.
        const QString scores = played.chopped(2) + QString::number(1 + n % 9) +
                               QString::number(1 + n / 9);
        if (n == 0) {
            keys.pick('L'); // course
            QCOMPARE(child<QLabel>(card, QStringLiteral("par2"))->text(), QStringLiteral("Par 5"));
            keys.press(Qt::Key_P, Qt::AltModifier);
            keys.pick('A');
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text160"));
            keys.type(QStringLiteral("Medal"));
            keys.press(Qt::Key_Tab);
        } else {
            keys.press(Qt::Key_Return); // New Round, which has the focus
            keys.pick(char('A' + n % 4));
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("HOLE1"));
        // Fairways on the twelve holes that are not par threes, greens on the first
        // three: fifteen ticks.
        for (qsizetype i = 0, hole = 0; i < scores.size(); ++hole) {
            if (pars[hole] != u"3")
                keys.type(QStringLiteral("f"));
            if (hole < 3)
                keys.type(QStringLiteral("g"));
            const qsizetype width = scores[i] == u'+' ? 2 : 1;
            keys.type(scores.mid(i, width));
            i += width;
        }
        keys.type(QStringLiteral("31"));
        for (int tab = 0; tab < 3; ++tab)
            keys.press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command54"));
        keys.press(Qt::Key_Return);
        QVERIFY2(f.app->find(QStringLiteral("Handicapform")), qPrintable(f.prompter->last()));
        QWidget* dialog = f.app->find(QStringLiteral("Handicapform"));
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        keys.press(Qt::Key_Escape);
        card->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(card));
        perCard << keys.count - before;
        QVERIFY2(perCard.last() <= 70, qPrintable(QString::number(perCard.last())));
    }
    qInfo("keyboard: the first card in %d keys, each after it in %d", perCard.first(),
          perCard.last());
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 40);
    // 4 5 3 10 5 4 4 3 3 = 41 out; the 40th card's last two holes 1 + 39 % 9 = 4 and
    // 1 + 39 / 9 = 5: 4 12 4 5 3 5 4 4 5 = 46 in.
    QCOMPARE(f.rows(QStringLiteral("SELECT hole4, hole11, out, inn, gross, putts FROM score "
                                   "WHERE rowid = 40")),
             (QList<QVariantList>{{10, 12, 41, 46, 87, 31}}));
    int ticks = 0;
    for (int h = 1; h <= 18; ++h)
        ticks += f.value(QStringLiteral("SELECT fairway%1 + green%1 FROM score WHERE rowid = 1")
                             .arg(h))
                     .toInt();
    QCOMPARE(ticks, 15);
    QCOMPARE(f.prompter->messages.size(), 0);
}

void TestKeyboard::aCardTypedAndNotSavedIsNotLostToEscape()
{
    QWidget* card = front(f, QStringLiteral("scoreadd"));
    QVERIFY(card);
    child<QLineEdit>(card, QStringLiteral("HOLE1"))->setFocus();
    QVERIFY(typeKeys(QStringLiteral("45")));
    f.prompter->answers.enqueue(false);
    press(Qt::Key_Escape);
    QCOMPARE(f.prompter->last(), QStringLiteral("Discard this card?"));
    QVERIFY(f.prompter->messages.last().defaultNo);
    QCOMPARE(f.app->find(QStringLiteral("scoreadd")), card);
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("HOLE2"))->text(), QStringLiteral("5"));
    press(Qt::Key_Escape); // Yes
    QCOMPARE(f.app->find(QStringLiteral("scoreadd")), nullptr);
}

PARLOG_TEST(TestKeyboard)
#include "tst_keyboard.moc"
