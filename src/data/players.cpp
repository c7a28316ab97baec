#include "data/players.h"

#include "data/conversions.h"
#include "data/registers.h"

namespace parlog::players {

Result<QStringList> names(Connection& connection)
{
    return registers::names(connection, registers::players());
}

Result<QList<Player>> all(Connection& connection)
{
    const auto rows = registers::all(connection, registers::players());
    if (!rows)
        return Failure{rows.error()};
    QList<Player> list;
    for (const Record& record : recordsOf(schema::player(), *rows))
        list << Player::from(record);
    return list;
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

Result<QString> readHandicap(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return QString();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    const bool plus = t.startsWith(QLatin1Char('+'));
    const auto value = toNumber(plus ? t.mid(1) : t);
    const double handicap = value ? (plus ? -*value : *value) : 0;
    if (!value || (plus && *value < 0) || handicap < -10 || handicap > 54)
        return Failure{
            QStringLiteral("the handicap \"%1\" is not a number from +10 to 54").arg(text)};
    return t;
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
