#include "data/rounds.h"

#include "data/dialect.h"

namespace parlog::rounds {

namespace {

const QStringList kOrderColumns{QStringLiteral("net"),      QStringLiteral("strdate"),
                                QStringLiteral("division"), QStringLiteral("course"),
                                QStringLiteral("playerID"), QStringLiteral("hand")};
const QStringList kGroupColumns{QStringLiteral("division"), QStringLiteral("playerID"),
                                QStringLiteral("course"), QStringLiteral("comp")};

struct Where {
    QString clause;
    QVariantList values;
};

Where where(const Filter& filter)
{
    Where w;
    QStringList parts;
    const auto name = [&](const char* column, const std::optional<QString>& value) {
        if (!value)
            return;
        parts << QLatin1String(column) + QStringLiteral(" = ?");
        w.values << *value;
    };
    name("playerID", filter.player);
    name("course", filter.course);
    name("comp", filter.competition);
    parts << QStringLiteral("strdate BETWEEN ? AND ?");
    w.values << filter.from << filter.to;
    w.clause = parts.join(QStringLiteral(" AND "));
    return w;
}

QString key(Connection& connection)
{
    return connection.dialect().roundKey();
}

Failure notAColumn(const QString& column)
{
    return Failure{QStringLiteral("The rounds cannot be listed by \"%1\".").arg(column)};
}

} // namespace

Status insert(Connection& connection, const Record& record)
{
    return sql::insert(connection, schema::score(), record);
}

bool isOrderColumn(const QString& column)
{
    return kOrderColumns.contains(column);
}

bool isGroupColumn(const QString& column)
{
    return kGroupColumns.contains(column);
}

Result<Rows> search(Connection& connection, const Filter& filter, const QString& orderColumn,
                    const QStringList& columns)
{
    if (!isOrderColumn(orderColumn))
        return notAColumn(orderColumn);
    for (const QString& c : columns)
        if (!schema::score().column(c))
            return notAColumn(c);
    const Where w = where(filter);
    const QString list =
        columns.isEmpty() ? QStringLiteral("*") : columns.join(QStringLiteral(", "));
    return sql::rows(connection,
                     QStringLiteral("SELECT %1 FROM score WHERE %2 ORDER BY %3, %4")
                         .arg(list, w.clause, orderColumn, key(connection)),
                     w.values);
}

Result<qint64> count(Connection& connection, const Filter& filter)
{
    const Where w = where(filter);
    const auto n = sql::value(
        connection, QStringLiteral("SELECT count(*) FROM score WHERE %1").arg(w.clause), w.values);
    if (!n)
        return Failure{n.error()};
    return n->toLongLong();
}

Result<int> remove(Connection& connection, const Filter& filter)
{
    const Where w = where(filter);
    int deleted = 0;
    if (Status done =
            sql::run(connection, QStringLiteral("DELETE FROM score WHERE %1").arg(w.clause),
                     w.values, &deleted);
        !done)
        return Failure{done.error()};
    return deleted;
}

Result<QStringList> values(Connection& connection, const QString& column)
{
    if (!schema::score().column(column))
        return notAColumn(column);
    return sql::texts(connection, QStringLiteral("SELECT DISTINCT %1 FROM score WHERE %1 IS NOT "
                                                 "NULL ORDER BY %1")
                                      .arg(column));
}

Result<Rows> extremeRounds(Connection& connection, const QString& player,
                           const std::optional<QString>& course, bool best)
{
    // Ties all print, as the cards always have: every round sharing the net.
    const QString aggregate = best ? QStringLiteral("min") : QStringLiteral("max");
    if (!course)
        return sql::rows(connection,
                         QStringLiteral("SELECT * FROM score WHERE playerID = ? AND net = "
                                        "(SELECT %1(net) FROM score WHERE playerID = ?) "
                                        "ORDER BY %2")
                             .arg(aggregate, key(connection)),
                         {player, player});
    return sql::rows(connection,
                     QStringLiteral("SELECT * FROM score WHERE playerID = ? AND course = ? AND "
                                    "net = (SELECT %1(net) FROM score WHERE playerID = ? AND "
                                    "course = ?) ORDER BY %2")
                         .arg(aggregate, key(connection)),
                     {player, *course, player, *course});
}

Result<QStringList> coursesPlayed(Connection& connection, const QString& player)
{
    return sql::texts(connection,
                      QStringLiteral("SELECT DISTINCT course FROM score WHERE playerID = ? AND "
                                     "course IS NOT NULL ORDER BY course"),
                      {player});
}

Result<Rows> holeAggregates(Connection& connection, const QString& player, Aggregate aggregate)
{
    const QString function = aggregate == Aggregate::Min   ? QStringLiteral("min")
                             : aggregate == Aggregate::Max ? QStringLiteral("max")
                                                           : QStringLiteral("avg");
    QStringList columns;
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("%1(hole%2) AS h%2").arg(function).arg(h);
    return sql::rows(connection,
                     QStringLiteral("SELECT %1 FROM score WHERE playerID = ?")
                         .arg(columns.join(QStringLiteral(", "))),
                     {player});
}

Result<Rows> roundsPerCourse(Connection& connection, const QString& player)
{
    return sql::rows(connection,
                     QStringLiteral("SELECT course, count(*) AS rounds FROM score WHERE "
                                    "playerID = ? GROUP BY course"),
                     {player});
}

Result<Rows> puttsByDate(Connection& connection, const QString& player)
{
    return sql::rows(connection,
                     QStringLiteral("SELECT strdate, putts FROM score WHERE putts > 0 AND "
                                    "playerID = ? ORDER BY strdate, %1")
                         .arg(key(connection)),
                     {player});
}

} // namespace parlog::rounds
