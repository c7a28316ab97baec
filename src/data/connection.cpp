#include "data/connection.h"

#include "data/dialect.h"
#include "data/engine.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/schema.h"
#include "data/session.h"

#include <QAtomicInteger>
#include <QSet>

namespace parlog {

namespace {

QAtomicInteger<quint64> g_connectionCount;

// Statements with lists of keys vary; a few hundred is plenty to keep.
constexpr int kKeptStatements = 256;

// How long opening waits for another Parlog that is bringing the register up to this
// version, or writing to it, before it says so.
constexpr int kUpgradePatienceMs = 30000;

} // namespace

Statement::Statement(Connection& owner, QSqlQuery query, QString kept, quint64 generation)
    : m_owner(&owner)
    , m_query(std::move(query))
    , m_kept(std::move(kept))
    , m_generation(generation)
{
}

Statement::Statement(Statement&& other) noexcept
    : m_owner(std::exchange(other.m_owner, nullptr))
    , m_query(std::move(other.m_query))
    , m_kept(std::move(other.m_kept))
    , m_generation(other.m_generation)
    , m_ok(other.m_ok)
{
}

Statement::~Statement()
{
    if (m_owner && !m_kept.isEmpty())
        m_owner->giveBack(std::move(m_kept), std::move(m_query), m_generation);
}

bool Statement::readToEnd()
{
    if (!m_query.lastError().isValid())
        return true;
    if (m_owner)
        m_owner->setLastError(m_query.lastError());
    return false;
}

Connection::Connection(QString location, std::shared_ptr<Session> session)
    : m_path(std::move(location))
    , m_name(QStringLiteral("parlog-%1").arg(++g_connectionCount))
    , m_session(session ? std::move(session) : std::make_shared<Session>())
{
    m_engine = engineFor(*this);
}

Connection::~Connection()
{
    close();
}

std::unique_ptr<Connection> Connection::another(const QString& location) const
{
    return std::make_unique<Connection>(location.isEmpty() ? m_path : location, m_session);
}

const Dialect& Connection::dialect() const
{
    return m_engine->dialect();
}

QString Connection::key() const
{
    return m_engine->key();
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
    m_kept.clear();
    ++m_generation;
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

QString Connection::message(const QString& problem) const
{
    return QStringLiteral("Parlog cannot use %1 \"%2\": %3")
        .arg(m_engine->called(), displayName(), problem);
}

Status Connection::open(Check check, Missing missing, Upgrade upgrade)
{
    if (m_open)
        return {};
    if (Status connected = m_engine->connect(check, missing); !connected) {
        close();
        return connected;
    }
    m_open = true;
    if (Status sound = checkSchema(check, upgrade); !sound) {
        close();
        return sound;
    }
    m_engine->afterOpen();
    return {};
}

QStringList Connection::missingColumns(int version)
{
    // Asked of the schema the engine has read already when it can: the statement that
    // lists every column of every table took a twentieth of the start.
    std::optional<QHash<QString, QSet<QString>>> listed; // by table, in lower case
    const auto has = [&](const QString& table, const QString& column) {
        if (!listed) {
            if (const auto told = m_engine->holds(table, column))
                return *told;
            listed.emplace();
            Statement columns = run(dialect().columnsQuery());
            while (columns.ok() && columns.next())
                (*listed)[columns.value(0).toString().toLower()].insert(
                    columns.value(1).toString().toLower());
        }
        const auto found = listed->constFind(table.toLower());
        return found != listed->cend() && (column.isEmpty() || found->contains(column.toLower()));
    };
    QStringList missing;
    for (const schema::Table* table : schema::tables()) {
        if (table->since > version)
            continue;
        if (!has(table->name, QString())) {
            missing << QStringLiteral("table %1").arg(table->name);
            continue;
        }
        for (const schema::Column& column : table->columnsOf(version))
            if (!has(table->name, column.name))
                missing << QStringLiteral("%1.%2").arg(table->name, column.name);
    }
    return missing;
}

Status Connection::checkSchema(Check check, Upgrade upgrade)
{
    const QString unchanged = QStringLiteral(" Parlog has not changed it.");
    const auto refuse = [&](const QString& why) { return Failure{message(why + unchanged)}; };
    const auto mark = m_engine->mark(check);
    if (!mark)
        return Failure{mark.error()};
    switch (mark->kind) {
    case Mark::Kind::Foreign:
        return refuse(mark->why);
    case Mark::Kind::Empty:
        if (Status made = makeTables(*this); !made)
            return Failure{
                message(QStringLiteral("its tables could not be made (%1).").arg(made.error()))};
        return {};
    case Mark::Kind::Parlog:
        break;
    }
    if (mark->version < 0)
        return refuse(QStringLiteral("it is not a Parlog database (its data version is %1).")
                          .arg(mark->version));
    if (mark->version > schema::kVersion)
        return refuse(QStringLiteral("it was written by a newer version of Parlog (data version "
                                     "%1; this version reads %2).")
                          .arg(mark->version)
                          .arg(schema::kVersion));
    // What kind of register it is was settled by the run's first, full check.
    m_version = qMax(1, mark->version);
    if (check == Check::None)
        return {};
    QStringList missing = missingColumns(m_version);
    if (missing.isEmpty())
        return m_version < schema::kVersion && upgrade == Upgrade::Yes ? upgradeFrom(m_version)
                                                                       : Status();
    if (missing.size() > 6)
        missing = missing.mid(0, 6) << QStringLiteral("…");
    const QString list = missing.join(QStringLiteral(", "));
    // A register marked as Parlog's has lost its tables to damage rather than being
    // someone else's.
    if (m_engine->tablesLost(*mark))
        return refuse(QStringLiteral("it may be damaged: its tables cannot be found (missing: "
                                     "%1). Restore it from a backup.")
                          .arg(list));
    return refuse(QStringLiteral("it is not a Parlog database (missing: %1).").arg(list));
}

Status Connection::upgradeFrom(int version)
{
    const QString unchanged = QStringLiteral(" Parlog has not changed it.");
    const QString older = QStringLiteral("it was written by an older version of Parlog (data "
                                         "version %1), and ")
                              .arg(version);
    const auto refuse = [&](const QString& why) {
        rollback();
        return Failure{message(older + why + unchanged)};
    };
    const auto fail = [&](const QSqlError& error) {
        return refuse(
            QStringLiteral("it could not be brought up to this version: %1").arg(describe(error)));
    };
    // The copy is the first fifth of the way, each statement an equal share of the rest.
    struct Share : Progress {
        Progress* whole = nullptr;
        long long from = 0;
        long long span = 0;
        bool carryOn(long long done, long long total) override
        {
            return !whole || whole->carryOn(from + (total > 0 ? span * done / total : 0), 100);
        }
    } share;
    share.whole = m_upgradeProgress;
    share.span = 20;
    // Locked first, then judged, then copied aside: a register that cannot be written, is
    // held by another or is damaged is refused before a backup slot is spent on it.
    // Nothing begun to undo: beginWriting leaves no transaction open when it fails. Its
    // reason names the register already, which this message does.
    if (Status locked = m_engine->beginWriting(kUpgradePatienceMs, &share); !locked) {
        QString why = locked.error();
        if (const QString named = message(QString()); why.startsWith(named))
            why.remove(0, named.size());
        return Failure{message(
            older + QStringLiteral("it could not be brought up to this version: %1").arg(why) +
            unchanged)};
    }
    // Another Parlog may have brought it up while this one waited for the lock.
    if (const auto now = m_engine->mark(Check::None); now && now->version >= schema::kVersion) {
        rollback();
        m_version = now->version;
        return {};
    }
    if (Status sound = beforeWrite(); !sound) {
        rollback();
        return Failure{sound.error()};
    }
    const auto copy = backUpBeforeWriting(&share);
    if (!copy)
        return refuse(QStringLiteral("the copy made before it is brought up to this version "
                                     "could not be written (%1).")
                          .arg(copy.error()));
    const QStringList statements = dialect().upgradeStatements(version);
    share.from = 20;
    share.span = 80;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (!share.carryOn(i, statements.size()))
            return refuse(QStringLiteral("bringing it up to this version was stopped."));
        if (!run(statements[i]).ok())
            return fail(m_lastError);
    }
    // Columns written into a table's definition are looked for before they are kept.
    if (const QStringList missing = missingColumns(schema::kVersion); !missing.isEmpty())
        return refuse(QStringLiteral("bringing it up to this version left out %1.")
                          .arg(missing.join(QStringLiteral(", "))));
    if (!commit())
        return fail(m_lastError);
    m_version = schema::kVersion;
    return {};
}

Status Connection::checkIntegrity()
{
    const Status sound = m_engine->checkIntegrity();
    if (sound)
        m_session->markSound(key());
    return sound;
}

Result<QString> Connection::backUpBeforeWriting(Progress* progress)
{
    // Read on a connection of its own, which may read while this one holds the lock
    // for writing: the copy is the register as it was before the first write.
    const auto reader = another();
    if (Status opened = reader->open(Check::None, Missing::Refuse, Upgrade::No); !opened)
        return Failure{opened.error()};
    return reader->engine().backUp(progress);
}

void Connection::planEachRun()
{
    if (m_open)
        m_engine->planEachRun();
}

Statement Connection::run(const QString& sql, const QVariantList& values)
{
    m_lastError = QSqlError();
    m_session->busy(true);
    QSqlQuery q = query();
    QString kept;
    bool ok = false;
    if (values.isEmpty()) {
        // Nothing to bind: one trip to a server instead of prepare, run and release.
        ok = q.exec(sql);
    } else {
        if (m_engine->keepsStatements()) {
            kept = sql;
            if (auto it = m_kept.find(sql); it != m_kept.end()) {
                q = std::move(*it);
                m_kept.erase(it);
                ok = true;
            }
        }
        if (!ok)
            ok = q.prepare(sql);
        if (ok) {
            for (int i = 0; i < values.size(); ++i)
                q.bindValue(i, values[i]);
            ok = q.exec();
        }
    }
    m_session->busy(false);
    if (!ok)
        m_lastError = q.lastError();
    Statement statement(*this, std::move(q), ok ? kept : QString(), m_generation);
    statement.m_ok = ok;
    return statement;
}

QString TextPool::text(QByteArrayView utf8)
{
    // Looked up without copying the bytes; copied only when new.
    const QByteArray raw = QByteArray::fromRawData(utf8.data(), utf8.size());
    if (const auto seen = m_seen.constFind(raw); seen != m_seen.constEnd())
        return *seen;
    const QString text = QString::fromUtf8(utf8);
    m_seen.insert(QByteArray(utf8.data(), utf8.size()), text);
    return text;
}

bool Connection::scan(const QString& sql, const QVariantList& values,
                      const std::function<void(const Cells& row)>& each, QStringList* columns)
{
    m_lastError = QSqlError();
    m_session->busy(true);
    const bool ok = m_engine->scan(sql, values, each, columns);
    m_session->busy(false);
    return ok;
}

void Connection::giveBack(QString sql, QSqlQuery query, quint64 generation)
{
    if (generation != m_generation || !m_open)
        return;
    query.finish();
    if (m_kept.size() >= kKeptStatements)
        m_kept.clear();
    m_kept.insert(sql, std::move(query));
}

void Connection::setProgress(Progress* progress)
{
    if (m_open)
        m_engine->setProgress(progress);
}

void Connection::cacheWholeFile(bool whole)
{
    if (m_open)
        m_engine->cacheWholeFile(whole);
}

void Connection::cacheAtLeast(qint64 kib)
{
    if (m_open)
        m_engine->cacheAtLeast(kib);
}

Status Connection::beforeWrite()
{
    m_session->waitForCheck(key());
    const QString damaged = m_session->damage(key());
    if (!damaged.isEmpty())
        return Failure{damaged};
    // No write without the verdict on every page: one into a damaged file spreads the
    // damage, and a backup of it pushes out a good one.
    if (!m_session->knownSound(key()))
        return checkIntegrity();
    return {};
}

QString Connection::describe(const QSqlError& error) const
{
    return m_engine->describe(error);
}

} // namespace parlog
