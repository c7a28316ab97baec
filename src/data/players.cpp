#include "data/players.h"

#include <QSqlQuery>

namespace parlog::players {

std::optional<bool> exists(Connection& connection, const QString& name)
{
    QSqlQuery q = connection.query();
    if (!connection.exec(q, QStringLiteral("SELECT 1 FROM player WHERE playername = ? LIMIT 1"),
                         {name}))
        return std::nullopt;
    return q.next();
}

} // namespace parlog::players
