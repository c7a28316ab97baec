#include "data/rounds.h"
#include "stats/statistics.h"

#include "statsseed.h"
#include "testmain.h"

#include <QSet>

using namespace parlog;
using namespace parlog::test;

namespace {

std::unique_ptr<Connection> open(Fixture& f)
{
    auto c = std::make_unique<Connection>(f.dataFile());
    if (!c->open())
        return nullptr;
    return c;
}

QStringList column(const Rows& rows, const QString& name)
{
    QStringList list;
    const int i = int(rows.columns.indexOf(name));
    for (const auto& r : rows.rows)
        list << r.value(i).toString();
    return list;
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void everRoundsPrintEveryTie();
    void averageOutAndInRoundOnceHalvesToEven();
    void handicapRoundsHalvesToEven();
    void bestPossibleMixesCoursesByHole();
    void singleRoundIsItsOwnBestPossible();
    void noRoundsOrNoHandicapLeaveTotalsEmpty();
    void twoPlayerRowsOfOneName();
    void coursesAndCourseRounds();
    void chartSeries();
    void barLabels_data();
    void barLabels();
    void namesWithApostrophes();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestStatistics::everRoundsPrintEveryTie()
{
    SeedRound r;
    r.holes = holes(4, {{1, 3}});
    r.comment = QStringLiteral("first best");
    QVERIFY(addRound(f, r)); // net 61
    r.holes = holes(5);
    r.comment = QStringLiteral("worst");
    QVERIFY(addRound(f, r)); // net 80
    r.holes = holes(4, {{18, 3}});
    r.comment = QStringLiteral("second best");
    QVERIFY(addRound(f, r)); // net 61
    r.player = QStringLiteral("Brown");
    r.holes = holes(2);
    QVERIFY(addRound(f, r));
    auto c = open(f);
    const auto best = rounds::extremeRounds(*c, QStringLiteral("Adams"), {}, true);
    QVERIFY(best);
    QCOMPARE(column(*best, QStringLiteral("comment")), (QStringList{"first best", "second best"}));
    QCOMPARE(column(*best, QStringLiteral("net")), (QStringList{"61", "61"}));
    const auto worst = rounds::extremeRounds(*c, QStringLiteral("Adams"), {}, false);
    QCOMPARE(column(*worst, QStringLiteral("comment")), QStringList{QStringLiteral("worst")});
    QCOMPARE(rounds::extremeRounds(*c, QString(), {}, true)->rows.size(), 0);
    QCOMPARE(rounds::extremeRounds(*c, QStringLiteral("adams"), {}, true)->rows.size(), 2);
    QCOMPARE(*playersWithRounds(*c), (QStringList{"Adams", "Brown"}));
    QCOMPARE(best->columns.size(), 67 + 9 + 54 + 1);
}

void TestStatistics::averageOutAndInRoundOnceHalvesToEven()
{
    SeedRound r;
    QVERIFY(
        f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Adams', '10')")));
    r.holes = holes(4); // out 36, in 36
    QVERIFY(addRound(f, r));
    r.holes = holes(4, {{9, 5}, {10, 5}, {11, 5}, {12, 5}}); // out 37, in 39
    QVERIFY(addRound(f, r));
    auto c = open(f);
    auto round = possibleRound(*c, QStringLiteral("Adams"), Possible::Average);
    QVERIFY(round);
    QCOMPARE(round->out, QStringLiteral("36")); // 36.5
    QCOMPARE(round->inn, QStringLiteral("38")); // 37.5
    QCOMPARE(round->gross, QStringLiteral("74"));
    QCOMPARE(round->handicap, QStringLiteral("10"));
    QCOMPARE(round->net, QStringLiteral("64"));
    // Cells print each hole's mean with one decimal.
    const int h9 = int(round->holes.columns.indexOf(QStringLiteral("h9")));
    const int h1 = int(round->holes.columns.indexOf(QStringLiteral("h1")));
    QCOMPARE(round->holes.rows[0][h9].toString(), QStringLiteral("4.5"));
    QCOMPARE(round->holes.rows[0][h1].toString(), QStringLiteral("4.0"));

    // Thirds: out of three rounds 36, 36, 37 is 36.33, which rounds to 36.
    r.holes = holes(4);
    QVERIFY(addRound(f, r));
    round = possibleRound(*c, QStringLiteral("Adams"), Possible::Average);
    QCOMPARE(round->out, QStringLiteral("36"));
    QCOMPARE(round->inn, QStringLiteral("37")); // 37.33
}

void TestStatistics::handicapRoundsHalvesToEven()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES "
                                 "('Adams', '12.5'), ('Brown', '13.5'), ('Kelly', '12.4')")));
    auto c = open(f);
    QCOMPARE(currentHandicap(*c, QStringLiteral("Adams"))->value(), 12);
    QCOMPARE(currentHandicap(*c, QStringLiteral("Brown"))->value(), 14);
    QCOMPARE(currentHandicap(*c, QStringLiteral("Kelly"))->value(), 12);
    QVERIFY(!currentHandicap(*c, QStringLiteral("Nobody"))->has_value());
    SeedRound r;
    r.player = QStringLiteral("Brown");
    QVERIFY(addRound(f, r));
    const auto round = possibleRound(*c, QStringLiteral("Brown"), Possible::Worst);
    QCOMPARE(round->gross, QStringLiteral("72"));
    QCOMPARE(round->net, QStringLiteral("58"));
}

void TestStatistics::bestPossibleMixesCoursesByHole()
{
    SeedRound r;
    r.course = QStringLiteral("Lahinch");
    r.holes = holes(5, {{1, 3}, {18, 2}});
    QVERIFY(addRound(f, r));
    r.course = QStringLiteral("Carne");
    r.holes = holes(4, {{1, 6}, {18, 7}});
    QVERIFY(addRound(f, r));
    auto c = open(f);
    const auto best = possibleRound(*c, QStringLiteral("Adams"), Possible::Best);
    const auto cell = [&](const PossibleRound& p, int h) {
        return p.holes.rows[0][p.holes.columns.indexOf(QStringLiteral("h%1").arg(h))].toInt();
    };
    QCOMPARE(cell(*best, 1), 3);
    QCOMPARE(cell(*best, 2), 4);
    QCOMPARE(cell(*best, 18), 2);
    QCOMPARE(best->out, QStringLiteral("35"));
    QCOMPARE(best->inn, QStringLiteral("34"));
    QCOMPARE(best->gross, QStringLiteral("69"));
    const auto worst = possibleRound(*c, QStringLiteral("Adams"), Possible::Worst);
    QCOMPARE(cell(*worst, 1), 6);
    QCOMPARE(worst->gross, QStringLiteral("93"));
}

void TestStatistics::singleRoundIsItsOwnBestPossible()
{
    QVERIFY(
        f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Adams', '6')")));
    SeedRound r;
    r.holes = holes(4, {{3, 5}, {12, 3}});
    r.hand = 18; // the handicap of the day is not used
    QVERIFY(addRound(f, r));
    auto c = open(f);
    const auto best = possibleRound(*c, QStringLiteral("Adams"), Possible::Best);
    QCOMPARE(best->out, QStringLiteral("37"));
    QCOMPARE(best->inn, QStringLiteral("35"));
    QCOMPARE(best->gross, QStringLiteral("72"));
    QCOMPARE(best->net, QStringLiteral("66"));
}

void TestStatistics::noRoundsOrNoHandicapLeaveTotalsEmpty()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES "
                                 "('Idle', '9'), ('Blank', '')")));
    auto c = open(f);
    const auto none = possibleRound(*c, QStringLiteral("Idle"), Possible::Average);
    QVERIFY(none);
    QCOMPARE(none->out + none->inn + none->gross + none->net, QString());
    QCOMPARE(none->handicap, QStringLiteral("9"));
    QCOMPARE(none->holes.rows.size(), 1);
    QVERIFY(none->holes.rows[0][0].isNull());
    const auto empty = possibleRound(*c, QString(), Possible::Best);
    QCOMPARE(empty->gross, QString());

    SeedRound r;
    r.player = QStringLiteral("Blank");
    QVERIFY(addRound(f, r));
    r.player = QStringLiteral("Ghost"); // no player row at all
    QVERIFY(addRound(f, r));
    for (const char* who : {"Blank", "Ghost"}) {
        const auto round = possibleRound(*c, QString::fromLatin1(who), Possible::Best);
        QCOMPARE(round->gross, QStringLiteral("72"));
        QCOMPARE(round->handicap, QString());
        QCOMPARE(round->net, QString());
    }
    // A hole that no round has a value for leaves its half empty.
    QVERIFY(f.sql(QStringLiteral("UPDATE score SET hole12 = NULL WHERE playerID = 'Ghost'")));
    const auto partial = possibleRound(*c, QStringLiteral("Ghost"), Possible::Best);
    QCOMPARE(partial->out, QStringLiteral("36"));
    QCOMPARE(partial->inn, QString());
    QCOMPARE(partial->gross, QString());
}

void TestStatistics::twoPlayerRowsOfOneName()
{
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES "
                                 "('Kelly', '20'), ('Kelly', '4')")));
    auto c = open(f);
    QCOMPARE(currentHandicap(*c, QStringLiteral("Kelly"))->value(), 20);
}

void TestStatistics::coursesAndCourseRounds()
{
    SeedRound r;
    for (const char* course : {"Lahinch", "Carne", "Lahinch", "Ballybunion"}) {
        r.course = QString::fromLatin1(course);
        QVERIFY(addRound(f, r));
    }
    r.course = QStringLiteral("Carne");
    r.holes = holes(3);
    r.comment = QStringLiteral("best at Carne");
    QVERIFY(addRound(f, r));
    r.player = QStringLiteral("Brown");
    r.course = QStringLiteral("Enniscrone");
    QVERIFY(addRound(f, r));
    auto c = open(f);
    QCOMPARE(*rounds::coursesPlayed(*c, QStringLiteral("Adams")),
             (QStringList{"Ballybunion", "Carne", "Lahinch"}));
    QCOMPARE(rounds::coursesPlayed(*c, QStringLiteral("Nobody"))->size(), 0);
    const auto best =
        rounds::extremeRounds(*c, QStringLiteral("Adams"), QStringLiteral("Carne"), true);
    QCOMPARE(column(*best, QStringLiteral("comment")),
             QStringList{QStringLiteral("best at Carne")});
    const auto lahinch =
        rounds::extremeRounds(*c, QStringLiteral("Adams"), QStringLiteral("Lahinch"), true);
    QCOMPARE(lahinch->rows.size(), 2); // a tie prints both
    QCOMPARE(rounds::extremeRounds(*c, QStringLiteral("Adams"), QStringLiteral("Choose"), true)
                 ->rows.size(),
             0);
}

void TestStatistics::chartSeries()
{
    SeedRound r;
    const QList<std::tuple<const char*, const char*, int>> rounds{
        {"Lahinch", "2004-03-05", 31},
        {"Carne", "2004-01-10", 0},
        {"Lahinch", "2003-12-01", 28},
        {"Carne", "2004-03-05", 33},
        {"Druid's Glen", "2004-02-01", 35}};
    for (const auto& [course, date, putts] : rounds) {
        r.course = QString::fromUtf8(course);
        r.date = QString::fromLatin1(date);
        r.putts = putts;
        QVERIFY(addRound(f, r));
    }
    auto c = open(f);
    const auto courses = roundsPerCourse(*c, QStringLiteral("Adams"));
    QCOMPARE(courses->size(), 3);
    QCOMPARE((*courses)[0], (std::pair<QString, double>{QStringLiteral("Carne"), 2}));
    QCOMPARE((*courses)[1], (std::pair<QString, double>{QStringLiteral("Druid's Glen"), 1}));
    QCOMPARE((*courses)[2], (std::pair<QString, double>{QStringLiteral("Lahinch"), 2}));
    const auto putts = puttsByDate(*c, QStringLiteral("Adams"));
    QStringList labels;
    QList<double> values;
    for (const auto& [label, value] : *putts) {
        labels << label;
        values << value;
    }
    QCOMPARE(labels, (QStringList{"01-Dec-03", "01-Feb-04", "05-Mar-04", "05-Mar-04"}));
    QCOMPARE(values, (QList<double>{28, 35, 31, 33}));
    QCOMPARE(puttsByDate(*c, QStringLiteral("Nobody"))->size(), 0);
}

void TestStatistics::barLabels_data()
{
    QTest::addColumn<int>("bars");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("every label") << 8 << 1 << 0;
    QTest::newRow("every third") << 100 << 3 << 0;
    QTest::newRow("long names cut") << 5 << 1 << 6;
}

// Two rounds on one day keep a bar each: every label is its own, and shows the text
// of its bar on every step-th bar only.
void TestStatistics::barLabels()
{
    QFETCH(int, bars);
    QFETCH(int, step);
    QFETCH(int, maxLength);
    Series series;
    for (int i = 0; i < bars; ++i)
        series.append(
            {i % 2 ? QStringLiteral("Royal County Down") : QStringLiteral("05-Mar-04"), double(i)});
    const QStringList labels = parlog::barLabels(series, step, maxLength);
    QCOMPARE(labels.size(), bars);
    QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), bars);
    for (int i = 0; i < bars; ++i) {
        QString shown = labels[i];
        shown.remove(QChar(0x200B)).remove(QChar(0x200C));
        QString expected = i % step ? QString() : series[i].first;
        if (maxLength > 0 && expected.size() > maxLength)
            expected = expected.left(maxLength - 1) + QChar(0x2026);
        QCOMPARE(shown, expected);
    }
    QCOMPARE(labelStep(60, 600, 14), 2);
    QCOMPARE(labelStep(30, 600, 14), 1);
    QCOMPARE(labelStep(500, 600, 14), 12);
}

void TestStatistics::namesWithApostrophes()
{
    SeedRound r;
    r.player = QStringLiteral("Sean O'Brien");
    r.course = QStringLiteral("Druid's Glen");
    QVERIFY(addRound(f, r));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES "
                                 "('Sean O''Brien', '3')")));
    auto c = open(f);
    QCOMPARE(rounds::extremeRounds(*c, QStringLiteral("Sean O'Brien"), {}, true)->rows.size(), 1);
    QCOMPARE(*rounds::coursesPlayed(*c, QStringLiteral("Sean O'Brien")),
             QStringList{QStringLiteral("Druid's Glen")});
    QCOMPARE(possibleRound(*c, QStringLiteral("Sean O'Brien"), Possible::Best)->net,
             QStringLiteral("69"));
    QCOMPARE(rounds::extremeRounds(*c, QStringLiteral("Sean O'Brien"),
                                   QStringLiteral("Druid's Glen"), false)
                 ->rows.size(),
             1);
}

PARLOG_TEST(TestStatistics)
#include "tst_statistics.moc"
