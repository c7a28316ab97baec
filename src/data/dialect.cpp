#include "data/dialect.h"

namespace parlog {

QStringList Dialect::tableStatements(const QString& tableSuffix, int fromVersion) const
{
    QStringList statements;
    for (const schema::Table* table : schema::tables()) {
        if (table->since <= fromVersion) {
            // Added columns take no default: older rows read them as empty.
            QStringList added;
            for (const schema::Column& c : table->columns)
                if (c.since > fromVersion)
                    added << c.name + QLatin1Char(' ') + columnType(c);
            if (!added.isEmpty())
                statements << addColumns(table->name, added);
            continue;
        }
        QStringList columns;
        if (const QString key = extraKey(*table); !key.isEmpty())
            columns << key;
        for (const schema::Column& c : table->columns)
            columns << c.name + QLatin1Char(' ') + columnType(c);
        statements << QStringLiteral("CREATE TABLE %1 (%2)%3")
                          .arg(table->name, columns.join(QStringLiteral(", ")), tableSuffix);
    }
    for (const schema::Index& index : schema::indexes()) {
        if (index.since <= fromVersion)
            continue;
        QStringList columns;
        for (const QString& c : index.columns)
            columns << indexColumn(c);
        statements << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                          .arg(index.name, index.table, columns.join(QStringLiteral(", ")));
    }
    return statements;
}

QStringList Dialect::addColumns(const QString& table, const QStringList& definitions) const
{
    // One statement: the table is read once to check the new columns' constraints.
    QStringList clauses;
    for (const QString& definition : definitions)
        clauses << QStringLiteral("ADD COLUMN ") + definition;
    return {QStringLiteral("ALTER TABLE %1 %2").arg(table, clauses.join(QStringLiteral(", ")))};
}

QString Dialect::distinctValues(const QString& table, const QString& column) const
{
    return QStringLiteral("SELECT DISTINCT %2 FROM %1 WHERE %2 IS NOT NULL ORDER BY %2")
        .arg(table, column);
}

} // namespace parlog
