#pragma once

#include "data/result.h"
#include "data/schema.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>

namespace parlog {

class Connection;
class Dialect;
class Engine;
class Progress;
class Session;

// A statement run on a connection, its rows read through it. A statement the engine
// keeps prepared is lent to one reader at a time and goes back to the connection with
// this object; the same statement run again meanwhile is prepared afresh, so that no
// two readers ever share one. Lives no longer than its connection.
class Statement {
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    ~Statement();

    bool ok() const { return m_ok; }
    bool next() { return m_query.next(); }
    QVariant value(int column) const { return m_query.value(column); }
    QSqlRecord record() const { return m_query.record(); }
    int rowsAffected() const { return m_query.numRowsAffected(); }
    // After next() said there is no more: true when the rows ended, false when reading
    // failed (a damaged page, a server gone), the error kept by the connection. A loop
    // that reads rows must ask, or an error reads as the end of the table.
    bool readToEnd();

private:
    friend class Connection;
    Statement(Connection& owner, QSqlQuery query, QString kept, quint64 generation);

    Connection* m_owner;
    QSqlQuery m_query;
    QString m_kept; // the statement's text when it goes back to be kept
    quint64 m_generation = 0;
    bool m_ok = false;
};

// The values of the row a scan stands on, by column from 0.
class Cells {
public:
    virtual ~Cells() = default;
    virtual bool isNull(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    virtual double real(int column) const = 0;
    virtual QString text(int column) const = 0;
    // The text as UTF-8, good until the next call: for readers that keep each different
    // value once.
    virtual QByteArrayView utf8(int column) const = 0;
    virtual int count() const = 0;
    // The value as a statement gives it; texts kept once in POOL when one is given.
    virtual QVariant value(int column, class TextPool* pool = nullptr) const = 0;
};

// Keeps each different text once, for reading many rows whose names and days repeat.
class TextPool {
public:
    QString text(QByteArrayView utf8);

private:
    QHash<QByteArray, QString> m_seen;
};

// One connection to the register, made for one action and let go at its end. The
// register is an SQLite file, or a database on a club's PostgreSQL server
// (postgresql://USER@HOST:PORT/DBNAME); the engine for it is chosen by the location,
// and only the engine knows which it is. Opening creates a missing file, or the tables
// in an empty database, and checks that an existing one is a Parlog register before
// anything is sent to it. The data modules (players, courses, divisions, rounds) run
// their statements on it; nothing else builds SQL.
class Connection {
public:
    // What the connection learns of the register (damage found, passwords typed) goes
    // to the session, which other connections of the program share; none: one of its own.
    explicit Connection(QString location, std::shared_ptr<Session> session = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // How closely opening looks at the file: every opening reads it, but only the
    // run's first checks that it is a Parlog register; later ones trust that check.
    enum class Check { Full, None };
    // Whether a file that is not there is made, empty. Never after the run's first
    // opening (Check::None): a register that has gone is said to be gone, not made
    // again empty under its name.
    enum class Missing { Create, Refuse };
    // Whether a register of an older data version is brought up to this one as it is
    // opened (after a copy of it is made where backups go), or read as it stands, as
    // the source of a copy or a restore is.
    enum class Upgrade { Yes, No };
    // A failure names the file and says what is wrong with it.
    Status open(Check check = Check::Full, Missing missing = Missing::Create,
                Upgrade upgrade = Upgrade::Yes);
    // Told how bringing an older register up to this version goes as it is opened, and
    // asked whether to go on: a large register takes a while. Stopped, the register is
    // left as it was.
    void setUpgradeProgress(Progress* progress) { m_upgradeProgress = progress; }
    // The data version of the register as opened: this program's, or an older one's
    // when it was opened as it stands.
    int version() const { return m_version; }
    void close();
    bool isOpen() const { return m_open; }

    // Another connection in the same session, not yet open: to the register at the
    // location given, or to this one.
    std::unique_ptr<Connection> another(const QString& location = {}) const;

    // The file's path, or the server's address.
    QString filePath() const { return m_path; }
    // The same as it may be shown: a server's password left out.
    QString displayName() const;
    const Dialect& dialect() const;
    Engine& engine() const { return *m_engine; }
    Session& session() const { return *m_session; }
    // The name under which the session knows this register.
    QString key() const;

    // Several statements that stand or fall together.
    bool transaction();
    bool commit();
    void rollback();

    QString name() const { return m_name; }
    QSqlDatabase database() const;

    // Prepares, binds the values in order and runs one statement. On failure the
    // error is kept in lastError() and the statement is not ok().
    Statement run(const QString& sql, const QVariantList& values = {});
    QSqlError lastError() const { return m_lastError; }
    // A statement of the caller's own, for one prepared once and run many times over
    // with new values (a copy's batches).
    QSqlQuery query() const;
    void setLastError(const QSqlError& error) { m_lastError = error; }

    // Runs a query and hands each row to EACH as it is read, nothing kept: for reading a
    // whole register at once, which the engine does as fast as it can. The error, if
    // any, is kept in lastError().
    // COLUMNS, when given, is told the query's column names, rows or none.
    bool scan(const QString& sql, const QVariantList& values,
              const std::function<void(const Cells& row)>& each, QStringList* columns = nullptr);

    // For statements that run over very different ranges: planned for each run.
    void planEachRun();
    // While set, a long statement asks the progress whether to carry on, and stops
    // (changing nothing) when told to. nullptr for none.
    void setProgress(Progress* progress);
    // Gives the cache room for the whole register, for a statement that will touch
    // most of it; back to the usual size with false.
    void cacheWholeFile(bool whole);
    void cacheAtLeast(qint64 kib);

    // Writes wait here for the run's integrity check of the file (or run it, when
    // none has), and are refused if it found the file damaged or could not look.
    Status beforeWrite();

    // A user message for a statement that failed, naming the register when the cause
    // is the register itself (read-only, locked by another program, gone).
    QString describe(const QSqlError& error) const;
    // "Parlog cannot use ... : PROBLEM", naming the register as its engine calls it.
    QString message(const QString& problem) const;

    // Runs a thorough check of the register's pages (slow on big files). A damaged
    // file is marked so for the rest of the run, a sound one trusted.
    Status checkIntegrity();

    // A copy of the register where its backups go, read as it stands while this
    // connection holds the lock for writing (Engine::beginWriting); gives its path.
    Result<QString> backUpBeforeWriting(Progress* progress = nullptr);

private:
    friend class Statement;
    // Checks what the register says it is, and that it has every table and column.
    Status checkSchema(Check check, Upgrade upgrade);
    // The tables and columns of that data version the register lacks.
    QStringList missingColumns(int version);
    // Brings a register of an older data version up to this one, all or nothing, after
    // a copy of it is made.
    Status upgradeFrom(int version);
    void giveBack(QString sql, QSqlQuery query, quint64 generation);

    QString m_path;
    QString m_name;
    std::shared_ptr<Session> m_session;
    std::unique_ptr<Engine> m_engine;
    QSqlError m_lastError;
    bool m_open = false;
    int m_version = schema::kVersion;
    Progress* m_upgradeProgress = nullptr;
    // Statements prepared once, when the engine keeps them, each lent to one reader.
    QHash<QString, QSqlQuery> m_kept;
    quint64 m_generation = 0; // raised on close: statements of an earlier opening are dropped
};

} // namespace parlog
