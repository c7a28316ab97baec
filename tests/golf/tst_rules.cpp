#include "golf/rules.h"

#include "testmain.h"

#include <QTest>

using namespace parlog::golf;

// Each expected value is worked by hand from the rules, in the row's comment.
class TestRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strokesReceivedByIndex_data();
    void strokesReceivedByIndex();
    void holeByHole_data();
    void holeByHole();
    void roundingHalvesGoUp_data();
    void roundingHalvesGoUp();
};

void TestRules::strokesReceivedByIndex_data()
{
    QTest::addColumn<int>("handicap");
    QTest::addColumn<QList<int>>("strokes"); // at stroke indexes 1, 9, 17 and 18
    // 0: nothing anywhere.
    QTest::newRow("0") << 0 << QList<int>{0, 0, 0, 0};
    // 9: one where the index is 1 to 9.
    QTest::newRow("9") << 9 << QList<int>{1, 1, 0, 0};
    // 18: one on every hole (18 / 18 = 1, nothing over).
    QTest::newRow("18") << 18 << QList<int>{1, 1, 1, 1};
    // 25 = 18 + 7: one everywhere, a second where the index is 1 to 7.
    QTest::newRow("25") << 25 << QList<int>{2, 1, 1, 1};
    // 36: two on every hole.
    QTest::newRow("36") << 36 << QList<int>{2, 2, 2, 2};
    // 40 = 36 + 4: two everywhere, a third where the index is 1 to 4.
    QTest::newRow("40") << 40 << QList<int>{3, 2, 2, 2};
    // 54: three on every hole.
    QTest::newRow("54") << 54 << QList<int>{3, 3, 3, 3};
    // +2: one given back on the holes of index 17 and 18.
    QTest::newRow("+2") << -2 << QList<int>{0, 0, -1, -1};
}

void TestRules::strokesReceivedByIndex()
{
    QFETCH(int, handicap);
    QFETCH(QList<int>, strokes);
    const int indexes[4] = {1, 9, 17, 18};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(strokesReceived(handicap, indexes[i]), strokes[i]);
}

void TestRules::holeByHole_data()
{
    QTest::addColumn<int>("strokes");
    QTest::addColumn<int>("par");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("parBogey");
    // A par 4 with one stroke received: the net is the strokes less one.
    // 2: net 1, three under par, an albatross: 2 + 3 = 5 points, won.
    QTest::newRow("net albatross") << 2 << 4 << 1 << 5 << 1;
    // 3: net 2, an eagle: 4 points, won.
    QTest::newRow("net eagle") << 3 << 4 << 1 << 4 << 1;
    // 4: net 3, a birdie: 3 points, won.
    QTest::newRow("net birdie") << 4 << 4 << 1 << 3 << 1;
    // 5: net 4, par: 2 points, halved.
    QTest::newRow("net par") << 5 << 4 << 1 << 2 << 0;
    // 6: net 5, a bogey: 1 point, lost.
    QTest::newRow("net bogey") << 6 << 4 << 1 << 1 << -1;
    // 7: net 6, a double bogey: nothing, lost.
    QTest::newRow("net double bogey") << 7 << 4 << 1 << 0 << -1;
    // 9: net 8, worse: nothing, lost.
    QTest::newRow("worse") << 9 << 4 << 1 << 0 << -1;
    // 0: picked up, no score: nothing, lost.
    QTest::newRow("picked up") << 0 << 4 << 1 << 0 << -1;
    // A plus handicap gives one back on a par 3: 3 strokes are net 4, a bogey: 1, lost.
    QTest::newRow("stroke given back") << 3 << 3 << -1 << 1 << -1;
    // Two strokes on a par 5: 7 strokes are net 5, par: 2, halved.
    QTest::newRow("two strokes") << 7 << 5 << 2 << 2 << 0;
}

void TestRules::holeByHole()
{
    QFETCH(int, strokes);
    QFETCH(int, par);
    QFETCH(int, received);
    QFETCH(int, points);
    QFETCH(int, parBogey);
    QCOMPARE(stablefordPoints(strokes, par, received), points);
    QCOMPARE(parBogeyResult(strokes, par, received), parBogey);
    // The most a hole counts for handicap: par + 2 + strokes received.
    QCOMPARE(netDoubleBogey(par, received), par + 2 + received);
}

void TestRules::roundingHalvesGoUp_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("rounded");
    // 10.55 is 10.5499999... in binary: a half in decimals, so up to 10.6.
    QTest::newRow("10.55") << 10.55 << 1 << 10.6;
    // -1.55: halves go toward plus infinity, to -1.5.
    QTest::newRow("-1.55") << -1.55 << 1 << -1.5;
    // 8.45 is 8.4499999... in binary: 8.5.
    QTest::newRow("8.45") << 8.45 << 1 << 8.5;
    // 1.005 is 1.00499999...: 1.01.
    QTest::newRow("1.005") << 1.005 << 2 << 1.01;
    // 17.4168 is not a half: to the nearest, 17.4.
    QTest::newRow("17.4168") << 17.4168 << 1 << 17.4;
    // Whole numbers: 16.5 up to 17, -2.5 up to -2, -0.5 up to 0.
    QTest::newRow("16.5") << 16.5 << 0 << 17.0;
    QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
    QTest::newRow("-0.5") << -0.5 << 0 << 0.0;
    // Just under a half stays down: 2.4999 to 2.
    QTest::newRow("2.4999") << 2.4999 << 0 << 2.0;
}

void TestRules::roundingHalvesGoUp()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, rounded);
    QCOMPARE(roundHalfUp(value, decimals), rounded);
    if (decimals == 0)
        QCOMPARE(roundToWhole(value), int(rounded));
}

PARLOG_TEST(TestRules)
#include "tst_rules.moc"
