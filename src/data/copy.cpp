#include "data/copy.h"

#include "data/location.h"
#include "data/outputfile.h"

#include "data/connection.h"
#include "data/dialect.h"
#include "data/engine.h"
#include "data/queries.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cstdio>

namespace parlog {

namespace {

constexpr int kCopyBatch = 100;

// The key a table's rows are told apart by on an engine: the schema's, or the
// engine's own for the rounds.
QString keyOf(Connection& connection, const schema::Table& table)
{
    for (const schema::Column& c : table.columns)
        if (c.type == schema::Type::Key)
            return c.name;
    return connection.dialect().roundKey();
}

Result<qint64> rowCount(Connection& connection, const schema::Table& table)
{
    const auto rows = sql::value(connection, QStringLiteral("SELECT count(*) FROM %1").arg(table.name));
    if (!rows)
        return Failure{rows.error()};
    return rows->toLongLong();
}

// Every row of one table, key and all, from one register into the other, inside the
// target's open transaction. Gives how many rows were read.
Result<qint64> copyTable(Connection& from, Connection& to, const schema::Table& table,
                         Progress* progress, long long& done)
{
    // What the source has: one of an older data version lacks the columns added since,
    // which stay empty in the copy.
    QStringList columns;
    for (const schema::Column& c : table.columnsOf(from.version()))
        if (c.type != schema::Type::Key)
            columns << c.name;
    const QString fromKey = keyOf(from, table);
    const QString toKey = keyOf(to, table);
    // Rows go in batches of a hundred to a statement: one trip to a server each,
    // instead of one a row.
    const int width = int(columns.size()) + 1;
    sql::BatchInsert batch(to, table.name, QStringList{toKey} + columns, kCopyBatch);
    const auto stopped = [&] {
        return Failure{
            QStringLiteral("The copy stopped in %1: %2").arg(table.name, to.describe(batch.error()))};
    };
    qint64 read_ = 0;
    bool failed = false;
    bool cancelled = false;
    QVariantList row;
    // The engine's own scan: a file's rows come straight from SQLite, not a cell at a
    // time through a statement. After a failure the rest are passed over.
    const bool scanned =
        from.scan(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                      .arg(fromKey, columns.join(QStringLiteral(", ")), table.name),
                  {}, [&](const Cells& cells) {
                      if (failed || cancelled)
                          return;
                      ++read_;
                      row.clear();
                      for (int i = 0; i < width; ++i)
                          row << cells.value(i);
                      if (!batch.add(row))
                          failed = true;
                      else if (progress && ++done % 500 == 0 && !progress->carryOn(done, 0))
                          cancelled = true;
                  });
    if (failed)
        return stopped();
    if (cancelled)
        return Failure{QStringLiteral("The copy was cancelled.")};
    // A damaged page ends the scan as the last row would: only its result can tell.
    if (!scanned)
        return sql::failure(from);
    if (!batch.finish())
        return stopped();
    // The engine's own counter goes on from the last key copied.
    for (const QString& statement : to.dialect().afterCopy(table.name, toKey))
        if (!to.run(statement).ok())
            return sql::failure(to);
    return read_;
}

// Every table into a target whose transaction is open; counts checked before the
// caller commits.
Result<QList<TableCount>> copyTables(Connection& from, Connection& to, Progress* progress)
{
    QList<TableCount> counts;
    long long done = 0;
    for (const schema::Table* table : schema::tables()) {
        TableCount count{table->name, 0, 0};
        if (table->since > from.version()) {
            counts << count;
            continue;
        }
        const auto expected = rowCount(from, *table);
        if (!expected)
            return Failure{expected.error()};
        const auto read = copyTable(from, to, *table, progress, done);
        if (!read)
            return Failure{read.error()};
        count.source = *read;
        const auto arrived = rowCount(to, *table);
        if (!arrived)
            return Failure{arrived.error()};
        count.arrived = *arrived;
        // Fewer rows read than the table counts is a page that could not be read.
        if (count.source != *expected)
            return Failure{QStringLiteral("%1 may be damaged: its table %2 counts %3 rows, but %4 "
                                          "could be read. Nothing was copied.")
                               .arg(from.displayName(), table->name)
                               .arg(*expected)
                               .arg(count.source)};
        if (count.arrived != count.source)
            return Failure{QStringLiteral("Nothing was copied: %1 of the %2 rows of %3 arrived.")
                               .arg(count.arrived)
                               .arg(count.source)
                               .arg(table->name)};
        counts << count;
    }
    return counts;
}

} // namespace

Status holdsNoRows(Connection& to)
{
    for (const schema::Table* table : schema::tables()) {
        const auto rows = rowCount(to, *table);
        if (!rows)
            return Failure{rows.error()};
        if (*rows > 0)
            return Failure{QStringLiteral("Nothing was copied: %1 already holds rows (%2 in %3). "
                                          "Copy into a new file or an empty database.")
                               .arg(to.displayName())
                               .arg(*rows)
                               .arg(table->name)};
    }
    return {};
}

Result<QList<TableCount>> copyRegister(const QString& source, const QString& target,
                                       Progress* progress)
{
    Connection from(source);
    // A source that is not there is a typing slip: never made, empty, to copy from.
    if (Status opened = from.open(Connection::Check::Full, Connection::Missing::Refuse,
                                  Connection::Upgrade::No);
        !opened)
        return Failure{opened.error()};
    // Never onto the register itself, its journal or its backups, by any name.
    if (const QString why = protectedFile(target, source); !serverAddress(target) && !why.isEmpty())
        return Failure{QStringLiteral("Nothing was copied: %1").arg(why)};
    const auto to = from.another(target);
    return to->engine().buildWhole(
        [&](Connection& empty) { return copyTables(from, empty, progress); });
}

} // namespace parlog
