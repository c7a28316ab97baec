#pragma once

#include "data/queries.h"

// The register of players.
namespace parlog::players {

Result<QStringList> names(Connection& connection);
// The first stored row of that name; an empty record when there is none.
Result<Record> rowNamed(Connection& connection, const QString& name);
// Whether the register has a player of that name (names match ignoring case).
Result<bool> exists(Connection& connection, const QString& name);
// Stores a new handicap, as typed, for every player of that name; the result is how
// many rows took it (0: no player bears the name).
Result<int> setHandicap(Connection& connection, const QString& name, const QString& handicap);

} // namespace parlog::players
