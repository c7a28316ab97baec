#include "search/criteria.h"

#include "data/conversions.h"

namespace parlog {

Result<DateRange> storedRange(const QString& from, const QString& to, const QString& example)
{
    const auto first = toStoredDate(from);
    const auto last = toStoredDate(to);
    if (!first || !last)
        return Failure{QStringLiteral("\"%1\" is not a date. Type the dates as in %2.")
                           .arg(!first ? from : to, example)};
    return DateRange{*first, *last};
}

Result<rounds::Filter> filterFor(const Criteria& criteria)
{
    const auto range = storedRange(criteria.from, criteria.to);
    if (!range)
        return Failure{range.error()};
    return rounds::Filter{criteria.player, criteria.course, criteria.competition, range->from,
                          range->to};
}

QString describeCriteria(const Criteria& criteria)
{
    const auto date = [](const QString& text) {
        const auto d = toDate(text);
        return d ? formatDate(*d, DateFormat::Medium) : text.trimmed();
    };
    QStringList parts{criteria.player.value_or(kAllPlayers), criteria.course.value_or(kAllCourses)};
    if (criteria.competition)
        parts << *criteria.competition;
    parts << date(criteria.from) + QStringLiteral(" \u2013 ") + date(criteria.to);
    return parts.join(QStringLiteral(", "));
}

Result<report::DataSource> groupedSearch(Connection& connection, const rounds::Filter& filter,
                                         const QString& orderColumn, const QString& groupColumn,
                                         const QStringList& columns)
{
    if (!rounds::isGroupColumn(groupColumn))
        return Failure{QStringLiteral("The rounds cannot be grouped by \"%1\".").arg(groupColumn)};
    const auto groups = rounds::values(connection, groupColumn);
    if (!groups)
        return Failure{groups.error()};
    // Each group reads its rounds when the report reaches it.
    auto feeds = rounds::groupFeeds(connection, filter, orderColumn, columns, groupColumn, *groups);
    if (!feeds)
        return Failure{feeds.error()};
    Rows parents{{groupColumn}, {}};
    for (const QString& group : *groups)
        parents.rows << QVariantList{group};
    return report::DataSource::grouped(parents, *feeds, QStringLiteral("work"));
}

Result<CriteriaLists> criteriaLists(Connection& connection)
{
    const auto courses = rounds::coursesNamed(connection);
    const auto players = rounds::playersNamed(connection);
    const auto comps = rounds::competitionsNamed(connection);
    for (const auto* list : {&courses, &players, &comps})
        if (!*list)
            return Failure{list->error()};
    return CriteriaLists{*players, *courses, *comps};
}

} // namespace parlog
