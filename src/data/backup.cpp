#include "data/backup.h"

#include "data/connection.h"
#include "data/progress.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sqlite3.h>

namespace parlog {

namespace {

constexpr auto kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

void pruneOld(QDir folder, const QString& stem)
{
    // The stamp sorts by time as text; only names of that form are ours to prune.
    const QString digit = QStringLiteral("[0-9]");
    const QString pattern = QStringLiteral("%1-%2-%3-%4.mdb")
                                .arg(stem, digit.repeated(8), digit.repeated(6), digit.repeated(3));
    const QStringList copies = folder.entryList({pattern}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + kBackupsKept < copies.size(); ++i)
        folder.remove(copies[i]);
}

} // namespace

Result<QString> backupRegister(Connection& connection, Progress* progress)
{
    const auto fail = [](const QString& why) {
        return Failure{QStringLiteral("the backup copy could not be written (%1)").arg(why)};
    };
    sqlite3* source = connection.sqliteHandle();
    if (!source)
        return fail(QStringLiteral("the register is not an SQLite file"));
    const QFileInfo file(connection.filePath());
    QDir folder(file.absolutePath());
    const QString sub = QStringLiteral("backups");
    const QString where = QDir::toNativeSeparators(folder.filePath(sub));
    if (!QFileInfo::exists(folder.filePath(sub))) {
        if (!folder.mkdir(sub))
            return fail(QStringLiteral("the folder %1 could not be made").arg(where));
        QFile::setPermissions(folder.filePath(sub), kOwnerOnly | QFileDevice::ExeOwner);
    }
    if (!folder.cd(sub))
        return fail(QStringLiteral("%1 is not a folder").arg(where));
    const QString stem = file.completeBaseName();
    // Stamped to the millisecond, so that names sort as the copies were made.
    QString path;
    do {
        path = folder.filePath(QStringLiteral("%1-%2.mdb")
                                   .arg(stem, QDateTime::currentDateTime().toString(
                                                  QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    } while (QFileInfo::exists(path) && (QThread::msleep(1), true));

    // Made owner-only before a byte goes in: it holds what the register holds.
    {
        QFile copy(path);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(copy.errorString());
        copy.setPermissions(kOwnerOnly);
    }
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &target, SQLITE_OPEN_READWRITE,
                             nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        if (backup) {
            // A few megabytes at a time, so that a long copy shows its progress.
            do {
                if (progress && !progress->carryOn(sqlite3_backup_pagecount(backup) -
                                                       sqlite3_backup_remaining(backup),
                                                   sqlite3_backup_pagecount(backup)))
                    rc = SQLITE_INTERRUPT;
                else
                    rc = sqlite3_backup_step(backup, 1024);
            } while (rc == SQLITE_OK);
            sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
        } else {
            rc = sqlite3_errcode(target);
        }
    }
    const QString why = rc == SQLITE_INTERRUPT
                            ? QStringLiteral("it was cancelled")
                            : QString::fromUtf8(target ? sqlite3_errmsg(target) : sqlite3_errstr(rc));
    sqlite3_close(target);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        return fail(why);
    }
    pruneOld(folder, stem);
    return path;
}

} // namespace parlog
