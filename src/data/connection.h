#pragma once

#include "data/result.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

struct sqlite3;

namespace parlog {

class Dialect;
class Progress;
class SqliteDialect;
struct ServerAddress;

// One connection to the register, made for one action and let go at its end. The
// register is an SQLite file, or a database on a club's PostgreSQL server
// (postgresql://USER@HOST:PORT/DBNAME). Opening creates a missing file, or the tables
// in an empty database, and checks that an existing one is a Parlog register before
// anything is sent to it. The data modules (players, courses, divisions, rounds) run
// their statements on it; nothing else builds SQL.
class Connection {
public:
    explicit Connection(QString location);
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
    // A failure names the file and says what is wrong with it.
    Status open(Check check = Check::Full, Missing missing = Missing::Create);
    void close();
    bool isOpen() const { return m_open; }

    // The file's path, or the server's address.
    QString filePath() const { return m_path; }
    // The same as it may be shown: a server's password left out.
    QString displayName() const;
    bool isServer() const { return m_server; }
    const Dialect& dialect() const;

    // Several statements that stand or fall together.
    bool transaction();
    bool commit();
    void rollback();

    // Asked for the password of a server whose own means (~/.pgpass, PGPASSWORD) gave
    // none; nothing to give up. Passwords are kept for the run only, never stored.
    static void setPasswordHook(std::function<std::optional<QString>(const QString& location)> ask);
    QString name() const { return m_name; }
    QSqlDatabase database() const;

    // Prepares, binds the values in order and runs one statement. On failure the
    // error is kept in lastError().
    bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});
    // For a connection whose kept statements run over very different ranges: a server
    // plans each run for its values, since a plan made for any dates can read every
    // round to find the first page's.
    void planEachRun();
    QSqlQuery query() const;
    QSqlError lastError() const { return m_lastError; }
    // After next() said there is no more: true when the rows ended, false when
    // reading failed (a damaged page, a server gone), the error kept in lastError().
    // A loop that reads rows must ask, or an error reads as the end of the table.
    bool readToEnd(const QSqlQuery& query);

    // While set, a long statement asks the progress whether to carry on, and stops
    // (changing nothing) when told to. nullptr for none.
    void setProgress(Progress* progress);
    // Gives the page cache room for the whole file, for a statement that will touch
    // most of it; back to the usual size with false.
    void cacheWholeFile(bool whole);
    // SQLite's own handle, for its online backup; nullptr when not open.
    sqlite3* sqliteHandle() const;

    // Writes wait here for the run's integrity check of the file, and are refused if
    // it found the file damaged.
    Status beforeWrite();
    // The run's integrity check of this file has started (in the background) or
    // ended; writes wait between the two.
    static void checkStarted(const QString& filePath);
    static void checkEnded(const QString& filePath);

    // Called with true when a statement starts and false when it ends, so that the
    // program can show that it is busy. One for the whole program.
    static void setActivityHook(void (*hook)(bool busy));

    // A user message for a statement that failed, naming the file when the cause is
    // the file itself (read-only, locked by another program).
    QString describe(const QSqlError& error) const;
    // True when a statement failed because of the file (read-only, in use, full,
    // damaged) rather than because of what it asked.
    static bool isFileProblem(const QSqlError& error);

    // Runs a thorough check of the file's pages (slow on big files). A damaged file
    // is marked so for the rest of the run.
    Status checkIntegrity();

    // A file found damaged is opened read-only from then on, so that what can be read
    // can be rescued and nothing is written over it; every refused write says why.
    static void markDamaged(const QString& filePath, const QString& message);
    static QString damage(const QString& filePath); // empty when not known damaged

private:
    Status create();
    Status verify(Check check);
    Status openServer(Check check);
    Status verifyServer(Check check);
    QString damageMessage(const QString& detail) const;
    QString fileMessage(const QString& problem) const;

    QString m_path;
    QString m_name;
    QSqlError m_lastError;
    bool m_open = false;
    bool m_server = false;
    // A server's statements, prepared once: each preparation costs two more trips.
    QHash<QString, QSqlQuery> m_statements;
};

} // namespace parlog
