#include "golf/allowances.h"
#include "golf/matchplay.h"

#include "testmain.h"

#include <QTest>

using namespace parlog::golf;

// Each expected value is worked by hand from the rules, in the row's comment.
class TestMatchPlay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strokesGiven_data();
    void strokesGiven();
    void everyWayAMatchEnds_data();
    void everyWayAMatchEnds();
    void byesUpToAPowerOfTwo();
};

void TestMatchPlay::strokesGiven_data()
{
    QTest::addColumn<TeamFormat>("format");
    QTest::addColumn<QList<double>>("courseHandicaps");
    QTest::addColumn<QList<int>>("teeParsOver"); // each side's tee par over the lowest
    QTest::addColumn<QList<int>>("strokes");
    // Singles at 100%: a +2 against a 10: -2 and 10, the lower plays off 0, the other
    // receives 10 - (-2) = 12.
    QTest::newRow("singles, plus") << TeamFormat::Individual << QList<double>{-2.0, 10.0}
                                   << QList<int>{0, 0} << QList<int>{0, 12};
    // Four-ball at 90%: 10 -> 9, 15 -> 13.5 -> 14, 20 -> 18, 4 -> 3.6 -> 4; the lowest 4
    // plays off 0: 5, 10, 14, 0.
    QTest::newRow("four-ball") << TeamFormat::FourBall << QList<double>{10.0, 15.0, 20.0, 4.0}
                               << QList<int>{0, 0, 0, 0} << QList<int>{5, 10, 14, 0};
    // Foursomes, 50% of each side's sum: (10 + 15) / 2 = 12.5 -> 13 against (20 + 4) / 2
    // = 12: the first side receives 1.
    QTest::newRow("foursomes") << TeamFormat::Foursomes << QList<double>{10.0, 15.0, 20.0, 4.0}
                               << QList<int>{0, 0} << QList<int>{1, 0};
    // Mixed tees: the 10 on a tee of par 74 adds 74 - 72 = 2 before the difference:
    // 12 against 8: 4 and 0.
    QTest::newRow("mixed tees") << TeamFormat::Individual << QList<double>{10.0, 8.0}
                                << QList<int>{2, 0} << QList<int>{4, 0};
    // A plus man on the par-72 tee, a 10 on par 73 adding 1: -2 against 11: 0 and 13.
    QTest::newRow("plus, mixed tees") << TeamFormat::Individual << QList<double>{-2.0, 10.0}
                                      << QList<int>{0, 1} << QList<int>{0, 13};
}

void TestMatchPlay::strokesGiven()
{
    QFETCH(TeamFormat, format);
    QFETCH(QList<double>, courseHandicaps);
    QFETCH(QList<int>, teeParsOver);
    QFETCH(QList<int>, strokes);
    QList<int> playing;
    if (oneBall(format)) {
        // Each side of two from the Course Handicaps in turn.
        for (qsizetype i = 0; i + 1 < courseHandicaps.size(); i += 2)
            playing += playingHandicaps(format, Play::MatchPlay, courseHandicaps.mid(i, 2));
    } else {
        playing = playingHandicaps(format, Play::MatchPlay, courseHandicaps);
    }
    for (qsizetype i = 0; i < playing.size(); ++i)
        playing[i] += mixedTeeStrokes(Play::MatchPlay, 72 + teeParsOver[i], 72);
    QCOMPARE(matchStrokes(playing), strokes);
}

void TestMatchPlay::everyWayAMatchEnds_data()
{
    QTest::addColumn<QList<int>>("results");
    QTest::addColumn<int>("holes");
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("played");
    QTest::addColumn<bool>("decided");
    const auto halves = [](int n) { return QList<int>(n, 0); };
    QTest::newRow("not begun") << QList<int>{} << 18 << "All square" << 0 << false;
    // A wins the 1st, B the 2nd: level.
    QTest::newRow("level") << QList<int>{1, -1} << 18 << "All square" << 2 << false;
    // B wins the first two: B 2 up.
    QTest::newRow("2 up, B") << QList<int>{-1, -1} << 18 << "2 up" << 2 << false;
    // A wins 1-3, then twelve halves: 3 up after 15, three to play: dormie 3.
    QTest::newRow("dormie") << QList<int>{1, 1, 1} + halves(12) << 18 << "Dormie 3" << 15 << false;
    // One more half: 3 up with 2 to play: won 3 & 2 at the 16th.
    QTest::newRow("3 & 2") << QList<int>{1, 1, 1} + halves(13) << 18 << "won 3 & 2" << 16 << true;
    // Seventeen halves, A wins the 18th: won 1 up.
    QTest::newRow("1 up") << halves(17) + QList<int>{1} << 18 << "won 1 up" << 18 << true;
    // Level after 18, A wins the 1st again, the 19th.
    QTest::newRow("19th") << halves(18) + QList<int>{1} << 18 << "won at the 19th" << 19 << true;
    // Level after 18 and three more halves, B wins the 22nd.
    QTest::newRow("22nd") << halves(21) + QList<int>{-1} << 18 << "won at the 22nd" << 22 << true;
    // Ten straight: 10 up with 8 to play ends it; the holes typed after do not count.
    QTest::newRow("10 & 8") << QList<int>(12, 1) << 18 << "won 10 & 8" << 10 << true;
    // Nine holes: 3 up after 6 is dormie 3; a half at the 7th: won 3 & 2.
    QTest::newRow("nine, dormie") << QList<int>{1, 1, 1, 0, 0, 0} << 9 << "Dormie 3" << 6 << false;
    QTest::newRow("nine, 3 & 2") << QList<int>{1, 1, 1, 0, 0, 0, 0} << 9 << "won 3 & 2" << 7
                                 << true;
}

void TestMatchPlay::everyWayAMatchEnds()
{
    QFETCH(QList<int>, results);
    QFETCH(int, holes);
    QFETCH(QString, words);
    QFETCH(int, played);
    QFETCH(bool, decided);
    const MatchState state = matchState(results, holes);
    QCOMPARE(state.words, words);
    QCOMPARE(state.played, played);
    QCOMPARE(state.decided, decided);
}

void TestMatchPlay::byesUpToAPowerOfTwo()
{
    // 5 -> 8: 3 byes; 12 -> 16: 4; 17 -> 32: 15; 33 -> 64: 31; 64: none; 1 and 0: none.
    QCOMPARE(byes(5), 3);
    QCOMPARE(byes(12), 4);
    QCOMPARE(byes(17), 15);
    QCOMPARE(byes(33), 31);
    QCOMPARE(byes(64), 0);
    QCOMPARE(byes(1), 0);
    QCOMPARE(ordinal(23), QStringLiteral("23rd"));
    QCOMPARE(ordinal(111), QStringLiteral("111th"));
}

PARLOG_TEST(TestMatchPlay)
#include "tst_matchplay.moc"
