#include "data/deletion.h"

#include "data/connection.h"
#include "data/engine.h"

namespace parlog {

Result<RoundsToDelete> roundsToDelete(Connection& connection, const rounds::Filter& filter)
{
    auto keys = rounds::keys(connection, filter);
    if (!keys)
        return Failure{keys.error()};
    return RoundsToDelete{filter, *keys};
}

Result<Deletion> deleteRounds(Connection& connection, const RoundsToDelete& doomed,
                              Progress* progress)
{
    if (Status allowed = connection.beforeWrite(); !allowed)
        return Failure{allowed.error()};
    const auto run = [&](const QString& statement) { return connection.run(statement).ok(); };
    // Nobody else writes from here on: what is copied aside is what goes.
    if (Status locked = connection.engine().beginWriting(); !locked)
        return Failure{locked.error()};
    // A copy already written stays: it is a true copy of the register as it is.
    const auto undo = [&](const QString& why) {
        (void)run(QStringLiteral("ROLLBACK"));
        return Failure{why};
    };
    const auto copy = connection.engine().copyAside(doomed, progress);
    if (!copy)
        return undo(copy.error() + QLatin1Char('.'));
    Deletion result;
    result.backup = copy->path;
    result.wholeRegister = copy->wholeRegister;
    const auto deleted = rounds::removeKeys(connection, doomed.filter, doomed.keys, progress);
    if (!deleted)
        return undo(deleted.error());
    // Locked rows cannot change under the lock: anything else is not what was copied.
    if (copy->rounds >= 0 && *deleted != copy->rounds)
        return undo(QStringLiteral("%1 rounds were copied aside but %2 would go.")
                        .arg(copy->rounds)
                        .arg(*deleted));
    if (!run(QStringLiteral("COMMIT"))) {
        const Failure failed = sql::failure(connection);
        return undo(failed.error);
    }
    result.deleted = *deleted;
    result.leftAlone = int(doomed.keys.size()) - *deleted;
    return result;
}

Result<Deletion> deleteRound(Connection& connection, qint64 key, const Round& loaded,
                             Progress* progress)
{
    const rounds::Filter itself{loaded.player, loaded.course, std::nullopt, loaded.date,
                                loaded.date};
    return deleteRounds(connection, RoundsToDelete{itself, {key}}, progress);
}

} // namespace parlog
