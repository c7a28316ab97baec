#pragma once

#include "data/result.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

class QIODevice;
class QStringDecoder;

// The CSV files others write and Parlog writes: spreadsheets, other programs, Parlog
// itself, read and written here.
namespace parlog::csv {

// One line of CSV as RFC 4180 has it: fields with a comma, a quote or a line break
// in quotes, quotes doubled, CRLF at the end.
QByteArray line(const QStringList& fields);
// A value as a field: dates ISO, whole numbers without ".0", empty for none; a text a
// spreadsheet would run as a formula behind an apostrophe.
QString field(const QVariant& value);
// A field read back as it was meant: without the apostrophe field() put before it.
QString cellText(const QString& cell);

enum class Encoding { Utf8, Windows1252 };
// How day, month and year stand in a file's dates.
enum class DateOrder { Iso, DayFirst, MonthFirst };

struct Dialect {
    QChar separator = QLatin1Char(',');
    Encoding encoding = Encoding::Utf8;
};

// What a file seems to be written in: UTF-8 when it has a byte-order mark or reads as
// UTF-8 throughout, else Windows-1252; the separator of comma, semicolon and tab that
// the header line holds most of, outside quotes.
Dialect detect(const QByteArray& bytes);
// The same for a file read a piece at a time; fails for what is not text (a NUL byte).
Result<Dialect> detect(QIODevice& device);
// The text of the file, without its byte-order mark.
QString decode(const QByteArray& bytes, Encoding encoding);

struct Table {
    QStringList header;
    QList<QStringList> rows;
    QList<int> lines; // the line of the file each row starts on, from 1
};
// A file's rows one at a time, as parse reads them, the file read and decoded a piece at
// a time: for files too large to hold whole.
class Reader {
public:
    // DEVICE is open for reading, at its start.
    Reader(QIODevice& device, Encoding encoding, QChar separator);
    Reader(const QString& text, QChar separator);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // The next row, the header line first, and the line of the file it starts on. False
    // at the end, and on a quote never closed (error() says where).
    bool next(QStringList& fields, int& line);
    QString error() const { return m_error; }
    // Only this field's text is kept (the others read as empty): a pass over one column
    // of a long file.
    void keepOnly(int field) { m_only = field; }

private:
    bool more(); // decodes the next piece; false at the end of the file
    std::optional<QChar> at(qsizetype ahead); // from the reading point

    QIODevice* m_device = nullptr;
    Encoding m_encoding = Encoding::Utf8;
    std::unique_ptr<QStringDecoder> m_utf8;
    QChar m_separator;
    QString m_text;
    qsizetype m_at = 0;
    bool m_started = false;
    int m_line = 1;
    int m_only = -1;
    QString m_error;
};

// The fields as RFC 4180 has them: quoted fields may hold the separator, line breaks and
// doubled quotes; CRLF or LF ends a line; blank lines are passed over. Fails on a quote
// left open, naming its line.
Result<Table> parse(const QString& text, QChar separator);

// A date as the file writes it: ISO (2024-03-05), day first or month first with two- or
// four-digit years (5/3/24, 05.03.2024) or a month's name (5 Mar 2024, 5-Mar-24, March
// 5, 2024). Two-digit years are 1950 to 2049. Nothing for a day that does not exist.
std::optional<QDate> readDate(const QString& text, DateOrder order);
// Whether TEXT is an ISO date in form (2024-03-05, 2024-3-5, blanks around): one read
// the same whatever the file's order.
bool isIsoForm(QStringView text);
// The order the dates of a column follow: day first unless a date can only be read
// month first (a second part above 12), ISO when every date is.
DateOrder detectDateOrder(const QStringList& dates);
// The same, the dates seen one by one.
class DateOrders {
public:
    void see(const QString& date);
    DateOrder order() const;

private:
    bool m_any = false;
    bool m_allIso = true;
    bool m_dayFirstPossible = true;
    bool m_monthFirstPossible = true;
};

} // namespace parlog::csv
