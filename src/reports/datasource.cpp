#include "reports/datasource.h"

#include "data/queries.h"

namespace parlog::report {

namespace {

class HeldRows : public RowFeed {
public:
    explicit HeldRows(const Rows& rows)
        : m_rows(rows)
    {
    }
    QStringList columns() const override { return m_rows.columns; }
    bool hasRow(int row) override { return row >= 0 && row < m_rows.rows.size(); }
    QVariant value(int row, const QString& name) override
    {
        if (!hasRow(row))
            return {};
        for (qsizetype c = 0; c < m_rows.columns.size(); ++c)
            if (m_rows.columns[c].compare(name, Qt::CaseInsensitive) == 0)
                return m_rows.rows[row].value(c);
        return {};
    }
    int count() override { return int(m_rows.rows.size()); }
    QString error() const override { return {}; }
    bool held() const override { return true; }

private:
    const Rows m_rows;
};

} // namespace

std::shared_ptr<RowFeed> heldRows(const Rows& rows)
{
    return std::make_shared<HeldRows>(rows);
}

DataSource DataSource::of(const Rows& rows)
{
    return fed(heldRows(rows));
}

DataSource DataSource::of(const Result<Rows>& rows)
{
    return rows ? of(*rows) : unreadableBecause(rows.error());
}

DataSource DataSource::fed(std::shared_ptr<RowFeed> rows)
{
    DataSource d;
    d.m_rows = std::move(rows);
    return d;
}

DataSource DataSource::grouped(const Rows& parents, QList<std::shared_ptr<RowFeed>> children,
                               const QString& member)
{
    DataSource d = of(parents);
    d.m_children = std::move(children);
    d.m_member = member;
    return d;
}

DataSource DataSource::grouped(const Rows& parents, const QList<Rows>& children,
                               const QString& member)
{
    QList<std::shared_ptr<RowFeed>> feeds;
    for (const Rows& rows : children)
        feeds << heldRows(rows);
    return grouped(parents, feeds, member);
}

DataSource DataSource::failure(const QString& error)
{
    DataSource d;
    d.m_status = Failure{error};
    return d;
}

DataSource DataSource::unreadableBecause(const QString& error)
{
    DataSource d = failure(error);
    d.m_unreadable = true;
    return d;
}

bool DataSource::lazy() const
{
    if (m_rows && !m_rows->held())
        return true;
    for (const auto& child : m_children)
        if (child && !child->held())
            return true;
    return false;
}

QStringList DataSource::columns() const
{
    return m_rows ? m_rows->columns() : QStringList();
}

bool DataSource::hasRow(int row) const
{
    return row >= 0 && m_rows && m_rows->hasRow(row);
}

QVariant DataSource::value(int row, const QString& column) const
{
    return m_rows ? m_rows->value(row, column) : QVariant();
}

bool DataSource::hasChild(int parent, int child) const
{
    if (parent < 0 || child < 0 || parent >= m_children.size() || !m_children[parent])
        return false;
    return m_children[parent]->hasRow(child);
}

QVariant DataSource::childValue(int parent, int child, const QString& column) const
{
    if (parent < 0 || parent >= m_children.size() || !m_children[parent])
        return {};
    return m_children[parent]->value(child, column);
}

int DataSource::rowCount() const
{
    return m_rows ? m_rows->count() : 0;
}

int DataSource::childCount(int parent) const
{
    if (parent < 0 || parent >= m_children.size() || !m_children[parent])
        return 0;
    return m_children[parent]->count();
}

QString DataSource::readError() const
{
    if (m_rows && !m_rows->error().isEmpty())
        return m_rows->error();
    for (const auto& child : m_children)
        if (child && !child->error().isEmpty())
            return child->error();
    return {};
}

} // namespace parlog::report
