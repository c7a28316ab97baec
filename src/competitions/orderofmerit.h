#pragma once

#include "data/seasons.h"
#include "competitions/results.h"

#include <QList>
#include <QString>

#include <optional>

namespace parlog {

// A competition of a season.
struct MeritEvent {
    QString name;
    QString date; // ISO
    QString course;
    int cards = 0;
    bool counted = true; // false: the season leaves it out
};

// A player's line in the order of merit.
struct MeritLine {
    QString position; // "1", "2=" for a shared place
    QString player;
    QList<std::optional<double>> points; // by counted event; none where not played
    QList<bool> counting;                // by counted event: among the best that count
    double total = 0;
    int played = 0;
};

struct OrderOfMerit {
    QList<MeritEvent> events; // the counted events, oldest first
    QList<MeritLine> lines;
};

// What each placing of a competition earns: the points of its place, players tied after
// countback sharing the points of the places they cover, averaged; and everyone who
// returned a card, placed or not, the points for playing.
QList<double> placingPoints(const QList<Placing>& placings, const QList<double>& positionPoints,
                            double playingPoints);

// The season's table from each counted event's results. The best bestOf events count
// (all when 0); ties in the total go to the better best event, then the next, and so on;
// still tied, the place is shared.
OrderOfMerit orderOfMerit(const QList<MeritEvent>& events, const QList<QList<Placing>>& results,
                          const seasons::Season& season);

// Every competition of the season's dates, oldest first, marked when it is left out.
Result<QList<MeritEvent>> seasonEvents(Connection& connection, const seasons::Season& season);
// The season's order of merit read from the register: each competition ranked as the
// results rank it, by its own format, for one division when one is given.
Result<OrderOfMerit> orderOfMerit(Connection& connection, const seasons::Season& season,
                                  const std::optional<QString>& division = {});

// Points as shown: "25", "16.5", "8.33".
QString shownPoints(double points);

} // namespace parlog
