#pragma once

#include "data/connection.h"
#include "data/result.h"

#include <QList>
#include <QSqlError>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace parlog {

class Dialect;
class Progress;
struct RoundsToDelete;
struct TableCount;

// What a register says it is, read before anything is sent to it.
struct Mark {
    enum class Kind {
        Parlog,  // a register of Parlog's, of the version given
        Empty,   // nothing in it yet: it becomes a register
        Foreign, // someone else's, for the reason given
    };
    Kind kind = Kind::Parlog;
    int version = 0;
    QString why;
    // Whether it carries Parlog's own mark, so that missing tables mean damage.
    bool marked = false;
};

// Rounds copied aside before they are deleted.
struct CopiedAside {
    QString path;
    bool wholeRegister = true; // the whole register, or only those rounds
    int rounds = -1;           // how many rounds the copy holds; -1: all there were
};

// One engine's ways with one connection: how a register is opened and what it says it
// is, what a failure means, and the steps of backing up, deleting and copying that
// differ from engine to engine. The connection owns it; nothing else in the program
// knows which engine it has.
class Engine {
public:
    explicit Engine(Connection& connection)
        : m_connection(connection)
    {
    }
    virtual ~Engine() = default;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    virtual const Dialect& dialect() const = 0;
    // How the program's messages name the register: "its data file", "the club register".
    virtual QString called() const = 0;
    // The name under which the session keeps what it learns of the register.
    virtual QString key() const { return m_connection.filePath(); }

    // Opens the database under the connection's name: a missing file made as asked.
    virtual Status connect(Connection::Check check, Connection::Missing missing) = 0;
    // What the opened database says it is; a failure when that cannot be read. Only
    // the version when the register was checked before (Check::None).
    virtual Result<Mark> mark(Connection::Check check) = 0;
    // Whether a register whose tables are missing has lost them to damage, rather than
    // being someone else's.
    virtual bool tablesLost(const Mark& mark) { return mark.marked; }
    // Once the register was found sound.
    virtual void afterOpen() {}

    // A user message for a statement that failed.
    virtual QString describe(const QSqlError& error) const = 0;
    // A thorough check of the pages, where the engine keeps them itself.
    virtual Status checkIntegrity() { return {}; }

    // Whether statements are prepared once and kept: each preparation costs a server
    // two more trips.
    virtual bool keepsStatements() const { return false; }
    // Runs a query row by row, as Connection::scan does; the engine's own way when it
    // has a faster one than a statement's.
    virtual bool scan(const QString& sql, const QVariantList& values,
                      const std::function<void(const Cells& row)>& each,
                      QStringList* columns = nullptr);

    // A statement prepared once and run over and over, each time with new values, in the
    // engine's own way when it has one faster than a statement's: nothing when it has
    // none. False from a run that failed, the error kept by the connection.
    virtual std::function<bool(const QVariantList& values)> repeated(const QString&) { return {}; }

    // For kept statements that run over very different ranges: planned for each run.
    virtual void planEachRun() {}
    // While set, a long statement asks the progress whether to carry on.
    virtual void setProgress(Progress*) {}
    // Room in the cache for the whole register, for a statement that touches most of it.
    virtual void cacheWholeFile(bool) {}
    // Room in the cache for at least so many KiB, for a write that adds many pages.
    virtual void cacheAtLeast(qint64) {}
    // Whether the register has the table with that column (an empty column: the table
    // alone), told from the schema the engine has read without a statement; nothing
    // when the engine cannot tell so.
    virtual std::optional<bool> holds(const QString&, const QString&) { return std::nullopt; }

    // Starts a transaction that holds off every other writer from its start: refused at
    // once when the register cannot be written; one that another holds is waited for up
    // to PATIENCEMS, as long as PROGRESS says to go on. A failure says why in the user's
    // words, and nothing has been written.
    Status beginWriting(int patienceMs = 0, Progress* progress = nullptr);
    // Whether the register can be written at all, before anything is copied or locked.
    virtual Status writable() const { return {}; }
    // A copy of the whole register where backups go; gives its path.
    virtual Result<QString> backUp(Progress* progress) = 0;
    // Inside a deletion's writing transaction: the rounds about to go, copied where
    // they can be had back.
    virtual Result<CopiedAside> copyAside(const RoundsToDelete& rounds, Progress* progress) = 0;

    // Makes the register at the connection's location whole or not at all: fill runs on
    // a connection to an empty register (the engine's own transaction open), and only
    // when it succeeds is the result there to be seen.
    using Fill = std::function<Result<QList<TableCount>>(Connection& empty)>;
    virtual Result<QList<TableCount>> buildWhole(const Fill& fill) = 0;

protected:
    // The statements that start a writing transaction and take its lock.
    virtual QStringList writingStatements() const { return {QStringLiteral("BEGIN")}; }
    // Whether a statement failed only because another holds the register for now.
    virtual bool isBusy(const QSqlError&) const { return false; }

    Connection& m_connection;
};

// An engine as the program knows it before any connection: the locations it takes, and
// how its connections are made.
struct EngineKind {
    bool (*takes)(const QString& location);
    std::unique_ptr<Engine> (*make)(Connection& connection);
};

// The engine for a location: the first whose kind takes it.
std::unique_ptr<Engine> engineFor(Connection& connection);

// What both engines share of making an empty register's tables, all or none.
Status makeTables(Connection& connection);
// A failed statement's own words.
QString errorDetail(const QSqlError& error);

} // namespace parlog
