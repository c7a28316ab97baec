#pragma once

#include "data/result.h"
#include "data/rounds.h"

#include <QString>

namespace parlog {

class Connection;
class Progress;

// How many copies the backups folder keeps; older ones go as new ones come.
inline constexpr int kBackupsKept = 10;

// Writes a consistent copy of the register with SQLite's online backup, owner-only,
// into the folder "backups" beside it, named with the date and time
// (parlog-20041231-235959-123.mdb), and keeps the last kBackupsKept. Gives the copy's
// path.
// A progress that says stop leaves no copy behind.
Result<QString> backupRegister(Connection& connection, Progress* progress = nullptr);

// Before rounds go from a club server: those rounds, written to a small SQLite
// register of their own in the user's backups folder (owner-only, named for the
// database, the date and the time). Gives its path.
Result<QString> backupRounds(Connection& connection, const Rows& rounds,
                             Progress* progress = nullptr);

// "Back up now": a file register copied whole beside it, as before a deletion; a
// club server's register copied whole into a file of the user's backups folder.
Result<QString> backupNow(Connection& connection, Progress* progress = nullptr);

struct Restored {
    int restored = 0;
    int alreadyThere = 0;     // the same card, every stored column equal
    QStringList notRestored;  // each named with why
};
// Adds the rounds of a register (a backup) that the other does not hold already, as
// new rounds, in one transaction.
Result<Restored> restoreRounds(const QString& backup, const QString& target);

} // namespace parlog
