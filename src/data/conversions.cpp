#include "data/conversions.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <limits>

namespace parlog {

namespace {

const char* const kMonthShort[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthLong[12] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString trimBlanks(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

template <typename Int> std::optional<Int> toWhole(const QString& text)
{
    const auto number = toNumber(text);
    if (!number)
        return std::nullopt;
    const auto rounded = roundHalfEven(*number);
    if (!rounded || *rounded < std::numeric_limits<Int>::min() ||
        *rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(*rounded);
}

// Month by number or by English name, full or abbreviated to three or more letters.
int monthOf(const QString& token)
{
    bool numeric = false;
    const int n = token.toInt(&numeric);
    if (numeric)
        return (n >= 1 && n <= 12 && token.size() <= 2) ? n : 0;
    if (token.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m) {
        const QString name = QString::fromLatin1(kMonthLong[m]);
        if (name.startsWith(token, Qt::CaseInsensitive))
            return m + 1;
    }
    if (token.compare(u"Sept", Qt::CaseInsensitive) == 0)
        return 9;
    return 0;
}

int yearOf(const QString& token)
{
    bool ok = false;
    const int y = token.toInt(&ok);
    if (!ok)
        return 0;
    if (token.size() == 2)
        return y < 30 ? 2000 + y : 1900 + y;
    if (token.size() == 4 && y >= 1000)
        return y;
    return 0;
}

} // namespace

namespace {

// A plain decimal (a sign, digits, one point) of up to fifteen digits, as nearly every
// box and cell holds; nothing for anything else. Its digits and its power of ten are
// exact doubles, so that one division rounds as the full parse does.
std::optional<double> plainDecimal(const QString& text)
{
    static constexpr double kPowers[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const qsizetype size = text.size();
    qsizetype i = 0;
    const bool negative = size > 0 && text[0] == u'-';
    if (size > 0 && (text[0] == u'-' || text[0] == u'+'))
        ++i;
    qint64 n = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9' || ++digits > 15)
            return std::nullopt;
        n = n * 10 + (c - u'0');
        decimals += point;
    }
    if (digits == 0)
        return std::nullopt;
    const double value = double(n) / kPowers[decimals];
    return negative ? -value : value;
}

} // namespace

std::optional<double> toNumber(const QString& text)
{
    if (const auto plain = plainDecimal(text))
        return plain;
    static const QRegularExpression pattern(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    const QString t = trimBlanks(text);
    if (!pattern.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int strokesOff(double handicap)
{
    return int(roundHalfEven(handicap).value_or(0));
}

std::optional<std::int64_t> roundHalfEven(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 9.0e18)
        return std::nullopt;
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return static_cast<std::int64_t>(result);
}

std::optional<std::int16_t> toInt16(const QString& text)
{
    return toWhole<std::int16_t>(text);
}

std::optional<std::int32_t> toInt32(const QString& text)
{
    return toWhole<std::int32_t>(text);
}

std::optional<std::int16_t> add16(std::int16_t a, std::int16_t b)
{
    const int sum = int(a) + int(b);
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(sum);
}

std::optional<std::int16_t> subtract16(std::int16_t a, std::int16_t b)
{
    const int difference = int(a) - int(b);
    if (difference < std::numeric_limits<std::int16_t>::min() ||
        difference > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(difference);
}

std::optional<QDate> toDate(const QString& text)
{
    const QString t = text.trimmed();
    static const QRegularExpression iso(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})$)"));
    if (const auto m = iso.match(t); m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
    }
    // Tokens are runs of digits or of letters; anything between them must be a
    // separator a person would type in a date.
    static const QRegularExpression token(QStringLiteral(R"(\d+|[A-Za-z]+)"));
    static const QRegularExpression separators(QStringLiteral(R"(^[\s\-/.,]*$)"));
    QStringList parts;
    qsizetype at = 0;
    auto it = token.globalMatch(t);
    while (it.hasNext()) {
        const auto m = it.next();
        if (!separators.match(t.mid(at, m.capturedStart() - at)).hasMatch())
            return std::nullopt;
        parts << m.captured();
        at = m.capturedEnd();
    }
    if (at != t.size() || parts.size() != 3)
        return std::nullopt;

    QString dayText = parts[0];
    QString monthText = parts[1];
    // "March 5 2004": a month name first is unambiguous, so take it.
    if (!dayText.at(0).isDigit() && monthText.at(0).isDigit())
        std::swap(dayText, monthText);
    bool ok = false;
    const int day = dayText.toInt(&ok);
    if (!ok || dayText.size() > 2)
        return std::nullopt;
    const int month = monthOf(monthText);
    const int year = yearOf(parts[2]);
    if (month == 0 || year == 0)
        return std::nullopt;
    const QDate d(year, month, day);
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

std::optional<QString> toStoredDate(const QString& text)
{
    const auto d = toDate(text);
    if (!d)
        return std::nullopt;
    return isoDate(*d);
}

QString isoDate(const QDate& date)
{
    const int y = date.year();
    if (!date.isValid() || y < 1000 || y > 9999)
        return date.toString(Qt::ISODate);
    const auto digit = [](int n) { return char16_t(u'0' + n); };
    const char16_t text[10] = {digit(y / 1000),
                               digit(y / 100 % 10),
                               digit(y / 10 % 10),
                               digit(y % 10),
                               u'-',
                               digit(date.month() / 10),
                               digit(date.month() % 10),
                               u'-',
                               digit(date.day() / 10),
                               digit(date.day() % 10)};
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

QString formatDate(const QDate& date, DateFormat format)
{
    if (!date.isValid())
        return {};
    const QString month = QString::fromLatin1(kMonthShort[date.month() - 1]);
    const QString yy = QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
    switch (format) {
    case DateFormat::Short:
        return QStringLiteral("%1-%2-%3").arg(date.day()).arg(month, yy);
    case DateFormat::ShortPadded:
        return QStringLiteral("%1-%2-%3").arg(date.day(), 2, 10, QLatin1Char('0')).arg(month, yy);
    case DateFormat::DottedShort:
        return QStringLiteral("%1.%2.%3").arg(date.day()).arg(month, yy);
    case DateFormat::DottedLong:
        return QStringLiteral("%1.%2%3").arg(date.day()).arg(month).arg(date.year());
    case DateFormat::Long:
        return QStringLiteral("%1 %2 %3")
            .arg(date.day())
            .arg(QString::fromLatin1(kMonthLong[date.month() - 1]))
            .arg(date.year());
    case DateFormat::Medium:
        return QStringLiteral("%1 %2 %3").arg(date.day()).arg(month).arg(date.year());
    }
    return {};
}

QString formatStoredDate(const QVariant& value, DateFormat format)
{
    if (value.isNull())
        return {};
    if (value.metaType().id() == QMetaType::QDate)
        return formatDate(value.toDate(), format);
    const QString text = value.toString();
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (d.isValid())
        return formatDate(d, format);
    if (const auto typed = toDate(text))
        return formatDate(*typed, format);
    return text;
}

QString valueText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (value.metaType().id() == QMetaType::Double) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    return value.toString();
}

} // namespace parlog
