#include "data/csvread.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace parlog::csv {

namespace {

// Windows-1252's characters for the bytes 0x80 to 0x9F; the rest are Latin-1's.
constexpr char16_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

bool hasBom(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

int month(const QString& name)
{
    static const QStringList names{"jan", "feb", "mar", "apr", "may", "jun",
                                   "jul", "aug", "sep", "oct", "nov", "dec"};
    return int(names.indexOf(name.left(3).toLower())) + 1;
}

int fullYear(const QString& digits)
{
    const int y = digits.toInt();
    if (digits.size() > 2)
        return y;
    return y < 50 ? 2000 + y : 1900 + y;
}

} // namespace

Dialect detect(const QByteArray& bytes)
{
    Dialect d;
    if (!hasBom(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)QString(utf8(bytes));
        if (utf8.hasError())
            d.encoding = Encoding::Windows1252;
    }
    // The header line, outside quotes.
    int counts[3] = {0, 0, 0};
    const char separators[3] = {',', ';', '\t'};
    bool quoted = false;
    for (const char c : bytes) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            for (int s = 0; s < 3; ++s)
                counts[s] += c == separators[s];
    }
    int best = 0;
    for (int s = 1; s < 3; ++s)
        if (counts[s] > counts[best])
            best = s;
    d.separator = QLatin1Char(separators[best]);
    return d;
}

QString decode(const QByteArray& bytes, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(hasBom(bytes) ? bytes.mid(3) : bytes);
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b)));
    }
    return text;
}

Result<Table> parse(const QString& text, QChar separator)
{
    Table table;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    int line = 1;
    int rowLine = 1;
    int quoteLine = 0;
    const auto endRow = [&] {
        fields << field;
        field.clear();
        wasQuoted = false;
        // A blank line is no row.
        if (!(fields.size() == 1 && fields.first().isEmpty())) {
            if (table.header.isEmpty() && table.rows.isEmpty())
                table.header = fields;
            else {
                table.rows << fields;
                table.lines << rowLine;
            }
        }
        fields.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            quoteLine = line;
        } else if (c == separator) {
            fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRow();
            ++line;
            rowLine = line;
        } else {
            field += c;
        }
    }
    if (quoted)
        return Failure{QStringLiteral("a quote opened on line %1 is never closed").arg(quoteLine)};
    if (!field.isEmpty() || !fields.isEmpty())
        endRow();
    for (QString& name : table.header)
        name = name.trimmed();
    return table;
}

std::optional<QDate> readDate(const QString& text, DateOrder order)
{
    const QString t = text.trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})$"));
    static const QRegularExpression dayName(
        QStringLiteral("^(\\d{1,2})[ \\-/.]?([A-Za-z]{3,9})[ \\-/.,]*(\\d{2}|\\d{4})$"));
    static const QRegularExpression nameDay(
        QStringLiteral("^([A-Za-z]{3,9})[ \\-/.]?(\\d{1,2}),?[ \\-/.]*(\\d{2}|\\d{4})$"));
    QDate date;
    if (const auto m = iso.match(t); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (const auto n = numeric.match(t); n.hasMatch()) {
        const int a = n.captured(1).toInt();
        const int b = n.captured(2).toInt();
        const int y = fullYear(n.captured(3));
        date = order == DateOrder::MonthFirst ? QDate(y, a, b) : QDate(y, b, a);
    } else if (const auto d = dayName.match(t); d.hasMatch() && month(d.captured(2)) > 0) {
        date = QDate(fullYear(d.captured(3)), month(d.captured(2)), d.captured(1).toInt());
    } else if (const auto e = nameDay.match(t); e.hasMatch() && month(e.captured(1)) > 0) {
        date = QDate(fullYear(e.captured(3)), month(e.captured(1)), e.captured(2).toInt());
    }
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

DateOrder detectDateOrder(const QStringList& dates)
{
    static const QRegularExpression numeric(
        QStringLiteral("^\\s*(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})\\s*$"));
    static const QRegularExpression iso(QStringLiteral("^\\s*\\d{4}-\\d{1,2}-\\d{1,2}\\s*$"));
    bool allIso = !dates.isEmpty();
    bool dayFirstPossible = true;
    bool monthFirstPossible = true;
    for (const QString& d : dates) {
        if (d.trimmed().isEmpty())
            continue;
        allIso &= iso.match(d).hasMatch();
        if (const auto m = numeric.match(d); m.hasMatch()) {
            dayFirstPossible &= m.captured(2).toInt() <= 12;
            monthFirstPossible &= m.captured(1).toInt() <= 12;
        }
    }
    if (allIso)
        return DateOrder::Iso;
    return !dayFirstPossible && monthFirstPossible ? DateOrder::MonthFirst : DateOrder::DayFirst;
}

} // namespace parlog::csv
