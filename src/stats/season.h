#pragma once

#include "data/queries.h"
#include "data/rounds.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace parlog {

// A player's season in numbers. Holes scored 0 were not played and count in no
// per-hole figure; rounds on a course without pars in the register count in the
// totals but not in the figures that need par.
struct SeasonFigures {
    int rounds = 0;
    std::optional<double> avgGross;
    std::optional<double> avgNet;
    std::optional<int> bestNet;
    std::optional<int> worstNet;
    std::optional<double> fairwaysPct;   // fairways hit on par 4s and 5s
    std::optional<double> greensPct;     // greens in regulation, of holes played
    std::optional<double> puttsPerRound; // of rounds with their putts recorded
    std::optional<double> puttsPerGreen; // those putts per green in regulation
    // Scores to par: eagle or better, birdie, par, bogey, double bogey, worse.
    std::array<int, 6> toPar{};
    int holesToPar = 0;
    std::array<std::optional<double>, 3> parAverage; // on par 3s, 4s and 5s
    int roundsWithoutPars = 0;
    // Each round's date (ISO) and net, oldest first, for the chart.
    QList<std::pair<QString, double>> nets;
    // The player's Handicap Index from the record, as it stood at the end of the range.
    std::optional<double> handicapIndex;
    // From the cards that keep their holes' putts, and from no other: how many there
    // are, and what they show. Putts a green in regulation is then theirs, exactly.
    int detailRounds = 0;
    std::optional<double> onePutts;   // a round
    std::optional<double> threePutts; // three or more, a round
    std::array<std::optional<double>, 3> puttsByPar; // a hole, on par 3s, 4s and 5s
    std::optional<double> scramblingPct; // par or better on greens missed in regulation
    std::optional<double> sandSavesPct;  // par or better from a greenside bunker
    std::optional<double> penalties;     // penalty strokes a round
    // For the charts: each such round's date and putts, oldest first; and by month
    // ("2004-06"), the greens missed and how many of them were scrambled.
    QList<std::pair<QString, double>> puttsByRound;
    QList<std::pair<QString, std::pair<int, int>>> scramblingByMonth;
};

// The figures of the cards, with the pars of the courses (courses::pars).
SeasonFigures seasonFigures(const QList<rounds::SeasonCard>& cards,
                            const QHash<QString, std::array<double, 18>>& pars);

// One figure as the window shows it and the report prints it: its name (the label's),
// its caption and its value in words.
struct SeasonLine {
    QString name;
    QString caption;
    QString value;
    bool shortGame = false; // from the cards with their holes' detail
};
// Every figure, in the order they stand; empty values where the rounds give none.
QList<SeasonLine> seasonLines(const SeasonFigures& figures);

// The mean of each value and the ones before it, up to count of them.
QList<double> rollingAverage(const QList<double>& values, int count);

} // namespace parlog
