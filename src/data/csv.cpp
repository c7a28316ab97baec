#include "data/csv.h"

#include "data/conversions.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QStringDecoder>

#include <array>
#include <cstring>

namespace parlog::csv {

namespace {
// What a spreadsheet runs as a formula when a cell starts with it; and the apostrophe
// that keeps a text from being run, which a text of its own may start with too.
const QString kFormulaStarts = QStringLiteral("=+-@\t\r'");
} // namespace

QByteArray line(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& f : fields) {
        if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) ||
            f.contains(QLatin1Char('\n')) || f.contains(QLatin1Char('\r'))) {
            QString q = f;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            quoted << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            quoted << f;
        }
    }
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QString field(const QVariant& value)
{
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    QString text = valueText(value);
    // A name or a telephone number typed as "=HYPERLINK(...)" is shown as the text it
    // is; numbers stay numbers. One beginning with the apostrophe itself gets one more,
    // so that reading the file back takes off only the one put there.
    if (value.metaType().id() == QMetaType::QString && !text.isEmpty() &&
        kFormulaStarts.contains(text.front())) {
        bool number = false;
        (void)text.toDouble(&number);
        if (!number)
            text.prepend(QLatin1Char('\''));
    }
    return text;
}

QString cellText(const QString& cell)
{
    if (cell.size() > 1 && cell.front() == u'\'' && kFormulaStarts.contains(cell[1]))
        return cell.mid(1);
    return cell;
}

namespace {

// Windows-1252's characters for the bytes 0x80 to 0x9F; the rest are Latin-1's.
constexpr char16_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// Whether the bytes are all ASCII, looked at eight at a time.
bool isAscii(QByteArrayView bytes)
{
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; i < bytes.size(); ++i)
        if (bytes[i] & 0x80)
            return false;
    return true;
}

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

Result<Dialect> detect(QIODevice& device)
{
    const QByteArray first = device.read(1 << 16);
    Dialect d = detect(first);
    // UTF-8 only if the whole file reads so.
    QStringDecoder utf8(QStringDecoder::Utf8);
    bool valid = true;
    // A piece of plain ASCII needs no decoding, unless a character began in the piece
    // before it.
    bool decodedLast = false;
    for (QByteArray piece = first; !piece.isEmpty(); piece = device.read(1 << 18)) {
        if (piece.contains('\0'))
            return Failure{QStringLiteral("it is not text")};
        const bool ascii = isAscii(piece);
        if (valid && (!ascii || decodedLast)) {
            (void)QString(utf8(piece));
            valid = !utf8.hasError();
        }
        decodedLast = !ascii;
    }
    d.encoding = valid || first.startsWith("\xEF\xBB\xBF") ? Encoding::Utf8 : Encoding::Windows1252;
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

Reader::Reader(QIODevice& device, Encoding encoding, QChar separator)
    : m_device(&device), m_encoding(encoding), m_separator(separator)
{
    if (encoding == Encoding::Utf8)
        m_utf8 = std::make_unique<QStringDecoder>(QStringDecoder::Utf8);
}

Reader::Reader(const QString& text, QChar separator) : m_separator(separator), m_text(text)
{
    m_started = true;
}

Reader::~Reader() = default;

bool Reader::more()
{
    if (!m_device)
        return false;
    const QByteArray piece = m_device->read(1 << 18);
    if (piece.isEmpty())
        return false;
    QByteArrayView bytes(piece);
    if (!m_started && bytes.startsWith("\xEF\xBB\xBF") && m_encoding == Encoding::Utf8)
        bytes = bytes.sliced(3);
    m_started = true;
    // What is read is dropped: only the row being read stays.
    m_text.remove(0, m_at);
    m_at = 0;
    if (m_utf8)
        m_text += (*m_utf8)(bytes);
    else
        m_text += decode(bytes.toByteArray(), m_encoding);
    return true;
}

std::optional<QChar> Reader::at(qsizetype ahead)
{
    while (m_at + ahead >= m_text.size())
        if (!more())
            return std::nullopt;
    return m_text.at(m_at + ahead);
}

bool Reader::next(QStringList& fields, int& line)
{
    // The row's fields are written over the last row's strings, which keep their room: a
    // file of many rows spends no allocation a field.
    qsizetype count = 0;
    QString* field = nullptr;
    const auto begin = [&] {
        if (count == fields.size())
            fields.emplaceBack();
        field = &fields[count];
        field->resize(0);
    };
    const auto end = [&](bool more) {
        fields.resize(count);
        return more;
    };
    begin();
    bool quoted = false;
    bool wasQuoted = false;
    bool any = false;
    int quoteLine = 0;
    line = m_line;
    while (true) {
        const std::optional<QChar> read = at(0);
        if (!read) {
            if (quoted) {
                m_error = QStringLiteral("a quote opened on line %1 is never closed").arg(quoteLine);
                return end(false);
            }
            count += any;
            return end(any);
        }
        const QChar c = *read;
        any = true;
        if (!quoted && c != u'"' && c != m_separator && c != u'\r' && c != u'\n') {
            // A run of plain characters taken at once: most of a file is.
            const QChar* const text = m_text.constData();
            const QChar* const last = text + m_text.size();
            const QChar* stop = text + m_at + 1;
            while (stop < last && *stop != m_separator && *stop != u'"' && *stop != u'\r' &&
                   *stop != u'\n')
                ++stop;
            if (m_only < 0 || count == m_only)
                field->append(text + m_at, stop - (text + m_at));
            m_at = stop - text;
            continue;
        }
        ++m_at;
        if (quoted) {
            if (c == u'"') {
                if (at(0) == QChar(u'"')) {
                    *field += u'"';
                    ++m_at;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++m_line;
                *field += c;
            }
            continue;
        }
        if (c == u'"' && field->isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
            quoteLine = m_line;
        } else if (c == m_separator) {
            ++count;
            begin();
            wasQuoted = false;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && at(0) == QChar(u'\n'))
                ++m_at;
            ++m_line;
            // A blank line is no row.
            if (count == 0 && field->isEmpty()) {
                wasQuoted = false;
                any = false;
                line = m_line;
                continue;
            }
            ++count;
            return end(true);
        } else {
            *field += c;
        }
    }
}

Result<Table> parse(const QString& text, QChar separator)
{
    Table table;
    Reader reader(text, separator);
    QStringList fields;
    int line = 0;
    if (reader.next(fields, line)) {
        table.header = fields;
        while (reader.next(fields, line)) {
            table.rows << fields;
            table.lines << line;
        }
    }
    if (!reader.error().isEmpty())
        return Failure{reader.error()};
    for (QString& name : table.header)
        name = name.trimmed();
    return table;
}

namespace {

// The year, month and day of an ISO date in form; nothing when it is not one.
std::optional<std::array<int, 3>> isoParts(QStringView text)
{
    text = text.trimmed();
    std::array<int, 3> parts{};
    int part = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            parts[part] = parts[part] * 10 + (c.unicode() - u'0');
            if (++digits > (part == 0 ? 4 : 2))
                return std::nullopt;
        } else if (c == u'-' && part < 2 && (part == 0 ? digits == 4 : digits > 0)) {
            ++part;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits == 0)
        return std::nullopt;
    return parts;
}

} // namespace

bool isIsoForm(QStringView text)
{
    return isoParts(text).has_value();
}

std::optional<QDate> readDate(const QString& text, DateOrder order)
{
    // The ISO form, a file's commonest, read without the patterns below.
    if (const auto parts = isoParts(text)) {
        const QDate date((*parts)[0], (*parts)[1], (*parts)[2]);
        return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
    }
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

void DateOrders::see(const QString& d)
{
    static const QRegularExpression numeric(
        QStringLiteral("^\\s*(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})\\s*$"));
    static const QRegularExpression iso(QStringLiteral("^\\s*\\d{4}-\\d{1,2}-\\d{1,2}\\s*$"));
    if (d.trimmed().isEmpty())
        return;
    m_any = true;
    if (m_allIso && (isIsoForm(d) || iso.match(d).hasMatch()))
        return;
    m_allIso = false;
    if (const auto m = numeric.match(d); m.hasMatch()) {
        m_dayFirstPossible &= m.captured(2).toInt() <= 12;
        m_monthFirstPossible &= m.captured(1).toInt() <= 12;
    }
}

DateOrder DateOrders::order() const
{
    if (m_allIso && m_any)
        return DateOrder::Iso;
    return !m_dayFirstPossible && m_monthFirstPossible ? DateOrder::MonthFirst
                                                        : DateOrder::DayFirst;
}

DateOrder detectDateOrder(const QStringList& dates)
{
    DateOrders orders;
    for (const QString& d : dates)
        orders.see(d);
    return orders.order();
}

} // namespace parlog::csv
