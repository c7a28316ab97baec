#include "stats/season.h"

#include "golf/whs.h"

#include <QMap>

#include <algorithm>
#include <cmath>

namespace parlog {

namespace {

std::optional<double> ratio(double part, double whole, double scale = 1)
{
    if (whole <= 0)
        return std::nullopt;
    return part * scale / whole;
}

QString decimals(const std::optional<double>& value, int places)
{
    return value ? QString::number(*value, 'f', places) : QString();
}

QString percent(const std::optional<double>& value)
{
    return value ? QStringLiteral("%1%").arg(std::lround(*value)) : QString();
}

} // namespace

QList<SeasonLine> seasonLines(const SeasonFigures& f)
{
    const auto share = [&f](int count) {
        if (f.holesToPar == 0)
            return QString();
        return QStringLiteral("%1 (%2%)").arg(count).arg(std::lround(100.0 * count / f.holesToPar));
    };
    const bool any = f.rounds > 0;
    QList<SeasonLine> lines{
        {QStringLiteral("rounds"), QStringLiteral("Rounds"),
         any ? QString::number(f.rounds) : QString()},
        {QStringLiteral("handicapIndex"), QStringLiteral("Handicap Index"),
         f.handicapIndex ? showIndex(*f.handicapIndex) : QString()},
        {QStringLiteral("avgGross"), QStringLiteral("Average gross"), decimals(f.avgGross, 1)},
        {QStringLiteral("avgNet"), QStringLiteral("Average net"), decimals(f.avgNet, 1)},
        {QStringLiteral("bestNet"), QStringLiteral("Best net"),
         f.bestNet ? QString::number(*f.bestNet) : QString()},
        {QStringLiteral("worstNet"), QStringLiteral("Worst net"),
         f.worstNet ? QString::number(*f.worstNet) : QString()},
        {QStringLiteral("fairwaysPct"), QStringLiteral("Fairways hit"), percent(f.fairwaysPct)},
        {QStringLiteral("greensPct"), QStringLiteral("Greens in regulation"),
         percent(f.greensPct)},
        {QStringLiteral("puttsPerRound"), QStringLiteral("Putts a round"),
         decimals(f.puttsPerRound, 1)},
        {QStringLiteral("puttsPerGreen"), QStringLiteral("Putts a green in regulation"),
         decimals(f.puttsPerGreen, 2)},
        {QStringLiteral("par3Avg"), QStringLiteral("Average on par 3s"),
         decimals(f.parAverage[0], 2)},
        {QStringLiteral("par4Avg"), QStringLiteral("Average on par 4s"),
         decimals(f.parAverage[1], 2)},
        {QStringLiteral("par5Avg"), QStringLiteral("Average on par 5s"),
         decimals(f.parAverage[2], 2)}};
    const char* const names[6] = {"eagles", "birdies", "pars", "bogeys", "doubles", "worse"};
    const char* const captions[6] = {"Eagles or better", "Birdies",       "Pars",
                                     "Bogeys",           "Double bogeys", "Worse"};
    for (int k = 0; k < 6; ++k)
        lines.append({QString::fromLatin1(names[k]), QString::fromLatin1(captions[k]),
                      share(f.toPar[k])});
    // The short game, from the cards that keep their holes' putts: how many they are
    // first, as every figure after stands on them alone.
    const QList<SeasonLine> shortGame{
        {QStringLiteral("detailRounds"), QStringLiteral("Cards with the holes' putts"),
         any ? QStringLiteral("%1 of %2").arg(f.detailRounds).arg(f.rounds) : QString()},
        {QStringLiteral("onePutts"), QStringLiteral("One-putts a round"), decimals(f.onePutts, 1)},
        {QStringLiteral("threePutts"), QStringLiteral("Three-putts a round"),
         decimals(f.threePutts, 1)},
        {QStringLiteral("puttsPar3"), QStringLiteral("Putts a hole on par 3s"),
         decimals(f.puttsByPar[0], 2)},
        {QStringLiteral("puttsPar4"), QStringLiteral("Putts a hole on par 4s"),
         decimals(f.puttsByPar[1], 2)},
        {QStringLiteral("puttsPar5"), QStringLiteral("Putts a hole on par 5s"),
         decimals(f.puttsByPar[2], 2)},
        {QStringLiteral("scrambling"), QStringLiteral("Scrambling"), percent(f.scramblingPct)},
        {QStringLiteral("sandSaves"), QStringLiteral("Sand saves"), percent(f.sandSavesPct)},
        {QStringLiteral("penalties"), QStringLiteral("Penalty strokes a round"),
         decimals(f.penalties, 1)}};
    for (SeasonLine line : shortGame) {
        line.shortGame = true;
        lines << line;
    }
    return lines;
}

SeasonFigures seasonFigures(const QList<rounds::SeasonCard>& cards,
                            const QHash<QString, std::array<double, 18>>& pars)
{
    SeasonFigures f;
    double gross = 0;
    int grossCount = 0;
    double net = 0;
    int netCount = 0;
    int played = 0;
    int greens = 0;
    int drivingHoles = 0;
    int fairways = 0;
    double putts = 0;
    int puttRounds = 0;
    int puttGreens = 0;
    std::array<double, 3> parStrokes{};
    std::array<int, 3> parHoles{};
    // The cards with their holes' detail.
    int girPutts = 0;
    int girHoles = 0;
    int onePutts = 0;
    int threePutts = 0;
    std::array<double, 3> puttsOnPar{};
    std::array<int, 3> puttHolesOnPar{};
    int missed = 0;
    int scrambled = 0;
    int bunkerHoles = 0;
    int sandSaves = 0;
    int penaltyStrokes = 0;
    QMap<QString, std::pair<int, int>> byMonth;
    for (const rounds::SeasonCard& c : cards) {
        ++f.rounds;
        if (c.gross) {
            gross += *c.gross;
            ++grossCount;
        }
        if (c.net) {
            net += *c.net;
            ++netCount;
            f.bestNet = f.bestNet ? std::min(*f.bestNet, *c.net) : *c.net;
            f.worstNet = f.worstNet ? std::max(*f.worstNet, *c.net) : *c.net;
            f.nets.append({c.date, double(*c.net)});
        }
        const auto course = pars.constFind(c.course.toLower());
        const bool withPars = course != pars.constEnd();
        if (!withPars)
            ++f.roundsWithoutPars;
        int roundGreens = 0;
        for (int h = 0; h < 18; ++h) {
            const int strokes = c.holes[h];
            if (strokes <= 0)
                continue; // not played
            ++played;
            greens += c.greens[h];
            roundGreens += c.greens[h];
            if (!withPars)
                continue;
            const int par = int((*course)[h]);
            if (par >= 4) {
                ++drivingHoles;
                fairways += c.fairways[h];
            }
            if (par >= 3 && par <= 5) {
                parStrokes[par - 3] += strokes;
                ++parHoles[par - 3];
            }
            const int over = strokes - par;
            ++f.toPar[over <= -2 ? 0 : over >= 3 ? 5 : over + 2];
            ++f.holesToPar;
        }
        if (c.putts > 0) {
            putts += c.putts;
            ++puttRounds;
            puttGreens += roundGreens;
        }
        // Hole by hole, where the card keeps its putts.
        if (std::all_of(c.holePutts.cbegin(), c.holePutts.cend(), [](int p) { return p < 0; }))
            continue;
        ++f.detailRounds;
        int roundPutts = 0;
        int roundMissed = 0;
        int roundScrambled = 0;
        for (int h = 0; h < 18; ++h) {
            const int strokes = c.holes[h];
            if (strokes <= 0)
                continue;
            const bool green = c.greens[h];
            const int par = withPars ? int((*course)[h]) : 0;
            penaltyStrokes += std::max(0, c.penalties[h]);
            if (const int p = c.holePutts[h]; p >= 0) {
                roundPutts += p;
                onePutts += p == 1;
                threePutts += p >= 3;
                if (green) {
                    girPutts += p;
                    ++girHoles;
                }
                if (par >= 3 && par <= 5) {
                    puttsOnPar[par - 3] += p;
                    ++puttHolesOnPar[par - 3];
                }
            }
            if (par <= 0)
                continue;
            if (!green) {
                ++missed;
                scrambled += strokes <= par;
                ++roundMissed;
                roundScrambled += strokes <= par;
            }
            if (c.bunkers[h] > 0) {
                ++bunkerHoles;
                sandSaves += strokes <= par;
            }
        }
        f.puttsByRound.append({c.date, double(roundPutts)});
        if (roundMissed > 0) {
            std::pair<int, int>& month = byMonth[c.date.left(7)];
            month.first += roundMissed;
            month.second += roundScrambled;
        }
    }
    f.avgGross = ratio(gross, grossCount);
    f.avgNet = ratio(net, netCount);
    f.greensPct = ratio(greens, played, 100);
    f.fairwaysPct = ratio(fairways, drivingHoles, 100);
    f.puttsPerRound = ratio(putts, puttRounds);
    // Exact from the cards that keep their holes' putts; from the round totals else.
    f.puttsPerGreen = f.detailRounds > 0 ? ratio(girPutts, girHoles) : ratio(putts, puttGreens);
    f.onePutts = ratio(onePutts, f.detailRounds);
    f.threePutts = ratio(threePutts, f.detailRounds);
    f.scramblingPct = ratio(scrambled, missed, 100);
    f.sandSavesPct = ratio(sandSaves, bunkerHoles, 100);
    f.penalties = ratio(penaltyStrokes, f.detailRounds);
    for (int k = 0; k < 3; ++k)
        f.puttsByPar[k] = ratio(puttsOnPar[k], puttHolesOnPar[k]);
    for (auto it = byMonth.constBegin(); it != byMonth.constEnd(); ++it)
        f.scramblingByMonth.append({it.key(), it.value()});
    for (int k = 0; k < 3; ++k)
        f.parAverage[k] = ratio(parStrokes[k], parHoles[k]);
    return f;
}

QList<double> rollingAverage(const QList<double>& values, int count)
{
    QList<double> averages;
    double sum = 0;
    for (qsizetype i = 0; i < values.size(); ++i) {
        sum += values[i];
        if (i >= count)
            sum -= values[i - count];
        averages << sum / double(std::min<qsizetype>(i + 1, count));
    }
    return averages;
}

} // namespace parlog
