#include "data/courses.h"
#include "data/rounds.h"
#include "stats/season.h"
#include "stats/seasonwindow.h"
#include "reports/paginator.h"
#include "reports/report.h"

#include "statsseed.h"
#include "testmain.h"

#include <QLabel>
#include <QSvgRenderer>

using namespace parlog;
using namespace parlog::test;

namespace {

// A season worked out by hand. Links has par 3s at 3, 7, 12, 16 and par 5s at 4, 8,
// 13, 17; Muni has no pars in the register.
bool seedSeason(Fixture& f)
{
    const int pars[18] = {4, 4, 3, 5, 4, 4, 3, 5, 4, 4, 4, 3, 5, 4, 4, 3, 5, 4};
    QStringList columns{QStringLiteral("coursename")};
    QVariantList values{QStringLiteral("Links")};
    for (int h = 0; h < 18; ++h) {
        columns << QStringLiteral("hole%1").arg(h + 1);
        values << pars[h];
    }
    if (!f.sql(QStringLiteral("INSERT INTO courses(%1) VALUES (%2)")
                   .arg(columns.join(u','), QStringList(19, QStringLiteral("?")).join(u',')),
               values))
        return false;
    std::array<int, 18> par{};
    std::copy(std::begin(pars), std::end(pars), par.begin());
    SeedRound a;
    a.course = QStringLiteral("Links");
    a.holes = par;
    a.holes[0] = 3; // birdie
    a.holes[1] = 5; // bogey
    a.holes[3] = 3; // eagle on a par 5
    a.holes[4] = 8; // worse
    a.holes[6] = 5; // double on a par 3
    a.putts = 30;
    a.greens = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    a.fairways = {1, 2, 3, 4}; // the par 3 does not count
    SeedRound b;
    b.course = QStringLiteral("Links");
    b.holes = par;
    b.holes[17] = 0; // not played
    b.putts = 0;     // not recorded
    b.fairways = {10, 18};
    b.date = QStringLiteral("2004-06-01");
    SeedRound c;
    c.course = QStringLiteral("Muni");
    c.putts = 34;
    c.greens = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    c.fairways = c.greens;
    c.date = QStringLiteral("2004-08-01");
    return addRound(f, a) && addRound(f, b) && addRound(f, c);
}

SeasonFigures figuresOf(Fixture& f, const std::optional<QString>& course = {})
{
    Connection c(f.dataFile());
    if (!c.open())
        return {};
    return seasonFigures(
        *rounds::seasonCards(c, QStringLiteral("Adams"), "2004-01-01", "2004-12-31", course),
        *courses::pars(c));
}

} // namespace

class TestSeason : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figuresOfAHandMadeSeason();
    void figuresFromHoleDetail();
    void theSeasonWindow();
};

void TestSeason::figuresOfAHandMadeSeason()
{
    Fixture f;
    QVERIFY(seedSeason(f));
    const SeasonFigures s = figuresOf(f);
    QCOMPARE(s.rounds, 3);
    QCOMPARE(*s.avgGross, (76 + 68 + 72) / 3.0);
    QCOMPARE(*s.avgNet, (66 + 58 + 62) / 3.0);
    QCOMPARE(*s.bestNet, 58);
    QCOMPARE(*s.worstNet, 66);
    // 27 greens on 53 holes played; 4 fairways on 27 par 4s and 5s of Links played.
    QCOMPARE(*s.greensPct, 2700.0 / 53);
    QCOMPARE(*s.fairwaysPct, 400.0 / 27);
    // The putts of the rounds that have them, per round and per green of theirs.
    QCOMPARE(*s.puttsPerRound, 32.0);
    QCOMPARE(*s.puttsPerGreen, 64.0 / 27);
    QCOMPARE(s.toPar, (std::array<int, 6>{1, 1, 30, 1, 1, 1}));
    QCOMPARE(s.holesToPar, 35);
    QCOMPARE(*s.parAverage[0], 26.0 / 8);
    QCOMPARE(*s.parAverage[1], 80.0 / 19);
    QCOMPARE(*s.parAverage[2], 38.0 / 8);
    QCOMPARE(s.roundsWithoutPars, 1);
    // On the course without pars: totals only.
    const SeasonFigures muni = figuresOf(f, QStringLiteral("Muni"));
    QCOMPARE(muni.rounds, 1);
    QVERIFY(!muni.fairwaysPct && !muni.parAverage[1]);
    QCOMPARE(*muni.greensPct, 100.0);
    QCOMPARE(rollingAverage({70, 72, 74, 76}, 2), (QList<double>{70, 71, 73, 75}));
}

// Two cards on a par-72 course (pars 4 4 3 5 4 4, three times over), one with its holes'
// putts, penalties and bunkers, one with totals only, which counts in none of these.
void TestSeason::figuresFromHoleDetail()
{
    const std::array<double, 18> pars{4, 4, 3, 5, 4, 4, 4, 4, 3, 5, 4, 4, 4, 4, 3, 5, 4, 4};
    // Hole 1: 6, green missed, three putts. 2: par after a missed green, one putt (a
    // scramble). 3: bogey from a bunker, one putt (no sand save, no scramble). 4: par
    // from a bunker, one putt (a sand save and a scramble). 5: par, green hit, two putts.
    // 6: bogey with a penalty stroke, green hit, two putts. 7-18: pars, greens hit, two
    // putts each.
    const int strokes[6] = {6, 4, 4, 5, 4, 5};
    const int putts[6] = {3, 1, 1, 1, 2, 2};
    rounds::SeasonCard detail;
    detail.date = QStringLiteral("2004-06-05");
    detail.course = QStringLiteral("Links");
    detail.putts = 34;
    for (int h = 0; h < 18; ++h) {
        detail.holes[h] = h < 6 ? strokes[h] : int(pars[h]);
        detail.greens[h] = h >= 4;
        detail.holePutts[h] = h < 6 ? putts[h] : 2;
        detail.bunkers[h] = h == 2 || h == 3;
    }
    detail.penalties[5] = 1;
    // Totals only: thirty putts and every green, which would change every figure.
    rounds::SeasonCard totals;
    totals.date = QStringLiteral("2004-07-01");
    totals.course = QStringLiteral("Links");
    totals.putts = 30;
    for (int h = 0; h < 18; ++h) {
        totals.holes[h] = int(pars[h]);
        totals.greens[h] = true;
    }
    const SeasonFigures s = seasonFigures({detail, totals}, {{QStringLiteral("links"), pars}});
    QCOMPARE(s.rounds, 2);
    QCOMPARE(s.detailRounds, 1);
    // Greens in regulation: holes 5-18, 14 of them, two putts each: 28 / 14.
    QCOMPARE(*s.puttsPerGreen, 2.0);
    QCOMPARE(*s.onePutts, 3.0);   // holes 2, 3 and 4
    QCOMPARE(*s.threePutts, 1.0); // hole 1, on a green missed
    // Par 3s: holes 3 (1), 9 and 15 (2 each): 5 / 3. Par 4s: 3 + 1 + 2 + 2 and eight
    // holes of 2: 24 / 12. Par 5s: hole 4 (1), 10 and 16: 5 / 3.
    QCOMPARE(*s.puttsByPar[0], 5.0 / 3);
    QCOMPARE(*s.puttsByPar[1], 2.0);
    QCOMPARE(*s.puttsByPar[2], 5.0 / 3);
    // Greens missed: 1-4; par or better on 2 and 4: 50%. Bunkers: 3 and 4, saved on 4.
    QCOMPARE(*s.scramblingPct, 50.0);
    QCOMPARE(*s.sandSavesPct, 50.0);
    QCOMPARE(*s.penalties, 1.0);
    QCOMPARE(s.puttsByRound, (QList<std::pair<QString, double>>{{"2004-06-05", 34.0}}));
    QCOMPARE(s.scramblingByMonth.value(0).second, (std::pair<int, int>{4, 2}));
    // The putts a round still stand over both cards that have them: (34 + 30) / 2.
    QCOMPARE(*s.puttsPerRound, 32.0);
}

void TestSeason::theSeasonWindow()
{
    Fixture f(QDate(2004, 11, 1));
    QVERIFY(seedSeason(f));
    QWidget* hub = f.app->show(QStringLiteral("stats"));
    QVERIFY(hub);
    QVERIFY(pick(child<QComboBox>(hub, QStringLiteral("Combo0")), QStringLiteral("Adams")));
    QTest::mouseClick(child<QPushButton>(hub, QStringLiteral("Command20")), Qt::LeftButton);
    auto* season = qobject_cast<SeasonWindow*>(f.app->find(QStringLiteral("season")));
    QVERIFY(season);
    QCOMPARE(season->windowTitle(), QStringLiteral("Season Statistics"));
    const auto text = [season](const char* name) {
        return child<QLabel>(season, QString::fromLatin1(name))->text();
    };
    QCOMPARE(child<QLineEdit>(season, QStringLiteral("from"))->text(),
             QStringLiteral("1 Jan 2004"));
    QCOMPARE(text("rounds"), QStringLiteral("3"));
    QCOMPARE(text("avgNet"), QStringLiteral("62.0"));
    QCOMPARE(text("greensPct"), QStringLiteral("51%"));
    QCOMPARE(text("fairwaysPct"), QStringLiteral("15%"));
    QCOMPARE(text("pars"), QStringLiteral("30 (86%)"));
    QCOMPARE(text("par4Avg"), QStringLiteral("4.21"));
    QVERIFY(text("noPars").startsWith(QStringLiteral("1 of the rounds is on courses without")));
    // No card keeps its holes' putts: the short game says so and shows nothing else.
    QCOMPARE(text("detailRounds"), QStringLiteral("0 of 3"));
    QCOMPARE(text("scrambling"), QString());
    // A range with no rounds: empty, not 0%.
    auto* from = child<QLineEdit>(season, QStringLiteral("from"));
    from->setText(QStringLiteral("1 Jan 2005"));
    child<QLineEdit>(season, QStringLiteral("to"))->setText(QStringLiteral("31 Dec 2005"));
    season->refresh();
    for (const char* name :
         {"rounds", "avgGross", "fairwaysPct", "greensPct", "puttsPerRound", "eagles", "par3Avg"})
        QCOMPARE(text(name), QString());
    QCOMPARE(text("noPars"), QStringLiteral("No rounds in these dates."));
    QVERIFY(season->saveCsv(f.path(QStringLiteral("season.csv"))));
    // The printed report carries the four charts, two across the page.
    QVERIFY(season->savePdf(f.path(QStringLiteral("season.pdf"))));
    const report::Layout printed = season->makeReport().layout();
    int charts = 0;
    for (const report::Band& band : printed.bands)
        for (const report::Item& item : band.items)
            if (item.kind == report::Item::Kind::Picture) {
                QVERIFY2(QSvgRenderer(item.picture).isValid(), qPrintable(item.picture));
                ++charts;
            }
    QCOMPARE(charts, 4);
    QCOMPARE(printed.width, report::PageSetup().width);
}

PARLOG_TEST(TestSeason)
#include "tst_season.moc"
