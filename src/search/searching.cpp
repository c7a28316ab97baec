#include "search/searching.h"

#include "data/registerinuse.h"

namespace parlog {

Result<CriteriaLists> Searching::lists()
{
    return m_where.use([](Connection& c) { return criteriaLists(c); });
}

Result<std::shared_ptr<RowFeed>> Searching::feed(const rounds::Filter& filter,
                                                 const QString& order, const QStringList& columns)
{
    return m_where.use([&](Connection& c) { return rounds::feed(c, filter, order, columns); });
}

Result<report::DataSource> Searching::grouped(const rounds::Filter& filter, const QString& order,
                                              const QString& group, const QStringList& columns)
{
    return m_where.use(
        [&](Connection& c) { return groupedSearch(c, filter, order, group, columns); });
}

Result<RoundsToDelete> Searching::toDelete(const rounds::Filter& filter)
{
    return m_where.use([&](Connection& c) { return roundsToDelete(c, filter); });
}

Result<Deletion> Searching::remove(const RoundsToDelete& rounds, Progress* progress)
{
    return m_where.use([&](Connection& c) { return deleteRounds(c, rounds, progress); });
}

} // namespace parlog
