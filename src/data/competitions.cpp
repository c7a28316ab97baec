#include "data/competitions.h"

#include <algorithm>
#include <functional>

namespace parlog::competitions {

namespace {

const char* const kStored[3] = {"stroke", "stableford", "parbogey"};
const char* const kTeams[12] = {"individual", "fourball",  "foursomes", "greensomes",
                                "chapman",    "best1of4",  "best2of4",  "best3of4",
                                "all4of4",    "scramble2", "scramble3", "scramble4"};

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

golf::Play playOf(Format format)
{
    switch (format) {
    case Format::Stableford:
        return golf::Play::Stableford;
    case Format::ParBogey:
        return golf::Play::ParBogey;
    case Format::Stroke:
        break;
    }
    return golf::Play::StrokePlay;
}

double defaultAllowance(Format format, golf::TeamFormat team)
{
    return golf::allowance(team, playOf(format));
}

QString storedTeamFormat(golf::TeamFormat team)
{
    return QString::fromLatin1(kTeams[int(team)]);
}

golf::TeamFormat teamFormatFrom(const QString& stored)
{
    for (int t = 0; t < 12; ++t)
        if (stored.compare(QLatin1String(kTeams[t]), Qt::CaseInsensitive) == 0)
            return golf::TeamFormat(t);
    return golf::TeamFormat::Individual;
}

QList<golf::TeamFormat> teamFormats()
{
    QList<golf::TeamFormat> all;
    for (int t = 0; t < 12; ++t)
        all << golf::TeamFormat(t);
    return all;
}

QString sideNameOf(const QStringList& players)
{
    QStringList surnames;
    for (const QString& player : players) {
        const QString trimmed = player.trimmed();
        if (!trimmed.isEmpty())
            surnames << trimmed.section(QLatin1Char(' '), -1);
    }
    return surnames.join(QStringLiteral(" / "));
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
    s.team = teamFormatFrom(row.value(QStringLiteral("teamFormat")).toString());
    const QString nine = row.value(QStringLiteral("nine")).toString();
    s.nine = nine == u"front" ? Nine::Front : nine == u"back" ? Nine::Back : Nine::Eighteen;
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
                                   QStringLiteral("SELECT * FROM competition WHERE name = ? AND "
                                                  "strdate = ? ORDER BY ID LIMIT 1"),
                                   {name, date});
    if (!row)
        return Failure{row.error()};
    if (row->isEmpty())
        return Settings{name, date};
    return fromRow(name, date, *row);
}

namespace {

Status writeSettings(Connection& connection, const Settings& s)
{
    const Record record{{QStringLiteral("name"), s.name},
                        {QStringLiteral("strdate"), s.date},
                        {QStringLiteral("format"), QString::fromLatin1(kStored[int(s.format)])},
                        {QStringLiteral("allowance"), s.allowance},
                        {QStringLiteral("pcc"), s.pcc},
                        {QStringLiteral("countsForHandicap"), int(s.countsForHandicap)},
                        {QStringLiteral("teamFormat"), storedTeamFormat(s.team)},
                        {QStringLiteral("nine"), s.nine == Nine::Front  ? QStringLiteral("front")
                                                 : s.nine == Nine::Back ? QStringLiteral("back")
                                                                        : QString()}};
    // One row a competition: the old one gives way.
    Status done = sql::run(connection,
                           QStringLiteral("DELETE FROM competition WHERE name = ? AND strdate = ?"),
                           {s.name, s.date});
    if (done)
        done = sql::insert(connection, schema::competition(), record);
    return done;
}

Status writeSides(Connection& connection, const QString& name, const QString& date,
                  const QList<Side>& list)
{
    Status done = sql::run(connection,
                           QStringLiteral("DELETE FROM side WHERE comp = ? AND strdate = ?"),
                           {name, date});
    for (qsizetype i = 0; done && i < list.size(); ++i) {
        const Side& side = list[i];
        Record record{{QStringLiteral("comp"), name},
                      {QStringLiteral("strdate"), date},
                      {QStringLiteral("position"), int(i + 1)},
                      {QStringLiteral("name"), side.name.trimmed().isEmpty()
                                                   ? sideNameOf(side.players)
                                                   : side.name.trimmed()}};
        for (int p = 0; p < 4; ++p)
            record.insert(QStringLiteral("player%1").arg(p + 1),
                          p < side.players.size() ? QVariant(side.players[p].trimmed())
                                                  : QVariant());
        done = sql::insert(connection, schema::side(), record);
    }
    return done;
}

Status sidesHold(const QList<Side>& list)
{
    for (const Side& side : list)
        if (side.players.isEmpty() || side.players.size() > 4)
            return Failure{QStringLiteral("A side has from one to four players.")};
    return {};
}

// All of the writes or none.
Status inOneTransaction(Connection& connection, const std::function<Status()>& writes)
{
    if (!connection.transaction())
        return sql::failure(connection);
    if (Status done = writes(); !done) {
        connection.rollback();
        return done;
    }
    if (!connection.commit())
        return sql::failure(connection);
    return {};
}

} // namespace

Status save(Connection& connection, const Settings& s)
{
    return inOneTransaction(connection, [&] { return writeSettings(connection, s); });
}

Result<QList<Side>> sides(Connection& connection, const QString& name, const QString& date)
{
    const auto rows = sql::rows(connection,
                                QStringLiteral("SELECT * FROM side WHERE comp = ? AND strdate = ? "
                                               "ORDER BY position, ID"),
                                {name, date});
    if (!rows)
        return Failure{rows.error()};
    QList<Side> list;
    for (const Record& row : recordsOf(schema::side(), *rows)) {
        Side side;
        side.name = row.value(QStringLiteral("name")).toString();
        for (int p = 1; p <= 4; ++p)
            if (const QString player =
                    row.value(QStringLiteral("player%1").arg(p)).toString().trimmed();
                !player.isEmpty())
                side.players << player;
        list << side;
    }
    return list;
}

Status saveSides(Connection& connection, const QString& name, const QString& date,
                 const QList<Side>& list)
{
    if (Status held = sidesHold(list); !held)
        return held;
    return inOneTransaction(connection, [&] { return writeSides(connection, name, date, list); });
}

Status saveField(Connection& connection, const Settings& settings, const QList<Side>& list)
{
    if (Status held = sidesHold(list); !held)
        return held;
    return inOneTransaction(connection, [&] {
        Status done = writeSettings(connection, settings);
        return done ? writeSides(connection, settings.name, settings.date, list) : done;
    });
}

} // namespace parlog::competitions
