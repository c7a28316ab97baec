#pragma once

#include "data/connection.h"

#include <QString>

#include <optional>

namespace parlog::players {

// Whether the register has a player of that name (names match ignoring case).
std::optional<bool> exists(Connection& connection, const QString& name);

} // namespace parlog::players
