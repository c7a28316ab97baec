#pragma once

#include "data/queries.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A society's seasons: the dates, the points and the competitions of an order of merit,
// kept in the register.
namespace parlog::seasons {

struct Season {
    std::optional<qint64> id; // none until kept
    QString name;
    QString from; // ISO
    QString to;   // ISO
    // The points of each finishing position, the winner's first.
    QList<double> positionPoints{25, 18, 15, 12, 10, 8, 6, 4, 2, 1};
    double playingPoints = 0; // for playing at all
    int bestOf = 0;           // the best so many events count; 0: all of them
    // The competitions of the dates that do not count: (name, ISO date).
    QList<std::pair<QString, QString>> leftOut;
    // The season as it was read from the register: saved over only if it still reads so.
    Record asRead;
    QList<std::pair<QString, QString>> leftOutAsRead;

    bool leavesOut(const QString& competition, const QString& date) const;
};

// "25, 18, 15" and back; nothing from a text with anything but numbers in it.
QString pointsText(const QList<double>& points);
std::optional<QList<double>> readPoints(const QString& text);

// Every season kept, by name.
Result<QList<Season>> all(Connection& connection);
struct Kept {
    Saved::Outcome outcome = Saved::Outcome::Stored; // Gone, ChangedMeanwhile: nothing kept
    qint64 id = 0;
};
// Keeps the season, in place of the one with its id (if it still reads as it was read)
// or as a new one; gives its id.
Result<Kept> save(Connection& connection, const Season& season);
Status remove(Connection& connection, qint64 id);

} // namespace parlog::seasons
