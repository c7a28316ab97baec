#pragma once

#include "data/queries.h"
#include "data/records.h"

// The register of players.
namespace parlog::players {

Result<QStringList> names(Connection& connection);
// Every player, in name order.
Result<QList<Player>> all(Connection& connection);
// The first stored row of that name; an empty record when there is none.
Result<Record> rowNamed(Connection& connection, const QString& name);
// Whether the register has a player of that name (names match ignoring case).
Result<bool> exists(Connection& connection, const QString& name);
// A handicap as typed or as a spreadsheet writes it ("12.4", "12,4", "+1.2" for a plus
// handicap): as it is kept, or why it cannot be kept. Empty is no handicap.
Result<QString> readHandicap(const QString& text);
// Stores a new handicap, as typed, for every player of that name; the result is how
// many rows took it (0: no player bears the name).
Result<int> setHandicap(Connection& connection, const QString& name, const QString& handicap);

} // namespace parlog::players
