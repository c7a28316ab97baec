#include "data/copy.h"

#include "data/connection.h"
#include "data/dialect.h"
#include "data/location.h"
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
    QStringList columns;
    for (const schema::Column& c : table.columns)
        if (c.type != schema::Type::Key)
            columns << c.name;
    const QString fromKey = keyOf(from, table);
    const QString toKey = keyOf(to, table);
    QSqlQuery read = from.query();
    if (!from.exec(read, QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                             .arg(fromKey, columns.join(QStringLiteral(", ")), table.name)))
        return sql::failure(from);
    // Rows go in batches of a hundred to a statement: one trip to a server each,
    // instead of one a row.
    const int width = int(columns.size()) + 1;
    const QString oneRow =
        QStringLiteral("(%1)").arg(QStringList(width, QStringLiteral("?")).join(u", "));
    const auto insertOf = [&](int rows) {
        return QStringLiteral("INSERT INTO %1 (%2, %3) VALUES %4")
            .arg(table.name, toKey, columns.join(QStringLiteral(", ")),
                 QStringList(rows, oneRow).join(u", "));
    };
    const auto stopped = [&](const QSqlQuery& q) {
        return Failure{
            QStringLiteral("The copy stopped in %1: %2").arg(table.name, to.describe(q.lastError()))};
    };
    QVariantList pending;
    const auto write = [&](QSqlQuery& q) {
        for (int i = 0; i < pending.size(); ++i)
            q.bindValue(i, pending[i]);
        pending.clear();
        return q.exec();
    };
    QSqlQuery batch = to.query();
    if (!batch.prepare(insertOf(kCopyBatch)))
        return stopped(batch);
    qint64 read_ = 0;
    while (read.next()) {
        ++read_;
        for (int i = 0; i < width; ++i)
            pending << read.value(i);
        if (pending.size() == kCopyBatch * width && !write(batch))
            return stopped(batch);
        if (progress && ++done % 500 == 0 && !progress->carryOn(done, 0))
            return Failure{QStringLiteral("The copy was cancelled.")};
    }
    // A damaged page ends the loop as the last row would: only the query can tell.
    if (!from.readToEnd(read))
        return sql::failure(from);
    if (!pending.isEmpty()) {
        QSqlQuery last = to.query();
        if (!last.prepare(insertOf(int(pending.size()) / width)) || !write(last))
            return stopped(last);
    }
    // The engine's own counter goes on from the last key copied.
    for (const QString& statement : to.dialect().afterCopy(table.name, toKey)) {
        QSqlQuery q = to.query();
        if (!to.exec(q, statement))
            return sql::failure(to);
    }
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

Status refuseRows(Connection& to)
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

// Onto a server: one transaction, so that a copy stopped anywhere leaves the database
// as empty as it was.
Result<QList<TableCount>> copyToServer(Connection& from, const QString& target,
                                       Progress* progress)
{
    Connection to(target);
    if (Status opened = to.open(); !opened)
        return Failure{opened.error()};
    if (Status empty = refuseRows(to); !empty)
        return Failure{empty.error()};
    if (!to.transaction())
        return Failure{QStringLiteral("Nothing was copied: %1 would not start a transaction.")
                           .arg(to.displayName())};
    const auto counts = copyTables(from, to, progress);
    if (!counts) {
        to.rollback();
        return Failure{counts.error() + QStringLiteral(" The database holds no row of it.")};
    }
    if (!to.commit())
        return Failure{QStringLiteral("Nothing was copied: %1").arg(to.describe(to.lastError()))};
    for (const QString& statement : to.dialect().afterWholeCopy()) {
        QSqlQuery q = to.query();
        (void)to.exec(q, statement); // statistics only: the rows are in
    }
    return counts;
}

// Into a file: built under another name beside it and put in place only when every
// table's rows are there, so that a copy killed midway never leaves a file that passes
// for the whole register.
Result<QList<TableCount>> copyToFile(Connection& from, const QString& target,
                                     Progress* progress)
{
    const QFileInfo info(target);
    if (info.exists()) {
        Connection existing(target);
        if (Status opened = existing.open(); !opened)
            return Failure{opened.error()};
        if (Status empty = refuseRows(existing); !empty)
            return Failure{empty.error()};
    }
    const QString temp =
        QDir(info.absolutePath()).filePath(QStringLiteral(".%1.part").arg(info.fileName()));
    QFile::remove(temp);
    Result<QList<TableCount>> counts = Failure{};
    {
        Connection to(temp);
        if (Status opened = to.open(); !opened) {
            QFile::remove(temp);
            return Failure{opened.error()};
        }
        if (!to.transaction()) {
            to.close();
            QFile::remove(temp);
            return Failure{QStringLiteral("Nothing was copied: %1 would not start a transaction.")
                               .arg(QDir::toNativeSeparators(target))};
        }
        counts = copyTables(from, to, progress);
        if (!counts)
            to.rollback();
        else if (!to.commit())
            counts = Failure{QStringLiteral("Nothing was copied: %1").arg(to.describe(to.lastError()))};
    }
    if (!counts) {
        QFile::remove(temp);
        return counts;
    }
    // rename() puts the file in place whole, over an empty register too.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) !=
        0) {
        QFile::remove(temp);
        return Failure{QStringLiteral("Nothing was copied: the new file could not be put in place "
                                      "as %1.")
                           .arg(QDir::toNativeSeparators(target))};
    }
    return counts;
}

} // namespace

Result<QList<TableCount>> copyRegister(const QString& source, const QString& target,
                                       Progress* progress)
{
    Connection from(source);
    // A source that is not there is a typing slip: never made, empty, to copy from.
    if (Status opened = from.open(Connection::Check::Full, Connection::Missing::Refuse); !opened)
        return Failure{opened.error()};
    return serverAddress(target) ? copyToServer(from, target, progress)
                                 : copyToFile(from, target, progress);
}

} // namespace parlog
