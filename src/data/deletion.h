#pragma once

#include "data/progress.h"
#include "data/result.h"
#include "data/rounds.h"

#include <QList>
#include <QString>

namespace parlog {

class Connection;

// The rounds a deletion by criteria is about: counted before the user is asked, so
// that what goes is exactly what the question named.
struct RoundsToDelete {
    rounds::Filter filter;
    QList<qint64> keys;
};
Result<RoundsToDelete> roundsToDelete(Connection& connection, const rounds::Filter& filter);

struct Deletion {
    int deleted = 0;
    // Of those named, how many another user changed to fall outside the criteria, or
    // deleted, before this deletion took its lock: they were left as they are.
    int leftAlone = 0;
    QString backup;            // where the copy is
    bool wholeRegister = true; // a copy of the whole register, or only of these rounds
};

// Copies aside, then deletes, exactly the rounds named that still match, in one
// transaction: on a file the register is locked for writing first and copied whole;
// on a server the rounds are locked, copied into a file of the user's, and deleted.
// A round another user saves meanwhile stays. Nothing is deleted unless the copy was
// written; a failure or a cancel leaves every round in place.
Result<Deletion> deleteRounds(Connection& connection, const RoundsToDelete& rounds,
                              Progress* progress = nullptr);

// The one round with that key, as the round editor has it loaded (its player, course and
// day): copied aside and deleted as a deletion by criteria is. Deleted is 0 when another
// user has deleted it, or changed it to another player, course or day, meanwhile.
Result<Deletion> deleteRound(Connection& connection, qint64 key, const Round& loaded,
                             Progress* progress = nullptr);

} // namespace parlog
