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

// The stroke indexes as typed: all empty (the course has none yet), or each of 1 to 18
// once. Fails naming the hole whose box does not read, or the index used twice or
// given to no hole.
Status readStrokeIndexes(const std::array<QString, 18>& texts,
                         std::array<std::optional<int>, 18>& into);

// A tee's row as typed. The ratings go together: both (a rated tee) or neither. A
// course rating is kept to one decimal, within 20 strokes of the tee's par, a slope
// rating is a whole number from 55 to 155; an empty par is the course's. Fails saying which box and
// why.
struct TeeTexts {
    QString name;
    QString ratedFor;
    QString courseRating;
    QString slopeRating;
    QString par;
    // Each nine's ratings, "35.6 / 121 / 36" (rating / slope / par); empty for none.
    QString front = {};
    QString back = {};
};
// The ratings of a nine as a tee's row shows them: "35.6 / 121 / 36"; empty for none.
QString nineText(const Tee::Nine& nine);
// COURSEPAR: the course's, for a tee with no par of its own; 0 when not known.
Result<Tee> readTee(const TeeTexts& texts, double coursePar);

} // namespace parlog
