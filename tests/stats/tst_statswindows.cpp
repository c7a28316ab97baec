#include "reports/report.h"
#include "base/reportwindow.h"
#include "stats/chartwindow.h"
#include "stats/handicaprecordwindow.h"
#include "base/windowcontexts.h"

#include "statsseed.h"
#include "testmain.h"

#include <QBarSeries>
#include <QChart>
#include <QBarCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QPushButton>

using namespace parlog;
using namespace parlog::test;

namespace {

struct Hub : Driver {
    explicit Hub(Fixture& f)
        : Driver(f, QStringLiteral("stats"))
        , combo(child<QComboBox>(window, QStringLiteral("Combo0")))
    {
    }
    void choose(const QString& player) { combo->setEditText(player); }
    ReportWindow* report(const char* name) const
    {
        return qobject_cast<ReportWindow*>(fixture.app->find(QString::fromLatin1(name)));
    }
    QComboBox* combo;
};

QStringList printed(ReportWindow* window, const QString& item)
{
    QStringList list;
    if (!window)
        return list;
    for (int p = 0; p < window->paginator().pageCount(); ++p)
        for (const auto& c : window->paginator().page(p).commands)
            if (c.item == item)
                list << c.text;
    return list;
}

const report::DrawCommand* printedAt(ReportWindow* window, const QString& item)
{
    for (const auto& c : window->paginator().page(0).commands)
        if (c.item == item)
            return &c;
    return nullptr;
}

bool seed(Fixture& f)
{
    if (!f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES "
                              "('Adams', '12.5'), ('Brown', '13.5')")))
        return false;
    SeedRound r;
    r.holes = holes(4, {{1, 3}});
    r.greens = {3};
    r.comment = QStringLiteral("low one");
    if (!addRound(f, r))
        return false;
    r.holes = holes(4, {{18, 3}});
    r.greens = {};
    r.course = QStringLiteral("Carne");
    r.comment = QStringLiteral("low two");
    if (!addRound(f, r))
        return false;
    r.holes = holes(6);
    r.comment = QStringLiteral("high");
    if (!addRound(f, r))
        return false;
    r.player = QStringLiteral("Brown");
    r.holes = holes(5);
    if (!addRound(f, r))
        return false;
    return true;
}

} // namespace

class TestStatsWindows : public QObject {
    Q_OBJECT
    // Most tests start from the seeded register with the window open.
    Seeded<Hub> m_seeded;
private Q_SLOTS:
    void init() { QVERIFY(m_seeded.start(seed)); }
    void cleanup() { m_seeded.stop(); }
    void hubListsPlayersWithRounds();
    void bestAndWorstEverRound();
    void aStatisticThatCannotRunSaysWhy();
    void possibleRoundsSetTheirLabels();
    void aPlayerWithoutRoundsPrintsEmptyTotals();
    void bestAndWorstByCourse();
    void chartsTakeTheHubsPlayer();
    void unusableFileOnLoad();
    void theHandicapRecord();
};

void TestStatsWindows::hubListsPlayersWithRounds()
{
    Fixture f;
    QVERIFY(seed(f));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername) VALUES ('Idle')")));
    Hub h(f);
    QVERIFY(h.shown());
    QCOMPARE(h.window->windowTitle(), QStringLiteral("Stats"));
    QCOMPARE(h.combo->count(), 2);
    QCOMPARE(h.combo->itemText(0), QStringLiteral("Adams"));
    QCOMPARE(h.combo->currentText(), QString());
    for (const char* name : {"Command12", "Command13", "Command19", "Command16", "Command14",
                             "Command18", "Command3", "Command4", "Command5", "Command6"})
        QVERIFY(child<QPushButton>(h.window, QString::fromLatin1(name)));
    QCOMPARE(child<QLabel>(h.window, QStringLiteral("Playername_Label"))->text(),
             QStringLiteral("View Statistics for"));
    h.click("Command6");
    QCOMPARE(f.app->find(QStringLiteral("stats")), nullptr);
}

void TestStatsWindows::bestAndWorstEverRound()
{
    Hub& h = *m_seeded.window;
    h.choose(QStringLiteral("Adams"));
    h.click("Command12");
    ReportWindow* best = h.report("DataReport7");
    QVERIFY(best);
    QCOMPARE(best->windowTitle(), QStringLiteral("Best Ever Round"));
    // Two rounds share the lowest net: two cards, each with the player and the title.
    QCOMPARE(printed(best, QStringLiteral("Comment")), (QStringList{"low one", "low two"}));
    QCOMPARE(printed(best, QStringLiteral("Label38")), (QStringList{"Adams", "Adams"}));
    QCOMPARE(printed(best, QStringLiteral("Label39")),
             (QStringList{"Best Ever Round", "Best Ever Round"}));
    // The flags print as x in the G column of their own hole only.
    QCOMPARE(printed(best, QStringLiteral("green3")), QStringList{QStringLiteral("x")});
    QCOMPARE(printed(best, QStringLiteral("green4")), QStringList());
    QCOMPARE(printedAt(best, QStringLiteral("green3"))->rect.topLeft(), QPoint(4652, 570 + 4819));
    QCOMPARE(printed(best, QStringLiteral("Detail6")).first(), QStringLiteral("5.Mar.04"));
    QCOMPARE(printed(best, QStringLiteral("CaptionNett")).first(), QStringLiteral("Nett"));
    QCOMPARE(printed(best, QStringLiteral("CaptionOut")).size(), 2);

    h.click("Command13");
    ReportWindow* worst = h.report("DataReport8");
    QVERIFY(worst && worst != best);
    QCOMPARE(printed(worst, QStringLiteral("Comment")), QStringList{QStringLiteral("high")});
    QCOMPARE(printed(worst, QStringLiteral("Label39")),
             QStringList{QStringLiteral("Worst Ever Round")});
    // Moved 567 right and down, and no "Out" caption beside the out box.
    QCOMPARE(printedAt(worst, QStringLiteral("HOLE1"))->rect.topLeft(),
             QPoint(4252 + 567, 570 + 3968 + 567));
    QCOMPARE(printed(worst, QStringLiteral("CaptionOut")), QStringList());
    QCOMPARE(printed(worst, QStringLiteral("out")), QStringList{QStringLiteral("54")});
    // The best report keeps its own rows.
    QCOMPARE(printed(best, QStringLiteral("Comment")).size(), 2);

    // A player typed that has no rounds: the report shows, empty.
    h.choose(QStringLiteral("Nobody"));
    h.click("Command12");
    QCOMPARE(printed(best, QStringLiteral("Nothing")).size(), 1);
}

void TestStatsWindows::aStatisticThatCannotRunSaysWhy()
{
    Fixture& f = *m_seeded.fixture;
    Hub& h = *m_seeded.window;
    h.choose(QStringLiteral("Adams"));
    // The rounds go from under the open hub.
    QVERIFY(f.sql(QStringLiteral("ALTER TABLE score RENAME TO gone")));
    for (const char* button : {"Command12", "Command16"}) {
        h.click(button);
        const QString name = QString::fromLatin1(button) == u"Command12"
                                 ? QStringLiteral("DataReport7")
                                 : QStringLiteral("DataReport9");
        if (name == u"DataReport9") {
            QWidget* byCourse = f.app->find(QStringLiteral("statscourse"));
            QVERIFY(byCourse);
            QTest::mouseClick(child<QPushButton>(byCourse, QStringLiteral("Command1")),
                              Qt::LeftButton);
        }
        // Said, and no report shown as if the player had no rounds.
        QCOMPARE(f.app->find(name), nullptr);
        QVERIFY2(f.prompter->last().contains(QStringLiteral("score")),
                 qPrintable(f.prompter->last()));
    }
}

void TestStatsWindows::possibleRoundsSetTheirLabels()
{
    Hub& h = *m_seeded.window;
    h.choose(QStringLiteral("Adams"));
    h.click("Command3");
    ReportWindow* card = h.report("DataReport10");
    QVERIFY(card);
    const auto label = [&](const char* name) {
        return printed(card, QString::fromLatin1(name)).value(0);
    };
    QCOMPARE(label("Label39"), QStringLiteral("Best Possible Round"));
    QCOMPARE(label("Label38"), QStringLiteral("Adams"));
    QCOMPARE(label("Labelout"), QStringLiteral("35"));
    QCOMPARE(label("Labelin"), QStringLiteral("35"));
    QCOMPARE(label("Labelgross"), QStringLiteral("70"));
    QCOMPARE(label("Labelhand"), QStringLiteral("12"));
    QCOMPARE(label("Labelnet"), QStringLiteral("58"));
    QCOMPARE(label("Text1"), QStringLiteral("3"));
    h.click("Command4");
    QCOMPARE(label("Label39"), QStringLiteral("Worst Possible Round"));
    QCOMPARE(label("Labelgross"), QStringLiteral("108"));
    h.click("Command5");
    QCOMPARE(label("Label39"), QStringLiteral("Average Round"));
    QCOMPARE(label("Text1"), QStringLiteral("4.3"));
    QCOMPARE(label("Labelout"), QStringLiteral("42")); // (35 + 36 + 54) / 3 = 41.67
    h.choose(QStringLiteral("Brown"));
    h.click("Command5");
    QCOMPARE(label("Labelhand"), QStringLiteral("14"));
    QCOMPARE(label("Labelnet"), QStringLiteral("76"));
}

void TestStatsWindows::aPlayerWithoutRoundsPrintsEmptyTotals()
{
    Fixture& f = *m_seeded.fixture;
    Hub& h = *m_seeded.window;
    h.choose(QStringLiteral("Adams"));
    h.click("Command3");
    ReportWindow* card = h.report("DataReport10");
    QCOMPARE(printed(card, QStringLiteral("Labelgross")), QStringList{QStringLiteral("70")});
    h.choose(QString());
    h.click("Command3");
    for (const char* name : {"Labelout", "Labelin", "Labelgross", "Labelhand", "Labelnet", "Text1"})
        QCOMPARE(printed(card, QString::fromLatin1(name)), QStringList());
    // Rounds but no player row: the handicap and net stay empty, not the last one's.
    SeedRound r;
    r.player = QStringLiteral("Ghost");
    QVERIFY(addRound(f, r));
    h.choose(QStringLiteral("Adams"));
    h.click("Command3");
    h.choose(QStringLiteral("Ghost"));
    h.click("Command3");
    QCOMPARE(printed(card, QStringLiteral("Labelgross")), QStringList{QStringLiteral("72")});
    QCOMPARE(printed(card, QStringLiteral("Labelhand")), QStringList());
    QCOMPARE(printed(card, QStringLiteral("Labelnet")), QStringList());
}

void TestStatsWindows::bestAndWorstByCourse()
{
    Fixture& f = *m_seeded.fixture;
    Hub& h = *m_seeded.window;
    h.choose(QStringLiteral("Adams"));
    h.click("Command16");
    QWidget* best = f.app->find(QStringLiteral("statscourse"));
    QVERIFY(best);
    QCOMPARE(best->windowTitle(), QStringLiteral("Best via Course"));
    auto* combo = child<QComboBox>(best, QStringLiteral("Combo1"));
    QCOMPARE(combo->currentText(), QStringLiteral("Choose"));
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Carne"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Lahinch"));
    // Open while it reads Choose finds nothing.
    QTest::mouseClick(child<QPushButton>(best, QStringLiteral("Command1")), Qt::LeftButton);
    ReportWindow* report = h.report("DataReport9");
    QVERIFY(report);
    QCOMPARE(printed(report, QStringLiteral("Nothing")).size(), 1);
    combo->setCurrentIndex(0);
    QTest::mouseClick(child<QPushButton>(best, QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(printed(report, QStringLiteral("Comment")), QStringList{QStringLiteral("low two")});
    QCOMPARE(printed(report, QStringLiteral("Label39")), QStringList{QStringLiteral("Best Score")});
    QCOMPARE(printed(report, QStringLiteral("Label41")), QStringList{QStringLiteral("Adams")});
    QCOMPARE(printed(report, QStringLiteral("Label38")), QStringList{QStringLiteral("Carne")});
    QCOMPARE(report->windowTitle(), QStringLiteral("Best Score by Course"));
    QCOMPARE(printedAt(report, QStringLiteral("Label38"))->rect,
             QRect(5386, 1065 + 425, 2130, 435));
    combo->setCurrentIndex(1);
    QTest::mouseClick(child<QPushButton>(best, QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(printed(report, QStringLiteral("Comment")), QStringList{QStringLiteral("low one")});
    QCOMPARE(printed(report, QStringLiteral("Label38")), QStringList{QStringLiteral("Lahinch")});

    // The window keeps the player it opened with.
    h.choose(QStringLiteral("Brown"));
    QCOMPARE(f.app->show(QStringLiteral("statscourse")), best);
    QCOMPARE(combo->count(), 2);

    h.click("Command14");
    QWidget* worst = f.app->find(QStringLiteral("statscourse1"));
    QCOMPARE(worst->windowTitle(), QStringLiteral("Worst Score by Course"));
    auto* worstCombo = child<QComboBox>(worst, QStringLiteral("Combo1"));
    QCOMPARE(worstCombo->count(), 1);
    worstCombo->setEditText(QStringLiteral("Carne"));
    QTest::mouseClick(child<QPushButton>(worst, QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(printed(report, QStringLiteral("Label39")),
             QStringList{QStringLiteral("Worst Score")});
    QCOMPARE(printed(report, QStringLiteral("Label41")), QStringList{QStringLiteral("Brown")});
}

void TestStatsWindows::chartsTakeTheHubsPlayer()
{
    Fixture& f = *m_seeded.fixture;
    Hub& h = *m_seeded.window;
    h.choose(QStringLiteral("Adams"));
    h.click("Command18");
    auto* graph = qobject_cast<ChartWindow*>(f.app->find(QStringLiteral("graph")));
    QVERIFY(graph);
    QCOMPARE(graph->windowTitle(), QStringLiteral("Graph"));
    QCOMPARE(child<QLabel>(graph, QStringLiteral("Label1"))->text(),
             QStringLiteral("Course played totals for"));
    QCOMPARE(child<QLabel>(graph, QStringLiteral("Label2"))->text(), QStringLiteral("Adams"));
    QCOMPARE(graph->series().size(), 2);
    QCOMPARE(graph->series()[0].first, QStringLiteral("Carne"));
    QCOMPARE(graph->series()[0].second, 2.0);
    auto* view = child<QChartView>(graph, QStringLiteral("MSChart1"));
    QCOMPARE(view->chart()->series().size(), 1);
    QCOMPARE(graph->barHint(0), QStringLiteral("Carne: 2 rounds"));
    // Two rounds on one day: a bar each, under one date each.
    QVERIFY(
        f.sql(QStringLiteral("UPDATE score SET strdate = '2004-03-05' WHERE playerID = 'Adams'")));
    graph->close();
    h.click("Command19");
    auto* days = qobject_cast<ChartWindow*>(f.app->find(QStringLiteral("putts")));
    QVERIFY(days);
    auto* axis = qobject_cast<QBarCategoryAxis*>(child<QChartView>(days, QStringLiteral("MSChart1"))
                                                     ->chart()
                                                     ->axes(Qt::Horizontal)
                                                     .value(0));
    QVERIFY(axis);
    QCOMPARE(axis->count(), int(days->series().size()));
    QCOMPARE(days->barHint(2), QStringLiteral("05-Mar-04: 30 putts"));
    days->close();

    h.choose(QStringLiteral("Nobody"));
    h.click("Command19");
    auto* putts = qobject_cast<ChartWindow*>(f.app->find(QStringLiteral("putts")));
    QCOMPARE(putts->windowTitle(), QStringLiteral("Putts Chart"));
    QCOMPARE(child<QLabel>(putts, QStringLiteral("Label1"))->text(),
             QStringLiteral("Round putts totals for"));
    QCOMPARE(putts->series().size(), 0);
    auto* empty = child<QChartView>(putts, QStringLiteral("MSChart1"))->chart();
    QCOMPARE(empty->series().size(), 0);
    QVERIFY(empty->title().contains(QStringLiteral("No rounds")));
    QTest::mouseClick(child<QPushButton>(putts, QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("putts")), nullptr);
}

void TestStatsWindows::unusableFileOnLoad()
{
    Fixture f;
    f.spoilDataFile(3000);
    Hub h(f);
    QVERIFY(h.shown());
    QCOMPARE(f.prompter->messages.size(), 1);
    QCOMPARE(h.combo->count(), 0);
    // Each statistic says why it cannot run; the hub stays open.
    h.click("Command12");
    QCOMPARE(f.prompter->messages.size(), 2);
    QCOMPARE(h.report("DataReport7"), nullptr);
    h.click("Command16");
    QVERIFY(f.app->find(QStringLiteral("statscourse")));
    QCOMPARE(f.prompter->messages.size(), 3);
    h.click("Command19");
    QVERIFY(f.app->find(QStringLiteral("putts")));
    QCOMPARE(f.prompter->messages.size(), 4);
    QVERIFY(f.app->find(QStringLiteral("stats")));
}

// Three cards that count and one of 9 holes, on a par-72 course whose tee is rated 72.0
// / 113, played off 18.0: each hole's net double bogey is 4 + 2 + 1 = 7, so fives stand and
// a card's differential is its gross less 72.
void TestStatsWindows::theHandicapRecord()
{
    Fixture f;
    QVERIFY(addRatedCourse(f, QStringLiteral("Links")));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Ann', '18')")));
    // 18 fives, 90: 18.0; 14 fives, 86: 14.0; 16 fives, 88: 16.0. The index: the lowest of
    // three less 2.0, 12.0. Then 9 holes, not counted.
    const QList<std::pair<const char*, std::array<int, 18>>> cards{
        {"2025-05-01", holes(5)},
        {"2025-05-02", holes(5, {{1, 4}, {2, 4}, {3, 4}, {4, 4}})},
        {"2025-05-03", holes(5, {{1, 4}, {2, 4}})},
        {"2025-05-04", holes(0, {{1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}, {9, 5}})}};
    for (const auto& [date, strokes] : cards) {
        SeedRound r;
        r.player = QStringLiteral("Ann");
        r.course = QStringLiteral("Links");
        r.date = QString::fromLatin1(date);
        r.holes = strokes;
        QVERIFY(addRound(f, r));
    }
    QVERIFY(f.sql(QStringLiteral("UPDATE score SET teeID = 1, tee = 'Yellow', courseRating = "
                                 "72.0, slopeRating = 113, handicapIndex = 18.0")));

    Driver w(f, QStringLiteral("handicapRecord"));
    QVERIFY(w.shown());
    QCOMPARE(w.combo(QStringLiteral("player"))->currentText(), QStringLiteral("Ann"));
    QCOMPARE(child<QLabel>(w.window, QStringLiteral("handicapIndex"))->text(),
             QStringLiteral("12.0"));
    QCOMPARE(child<QLabel>(w.window, QStringLiteral("lowIndex"))->text(),
             QStringLiteral("none yet"));
    QCOMPARE(child<QLabel>(w.window, QStringLiteral("note"))->text(),
             QStringLiteral("The lowest of the most recent 3 differentials, less 2.0."));
    const auto* table = child<QTableView>(w.window, QStringLiteral("differentials"))->model();
    QCOMPARE(table->rowCount(), 4);
    const auto cell = [table](int row, int column) {
        return table->index(row, column).data().toString();
    };
    // Newest first: the 9 holes, then 16.0, 14.0 (counted) and 18.0.
    QCOMPARE(cell(0, 11), QStringLiteral("9 holes: not counted yet"));
    QCOMPARE((QStringList{cell(1, 7), cell(2, 7), cell(3, 7)}),
             (QStringList{"16.0", "14.0", "18.0"}));
    QCOMPARE((QStringList{cell(1, 8), cell(2, 8), cell(3, 8)}), (QStringList{"", "Yes", ""}));
    QCOMPARE(cell(1, 3), QStringLiteral("88"));
    QCOMPARE(cell(1, 10), QStringLiteral("12.0"));
    auto* window = qobject_cast<HandicapRecordWindow*>(w.window);
    QCOMPARE(window->makeReport().parameter(QStringLiteral("index")), QStringLiteral("12.0"));
    // The one index so far is a dot in the middle of its chart, under its own day.
    QChart* chart = child<QChartView>(w.window, QStringLiteral("indexChart"))->chart();
    auto* line = qobject_cast<QLineSeries*>(chart->series().value(0));
    QVERIFY(line && line->count() == 1 && line->pointsVisible());
    auto* days = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    QVERIFY(days);
    QCOMPARE(days->min().date().addDays(15), QDate(2025, 5, 3));
    QCOMPARE(days->max().date().addDays(-15), QDate(2025, 5, 3));
    const QString csv = f.path(QStringLiteral("record.csv"));
    QVERIFY(window->saveCsv(csv));
    QFile saved(csv);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(saved.readAll()).split(QLatin1Char('\n'));
    QVERIFY2(lines.value(3).contains(QStringLiteral("14.0,Yes")), qPrintable(lines.value(3)));

    // The handicap dialog suggests it and types nothing; the player window shows it.
    QWidget* dialog = f.app->show(QStringLiteral("Handicapform"),
                                  HandicapContext{QStringLiteral("Ann"), QStringLiteral("18")});
    QCOMPARE(child<QLabel>(dialog, QStringLiteral("recordIndex"))->text(),
             QStringLiteral("Index from the record: 12.0"));
    QCOMPARE(child<QLineEdit>(dialog, QStringLiteral("Text1"))->text(), QStringLiteral("18"));
    dialog->close();
    Driver players(f, QStringLiteral("player1"));
    QVERIFY(players.shown());
    QVERIFY(pick(players.combo(QStringLiteral("Combo1")), QStringLiteral("Ann")));
    QTRY_COMPARE(child<QLabel>(players.window, QStringLiteral("recordIndex"))->text(),
                 QStringLiteral("Index from the record: 12.0"));
}

PARLOG_TEST(TestStatsWindows)
#include "tst_statswindows.moc"
