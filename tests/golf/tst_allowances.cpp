#include "golf/allowances.h"
#include "golf/rules.h"
#include "golf/whs.h"

#include "testmain.h"

#include <QTest>

using namespace parlog::golf;
namespace whs = parlog::whs;

// Each expected value is worked by hand from the allowance table, in the row's comment.
class TestAllowances : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playingHandicapsByFormat_data();
    void playingHandicapsByFormat();
    void mixedTees();
    void nineHoles();
};

namespace {

// The tee of every row: slope 125, Course Rating less par -1.4, so that
// CH = index x 125 / 113 - 1.4:
//   3.2: 400/113 - 1.4 = 3.539823 - 1.4 = 2.139823
//  17.8: 2225/113 - 1.4 = 19.690265 - 1.4 = 18.290265
//  25.0: 3125/113 - 1.4 = 27.654867 - 1.4 = 26.254867
//  +2.0: -250/113 - 1.4 = -2.212389 - 1.4 = -3.612389
double ch(double index)
{
    return whs::courseHandicap(index, 125, 70.6, 72);
}

} // namespace

void TestAllowances::playingHandicapsByFormat_data()
{
    QTest::addColumn<TeamFormat>("format");
    QTest::addColumn<Play>("play");
    QTest::addColumn<QList<double>>("courseHandicaps");
    QTest::addColumn<QList<int>>("expected");
    const QList<double> pair{ch(3.2), ch(17.8)};
    const QList<double> four{ch(3.2), ch(17.8), ch(25.0), ch(-2.0)};

    // Individual 95%: 2.139823 x .95 = 2.0328 -> 2; 18.290265 x .95 = 17.3758 -> 17.
    QTest::newRow("individual") << TeamFormat::Individual << Play::StrokePlay << pair
                                << QList<int>{2, 17};
    // Singles match 100%: 2.14 -> 2, 18.29 -> 18.
    QTest::newRow("singles match")
        << TeamFormat::Individual << Play::MatchPlay << pair << QList<int>{2, 18};
    // Four-ball Stableford 85%: 1.8189 -> 2; 15.5467 -> 16.
    QTest::newRow("four-ball Stableford")
        << TeamFormat::FourBall << Play::Stableford << pair << QList<int>{2, 16};
    // Four-ball par/bogey 90%: 1.9258 -> 2; 16.4612 -> 16.
    QTest::newRow("four-ball par/bogey")
        << TeamFormat::FourBall << Play::ParBogey << pair << QList<int>{2, 16};
    // Foursomes 50% of the sum: (2.139823 + 18.290265) / 2 = 10.2150 -> 10.
    QTest::newRow("foursomes") << TeamFormat::Foursomes << Play::StrokePlay << pair
                               << QList<int>{10};
    // Greensomes 60% of the lower + 40% of the higher:
    // (0.6 x 400 + 0.4 x 2225) / 113 - 1.4 = 1130/113 - 1.4 = 8.6 -> 9.
    QTest::newRow("greensomes") << TeamFormat::Greensomes << Play::Stableford << pair
                                << QList<int>{9};
    // Chapman the same, whatever order the players are given in: 9.
    QTest::newRow("Chapman") << TeamFormat::Chapman << Play::StrokePlay
                             << QList<double>{ch(17.8), ch(3.2)} << QList<int>{9};
    // Scramble of two, 35% / 15%: (140 + 333.75) / 113 - 0.5 x 1.4 = 4.1925 - 0.7
    // = 3.4925 -> 3.
    QTest::newRow("scramble 2") << TeamFormat::Scramble2 << Play::StrokePlay << pair
                                << QList<int>{3};
    // Scramble of three, 30 / 20 / 10%: (120 + 445 + 312.5) / 113 - 0.6 x 1.4
    // = 7.7655 - 0.84 = 6.9255 -> 7.
    QTest::newRow("scramble 3") << TeamFormat::Scramble3 << Play::StrokePlay
                                << QList<double>{ch(25.0), ch(3.2), ch(17.8)} << QList<int>{7};
    // Scramble of four, 25 / 20 / 15 / 10% from the lowest, the plus man first:
    // (-62.5 + 80 + 333.75 + 312.5) / 113 - 0.7 x 1.4 = 5.8739 - 0.98 = 4.8939 -> 5.
    QTest::newRow("scramble 4") << TeamFormat::Scramble4 << Play::StrokePlay << four
                                << QList<int>{5};
    // Best 1 of 4, 75%: 1.6049 -> 2; 13.7177 -> 14; 19.6912 -> 20; -2.7093 -> -3.
    QTest::newRow("best 1 of 4") << TeamFormat::BestOneOfFour << Play::Stableford << four
                                 << QList<int>{2, 14, 20, -3};
    // Best 2 of 4 par/bogey, 80%: 1.7119 -> 2; 14.6322 -> 15; 21.0039 -> 21; -2.8899 -> -3.
    QTest::newRow("best 2 of 4 par/bogey")
        << TeamFormat::BestTwoOfFour << Play::ParBogey << four << QList<int>{2, 15, 21, -3};
    // Best 2 of 4 stroke play, 85%: 1.8189 -> 2; 15.5467 -> 16; 22.3166 -> 22; -3.0705 -> -3.
    QTest::newRow("best 2 of 4") << TeamFormat::BestTwoOfFour << Play::StrokePlay << four
                                 << QList<int>{2, 16, 22, -3};
    // Best 3 of 4 par/bogey, 90%: 1.9258 -> 2; 16.4612 -> 16; 23.6294 -> 24; -3.2512 -> -3.
    QTest::newRow("best 3 of 4 par/bogey")
        << TeamFormat::BestThreeOfFour << Play::ParBogey << four << QList<int>{2, 16, 24, -3};
    // All 4 of 4, 100%: 2.14 -> 2; 18.29 -> 18; 26.25 -> 26; -3.61 -> -4.
    QTest::newRow("all 4 of 4") << TeamFormat::AllFourOfFour << Play::Stableford << four
                                << QList<int>{2, 18, 26, -4};
    // A plus handicap shrinks toward zero: +2.0 at 85% is +1.7, played off +2.
    QTest::newRow("plus at 85%") << TeamFormat::FourBall << Play::StrokePlay << QList<double>{-2.0}
                                 << QList<int>{-2};

    // Halves go up, though 0.95, 0.85 and 0.35 lie a hair below themselves in binary:
    // 10 x .95 = 9.5 -> 10; 10 x .85 = 8.5 -> 9; -10 x .95 = -9.5 -> -9.
    QTest::newRow("half, 95%") << TeamFormat::Individual << Play::StrokePlay
                               << QList<double>{10.0, -10.0} << QList<int>{10, -9};
    QTest::newRow("half, 85%") << TeamFormat::FourBall << Play::StrokePlay << QList<double>{10.0}
                               << QList<int>{9};
    // Foursomes (10 + 7) / 2 = 8.5 -> 9; a plus side (-2 + -1) / 2 = -1.5 -> -1.
    QTest::newRow("half in a sum")
        << TeamFormat::Foursomes << Play::StrokePlay << QList<double>{10.0, 7.0} << QList<int>{9};
    QTest::newRow("plus side's half")
        << TeamFormat::Foursomes << Play::MatchPlay << QList<double>{-2.0, -1.0} << QList<int>{-1};
    // Greensomes 0.6 x 12.5 + 0.4 x 20 = 7.5 + 8 = 15.5 -> 16; scramble, the lower
    // first: 0.35 x 10 + 0.15 x 20 = 3.5 + 3 = 6.5 -> 7.
    QTest::newRow("greensomes half") << TeamFormat::Greensomes << Play::StrokePlay
                                     << QList<double>{20.0, 12.5} << QList<int>{16};
    QTest::newRow("scramble half")
        << TeamFormat::Scramble2 << Play::StrokePlay << QList<double>{20.0, 10.0} << QList<int>{7};
    // A one-ball side short of its players has no handicap.
    QTest::newRow("short side") << TeamFormat::Scramble4 << Play::StrokePlay << pair
                                << QList<int>{};
}

void TestAllowances::playingHandicapsByFormat()
{
    QFETCH(TeamFormat, format);
    QFETCH(Play, play);
    QFETCH(QList<double>, courseHandicaps);
    QFETCH(QList<int>, expected);
    QCOMPARE(playingHandicaps(format, play, courseHandicaps), expected);
}

void TestAllowances::mixedTees()
{
    // Rule 6.2b: the higher-par tee adds the difference in stroke play and match play;
    // Stableford and par/bogey are scored against each tee's own pars.
    QCOMPARE(mixedTeeStrokes(Play::StrokePlay, 74, 72), 2);
    QCOMPARE(mixedTeeStrokes(Play::MatchPlay, 73, 72), 1);
    QCOMPARE(mixedTeeStrokes(Play::StrokePlay, 72, 72), 0);
    QCOMPARE(mixedTeeStrokes(Play::Stableford, 74, 72), 0);
    QCOMPARE(mixedTeeStrokes(Play::ParBogey, 74, 72), 0);
    // The defaults of the table where it gives one allowance a player.
    QCOMPARE(allowance(TeamFormat::FourBall, Play::MatchPlay), 0.9);
    QCOMPARE(allowance(TeamFormat::Foursomes, Play::Stableford), 1.0);
}

void TestAllowances::nineHoles()
{
    // Index 15.2 on a nine of slope 118, rating 35.4, par 36:
    // 7.6 x 118 / 113 - 0.6 = 7.936283 - 0.6 = 7.336283.
    QCOMPARE(qRound(whs::nineHoleCourseHandicap(15.2, 118, 35.4, 36) * 1e6), 7336283);
    // Strokes over a nine by the hole's place among its stroke indexes: 4 gives one on
    // places 1-4; 10 = 9 + 1 one on each and a second on place 1; +2 gives back on
    // places 8 and 9.
    QCOMPARE(strokesReceivedOnNine(4, 4), 1);
    QCOMPARE(strokesReceivedOnNine(4, 5), 0);
    QCOMPARE(strokesReceivedOnNine(10, 1), 2);
    QCOMPARE(strokesReceivedOnNine(10, 2), 1);
    QCOMPARE(strokesReceivedOnNine(-2, 8), -1);
    QCOMPARE(strokesReceivedOnNine(-2, 7), 0);
}

PARLOG_TEST(TestAllowances)
#include "tst_allowances.moc"
