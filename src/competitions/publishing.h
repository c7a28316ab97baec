#pragma once

#include "competitions/orderofmerit.h"
#include "competitions/results.h"
#include "data/competitions.h"
#include "data/seasons.h"
#include "reports/report.h"

#include <QList>
#include <QString>
#include <QStringList>

// The society's tables as its windows print them and as they are published from the
// command line: a competition's results, a season's order of merit.
namespace parlog::publishing {

// "Stableford, four-ball better ball, back nine"
QString playedAs(const competitions::Settings& settings);
// "18 holes", "Front nine", "Back nine"
QString nineName(competitions::Nine nine);
// "95" for 0.95
QString percentOf(double allowance);
// A placing's cells: a side's line holds its players where a player's holds the division.
QStringList placingFields(const Placing& placing);

struct ResultsHeading {
    QString competition; // with the basis and division when not the usual
    QString dates;       // "5 Mar 2026", or a range
    QString course;
    QString scratch; // the standard scratch as typed; empty or 0 for none
};
report::Report resultsReport(const QList<Placing>& placings, const competitions::Settings& settings,
                             const ResultsHeading& heading);

// A player's points at each event as the table shows them: those that do not count in
// brackets, nothing where the player did not play.
QStringList eventPoints(const MeritLine& line);
// "12 competitions, 40 players; the best 8 of each player's events count; ..."
QString meritRule(const seasons::Season& season, const OrderOfMerit& table);
// printed: each event in a column of its own when they fit; else one line of text (the
// spreadsheet's form).
report::Report meritReport(const seasons::Season& season, const OrderOfMerit& table,
                           const QString& division, const QString& dates, bool printed = true);

} // namespace parlog::publishing
