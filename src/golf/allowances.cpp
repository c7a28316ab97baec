#include "golf/allowances.h"

#include "golf/rules.h"

#include <algorithm>

namespace parlog::golf {

bool oneBall(TeamFormat format)
{
    switch (format) {
    case TeamFormat::Foursomes:
    case TeamFormat::Greensomes:
    case TeamFormat::Chapman:
    case TeamFormat::Scramble2:
    case TeamFormat::Scramble3:
    case TeamFormat::Scramble4:
        return true;
    default:
        return false;
    }
}

int sideSize(TeamFormat format)
{
    switch (format) {
    case TeamFormat::Individual:
        return 1;
    case TeamFormat::FourBall:
    case TeamFormat::Foursomes:
    case TeamFormat::Greensomes:
    case TeamFormat::Chapman:
    case TeamFormat::Scramble2:
        return 2;
    case TeamFormat::Scramble3:
        return 3;
    default:
        return 4;
    }
}

int ballsCounted(TeamFormat format)
{
    switch (format) {
    case TeamFormat::BestTwoOfFour:
        return 2;
    case TeamFormat::BestThreeOfFour:
        return 3;
    case TeamFormat::AllFourOfFour:
        return 4;
    default:
        return 1;
    }
}

const char* formatName(TeamFormat format)
{
    switch (format) {
    case TeamFormat::Individual:
        return "Individual";
    case TeamFormat::FourBall:
        return "Four-ball better ball";
    case TeamFormat::Foursomes:
        return "Foursomes";
    case TeamFormat::Greensomes:
        return "Greensomes";
    case TeamFormat::Chapman:
        return "Pinehurst / Chapman";
    case TeamFormat::BestOneOfFour:
        return "Best 1 of 4";
    case TeamFormat::BestTwoOfFour:
        return "Best 2 of 4";
    case TeamFormat::BestThreeOfFour:
        return "Best 3 of 4";
    case TeamFormat::AllFourOfFour:
        return "All 4 of 4";
    case TeamFormat::Scramble2:
        return "Scramble, two players";
    case TeamFormat::Scramble3:
        return "Scramble, three players";
    case TeamFormat::Scramble4:
        return "Scramble, four players";
    }
    return "";
}

QList<double> oneBallShares(TeamFormat format)
{
    switch (format) {
    case TeamFormat::Foursomes:
        return {0.5, 0.5};
    case TeamFormat::Greensomes:
    case TeamFormat::Chapman:
        return {0.6, 0.4};
    case TeamFormat::Scramble2:
        return {0.35, 0.15};
    case TeamFormat::Scramble3:
        return {0.3, 0.2, 0.1};
    case TeamFormat::Scramble4:
        return {0.25, 0.2, 0.15, 0.1};
    default:
        return {};
    }
}

double allowance(TeamFormat format, Play play)
{
    if (oneBall(format))
        return 1.0;
    const bool parBogey = play == Play::ParBogey;
    switch (format) {
    case TeamFormat::Individual:
        return play == Play::MatchPlay ? 1.0 : 0.95;
    case TeamFormat::FourBall:
        return play == Play::MatchPlay || parBogey ? 0.9 : 0.85;
    case TeamFormat::BestOneOfFour:
        return 0.75;
    case TeamFormat::BestTwoOfFour:
        return parBogey ? 0.8 : 0.85;
    case TeamFormat::BestThreeOfFour:
        return parBogey ? 0.9 : 1.0;
    default:
        return 1.0;
    }
}

QList<int> playingHandicaps(TeamFormat format, Play play, const QList<double>& courseHandicaps)
{
    return playingHandicaps(format, play, courseHandicaps, allowance(format, play));
}

QList<int> playingHandicaps(TeamFormat format, Play, const QList<double>& courseHandicaps,
                            double committeeAllowance)
{
    QList<int> playing;
    if (!oneBall(format)) {
        for (double ch : courseHandicaps)
            playing << roundToWhole(ch * committeeAllowance);
        return playing;
    }
    const QList<double> shares = oneBallShares(format);
    if (courseHandicaps.size() != shares.size())
        return playing;
    // The shares go from the lowest Course Handicap up; a plus handicap is the lowest.
    QList<double> sorted = courseHandicaps;
    std::sort(sorted.begin(), sorted.end());
    double side = 0;
    for (qsizetype i = 0; i < sorted.size(); ++i)
        side += shares[i] * sorted[i];
    playing << roundToWhole(side * committeeAllowance);
    return playing;
}

int mixedTeeStrokes(Play play, int teePar, int lowestPar)
{
    if (play == Play::Stableford || play == Play::ParBogey)
        return 0;
    return std::max(0, teePar - lowestPar);
}

} // namespace parlog::golf
