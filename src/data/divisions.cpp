#include "data/divisions.h"

namespace parlog::divisions {

Result<QStringList> names(Connection& connection)
{
    return sql::texts(connection,
                      QStringLiteral("SELECT DISTINCT type FROM division ORDER BY type"));
}

Status add(Connection& connection, const QString& name)
{
    return sql::insert(connection, schema::division(), {{QStringLiteral("type"), name}});
}

Status remove(Connection& connection, const QString& name)
{
    return sql::run(connection, QStringLiteral("DELETE FROM division WHERE type = ?"), {name});
}

} // namespace parlog::divisions
