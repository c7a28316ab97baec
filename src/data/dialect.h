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

protected:
    // The column's definition in the engine's words.
    virtual QString columnType(const schema::Column& column) const = 0;
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
    // A query whose single row holds the mark of the program that wrote the file.
    QString applicationIdQuery() const { return QStringLiteral("PRAGMA application_id"); }

protected:
    QString columnType(const schema::Column& column) const override;
};

const SqliteDialect& sqliteDialect();

} // namespace parlog
