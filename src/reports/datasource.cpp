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

DataSource DataSource::failure(const QString& error)
{
    DataSource d;
    d.failed = true;
    d.error = error;
    return d;
}

DataSource DataSource::of(const Result<Rows>& rows)
{
    return rows ? of(*rows) : failure(rows.error());
}

DataSource DataSource::of(const Rows& rows)
{
    DataSource d;
    d.rows = RowSet(rows);
    return d;
}

} // namespace parlog::report
