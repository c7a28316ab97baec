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

std::optional<Rows> allRows(Connection& connection, const QString& sql,
                            const QVariantList& values)
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

} // namespace parlog
