#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

#include "data/result.h"

namespace parlog {
struct Rows;
}

namespace parlog::report {

// A snapshot of rows; columns are found ignoring case.
struct RowSet {
    QStringList columns;
    QList<QVariantList> rows;

    RowSet() = default;
    RowSet(const Rows& rows);
    int column(const QString& name) const;
    QVariant value(int row, const QString& name) const;
    int size() const { return int(rows.size()); }
};

// What a report prints: plain rows, or parent rows each with child rows (the data
// member, "work") for the grouped reports. A source that could not be produced is
// failed; the report raises its error event instead of printing it.
struct DataSource {
    RowSet rows;
    QList<RowSet> children;
    QString childMember;
    bool failed = false;
    QString error;

    bool grouped() const { return !childMember.isEmpty(); }
    bool empty() const { return rows.rows.isEmpty(); }
    static DataSource failure(const QString& error);
    // Plain rows of a query, or a failed source, with its error, when it did not run.
    static DataSource of(const Result<Rows>& rows);
    static DataSource of(const Rows& rows);
};

} // namespace parlog::report
