#include "data/backup.h"

#include "data/connection.h"
#include "data/copy.h"
#include "data/dialect.h"
#include "data/engine.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/schema.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include <cstdio>

namespace parlog {

namespace {
// How long a restore waits for another writer that holds the register.
constexpr int kRestorePatienceMs = 30000;
} // namespace

namespace backups {

namespace {

QString stampPattern(const QString& stem)
{
    const QString digit = QStringLiteral("[0-9]");
    return QStringLiteral("%1-%2-%3-%4.mdb")
        .arg(stem, digit.repeated(8), digit.repeated(6), digit.repeated(3));
}

// Whether a piece is being written by a program that is still at it: SQLite holds its
// lock on a copy until the copy is whole.
bool inUse(const QString& piece)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(piece).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const int rc = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

} // namespace

void clearLeftovers(const QDir& folder)
{
    static const QRegularExpression kPiece(
        QStringLiteral("^\\.?.+-[0-9]{8}-[0-9]{6}-[0-9]{3}\\.mdb(\\.[0-9]+)?\\.part(-journal)?$"));
    // A piece written to a moment ago may be a copy another Parlog is making now.
    const QDateTime settled = QDateTime::currentDateTime().addSecs(-60);
    const QFileInfoList files =
        folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!kPiece.match(file.fileName()).hasMatch() || file.lastModified() > settled)
            continue;
        const QString path = file.absoluteFilePath();
        const bool journal = path.endsWith(u"-journal");
        const QString piece = journal ? path.chopped(int(qstrlen("-journal"))) : path;
        if (QFileInfo::exists(piece) && inUse(piece))
            continue;
        QFile::remove(path);
    }
}

// By the time they were written, never by name: a clock once ahead, or files copied
// in, would have names that sort after today's. Only names of Parlog's own form are
// touched, and never the copy just made.
void pruneOld(const QDir& folder, const QString& stem, const QString& justMade)
{
    const QFileInfoList copies =
        folder.entryInfoList({stampPattern(stem)}, QDir::Files | QDir::NoSymLinks, QDir::Time);
    int kept = 1; // the one just made
    for (const QFileInfo& copy : copies) {
        if (copy.absoluteFilePath() == QFileInfo(justMade).absoluteFilePath())
            continue;
        if (kept < kBackupsKept)
            ++kept;
        else
            QFile::remove(copy.absoluteFilePath());
    }
}

Result<QDir> folder(const QString& path)
{
    const QString where = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return Failure{QStringLiteral("the folder %1 is a link to %2, which does not exist")
                           .arg(where, QDir::toNativeSeparators(info.symLinkTarget()))};
    if (!info.exists()) {
        if (!QDir().mkpath(path))
            return Failure{QStringLiteral("the folder %1 could not be made").arg(where)};
        QFile::setPermissions(path, kOwnerOnly | QFileDevice::ExeOwner);
    }
    struct stat folder {};
    if (::stat(QFile::encodeName(path).constData(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return Failure{QStringLiteral("%1 is not a folder").arg(where)};
    // A sticky folder (such as /tmp) lets nobody delete another's files.
    if ((folder.st_mode & (S_IWGRP | S_IWOTH)) && !(folder.st_mode & S_ISVTX))
        return Failure{QStringLiteral("the folder %1%2 can be written by other users, who could "
                                      "delete the copy. Make it yours alone (chmod 700)")
                           .arg(where, info.isSymLink() ? QStringLiteral(" (a link to %1)")
                                                              .arg(QDir::toNativeSeparators(
                                                                  info.symLinkTarget()))
                                                        : QString())};
    return QDir(path);
}

Result<QDir> usersFolder()
{
    // Made first, so that the folder above the backups is not made open to all.
    return folder(QDir(madeUserDataFolder()).filePath(QStringLiteral("backups")));
}

QString stampedPath(const QDir& folder, const QString& stem)
{
    QString path;
    do {
        path = folder.filePath(QStringLiteral("%1-%2.mdb")
                                   .arg(stem, QDateTime::currentDateTime().toString(
                                                  QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    } while (QFileInfo::exists(path) && (QThread::msleep(1), true));
    return path;
}

Status putInPlace(const QString& part, const QString& path)
{
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0)
        return Failure{QStringLiteral("the copy could not be put in place as %1")
                           .arg(QDir::toNativeSeparators(path))};
    return {};
}

Status putInPlaceNew(const QString& part, const QString& path)
{
    const QByteArray from = QFile::encodeName(part);
    const QByteArray to = QFile::encodeName(path);
    // A hard link is made only where no file is; the piece's own name then goes.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return {};
    }
    if (errno == EEXIST)
        return Failure{QStringLiteral("%1 was made by someone else meanwhile")
                           .arg(QDir::toNativeSeparators(path))};
    // A file system without hard links: the name is looked at, then taken.
    if (QFileInfo::exists(path))
        return Failure{QStringLiteral("%1 was made by someone else meanwhile")
                           .arg(QDir::toNativeSeparators(path))};
    return putInPlace(part, path);
}

} // namespace backups

Result<QString> backupRegister(Connection& connection, Progress* progress)
{
    // A copy of a damaged register would push a good one out of those kept.
    if (Status sound = connection.beforeWrite(); !sound)
        return Failure{sound.error()};
    return connection.engine().backUp(progress);
}

Result<QString> backupRounds(const Rows& rounds, const QString& stem, Progress* progress)
{
    const auto fail = [](const QString& why) {
        return Failure{QStringLiteral("the rounds could not be copied aside first (%1)").arg(why)};
    };
    const auto folder = backups::usersFolder();
    if (!folder)
        return fail(folder.error());
    backups::clearLeftovers(*folder);
    const QString path = backups::stampedPath(*folder, stem);
    // Put in place whole, as the register's copies are.
    const QString part = path + QStringLiteral(".part");
    const auto discard = [&](Connection& copy, const QString& why) {
        copy.rollback();
        copy.close();
        QFile::remove(part);
        return fail(why);
    };
    Connection copy(part);
    if (Status made = copy.open(); !made)
        return fail(made.error());
    if (!copy.transaction())
        return discard(copy, QStringLiteral("the copy would not start"));
    int done = 0;
    for (const Record& round : recordsOf(schema::score(), rounds)) {
        if (Status saved = rounds::insert(copy, round); !saved)
            return discard(copy, saved.error());
        if (progress && ++done % 200 == 0 && !progress->carryOn(done, rounds.rows.size()))
            return discard(copy, QStringLiteral("it was cancelled"));
    }
    if (!copy.commit())
        return discard(copy, copy.describe(copy.lastError()));
    copy.close();
    if (Status placed = backups::putInPlace(part, path); !placed)
        return discard(copy, placed.error());
    return path;
}

namespace {

// A stored value as text that two engines give alike: a REAL 12 from one and 12.0
// from the other are the same handicap.
QString canonical(const QVariant& value, schema::Type type)
{
    if (value.isNull() || !value.isValid())
        return QStringLiteral("\u2205");
    switch (type) {
    case schema::Type::Whole:
    case schema::Type::Tick:
    case schema::Type::Key:
        return QString::number(value.toLongLong());
    case schema::Type::Number:
        return QString::number(value.toDouble(), 'g', 15);
    case schema::Type::Date:
        if (value.metaType().id() == QMetaType::QDate)
            return value.toDate().toString(Qt::ISODate);
        return value.toString();
    case schema::Type::Text:
    case schema::Type::Name:
        break;
    }
    return value.toString();
}

// Every stored column of a round that both registers have (ROW holds them in that
// order), as a digest: two cards alike in every such column are the same card.
QByteArray cardOf(const QList<schema::Column>& columns, const QVariantList& row)
{
    QStringList parts;
    for (qsizetype i = 0; i < columns.size(); ++i)
        parts << canonical(row.value(i), columns[i].type);
    return QCryptographicHash::hash(parts.join(QChar(0x1f)).toUtf8(), QCryptographicHash::Sha256);
}

QStringList namesOf(const QList<schema::Column>& columns)
{
    QStringList names;
    for (const schema::Column& c : columns)
        names << c.name;
    return names;
}

} // namespace

Result<Restored> restoreRounds(const QString& backup, const QString& target)
{
    const QString nothing = QStringLiteral("No round was restored: ");
    // Neither is made when it is not there: a misspelt name is said, not created empty.
    Connection from(backup);
    if (Status opened = from.open(Connection::Check::Full, Connection::Missing::Refuse,
                                  Connection::Upgrade::No);
        !opened)
        return Failure{opened.error()};
    Connection to(target);
    if (Status opened = to.open(Connection::Check::Full, Connection::Missing::Refuse); !opened)
        return Failure{opened.error()};
    // The columns both have: a backup of an older data version lacks those added since.
    const QList<schema::Column> columns =
        schema::score().columnsOf(qMin(from.version(), to.version()));
    const QStringList names = namesOf(columns);
    const QString list = names.join(u", ");
    // The backup is read a slice at a time, so that a whole register's backup is never
    // held at once; first its days, for what the target holds over them.
    QString first, last;
    if (!from.scan(QStringLiteral("SELECT strdate FROM score"), {}, [&](const Cells& row) {
            const QString date = canonical(row.value(0), schema::Type::Date);
            if (row.isNull(0) || date.isEmpty())
                return;
            if (first.isEmpty() || date < first)
                first = date;
            if (last.isEmpty() || date > last)
                last = date;
        }))
        return Failure{nothing + sql::failure(from).error};
    // Locked before what the target holds is read: two restores of one backup at once
    // add its rounds once.
    if (Status writable = to.beforeWrite(); !writable)
        return Failure{nothing + writable.error()};
    if (Status locked = to.engine().beginWriting(kRestorePatienceMs); !locked)
        return Failure{nothing + locked.error()};
    const auto undo = [&](const QString& why) {
        to.rollback();
        return Failure{nothing + why};
    };
    // The cards the target holds over the same days, each able to stand for one of
    // the backup's: restoring twice adds nothing the second time.
    QHash<QByteArray, int> held;
    if (!first.isEmpty()) {
        QVariantList row;
        if (!to.scan(QStringLiteral("SELECT %1 FROM score WHERE strdate BETWEEN ? AND ?").arg(list),
                     {first, last}, [&](const Cells& cells) {
                         row.clear();
                         for (int c = 0; c < cells.count(); ++c)
                             row << cells.value(c);
                         ++held[cardOf(columns, row)];
                     }))
            return undo(sql::failure(to).error);
    }
    Restored result;
    sql::BatchInsert stored(to, schema::score().name, names);
    constexpr int kSlice = 2000;
    QVariant after = std::numeric_limits<qint64>::min();
    for (;;) {
        const auto slice =
            sql::rows(from,
                      QStringLiteral("SELECT %2 AS parlog_restore_key, %1 FROM score WHERE %2 > ? "
                                     "ORDER BY %2 LIMIT %3")
                          .arg(list, from.dialect().roundKey())
                          .arg(kSlice),
                      {after});
        if (!slice)
            return undo(slice.error());
        if (slice->rows.isEmpty())
            break;
        after = slice->rows.last().value(0);
        const auto text = [&](const QVariantList& row, const char* column) {
            return row.value(slice->column(QLatin1String(column))).toString();
        };
        for (const QVariantList& keyed : std::as_const(slice->rows)) {
            if (text(keyed, "strdate").isEmpty()) {
                // No search or statistic could find it again: named, not added.
                result.notRestored << QStringLiteral("the round of %1 at %2 has no date")
                                          .arg(text(keyed, "playerID"), text(keyed, "course"));
                continue;
            }
            const QVariantList row = keyed.mid(1);
            if (auto it = held.find(cardOf(columns, row)); it != held.end() && *it > 0) {
                --*it;
                ++result.alreadyThere;
                continue;
            }
            if (!stored.add(row))
                return undo(to.describe(stored.error()));
            ++result.restored;
        }
    }
    if (!stored.finish())
        return undo(to.describe(stored.error()));
    if (!to.commit())
        return undo(to.describe(to.lastError()));
    return result;
}

} // namespace parlog
