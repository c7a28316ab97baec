#include "data/seasons.h"
#include "competitions/eclectic.h"
#include "competitions/eclecticwindow.h"
#include "competitions/orderofmerit.h"
#include "competitions/orderofmeritwindow.h"

#include "statsseed.h"
#include "testmain.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

using namespace parlog;
using namespace parlog::test;

namespace {

// A competition's placings as the results give them: (position, player).
QList<Placing> placings(const QList<std::pair<const char*, const char*>>& list)
{
    QList<Placing> out;
    for (const auto& [position, player] : list) {
        Placing p;
        p.position = QString::fromLatin1(position);
        p.player = QString::fromLatin1(player);
        out << p;
    }
    return out;
}

QList<MeritEvent> events(int count)
{
    QList<MeritEvent> list;
    for (int e = 0; e < count; ++e)
        list.append({QStringLiteral("Event %1").arg(e + 1),
                     QDate(2026, 4, 1).addDays(7 * e).toString(Qt::ISODate), QString(), 0, true});
    return list;
}

const MeritLine& lineOf(const OrderOfMerit& table, const char* player)
{
    for (const MeritLine& line : table.lines)
        if (line.player == QLatin1String(player))
            return line;
    static const MeritLine none;
    return none;
}

} // namespace

class TestSeasonTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tiedPlacesSharePoints();
    void bestThreeOfFive();
    void aTieInTheTotalGoesToTheBestEvent();
    void anEclecticHoleByHole();
    void aSeasonKeptAndShown();
};

void TestSeasonTables::tiedPlacesSharePoints()
{
    // 25, 18, 15, 12 ... and 2 for playing. 1st: 25 + 2 = 27. Two at 2=: places 2 and 3,
    // (18 + 15) / 2 = 16.5, + 2 = 18.5 each. 4th: 12 + 2 = 14. No return: 2 for playing.
    const QList<double> table{25, 18, 15, 12, 10, 8, 6, 4, 2, 1};
    QCOMPARE(placingPoints(placings({{"1", "A"}, {"2=", "B"}, {"2=", "C"}, {"4", "D"}, {"NR", "E"}}),
                           table, 2),
             (QList<double>{27, 18.5, 18.5, 14, 2}));
    // Three at 9=: places 9, 10 and 11, (2 + 1 + 0) / 3 = 1 each.
    QCOMPARE(placingPoints(placings({{"9=", "A"}, {"9=", "B"}, {"9=", "C"}}), table, 0),
             (QList<double>{1, 1, 1}));
    QCOMPARE(shownPoints(16.5), QStringLiteral("16.5"));
    QCOMPARE(shownPoints(59.5 / 3), QStringLiteral("19.83"));
    QCOMPARE(shownPoints(25), QStringLiteral("25"));
}

void TestSeasonTables::bestThreeOfFive()
{
    // Points by event, from the default table:
    //   A: 25, 15, 18, 25, 18  best 3: 25 + 25 + 18 (the 18 of event 3) = 68
    //   B: 18, 25, 15, 16.5, 25  best 3: 25 + 25 + 18 = 68
    //   C: 15, 18, 25, 16.5, 15  best 3: 25 + 18 + 16.5 = 59.5
    // A and B level on 68 and on every counting event (25, 25, 18): they share 1st. The
    // sixth competition, C's win, is left out and counts nowhere.
    QList<MeritEvent> season = events(6);
    season[5].counted = false;
    const QList<QList<Placing>> results{
        placings({{"1", "A"}, {"2", "B"}, {"3", "C"}}),
        placings({{"1", "B"}, {"2", "C"}, {"3", "A"}}),
        placings({{"1", "C"}, {"2", "A"}, {"3", "B"}}),
        placings({{"1", "A"}, {"2=", "B"}, {"2=", "C"}}),
        placings({{"1", "B"}, {"2", "A"}, {"3", "C"}}),
        placings({{"1", "C"}, {"2", "A"}, {"3", "B"}})};
    seasons::Season rules;
    rules.bestOf = 3;
    const OrderOfMerit table = orderOfMerit(season, results, rules);
    QCOMPARE(table.events.size(), 5);
    QCOMPARE(table.lines.size(), 3);
    QCOMPARE(lineOf(table, "A").total, 68.0);
    QCOMPARE(lineOf(table, "B").total, 68.0);
    QCOMPARE(lineOf(table, "C").total, 59.5);
    QCOMPARE(lineOf(table, "A").counting, (QList<bool>{true, false, true, true, false}));
    QCOMPARE(lineOf(table, "C").played, 5);
    QCOMPARE(table.lines[0].position, QStringLiteral("1="));
    QCOMPARE(table.lines[1].position, QStringLiteral("1="));
    QCOMPARE(table.lines[2].player, QStringLiteral("C"));
    QCOMPARE(table.lines[2].position, QStringLiteral("3"));
}

void TestSeasonTables::aTieInTheTotalGoesToTheBestEvent()
{
    // D: 1st (25) and 6th (8), 33. E: 2nd (18) and 3rd (15), 33. D's best event, 25,
    // beats E's 18: D 1st, E 2nd. P 25, Q 18, R 12, S 10 follow.
    const QList<QList<Placing>> results{
        placings({{"1", "D"}, {"2", "E"}}),
        placings({{"1", "P"}, {"2", "Q"}, {"3", "E"}, {"4", "R"}, {"5", "S"}, {"6", "D"}})};
    const OrderOfMerit table = orderOfMerit(events(2), results, seasons::Season{});
    QStringList order;
    QStringList positions;
    for (const MeritLine& line : table.lines) {
        order << line.player;
        positions << line.position;
    }
    QCOMPARE(order, (QStringList{"D", "E", "P", "Q", "R", "S"}));
    QCOMPARE(positions, (QStringList{"1", "2", "3", "4", "5", "6"}));
}

void TestSeasonTables::anEclecticHoleByHole()
{
    Rows cards{{"playerID", "strdate", "playingHandicap", "hand"}, {}};
    for (int h = 1; h <= 18; ++h)
        cards.columns << QStringLiteral("hole%1").arg(h);
    const auto add = [&cards](const char* player, const char* date, QVariant playing,
                              std::array<int, 18> strokes) {
        QVariantList row{QString::fromLatin1(player), QString::fromLatin1(date), playing, 20};
        for (int s : strokes)
            row << s;
        cards.rows << row;
    };
    // Ann: fives off 13; a 4 on the 1st off 11; the 4 again off 15. Best: 4 on the 1st
    // (first made on 1 May), fives elsewhere (1 April): out 4 + 8 x 5 = 44, in 45, 89.
    // Net at 50% of her lowest, 11: 5.5, halves up, 6: 83.
    add("Ann", "2025-04-01", 13, holes(5));
    add("Ann", "2025-05-01", 11, holes(6, {{1, 4}, {2, 5}}));
    add("Ann", "2025-06-01", 15, holes(7, {{1, 4}}));
    // Cal: fives off 14: 90, net 90 - 7 = 83, level with Ann. Bob never played the 18th.
    add("Cal", "2025-04-01", 14, holes(5));
    add("Bob", "2025-04-01", 10, holes(5, {{18, 0}}));
    const QList<EclecticLine> net = eclectic(cards, Basis::Net, 0.5);
    QCOMPARE(net.size(), 3);
    QCOMPARE(net[0].player, QStringLiteral("Ann"));
    QCOMPARE(net[0].best[0], 4);
    QCOMPARE(net[0].madeOn[0], QStringLiteral("2025-05-01"));
    QCOMPARE(net[0].madeOn[1], QStringLiteral("2025-04-01"));
    QCOMPARE((QList<int>{net[0].out, net[0].in, net[0].gross}), (QList<int>{44, 45, 89}));
    QCOMPARE(net[0].handicap, std::optional<int>(11));
    QCOMPARE(net[0].net, std::optional<int>(83));
    QCOMPARE(net[1].player, QStringLiteral("Cal"));
    QCOMPARE((QStringList{net[0].position, net[1].position, net[2].position}),
             (QStringList{"1=", "1=", "NR"}));
    const QList<EclecticLine> gross = eclectic(cards, Basis::Gross, 0.5);
    QCOMPARE((QStringList{gross[0].player, gross[1].player}), (QStringList{"Ann", "Cal"}));
    QCOMPARE((QStringList{gross[0].position, gross[1].position}), (QStringList{"1", "2"}));
    // A card with no playing handicap plays off its handicap as the card rounds it: 12.5
    // off 12, 13.5 off 14 (halves to even, as net and the results take it).
    for (const auto& [hand, off] : {std::pair{12.5, 12}, std::pair{13.5, 14}}) {
        Rows one = cards;
        one.rows = {cards.rows.first()};
        one.rows[0][2] = QVariant();
        one.rows[0][3] = hand;
        QCOMPARE(eclectic(one, Basis::Net, 1.0).first().handicap, std::optional<int>(off));
    }
}

// The secretary's way through: a season kept with a competition left out and shown
// again; the eclectic of the same cards.
void TestSeasonTables::aSeasonKeptAndShown()
{
    Fixture f;
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Adams', "
                                 "'10'), ('Brown', '10')")));
    // Two medals: Adams wins the first (net 62 to 64), Brown the second; a social day
    // Brown wins too.
    const QList<std::tuple<const char*, const char*, const char*, int>> cards{
        {"Adams", "Spring Medal", "2004-04-05", 3}, {"Brown", "Spring Medal", "2004-04-05", 4},
        {"Adams", "Summer Medal", "2004-06-07", 4}, {"Brown", "Summer Medal", "2004-06-07", 3},
        {"Adams", "Social", "2004-07-01", 5},       {"Brown", "Social", "2004-07-01", 4}};
    for (const auto& [player, comp, date, strokes] : cards) {
        SeedRound r;
        r.player = QString::fromLatin1(player);
        r.comp = QString::fromLatin1(comp);
        r.date = QString::fromLatin1(date);
        r.holes = holes(4, {{1, strokes}});
        r.hand = 10;
        QVERIFY(addRound(f, r));
    }
    Driver w(f, QStringLiteral("orderOfMerit"));
    QVERIFY(w.shown());
    auto* window = qobject_cast<OrderOfMeritWindow*>(w.window);
    QCOMPARE(w.box(QStringLiteral("seasonName"))->text(), QStringLiteral("Season 2004"));
    auto* list = child<QListWidget>(w.window, QStringLiteral("competitions"));
    QCOMPARE(list->count(), 3);
    // Nets 61 and 62, 62 and 61, 63 and 62: Brown 18 + 25 + 25 = 68, Adams 25 + 18 + 18 =
    // 61. Leaving the social day out puts them level on 43, and on their best events (25,
    // then 18): they share the place.
    QCOMPARE(window->table().lines[0].player, QStringLiteral("Brown"));
    QCOMPARE(window->table().lines[0].total, 68.0);
    list->item(2)->setCheckState(Qt::Unchecked);
    QCOMPARE(window->table().events.size(), 2);
    QCOMPARE(window->table().lines[0].total, 43.0);
    QCOMPARE(window->table().lines[0].position, QStringLiteral("1="));
    w.box(QStringLiteral("positionPoints"))->setText(QStringLiteral("10; 5"));
    child<QSpinBox>(w.window, QStringLiteral("bestOf"))->setValue(1);
    QCOMPARE(window->table().lines[0].total, 10.0);
    w.click(QStringLiteral("saveSeasonButton"));
    QCOMPARE(f.value(QStringLiteral("SELECT positionPoints || '|' || bestOf FROM season")).toString(),
             QStringLiteral("10, 5|1"));
    QCOMPARE(f.value(QStringLiteral("SELECT name FROM seasonLeftOut")).toString(),
             QStringLiteral("Social"));
    const QString csv = f.path(QStringLiteral("merit.csv"));
    QVERIFY(window->saveCsv(csv));
    QFile saved(csv);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(saved.readAll());
    QVERIFY2(text.contains(QStringLiteral("Spring Medal 2004-04-05")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("(5)")), qPrintable(text));
    w.window->close();

    // Opened again, the season is there as it was kept.
    Driver again(f, QStringLiteral("orderOfMerit"));
    QVERIFY(again.shown());
    QCOMPARE(again.combo(QStringLiteral("season"))->currentText(), QStringLiteral("Season 2004"));
    QCOMPARE(again.box(QStringLiteral("positionPoints"))->text(), QStringLiteral("10, 5"));
    QCOMPARE(child<QListWidget>(again.window, QStringLiteral("competitions"))
                 ->item(2)
                 ->checkState(),
             Qt::Unchecked);
    // Points that do not read are said, and the boxes keep them.
    again.box(QStringLiteral("positionPoints"))->setText(QStringLiteral("10, five"));
    again.click(QStringLiteral("saveSeasonButton"));
    QVERIFY(f.prompter->last().startsWith(QStringLiteral("The season was not kept.")));
    QCOMPARE(again.box(QStringLiteral("positionPoints"))->text(), QStringLiteral("10, five"));
    again.window->close();

    // The eclectic of Lahinch: the best of each hole over the three days.
    Driver e(f, QStringLiteral("eclectic"));
    QVERIFY(e.shown());
    auto* ecl = qobject_cast<EclecticWindow*>(e.window);
    QVERIFY(pick(e.combo(QStringLiteral("course")), QStringLiteral("Lahinch")));
    QCOMPARE(ecl->lines().size(), 2);
    // Each has a 3 on the 1st and fours: 71; net 71 - 5 (50% of 10) = 66, level.
    QCOMPARE(ecl->lines()[0].gross, 71);
    QCOMPARE(ecl->lines()[0].net, std::optional<int>(66));
    QCOMPARE(ecl->lines()[1].position, QStringLiteral("1="));
    auto* card = child<QTableWidget>(e.window, QStringLiteral("bestCard"));
    QCOMPARE(card->item(1, 0)->text(), QStringLiteral("3"));
    QVERIFY(!card->item(2, 0)->text().isEmpty());
}

PARLOG_TEST(TestSeasonTables)
#include "tst_seasontables.moc"
