#include "reports/datasource.h"

#include "data/queries.h"

namespace parlog::report {

RowSet::RowSet(const Rows& r)
    : columns(r.columns)
    , rows(r.rows)
{
}

int RowSet::column(const QString& name) const
{
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant RowSet::value(int row, const QString& name) const
{
    const int c = column(name);
    if (c < 0 || row < 0 || row >= rows.size() || c >= rows[row].size())
        return {};
    return rows[row][c];
}

bool DataSource::hasRow(int row) const
{
    if (row < 0)
        return false;
    return feed ? feed->hasRow(row) : row < rows.size();
}

QVariant DataSource::value(int row, const QString& column) const
{
    return feed ? feed->value(row, column) : rows.value(row, column);
}

bool DataSource::hasChild(int parent, int child) const
{
    if (parent < 0 || child < 0)
        return false;
    if (parent < childFeeds.size())
        return childFeeds[parent] && childFeeds[parent]->hasRow(child);
    return parent < children.size() && child < children[parent].size();
}

QVariant DataSource::childValue(int parent, int child, const QString& column) const
{
    if (parent >= 0 && parent < childFeeds.size())
        return childFeeds[parent] ? childFeeds[parent]->value(child, column) : QVariant();
    return parent >= 0 && parent < children.size() ? children[parent].value(child, column)
                                                   : QVariant();
}

int DataSource::rowCount() const
{
    return feed ? feed->count() : rows.size();
}

int DataSource::childCount(int parent) const
{
    if (parent >= 0 && parent < childFeeds.size())
        return childFeeds[parent] ? childFeeds[parent]->count() : 0;
    return parent >= 0 && parent < children.size() ? children[parent].size() : 0;
}

QString DataSource::readError() const
{
    if (feed && !feed->error().isEmpty())
        return feed->error();
    for (const auto& child : childFeeds)
        if (child && !child->error().isEmpty())
            return child->error();
    return {};
}

DataSource DataSource::failure(const QString& error)
{
    DataSource d;
    d.failed = true;
    d.error = error;
    return d;
}

DataSource DataSource::unreadableBecause(const QString& error)
{
    DataSource d = failure(error);
    d.unreadable = true;
    return d;
}

DataSource DataSource::of(const Result<Rows>& rows)
{
    return rows ? of(*rows) : unreadableBecause(rows.error());
}

DataSource DataSource::of(const Rows& rows)
{
    DataSource d;
    d.rows = RowSet(rows);
    return d;
}

} // namespace parlog::report
