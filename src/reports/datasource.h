#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

#include "data/result.h"
#include "data/rowfeed.h"

#include <memory>

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
//
// The rows are held (rows, children), or fetched as they are read (feed, childFeeds),
// as a search of a whole register does; either way the report reads them through
// the accessors below.
struct DataSource {
    RowSet rows;
    QList<RowSet> children;
    QString childMember;
    bool failed = false;
    QString error;
    // Failed because the register could not be read (not because of the criteria):
    // said, never shown as an empty report.
    bool unreadable = false;
    std::shared_ptr<RowFeed> feed;                 // instead of rows
    QList<std::shared_ptr<RowFeed>> childFeeds;    // instead of children, one a parent row

    bool grouped() const { return !childMember.isEmpty(); }
    bool empty() const { return !hasRow(0); }
    bool lazy() const { return feed || !childFeeds.isEmpty(); }

    bool hasRow(int row) const;
    QVariant value(int row, const QString& column) const;
    bool hasChild(int parent, int child) const;
    QVariant childValue(int parent, int child, const QString& column) const;
    // Counting a fed source fetches every key.
    int rowCount() const;
    int childCount(int parent) const;
    // Why the rows fed so far stopped early; empty while every row read was read
    // whole. What was printed or written from a source with an error is not whole.
    QString readError() const;
    static DataSource failure(const QString& error);
    static DataSource unreadableBecause(const QString& error);
    // Plain rows of a query, or a failed source, with its error, when it did not run.
    static DataSource of(const Result<Rows>& rows);
    static DataSource of(const Rows& rows);
};

} // namespace parlog::report
