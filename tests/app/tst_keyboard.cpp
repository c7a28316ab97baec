#include "app/windowcontexts.h"
#include "reports/report.h"
#include "reports/reportwindow.h"

#include "testmain.h"
#include "testsupport.h"

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

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterPressesTheObviousButton();
    void escapeClosesAndF1OpensHelpAtTheWindowsSection();
    void reportPagesAnswerTheKeys();
};

void TestKeyboard::enterPressesTheObviousButton()
{
    Fixture f;
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
}

void TestKeyboard::escapeClosesAndF1OpensHelpAtTheWindowsSection()
{
    Fixture f;
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
    Fixture f;
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

PARLOG_TEST(TestKeyboard)
#include "tst_keyboard.moc"
