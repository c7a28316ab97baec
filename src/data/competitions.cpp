#include "data/competitions.h"

#include <algorithm>

namespace parlog::competitions {

namespace {

const char* const kStored[3] = {"stroke", "stableford", "parbogey"};

} // namespace

QString formatName(Format format)
{
    switch (format) {
    case Format::Stableford:
        return QStringLiteral("Stableford");
    case Format::ParBogey:
        return QStringLiteral("Par/bogey");
    case Format::Stroke:
        break;
    }
    return QStringLiteral("Stroke play");
}

namespace {

Settings fromRow(const QString& name, const QString& date, const Record& row)
{
    Settings s;
    s.name = name;
    s.date = date;
    const QString format = row.value(QStringLiteral("format")).toString();
    for (int f = 0; f < 3; ++f)
        if (format == QLatin1String(kStored[f]))
            s.format = Format(f);
    if (const QVariant allowance = row.value(QStringLiteral("allowance")); !allowance.isNull())
        s.allowance = allowance.toDouble();
    s.pcc = row.value(QStringLiteral("pcc")).toInt();
    const QVariant counts = row.value(QStringLiteral("countsForHandicap"));
    s.countsForHandicap = counts.isNull() || counts.toInt() != 0;
    return s;
}

} // namespace

Result<Book> all(Connection& connection)
{
    const auto rows = sql::rows(connection, QStringLiteral("SELECT * FROM competition ORDER BY ID"));
    if (!rows)
        return Failure{rows.error()};
    Book book;
    for (const Record& row : recordsOf(schema::competition(), *rows)) {
        const QString name = row.value(QStringLiteral("name")).toString();
        const QString date = row.value(QStringLiteral("strdate")).toString();
        QList<Settings>& day = book[date];
        if (std::none_of(day.cbegin(), day.cend(), [&name](const Settings& s) {
                return s.name.compare(name, Qt::CaseInsensitive) == 0;
            }))
            day << fromRow(name, date, row);
    }
    return book;
}

Settings settingsIn(const Book& book, const QString& name, const QString& date)
{
    const auto day = book.constFind(date);
    if (day != book.constEnd())
        for (const Settings& s : *day)
            if (s.name.compare(name, Qt::CaseInsensitive) == 0)
                return s;
    return Settings{name, date};
}

Result<Settings> settings(Connection& connection, const QString& name, const QString& date)
{
    const auto row = sql::firstRow(connection,
                                   QStringLiteral("SELECT format, allowance, pcc, "
                                                  "countsForHandicap FROM competition WHERE name "
                                                  "= ? AND strdate = ? ORDER BY ID LIMIT 1"),
                                   {name, date});
    if (!row)
        return Failure{row.error()};
    if (row->isEmpty())
        return Settings{name, date};
    return fromRow(name, date, *row);
}

Status save(Connection& connection, const Settings& s)
{
    const Record record{{QStringLiteral("name"), s.name},
                        {QStringLiteral("strdate"), s.date},
                        {QStringLiteral("format"), QString::fromLatin1(kStored[int(s.format)])},
                        {QStringLiteral("allowance"), s.allowance},
                        {QStringLiteral("pcc"), s.pcc},
                        {QStringLiteral("countsForHandicap"), int(s.countsForHandicap)}};
    if (!connection.transaction())
        return sql::failure(connection);
    // One row a competition: the old one gives way.
    Status done = sql::run(connection,
                           QStringLiteral("DELETE FROM competition WHERE name = ? AND strdate = ?"),
                           {s.name, s.date});
    if (done)
        done = sql::insert(connection, schema::competition(), record);
    if (!done) {
        connection.rollback();
        return done;
    }
    if (!connection.commit())
        return sql::failure(connection);
    return {};
}

} // namespace parlog::competitions
