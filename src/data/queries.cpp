#include "data/queries.h"

#include "data/engine.h"

#include <QRegularExpression>
#include <QSqlRecord>

namespace parlog {

namespace {

// Each column of the rows as the table spells it; empty where it is not the table's.
QStringList namesIn(const schema::Table& table, const Rows& rows)
{
    QStringList names;
    for (const QString& column : rows.columns) {
        const schema::Column* c = table.column(column);
        names << (c ? c->name : QString());
    }
    return names;
}

Record recordWith(const QStringList& names, const QVariantList& row)
{
    Record record;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (!names[i].isEmpty())
            record.insert(names[i], row.value(i));
    return record;
}

} // namespace

qsizetype Rows::column(const QString& name) const
{
    return columns.indexOf(
        QRegularExpression(QRegularExpression::anchoredPattern(QRegularExpression::escape(name)),
                           QRegularExpression::CaseInsensitiveOption));
}

Record recordOf(const schema::Table& table, const Rows& rows, qsizetype row)
{
    return recordWith(namesIn(table, rows), rows.rows[row]);
}

QList<Record> recordsOf(const schema::Table& table, const Rows& rows)
{
    const QStringList names = namesIn(table, rows);
    QList<Record> records;
    records.reserve(rows.rows.size());
    for (const QVariantList& row : rows.rows)
        records << recordWith(names, row);
    return records;
}

} // namespace parlog

namespace parlog::sql {

namespace {

// The columns of a record in the schema's spelling; empty when one is not a column.
std::optional<QStringList> columnsOf(const schema::Table& table, const Record& record)
{
    QStringList names;
    for (auto it = record.constBegin(); it != record.constEnd(); ++it) {
        const schema::Column* column = table.column(it.key());
        if (!column)
            return std::nullopt;
        names << column->name;
    }
    return names;
}

// A column as the schema spells it: engines give names back as they fold them
// (PostgreSQL in lower case), and records are read by the schema's names.
QString schemaName(const QString& field)
{
    for (const schema::Table* table : schema::tables())
        if (const schema::Column* column = table->column(field))
            return column->name;
    return field;
}

Failure unknownColumn(const schema::Table& table)
{
    return Failure{QStringLiteral("The program asked for a column the table %1 does not have.")
                       .arg(table.name)};
}

} // namespace

Failure failure(Connection& connection)
{
    return Failure{connection.describe(connection.lastError())};
}

Status runAll(Connection& connection, const QStringList& statements, const QVariantList& values)
{
    if (!connection.transaction())
        return failure(connection);
    for (const QString& statement : statements)
        if (Status done = run(connection, statement, values); !done) {
            connection.rollback();
            return done;
        }
    if (!connection.commit())
        return failure(connection);
    return {};
}

Status run(Connection& connection, const QString& statement, const QVariantList& values,
           int* affected)
{
    if (affected)
        *affected = 0;
    if (Status allowed = connection.beforeWrite(); !allowed)
        return allowed;
    const Statement done = connection.run(statement, values);
    if (!done.ok())
        return failure(connection);
    if (affected)
        *affected = done.rowsAffected();
    return {};
}

Result<QStringList> texts(Connection& connection, const QString& statement,
                          const QVariantList& values)
{
    Statement q = connection.run(statement, values);
    if (!q.ok())
        return failure(connection);
    QStringList list;
    while (q.next()) {
        const QVariant v = q.value(0);
        if (!v.isNull())
            list << v.toString();
    }
    if (!q.readToEnd())
        return failure(connection);
    return list;
}

Result<Record> firstRow(Connection& connection, const QString& statement,
                        const QVariantList& values)
{
    Statement q = connection.run(statement, values);
    if (!q.ok())
        return failure(connection);
    Record row;
    if (q.next()) {
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            row.insert(schemaName(record.fieldName(i)), q.value(i));
    } else if (!q.readToEnd()) {
        return failure(connection);
    }
    return row;
}

Result<Rows> rows(Connection& connection, const QString& statement, const QVariantList& values)
{
    // Scanned, texts kept once: a QVariant a cell read through a statement took four
    // times the time and several times the memory of the rows themselves.
    Rows result;
    TextPool pool;
    if (!connection.scan(
            statement, values,
            [&](const Cells& row) {
                QVariantList line;
                line.reserve(result.columns.size());
                for (int c = 0; c < result.columns.size(); ++c)
                    line << row.value(c, &pool);
                result.rows << std::move(line);
            },
            &result.columns))
        return failure(connection);
    return result;
}

Result<QVariant> value(Connection& connection, const QString& statement, const QVariantList& values)
{
    Statement q = connection.run(statement, values);
    if (!q.ok())
        return failure(connection);
    if (q.next())
        return q.value(0);
    if (!q.readToEnd())
        return failure(connection);
    return QVariant();
}

Result<Rows> scannedRows(Connection& connection, const QString& statement,
                         const QVariantList& values, const QStringList& columns)
{
    // The names as the caller spells them: a server gives them in lower case.
    auto read = rows(connection, statement, values);
    if (read)
        read->columns = columns;
    return read;
}

Status insert(Connection& connection, const schema::Table& table, const Record& record)
{
    const auto columns = columnsOf(table, record);
    if (!columns)
        return unknownColumn(table);
    const QString marks = QStringList(columns->size(), QStringLiteral("?")).join(u", ");
    return run(connection,
               QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(table.name, columns->join(QStringLiteral(", ")), marks),
               record.values());
}

Result<qint64> insertGivingKey(Connection& connection, const schema::Table& table,
                               const Record& record, const QString& keyColumn)
{
    const auto columns = columnsOf(table, record);
    if (!columns)
        return unknownColumn(table);
    if (Status allowed = connection.beforeWrite(); !allowed)
        return Failure{allowed.error()};
    const QString marks = QStringList(columns->size(), QStringLiteral("?")).join(u", ");
    // Both engines give back what the insert made (SQLite since 3.35).
    Statement q =
        connection.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                           .arg(table.name, columns->join(QStringLiteral(", ")), marks, keyColumn),
                       record.values());
    if (!q.ok())
        return failure(connection);
    if (!q.next()) {
        if (!q.readToEnd())
            return failure(connection);
        return Failure{QStringLiteral("The register gave no key for the new %1.").arg(table.name)};
    }
    return q.value(0).toLongLong();
}

Status update(Connection& connection, const schema::Table& table, const QString& keyColumn,
              const QVariant& key, const Record& record, int* changed, const Record& asRead)
{
    const auto columns = columnsOf(table, record);
    if (!columns)
        return unknownColumn(table);
    QStringList sets;
    for (const QString& c : *columns)
        sets << c + QStringLiteral(" = ?");
    QString where = QStringLiteral("%1 = ?").arg(keyColumn);
    QVariantList values = record.values();
    values << key;
    for (auto it = asRead.constBegin(); it != asRead.constEnd(); ++it) {
        const schema::Column* column = table.column(it.key());
        if (!column || column->type == schema::Type::Key)
            continue;
        where += QStringLiteral(" AND %1 IS NOT DISTINCT FROM ?").arg(column->name);
        values << it.value();
    }
    return run(connection,
               QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                   .arg(table.name, sets.join(QStringLiteral(", ")), where),
               values, changed);
}

BatchInsert::BatchInsert(Connection& connection, const QString& table, const QStringList& columns,
                         int rowsPerStatement)
    : m_connection(connection), m_table(table), m_columns(columns), m_rows(rowsPerStatement)
{
    // An engine that runs one statement over and over fast (a file's) needs no batches.
    m_repeated = connection.engine().repeated(statementFor(1));
}

QString BatchInsert::statementFor(int rows) const
{
    const QString oneRow =
        QStringLiteral("(%1)").arg(QStringList(m_columns.size(), QStringLiteral("?")).join(u", "));
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(m_table, m_columns.join(QStringLiteral(", ")), QStringList(rows, oneRow).join(u", "));
}

bool BatchInsert::write(QSqlQuery& query)
{
    for (int i = 0; i < m_pending.size(); ++i)
        query.bindValue(i, m_pending[i]);
    m_pending.clear();
    if (query.exec())
        return true;
    m_error = query.lastError();
    m_connection.setLastError(m_error);
    return false;
}

bool BatchInsert::add(const QVariantList& row)
{
    if (m_repeated) {
        if (m_repeated(row))
            return true;
        m_error = m_connection.lastError();
        return false;
    }
    m_pending << row;
    if (m_pending.size() < m_rows * m_columns.size())
        return true;
    if (!m_full) {
        m_full = m_connection.query();
        if (!m_full->prepare(statementFor(m_rows))) {
            m_error = m_full->lastError();
            m_connection.setLastError(m_error);
            return false;
        }
    }
    return write(*m_full);
}

bool BatchInsert::finish()
{
    if (m_pending.isEmpty())
        return true;
    QSqlQuery last = m_connection.query();
    if (!last.prepare(statementFor(int(m_pending.size() / m_columns.size())))) {
        m_error = last.lastError();
        m_connection.setLastError(m_error);
        return false;
    }
    return write(last);
}

} // namespace parlog::sql
