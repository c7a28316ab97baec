#include "data/deletion.h"

#include "data/backup.h"
#include "data/connection.h"

#include <QSqlQuery>

namespace parlog {

Result<RoundsToDelete> roundsToDelete(Connection& connection, const rounds::Filter& filter)
{
    auto keys = rounds::keys(connection, filter);
    if (!keys)
        return Failure{keys.error()};
    return RoundsToDelete{filter, *keys};
}

namespace {

bool run(Connection& connection, const QString& statement)
{
    QSqlQuery q = connection.query();
    return connection.exec(q, statement);
}

} // namespace

Result<Deletion> deleteRounds(Connection& connection, const RoundsToDelete& doomed,
                              Progress* progress)
{
    if (Status allowed = connection.beforeWrite(); !allowed)
        return Failure{allowed.error()};
    Deletion result;
    result.wholeRegister = !connection.isServer();
    // A file is locked for writing before it is copied: nobody can add or change a
    // round between the copy and the deletion. A server locks the rows themselves.
    const QString begin = result.wholeRegister ? QStringLiteral("BEGIN IMMEDIATE")
                                               : QStringLiteral("BEGIN");
    if (!run(connection, begin))
        return sql::failure(connection);
    // A copy already written stays: it is a true copy of the register as it is.
    const auto undo = [&](const QString& why) {
        (void)run(connection, QStringLiteral("ROLLBACK"));
        return Failure{why};
    };
    int still = 0;
    if (result.wholeRegister) {
        // SQLite's online backup reads on a connection of its own, which may read while
        // this one holds the write lock.
        Connection reader(connection.filePath());
        if (Status opened = reader.open(Connection::Check::None); !opened)
            return undo(opened.error());
        const auto copy = backupRegister(reader, progress);
        if (!copy)
            return undo(copy.error() + QLatin1Char('.'));
        result.backup = *copy;
        still = int(doomed.keys.size());
    } else {
        const auto locked = rounds::lockRounds(connection, doomed.filter, doomed.keys, progress);
        if (!locked)
            return undo(locked.error());
        const auto copy = backupRounds(connection, *locked, progress);
        if (!copy)
            return undo(copy.error() + QLatin1Char('.'));
        result.backup = *copy;
        still = int(locked->rows.size());
    }
    const auto deleted = rounds::removeKeys(connection, doomed.filter, doomed.keys, progress);
    if (!deleted)
        return undo(deleted.error());
    // Locked rows cannot change under the lock: anything else is not what was copied.
    if (!result.wholeRegister && *deleted != still)
        return undo(QStringLiteral("%1 rounds were copied aside but %2 would go.")
                        .arg(still)
                        .arg(*deleted));
    if (!run(connection, QStringLiteral("COMMIT"))) {
        const Failure failed = sql::failure(connection);
        return undo(failed.error);
    }
    result.deleted = *deleted;
    result.leftAlone = int(doomed.keys.size()) - *deleted;
    return result;
}

} // namespace parlog
