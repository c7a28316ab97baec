// libFuzzer target for what turns typed text into stored values: the box conversions,
// the score card's 16-bit totals and the date parser. Any text may arrive; none may
// crash, a value that comes out must survive its round trip, and 16-bit results
// stay 16-bit.
#include "data/conversions.h"
#include "data/scorecard.h"

#include <QString>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

using namespace parlog;

namespace {

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void numbers(const QString& text)
{
    if (const auto n = toNumber(text))
        require(std::isfinite(*n));
    const auto small = toInt16(text);
    if (small) {
        require(toInt16(QString::number(*small)) == small);
        require(toInt32(text) == std::int32_t(*small));
    }
    if (const auto whole = toInt32(text)) {
        require(toInt32(QString::number(*whole)) == whole);
        const bool fits = *whole >= std::numeric_limits<std::int16_t>::min() &&
                          *whole <= std::numeric_limits<std::int16_t>::max();
        require(fits == small.has_value());
    }
}

void dates(const QString& text)
{
    const auto date = toDate(text);
    const auto stored = toStoredDate(text);
    require(date.has_value() == stored.has_value());
    if (!date)
        return;
    require(date->isValid());
    require(toDate(*stored) == date);
    if (date->year() >= 1000 && date->year() <= 9999) {
        require(toDate(formatDate(*date, DateFormat::Long)) == date);
        require(toDate(formatDate(*date, DateFormat::Medium)) == date);
        require(toDate(formatDate(*date, DateFormat::DottedLong)) == date);
    }
    if (date->year() >= 1930 && date->year() <= 2029)
        require(toDate(formatDate(*date, DateFormat::Short)) == date);
}

// The input split at commas fills a card's holes and handicap.
void card(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    CardTotals totals;
    for (int h = 0; h < 18; ++h)
        totals.holes[h] = parts.value(h);
    totals.handicap = parts.value(18);
    totals.out = totals.inn = totals.gross = totals.net = QStringLiteral("0");
    recomputeTotals(totals);
    for (const QString* total : {&totals.out, &totals.inn, &totals.gross, &totals.net})
        require(toInt16(*total).has_value());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    numbers(text);
    dates(text);
    card(text);
    return 0;
}
