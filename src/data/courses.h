#pragma once

#include "data/queries.h"

// The register of courses.
namespace parlog::courses {

Result<QStringList> names(Connection& connection);
// The first stored row of that name; an empty record when there is none.
Result<Record> rowNamed(Connection& connection, const QString& name);

} // namespace parlog::courses
