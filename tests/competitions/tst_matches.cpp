#include "competitions/knockout.h"
#include "data/draws.h"
#include "data/registerinuse.h"
#include "competitions/league.h"

#include "testmain.h"
#include "testsupport.h"

#include <QTest>

using namespace parlog;

class TestMatches : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sixEntriesDownToTheirOwnMatch();
    void aDrawWithByesForTheTopSeeds();
    void aDrawKeptAsItWasTyped();
};

void TestMatches::sixEntriesDownToTheirOwnMatch()
{
    // Fifteen matches, each margin from the first named's view:
    //   A: beat C 1, F 2, B 2, D 1, halved with E: won 4, halved 1, 9 points, +6.
    //   B: halved with C, lost to F 1 and A 2, beat D 1 and E 3: 2-1-2, 5 points, +1.
    //   C: lost to A 1, halved with B, lost to D 2, beat E 1 and F 2: 2-1-2, 5 points, 0.
    //   F: lost to A 2, beat B 1, lost to C 2, beat D 3, halved with E: 2-1-2, 5, 0.
    //   E: halved with A and F, lost to C 1 and B 3, beat D 2: 1-2-2, 4 points.
    //   D: beat C 2, lost to the others: 2 points.
    // B, C and F have 5 points and 2 wins each; B has the most holes up. C and F are level
    // on holes too (0): C beat F, so C is third.
    const QList<league::Match> matches{{"A", "C", 1}, {"A", "F", 2},  {"A", "B", 2}, {"A", "D", 1},
                                       {"A", "E", 0}, {"B", "C", 0},  {"F", "B", 1}, {"B", "D", 1},
                                       {"B", "E", 3}, {"C", "D", -2}, {"C", "E", 1}, {"C", "F", 2},
                                       {"F", "D", 3}, {"E", "F", 0},  {"D", "E", -2}};
    const auto lines = league::table({"A", "B", "C", "D", "E", "F"}, matches);
    QStringList shown;
    for (const league::Line& l : lines)
        shown << QStringLiteral("%1 %2 %3-%4-%5 %6 %7")
                     .arg(l.position, l.entry)
                     .arg(l.won)
                     .arg(l.halved)
                     .arg(l.lost)
                     .arg(l.points)
                     .arg(l.holesUp);
    QCOMPARE(shown, (QStringList{"1 A 4-1-0 9 6", "2 B 2-1-2 5 1", "3 C 2-1-2 5 0", "4 F 2-1-2 5 0",
                                 "5 E 1-2-2 4 -2", "6 D 1-0-4 2 -5"}));
    // Two level in everything, their own match halved: they share the place. A win
    // worth 3 counts so.
    const auto shared =
        league::table({"X", "Y", "Z"}, {{"X", "Y", 0}, {"X", "Z", 1}, {"Z", "Y", -1}}, {3, 1});
    QCOMPARE(shared[0].position, QStringLiteral("1="));
    QCOMPARE(shared[1].position, QStringLiteral("1="));
    QCOMPARE(shared[0].points, 4.0);
    QCOMPARE(shared[2].position, QStringLiteral("3"));
}

void TestMatches::aDrawWithByesForTheTopSeeds()
{
    // Eight places: 1 v 8, 4 v 5, 2 v 7, 3 v 6, so that 1 and 2 meet only in the final.
    QCOMPARE(knockout::seedOrder(8), (QList<int>{1, 8, 4, 5, 2, 7, 3, 6}));
    // Five entries seeded: a draw of 8, three byes, to seeds 1, 2 and 3; 4 plays 5.
    const auto five = knockout::firstRound({"S1", "S2", "S3", "S4", "S5"}, true);
    QStringList shown;
    for (const auto& p : five)
        shown << (p.bye() ? p.a + QStringLiteral(" bye") : p.a + QStringLiteral(" v ") + p.b);
    QCOMPARE(shown, (QStringList{"S1 bye", "S4 v S5", "S2 bye", "S3 bye"}));
    // Drawn: the same seed draws the same; 12 entries give 16 places, 4 byes.
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QStringLiteral("E%1").arg(i);
    const auto drawn = knockout::firstRound(twelve, false, 2026);
    QCOMPARE(drawn.size(), 8);
    QCOMPARE(std::count_if(drawn.cbegin(), drawn.cend(), [](const auto& p) { return p.bye(); }), 4);
    QCOMPARE(knockout::firstRound(twelve, false, 2026)[3].a, drawn[3].a);
}

void TestMatches::aDrawKeptAsItWasTyped()
{
    test::Fixture f;
    auto c = f.app->registerInUse().connect();
    PARLOG_VERIFY_OK(c);
    draws::Draw pairs;
    pairs.name = QStringLiteral("Fourball Trophy");
    pairs.team = golf::TeamFormat::FourBall;
    pairs.seeded = true;
    pairs.seed = 4000000000u;
    pairs.entries = {{QStringLiteral("Adams / Brown"), {"Ann Adams", "Bob Brown"}},
                     {QStringLiteral("Visitors"), {"Cal Carr", "Guest"}, true}};
    pairs.matches = {{1, 0, QStringLiteral("2026-06-30"), QStringLiteral("Adams / Brown"),
                      QStringLiteral("Visitors"), QStringLiteral("11H1"), 3,
                      QStringLiteral("won 3 & 2"), QStringLiteral("Adams / Brown")},
                     {2, 0, {}, QStringLiteral("Adams / Brown"), {}, {}, {}, {}, {}}};
    const auto id = draws::save(**c, pairs);
    PARLOG_VERIFY_OK(id);
    const auto read = draws::named(**c, QStringLiteral("fourball trophy"));
    PARLOG_VERIFY_OK(read);
    QVERIFY(read->has_value());
    const draws::Draw& back = **read;
    QCOMPARE(back.team, golf::TeamFormat::FourBall);
    QCOMPARE(back.seed, 4000000000u);
    QCOMPARE(back.entries[1].players, (QStringList{"Cal Carr", "Guest"}));
    QVERIFY(back.entries[1].withdrawn);
    QCOMPARE(back.matches[0].margin, std::optional<int>(3));
    QCOMPARE(back.matches[0].result, QStringLiteral("won 3 & 2"));
    QVERIFY(!back.matches[1].margin);
    QVERIFY(back.matches[1].b.isEmpty());
    // Saved again with a result changed: one draw, its matches replaced.
    draws::Draw again = back;
    again.matches[1].result = QStringLiteral("walkover");
    PARLOG_VERIFY_OK(draws::save(**c, again));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM draw")).toInt(), 1);
    QCOMPARE(f.value(QStringLiteral("SELECT result FROM drawMatch WHERE round = 2")).toString(),
             QStringLiteral("walkover"));
    PARLOG_VERIFY_OK(draws::remove(**c, *id));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM drawMatch")).toInt(), 0);
}

PARLOG_TEST(TestMatches)
#include "tst_matches.moc"
