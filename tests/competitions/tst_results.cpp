#include "data/queries.h"
#include "reports/csv.h"
#include "competitions/results.h"
#include "rounds/scoreadd.h"
#include "competitions/resultswindow.h"

#include "statsseed.h"
#include "data/csv.h"
#include "testmain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QFile>

using namespace parlog;
using namespace parlog::test;

namespace {

// A card: strokes per hole (4 unless changed), its handicap and the net it shows.
struct Card {
    QString player;
    QMap<int, int> changed; // hole -> strokes
    double hand = 0;
    int net = 72;
    QString division = QStringLiteral("Gents");
};

Rows cardsOf(const QList<Card>& cards)
{
    Rows rows;
    rows.columns = {"card", "playerID", "division", "hand", "gross", "net"};
    for (int h = 1; h <= 18; ++h)
        rows.columns << QStringLiteral("hole%1").arg(h);
    qint64 key = 0;
    for (const Card& c : cards) {
        QVariantList row{++key, c.player, c.division, c.hand};
        int gross = 0;
        QVariantList holes;
        for (int h = 1; h <= 18; ++h) {
            const int strokes = c.changed.value(h, 4);
            gross += strokes;
            holes << strokes;
        }
        row << gross << c.net << holes;
        rows.rows << row;
    }
    return rows;
}

QStringList column(const QList<Placing>& placings, QString Placing::*member)
{
    QStringList list;
    for (const Placing& p : placings)
        list << p.*member;
    return list;
}

} // namespace

class TestResults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tiesDecidedByCountback_data();
    void tiesDecidedByCountback();
    void divisionsNoReturnsAndSecondCards();
    void csvQuotesWhatItMust();
    void theResultsWindow();
    void aStablefordFromTheCardToTheResults();
};

void TestResults::tiesDecidedByCountback_data()
{
    QTest::addColumn<QList<Card>>("cards");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QStringList>("positions");
    QTest::addColumn<QStringList>("countback");
    const Card level{QStringLiteral("Level"), {}};
    QTest::newRow("last 9") << QList<Card>{{QStringLiteral("B"), {{1, 3}, {10, 5}}}, level}
                            << QStringList{"Level", "B"} << QStringList{"1", "2"}
                            << QStringList{"last 9: 36", "last 9: 37"};
    QTest::newRow("last 6") << QList<Card>{{QStringLiteral("B"), {{10, 3}, {13, 5}}}, level}
                            << QStringList{"Level", "B"} << QStringList{"1", "2"}
                            << QStringList{"last 6: 24", "last 6: 25"};
    QTest::newRow("last 3") << QList<Card>{{QStringLiteral("B"), {{13, 3}, {16, 5}}}, level}
                            << QStringList{"Level", "B"} << QStringList{"1", "2"}
                            << QStringList{"last 3: 12", "last 3: 13"};
    QTest::newRow("18th") << QList<Card>{{QStringLiteral("B"), {{16, 3}, {18, 5}}}, level}
                          << QStringList{"Level", "B"} << QStringList{"1", "2"}
                          << QStringList{"18th: 4", "18th: 5"};
    QTest::newRow("all equal") << QList<Card>{{QStringLiteral("B"), {}},
                                              level,
                                              {QStringLiteral("Low"), {{1, 3}}, 0, 71}}
                               << QStringList{"Low", "B", "Level"} << QStringList{"1", "2=", "2="}
                               << QStringList{"", "tied after the 18th", "tied after the 18th"};
    // Odd handicaps: the back nine less half of 13.5 and of 27, fractions kept.
    QTest::newRow("13.5 and 27")
        << QList<Card>{{QStringLiteral("Ann"),
                        {{10, 5},
                         {11, 5},
                         {12, 5},
                         {13, 5},
                         {14, 5},
                         {15, 5},
                         {16, 4},
                         {17, 5},
                         {18, 4}},
                        27,
                        72},
                       {QStringLiteral("Bob"),
                        {{10, 5}, {11, 5}, {12, 5}, {13, 4}, {14, 5}, {15, 5}},
                        13.5,
                        72}}
        << QStringList{"Ann", "Bob"} << QStringList{"1", "2"}
        << QStringList{"last 9: 29.5", "last 9: 34.25"};
}

void TestResults::tiesDecidedByCountback()
{
    QFETCH(QList<Card>, cards);
    QFETCH(QStringList, order);
    QFETCH(QStringList, positions);
    QFETCH(QStringList, countback);
    const auto placings = rankCards(cardsOf(cards), Basis::Net);
    QCOMPARE(column(placings, &Placing::player), order);
    QCOMPARE(column(placings, &Placing::position), positions);
    QCOMPARE(column(placings, &Placing::countback), countback);
}

void TestResults::divisionsNoReturnsAndSecondCards()
{
    const QList<Card> cards{{QStringLiteral("Gent"), {{1, 5}}, 0, 73},
                            {QStringLiteral("Lady"), {}, 0, 72, QStringLiteral("Ladies")},
                            {QStringLiteral("Walked in"), {{7, 0}}, 0, 68},
                            {QStringLiteral("Twice"), {}, 10, 62},
                            {QStringLiteral("twice"), {{2, 6}}, 10, 64}};
    const auto all = rankCards(cardsOf(cards), Basis::Net);
    QCOMPARE(column(all, &Placing::player),
             (QStringList{"Twice", "twice", "Lady", "Gent", "Walked in"}));
    QCOMPARE(column(all, &Placing::position), (QStringList{"1", "2", "3", "4", "NR"}));
    QCOMPARE(all[0].countback, QStringLiteral("one of 2 cards"));
    // Gross: the same stages, no handicap.
    const auto gross = rankCards(cardsOf(cards), Basis::Gross);
    QCOMPARE(column(gross, &Placing::player),
             (QStringList{"Lady", "Twice", "Gent", "twice", "Walked in"}));
    QCOMPARE(gross[1].position, QStringLiteral("1="));
    QCOMPARE(gross[1].countback, QStringLiteral("tied after the 18th; one of 2 cards"));
    const auto ladies = rankCards(cardsOf(cards), Basis::Net, QStringLiteral("ladies"));
    QCOMPARE(column(ladies, &Placing::player), QStringList{"Lady"});
}

void TestResults::csvQuotesWhatItMust()
{
    QCOMPARE(csv::line({"plain", "a,b", "say \"hi\"", "two\nlines", "Seán O'Brien"}),
             QByteArray("plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",Se\xc3\xa1n O'Brien\r\n"));
    QCOMPARE(csv::field(QDate(2004, 3, 5)), QStringLiteral("2004-03-05"));
    QCOMPARE(csv::field(QVariant(72.0)), QStringLiteral("72"));
    const auto source = report::DataSource::of(
        Rows{{"playerID", "strdate"}, {{QStringLiteral("Zoë, \"Z\""), QStringLiteral("2004-03-05")}}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rounds.csv"));
    PARLOG_VERIFY_OK(report::writeCsv(source, {"playerID", "strdate"}, path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("\xEF\xBB\xBFplayerID,strdate\r\n\"Zo\xc3\xab, \"\"Z\"\"\",2004-03-05\r\n"));
    const Status refused =
        report::writeCsv(source, {"playerID"}, dir.filePath(QStringLiteral("no/such/x.csv")));
    QVERIFY(!refused);
    QVERIFY(refused.error().contains(QStringLiteral("could not be written")));
}

void TestResults::theResultsWindow()
{
    Fixture f;
    SeedRound r;
    r.comp = QStringLiteral("Captain's Prize");
    r.course = QStringLiteral("Lahinch");
    for (const char* player : {"Adams", "Brown"}) {
        r.player = QString::fromLatin1(player);
        QVERIFY(addRound(f, r));
    }
    r.comp = QStringLiteral("Spring Medal");
    r.date = QStringLiteral("2004-04-10");
    QVERIFY(addRound(f, r));
    Driver w(f, QStringLiteral("results"));
    QVERIFY(w.shown());
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Competition Results"));
    QComboBox* competitions = w.combo(QStringLiteral("competition"));
    QCOMPARE(competitions->count(), 2);
    QCOMPARE(competitions->itemText(0),
             QStringLiteral("Spring Medal \u2014 10 Apr 2004 \u2014 Lahinch \u2014 1 card"));
    competitions->setCurrentIndex(1);
    Q_EMIT competitions->activated(1);
    QCOMPARE(w.box(QStringLiteral("from"))->text(), QStringLiteral("5 Mar 2004"));
    auto* results = qobject_cast<ResultsWindow*>(w.window);
    QCOMPARE(results->placings().size(), 2);
    QCOMPARE(results->placings()[1].position, QStringLiteral("1="));

    QVERIFY(results->saveCsv(f.path(QStringLiteral("results.csv"))));
    QFile csv(f.path(QStringLiteral("results.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray header = csv.readLine();
    QVERIFY2(header.startsWith(
                 "\xEF\xBB\xBFPosition,Player,Division,Handicap,Gross,Net,Points,Countback,"
                 "Format,Allowance"),
             header.constData());
    QVERIFY(results->savePdf(f.path(QStringLiteral("results.pdf"))));
    QVERIFY(!results->saveCsv(f.path(QStringLiteral("missing/results.csv"))));
    QVERIFY(f.prompter->last().contains(QStringLiteral("could not be written")));
}

// A course with stroke indexes and a rated tee; two cards typed on the score card, their
// points shown as they go; the Stableford results decided at the last six.
void TestResults::aStablefordFromTheCardToTheResults()
{
    Fixture f;
    // Par 4 everywhere (72), stroke index h on hole h; the yellow tee rated 72.0 / 113, so
    // that a course handicap is the index itself: 18.0 x 113 / 113 + (72.0 - 72) = 18.0.
    // At the default 95%, the playing handicap is 18 x 0.95 = 17.1, rounded 17: a stroke
    // on the holes of index 1 to 17, none on the 18th.
    QVERIFY(addRatedCourse(f, QStringLiteral("Carne")));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Ann', "
                                 "'18.0'), ('Bea', '18.0')")));
    // On holes 1-17 a card scores 2 + 4 - (strokes - 1) = 7 - strokes, on the 18th 6 - strokes.
    // Ann, fives everywhere: 17 x 2 + 1 = 35; the last 9: 8 x 2 + 1 = 17; the last 6:
    // 5 x 2 + 1 = 11.
    // Bea: fives on 1-9 (18), then 6, 6, 4 (1, 1, 3), 4 (3) and fives (2, 2, 2, 2, 1): 35;
    // the last 9: 1 + 1 + 3 + 3 + 2 + 2 + 2 + 2 + 1 = 17, level; the last 6: 3 + 2 + 2 +
    // 2 + 2 + 1 = 12, better.
    const QMap<QString, QString> cards{{QStringLiteral("Ann"), QStringLiteral("555555555555555555")},
                                       {QStringLiteral("Bea"), QStringLiteral("555555555664455555")}};
    {
        Driver card(f, QStringLiteral("scoreadd"));
        QVERIFY(card.shown());
        QVERIFY(pick(card.combo(QStringLiteral("course")), QStringLiteral("Carne")));
        QCOMPARE(card.combo(QStringLiteral("tee"))->currentText(),
                 QStringLiteral("Yellow (Men) 72.0 / 113"));
        card.box(QStringLiteral("Text160"))->setText(QStringLiteral("Spring Stableford"));
        for (auto it = cards.constBegin(); it != cards.constEnd(); ++it) {
            QVERIFY(pick(card.combo(QStringLiteral("player")), it.key()));
            QCOMPARE(card.box(QStringLiteral("handicapIndex"))->text(), QStringLiteral("18.0"));
            QCOMPARE(card.box(QStringLiteral("courseHandicap"))->text(), QStringLiteral("18"));
            QCOMPARE(card.box(QStringLiteral("playingHandicap"))->text(), QStringLiteral("17"));
            QCOMPARE(card.box(QStringLiteral("handicap"))->text(), QStringLiteral("17"));
            card.box(QStringLiteral("HOLE1"))->setFocus();
            QVERIFY(typeKeys(it.value()));
            QCOMPARE(child<QLabel>(card.window, QStringLiteral("dots1"))->text(),
                     QString(QChar(0x2022)));
            QCOMPARE(child<QLabel>(card.window, QStringLiteral("dots18"))->text(), QString());
            QCOMPARE(child<QLabel>(card.window, QStringLiteral("pts1"))->text(), QStringLiteral("2"));
            QCOMPARE(card.box(QStringLiteral("points"))->text(), QStringLiteral("35"));
            card.click(QStringLiteral("Command54"));
            if (QWidget* asked = f.app->find(QStringLiteral("Handicapform")))
                asked->close();
            card.click(QStringLiteral("Command56"));
        }
    }
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score WHERE points = 35 AND "
                                    "playingHandicap = 17 AND handicapIndex = 18 AND tee = "
                                    "'Yellow (Men) 72.0 / 113'"))
                 .toInt(),
             2);
    Driver w(f, QStringLiteral("results"));
    QVERIFY(w.shown());
    auto* results = qobject_cast<ResultsWindow*>(w.window);
    QComboBox* format = w.combo(QStringLiteral("format"));
    format->setCurrentIndex(format->findText(QStringLiteral("Stableford")));
    Q_EMIT format->activated(format->currentIndex());
    QCOMPARE(column(results->placings(), &Placing::player), (QStringList{"Bea", "Ann"}));
    QCOMPARE(column(results->placings(), &Placing::position), (QStringList{"1", "2"}));
    QCOMPARE(column(results->placings(), &Placing::points), (QStringList{"35", "35"}));
    QCOMPARE(column(results->placings(), &Placing::countback),
             (QStringList{"last 6: 12", "last 6: 11"}));
    // Kept in the register: the next look at the results ranks by points again.
    QCOMPARE(f.value(QStringLiteral("SELECT format FROM competition")).toString(),
             QStringLiteral("stableford"));
    // Par/bogey: on holes 1-17 a five is net 4, a half; on the 18th a five is net 5, lost.
    // Ann: 0 won, 1 lost: -1. Bea: holes 12 and 13 won (net 3), 10 and 11 lost (net 5),
    // the 18th lost: 2 - 3 = -1; the last 9 level (-1 each), the last 6: Bea +1 - 1 = 0,
    // Ann -1: Bea first.
    format->setCurrentIndex(format->findText(QStringLiteral("Par/bogey")));
    Q_EMIT format->activated(format->currentIndex());
    QCOMPARE(column(results->placings(), &Placing::points), (QStringList{"-1", "-1"}));
    QCOMPARE(column(results->placings(), &Placing::countback),
             (QStringList{"last 6: 0", "last 6: -1"}));
    const report::Report printed = results->makeReport();
    QCOMPARE(printed.parameter(QStringLiteral("format")), QStringLiteral("Par/bogey"));
    QCOMPARE(printed.parameter(QStringLiteral("allowance")), QStringLiteral("95%"));
    // No standard scratch was typed: no line saying 0.
    QCOMPARE(printed.parameter(QStringLiteral("scratch")), QString());

    // A stored card corrected keeps its tee and handicaps as they were.
    auto* card = qobject_cast<ScoreAdd*>(f.app->show(QStringLiteral("scoreadd")));
    QVERIFY(card);
    card->loadRound(results->placings().last().card);
    QCOMPARE(child<QComboBox>(card, QStringLiteral("tee"))->currentText(),
             QStringLiteral("Yellow (Men) 72.0 / 113"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("playingHandicap"))->text(), QStringLiteral("17"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("points"))->text(), QStringLiteral("35"));
    child<QLineEdit>(card, QStringLiteral("HOLE18"))->setText(QStringLiteral("4"));
    QCOMPARE(child<QLineEdit>(card, QStringLiteral("points"))->text(), QStringLiteral("36"));
    card->save();
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score WHERE playingHandicap = 17 AND "
                                    "handicapIndex = 18 AND courseRating = 72 AND slopeRating = "
                                    "113 AND teeID = 1"))
                 .toInt(),
             2);
    QCOMPARE(f.value(QStringLiteral("SELECT points FROM score WHERE playerID = 'Ann'")).toInt(), 36);
}

PARLOG_TEST(TestResults)
#include "tst_results.moc"
