#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

namespace parlog {

// Box texts are what the user typed; these turn them into column values. Each one
// fails (empty optional) rather than guess, so a statement never stores a value the
// user did not mean.

// A number as typed: blanks around it, an optional sign, digits with an optional
// fraction and exponent. Empty or anything else fails.
std::optional<double> toNumber(const QString& text);

// Whole numbers as the score card and the par boxes count them: a fraction goes to
// the nearest whole number, halves to the even one (12.5 -> 12, 13.5 -> 14). Out of
// range fails.
std::optional<std::int16_t> toInt16(const QString& text);
std::optional<std::int32_t> toInt32(const QString& text);

// Halves to even for values that are already numbers (handicaps, averages).
std::optional<std::int64_t> roundHalfEven(double value);

// The whole strokes a handicap without a rated tee is played off: as the card rounds its
// handicap box, halves to even (12.5 plays off 12, 13.5 off 14). Net, the results and the
// eclectic all take it from here.
int strokesOff(double handicap);

// The 16-bit arithmetic of the score card: a partial result outside the range fails.
std::optional<std::int16_t> add16(std::int16_t a, std::int16_t b);
std::optional<std::int16_t> subtract16(std::int16_t a, std::int16_t b);

// A typed date, day first: 5-Mar-04, 5 Mar 04, 05-MAR-2004, 5/3/2004, 5.3.04,
// 5 March 2004, 5.Mar2004 and ISO 2004-03-05. Two-digit years 00-29 are 2000-2029,
// 30-99 are 1930-1999. A day that does not exist fails.
std::optional<QDate> toDate(const QString& text);

// The stored form of a date column: ISO yyyy-mm-dd, so that ordering and between work.
std::optional<QString> toStoredDate(const QString& text);
// The day as stored, YYYY-MM-DD: the same as Qt's ISO text, without its formatting
// machinery, for the many cards of an import.
QString isoDate(const QDate& date);

enum class DateFormat {
    Short,       // d-mmm-yy      5-Mar-04, the form boxes show
    ShortPadded, // dd-mmm-yy     05-Mar-04, the putts chart labels
    DottedShort, // d.MMM.yy      5.Mar.04, the score cards
    DottedLong,  // d.MMMyyyy     5.Mar2004, the compact lists
    Long,        // d MMMM yyyy   5 March 2004, report run dates
    Medium,      // d MMM yyyy    5 Mar 2004, dates in messages
};

// Month and day names are English whatever the machine's locale.
QString formatDate(const QDate& date, DateFormat format);

// A stored value (ISO text or a date) formatted for showing; anything that is not a
// date comes back as its own text.
QString formatStoredDate(const QVariant& value, DateFormat format);

// A database value as a box shows it: null as "", whole numbers without ".0".
QString valueText(const QVariant& value);

} // namespace parlog
