#pragma once

#include "data/records.h"

#include <array>
#include <cstdint>
#include <optional>

namespace parlog {

// The course par: the 32-bit sum of the eighteen pars, each rounded halves to even.
// Empty when a box cannot be read or the sum leaves the range.
std::optional<std::int32_t> coursePar(const std::array<QString, 18>& pars);

// The pars and the course par into the course, as they are stored: the numbers as typed
// (4.5 stays 4.5). Fails naming the box that is empty or not a number.
Status readPars(const std::array<QString, 18>& pars, const QString& coursePar, Course& into);

} // namespace parlog
