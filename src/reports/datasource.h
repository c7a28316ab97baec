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

// Rows held in memory, read as a feed reads them.
std::shared_ptr<RowFeed> heldRows(const Rows& rows);

// What a report prints: rows, or parent rows each with child rows (the data member,
// "work") for the grouped reports. Rows are read through feeds, whether they are held
// in memory or fetched as they are read, as a search of a whole register does.
//
// A source that could not be produced has no rows and says why: because of its
// criteria (failed: the report raises its error event instead of printing it) or
// because the register could not be read (unreadable: said, never shown as an empty
// report).
class DataSource {
public:
    DataSource() = default; // no rows

    static DataSource of(const Rows& rows);
    // Plain rows of a query, or an unreadable source, with its error, when it did not run.
    static DataSource of(const Result<Rows>& rows);
    static DataSource fed(std::shared_ptr<RowFeed> rows);
    // Parent rows, each with its own feed of child rows under the data member.
    static DataSource grouped(const Rows& parents, QList<std::shared_ptr<RowFeed>> children,
                              const QString& member);
    static DataSource grouped(const Rows& parents, const QList<Rows>& children,
                              const QString& member);
    static DataSource failure(const QString& error);
    static DataSource unreadableBecause(const QString& error);

    // Done when the source holds what it was asked for; the failure otherwise.
    const Status& status() const { return m_status; }
    bool failed() const { return !m_status.ok(); }
    bool unreadable() const { return m_unreadable; }

    QString childMember() const { return m_member; }
    bool grouped() const { return !m_member.isEmpty(); }
    bool empty() const { return !hasRow(0); }
    // Whether rows are fetched as they are read, so that counting them takes a while.
    bool lazy() const;
    // The columns of the (parent) rows.
    QStringList columns() const;

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

private:
    std::shared_ptr<RowFeed> m_rows;
    QList<std::shared_ptr<RowFeed>> m_children; // one a parent row
    QString m_member;
    Status m_status;
    bool m_unreadable = false;
};

} // namespace parlog::report
