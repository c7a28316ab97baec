#pragma once

#include "data/connection.h"

#include <QStringList>
#include <QVariantList>

#include <optional>

namespace parlog {

// The texts of one column over the rows of a query, in row order. Rows whose value is
// empty (null) are left out, as the pickers leave them out. Empty optional when the
// query itself fails.
std::optional<QStringList> columnTexts(Connection& connection, const QString& sql,
                                       const QString& column, const QVariantList& values = {});

// The first row of a query as column name -> value; empty optional when the query
// fails, an empty map when it finds nothing.
std::optional<QVariantMap> firstRow(Connection& connection, const QString& sql,
                                    const QVariantList& values = {});

// Every row of a query, for handing to a report.
struct Rows {
    QStringList columns;
    QList<QVariantList> rows;
};
std::optional<Rows> allRows(Connection& connection, const QString& sql,
                            const QVariantList& values = {});

// Rows written column by column. Table and
// column names come from the program; every value is bound.
bool insertRow(Connection& connection, const QString& table, const QStringList& columns,
               const QVariantList& values);
// Changes the row with that ID; changed tells how many rows were changed.
bool updateRow(Connection& connection, const QString& table, const QStringList& columns,
               const QVariantList& values, qint64 id, int* changed = nullptr);
bool deleteRow(Connection& connection, const QString& table, qint64 id);

} // namespace parlog
