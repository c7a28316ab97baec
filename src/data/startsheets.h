#pragma once

#include "data/queries.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A competition's start sheet kept in the register: how it was made and each player's
// group, time and tee, saved together in place of the one before.
namespace parlog::startsheets {

struct Place {
    int group = 1; // from 1, in the sheet's order
    QString time;  // "08:09"
    QString tee;   // "1", "10", "5B"
    QString name;
    QString unit; // the entry the player came in with
    bool operator==(const Place&) const = default;
};

struct Sheet {
    QString competition;
    QString date; // ISO
    QString firstTime = QStringLiteral("08:00");
    int interval = 9;
    int groupSize = 4;
    QString startFrom = QStringLiteral("first"); // "first", "two", "shotgun"
    QString orderBy = QStringLiteral("random");  // "random", "balanced", "entered"
    quint32 seed = 0;
    QList<Place> places = {}; // in the sheet's order, group by group
    bool operator==(const Sheet&) const = default;
};

// The competition's sheet; none when it has none.
Result<std::optional<Sheet>> read(Connection& connection, const QString& competition,
                                  const QString& date);
// Keeps the sheet in place of the competition's sheet before, all or none.
Status save(Connection& connection, const Sheet& sheet);
// Every sheet's competition and day, the newest first.
Result<QList<std::pair<QString, QString>>> kept(Connection& connection);

} // namespace parlog::startsheets
