#pragma once

#include "data/connection.h"
#include "data/result.h"
#include "data/schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <optional>

// The few shapes every statement of the data modules takes. Table and column names
// come from the schema; every value is bound.
namespace parlog {

// Every row of a query, for a report or a list.
struct Rows {
    QStringList columns;
    QList<QVariantList> rows;

    // Where a column is, found in any case (a server gives names in lower case); -1
    // when it is not there.
    qsizetype column(const QString& name) const;
};

// One row by column name, as the schema names the columns.
using Record = QVariantMap;

// What saving a changed row came to.
struct Saved {
    enum class Outcome {
        Stored,
        NothingChosen,    // a change with no row loaded
        Gone,             // someone else deleted the row meanwhile
        ChangedMeanwhile, // someone else changed it since it was loaded: not overwritten
    };
    Outcome outcome = Outcome::Stored;
    Record now; // ChangedMeanwhile: the row as it reads now
};
// A row of a query as a record of the table's columns, as the schema spells them;
// columns that are not the table's (a key under another name) are left out.
Record recordOf(const schema::Table& table, const Rows& rows, qsizetype row);
// Every row so, the columns matched to the table's once for them all.
QList<Record> recordsOf(const schema::Table& table, const Rows& rows);

namespace sql {

// The statement's failure in words for the user.
Failure failure(Connection& connection);

// Runs a statement that changes the register, once the run's integrity check allows
// writing; affected, when given, tells how many rows it changed.
Status run(Connection& connection, const QString& statement, const QVariantList& values = {},
           int* affected = nullptr);

// Runs the statements in turn, each with the same values, in one transaction: all of
// them or none.
Status runAll(Connection& connection, const QStringList& statements, const QVariantList& values);

// The texts of the first column, in row order, empty values left out (as the
// pickers leave them out).
Result<QStringList> texts(Connection& connection, const QString& statement,
                          const QVariantList& values = {});

// The first row as column name -> value; an empty record when there is none.
Result<Record> firstRow(Connection& connection, const QString& statement,
                        const QVariantList& values = {});

// Every row, read as fast as the engine can, texts that repeat kept once.
Result<Rows> rows(Connection& connection, const QString& statement,
                  const QVariantList& values = {});

// The same read, its columns named COLUMNS in order, as the caller spells them.
Result<Rows> scannedRows(Connection& connection, const QString& statement,
                         const QVariantList& values, const QStringList& columns);

// The single value of a query such as count(*).
Result<QVariant> value(Connection& connection, const QString& statement,
                       const QVariantList& values = {});

// A row written column by column. A name that is not a column of the table is
// refused before anything is sent.
Status insert(Connection& connection, const schema::Table& table, const Record& record);
// The same, giving the key the row was stored under.
Result<qint64> insertGivingKey(Connection& connection, const schema::Table& table,
                               const Record& record, const QString& keyColumn);
// Changes the row with that key; changed tells how many rows were changed. Given
// the row as it was read, it is changed only if it still reads so: what another user
// changed meanwhile is never overwritten unseen.
Status update(Connection& connection, const schema::Table& table, const QString& keyColumn,
              const QVariant& key, const Record& record, int* changed = nullptr,
              const Record& asRead = {});

// Rows written many to a statement, inside the caller's transaction: one trip to a
// server a hundred rows instead of one a row. Values in the order of COLUMNS.
class BatchInsert {
public:
    BatchInsert(Connection& connection, const QString& table, const QStringList& columns,
                int rowsPerStatement = 100);
    // False when a statement failed; the error is error()'s.
    bool add(const QVariantList& row);
    // Writes the rows still pending.
    bool finish();
    QSqlError error() const { return m_error; }

private:
    QString statementFor(int rows) const;
    bool write(QSqlQuery& query);

    Connection& m_connection;
    QString m_table;
    QStringList m_columns;
    int m_rows;
    QVariantList m_pending;
    std::optional<QSqlQuery> m_full;
    std::function<bool(const QVariantList&)> m_repeated; // the engine's own, a row a run
    QSqlError m_error;
};

} // namespace sql
} // namespace parlog
