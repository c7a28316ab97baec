#pragma once

#include "data/connection.h"

#include <QStringList>
#include <QVariantList>

#include <array>
#include <cstdint>
#include <optional>

namespace parlog {

// The course par: the 32-bit sum of the eighteen pars, each rounded halves to even.
// Empty when a box cannot be read or the sum leaves the range.
std::optional<std::int32_t> coursePar(const std::array<QString, 18>& pars);

// The pars and the course par as stored: the numbers as typed (4.5 stays 4.5).
// Empty when a box is empty or not a number; problem then names the box.
std::optional<QVariantList> parValues(const std::array<QString, 18>& pars, const QString& coursePar,
                                      QString* problem);

// Division names.
bool addDivision(Connection& connection, const QString& name);
bool removeDivision(Connection& connection, const QString& name);
std::optional<QStringList> divisionNames(Connection& connection);

} // namespace parlog
