#include "data/players.h"

#include "data/registers.h"

namespace parlog::players {

Result<QStringList> names(Connection& connection)
{
    return registers::names(connection, registers::players());
}

Result<Record> rowNamed(Connection& connection, const QString& name)
{
    return registers::rowNamed(connection, registers::players(), name);
}

Result<bool> exists(Connection& connection, const QString& name)
{
    const auto found = sql::value(
        connection, QStringLiteral("SELECT count(*) FROM player WHERE playername = ?"), {name});
    if (!found)
        return Failure{found.error()};
    return found->toLongLong() > 0;
}

Result<int> setHandicap(Connection& connection, const QString& name, const QString& handicap)
{
    int changed = 0;
    if (Status done = sql::run(
            connection, QStringLiteral("UPDATE player SET Handicapp = ? WHERE playername = ?"),
            {handicap, name}, &changed);
        !done)
        return Failure{done.error()};
    return changed;
}

} // namespace parlog::players
