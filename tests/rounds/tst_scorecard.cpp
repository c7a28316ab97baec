#include "data/schema.h"
#include "data/scorecard.h"

#include "testmain.h"

#include <QTest>

using namespace parlog;

namespace {

CardTotals zeroCard()
{
    CardTotals card;
    for (auto& h : card.holes)
        h = QStringLiteral("0");
    card.out = card.inn = card.gross = card.net = card.handicap = QStringLiteral("0");
    return card;
}

CardTotals typicalCard(const QString& handicap = QStringLiteral("10"))
{
    CardTotals card = zeroCard();
    const QString strokes = QStringLiteral("454354465545436455");
    for (int h = 0; h < 18; ++h)
        card.holes[h] = strokes.at(h);
    card.handicap = handicap;
    recomputeTotals(card);
    return card;
}

RoundCard fullRound()
{
    RoundCard round;
    round.totals = typicalCard(QStringLiteral("12.5"));
    round.course = QStringLiteral("Druid's Glen");
    round.date = QStringLiteral("5-Mar-04");
    round.putts = QStringLiteral("31");
    round.player = QStringLiteral("Sean O'Brien");
    round.greens[0] = true;
    round.fairways[17] = true;
    round.division = QStringLiteral("Gents");
    round.standardScratch = QStringLiteral("70");
    round.competition = QStringLiteral("Captain's Prize");
    round.comment = QStringLiteral("Twos club \"on 7\"");
    return round;
}

} // namespace

class TestScoreCard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void totalsFollowTheHoles();
    void aStepThatFailsKeepsItsBox();
    void halvesAndNegatives();
    void sixteenBitOverflow();
    void handicapRounding();
    void roundValuesConvertEachBox();
    void roundValuesRefuseBoxesThatDoNotConvert_data();
    void roundValuesRefuseBoxesThatDoNotConvert();
};

void TestScoreCard::totalsFollowTheHoles()
{
    CardTotals card = typicalCard();
    QCOMPARE(card.out, QStringLiteral("40"));
    QCOMPARE(card.inn, QStringLiteral("41"));
    QCOMPARE(card.gross, QStringLiteral("81"));
    QCOMPARE(card.net, QStringLiteral("71"));
    CardTotals zero = zeroCard();
    recomputeTotals(zero);
    QCOMPARE(zero.out + zero.inn + zero.gross + zero.net, QStringLiteral("0000"));
}

void TestScoreCard::aStepThatFailsKeepsItsBox()
{
    // Clearing hole 5 leaves out as it was; the other steps still run.
    CardTotals card = typicalCard();
    card.holes[4].clear();
    card.holes[9] = QStringLiteral("7");
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("40"));
    QCOMPARE(card.inn, QStringLiteral("43"));
    QCOMPARE(card.gross, QStringLiteral("83"));
    QCOMPARE(card.net, QStringLiteral("73"));

    // A letter is like an empty box.
    card.holes[12] = QStringLiteral("x");
    card.holes[0] = QStringLiteral("3");
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("40"));
    QCOMPARE(card.inn, QStringLiteral("43"));

    // Gross is formed from whatever out and in hold, typed ones included.
    card.out = QStringLiteral("oops");
    card.holes[4] = QStringLiteral("abc");
    const QString before = card.gross;
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("oops"));
    QCOMPARE(card.gross, before);
    QCOMPARE(card.net, QStringLiteral("73"));
}

void TestScoreCard::halvesAndNegatives()
{
    CardTotals card = zeroCard();
    card.holes[0] = QStringLiteral("4.5"); // 4
    card.holes[1] = QStringLiteral("5.5"); // 6
    card.holes[2] = QStringLiteral(" 3 "); // 3
    card.holes[9] = QStringLiteral("-2");
    card.holes[10] = QStringLiteral("-3.5"); // -4
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("13"));
    QCOMPARE(card.inn, QStringLiteral("-6"));
    QCOMPARE(card.gross, QStringLiteral("7"));
    QCOMPARE(card.net, QStringLiteral("7"));
}

void TestScoreCard::sixteenBitOverflow()
{
    CardTotals card = typicalCard();
    for (int h = 0; h < 9; ++h)
        card.holes[h] = QStringLiteral("30000");
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("40"));
    QCOMPARE(card.gross, QStringLiteral("81"));

    // Each half fits but their sum does not.
    card = zeroCard();
    card.holes[0] = QStringLiteral("30000");
    card.holes[9] = QStringLiteral("30000");
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("30000"));
    QCOMPARE(card.inn, QStringLiteral("30000"));
    QCOMPARE(card.gross, QStringLiteral("0"));

    // Net leaves the range below.
    card = zeroCard();
    card.holes[0] = QStringLiteral("-32768");
    card.handicap = QStringLiteral("1");
    recomputeTotals(card);
    QCOMPARE(card.gross, QStringLiteral("-32768"));
    QCOMPARE(card.net, QStringLiteral("0"));
    card.holes[1] = QStringLiteral("32768");
    recomputeTotals(card);
    QCOMPARE(card.out, QStringLiteral("-32768"));
}

void TestScoreCard::handicapRounding()
{
    QCOMPARE(typicalCard(QStringLiteral("12.5")).net, QStringLiteral("69"));
    QCOMPARE(typicalCard(QStringLiteral("13.5")).net, QStringLiteral("67"));
    QCOMPARE(typicalCard(QStringLiteral("-2")).net, QStringLiteral("83"));
    CardTotals card = typicalCard();
    card.handicap = QStringLiteral("twelve");
    recomputeTotals(card);
    QCOMPARE(card.net, QStringLiteral("71"));
    card.handicap.clear();
    recomputeTotals(card);
    QCOMPARE(card.net, QStringLiteral("71"));
}

void TestScoreCard::roundValuesConvertEachBox()
{
    RoundCard round = fullRound();
    round.totals.holes[3] = QStringLiteral("4.5");
    const auto converted = roundValues(round);
    QVERIFY(converted);
    const Record stored = converted->record();
    const Record* values = &stored;
    QCOMPARE(values->size(), 67 + 9 + 54 + 1);
    for (auto it = values->constBegin(); it != values->constEnd(); ++it)
        QVERIFY2(schema::score().column(it.key()), qPrintable(it.key()));
    const auto at = [&](const char* column) { return values->value(QString::fromLatin1(column)); };
    QCOMPARE(at("hole1").toInt(), 4);
    QCOMPARE(at("hole4").toInt(), 4); // what the totals counted
    QCOMPARE(at("hole18").toInt(), 5);
    QCOMPARE(at("out").toInt(), 40);
    QCOMPARE(at("inn").toInt(), 41);
    QCOMPARE(at("gross").toInt(), 81);
    QCOMPARE(at("net").toInt(), 69);
    QCOMPARE(at("hand").toDouble(), 12.5);
    QCOMPARE(at("strdate").toString(), QStringLiteral("2004-03-05"));
    QCOMPARE(at("putts").toInt(), 31);
    QCOMPARE(at("green1").toInt(), 1);
    QCOMPARE(at("green2").toInt(), 0);
    QCOMPARE(at("fairway18").toInt(), 1);
    QCOMPARE(at("playerID").toString(), QStringLiteral("Sean O'Brien"));
    QCOMPARE(at("course").toString(), QStringLiteral("Druid's Glen"));
    QCOMPARE(at("comp").toString(), QStringLiteral("Captain's Prize"));
    QCOMPARE(at("compss").toString(), QStringLiteral("70"));
    QCOMPARE(at("comment").toString(), QStringLiteral("Twos club \"on 7\""));
    QCOMPARE(at("division").toString(), QStringLiteral("Gents"));
}

void TestScoreCard::roundValuesRefuseBoxesThatDoNotConvert_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty hole") << "hole"
                                << "";
    QTest::newRow("letter hole") << "hole"
                                 << "x";
    QTest::newRow("hole out of range") << "hole"
                                       << "40000";
    QTest::newRow("impossible date") << "date"
                                     << "31-Feb-04";
    QTest::newRow("words for a date") << "date"
                                      << "last Sunday";
    QTest::newRow("empty putts") << "putts"
                                 << "";
    QTest::newRow("handicap words") << "handicap"
                                    << "scratch";
    QTest::newRow("typed total") << "gross"
                                 << "eighty";
}

void TestScoreCard::roundValuesRefuseBoxesThatDoNotConvert()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    RoundCard round = fullRound();
    if (box == u"hole")
        round.totals.holes[6] = text;
    else if (box == u"date")
        round.date = text;
    else if (box == u"putts")
        round.putts = text;
    else if (box == u"handicap")
        round.totals.handicap = text;
    else
        round.totals.gross = text;
    const auto values = roundValues(round);
    QVERIFY(!values);
    QVERIFY(!values.error().isEmpty());
}

PARLOG_TEST(TestScoreCard)
#include "tst_scorecard.moc"
