#pragma once

#include "data/schema.h"

#include <QString>
#include <QStringList>

namespace parlog {

// Where the engines differ, and nowhere else: table definitions, how a round is
// keyed, how a register says what it is. Every other statement is plain SQL that
// both engines read alike.
class Dialect {
public:
    virtual ~Dialect() = default;

    // QtSql's driver.
    virtual QString driver() const = 0;
    // The statements that make an empty register, with its marks of kind and version.
    virtual QStringList createStatements() const = 0;
    // The column that tells one round from another.
    virtual QString roundKey() const = 0;
    // A query whose single row holds the register's data version.
    virtual QString versionQuery() const = 0;
    // A query whose rows' first column names the columns of a table (none: no table).
    virtual QString columnsQuery(const QString& table) const = 0;
    // The column in a condition the engine should not answer from its index: SQLite
    // cannot tell a date range that lets every round through from a narrow one.
    virtual QString unindexed(const QString& column) const { return column; }
    // What to run after rows were copied in with their keys, so that the engine's
    // own keys go on from them.
    virtual QStringList afterCopy(const QString&, const QString&) const { return {}; }
    // What to run once a whole register was copied in, outside any transaction.
    virtual QStringList afterWholeCopy() const { return {}; }
    // The different values of a column, empty ones left out, in order.
    virtual QString distinctValues(const QString& table, const QString& column) const;
    // What a query ends with to lock the rows it reads until the transaction ends.
    virtual QString lockForUpdate() const { return {}; }

protected:
    // The column's definition in the engine's words.
    virtual QString columnType(const schema::Column& column) const = 0;
    // A column of an index: sorted with empty values first, as every search orders.
    virtual QString indexColumn(const QString& column) const { return column; }
    // A key the engine needs beyond the schema's columns, for a table that has none.
    virtual QString extraKey(const schema::Table&) const { return {}; }
    // CREATE TABLE and CREATE INDEX for every table, in order.
    QStringList tableStatements(const QString& tableSuffix) const;
};

// The embedded engine: a file of SQLite's.
class SqliteDialect : public Dialect {
public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    QStringList createStatements() const override;
    QString roundKey() const override { return QStringLiteral("rowid"); }
    QString versionQuery() const override { return QStringLiteral("PRAGMA user_version"); }
    QString columnsQuery(const QString& table) const override;
    QString unindexed(const QString& column) const override { return QLatin1Char('+') + column; }
    // A query whose single row holds the mark of the program that wrote the file.
    QString applicationIdQuery() const { return QStringLiteral("PRAGMA application_id"); }

protected:
    QString columnType(const schema::Column& column) const override;
};

const SqliteDialect& sqliteDialect();

// A club's server: PostgreSQL 15. Names compare without regard to case through a
// nondeterministic ICU collation; rounds get a key of their own; a small table says
// that the database is a Parlog register, and of which version.
class PostgresDialect : public Dialect {
public:
    QString driver() const override { return QStringLiteral("QPSQL"); }
    QStringList createStatements() const override;
    QString roundKey() const override { return QStringLiteral("id"); }
    QString versionQuery() const override
    {
        return QStringLiteral("SELECT version FROM parlog_meta WHERE application = 'Parlog'");
    }
    QString columnsQuery(const QString& table) const override;
    QStringList afterCopy(const QString& table, const QString& key) const override;
    // Fresh rows have no statistics yet: without them the planner scans whole tables.
    QStringList afterWholeCopy() const override { return {QStringLiteral("VACUUM ANALYZE")}; }
    // PostgreSQL reads every row for DISTINCT; the index, hopped from value to value,
    // answers a few hundred names from a quarter of a million rounds.
    QString distinctValues(const QString& table, const QString& column) const override;
    QString lockForUpdate() const override { return QStringLiteral(" FOR UPDATE"); }

protected:
    QString columnType(const schema::Column& column) const override;
    QString extraKey(const schema::Table& table) const override;
    QString indexColumn(const QString& column) const override
    {
        return column + QStringLiteral(" NULLS FIRST");
    }
};

const PostgresDialect& postgresDialect();

} // namespace parlog
