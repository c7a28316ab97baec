#include "data/startsheets.h"

namespace parlog::startsheets {

Result<std::optional<Sheet>> read(Connection& connection, const QString& competition,
                                  const QString& date)
{
    const auto row = sql::firstRow(connection,
                                   QStringLiteral("SELECT * FROM startSheet WHERE comp = ? AND "
                                                  "strdate = ? ORDER BY ID LIMIT 1"),
                                   {competition, date});
    if (!row)
        return Failure{row.error()};
    if (row->isEmpty())
        return std::optional<Sheet>();
    Sheet s;
    s.competition = row->value(QStringLiteral("comp")).toString();
    s.date = row->value(QStringLiteral("strdate")).toString();
    s.firstTime = row->value(QStringLiteral("firstTime")).toString();
    s.interval = row->value(QStringLiteral("minutesApart")).toInt();
    s.groupSize = row->value(QStringLiteral("groupSize")).toInt();
    s.startFrom = row->value(QStringLiteral("startFrom")).toString();
    s.orderBy = row->value(QStringLiteral("orderBy")).toString();
    s.seed = quint32(row->value(QStringLiteral("seed")).toLongLong());
    const auto places = sql::rows(
        connection,
        QStringLiteral("SELECT * FROM startPlace WHERE sheetID = ? ORDER BY groupNo, position, ID"),
        {row->value(QStringLiteral("ID"))});
    if (!places)
        return Failure{places.error()};
    for (const Record& r : recordsOf(schema::startPlace(), *places))
        s.places.append({r.value(QStringLiteral("groupNo")).toInt(),
                         r.value(QStringLiteral("startTime")).toString(),
                         r.value(QStringLiteral("tee")).toString(),
                         r.value(QStringLiteral("name")).toString(),
                         r.value(QStringLiteral("unit")).toString()});
    return std::optional<Sheet>(s);
}

Status save(Connection& connection, const Sheet& s)
{
    if (s.competition.trimmed().isEmpty() || s.date.isEmpty())
        return Failure{QStringLiteral("A start sheet needs its competition's name and day.")};
    if (!connection.transaction())
        return sql::failure(connection);
    const auto fail = [&connection](const QString& why) {
        connection.rollback();
        return Status(Failure{why});
    };
    if (Status done = sql::run(connection,
                               QStringLiteral("DELETE FROM startPlace WHERE sheetID IN (SELECT ID "
                                              "FROM startSheet WHERE comp = ? AND strdate = ?)"),
                               {s.competition.trimmed(), s.date});
        !done)
        return fail(done.error());
    if (Status done = sql::run(connection,
                               QStringLiteral("DELETE FROM startSheet WHERE comp = ? AND "
                                              "strdate = ?"),
                               {s.competition.trimmed(), s.date});
        !done)
        return fail(done.error());
    const Record sheet{{QStringLiteral("comp"), s.competition.trimmed()},
                       {QStringLiteral("strdate"), s.date},
                       {QStringLiteral("firstTime"), s.firstTime},
                       {QStringLiteral("minutesApart"), s.interval},
                       {QStringLiteral("groupSize"), s.groupSize},
                       {QStringLiteral("startFrom"), s.startFrom},
                       {QStringLiteral("orderBy"), s.orderBy},
                       {QStringLiteral("seed"), double(s.seed)}};
    const auto id =
        sql::insertGivingKey(connection, schema::startSheet(), sheet, QStringLiteral("ID"));
    if (!id)
        return fail(id.error());
    for (qsizetype i = 0; i < s.places.size(); ++i) {
        const Place& p = s.places[i];
        const Record r{
            {QStringLiteral("sheetID"), *id},         {QStringLiteral("groupNo"), p.group},
            {QStringLiteral("startTime"), p.time},    {QStringLiteral("tee"), p.tee},
            {QStringLiteral("position"), int(i + 1)}, {QStringLiteral("name"), p.name},
            {QStringLiteral("unit"), p.unit}};
        if (Status done = sql::insert(connection, schema::startPlace(), r); !done)
            return fail(done.error());
    }
    if (!connection.commit())
        return fail(connection.describe(connection.lastError()));
    return {};
}

Result<QList<std::pair<QString, QString>>> kept(Connection& connection)
{
    const auto rows = sql::rows(
        connection,
        QStringLiteral("SELECT comp, strdate FROM startSheet ORDER BY strdate DESC, comp"));
    if (!rows)
        return Failure{rows.error()};
    QList<std::pair<QString, QString>> list;
    for (const QVariantList& r : rows->rows)
        list.append({r[0].toString(), r[1].toString()});
    return list;
}

} // namespace parlog::startsheets
