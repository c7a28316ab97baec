#include "golf/whs.h"
#include "stats/handicaprecord.h"
#include "data/scorecard.h"

#include "testmain.h"

#include <QTest>

using namespace parlog;
using namespace parlog::whs;

namespace {

// A score a day from 1 March 2024, in the order given.
QList<Score> record(const QList<double>& differentials)
{
    QList<Score> scores;
    for (double d : differentials)
        scores.append({QDate(2024, 3, 1).addDays(int(scores.size())), d});
    return scores;
}

QList<double> repeated(double value, int times)
{
    return QList<double>(times, value);
}

} // namespace

// Each expected value is worked by hand from the rules, in the row's comment.
class TestWhs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theRuleBooksExample();
    void indexByNumberOfDifferentials_data();
    void indexByNumberOfDifferentials();
    void capsOnARisingIndex();
    void anExceptionalScoreAndTwoScoresLater();
    void neverAbove54AndPlusIndexes();
    void exceptionalByTheUnroundedDifferential_data();
    void exceptionalByTheUnroundedDifferential();
    void scoresOfOneDayAndScoresOutOfOrder();
    void aRecordFromCards();
};

void TestWhs::theRuleBooksExample()
{
    // (113 / 132) x (85 - 75.1) = 0.85606 x 9.9 = 8.475: to the nearest tenth, 8.5.
    QCOMPARE(scoreDifferential(85, 75.1, 132), 8.5);
    // 11.4 x 132 / 113 + (75.1 - 71) = 13.3168 + 4.1 = 17.4168, not rounded.
    QVERIFY(qAbs(courseHandicap(11.4, 132, 75.1, 71) - 17.4168) < 1e-4);
    // 17.4168 x 0.95 = 16.546: 17.
    QCOMPARE(playingHandicap(courseHandicap(11.4, 132, 75.1, 71), 0.95), 17);
    // (113 / 130) x (95 - 73.5) = 0.869231 x 21.5 = 18.6885: 18.7.
    QCOMPARE(scoreDifferential(95, 73.5, 130), 18.7);
    // With a PCC of +1: (113 / 130) x 20.5 = 17.819: 17.8.
    QCOMPARE(scoreDifferential(95, 73.5, 130, 1), 17.8);
    // Halves go up: (113 / 113) x (80 - 71.95) would be 8.05; 8.05 is 8.0499... in binary.
    QCOMPARE(scoreDifferential(80, 71.95, 113), 8.1);
}

void TestWhs::indexByNumberOfDifferentials_data()
{
    QTest::addColumn<QList<double>>("differentials");
    QTest::addColumn<std::optional<double>>("index");
    // Differentials of 10.0, 11.0, 12.0 ... rising, so that the lowest are the first and
    // no score is exceptional; no index had 20 differentials before the last, so no cap.
    const auto rising = [](int n) {
        QList<double> list;
        for (int i = 0; i < n; ++i)
            list << 10.0 + i;
        return list;
    };
    QTest::newRow("2: none") << rising(2) << std::optional<double>();
    // 3: the lowest, 10.0, less 2.0 = 8.0.
    QTest::newRow("3") << rising(3) << std::optional<double>(8.0);
    // 4: the lowest less 1.0 = 9.0.
    QTest::newRow("4") << rising(4) << std::optional<double>(9.0);
    // 5: the lowest, 10.0.
    QTest::newRow("5") << rising(5) << std::optional<double>(10.0);
    // 6: (10 + 11) / 2 = 10.5, less 1.0 = 9.5.
    QTest::newRow("6") << rising(6) << std::optional<double>(9.5);
    // 7 and 8: (10 + 11) / 2 = 10.5.
    QTest::newRow("7") << rising(7) << std::optional<double>(10.5);
    QTest::newRow("8") << rising(8) << std::optional<double>(10.5);
    // 9 to 11: (10 + 11 + 12) / 3 = 11.0.
    QTest::newRow("9") << rising(9) << std::optional<double>(11.0);
    QTest::newRow("11") << rising(11) << std::optional<double>(11.0);
    // 12 to 14: 46 / 4 = 11.5.
    QTest::newRow("12") << rising(12) << std::optional<double>(11.5);
    QTest::newRow("14") << rising(14) << std::optional<double>(11.5);
    // 15 and 16: 60 / 5 = 12.0.
    QTest::newRow("16") << rising(16) << std::optional<double>(12.0);
    // 17 and 18: 75 / 6 = 12.5.
    QTest::newRow("17") << rising(17) << std::optional<double>(12.5);
    // 19: 91 / 7 = 13.0.
    QTest::newRow("19") << rising(19) << std::optional<double>(13.0);
    // 20: 108 / 8 = 13.5.
    QTest::newRow("20") << rising(20) << std::optional<double>(13.5);
    // 21: the most recent 20 are 11.0 to 30.0: 116 / 8 = 14.5.
    QTest::newRow("21") << rising(21) << std::optional<double>(14.5);
    // A half: 7 scores, the lowest two 10.0 and 10.5: 10.25, up to 10.3.
    QTest::newRow("half up") << QList<double>{10.0, 10.5, 14, 15, 16, 17, 18}
                             << std::optional<double>(10.3);
}

void TestWhs::indexByNumberOfDifferentials()
{
    QFETCH(QList<double>, differentials);
    QFETCH(std::optional<double>, index);
    QCOMPARE(handicapIndex(record(differentials)), index);
}

void TestWhs::capsOnARisingIndex()
{
    // Twenty of 10.0: the index is 10.0, from 20 differentials, the Low from then on.
    // Then 28.0s. After score 33 the last 20 are seven 10.0s and thirteen 28.0s: the
    // lowest 8, 7 x 10 + 28 = 98, / 8 = 12.25, up to 12.3: 2.3 over the Low, no cap.
    // Score 34: 6 x 10 + 2 x 28 = 116 / 8 = 14.5: 4.5 over; the soft cap halves the 1.5
    // above 3.0: 0.75, up to 0.8: 10.0 + 3.0 + 0.8 = 13.8.
    // Score 35: 5 x 10 + 3 x 28 = 134 / 8 = 16.75, up to 16.8: 6.8 over; 3.8 halved is
    // 1.9: 14.9, within the hard cap's 5.0.
    // Score 36: 4 x 10 + 4 x 28 = 152 / 8 = 19.0: 9.0 over; soft 10 + 3 + 3 = 16.0, but
    // the hard cap stops it at 10.0 + 5.0 = 15.0.
    const QList<Step> steps = indexHistory(record(repeated(10.0, 20) + repeated(28.0, 16)));
    QCOMPARE(steps[19].index, std::optional<double>(10.0));
    QCOMPARE(steps[32].index, std::optional<double>(12.3));
    QCOMPARE(steps[32].applied, QString());
    QCOMPARE(steps[33].index, std::optional<double>(13.8));
    QCOMPARE(steps[33].applied, QStringLiteral("soft cap"));
    QCOMPARE(steps[33].low, std::optional<double>(10.0));
    QCOMPARE(steps[34].index, std::optional<double>(14.9));
    QCOMPARE(steps[35].index, std::optional<double>(15.0));
    QCOMPARE(steps[35].applied, QStringLiteral("hard cap"));
    // A Low is looked for in the 365 days before the day of the score: with 400 days
    // between the twentieth score and the rest, score 21 has none, and score 22 has the
    // 10.0 computed at score 21 (nineteen 10.0s and a 28.0: the lowest 8 are 10.0s).
    QList<Score> late = record(repeated(10.0, 20) + repeated(28.0, 16));
    for (int i = 20; i < late.size(); ++i)
        late[i].date = late[i].date.addDays(400);
    const QList<Step> after = indexHistory(late);
    QCOMPARE(after[20].low, std::optional<double>());
    QCOMPARE(after[21].low, std::optional<double>(10.0));
}

void TestWhs::anExceptionalScoreAndTwoScoresLater()
{
    // Twenty of 20.0: index 20.0. Score 21 is 12.5, 7.5 below it: 1.0 comes off each of
    // the last 20 (scores 2 to 21), so nineteen 19.0s and 11.5: 11.5 + 7 x 19.0 = 144.5,
    // / 8 = 18.06: 18.1.
    QList<double> d = repeated(20.0, 20) << 12.5 << 20.0 << 20.0;
    QList<Step> steps = indexHistory(record(d));
    QCOMPARE(steps[20].index, std::optional<double>(18.1));
    QCOMPARE(steps[20].applied, QStringLiteral("exceptional score: -1.0 on the last 20"));
    // Two scores later the reductions stay with the scores that had them: the last 20
    // are scores 4 to 23, seventeen 19.0s, 11.5 and two 20.0s: still 18.1.
    QCOMPARE(steps[22].index, std::optional<double>(18.1));
    QCOMPARE(steps[1].reduction, 1.0);
    QCOMPARE(steps[0].reduction, 0.0);
    QCOMPARE(steps[21].reduction, 0.0);
    QCOMPARE(steps[20].differential, 11.5);
    QVERIFY(steps[20].counted);
    QVERIFY(!steps[21].counted);
    // 10.0 below takes 2.0: 20.0 then 10.0; 9.9 below only 1.0.
    d = repeated(20.0, 20) << 10.0;
    QCOMPARE(indexHistory(record(d)).last().reduction, 2.0);
    d = repeated(20.0, 20) << 10.1;
    QCOMPARE(indexHistory(record(d)).last().reduction, 1.0);
    // 6.9 below: nothing.
    d = repeated(20.0, 20) << 13.1;
    QCOMPARE(indexHistory(record(d)).last().reduction, 0.0);
}

void TestWhs::neverAbove54AndPlusIndexes()
{
    // Three of 60.0: 60.0 - 2.0 = 58.0, kept to 54.0.
    QCOMPARE(handicapIndex(record({60, 61, 62})), std::optional<double>(54.0));
    // Five scores, the lowest -1.2: a plus index, shown +1.2.
    const auto plus = handicapIndex(record({-1.2, 0.5, 1.0, 2.0, 3.0}));
    QCOMPARE(plus, std::optional<double>(-1.2));
    QCOMPARE(showIndex(*plus), QStringLiteral("+1.2"));
    QCOMPARE(readIndex(QStringLiteral("+1.2")), std::optional<double>(-1.2));
    // (-1.5 + -1.0) / 2 = -1.25: halves go up, to -1.2.
    QCOMPARE(handicapIndex(record({-1.5, -1.0, 2, 3, 4, 5, 6})), std::optional<double>(-1.2));
}

void TestWhs::exceptionalByTheUnroundedDifferential_data()
{
    // Twenty of 14.0 make an index of 14.0; the 21st is judged by its differential
    // before rounding: 7.0 or more below the index takes 1.0 off, 10.0 or more 2.0.
    QTest::addColumn<double>("rounded");
    QTest::addColumn<double>("unrounded");
    QTest::addColumn<double>("reduction");
    // 14.0 - 7.006 = 6.994: not 7.0 below, although 7.0 is.
    QTest::newRow("7.006") << 7.0 << 7.006 << 0.0;
    // 14.0 - 7.0 = 7.0 exactly: the half counts.
    QTest::newRow("7.0") << 7.0 << 7.0 << 1.0;
    // 14.0 - 6.96 = 7.04, although 7.0 is not 7.04 below: 1.0.
    QTest::newRow("6.96") << 7.0 << 6.96 << 1.0;
    // 14.0 - 4.0001 = 9.9999: 1.0; 14.0 - 4.0 = 10.0: 2.0.
    QTest::newRow("4.0001") << 4.0 << 4.0001 << 1.0;
    QTest::newRow("4.0") << 4.0 << 4.0 << 2.0;
    // 113 / 131 x (79 - 71.0) = 6.9008, shown 6.9: 14.0 - 6.9008 = 7.0992 below, 1.0.
    QTest::newRow("slope 131") << 6.9 << unroundedDifferential(79, 71.0, 131) << 1.0;
}

void TestWhs::exceptionalByTheUnroundedDifferential()
{
    QFETCH(double, rounded);
    QFETCH(double, unrounded);
    QFETCH(double, reduction);
    QList<Score> scores = record(repeated(14.0, 20));
    scores.append({QDate(2024, 4, 1), rounded, unrounded});
    QCOMPARE(indexHistory(scores).last().reduction, reduction);
}

void TestWhs::scoresOfOneDayAndScoresOutOfOrder()
{
    // Twenty of 20.0, an index of 20.0. Two scores on 1 April: 12.5 is 7.5 below 20.0 and
    // takes 1.0 off the last 20 (18.1 after it, as in the rule book's example above); 13.0
    // is judged against 20.0 too, the index as the day began, 7.0 below: 1.0 more.
    RecordKeeper keeper;
    for (const Score& s : record(repeated(20.0, 20)))
        keeper.add(s);
    const QDate day(2024, 4, 1);
    QCOMPARE(keeper.add({day, 12.5}).applied,
             QStringLiteral("exceptional score: -1.0 on the last 20"));
    QCOMPARE(keeper.indexOn(day), std::optional<double>(20.0));
    QCOMPARE(keeper.add({day, 13.0}).applied,
             QStringLiteral("exceptional score: -1.0 on the last 20"));
    // The next day begins from the index after both.
    QCOMPARE(keeper.indexOn(day.addDays(1)), keeper.index());

    // Twenty of 10.0 from 2 January and one of 1.0 from 1 January, handed newest first: by
    // their dates the 1.0 is the oldest of 21 and out of the most recent 20, all 10.0s:
    // 10.0.
    QList<Score> newestFirst;
    for (int i = 20; i >= 1; --i)
        newestFirst.append({QDate(2026, 1, 1).addDays(i), 10.0});
    newestFirst.append({QDate(2026, 1, 1), 1.0});
    QCOMPARE(handicapIndex(newestFirst), std::optional<double>(10.0));
}

namespace {

rounds::HandicapCard card(const QString& date, int strokes, int holes = 18,
                          std::optional<double> index = 18.0)
{
    rounds::HandicapCard c;
    c.player = QStringLiteral("Ann");
    c.date = date;
    c.course = QStringLiteral("Links");
    c.tee = QStringLiteral("Yellow");
    c.teeID = 7;
    c.courseRating = 72.0;
    c.slopeRating = 113;
    c.handicapIndex = index;
    for (int h = 0; h < holes; ++h)
        c.strokes[h] = strokes;
    return c;
}

} // namespace

void TestWhs::aRecordFromCards()
{
    // Par 4 on every hole (72), stroke indexes 1 to 18, a tee rated 72.0 / 113: each
    // differential is the adjusted gross less 72.
    Course links;
    links.name = QStringLiteral("Links");
    for (int h = 0; h < 18; ++h) {
        links.pars[h] = 4;
        links.strokeIndexes[h] = h + 1;
    }
    Tee yellow;
    yellow.id = 7;
    yellow.courseRating = 72.0;
    yellow.slopeRating = 113;
    const CourseBook courses{{QStringLiteral("links"), courses::WithTees{links, {yellow}}}};
    competitions::Settings social{QStringLiteral("Social"), QStringLiteral("2025-05-02")};
    social.countsForHandicap = false;
    const competitions::Book book{{social.date, {social}}};

    QList<rounds::HandicapCard> cards;
    // Off 18.0: course handicap 18 x 113 / 113 + (72 - 72) = 18, a stroke a hole, net
    // double bogey 4 + 2 + 1 = 7. Fives with a 12 on the 1st: 17 x 5 + 7 = 92, 20.0.
    cards << card(QStringLiteral("2025-05-01"), 5);
    cards.last().strokes[0] = 12;
    cards << card(QStringLiteral("2025-05-02"), 5);
    cards.last().competition = QStringLiteral("social"); // any case
    cards << card(QStringLiteral("2025-05-03"), 5);
    cards.last().courseRating.reset();
    cards << card(QStringLiteral("2025-05-04"), 5, 9);
    cards << card(QStringLiteral("2025-05-05"), 5, 12);
    // 14 holes of 5; the 4 without a score count their net double bogey: 70 + 28 = 98.
    cards << card(QStringLiteral("2025-05-06"), 5, 14);
    // Fours: 72, 0.0. Three differentials: the lowest less 2.0, -2.0, a plus index.
    cards << card(QStringLiteral("2025-05-07"), 4);
    // Ratings no tee can have, stored by another program: a slope of 0 (a division by
    // nought), and a course rating of 92.1 on a par of 72 (20.1 over). Neither counts.
    cards << card(QStringLiteral("2025-05-08"), 4);
    cards.last().slopeRating = 0;
    cards << card(QStringLiteral("2025-05-09"), 4);
    cards.last().courseRating = 92.1;
    const HandicapRecord r = handicapRecord(cards, courses, book);

    const QList<std::optional<int>> adjusted{92, {}, {}, {}, {}, 98, 72, {}, {}};
    const QStringList why{QString(),
                          QStringLiteral("not a handicap competition"),
                          QStringLiteral("no rated tee"),
                          QStringLiteral("9 holes: not counted yet"),
                          QStringLiteral("fewer than 14 holes"),
                          QString(),
                          QString(),
                          QStringLiteral("no rated tee"),
                          QStringLiteral("no rated tee")};
    const QList<std::optional<double>> differential{20.0, {}, {}, {}, {}, 26.0, 0.0, {}, {}};
    QCOMPARE(r.lines.size(), 9);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(r.lines[i].adjustedGross, adjusted[i]);
        QCOMPARE(r.lines[i].notCounting, why[i]);
        QCOMPARE(r.lines[i].differential, differential[i]);
        QCOMPARE(r.lines[i].counted, i == 6);
    }
    QCOMPARE(r.scores, 3);
    QCOMPARE(r.index, std::optional<double>(-2.0));
    QCOMPARE(r.note, QStringLiteral("The lowest of the most recent 3 differentials, less 2.0."));

    // With no index anywhere, par + 5 a hole at most: tens count 9 each, 162, 90.0.
    const HandicapRecord first =
        handicapRecord({card(QStringLiteral("2025-06-01"), 10, 18, std::nullopt)}, courses, book);
    QCOMPARE(first.lines.first().adjustedGross, std::optional<int>(162));
    QCOMPARE(first.lines.first().differential, std::optional<double>(90.0));
    QCOMPARE(first.index, std::nullopt);
}

PARLOG_TEST(TestWhs)
#include "tst_whs.moc"
