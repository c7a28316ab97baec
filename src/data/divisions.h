#pragma once

#include "data/queries.h"

// The division names.
namespace parlog::divisions {

// Each name once, in order.
Result<QStringList> names(Connection& connection);
Status add(Connection& connection, const QString& name);
// Removes every row of that name.
Status remove(Connection& connection, const QString& name);

} // namespace parlog::divisions
