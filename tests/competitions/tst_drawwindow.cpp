#include "competitions/drawreports.h"
#include "competitions/drawwindow.h"
#include "competitions/matchwindow.h"
#include "competitions/society.h"
#include "reports/reportpainter.h"
#include "statsseed.h"
#include "testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

using namespace parlog;
using namespace parlog::test;

class TestDrawWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aKnockoutOf64FromTheKeyboard();
};

namespace {

QString pageText(const QString& pdf, int page)
{
    QProcess extract;
    extract.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), pdf, QStringLiteral("-")});
    extract.waitForFinished(30000);
    return QString::fromUtf8(extract.readAllStandardOutput());
}

// The row of the table's current match, once the window has drawn it again.
int settledRow(QTableWidget* matches)
{
    QTest::qWait(1);
    QCoreApplication::processEvents();
    return matches->currentRow();
}

} // namespace

void TestDrawWindow::aKnockoutOf64FromTheKeyboard()
{
    Fixture f;
    // Carne, its Yellow tee rated 72.0 / 113: a Course Handicap is the index itself.
    QVERIFY(addRatedCourse(f, QStringLiteral("Carne")));
    QStringList names;
    for (int i = 1; i <= 64; ++i) {
        names << QStringLiteral("Player %1").arg(i, 2, 10, QLatin1Char('0'));
        // Indexes falling from 31.5 to 0.0: seeded by handicap, Player 64 is the top seed.
        QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES (?, ?)"),
                      {names.last(), QString::number((64 - i) * 0.5)}));
    }
    QWidget* window = inFront(f, QStringLiteral("draws"));
    QVERIFY(window);
    QTRY_COMPARE(focusName(), QStringLiteral("drawName"));
    QVERIFY(typeKeys(QStringLiteral("Summer Singles")));
    press(Qt::Key_Return);
    QTRY_COMPARE(focusName(), QStringLiteral("entrant"));
    for (const QString& name : std::as_const(names)) {
        QVERIFY(typeKeys(name));
        press(Qt::Key_Return);
    }
    auto* entries = child<QListWidget>(window, QStringLiteral("entries"));
    QCOMPARE(entries->count(), 64);
    // Entered twice is refused, and said.
    QVERIFY(typeKeys(QStringLiteral("Player 07")));
    press(Qt::Key_Return);
    QCOMPARE(entries->count(), 64);
    QCOMPARE(child<QLabel>(window, QStringLiteral("status"))->text(),
             QStringLiteral("Player 07 is entered already."));
    child<QLineEdit>(window, QStringLiteral("entrant"))->clear();

    press(Qt::Key_M, Qt::AltModifier); // a button's key clicks it a moment later
    auto* matches = child<QTableWidget>(window, QStringLiteral("matches"));
    QTRY_COMPARE(matches->rowCount(), 63);
    // Seeded by handicap, no byes: the top seed (Player 64, 0.0) meets the 64th (Player
    // 01, 31.5); the second (Player 63) heads the lower half, to meet only in the final.
    QCOMPARE(matches->item(0, 3)->text(), QStringLiteral("Player 64"));
    QCOMPARE(matches->item(0, 4)->text(), QStringLiteral("Player 01"));
    QCOMPARE(matches->item(16, 3)->text(), QStringLiteral("Player 63"));
    QCOMPARE(focusName(), QStringLiteral("matches"));

    // The first round's dates typed once, for the round.
    matches->setCurrentCell(0, 2);
    QVERIFY(typeKeys(QStringLiteral("31 May 2026")));
    press(Qt::Key_Return);
    QTRY_COMPARE(matches->item(31, 2)->text(), QStringLiteral("31 May 2026"));
    matches->setCurrentCell(0, 5);

    // Every match's result typed where the window puts the focus next: A wins 3 & 2,
    // but every third match B 1 up and every seventh B at the 20th.
    const QStringList words{QStringLiteral("A 3&2"), QStringLiteral("B 1 up"),
                            QStringLiteral("b at the 20th")};
    for (int typed = 0; typed < 63; ++typed) {
        const int row = settledRow(matches);
        QVERIFY2(row >= 0 && matches->item(row, 5)->text().isEmpty(),
                 qPrintable(QStringLiteral("match %1 at row %2").arg(typed).arg(row)));
        QCOMPARE(matches->currentColumn(), 5);
        QVERIFY(typeKeys(words[typed % 7 == 6 ? 2 : typed % 3 == 2 ? 1 : 0]));
        press(Qt::Key_Return);
    }
    settledRow(matches);
    // A result no match can have is refused, kept as typed, and said; Escape puts it
    // back as it was.
    matches->setCurrentCell(62, 5);
    const QString final = matches->item(62, 5)->text();
    QVERIFY(final.endsWith(QStringLiteral(" won 3 & 2")) || final.contains(QStringLiteral("up")) ||
            final.contains(QStringLiteral("20th")));
    QVERIFY(typeKeys(QStringLiteral("A 9 & 1")));
    press(Qt::Key_Return);
    settledRow(matches);
    QCOMPARE(matches->item(62, 5)->text(), QStringLiteral("A 9 & 1"));
    QCOMPARE(child<QLabel>(window, QStringLiteral("status"))->text(),
             QStringLiteral("No match of 18 holes ends 9 & 1."));
    press(Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(child<QLabel>(window, QStringLiteral("status"))
                    ->text()
                    .contains(QStringLiteral("could not be read")));
    QVERIFY(typeKeys(QStringLiteral("B 2 up")));
    press(Qt::Key_Return);
    settledRow(matches);
    const QString champion = static_cast<DrawWindow*>(window)->draw().matches.last().winner;
    QCOMPARE(matches->item(62, 5)->text(), champion + QStringLiteral(" won 2 up"));

    // The final played again hole by hole from its line: Enter opens it, 1 a hole A
    // won, H a half: 6 up after the 11th, dormie 6 after the 12th, 6 up with 5 to play
    // after the 13th; the keys after the hole that decided it are not taken.
    auto* draws = static_cast<DrawWindow*>(window);
    const QString a = draws->draw().matches.last().a;
    matches->setCurrentCell(62, 0);
    press(Qt::Key_Return);
    QWidget* match = nullptr;
    QTRY_VERIFY((match = f.app->find(QStringLiteral("match"))));
    QVERIFY(QTest::qWaitForWindowActive(match));
    QTRY_COMPARE(focusName(), QStringLiteral("holes"));
    QVERIFY(!child<QLabel>(match, QStringLiteral("strokesGiven"))->text().isEmpty());
    QVERIFY(typeKeys(QStringLiteral("11H1H11HHH1HHH1")));
    auto* played = static_cast<MatchWindow*>(match);
    QCOMPARE(played->holes(), QStringLiteral("11H1H11HHH1HH"));
    QCOMPARE(played->state(), a + QStringLiteral(" won 6 & 5"));
    QCOMPARE(child<QLabel>(match, QStringLiteral("status"))->text(),
             QStringLiteral("The match was decided at the 13th: won 6 & 5."));
    // Holes entered are not lost to Close unasked.
    f.prompter->answers.enqueue(false);
    match->close();
    QCOMPARE(f.prompter->last(), QStringLiteral("Close without keeping the holes entered?"));
    QVERIFY(match->isVisible());
    press(Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(!f.app->find(QStringLiteral("match")));
    QTRY_COMPARE(matches->item(62, 5)->text(), a + QStringLiteral(" won 6 & 5"));
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    press(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(child<QLabel>(window, QStringLiteral("status"))->text(),
                 QStringLiteral("The draw \"Summer Singles\" is kept."));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM drawMatch")).toInt(), 63);
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM drawMatch WHERE playBy = "
                                    "'2026-05-31'"))
                 .toInt(),
             32);
    QCOMPARE(f.value(QStringLiteral("SELECT winner FROM drawMatch WHERE round = 6")).toString(), a);
    QCOMPARE(
        f.value(QStringLiteral("SELECT holesPlayed FROM drawMatch WHERE round = 6")).toString(),
        QStringLiteral("11H1H11HHH1HH"));
    // A match is not a card: no round was stored.
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score")).toInt(), 0);

    // The bracket of 64 on paper: each 32 on a landscape page of its own, the rounds
    // after them on a third; every entrant once on the pages of the first rounds.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const auto kept = Society(f.app->registerInUse()).draw(QStringLiteral("Summer Singles"));
    QVERIFY(kept && *kept);
    const report::Report bracket = drawreports::bracket(**kept);
    report::Paginator pages(bracket.layout(), bracket.dataSource(), QDate(2026, 12, 10));
    QCOMPARE(pages.pageCount(), 3);
    QVERIFY(pages.setup().landscape);
    const QString pdf = f.folder.filePath(QStringLiteral("bracket.pdf"));
    PARLOG_VERIFY_OK(report::writePdf(pages, pdf));
    if (const QString keep = qEnvironmentVariable("PARLOG_KEEP_BRACKET"); !keep.isEmpty())
        QFile::copy(pdf, keep);
    const QString first = pageText(pdf, 1);
    const QString second = pageText(pdf, 2);
    for (const QString& name : std::as_const(names))
        QVERIFY2(first.count(name) + second.count(name) >= 1, qPrintable(name));
    QVERIFY(first.contains(QStringLiteral("Player 64")) &&
            second.contains(QStringLiteral("Player 63")));
    const QString last = pageText(pdf, 3);
    QVERIFY(first.contains(QStringLiteral("Semi-finals")) &&
            last.contains(QStringLiteral("Final")) && last.contains(QStringLiteral("Winner")));
    // pdftotext runs "6 & 5" together; the words are the same.
    QVERIFY(last.contains(a) && QString(last).remove(u' ').contains(QStringLiteral("6&5")));
}

PARLOG_TEST(TestDrawWindow)
#include "tst_drawwindow.moc"
