#include "data/backup.h"

#include "data/connection.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/schema.h"

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
    const QString why = rc == SQLITE_INTERRUPT ? QStringLiteral("it was cancelled")
                                               : QString::fromUtf8(target ? sqlite3_errmsg(target)
                                                                          : sqlite3_errstr(rc));
    sqlite3_close(target);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        return fail(why);
    }
    pruneOld(folder, stem);
    return path;
}

Result<QString> backupRounds(Connection& connection, const rounds::Filter& filter,
                             Progress* progress)
{
    const auto fail = [](const QString& why) {
        return Failure{QStringLiteral("the rounds could not be copied aside first (%1)").arg(why)};
    };
    const QString folder = QDir(userDataFolder()).filePath(QStringLiteral("backups"));
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder))
            return fail(QStringLiteral("the folder %1 could not be made").arg(folder));
        QFile::setPermissions(folder, kOwnerOnly | QFileDevice::ExeOwner);
    }
    const QString database =
        serverAddress(connection.filePath()).value_or(ServerAddress{}).database;
    const QString path = QDir(folder).filePath(
        QStringLiteral("%1-%2.mdb")
            .arg(database.isEmpty() ? QStringLiteral("club") : database,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    const auto found = rounds::search(connection, filter, QStringLiteral("strdate"));
    if (!found)
        return fail(found.error());
    Connection copy(path);
    if (Status made = copy.open(); !made)
        return fail(made.error());
    if (!copy.transaction())
        return fail(QStringLiteral("the copy would not start"));
    int done = 0;
    for (const QVariantList& row : found->rows) {
        Record record;
        for (qsizetype i = 0; i < found->columns.size(); ++i)
            if (const schema::Column* c = schema::score().column(found->columns[i]))
                record.insert(c->name, row[i]);
        if (Status saved = rounds::insert(copy, record); !saved) {
            copy.rollback();
            copy.close();
            QFile::remove(path);
            return fail(saved.error());
        }
        if (progress && ++done % 200 == 0 && !progress->carryOn(done, found->rows.size())) {
            copy.rollback();
            copy.close();
            QFile::remove(path);
            return fail(QStringLiteral("it was cancelled"));
        }
    }
    if (!copy.commit())
        return fail(copy.describe(copy.lastError()));
    return path;
}

Result<int> restoreRounds(const QString& backup, const QString& target)
{
    Connection from(backup);
    if (Status opened = from.open(); !opened)
        return Failure{opened.error()};
    Connection to(target);
    if (Status opened = to.open(); !opened)
        return Failure{opened.error()};
    const auto found = rounds::search(
        from, {{}, {}, {}, QStringLiteral("0000-01-01"), QStringLiteral("9999-12-31")},
        QStringLiteral("strdate"));
    if (!found)
        return Failure{found.error()};
    if (!to.transaction())
        return Failure{QStringLiteral("No round was restored: the register would not start a "
                                      "transaction.")};
    for (const QVariantList& row : found->rows) {
        Record record;
        for (qsizetype i = 0; i < found->columns.size(); ++i)
            if (const schema::Column* c = schema::score().column(found->columns[i]))
                record.insert(c->name, row[i]);
        if (Status saved = rounds::insert(to, record); !saved) {
            to.rollback();
            return Failure{QStringLiteral("No round was restored: %1").arg(saved.error())};
        }
    }
    if (!to.commit())
        return Failure{
            QStringLiteral("No round was restored: %1").arg(to.describe(to.lastError()))};
    return int(found->rows.size());
}

} // namespace parlog
