#include "data/copy.h"

#include "data/connection.h"
#include "data/dialect.h"
#include "data/queries.h"
#include "data/schema.h"

#include <QSqlQuery>
#include <QSqlRecord>

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

} // namespace

Result<QList<TableCount>> copyRegister(const QString& source, const QString& target,
                                       Progress* progress)
{
    Connection from(source);
    if (Status opened = from.open(); !opened)
        return Failure{opened.error()};
    Connection to(target);
    if (Status opened = to.open(); !opened)
        return Failure{opened.error()};
    for (const schema::Table* table : schema::tables()) {
        const auto rows =
            sql::value(to, QStringLiteral("SELECT count(*) FROM %1").arg(table->name));
        if (!rows)
            return Failure{rows.error()};
        if (rows->toLongLong() > 0)
            return Failure{QStringLiteral("Nothing was copied: %1 already holds rows (%2 in %3). "
                                          "Copy into a new file or an empty database.")
                               .arg(target)
                               .arg(rows->toLongLong())
                               .arg(table->name)};
    }
    QList<TableCount> counts;
    long long done = 0;
    for (const schema::Table* table : schema::tables()) {
        TableCount count{table->name, 0, 0};
        QStringList columns;
        for (const schema::Column& c : table->columns)
            if (c.type != schema::Type::Key)
                columns << c.name;
        const QString fromKey = keyOf(from, *table);
        const QString toKey = keyOf(to, *table);
        QSqlQuery read = from.query();
        if (!from.exec(read, QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                                 .arg(fromKey, columns.join(QStringLiteral(", ")), table->name)))
            return sql::failure(from);
        if (!to.transaction())
            return Failure{QStringLiteral("Nothing more was copied: %1 would not start a "
                                          "transaction.")
                               .arg(target)};
        // Rows go in batches of a hundred to a statement: one trip to a server each,
        // instead of one a row.
        const int width = int(columns.size()) + 1;
        const QString oneRow =
            QStringLiteral("(%1)").arg(QStringList(width, QStringLiteral("?")).join(u", "));
        const auto insertOf = [&](int rows) {
            return QStringLiteral("INSERT INTO %1 (%2, %3) VALUES %4")
                .arg(table->name, toKey, columns.join(QStringLiteral(", ")),
                     QStringList(rows, oneRow).join(u", "));
        };
        const auto stopped = [&](const QSqlQuery& q) {
            const QString why = to.describe(q.lastError());
            to.rollback();
            return Failure{QStringLiteral("The copy stopped in %1: %2").arg(table->name, why)};
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
        while (read.next()) {
            ++count.source;
            for (int i = 0; i < width; ++i)
                pending << read.value(i);
            if (pending.size() == kCopyBatch * width && !write(batch))
                return stopped(batch);
            if (progress && ++done % 500 == 0 && !progress->carryOn(done, 0)) {
                to.rollback();
                return Failure{QStringLiteral("The copy was cancelled.")};
            }
        }
        if (!pending.isEmpty()) {
            QSqlQuery last = to.query();
            if (!last.prepare(insertOf(int(pending.size()) / width)) || !write(last))
                return stopped(last);
        }
        // The engine's own counter goes on from the last key copied.
        for (const QString& statement : to.dialect().afterCopy(table->name, toKey)) {
            QSqlQuery q = to.query();
            if (!to.exec(q, statement)) {
                to.rollback();
                return sql::failure(to);
            }
        }
        if (!to.commit())
            return sql::failure(to);
        const auto arrived =
            sql::value(to, QStringLiteral("SELECT count(*) FROM %1").arg(table->name));
        if (!arrived)
            return Failure{arrived.error()};
        count.arrived = arrived->toLongLong();
        counts << count;
    }
    for (const QString& statement : to.dialect().afterWholeCopy()) {
        QSqlQuery q = to.query();
        if (!to.exec(q, statement))
            return sql::failure(to);
    }
    return counts;
}

} // namespace parlog
