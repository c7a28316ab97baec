#pragma once

#include "data/schema.h"

#include <QString>
#include <QStringList>

namespace parlog {

// Where the engines' SQL differs, and nowhere else: table definitions, how a round is
// keyed, how the catalog is read. Every other statement is plain SQL that both engines
// read alike. Each engine's dialect lives in the engine's own file.
class Dialect {
public:
    virtual ~Dialect() = default;

    // QtSql's driver.
    virtual QString driver() const = 0;
    // The statements that make an empty register, with its marks of kind and version.
    virtual QStringList createStatements() const = 0;
    // The statements that bring a register of an older data version up to this one:
    // the tables, columns and indexes added since, and the new version's mark.
    virtual QStringList upgradeStatements(int fromVersion) const = 0;
    // The column that tells one round from another.
    virtual QString roundKey() const = 0;
    // A query whose rows name a table and one of its columns, for every table of the
    // register at once: one trip where a table each would take fifteen.
    virtual QString columnsQuery() const = 0;
    // The column in a condition the engine should not answer from its index: SQLite
    // cannot tell a date range that lets every round through from a narrow one.
    virtual QString unindexed(const QString& column) const { return column; }
    // What to run after rows were copied in with their keys, so that the engine's
    // own keys go on from them.
    virtual QStringList afterCopy(const QString&, const QString&) const { return {}; }
    // The different values of a column, empty ones left out, in order.
    virtual QString distinctValues(const QString& table, const QString& column) const;
    // What a query ends with to lock the rows it reads until the transaction ends.
    virtual QString lockForUpdate() const { return {}; }

protected:
    // The column's definition in the engine's words.
    virtual QString columnType(const schema::Column& column) const = 0;
    // A column of an index: sorted with empty values first, as every search orders.
    virtual QString indexColumn(const QString& column) const { return column; }
    // The statements that give an existing table new columns, each given as its
    // definition; the rows it has read them as empty.
    virtual QStringList addColumns(const QString& table, const QStringList& definitions) const;
    // A key the engine needs beyond the schema's columns, for a table that has none.
    virtual QString extraKey(const schema::Table&) const { return {}; }
    // CREATE TABLE and CREATE INDEX for every table, in order; or, from an older data
    // version, what came since: new tables, columns added to the old ones, new indexes.
    QStringList tableStatements(const QString& tableSuffix, int fromVersion = 0) const;
};

} // namespace parlog
