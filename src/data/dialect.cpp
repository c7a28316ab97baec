#include "data/dialect.h"

namespace parlog {

QStringList Dialect::tableStatements(const QString& tableSuffix) const
{
    QStringList statements;
    for (const schema::Table* table : schema::tables()) {
        QStringList columns;
        for (const schema::Column& c : table->columns)
            columns << c.name + QLatin1Char(' ') + columnType(c);
        statements << QStringLiteral("CREATE TABLE %1 (%2)%3")
                          .arg(table->name, columns.join(QStringLiteral(", ")), tableSuffix);
    }
    for (const schema::Index& index : schema::indexes())
        statements << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                          .arg(index.name, index.table, index.columns.join(QStringLiteral(", ")));
    return statements;
}

QString SqliteDialect::columnType(const schema::Column& c) const
{
    switch (c.type) {
    case schema::Type::Key:
        return QStringLiteral("INTEGER PRIMARY KEY");
    case schema::Type::Text:
        return QStringLiteral("TEXT");
    case schema::Type::Name:
        // "smith" finds Smith, and distinct lists do not show Smith twice.
        return QStringLiteral("TEXT COLLATE NOCASE");
    case schema::Type::Whole:
        return QStringLiteral("INTEGER");
    case schema::Type::Number:
        return QStringLiteral("REAL");
    case schema::Type::Date:
        return QStringLiteral("TEXT CHECK (%1 IS NULL OR %1 GLOB "
                              "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]')")
            .arg(c.name);
    case schema::Type::Tick:
        return QStringLiteral("INTEGER CHECK (%1 IN (0, 1))").arg(c.name);
    }
    return QStringLiteral("TEXT");
}

QStringList SqliteDialect::createStatements() const
{
    return tableStatements(QStringLiteral(" STRICT"))
           << QStringLiteral("PRAGMA application_id = %1").arg(schema::kApplicationId)
           << QStringLiteral("PRAGMA user_version = %1").arg(schema::kVersion);
}

QString SqliteDialect::columnsQuery(const QString& table) const
{
    // Table names come from the schema, never from a user.
    return QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table);
}

const SqliteDialect& sqliteDialect()
{
    static const SqliteDialect dialect;
    return dialect;
}

} // namespace parlog
