// The embedded engine: a register is a file of SQLite's.
#include "data/backup.h"
#include "data/copy.h"
#include "data/deletion.h"
#include "data/dialect.h"
#include "data/engine.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/schema.h"
#include "data/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>

#include <sqlite3.h>

#include <unistd.h>

namespace parlog {

namespace {

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

class SqliteDialect : public Dialect {
public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    QStringList createStatements() const override
    {
        return tableStatements(QStringLiteral(" STRICT"))
               << QStringLiteral("PRAGMA application_id = %1").arg(schema::kApplicationId)
               << QStringLiteral("PRAGMA user_version = %1").arg(schema::kVersion);
    }
    QStringList upgradeStatements(int fromVersion) const override
    {
        return tableStatements(QStringLiteral(" STRICT"), fromVersion)
               << QStringLiteral("PRAGMA user_version = %1").arg(schema::kVersion);
    }
    QString roundKey() const override { return QStringLiteral("rowid"); }
    QString columnsQuery() const override
    {
        return QStringLiteral("SELECT m.name, p.name FROM sqlite_master AS m, "
                              "pragma_table_info(m.name) AS p WHERE m.type = 'table'");
    }
    QString unindexed(const QString& column) const override { return QLatin1Char('+') + column; }

protected:
    QStringList addColumns(const QString& table, const QStringList& definitions) const override
    {
        // ADD COLUMN checks the whole of a strict table once a column: 54 columns of a
        // large register took ten seconds. A column at the end that rows do not hold
        // reads as empty, so the columns are written into the table's definition
        // instead, as ADD COLUMN itself does; none has a default or NOT NULL, and an
        // empty value passes every check. Then a table made and dropped tells other
        // connections that the tables changed.
        QString columns = definitions.join(QStringLiteral(", "));
        columns.replace(QLatin1Char('\''), QStringLiteral("''"));
        return {
            QStringLiteral("PRAGMA writable_schema = ON"),
            QStringLiteral("UPDATE sqlite_schema SET sql = CASE WHEN sql LIKE '%) STRICT' "
                           "THEN substr(sql, 1, length(sql) - 8) || ', %2) STRICT' ELSE "
                           "substr(sql, 1, length(sql) - 1) || ', %2)' END WHERE type = "
                           "'table' AND name = '%1' AND (sql LIKE '%)' OR sql LIKE '%) STRICT')")
                .arg(table, columns),
            QStringLiteral("PRAGMA writable_schema = RESET"),
            QStringLiteral("CREATE TABLE parlog_tables_changed (x)"),
            QStringLiteral("DROP TABLE parlog_tables_changed")};
    }
    QString columnType(const schema::Column& c) const override
    {
        switch (c.type) {
        case schema::Type::Key:
            return QStringLiteral("INTEGER PRIMARY KEY");
        case schema::Type::Text:
            return QStringLiteral("TEXT");
        case schema::Type::Name:
            // "smith" finds Smith, and distinct lists do not show Smith twice.
            return QStringLiteral("TEXT COLLATE NOCASE");
        case schema::Type::Whole:
            return QStringLiteral("INTEGER");
        case schema::Type::Number:
            return QStringLiteral("REAL");
        case schema::Type::Date:
            return QStringLiteral("TEXT CHECK (%1 IS NULL OR %1 GLOB "
                                  "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]')")
                .arg(c.name);
        case schema::Type::Tick:
            return QStringLiteral("INTEGER CHECK (%1 IN (0, 1))").arg(c.name);
        }
        return QStringLiteral("TEXT");
    }
};

const SqliteDialect kDialect;

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

// True when a statement failed because of the file (read-only, in use, full,
// damaged) rather than because of what it asked.
bool isFileProblem(const QSqlError& error)
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

bool folderIsWritable(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

bool fileIsWritable(const QString& path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

int progressCallback(void* context)
{
    return static_cast<Progress*>(context)->carryOn(0, 0) ? 0 : 1;
}

class SqliteEngine : public Engine {
public:
    using Engine::Engine;

    const Dialect& dialect() const override { return kDialect; }
    QString called() const override { return QStringLiteral("its data file"); }
    QString key() const override { return QFileInfo(path()).absoluteFilePath(); }

    Status connect(Connection::Check check, Connection::Missing missing) override
    {
        if (!QFileInfo::exists(path())) {
            if (check == Connection::Check::None)
                return Failure{m_connection.message(QStringLiteral(
                    "it is no longer there: it was moved or deleted while Parlog was running. "
                    "Nothing was stored. Put it back, or choose another register."))};
            if (missing == Connection::Missing::Refuse)
                return Failure{m_connection.message(QStringLiteral("there is no such file."))};
            if (Status made = create(); !made)
                return made;
        }
        QSqlDatabase db = QSqlDatabase::addDatabase(kDialect.driver(), m_connection.name());
        db.setDatabaseName(path());
        // A few seconds' patience with another program that holds the file.
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
        if (!m_connection.session().damage(key()).isEmpty())
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        if (!db.open())
            return Failure{m_connection.message(
                QStringLiteral("it could not be opened (%1).").arg(errorDetail(db.lastError())))};
        return {};
    }

    Result<Mark> mark(Connection::Check check) override
    {
        QSqlQuery q(m_connection.database());
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            const QSqlError error = q.lastError();
            const auto refuse = [this](const QString& why) {
                return Failure{m_connection.message(why)};
            };
            switch (primaryCode(error)) {
            case kSqliteNotADb:
                return refuse(QStringLiteral("it is not a Parlog database. Parlog has not "
                                             "changed it."));
            case kSqliteCorrupt: {
                const QString message = damageMessage(errorDetail(error));
                m_connection.session().markDamaged(key(), message);
                return Failure{message};
            }
            case kSqliteBusy:
            case kSqliteLocked:
                return refuse(QStringLiteral("it is in use by another program. Try again when "
                                             "that program has finished with it."));
            default:
                return refuse(QStringLiteral("it could not be read (%1).").arg(errorDetail(error)));
            }
        }
        Mark mark;
        mark.version = q.value(0).toInt();
        if (check == Connection::Check::Full && q.exec(QStringLiteral("PRAGMA application_id")) &&
            q.next()) {
            const int id = q.value(0).toInt();
            if (id != 0 && id != schema::kApplicationId) {
                mark.kind = Mark::Kind::Foreign;
                mark.why = QStringLiteral("it is not a Parlog database (it belongs to another "
                                          "program).");
            }
            mark.marked = id == schema::kApplicationId;
        }
        return mark;
    }

    bool tablesLost(const Mark& mark) override
    {
        if (mark.marked)
            return true;
        // Pages that do not read have lost the tables to damage, whatever the mark says.
        QSqlQuery check(m_connection.database());
        return !(check.exec(QStringLiteral("PRAGMA quick_check(1)")) && check.next() &&
                 check.value(0).toString() == u"ok");
    }

    void afterOpen() override
    {
        // Durability before speed: a saved round must survive a power cut the instant
        // after. Both fail harmlessly on a read-only file.
        QSqlQuery pragma(m_connection.database());
        pragma.exec(QStringLiteral("PRAGMA synchronous = FULL"));
        // Reads straight from the file's pages in memory rather than a call per page: a
        // season of rounds spread over decades touches thousands of them.
        pragma.exec(QStringLiteral("PRAGMA mmap_size = 268435456"));
        if (pragma.exec(QStringLiteral("PRAGMA journal_mode")) && pragma.next() &&
            pragma.value(0).toString().compare(u"delete", Qt::CaseInsensitive) != 0)
            pragma.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    }

    QString describe(const QSqlError& error) const override
    {
        const int code = primaryCode(error);
        Session& session = m_connection.session();
        // Damaged pages stay damaged; a file that is not a database at all may be put
        // right by the user and is not remembered.
        if (code == kSqliteCorrupt)
            session.markDamaged(key(), damageMessage(errorDetail(error)));
        // A file known damaged refuses every write with the message that found it so.
        const QString damaged = session.damage(key());
        if (!damaged.isEmpty() && isFileProblem(error))
            return damaged;
        switch (code) {
        case kSqliteInterrupt:
            return QStringLiteral("it was cancelled, so nothing was changed.");
        case kSqliteReadOnly:
        case kSqliteCantOpen:
            // SQLite writes a journal beside the file: a folder that cannot be written
            // refuses a change as surely as a read-only file, and is what to mend.
            if (fileIsWritable(path()) && !folderIsWritable(path()))
                return m_connection.message(
                    QStringLiteral("its folder \"%1\" cannot be written (Parlog keeps "
                                   "a journal there while it saves), so the change "
                                   "was not stored.")
                        .arg(QDir::toNativeSeparators(QFileInfo(path()).absolutePath())));
            if (code == kSqliteCantOpen)
                return m_connection.message(
                    QStringLiteral("it could not be opened (%1).").arg(errorDetail(error)));
            return m_connection.message(
                QStringLiteral("it is read-only, so the change was not stored."));
        case kSqliteBusy:
        case kSqliteLocked:
            return m_connection.message(QStringLiteral("it is in use by another program, so the "
                                                       "change was not stored. Try again in a "
                                                       "moment."));
        case kSqliteFull:
            return m_connection.message(
                QStringLiteral("the disk is full, so the change was not stored."));
        case kSqliteCorrupt:
        case kSqliteNotADb:
            return damageMessage(errorDetail(error));
        default:
            return QStringLiteral("The database refused the statement: %1").arg(errorDetail(error));
        }
    }

    Status checkIntegrity() override
    {
        QSqlQuery q(m_connection.database());
        q.setForwardOnly(true);
        QString message;
        // A file another program holds is not damaged: it is said to be in use, and
        // looked at again next time.
        if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
            // Stopped (the program closing): no verdict, the file is not called damaged.
            if (isBusy(q.lastError()) || primaryCode(q.lastError()) == kSqliteInterrupt)
                return Failure{describe(q.lastError())};
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
            if (problems.isEmpty() && q.lastError().isValid()) {
                if (isBusy(q.lastError()) || primaryCode(q.lastError()) == kSqliteInterrupt)
                    return Failure{describe(q.lastError())};
                problems << errorDetail(q.lastError());
            }
            if (problems.isEmpty())
                return {};
            message = damageMessage(problems.join(QStringLiteral("; ")));
        }
        m_connection.session().markDamaged(key(), message);
        return Failure{message};
    }

    void setProgress(Progress* progress) override
    {
        if (sqlite3* db = handle())
            sqlite3_progress_handler(db, progress ? 20000 : 0,
                                     progress ? progressCallback : nullptr, progress);
    }

    void cacheWholeFile(bool whole) override
    {
        QSqlQuery q(m_connection.database());
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

    void cacheAtLeast(qint64 kib) override
    {
        QSqlQuery q(m_connection.database());
        q.exec(QStringLiteral("PRAGMA cache_size = -%1").arg(qMax(kib, qint64(2000))));
    }

    // SQLite's own interface, a row at a time: several times faster than a statement's
    // values for a whole register.
    bool scan(const QString& sql, const QVariantList& values,
              const std::function<void(const Cells& row)>& each, QStringList* columns) override;
    std::function<bool(const QVariantList& values)> repeated(const QString& sql) override;
    void keepError(sqlite3* db);

    // Locked for writing before anything is read or copied: nobody can add or change a
    // round between what was read and what is written.
    QStringList writingStatements() const override { return {QStringLiteral("BEGIN IMMEDIATE")}; }
    bool isBusy(const QSqlError& error) const override
    {
        const int code = primaryCode(error);
        return code == kSqliteBusy || code == kSqliteLocked;
    }
    // SQLite would take the lock of a file it cannot write, and say so only at the first
    // write: by then a copy would have been made for nothing.
    Status writable() const override
    {
        if (!m_connection.session().damage(key()).isEmpty())
            return Failure{m_connection.session().damage(key())};
        if (fileIsWritable(path()) && folderIsWritable(path()))
            return {};
        return Failure{describe(QSqlError(QString(), QString(), QSqlError::StatementError,
                                          QString::number(kSqliteReadOnly)))};
    }

    Result<QString> backUp(Progress* progress) override;

    Result<CopiedAside> copyAside(const RoundsToDelete&, Progress* progress) override
    {
        // SQLite's online backup reads on a connection of its own, which may read while
        // this one holds the write lock: the whole register, as it is, goes aside.
        const auto reader = m_connection.another(path());
        if (Status opened = reader->open(Connection::Check::None); !opened)
            return Failure{opened.error()};
        const auto copy = reader->engine().backUp(progress);
        if (!copy)
            return Failure{copy.error()};
        return CopiedAside{*copy, true, -1};
    }

    // Built under another name beside the target and put in place only when every
    // table's rows are there, so that a copy killed midway never leaves a file that
    // passes for the whole register.
    Result<QList<TableCount>> buildWhole(const Fill& fill) override
    {
        const QFileInfo info(path());
        const bool existed = info.exists();
        if (existed) {
            // Looked at as it stands: a register of an older version is not brought up to
            // this one only to be found to hold rows.
            if (Status opened = m_connection.open(
                    Connection::Check::Full, Connection::Missing::Refuse, Connection::Upgrade::No);
                !opened)
                return Failure{opened.error()};
            const Status empty = holdsNoRows(m_connection);
            m_connection.close();
            if (!empty)
                return Failure{empty.error()};
        }
        // A name of this program's own: two copies at once each build their own.
        const QString temp = QDir(info.absolutePath())
                                 .filePath(QStringLiteral(".%1.%2.part")
                                               .arg(info.fileName())
                                               .arg(QCoreApplication::applicationPid()));
        QFile::remove(temp);
        Result<QList<TableCount>> counts = Failure{};
        {
            const auto made = m_connection.another(temp);
            Connection& to = *made;
            if (Status opened = to.open(); !opened) {
                QFile::remove(temp);
                return Failure{opened.error()};
            }
            // Room for the indexes' pages as the rows go in, not read back from the file.
            to.engine().cacheAtLeast(64 * 1024);
            if (!to.transaction()) {
                to.close();
                QFile::remove(temp);
                return Failure{QStringLiteral("Nothing was copied: %1 would not start a "
                                              "transaction.")
                                   .arg(QDir::toNativeSeparators(path()))};
            }
            counts = fillThenIndex(to, fill);
            if (!counts)
                to.rollback();
            else if (!to.commit())
                counts = Failure{
                    QStringLiteral("Nothing was copied: %1").arg(to.describe(to.lastError()))};
        }
        if (!counts) {
            QFile::remove(temp);
            return counts;
        }
        // rename() puts the file in place whole, over an empty register too; where there
        // was none, never over one that another copy put there meanwhile.
        if (Status placed =
                existed ? backups::putInPlace(temp, path()) : backups::putInPlaceNew(temp, path());
            !placed) {
            QFile::remove(temp);
            return Failure{QStringLiteral("Nothing was copied: %1.").arg(placed.error())};
        }
        return counts;
    }

private:
    QString path() const { return m_connection.filePath(); }

    // The rows go in first and the indexes are made once at the end, in the same
    // transaction: kept up to date row by row, seven indexes on the rounds take longer
    // than the rows themselves.
    static Result<QList<TableCount>> fillThenIndex(Connection& to, const Fill& fill)
    {
        const auto failed = [&to] {
            return Failure{
                QStringLiteral("Nothing was copied: %1").arg(to.describe(to.lastError()))};
        };
        QStringList names;
        QStringList made;
        {
            Statement q = to.run(QStringLiteral(
                "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"));
            while (q.next()) {
                names << q.value(0).toString();
                made << q.value(1).toString();
            }
            if (!q.ok() || !q.readToEnd())
                return failed();
        }
        for (const QString& name : std::as_const(names))
            if (!to.run(QStringLiteral("DROP INDEX %1").arg(name)).ok())
                return failed();
        auto counts = fill(to);
        if (counts)
            for (const QString& statement : std::as_const(made))
                if (!to.run(statement).ok())
                    return failed();
        return counts;
    }

    QString damageMessage(const QString& detail) const
    {
        return m_connection.message(
            QStringLiteral("it is damaged (%1). Restore it from a backup.").arg(detail));
    }

    std::optional<bool> holds(const QString& table, const QString& column) override
    {
        sqlite3* db = handle();
        if (!db)
            return std::nullopt;
        const QByteArray t = table.toUtf8();
        const QByteArray c = column.toUtf8();
        const int rc = sqlite3_table_column_metadata(db, "main", t.constData(),
                                                     column.isEmpty() ? nullptr : c.constData(),
                                                     nullptr, nullptr, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return true;
        // Not there, as against a schema that could not be read.
        if (rc == SQLITE_ERROR && qstrncmp(sqlite3_errmsg(db), "no such table column", 20) == 0)
            return false;
        return std::nullopt;
    }

    sqlite3* handle() const
    {
        const QVariant handle = m_connection.database().driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            return nullptr;
        return *static_cast<sqlite3* const*>(handle.constData());
    }

    Status create();
};

Status SqliteEngine::create()
{
    // A link that points nowhere yet gets its file where it points, owner-only like
    // any other, and keeps being the link the user made.
    QString target = path();
    const QFileInfo link(path());
    if (link.isSymLink())
        target = link.symLinkTarget();
    // Built under another name and moved into place, so that a failure half way
    // never leaves a file that looks like a data file.
    const QString temp = target + QStringLiteral(".new");
    QFile::remove(temp);
    {
        QFile file(temp);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return Failure{m_connection.message(
                QStringLiteral("it does not exist and could not be created (%1). Check that the "
                               "folder can be written.")
                    .arg(file.errorString()))};
        // Members' addresses and telephone numbers: for the owner's eyes only.
        file.setPermissions(backups::kOwnerOnly);
    }
    Status made;
    {
        Connection fresh(temp);
        QSqlDatabase db = QSqlDatabase::addDatabase(kDialect.driver(), fresh.name());
        db.setDatabaseName(temp);
        if (db.open()) {
            made = makeTables(fresh);
            db.close();
        } else {
            made = Failure{errorDetail(db.lastError())};
        }
    }
    if (made && !QFile::rename(temp, target))
        made = Failure{QStringLiteral("the new file could not be put in place")};
    if (!made) {
        QFile::remove(temp);
        return Failure{m_connection.message(
            QStringLiteral("it does not exist and could not be created (%1).").arg(made.error()))};
    }
    return {};
}

namespace {

class SqliteCells : public Cells {
public:
    explicit SqliteCells(sqlite3_stmt* statement)
        : m_statement(statement)
    {
    }
    bool isNull(int column) const override
    {
        return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
    }
    qint64 integer(int column) const override { return sqlite3_column_int64(m_statement, column); }
    double real(int column) const override { return sqlite3_column_double(m_statement, column); }
    QString text(int column) const override
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column));
    }
    QByteArrayView utf8(int column) const override
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return {text, sqlite3_column_bytes(m_statement, column)};
    }
    int count() const override { return sqlite3_column_count(m_statement); }
    QVariant value(int column, TextPool* pool) const override
    {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(m_statement, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_statement, column));
        case SQLITE_NULL:
            return QVariant();
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_statement, column)),
                              sqlite3_column_bytes(m_statement, column));
        default:
            return pool ? pool->text(utf8(column)) : text(column);
        }
    }

private:
    sqlite3_stmt* m_statement;
};

} // namespace

// VALUES bound to ?1, ?2... in order.
static int bindAll(sqlite3_stmt* statement, const QVariantList& values)
{
    int rc = SQLITE_OK;
    for (int i = 0; rc == SQLITE_OK && i < values.size(); ++i) {
        const QVariant& v = values[i];
        if (v.isNull()) {
            rc = sqlite3_bind_null(statement, i + 1);
            continue;
        }
        // The kinds a row holds read straight from the value: a batch binds millions.
        switch (v.metaType().id()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(statement, i + 1, *static_cast<const bool*>(v.constData()));
            break;
        case QMetaType::Int:
            rc = sqlite3_bind_int(statement, i + 1, *static_cast<const int*>(v.constData()));
            break;
        case QMetaType::LongLong:
            rc =
                sqlite3_bind_int64(statement, i + 1, *static_cast<const qlonglong*>(v.constData()));
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(statement, i + 1, *static_cast<const double*>(v.constData()));
            break;
        case QMetaType::QString: {
            const QString& text = *static_cast<const QString*>(v.constData());
            rc = sqlite3_bind_text16(statement, i + 1, text.utf16(), int(text.size() * 2),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray bound = v.toString().toUtf8();
            rc = sqlite3_bind_text(statement, i + 1, bound.constData(), int(bound.size()),
                                   SQLITE_TRANSIENT);
        }
        }
    }
    return rc;
}

void SqliteEngine::keepError(sqlite3* db)
{
    m_connection.setLastError(
        QSqlError(QStringLiteral("Parlog"), QString::fromUtf8(sqlite3_errmsg(db)),
                  QSqlError::StatementError, QString::number(sqlite3_extended_errcode(db))));
}

std::function<bool(const QVariantList& values)> SqliteEngine::repeated(const QString& sql)
{
    sqlite3* db = handle();
    if (!db)
        return {};
    sqlite3_stmt* raw = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &raw, nullptr) != SQLITE_OK) {
        keepError(db);
        sqlite3_finalize(raw);
        return [](const QVariantList&) { return false; };
    }
    std::shared_ptr<sqlite3_stmt> statement(raw, sqlite3_finalize);
    return [this, db, statement](const QVariantList& values) {
        sqlite3_reset(statement.get());
        sqlite3_clear_bindings(statement.get());
        int rc = bindAll(statement.get(), values);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(statement.get());
        if (rc != SQLITE_DONE) {
            keepError(db);
            return false;
        }
        return true;
    };
}

bool SqliteEngine::scan(const QString& sql, const QVariantList& values,
                        const std::function<void(const Cells& row)>& each, QStringList* columns)
{
    sqlite3* db = handle();
    if (!db)
        return Engine::scan(sql, values, each, columns);
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr);
    if (rc == SQLITE_OK)
        rc = bindAll(statement, values);
    if (rc == SQLITE_OK && columns)
        for (int c = 0, n = sqlite3_column_count(statement); c < n; ++c)
            *columns << QString::fromUtf8(sqlite3_column_name(statement, c));
    const SqliteCells cells(statement);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            each(cells);
    }
    if (rc != SQLITE_DONE) {
        keepError(db);
        sqlite3_finalize(statement);
        return false;
    }
    sqlite3_finalize(statement);
    return true;
}

Result<QString> SqliteEngine::backUp(Progress* progress)
{
    const auto fail = [](const QString& why) {
        return Failure{QStringLiteral("the backup copy could not be written (%1)").arg(why)};
    };
    sqlite3* source = handle();
    if (!source)
        return fail(QStringLiteral("the register is not open"));
    const QFileInfo file(path());
    const auto folder =
        backups::folder(QDir(file.absolutePath()).filePath(QStringLiteral("backups")));
    if (!folder)
        return fail(folder.error());
    const QString stem = file.completeBaseName();
    backups::clearLeftovers(*folder);
    const QString copyPath = backups::stampedPath(*folder, stem);

    // Written under another name and put in place whole, so that a copy cut short
    // never passes for a backup. Made owner-only before a byte goes in: it holds what
    // the register holds.
    const QString part = copyPath + QStringLiteral(".part");
    {
        QFile copy(part);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(copy.errorString());
        copy.setPermissions(backups::kOwnerOnly);
    }
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(part).constData(), &target, SQLITE_OPEN_READWRITE,
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
        QFile::remove(part);
        return fail(why);
    }
    if (Status placed = backups::putInPlace(part, copyPath); !placed)
        return fail(placed.error());
    backups::pruneOld(*folder, stem, copyPath);
    return copyPath;
}

} // namespace

namespace engines {
// Any location the others do not take is a file.
extern const EngineKind sqlite{[](const QString&) { return true; },
                               [](Connection& connection) -> std::unique_ptr<Engine> {
                                   return std::make_unique<SqliteEngine>(connection);
                               }};
} // namespace engines

} // namespace parlog
