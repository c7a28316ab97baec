#include "search/criteria.h"

#include "data/conversions.h"

#include <QHash>

namespace parlog {

namespace {

// SQLite folds only ASCII letters when it compares without case; do the same.
QString foldKey(const QVariant& value)
{
    QString text = value.toString();
    for (QChar& c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return text;
}

} // namespace

Result<rounds::Filter> filterFor(const Criteria& criteria)
{
    const auto from = toStoredDate(criteria.from);
    const auto to = toStoredDate(criteria.to);
    if (!from || !to)
        return Failure{QStringLiteral("\"%1\" is not a date. Type the dates as in 23 Jun 04.")
                           .arg(!from ? criteria.from : criteria.to)};
    return rounds::Filter{criteria.player, criteria.course, criteria.competition, *from, *to};
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
    QStringList wanted = columns;
    if (!wanted.isEmpty() && !wanted.contains(groupColumn))
        wanted << groupColumn;
    const auto found = rounds::search(connection, filter, orderColumn, wanted);
    if (!found)
        return Failure{found.error()};
    report::DataSource source;
    source.childMember = QStringLiteral("work");
    source.rows.columns = QStringList{groupColumn};
    QHash<QString, int> index;
    for (const QString& group : *groups) {
        index.insert(foldKey(group), int(source.rows.rows.size()));
        source.rows.rows << QVariantList{group};
        report::RowSet children;
        children.columns = found->columns;
        source.children << children;
    }
    const int column = int(found->columns.indexOf(groupColumn));
    for (const QVariantList& row : found->rows) {
        const auto it = index.constFind(foldKey(row.value(column)));
        if (it != index.constEnd())
            source.children[*it].rows << row;
    }
    return source;
}

Result<CriteriaLists> criteriaLists(Connection& connection)
{
    const auto courses = rounds::values(connection, QStringLiteral("course"));
    const auto players = rounds::values(connection, QStringLiteral("playerID"));
    const auto comps = rounds::values(connection, QStringLiteral("comp"));
    for (const auto* list : {&courses, &players, &comps})
        if (!*list)
            return Failure{list->error()};
    return CriteriaLists{*players, *courses, *comps};
}

} // namespace parlog
