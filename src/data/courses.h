#pragma once

#include "data/queries.h"

#include <QHash>

#include <array>

// The register of courses.
namespace parlog::courses {

Result<QStringList> names(Connection& connection);
// The first stored row of that name; an empty record when there is none.
Result<Record> rowNamed(Connection& connection, const QString& name);

// The par of each hole of every course whose eighteen pars are all in the register,
// by course name in lower case.
Result<QHash<QString, std::array<double, 18>>> pars(Connection& connection);

} // namespace parlog::courses
