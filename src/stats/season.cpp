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
    return lines;
}

SeasonFigures seasonFigures(const Rows& rounds, const QHash<QString, std::array<double, 18>>& pars)
{
    QHash<QString, int> index;
    for (qsizetype i = 0; i < rounds.columns.size(); ++i)
        index.insert(rounds.columns[i].toLower(), int(i));
    const int grossAt = index.value(QStringLiteral("gross"), -1);
    const int netAt = index.value(QStringLiteral("net"), -1);
    const int dateAt = index.value(QStringLiteral("strdate"), -1);
    const int courseAt = index.value(QStringLiteral("course"), -1);
    const int puttsAt = index.value(QStringLiteral("putts"), -1);
    // The columns of each hole, looked up once.
    std::array<int, 18> holeAt{};
    std::array<int, 18> greenAt{};
    std::array<int, 18> fairwayAt{};
    std::array<int, 18> puttsAtHole{};
    std::array<int, 18> penaltyAt{};
    std::array<int, 18> bunkerAt{};
    for (int h = 0; h < 18; ++h) {
        holeAt[h] = index.value(QStringLiteral("hole%1").arg(h + 1), -1);
        greenAt[h] = index.value(QStringLiteral("green%1").arg(h + 1), -1);
        fairwayAt[h] = index.value(QStringLiteral("fairway%1").arg(h + 1), -1);
        puttsAtHole[h] = index.value(QStringLiteral("p%1").arg(h + 1), -1);
        penaltyAt[h] = index.value(QStringLiteral("x%1").arg(h + 1), -1);
        bunkerAt[h] = index.value(QStringLiteral("b%1").arg(h + 1), -1);
    }
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
    static const QVariant none;
    for (const QVariantList& line : rounds.rows) {
        // A cell by reference, nothing copied: thousands of cards, a hundred cells each.
        const auto row = [&line](int at) -> const QVariant& {
            return at >= 0 && at < line.size() ? line.at(at) : none;
        };
        ++f.rounds;
        if (const QVariant g = row(grossAt); !g.isNull()) {
            gross += g.toDouble();
            ++grossCount;
        }
        if (const QVariant n = row(netAt); !n.isNull()) {
            net += n.toDouble();
            ++netCount;
            const int whole = n.toInt();
            f.bestNet = f.bestNet ? std::min(*f.bestNet, whole) : whole;
            f.worstNet = f.worstNet ? std::max(*f.worstNet, whole) : whole;
            f.nets.append({row(dateAt).toString(), n.toDouble()});
        }
        const auto course = pars.constFind(row(courseAt).toString().toLower());
        const bool withPars = course != pars.constEnd();
        if (!withPars)
            ++f.roundsWithoutPars;
        int roundGreens = 0;
        for (int h = 1; h <= 18; ++h) {
            const int strokes = row(holeAt[h - 1]).toInt();
            if (strokes <= 0)
                continue; // not played
            ++played;
            const bool green = row(greenAt[h - 1]).toInt() != 0;
            greens += green;
            roundGreens += green;
            if (!withPars)
                continue;
            const int par = int((*course)[h - 1]);
            if (par >= 4) {
                ++drivingHoles;
                fairways += row(fairwayAt[h - 1]).toInt() != 0;
            }
            if (par >= 3 && par <= 5) {
                parStrokes[par - 3] += strokes;
                ++parHoles[par - 3];
            }
            const int over = strokes - par;
            ++f.toPar[over <= -2 ? 0 : over >= 3 ? 5 : over + 2];
            ++f.holesToPar;
        }
        if (const double p = row(puttsAt).toDouble(); p > 0) {
            putts += p;
            ++puttRounds;
            puttGreens += roundGreens;
        }
        // Hole by hole, where the card keeps its putts.
        const auto kept = [&row](int at) { return at >= 0 && !row(at).isNull(); };
        if (std::none_of(puttsAtHole.cbegin(), puttsAtHole.cend(), kept))
            continue;
        ++f.detailRounds;
        int roundPutts = 0;
        int roundMissed = 0;
        int roundScrambled = 0;
        for (int h = 0; h < 18; ++h) {
            const int strokes = row(holeAt[h]).toInt();
            if (strokes <= 0)
                continue;
            const bool green = row(greenAt[h]).toInt() != 0;
            const int par = withPars ? int((*course)[h]) : 0;
            penaltyStrokes += row(penaltyAt[h]).toInt();
            if (kept(puttsAtHole[h])) {
                const int p = row(puttsAtHole[h]).toInt();
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
            if (row(bunkerAt[h]).toInt() != 0) {
                ++bunkerHoles;
                sandSaves += strokes <= par;
            }
        }
        const QString date = row(dateAt).toString();
        f.puttsByRound.append({date, double(roundPutts)});
        if (roundMissed > 0) {
            std::pair<int, int>& month = byMonth[date.left(7)];
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
