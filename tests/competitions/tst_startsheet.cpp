#include "competitions/playcards.h"
#include "competitions/startsheet.h"
#include "competitions/startsheetwindow.h"
#include "reports/paginator.h"

#include "statsseed.h"
#include "testmain.h"

#include <QLabel>
#include <QTableWidget>
#include <QTest>

using namespace parlog::startsheet;
using parlog::test::Fixture;

class TestStartSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void thirtySevenInFoursFromTwoTees();
    void aShotgunOfEighteenGroupsAndMore();
    void balancedAndTogether();
    void aSheetFromTheKeyboardKeptAndReadBack();
    void cardsPrintedBeforePlay();
};

namespace {

QList<Entry> players(int n, int from = 1)
{
    QList<Entry> list;
    for (int i = from; i < from + n; ++i)
        list.append({QStringLiteral("P%1").arg(i), {}, double(i)});
    return list;
}

// Each group as "time tee: players".
QStringList lines(const QList<Group>& groups)
{
    QStringList out;
    for (const Group& g : groups)
        out << QStringLiteral("%1 %2: %3").arg(timeText(g.time), g.tee, g.players.join(u' '));
    return out;
}

const std::array<int, 18> kPars{4, 5, 4, 3, 4, 4, 3, 5, 4, 4, 3, 4, 5, 4, 4, 3, 4, 4};

} // namespace

void TestStartSheet::thirtySevenInFoursFromTwoTees()
{
    // 37 in fours: ceil(37 / 4) = 10 groups holding 40, so 40 - 37 = 3 of them are threes,
    // the last three. From the 1st and the 10th every 9 minutes from 08:00: two groups a
    // time, 10 / 2 = 5 times, 08:00, 08:09, 08:18, 08:27, 08:36.
    Options o;
    o.start = Start::TwoTees;
    o.order = Order::AsEntered;
    QList<Group> sheet = make(players(37), o, kPars);
    QCOMPARE(lines(sheet), (QStringList{"08:00 1: P1 P2 P3 P4", "08:00 10: P5 P6 P7 P8",
                                        "08:09 1: P9 P10 P11 P12", "08:09 10: P13 P14 P15 P16",
                                        "08:18 1: P17 P18 P19 P20", "08:18 10: P21 P22 P23 P24",
                                        "08:27 1: P25 P26 P27 P28", "08:27 10: P29 P30 P31",
                                        "08:36 1: P32 P33 P34", "08:36 10: P35 P36 P37"}));
    // A withdrawal closes its gap and moves nobody's time; a group left empty goes, the
    // others keep theirs.
    QVERIFY(withdraw(sheet, QStringLiteral("P10")));
    for (const char* p : {"P29", "P30", "P31"})
        QVERIFY(withdraw(sheet, QString::fromLatin1(p)));
    QVERIFY(!withdraw(sheet, QStringLiteral("P99")));
    QCOMPARE(lines(sheet).mid(2, 1), QStringList{"08:09 1: P9 P11 P12"});
    QCOMPARE(lines(sheet).mid(6), (QStringList{"08:27 1: P25 P26 P27 P28", "08:36 1: P32 P33 P34",
                                               "08:36 10: P35 P36 P37"}));
    // By hand: a group moved up takes the place's time, a player moved goes to the next.
    QVERIFY(moveGroup(sheet, 1, -1));
    QCOMPARE(lines(sheet).first(), QStringLiteral("08:00 1: P5 P6 P7 P8"));
    QVERIFY(movePlayer(sheet, 0, 0, 1));
    QCOMPARE(lines(sheet).mid(0, 2),
             (QStringList{"08:00 1: P6 P7 P8", "08:00 10: P1 P2 P3 P4 P5"}));
    QVERIFY(!moveGroup(sheet, 0, -1));
}

void TestStartSheet::aShotgunOfEighteenGroupsAndMore()
{
    // 72 in fours: 18 groups, one to each hole at 08:30.
    Options o;
    o.start = Start::Shotgun;
    o.first = QTime(8, 30);
    o.order = Order::AsEntered;
    const QList<Group> eighteen = make(players(72), o, kPars);
    QCOMPARE(eighteen.size(), 18);
    for (int g = 0; g < 18; ++g) {
        QCOMPARE(eighteen[g].time, QTime(8, 30));
        QCOMPARE(eighteen[g].tee, QString::number(g + 1));
    }
    // 80: 20 groups; the two past 18 double up on the par 5s, the 2nd and the 8th (the
    // 13th is the next): "2A" and "2B", "8A" and "8B".
    const QList<Group> twenty = make(players(80), o, kPars);
    QStringList tees;
    for (const Group& g : twenty)
        tees << g.tee;
    QCOMPARE(tees, (QStringList{"1",  "2A", "3",  "4",  "5",  "6",  "7",  "8A", "9",  "10",
                                "11", "12", "13", "14", "15", "16", "17", "18", "2B", "8B"}));
}

void TestStartSheet::balancedAndTogether()
{
    // 16 with indexes 1 to 16 in fours, balanced: four groups, each taking one of every
    // band in turn: 1 5 9 13, 2 6 10 14 ...
    Options o;
    o.order = Order::Balanced;
    QList<Entry> field = players(16);
    std::reverse(field.begin(), field.end());
    const QList<Group> balanced = make(field, o, kPars);
    QCOMPARE(balanced.first().players, (QStringList{"P1", "P5", "P9", "P13"}));
    QCOMPARE(balanced.last().players, (QStringList{"P4", "P8", "P12", "P16"}));
    QCOMPARE(balanced[1].time, QTime(8, 9));
    // Drawn at random, two who asked to play together stay together, whatever the seed;
    // the same seed draws the same again.
    QList<Entry> entry = players(10);
    entry.append({QStringLiteral("Ann & Bob"), {QStringLiteral("Ann"), QStringLiteral("Bob")}, {}});
    o.order = Order::Random;
    for (quint32 seed : {1u, 2u, 3u, 77u}) {
        o.seed = seed;
        const QList<Group> drawn = make(entry, o, kPars);
        QCOMPARE(lines(drawn), lines(make(entry, o, kPars)));
        int together = 0;
        for (const Group& g : drawn)
            together += g.players.contains(QStringLiteral("Ann")) &&
                        g.players.contains(QStringLiteral("Bob"));
        QCOMPARE(together, 1);
    }
}

void TestStartSheet::aSheetFromTheKeyboardKeptAndReadBack()
{
    using namespace parlog::test;
    Fixture f;
    QVERIFY(addRatedCourse(f, QStringLiteral("Carne")));
    for (int i = 1; i <= 9; ++i)
        QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES (?, ?)"),
                      {QStringLiteral("P%1").arg(i), QString::number(i)}));
    QWidget* window = inFront(f, QStringLiteral("startSheet"));
    QVERIFY(window);
    QTRY_COMPARE(focusName(), QStringLiteral("competitionName"));
    QVERIFY(typeKeys(QStringLiteral("Medal")));
    press(Qt::Key_Return);
    QTRY_COMPARE(focusName(), QStringLiteral("entrant"));
    // Seven alone and two who asked to play together, in the order entered, in threes
    // from the 1st every 10 minutes from 09:00: 9 / 3 = 3 groups at 09:00, 09:10, 09:20.
    for (int i = 1; i <= 7; ++i) {
        QVERIFY(typeKeys(QStringLiteral("P%1").arg(i)));
        press(Qt::Key_Return);
    }
    QVERIFY(typeKeys(QStringLiteral("P8 & P9")));
    press(Qt::Key_Return);
    auto* s = static_cast<parlog::StartSheetWindow*>(window);
    child<QLineEdit>(window, QStringLiteral("firstTime"))->setText(QStringLiteral("09:00"));
    child<QLineEdit>(window, QStringLiteral("interval"))->setText(QStringLiteral("10"));
    QVERIFY(
        pick(child<QComboBox>(window, QStringLiteral("groupSize")), QStringLiteral("Groups of 3")));
    QVERIFY(pick(child<QComboBox>(window, QStringLiteral("order")),
                 QStringLiteral("In the order entered")));
    press(Qt::Key_M, Qt::AltModifier);
    QTRY_COMPARE(s->groups().size(), 3);
    QCOMPARE(lines(s->groups()),
             (QStringList{"09:00 1: P1 P2 P3", "09:10 1: P4 P5 P6", "09:20 1: P7 P8 P9"}));
    // By hand: P1 to the second group (Alt+Down); the second group's players to 09:00
    // (Ctrl+Up); P5 withdrawn (Delete) without moving anybody's time.
    QCOMPARE(focusName(), QStringLiteral("sheet"));
    press(Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(lines(s->groups()).mid(0, 2), (QStringList{"09:00 1: P2 P3", "09:10 1: P4 P5 P6 P1"}));
    press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(lines(s->groups()).mid(0, 2), (QStringList{"09:00 1: P4 P5 P6 P1", "09:10 1: P2 P3"}));
    auto* sheet = child<QTableWidget>(window, QStringLiteral("sheet"));
    sheet->setCurrentCell(1, 3);
    press(Qt::Key_Delete);
    QCOMPARE(lines(s->groups()),
             (QStringList{"09:00 1: P4 P6 P1", "09:10 1: P2 P3", "09:20 1: P7 P8 P9"}));
    press(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(child<QLabel>(window, QStringLiteral("status"))->text(),
                 QStringLiteral("Kept: 3 groups for Medal."));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM startPlace")).toInt(), 8);
    window->close();
    QVERIFY(!f.app->find(QStringLiteral("startSheet")));
    // Read back as kept, the pair still the entry they came in with.
    window = inFront(f, QStringLiteral("startSheet"));
    QVERIFY(typeKeys(QStringLiteral("Medal")));
    press(Qt::Key_Return);
    s = static_cast<parlog::StartSheetWindow*>(window);
    QTRY_COMPARE(s->groups().size(), 3);
    QCOMPARE(s->groups()[2].units, (QStringList{"P7", "P8 & P9", "P8 & P9"}));
    QCOMPARE(lines(s->groups()).first(), QStringLiteral("09:00 1: P4 P6 P1"));
    // Another competition opened from a sheet unchanged asks nothing; it has no sheet.
    child<QLineEdit>(window, QStringLiteral("competitionName"))->setText(QStringLiteral("Cup"));
    const auto asked = f.prompter->messages.size();
    s->openCompetition();
    QCOMPARE(f.prompter->messages.size(), asked);
    QVERIFY(s->groups().isEmpty());
}

void TestStartSheet::cardsPrintedBeforePlay()
{
    // A tee rated 72.0 / 113, par 4s, stroke index h on hole h: a Course Handicap is the
    // index itself. At 95%: +2.0 -> -1.9 -> -2, two strokes given back on the two hardest
    // indexes to score, 17 and 18; 38.0 -> 36.1 -> 36, two strokes on every hole.
    parlog::field::RatedTee tee{QStringLiteral("Carne: Yellow"), {72.0, 113, 72}, {}, {}, {}};
    for (int h = 0; h < 18; ++h) {
        tee.holes.par[h] = 4;
        tee.holes.strokeIndex[h] = h + 1;
    }
    QList<Group> sheet(1);
    sheet[0].time = QTime(9, 0);
    sheet[0].tee = QStringLiteral("10");
    sheet[0].players = QStringList{"Scratch Plus", "High Handicap", "Visitor"};
    sheet[0].units = sheet[0].players;
    const QHash<QString, double> indexes{{QStringLiteral("scratch plus"), -2.0},
                                         {QStringLiteral("high handicap"), 38.0}};
    parlog::competitions::Settings medal{QStringLiteral("Medal"), QStringLiteral("2026-06-01")};
    const QList<parlog::playcards::Card> cards =
        parlog::playcards::cardsOf(sheet, indexes, medal, tee);
    QCOMPARE(cards.size(), 3);
    QCOMPARE(cards[0].index + u' ' + cards[0].courseHandicap + u' ' + cards[0].playing,
             QStringLiteral("+2.0 +2.0 +2"));
    QCOMPARE(cards[0].dots[15], QString());
    QCOMPARE(cards[0].dots[16] + cards[0].dots[17], QStringLiteral("++"));
    QCOMPARE(cards[1].playing, QStringLiteral("36"));
    for (const QString& dots : cards[1].dots)
        QCOMPARE(dots, QStringLiteral("\u2022\u2022"));
    // No index, no strokes: the card is printed blank for them to be written in.
    QVERIFY(cards[2].playing.isEmpty() && cards[2].dots[0].isEmpty());
    QCOMPARE(cards[2].time + u' ' + cards[2].startTee, QStringLiteral("09:00 10"));
    // Two cards a landscape page: three cards, two pages.
    const parlog::report::Report printed = parlog::playcards::report(cards, medal, tee);
    parlog::report::Paginator pages(printed.layout(), printed.dataSource(), QDate(2026, 6, 1));
    QCOMPARE(pages.pageCount(), 2);
    QVERIFY(pages.setup().landscape);
}

PARLOG_TEST(TestStartSheet)
#include "tst_startsheet.moc"
