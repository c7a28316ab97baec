#include "data/queries.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace parlog {

std::optional<QStringList> columnTexts(Connection& connection, const QString& sql,
                                       const QString& column, const QVariantList& values)
{
    QSqlQuery q = connection.query();
    if (!connection.exec(q, sql, values))
        return std::nullopt;
    const int index = q.record().indexOf(column);
    if (index < 0)
        return std::nullopt;
    QStringList texts;
    while (q.next()) {
        const QVariant v = q.value(index);
        if (!v.isNull())
            texts << v.toString();
    }
    return texts;
}

std::optional<QVariantMap> firstRow(Connection& connection, const QString& sql,
                                    const QVariantList& values)
{
    QSqlQuery q = connection.query();
    if (!connection.exec(q, sql, values))
        return std::nullopt;
    QVariantMap row;
    if (q.next()) {
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), q.value(i));
    }
    return row;
}

std::optional<Rows> allRows(Connection& connection, const QString& sql, const QVariantList& values)
{
    QSqlQuery q = connection.query();
    if (!connection.exec(q, sql, values))
        return std::nullopt;
    Rows result;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        result.columns << record.fieldName(i);
    while (q.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row << q.value(i);
        result.rows << row;
    }
    return result;
}

bool insertRow(Connection& connection, const QString& table, const QStringList& columns,
               const QVariantList& values)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    QSqlQuery q = connection.query();
    return connection.exec(
        q,
        QStringLiteral("INSERT INTO %1(%2) VALUES (%3)")
            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
        values);
}

bool updateRow(Connection& connection, const QString& table, const QStringList& columns,
               const QVariantList& values, qint64 id, int* changed)
{
    QStringList sets;
    for (const QString& c : columns)
        sets << c + QStringLiteral(" = ?");
    QSqlQuery q = connection.query();
    const bool ok = connection.exec(
        q,
        QStringLiteral("UPDATE %1 SET %2 WHERE ID = ?").arg(table, sets.join(QStringLiteral(", "))),
        QVariantList(values) << id);
    if (changed)
        *changed = ok ? q.numRowsAffected() : 0;
    return ok;
}

bool deleteRow(Connection& connection, const QString& table, qint64 id)
{
    QSqlQuery q = connection.query();
    return connection.exec(q, QStringLiteral("DELETE FROM %1 WHERE ID = ?").arg(table), {id});
}

} // namespace parlog
