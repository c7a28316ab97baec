#include "competitions/field.h"
#include "competitions/orderofmerit.h"
#include "competitions/results.h"
#include "competitions/resultswindow.h"
#include "competitions/society.h"
#include "rounds/scoreadd.h"
#include "data/conversions.h"
#include "golf/rules.h"

#include "statsseed.h"
#include "testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace parlog;
using namespace parlog::test;
using competitions::Format;
using golf::TeamFormat;

namespace {

// A card: strokes per hole (0: none; those not given are 4), the playing handicap it
// kept and its tee's par.
struct Card {
    QString player;
    QMap<int, int> changed = {}; // hole -> strokes
    int playing = 0;
    int teePar = 72;
    bool backNineOnly = false;
};

Rows cardsOf(const QList<Card>& cards)
{
    Rows rows;
    rows.columns = {"card",   "playerID", "division",        "hand",  "gross", "net",
                    "course", "teeID",    "playingHandicap", "teePar"};
    for (int h = 1; h <= 18; ++h)
        rows.columns << QStringLiteral("hole%1").arg(h);
    qint64 key = 0;
    for (const Card& c : cards) {
        QVariantList holes;
        int gross = 0;
        for (int h = 1; h <= 18; ++h) {
            const int strokes = c.backNineOnly && h <= 9 ? 0 : c.changed.value(h, 4);
            gross += strokes;
            holes << strokes;
        }
        rows.rows << (QVariantList{++key, c.player, QStringLiteral("Gents"), c.playing, gross,
                                   gross - c.playing, QStringLiteral("Carne"), QVariant(),
                                   c.playing, c.teePar}
                      << holes);
    }
    return rows;
}

// Carne: par 4 on every hole, stroke index h on hole h.
CourseBook carne()
{
    courses::WithTees course;
    course.course.name = QStringLiteral("Carne");
    for (int h = 0; h < 18; ++h) {
        course.course.pars[h] = 4;
        course.course.strokeIndexes[h] = h + 1;
    }
    return {{QStringLiteral("carne"), course}};
}

QMap<int, int> each(int from, int to, int strokes, QMap<int, int> also = {})
{
    for (int h = from; h <= to; ++h)
        if (!also.contains(h))
            also.insert(h, strokes);
    return also;
}

// Each placing as "position name score | countback".
QStringList lines(const QList<Placing>& placings, bool points)
{
    QStringList list;
    for (const Placing& p : placings)
        list << QStringLiteral("%1 %2 %3 | %4")
                    .arg(p.position, p.player, points ? p.points : p.net, p.countback);
    return list;
}

} // namespace

// Each expected value is worked by hand, in the comments.
class TestTeams : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fourBallBetterBallStableford();
    void bestTwoOfFourNeedsTwoBallsAHole();
    void oneBallSidesRankTheirOwnCards();
    void mixedTeesAddTheDifferenceInPar();
    void aNineHoleDayCountsBackOverItsNine();
    void sidesDrawnAndBalanced();
    void aSidesPlaceEarnsEachOfItsPlayers();
    void aFourBallDayFromTheKeyboard();
    void aSidesCardAndANineHoleCard();
};

void TestTeams::fourBallBetterBallStableford()
{
    // Par 4s, stroke index h on hole h.
    // Adams / Brown: Ann off 18 (a stroke a hole) fives: net 4, 2 points a hole; Bob off 0
    // fours (2) and a three on the 18th (3). The side: 2 on 1-17 and 3: 34 + 3 = 37.
    // Carr / Doyle, both off 9 (a stroke on holes 1-9): Cal fours on 1-9 (net 3: 3) and
    // fives after (net 5: 1); Dan sixes on 1-9 (net 5: 1) and fours after (2). The side:
    // 3 on 1-9, 2 on 10-18: 27 + 18 = 45.
    // Egan / Fox, both off 0: Eve threes on 1-9 (3), a five on the 10th (1) and fours
    // (2); Fay fives (1) but a three on the 17th (3). The side: 27 + 1 + 6 x 2 + 3 + 2 =
    // 45. Level with Carr / Doyle on the last 9 (1 + 12 + 3 + 2 = 18 against 9 x 2); on
    // the last 6, 2 + 2 + 2 + 2 + 3 + 2 = 13 against 12: first.
    // Gray / Hunt handed in no card.
    const Rows cards = cardsOf({{QStringLiteral("Ann Adams"), each(1, 18, 5), 18},
                                {QStringLiteral("Bob Brown"), {{18, 3}}, 0},
                                {QStringLiteral("Cal Carr"), each(10, 18, 5), 9},
                                {QStringLiteral("Dan Doyle"), each(1, 9, 6), 9},
                                {QStringLiteral("eve egan"), each(1, 9, 3, {{10, 5}}), 0},
                                {QStringLiteral("Fay Fox"), each(1, 18, 5, {{17, 3}}), 0}});
    competitions::Settings day{QStringLiteral("Fourball"), QStringLiteral("2026-06-01")};
    day.format = Format::Stableford;
    day.team = TeamFormat::FourBall;
    const QList<competitions::Side> sides{
        {QStringLiteral("Adams / Brown"),
         {QStringLiteral("Ann Adams"), QStringLiteral("Bob Brown")}},
        {QStringLiteral("Carr / Doyle"), {QStringLiteral("Cal Carr"), QStringLiteral("Dan Doyle")}},
        {QStringLiteral("Egan / Fox"), {QStringLiteral("Eve Egan"), QStringLiteral("Fay Fox")}},
        {QStringLiteral("Gray / Hunt"), {QStringLiteral("Gus Gray"), QStringLiteral("Hal Hunt")}}};
    const auto placings = rankCompetition(cards, rankingOf(day, Basis::Net, {}, sides), carne());
    QCOMPARE(lines(placings, true),
             (QStringList{"1 Egan / Fox 45 | last 6: 13", "2 Carr / Doyle 45 | last 6: 12",
                          "3 Adams / Brown 37 | ", "NR Gray / Hunt  | no card"}));
    QCOMPARE(placings[2].handicap, QStringLiteral("18, 0"));
    QCOMPARE(placings[0].players, (QStringList{"Eve Egan", "Fay Fox"}));
}

void TestTeams::bestTwoOfFourNeedsTwoBallsAHole()
{
    // All off 0. The first side: the two best nets a hole, 4 + 4 = 8, but Ann's three on
    // the 1st makes it 3 + 4 = 7: 17 x 8 + 7 = 143. The second side has one ball on the
    // 5th: no score for the side there.
    const Rows cards = cardsOf({{QStringLiteral("Ann"), {{1, 3}}},
                                {QStringLiteral("Bob")},
                                {QStringLiteral("Cal")},
                                {QStringLiteral("Dan")},
                                {QStringLiteral("Eve")},
                                {QStringLiteral("Fay"), {{5, 0}}},
                                {QStringLiteral("Gus"), {{5, 0}}},
                                {QStringLiteral("Hal"), {{5, 0}}}});
    competitions::Settings day{QStringLiteral("Team"), QStringLiteral("2026-06-01")};
    day.team = TeamFormat::BestTwoOfFour;
    const QList<competitions::Side> sides{
        {QStringLiteral("Firsts"), {"Ann", "Bob", "Cal", "Dan"}},
        {QStringLiteral("Seconds"), {"Eve", "Fay", "Gus", "Hal"}}};
    QCOMPARE(lines(rankCompetition(cards, rankingOf(day, Basis::Net, {}, sides), carne()), false),
             (QStringList{"1 Firsts 143 | ", "NR Seconds  | no score on the 5th"}));
}

void TestTeams::oneBallSidesRankTheirOwnCards()
{
    // Foursomes: each side's card under its own name. Adams / Brown off 10, fives on 1-8:
    // 80 - 10 = 70. Visitors off 5, fives on 1-4: 76 - 5 = 71.
    const Rows cards = cardsOf({{QStringLiteral("Visitors"), each(1, 4, 5), 5},
                                {QStringLiteral("Adams / Brown"), each(1, 8, 5), 10}});
    competitions::Settings day{QStringLiteral("Foursomes"), QStringLiteral("2026-06-01")};
    day.team = TeamFormat::Foursomes;
    const QList<competitions::Side> sides{
        {QStringLiteral("Adams / Brown"), {"Ann Adams", "Bob Brown"}},
        {QStringLiteral("Visitors"), {"Cal Carr", "Guest"}}};
    const auto placings = rankCompetition(cards, rankingOf(day, Basis::Net, {}, sides), carne());
    QCOMPARE(lines(placings, false), (QStringList{"1 Adams / Brown 70 | ", "2 Visitors 71 | "}));
    QCOMPARE(placings[1].players, (QStringList{"Cal Carr", "Guest"}));
    QCOMPARE(placings[0].gross, QStringLiteral("80"));
}

void TestTeams::mixedTeesAddTheDifferenceInPar()
{
    // Ann on a tee of par 74 off 20: fives and two sixes, 92; she adds 74 - 72 = 2:
    // 92 - 22 = 70. Bob on par 72 off 10: fives on 1-9, 81 - 10 = 71. Unadjusted, Ann's
    // 72 would have lost.
    const Rows cards = cardsOf({{QStringLiteral("Bob"), each(1, 9, 5), 10, 72},
                                {QStringLiteral("Ann"), each(1, 18, 5, {{1, 6}, {2, 6}}), 20, 74}});
    competitions::Settings day{QStringLiteral("Medal"), QStringLiteral("2026-06-01")};
    QCOMPARE(lines(rankCompetition(cards, rankingOf(day), carne()), false),
             (QStringList{"1 Ann 70 | Ann +2: tee par 74, the field's lowest 72", "2 Bob 71 | "}));
    // Stableford is scored against each tee's own par: no strokes added.
    day.format = Format::Stableford;
    QVERIFY(!rankCompetition(cards, rankingOf(day), carne())[0].countback.contains(u"+2"));
}

void TestTeams::aNineHoleDayCountsBackOverItsNine()
{
    // The back nine, stroke indexes 10-18 placed 1-9. Ann off 4 receives on holes 10-13:
    // fives there net 4 (2 points x 4) and net 5 after (1 x 5): 13. Bob off 0: fours on
    // 10-17 (16), a six on the 18th (0): 16. Cal: fours (2) but a five on the 17th (1):
    // 17. Dan: a three on the 10th (3), fours on 11-16 (12), fives on 17 and 18 (1 + 1):
    // 17. Cal and Dan are level; the last 6 (13-18): Cal 8 + 1 + 2 = 11, Dan 8 + 1 + 1 = 10.
    const Rows cards = cardsOf({{QStringLiteral("Ann"), each(10, 18, 5), 4, 36, true},
                                {QStringLiteral("Bob"), {{18, 6}}, 0, 36, true},
                                {QStringLiteral("Cal"), {{17, 5}}, 0, 36, true},
                                {QStringLiteral("Dan"), {{10, 3}, {17, 5}, {18, 5}}, 0, 36, true}});
    competitions::Settings day{QStringLiteral("Evening"), QStringLiteral("2026-06-01")};
    day.format = Format::Stableford;
    day.nine = competitions::Nine::Back;
    QCOMPARE(lines(rankCompetition(cards, rankingOf(day), carne()), true),
             (QStringList{"1 Cal 17 | last 6: 11", "2 Dan 17 | last 6: 10", "3 Bob 16 | ",
                          "4 Ann 13 | "}));
}

void TestTeams::sidesDrawnAndBalanced()
{
    QList<field::Entrant> sixteen;
    for (int i = 1; i <= 16; ++i)
        sixteen.append({QStringLiteral("P%1").arg(i), double(i)});
    // Pairs of eight, dealt down and back up: 1-8, 2-7, 3-6, 4-5.
    const auto pairs = field::balanced(sixteen.mid(0, 8), 2);
    QCOMPARE(pairs.size(), 4);
    QCOMPARE(pairs[0].players, (QStringList{"P1", "P8"}));
    QCOMPARE(pairs[3].players, (QStringList{"P4", "P5"}));
    // Fours of sixteen: down 1-4, up 5-8, down 9-12, up 13-16: the first side 1, 8, 9, 16.
    const auto fours = field::balanced(sixteen, 4);
    QCOMPARE(fours[0].players, (QStringList{"P1", "P8", "P9", "P16"}));
    QCOMPARE(fours[3].players, (QStringList{"P4", "P5", "P12", "P13"}));
    // A draw is the same again from its seed, every player once, the last side short.
    const auto drawn = field::drawn(sixteen.mid(0, 7), 2, 2026);
    QCOMPARE(field::drawn(sixteen.mid(0, 7), 2, 2026)[0].players, drawn[0].players);
    QStringList everyone;
    for (const auto& side : drawn)
        everyone += side.players;
    everyone.sort();
    QCOMPARE(everyone, (QStringList{"P1", "P2", "P3", "P4", "P5", "P6", "P7"}));
    QCOMPARE(drawn.last().players.size(), 1);
    QCOMPARE(field::indexOf(QStringLiteral("+1,2")).value(), -1.2);
}

void TestTeams::aSidesPlaceEarnsEachOfItsPlayers()
{
    // A four-ball won by Adams / Brown ahead of Carr / Doyle, at 25 and 18 points a place:
    // Ann and Bob 25 each, Cal and Dan 18 each.
    Placing first;
    first.position = QStringLiteral("1");
    first.player = QStringLiteral("Adams / Brown");
    first.players = QStringList{"Ann Adams", "Bob Brown"};
    Placing second = first;
    second.position = QStringLiteral("2");
    second.player = QStringLiteral("Carr / Doyle");
    second.players = QStringList{"Cal Carr", "Dan Doyle"};
    seasons::Season season;
    const OrderOfMerit table =
        orderOfMerit({{QStringLiteral("Fourball"), QStringLiteral("2026-06-01"), {}, 4, true}},
                     {{first, second}}, season);
    QStringList shown;
    for (const MeritLine& line : table.lines)
        shown << QStringLiteral("%1 %2 %3").arg(line.position, line.player).arg(line.total);
    QCOMPARE(shown, (QStringList{"1= Ann Adams 25", "1= Bob Brown 25", "3= Cal Carr 18",
                                 "3= Dan Doyle 18"}));
}

void TestTeams::aFourBallDayFromTheKeyboard()
{
    Fixture f;
    // Carne: par 4s, stroke index h on hole h, Yellow rated 72.0 / 113: a Course Handicap
    // is the index itself. Indexes 2, 6, 10, 14, 18, 22 over and over; at four-ball's 85%:
    // 1.7 -> 2, 5.1 -> 5, 8.5 -> 9, 11.9 -> 12, 15.3 -> 15, 18.7 -> 19.
    QVERIFY(addRatedCourse(f, QStringLiteral("Carne")));
    const QStringList names{"Adams", "Brown", "Casey", "Doyle", "Egan",  "Fox",   "Gray",  "Hunt",
                            "Irwin", "Joyce", "Kelly", "Lynch", "Moore", "Nolan", "Owens", "Power",
                            "Quinn", "Ryan",  "Shaw",  "Tully", "Usher", "Vance", "Walsh", "Young"};
    const int playing[6] = {2, 5, 9, 12, 15, 19};
    for (int i = 0; i < names.size(); ++i)
        QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES (?, ?)"),
                      {names[i], QString::number(i % 6 * 4 + 2)}));
    const QString today = formatDate(f.app->today(), DateFormat::Medium);

    // The sides: name, day, Stableford, four-ball, the rated tee, and Enter on each
    // player in turn pairs them in the order listed.
    QWidget* field = inFront(f, QStringLiteral("field"));
    QVERIFY(field);
    QCOMPARE(focusName(), QStringLiteral("competitionName"));
    QVERIFY(typeKeys(QStringLiteral("Fourball")));
    press(Qt::Key_Tab);
    QVERIFY(typeKeys(today));
    press(Qt::Key_Tab);
    pickByKey('S');
    press(Qt::Key_Tab);
    QCOMPARE(child<QComboBox>(field, QStringLiteral("teamFormat"))->currentText(),
             QStringLiteral("Four-ball better ball"));
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    pickByKey('C');
    press(Qt::Key_Tab);
    QCOMPARE(focusName(), QStringLiteral("players"));
    for (int i = 0; i < names.size(); ++i)
        press(Qt::Key_Return);
    auto* sides = child<QTableWidget>(field, QStringLiteral("sides"));
    QCOMPARE(sides->rowCount(), 12);
    QCOMPARE(sides->item(0, 0)->text(), QStringLiteral("Adams / Brown"));
    QCOMPARE(sides->item(0, 2)->text(), QStringLiteral("2, 5"));
    press(Qt::Key_S, Qt::AltModifier); // a button's key clicks it a moment later
    QTRY_COMPARE(child<QLabel>(field, QStringLiteral("status"))->text(),
                 QStringLiteral("Kept: 12 sides for Fourball."));
    QCOMPARE(f.rows(QStringLiteral("SELECT format, teamFormat, allowance FROM competition")),
             (QList<QVariantList>{{"stableford", "fourball", 0.85}}));
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM side")).toInt(), 12);
    // A visitor makes up a side by name; twice is refused.
    auto* visitor = child<QLineEdit>(field, QStringLiteral("visitor"));
    for (int twice = 0; twice < 2; ++twice) {
        QTest::keyClicks(visitor, QStringLiteral("Guest"));
        QTest::keyClick(visitor, Qt::Key_Return);
    }
    QCOMPARE(sides->rowCount(), 13);
    QCOMPARE(sides->item(12, 1)->text(), QStringLiteral("Guest"));
    QCOMPARE(f.prompter->last(), QStringLiteral("Guest is already in a side."));
    // A side made and not kept is not lost unasked; No keeps the window open.
    f.prompter->answers.enqueue(false);
    field->close();
    QCOMPARE(f.prompter->last(), QStringLiteral("Close without keeping the sides?"));
    QVERIFY(field->isVisible());
    f.prompter->answers.enqueue(true);
    field->close();
    QVERIFY(!f.app->find(QStringLiteral("field")));

    // The cards: each player net par on every hole (4 and the strokes received), 2 points
    // a hole, 36. Birdies by the side's first player, a point more each:
    //   Irwin / Joyce on 3, 4, 5: 39.
    //   Adams / Brown on 1 and 18: 38, the last 9 8 x 2 + 3 = 19; Brown's 9 on the 7th
    //   scores nothing, Adams's 2 counts there.
    //   Casey / Doyle on 1 and 2: 38, the last 9 18.
    //   Gray / Hunt on 14: 37, the last 9 19, the last 6 (13-18) 13.
    //   Egan / Fox on 12: 37, the last 9 19, the last 6 12.
    //   The seven others 36, level to the last hole.
    const QHash<QString, QList<int>> birdies{{"Irwin", {3, 4, 5}},
                                             {"Adams", {1, 18}},
                                             {"Casey", {1, 2}},
                                             {"Gray", {14}},
                                             {"Egan", {12}}};
    QWidget* card = inFront(f, QStringLiteral("scoreadd"));
    QVERIFY(card);
    for (int i = 0; i < names.size(); ++i) {
        if (i == 0) {
            pickByKey('C'); // the course
            press(Qt::Key_P, Qt::AltModifier);
            pickByKey('A');
            QCOMPARE(focusName(), QStringLiteral("Text160"));
            QVERIFY(typeKeys(QStringLiteral("Fourball")));
            press(Qt::Key_Tab);
        } else {
            press(Qt::Key_Return); // New Round, which has the focus
            press(Qt::Key_P, Qt::AltModifier);
            QVERIFY(typeKeys(names[i]));
            press(Qt::Key_Tab);
        }
        QCOMPARE(child<QLineEdit>(card, QStringLiteral("playingHandicap"))->text(),
                 QString::number(playing[i % 6]));
        QCOMPARE(focusName(), QStringLiteral("HOLE1"));
        QString strokes;
        for (int h = 1; h <= 18; ++h) {
            int s = 4 + golf::strokesReceived(playing[i % 6], h) -
                    (birdies.value(names[i]).contains(h) ? 1 : 0);
            if (names[i] == u"Brown" && h == 7)
                s = 9;
            strokes += QString::number(s);
        }
        QVERIFY(typeKeys(strokes + QStringLiteral("31")));
        for (int tab = 0; tab < 3; ++tab)
            press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("Command54"));
        press(Qt::Key_Return);
        if (QWidget* dialog = f.app->find(QStringLiteral("Handicapform"))) {
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            press(Qt::Key_Escape);
        }
        card->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(card));
    }
    QCOMPARE(f.value(QStringLiteral("SELECT count(*) FROM score WHERE comp = 'Fourball'")).toInt(),
             24);
    card->close();

    QWidget* window = inFront(f, QStringLiteral("results"));
    QVERIFY(window);
    auto* results = qobject_cast<ResultsWindow*>(window);
    QStringList expected{"1 Irwin / Joyce 39 | ", "2 Adams / Brown 38 | last 9: 19",
                         "3 Casey / Doyle 38 | last 9: 18", "4 Gray / Hunt 37 | last 6: 13",
                         "5 Egan / Fox 37 | last 6: 12"};
    for (const char* side : {"Kelly / Lynch", "Moore / Nolan", "Owens / Power", "Quinn / Ryan",
                             "Shaw / Tully", "Usher / Vance", "Walsh / Young"})
        expected << QStringLiteral("6= %1 36 | tied after the 18th").arg(QLatin1String(side));
    QCOMPARE(lines(results->placings(), true), expected);
    QCOMPARE(results->makeReport().parameter(QStringLiteral("format")),
             QStringLiteral("Stableford, four-ball better ball"));
    QCOMPARE(results->makeReport().parameter(QStringLiteral("allowance")), QStringLiteral("85%"));
    // A spreadsheet's line a side, with its players and their handicaps (indexes 10 and
    // 14 at 85%: 8.5 -> 9, 11.9 -> 12).
    QVERIFY(results->saveCsv(f.path(QStringLiteral("sides.csv"))));
    QFile csv(f.path(QStringLiteral("sides.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QStringList written = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(written.value(0).trimmed(),
             QStringLiteral("Position,Side,Players,Handicaps,Gross,Net,Points,Countback,Format,"
                            "Allowance"));
    QCOMPARE(written.value(1).trimmed(),
             QStringLiteral("1,Irwin / Joyce,\"Irwin, Joyce\",\"9, 12\",,,39,,\"Stableford, "
                            "four-ball better ball\",85%"));
}

void TestTeams::aSidesCardAndANineHoleCard()
{
    Fixture f;
    QVERIFY(addRatedCourse(f, QStringLiteral("Carne")));
    QVERIFY(
        f.sql(QStringLiteral("UPDATE tees SET backRating = 36.0, backSlope = 113, backPar = 36")));
    QVERIFY(f.sql(QStringLiteral("INSERT INTO player(playername, Handicapp) VALUES ('Ann Adams', "
                                 "'10'), ('Bob Brown', '21'), ('Cal Carr', '10.0')")));
    const QString today = f.app->today().toString(Qt::ISODate);
    Society society(f.app->registerInUse());
    competitions::Settings foursomes{QStringLiteral("Foursomes"), today};
    foursomes.team = TeamFormat::Foursomes;
    foursomes.allowance = competitions::defaultAllowance(foursomes.format, foursomes.team);
    PARLOG_VERIFY_OK(society.keepField(
        foursomes, {{QStringLiteral("Adams / Brown"), {"Ann Adams", "Bob Brown"}}}));
    competitions::Settings evening{QStringLiteral("Evening"), today};
    evening.format = Format::Stableford;
    evening.nine = competitions::Nine::Back;
    PARLOG_VERIFY_OK(society.keepSettings(evening));

    Driver card(f, QStringLiteral("scoreadd"));
    QVERIFY(card.shown());
    QVERIFY(pick(card.combo(QStringLiteral("course")), QStringLiteral("Carne")));
    // Foursomes: the side is picked as a player is; its handicap half the Course
    // Handicaps' sum (on a tee of 72.0 / 113 the index itself): (10 + 21) / 2 = 15.5 -> 16.
    card.box(QStringLiteral("Text160"))->setText(QStringLiteral("Foursomes"));
    Q_EMIT card.box(QStringLiteral("Text160"))->editingFinished();
    QVERIFY(pick(card.combo(QStringLiteral("player")), QStringLiteral("Adams / Brown")));
    QCOMPARE(card.box(QStringLiteral("playingHandicap"))->text(), QStringLiteral("16"));
    QCOMPARE(card.box(QStringLiteral("handicapIndex"))->text(), QString());
    for (int h = 1; h <= 18; ++h)
        card.box(QStringLiteral("HOLE%1").arg(h))->setText(QStringLiteral("5"));
    card.click(QStringLiteral("Command54"));
    // No question of a visitor, no handicap to change: a side's card counts for no index.
    QCOMPARE(f.prompter->messages.size(), 0);
    QCOMPARE(f.app->find(QStringLiteral("Handicapform")), nullptr);
    QCOMPARE(
        f.rows(QStringLiteral("SELECT playerID, sidePlayers, playingHandicap, net FROM score")),
        (QList<QVariantList>{{"Adams / Brown", 2, 16, 74}}));
    const auto played = society.played(QStringLiteral("Foursomes"), today, today, today);
    PARLOG_VERIFY_OK(played);
    const auto placings = rankCompetition(
        played->cards, rankingOf(foursomes, Basis::Net, {}, played->sides), played->courses);
    QCOMPARE(lines(placings, false), QStringList{"1 Adams / Brown 74 | "});
    QCOMPARE(placings[0].players, (QStringList{"Ann Adams", "Bob Brown"}));
    // Corrected, it stays the side's card: only the change is asked about.
    qobject_cast<ScoreAdd*>(card.window)->loadRound(placings[0].card);
    card.box(QStringLiteral("HOLE1"))->setText(QStringLiteral("4"));
    f.prompter->answers.enqueue(true);
    card.click(QStringLiteral("Command54"));
    QCOMPARE(f.prompter->messages.size(), 1);
    QCOMPARE(f.rows(QStringLiteral("SELECT sidePlayers, gross FROM score")),
             (QList<QVariantList>{{2, 89}}));

    // The back nine of an evening: Cal's index 10.0 over nine, 5.0 x 113 / 113 + (36.0 -
    // 36) = 5.0, at 95% 4.75 -> 5: a stroke on the five holes of the lowest stroke
    // indexes of the nine, 10 to 14. Fives there are net pars (2 points), after them net
    // bogeys (1): 5 x 2 + 4 x 1 = 14.
    card.click(QStringLiteral("Command56"));
    card.box(QStringLiteral("Text160"))->setText(QStringLiteral("Evening"));
    Q_EMIT card.box(QStringLiteral("Text160"))->editingFinished();
    QVERIFY(pick(card.combo(QStringLiteral("player")), QStringLiteral("Cal Carr")));
    QCOMPARE(card.box(QStringLiteral("courseHandicap"))->text(), QStringLiteral("5"));
    QCOMPARE(card.box(QStringLiteral("playingHandicap"))->text(), QStringLiteral("5"));
    for (int h = 10; h <= 18; ++h)
        card.box(QStringLiteral("HOLE%1").arg(h))->setText(QStringLiteral("5"));
    QCOMPARE(child<QLabel>(card.window, QStringLiteral("dots14"))->text(), QString(QChar(0x2022)));
    QCOMPARE(child<QLabel>(card.window, QStringLiteral("dots15"))->text(), QString());
    QCOMPARE(child<QLabel>(card.window, QStringLiteral("dots1"))->text(), QString());
    QCOMPARE(card.box(QStringLiteral("points"))->text(), QStringLiteral("14"));
}

PARLOG_TEST(TestTeams)
#include "tst_teams.moc"
