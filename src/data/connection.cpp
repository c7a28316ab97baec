#include "data/connection.h"

#include "data/dialect.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/schema.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlDriver>
#include <QWaitCondition>

#include <sqlite3.h>

#include <unistd.h>

namespace parlog {

namespace {

QAtomicInteger<quint64> g_connectionCount;

constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADb = 26;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteInterrupt = 9;

// How long a statement waits for another program to let go of the file before it
// says so: long enough for a brief lock, short enough to answer within two seconds.
constexpr int kBusyTimeoutMs = 1500;

void (*g_activityHook)(bool) = nullptr;

// Files whose integrity check is running, and the signal that one has ended.
QMutex g_checkLock;
QWaitCondition g_checkDone;
QSet<QString>& checking()
{
    static QSet<QString> files;
    return files;
}

int progressCallback(void* context)
{
    return static_cast<Progress*>(context)->carryOn(0, 0) ? 0 : 1;
}

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

QString errorDetail(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

// An empty register's tables, all or none.
bool makeTables(QSqlDatabase& db, const Dialect& dialect, QString* problem)
{
    bool ok = db.transaction();
    {
        QSqlQuery q(db);
        for (const QString& statement : dialect.createStatements()) {
            if (!ok)
                break;
            ok = q.exec(statement);
            if (!ok)
                *problem = errorDetail(q.lastError());
        }
    }
    if (ok)
        ok = db.commit();
    else
        db.rollback();
    if (!ok && problem->isEmpty())
        *problem = errorDetail(db.lastError());
    return ok;
}

// Files found damaged in this run, by path, with the message that said so.
QMutex g_damagedLock;
QHash<QString, QString>& damagedFiles()
{
    static QHash<QString, QString> files;
    return files;
}

QString key(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

bool folderIsWritable(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

bool fileIsWritable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

} // namespace

void Connection::markDamaged(const QString& filePath, const QString& message)
{
    QMutexLocker lock(&g_damagedLock);
    damagedFiles().insert(key(filePath), message);
}

QString Connection::damage(const QString& filePath)
{
    QMutexLocker lock(&g_damagedLock);
    return damagedFiles().value(key(filePath));
}

QString Connection::damageMessage(const QString& detail) const
{
    return fileMessage(QStringLiteral("it is damaged (%1). Restore it from a backup.").arg(detail));
}

Connection::Connection(QString location)
    : m_path(std::move(location))
    , m_name(QStringLiteral("parlog-%1").arg(++g_connectionCount))
    , m_server(serverAddress(m_path).has_value())
{
}

Connection::~Connection()
{
    close();
}

const Dialect& Connection::dialect() const
{
    if (m_server)
        return postgresDialect();
    return sqliteDialect();
}

bool Connection::transaction()
{
    return database().transaction();
}

bool Connection::commit()
{
    if (database().commit())
        return true;
    m_lastError = database().lastError();
    return false;
}

void Connection::rollback()
{
    database().rollback();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

QSqlQuery Connection::query() const
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    return q;
}

void Connection::close()
{
    m_statements.clear();
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_open = false;
}

QString Connection::displayName() const
{
    return shownLocation(m_path);
}

QString Connection::fileMessage(const QString& problem) const
{
    if (m_server)
        return QStringLiteral("Parlog cannot use the club register \"%1\": %2")
            .arg(displayName(), problem);
    return QStringLiteral("Parlog cannot use its data file \"%1\": %2")
        .arg(displayName(), problem);
}

Status Connection::open(Check check, Missing missing)
{
    if (m_open)
        return {};
    if (m_server)
        return openServer(check);
    if (!QFileInfo::exists(m_path)) {
        if (check == Check::None)
            return Failure{fileMessage(
                QStringLiteral("it is no longer there: it was moved or deleted while Parlog was "
                               "running. Nothing was stored. Put it back, or choose another "
                               "register."))};
        if (missing == Missing::Refuse)
            return Failure{fileMessage(QStringLiteral("there is no such file."))};
        if (Status made = create(); !made)
            return made;
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(dialect().driver(), m_name);
    db.setDatabaseName(m_path);
    // A few seconds' patience with another program that holds the file.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (!damage(m_path).isEmpty())
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open()) {
        const QString error = fileMessage(
            QStringLiteral("it could not be opened (%1).").arg(errorDetail(db.lastError())));
        db = QSqlDatabase();
        close();
        return Failure{error};
    }
    m_open = true;
    if (Status sound = verify(check); !sound) {
        db = QSqlDatabase();
        close();
        return sound;
    }
    // Durability before speed: a saved round must survive a power cut the instant
    // after. Both fail harmlessly on a read-only file.
    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    // Reads straight from the file's pages in memory rather than a call per page: a
    // season of rounds spread over decades touches thousands of them.
    pragma.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
    if (pragma.exec(QStringLiteral("PRAGMA journal_mode")) && pragma.next() &&
        pragma.value(0).toString().compare(u"delete", Qt::CaseInsensitive) != 0)
        pragma.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    return {};
}

Status Connection::create()
{
    // A link that points nowhere yet gets its file where it points, owner-only like
    // any other, and keeps being the link the user made.
    QString target = m_path;
    const QFileInfo link(m_path);
    if (link.isSymLink())
        target = link.symLinkTarget();
    // Built under another name and moved into place, so that a failure half way
    // never leaves a file that looks like a data file.
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    {
        QFile file(temp);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return Failure{fileMessage(QStringLiteral("it does not exist and could not be "
                                                      "created (%1). Check that the folder can "
                                                      "be written.")
                                           .arg(file.errorString()))};
        // Members' addresses and telephone numbers: for the owner's eyes only.
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    const QString name = m_name + QStringLiteral("-create");
    bool ok = false;
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(dialect().driver(), name);
        db.setDatabaseName(temp);
        if (db.open()) {
            ok = makeTables(db, dialect(), &problem);
            db.close();
        } else {
            problem = errorDetail(db.lastError());
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (ok && !QFile::rename(temp, target)) {
        ok = false;
        problem = QStringLiteral("the new file could not be put in place");
    }
    if (!ok) {
        QFile::remove(temp);
        return Failure{fileMessage(
            QStringLiteral("it does not exist and could not be created (%1).").arg(problem))};
    }
    return {};
}

Status Connection::verify(Check check)
{
    QSqlQuery q = query();
    const QString unchanged = QStringLiteral(" Parlog has not changed it.");
    const auto refuse = [this](const QString& why) { return Failure{fileMessage(why)}; };
    if (!q.exec(dialect().versionQuery()) || !q.next()) {
        const QSqlError error = q.lastError();
        const int code = primaryCode(error);
        if (code == kSqliteNotADb)
            return refuse(QStringLiteral("it is not a Parlog database.") + unchanged);
        if (code == kSqliteCorrupt) {
            const QString message = damageMessage(errorDetail(error));
            markDamaged(m_path, message);
            return Failure{message};
        }
        if (code == kSqliteBusy || code == kSqliteLocked)
            return refuse(QStringLiteral("it is in use by another program. Try again when that "
                                         "program has finished with it."));
        return refuse(QStringLiteral("it could not be read (%1).").arg(errorDetail(error)));
    }
    // Reading the version proves the file is a readable database; what kind was
    // settled by the run's first, full check.
    if (check == Check::None)
        return {};
    const int version = q.value(0).toInt();
    if (version < 0)
        return refuse(
            QStringLiteral("it is not a Parlog database (its data version is %1).").arg(version) +
            unchanged);
    if (version > schema::kVersion)
        return refuse(QStringLiteral("it was written by a newer version of Parlog (data version "
                                     "%1; this version reads %2).")
                          .arg(version)
                          .arg(schema::kVersion) +
                      unchanged);
    int id = 0;
    if (q.exec(sqliteDialect().applicationIdQuery()) && q.next()) {
        id = q.value(0).toInt();
        if (id != 0 && id != schema::kApplicationId)
            return refuse(
                QStringLiteral("it is not a Parlog database (it belongs to another program).") +
                unchanged);
    }
    QStringList missing;
    for (const schema::Table* table : schema::tables()) {
        QSet<QString> present;
        if (q.exec(dialect().columnsQuery(table->name))) {
            while (q.next())
                present.insert(q.value(0).toString().toLower());
        }
        if (present.isEmpty()) {
            missing << QStringLiteral("table %1").arg(table->name);
            continue;
        }
        for (const QString& column : table->columnNames()) {
            if (!present.contains(column.toLower()))
                missing << QStringLiteral("%1.%2").arg(table->name, column);
        }
    }
    if (!missing.isEmpty()) {
        if (missing.size() > 6)
            missing = missing.mid(0, 6) << QStringLiteral("…");
        // A file marked as Parlog's, or whose pages do not read, has lost its tables to
        // damage rather than being someone else's.
        QSqlQuery check = query();
        const bool pagesRead = check.exec(QStringLiteral("PRAGMA quick_check(1)")) &&
                               check.next() && check.value(0).toString() == u"ok";
        if (!pagesRead || id == schema::kApplicationId)
            return refuse(QStringLiteral("it may be damaged: its tables cannot be found "
                                         "(missing: %1). Restore it from a backup.")
                              .arg(missing.join(QStringLiteral(", "))) +
                          unchanged);
        return refuse(QStringLiteral("it is not a Parlog database (missing: %1).")
                          .arg(missing.join(QStringLiteral(", "))) +
                      unchanged);
    }
    return {};
}

Status Connection::checkIntegrity()
{
    if (m_server)
        return {}; // the server keeps its own pages
    QSqlQuery q = query();
    QString message;
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
        message = damageMessage(errorDetail(q.lastError()));
    } else {
        // A report may run to many lines, some within one row: the first few say enough.
        QStringList problems;
        while (q.next() && problems.size() < 3) {
            const QStringList lines = q.value(0).toString().split(QLatin1Char('\n'));
            for (const QString& line : lines)
                if (!line.trimmed().isEmpty() && line != u"ok" && problems.size() < 3)
                    problems << line.trimmed();
        }
        if (problems.isEmpty())
            return {};
        message = damageMessage(problems.join(QStringLiteral("; ")));
    }
    markDamaged(m_path, message);
    return Failure{message};
}

void Connection::planEachRun()
{
    if (!m_server || !m_open)
        return;
    QSqlQuery q = query();
    // Failing leaves the server's own choice, which is only slower.
    (void)q.exec(QStringLiteral("SET plan_cache_mode = force_custom_plan"));
}

bool Connection::exec(QSqlQuery& q, const QString& sql, const QVariantList& values)
{
    m_lastError = QSqlError();
    if (g_activityHook)
        g_activityHook(true);
    bool ok = false;
    if (values.isEmpty()) {
        // Nothing to bind: one trip to a server instead of prepare, run and release.
        ok = q.exec(sql);
    } else if (m_server) {
        auto prepared = m_statements.find(sql);
        if (prepared == m_statements.end()) {
            // Statements with lists of keys vary; a few hundred is plenty to keep.
            if (m_statements.size() >= 256)
                m_statements.clear();
            QSqlQuery fresh = query();
            ok = fresh.prepare(sql);
            if (ok)
                prepared = m_statements.insert(sql, std::move(fresh));
            else
                m_lastError = fresh.lastError();
        } else {
            ok = true;
        }
        if (ok) {
            // The caller's query shares the prepared one, which is what is wanted here:
            // every caller reads its rows before the same statement runs again.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            q = *prepared;
            QT_WARNING_POP
            for (int i = 0; i < values.size(); ++i)
                q.bindValue(i, values[i]);
            ok = q.exec();
        }
    } else {
        ok = q.prepare(sql);
        if (ok) {
            for (const QVariant& value : values)
                q.addBindValue(value);
            ok = q.exec();
        }
    }
    if (g_activityHook)
        g_activityHook(false);
    if (!ok && !m_lastError.isValid())
        m_lastError = q.lastError();
    return ok;
}

bool Connection::readToEnd(const QSqlQuery& q)
{
    if (!q.lastError().isValid())
        return true;
    m_lastError = q.lastError();
    return false;
}

bool Connection::isFileProblem(const QSqlError& error)
{
    switch (primaryCode(error)) {
    case kSqliteReadOnly:
    case kSqliteBusy:
    case kSqliteLocked:
    case kSqliteFull:
    case kSqliteCorrupt:
    case kSqliteNotADb:
    case kSqliteCantOpen:
        return true;
    default:
        return false;
    }
}

namespace {

std::function<std::optional<QString>(const QString&)>& passwordHook()
{
    static std::function<std::optional<QString>(const QString&)> hook;
    return hook;
}

// Passwords given in this run, by server location.
QHash<QString, QString>& passwords()
{
    static QHash<QString, QString> known;
    return known;
}

bool needsPassword(const QSqlError& error)
{
    const QString text = error.databaseText() + error.driverText();
    return text.contains(QLatin1String("password"), Qt::CaseInsensitive);
}

} // namespace

void Connection::setPasswordHook(std::function<std::optional<QString>(const QString&)> ask)
{
    passwordHook() = std::move(ask);
}

Status Connection::openServer(Check check)
{
    const auto address = serverAddress(m_path);
    // The server driver is a separate package, recommended but not required by Parlog's.
    if (!QSqlDatabase::isDriverAvailable(dialect().driver()))
        return Failure{fileMessage(
            QStringLiteral("Qt's PostgreSQL driver is not installed. Install the package "
                           "libqt6sql6-psql, then try again."))};
    for (int attempt = 0; attempt < 2; ++attempt) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(dialect().driver(), m_name);
            db.setDatabaseName(address->database);
            if (!address->host.isEmpty())
                db.setHostName(address->host);
            if (address->port > 0)
                db.setPort(address->port);
            if (!address->user.isEmpty())
                db.setUserName(address->user);
            if (!address->password.isEmpty()) {
                db.setPassword(address->password);
            } else {
                QMutexLocker lock(&g_damagedLock);
                if (passwords().contains(m_path))
                    db.setPassword(passwords().value(m_path));
            }
            // A server that has gone away answers within seconds, not minutes.
            db.setConnectOptions(QStringLiteral("connect_timeout=5"));
            if (db.open()) {
                m_open = true;
                break;
            }
            const QSqlError error = db.lastError();
            db = QSqlDatabase();
            close();
            // Once per run the user is asked, when the server's own means gave none.
            if (attempt == 0 && address->password.isEmpty() && needsPassword(error) &&
                passwordHook()) {
                if (const auto given = passwordHook()(displayName())) {
                    QMutexLocker lock(&g_damagedLock);
                    passwords().insert(m_path, *given);
                    continue;
                }
            }
            return Failure{fileMessage(
                QStringLiteral("the server could not be reached or refused the connection "
                               "(%1). Check the address, the network and the password, then "
                               "try again.")
                    .arg(errorDetail(error).trimmed()))};
        }
    }
    if (Status sound = verifyServer(check); !sound) {
        close();
        return sound;
    }
    return {};
}

Status Connection::verifyServer(Check check)
{
    QSqlQuery q = query();
    const QString unchanged = QStringLiteral(" Parlog has not changed it.");
    if (q.exec(QStringLiteral("SELECT application, version FROM parlog_meta")) && q.next()) {
        if (q.value(0).toString() != u"Parlog")
            return Failure{
                fileMessage(QStringLiteral("it belongs to another program.") + unchanged)};
        const int version = q.value(1).toInt();
        if (version > schema::kVersion)
            return Failure{fileMessage(QStringLiteral("it was written by a newer version of "
                                                      "Parlog (data version %1; this version "
                                                      "reads %2).")
                                           .arg(version)
                                           .arg(schema::kVersion) +
                                       unchanged)};
        if (version < 1)
            return Failure{fileMessage(QStringLiteral("it is not a Parlog register.") + unchanged)};
        if (check == Check::None)
            return {};
        QStringList missing;
        for (const schema::Table* table : schema::tables()) {
            QSet<QString> present;
            if (q.exec(dialect().columnsQuery(table->name)))
                while (q.next())
                    present.insert(q.value(0).toString().toLower());
            for (const QString& column : table->columnNames())
                if (!present.contains(column.toLower()))
                    missing << QStringLiteral("%1.%2").arg(table->name, column);
        }
        if (!missing.isEmpty())
            return Failure{fileMessage(QStringLiteral("it is not a Parlog register (missing: %1).")
                                           .arg(missing.mid(0, 6).join(QStringLiteral(", "))) +
                                       unchanged)};
        return {};
    }
    // No mark of Parlog's: an empty database becomes a register; anything else is
    // someone else's and left alone.
    if (!q.exec(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                               "table_schema = current_schema()")) ||
        !q.next())
        return Failure{describe(q.lastError())};
    if (q.value(0).toLongLong() > 0)
        return Failure{fileMessage(
            QStringLiteral("the database holds tables of another program, so it is not a "
                           "Parlog register.") +
            unchanged)};
    QSqlDatabase db = database();
    QString problem;
    if (!makeTables(db, dialect(), &problem))
        return Failure{fileMessage(
            QStringLiteral("its tables could not be made (%1).").arg(problem.trimmed()))};
    return {};
}

sqlite3* Connection::sqliteHandle() const
{
    if (m_server)
        return nullptr;
    const QVariant handle = database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

void Connection::setProgress(Progress* progress)
{
    if (sqlite3* db = sqliteHandle())
        sqlite3_progress_handler(db, progress ? 20000 : 0, progress ? progressCallback : nullptr,
                                 progress);
}

void Connection::cacheWholeFile(bool whole)
{
    if (m_server)
        return;
    QSqlQuery q = query();
    qint64 kib = 2000; // SQLite's own default
    if (whole && q.exec(QStringLiteral("PRAGMA page_count")) && q.next()) {
        const qint64 pages = q.value(0).toLongLong();
        qint64 pageSize = 4096;
        if (q.exec(QStringLiteral("PRAGMA page_size")) && q.next())
            pageSize = q.value(0).toLongLong();
        // Room for every page, within reason.
        kib = qBound(qint64(2000), pages * pageSize / 1024 + 1024, qint64(1024 * 1024));
    }
    q.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(kib));
}

void Connection::setActivityHook(void (*hook)(bool))
{
    g_activityHook = hook;
}

void Connection::checkStarted(const QString& filePath)
{
    QMutexLocker lock(&g_checkLock);
    checking().insert(key(filePath));
}

void Connection::checkEnded(const QString& filePath)
{
    QMutexLocker lock(&g_checkLock);
    checking().remove(key(filePath));
    g_checkDone.wakeAll();
}

Status Connection::beforeWrite()
{
    {
        QMutexLocker lock(&g_checkLock);
        if (checking().contains(key(m_path))) {
            if (g_activityHook)
                g_activityHook(true);
            while (checking().contains(key(m_path)))
                g_checkDone.wait(&g_checkLock);
            if (g_activityHook)
                g_activityHook(false);
        }
    }
    const QString damaged = damage(m_path);
    if (!damaged.isEmpty())
        return Failure{damaged};
    return {};
}

QString Connection::describe(const QSqlError& error) const
{
    if (m_server) {
        // What was typed stays in its boxes; the next action connects afresh.
        if (!database().isOpen() || error.type() == QSqlError::ConnectionError ||
            error.databaseText().contains(QLatin1String("connection"), Qt::CaseInsensitive))
            return fileMessage(QStringLiteral("the server did not answer (%1). Nothing was "
                                              "stored. Try again when the server is back.")
                                   .arg(errorDetail(error).trimmed()));
        return QStringLiteral("The club server refused the statement: %1")
            .arg(errorDetail(error).trimmed());
    }
    const int code = primaryCode(error);
    // Damaged pages stay damaged; a file that is not a database at all may be put
    // right by the user and is not remembered.
    if (code == kSqliteCorrupt)
        markDamaged(m_path, damageMessage(errorDetail(error)));
    // A file known damaged refuses every write with the message that found it so.
    const QString damaged = damage(m_path);
    if (!damaged.isEmpty() && isFileProblem(error))
        return damaged;
    switch (code) {
    case kSqliteInterrupt:
        return QStringLiteral("it was cancelled, so nothing was changed.");
    case kSqliteReadOnly:
    case kSqliteCantOpen:
        // SQLite writes a journal beside the file: a folder that cannot be written
        // refuses a change as surely as a read-only file, and is what to mend.
        if (fileIsWritable(m_path) && !folderIsWritable(m_path))
            return fileMessage(
                QStringLiteral("its folder \"%1\" cannot be written (Parlog keeps "
                               "a journal there while it saves), so the change "
                               "was not stored.")
                    .arg(QDir::toNativeSeparators(QFileInfo(m_path).absolutePath())));
        if (code == kSqliteCantOpen)
            return fileMessage(
                QStringLiteral("it could not be opened (%1).").arg(errorDetail(error)));
        return fileMessage(QStringLiteral("it is read-only, so the change was not stored."));
    case kSqliteBusy:
    case kSqliteLocked:
        return fileMessage(QStringLiteral("it is in use by another program, so the change was "
                                          "not stored. Try again in a moment."));
    case kSqliteFull:
        return fileMessage(QStringLiteral("the disk is full, so the change was not stored."));
    case kSqliteCorrupt:
    case kSqliteNotADb:
        return damageMessage(errorDetail(error));
    default:
        return QStringLiteral("The database refused the statement: %1").arg(errorDetail(error));
    }
}

} // namespace parlog
