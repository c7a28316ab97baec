#pragma once

#include "data/result.h"
#include "data/rounds.h"

#include <QDir>
#include <QString>

namespace parlog {

class Connection;
class Progress;

// How many copies the backups folder keeps; older ones go as new ones come.
inline constexpr int kBackupsKept = 10;

// A consistent copy of the whole register, owner-only, where its backups go: a file's
// into the folder "backups" beside it, a club server's into the user's backups folder,
// named with the date and time (parlog-20041231-235959-123.mdb); the last kBackupsKept
// are kept. Gives the copy's path. A progress that says stop leaves no copy behind.
Result<QString> backupRegister(Connection& connection, Progress* progress = nullptr);

// Rounds about to go, written to a small SQLite register of their own in the user's
// backups folder (owner-only, named from stem, the date and the time). Gives its path.
Result<QString> backupRounds(const Rows& rounds, const QString& stem,
                             Progress* progress = nullptr);

struct Restored {
    int restored = 0;
    int alreadyThere = 0;     // the same card, every stored column equal
    QStringList notRestored;  // each named with why
};
// Adds the rounds of a register (a backup) that the other does not hold already, as
// new rounds, in one transaction.
Result<Restored> restoreRounds(const QString& backup, const QString& target);

// What the engines share of writing backups.
namespace backups {
inline constexpr auto kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
// The folder that gets the only copy of what a deletion removes: made owner-only when
// new; refused when others could delete what goes in, or when it is a link that
// points nowhere.
Result<QDir> folder(const QString& path);
// The user's own backups folder, for registers that have no folder of their own.
Result<QDir> usersFolder();
// A new file's name in the folder, stamped to the millisecond so that no two are alike.
QString stampedPath(const QDir& folder, const QString& stem);
// The newest kBackupsKept copies of stem stay, by the time they were written.
void pruneOld(const QDir& folder, const QString& stem, const QString& justMade);
// Removes what copies of Parlog's own names that were cut short (killed, a full disk)
// left in the folder: pieces nobody is writing any more.
void clearLeftovers(const QDir& folder);
// Puts a copy written as PART in place as PATH, whole.
Status putInPlace(const QString& part, const QString& path);
// The same where PATH must still be new: a file put there meanwhile is not replaced.
Status putInPlaceNew(const QString& part, const QString& path);
} // namespace backups

} // namespace parlog
