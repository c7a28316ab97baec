#pragma once

#include <QStringList>
#include <QVariant>

namespace parlog {

// Rows read one at a time, fetched as they are asked for: a report of a whole
// register holds the rows' keys and the rows of the page it prints, not every row.
class RowFeed {
public:
    virtual ~RowFeed() = default;
    virtual QStringList columns() const = 0;
    // Whether there is a row at that index (from 0); fetches what it needs to know.
    virtual bool hasRow(int row) = 0;
    // The row's value of a column, matched ignoring case; empty past the last row.
    virtual QVariant value(int row, const QString& column) = 0;
    // Every row: fetches all keys.
    virtual int count() = 0;
    // Why the rows stopped early (a damaged page, a server gone); empty while every
    // row read so far was read whole. After an error the feed has no more rows.
    virtual QString error() const = 0;
    // Whether every row is in memory already, so that counting them costs nothing.
    virtual bool held() const { return false; }
};

} // namespace parlog
