#include "competitions/knockout.h"
#include "competitions/matchdraw.h"
#include "competitions/society.h"
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
    void resultsTypedInWords_data();
    void resultsTypedInWords();
    void aKnockoutRunToItsFinal();
    void everyEntryMeetsEveryOther();
    void twoSecretariesSaveOneDraw();
    void aHoleWorkedOutNet();
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
    PARLOG_VERIFY_OK(draws::remove(**c, id->id));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM drawMatch")).toInt(), 0);
}

void TestMatches::resultsTypedInWords_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("league");
    QTest::addColumn<int>("margin"); // A's view; 99: refused
    QTest::addColumn<QString>("result");
    QTest::newRow("A, words") << "A won 3 & 2" << false << 3 << "won 3 & 2";
    QTest::newRow("by name, short") << "jon 2&1" << false << -2 << "won 2 & 1";
    QTest::newRow("dormie two won") << "1 3 & 1" << false << 3 << "won 3 & 1";
    QTest::newRow("B, up") << "B 1 up" << false << -1 << "won 1 up";
    QTest::newRow("19th") << "A at the 19th" << false << 1 << "won at the 19th";
    QTest::newRow("22nd") << "2 22nd" << false << -1 << "won at the 22nd";
    QTest::newRow("walkover") << "B w/o" << false << -1 << "walkover";
    QTest::newRow("concession") << "A by concession" << false << 1 << "won by concession";
    QTest::newRow("halved, league") << "halved" << true << 0 << "halved";
    // Refused: a knock-out is never halved; 5 & 1 and 3 up at the end come sooner; the
    // 18th is no extra hole; a name in neither side; two matching both.
    QTest::newRow("halved, knock-out") << "AS" << false << 99 << "";
    QTest::newRow("5 & 1") << "A 5 & 1" << false << 99 << "";
    QTest::newRow("3 up") << "A 3 up" << false << 99 << "";
    QTest::newRow("18th") << "A at the 18th" << false << 99 << "";
    QTest::newRow("stranger") << "Smith 3 & 2" << false << 99 << "";
    QTest::newRow("both") << "Jo 3 & 2" << false << 99 << "";
}

void TestMatches::resultsTypedInWords()
{
    QFETCH(QString, typed);
    QFETCH(bool, league);
    QFETCH(int, margin);
    QFETCH(QString, result);
    draws::Match m;
    m.a = QStringLiteral("Joan Ash");
    m.b = QStringLiteral("Jonah Birch");
    const auto outcome = matchdraw::parseResult(typed, m, league);
    QCOMPARE(outcome.ok(), margin != 99);
    if (!outcome) {
        QVERIFY(!outcome.error().isEmpty());
        return;
    }
    QCOMPARE(outcome->margin, std::optional<int>(margin));
    QCOMPARE(outcome->result, result);
    QCOMPARE(outcome->winner, margin > 0 ? m.a : margin < 0 ? m.b : QString());
}

void TestMatches::aKnockoutRunToItsFinal()
{
    // Five seeded entries: a draw of eight, byes to seeds 1-3; 4 meets 5.
    draws::Draw d;
    d.seeded = true;
    for (const char* name : {"One", "Two", "Three", "Four", "Five"})
        d.entries.append({QString::fromLatin1(name), {}});
    matchdraw::makeKnockout(d);
    QCOMPARE(matchdraw::rounds(d), 3);
    QCOMPARE(matchdraw::roundName(d, 1), QStringLiteral("Quarter-finals"));
    QCOMPARE(matchdraw::roundName(d, 3), QStringLiteral("Final"));
    const auto at = [&d](int round, int slot) -> draws::Match& {
        for (draws::Match& m : d.matches)
            if (m.round == round && m.slot == slot)
                return m;
        qFatal("no match");
    };
    // 8: 1 8 4 5 2 7 3 6: One's bye, Four v Five, Two's bye, Three's bye.
    QCOMPARE(at(1, 1).a + u'-' + at(1, 1).b, QStringLiteral("Four-Five"));
    QCOMPARE(at(2, 0).a, QStringLiteral("One"));
    QVERIFY(at(2, 0).b.isEmpty());
    QCOMPARE(at(2, 1).a + u'-' + at(2, 1).b, QStringLiteral("Two-Three"));
    // Five wins at the 19th from the holes keyed; Three withdraws: Two has a walkover.
    auto five = matchdraw::outcomeOfHoles(QString(18, u'H') + u'2', at(1, 1));
    QVERIFY(five);
    at(1, 1).margin = five->margin;
    at(1, 1).result = five->result;
    at(1, 1).winner = five->winner;
    d.entries[2].withdrawn = true;
    matchdraw::moveOn(d);
    QCOMPARE(at(2, 0).b, QStringLiteral("Five"));
    QCOMPARE(matchdraw::resultLine(at(2, 1)), QStringLiteral("Two walkover"));
    QCOMPARE(at(3, 0).b, QStringLiteral("Two"));
    // One beats Five; then the result is corrected: the final waits for its new player.
    at(2, 0).margin = 4, at(2, 0).result = QStringLiteral("won 4 & 3"), at(2, 0).winner = "One";
    matchdraw::moveOn(d);
    QCOMPARE(at(3, 0).a, QStringLiteral("One"));
    at(3, 0).margin = -1, at(3, 0).result = QStringLiteral("won 1 up"), at(3, 0).winner = "Two";
    at(2, 0).margin = -2, at(2, 0).result = QStringLiteral("won 2 & 1"), at(2, 0).winner = "Five";
    matchdraw::moveOn(d);
    QCOMPARE(at(3, 0).a, QStringLiteral("Five"));
    QVERIFY(!matchdraw::decided(at(3, 0)));
    // Five's page: won at the 19th, won 2 & 1; Two's walkover counts for Two.
    const auto five2 = matchdraw::playerMatches({d}, QStringLiteral("five"));
    QCOMPARE(five2.won, 2);
    QCOMPARE(five2.lost, 0);
    const auto one = matchdraw::playerMatches({d}, QStringLiteral("One"));
    QCOMPARE(one.lost, 1);
    QCOMPARE(one.matches.first().outcome, QStringLiteral("lost 2 & 1"));
}

void TestMatches::everyEntryMeetsEveryOther()
{
    for (int n : {6, 5}) {
        draws::Draw d;
        for (int i = 0; i < n; ++i)
            d.entries.append({QStringLiteral("E%1").arg(i), {}});
        matchdraw::makeLeague(d);
        QCOMPARE(d.matches.size(), qsizetype(n * (n - 1) / 2));
        QSet<QString> pairs;
        QHash<int, QSet<QString>> inRound;
        for (const draws::Match& m : std::as_const(d.matches)) {
            pairs.insert(std::min(m.a, m.b) + std::max(m.a, m.b));
            // Nobody twice in one round.
            QVERIFY(!inRound[m.round].contains(m.a) && !inRound[m.round].contains(m.b));
            inRound[m.round] << m.a << m.b;
        }
        QCOMPARE(pairs.size(), qsizetype(n * (n - 1) / 2));
        QCOMPARE(matchdraw::rounds(d), n % 2 ? n : n - 1);
    }
}

void TestMatches::twoSecretariesSaveOneDraw()
{
    test::Fixture f;
    Society society(f.app->registerInUse());
    draws::Draw d;
    d.name = QStringLiteral("Singles");
    d.entries = {{QStringLiteral("Ann"), {}}, {QStringLiteral("Bob"), {}}};
    matchdraw::makeKnockout(d);
    const auto first = society.keepDraw(d, std::nullopt);
    PARLOG_VERIFY_OK(first);
    // A second new draw of that name is refused, not a twin.
    QVERIFY(!society.keepDraw(d, std::nullopt));
    const auto mine = society.draw(QStringLiteral("Singles"));
    const auto theirs = society.draw(QStringLiteral("Singles"));
    PARLOG_VERIFY_OK(mine);
    PARLOG_VERIFY_OK(theirs);
    draws::Draw changed = **theirs;
    changed.matches[0].result = QStringLiteral("walkover");
    changed.matches[0].winner = QStringLiteral("Ann");
    changed.matches[0].margin = 1;
    QCOMPARE(society.keepDraw(changed, **theirs)->outcome, Saved::Outcome::Stored);
    draws::Draw late = **mine;
    late.matches[0].playBy = QStringLiteral("2026-07-01");
    QCOMPARE(society.keepDraw(late, **mine)->outcome, Saved::Outcome::ChangedMeanwhile);
    PARLOG_VERIFY_OK(society.removeDraw(first->id));
    QCOMPARE(society.keepDraw(changed, changed)->outcome, Saved::Outcome::Gone);
    QCOMPARE(f.value(QStringLiteral("SELECT result FROM drawMatch")), QVariant());
}

void TestMatches::aHoleWorkedOutNet()
{
    // Four-ball at 90% from unrounded Course Handicaps 10, 15 (side A) and 20, 4 (side
    // B), B on a tee of par one more: 9, 13.5 -> 14, then 18 + 1 = 19, 3.6 -> 4, + 1 = 5;
    // the lowest (5) off 0: 4, 9, 14, 0.
    const QList<int> strokes =
        matchdraw::ballStrokes(golf::TeamFormat::FourBall, {{10.0, 15.0}, {20.0, 4.0}}, {0, 1});
    QCOMPARE(strokes, (QList<int>{4, 9, 14, 0}));
    // Foursomes: (10 + 15) / 2 = 12.5 -> 13 against (20 + 4) / 2 = 12: A receives 1.
    QCOMPARE(
        matchdraw::ballStrokes(golf::TeamFormat::Foursomes, {{10.0, 15.0}, {20.0, 4.0}}, {0, 0}),
        (QList<int>{1, 0}));
    // A side short of its players gives no strokes at all.
    QVERIFY(matchdraw::ballStrokes(golf::TeamFormat::FourBall, {{10.0}, {20.0, 4.0}}, {0, 0})
                .isEmpty());
    golf::Holes holes;
    for (int h = 0; h < 18; ++h) {
        holes.par[h] = 4;
        holes.strokeIndex[h] = h < 9 ? 2 * h + 1 : 2 * (h - 9) + 2; // odd out, even in
    }
    // 14 strokes: one on every hole of index 1-14; the 19th is the 1st again (index 1).
    QCOMPARE(matchdraw::strokesOnHole(14, holes, 0), 1);
    QCOMPARE(matchdraw::strokesOnHole(14, holes, 7), 0);  // index 15
    QCOMPARE(matchdraw::strokesOnHole(14, holes, 18), 1); // the 19th
    // Over nine holes, by the order of the indexes within it: 5 strokes on the five
    // lowest of 1, 3 ... 17, the holes 1 to 5.
    QCOMPARE(matchdraw::strokesOnHole(5, holes, 4, 9), 1);
    QCOMPARE(matchdraw::strokesOnHole(5, holes, 5, 9), 0);
    // A hole: A's 5 and 6 with a stroke each (4, 5), B's 5 with one (4) and 4 with none
    // (4): halved on 4; B's 3 makes it B's; nothing until each side has a ball.
    const QList<int> sides{0, 0, 1, 1};
    QCOMPARE(matchdraw::holeResult({5, 6, 5, 4}, {1, 1, 1, 0}, sides), std::optional<int>(0));
    QCOMPARE(matchdraw::holeResult({5, 6, 5, 3}, {1, 1, 1, 0}, sides), std::optional<int>(-1));
    QCOMPARE(matchdraw::holeResult({5, 0, 0, 0}, {1, 1, 1, 0}, sides), std::nullopt);
}

PARLOG_TEST(TestMatches)
#include "tst_matches.moc"
