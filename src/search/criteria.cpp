#include "search/criteria.h"

#include "data/conversions.h"
#include "data/schema.h"

#include <QSqlQuery>

namespace parlog {

namespace {

const QStringList kOrderColumns{QStringLiteral("net"),      QStringLiteral("strdate"),
                                QStringLiteral("division"), QStringLiteral("course"),
                                QStringLiteral("playerID"), QStringLiteral("hand")};
const QStringList kGroupColumns{QStringLiteral("division"), QStringLiteral("playerID"),
                                QStringLiteral("course"), QStringLiteral("comp")};

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

bool isOrderColumn(const QString& column)
{
    return kOrderColumns.contains(column);
}
bool isGroupColumn(const QString& column)
{
    return kGroupColumns.contains(column);
}

std::optional<Filter> filterFor(const Criteria& criteria, QString* problem)
{
    const auto from = toStoredDate(criteria.from);
    const auto to = toStoredDate(criteria.to);
    if (!from || !to) {
        if (problem)
            *problem = QStringLiteral("\"%1\" is not a date. Type the dates as in 23 Jun 04.")
                           .arg(!from ? criteria.from : criteria.to);
        return std::nullopt;
    }
    Filter filter;
    QStringList parts;
    if (criteria.player) {
        parts << QStringLiteral("playerID = ?");
        filter.values << *criteria.player;
    }
    if (criteria.course) {
        parts << QStringLiteral("course = ?");
        filter.values << *criteria.course;
    }
    if (criteria.competition) {
        parts << QStringLiteral("comp = ?");
        filter.values << *criteria.competition;
    }
    parts << QStringLiteral("strdate BETWEEN ? AND ?");
    filter.values << *from << *to;
    filter.where = parts.join(QStringLiteral(" AND "));
    return filter;
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

QStringList compactColumns()
{
    return {QStringLiteral("playerID"), QStringLiteral("hand"), QStringLiteral("division"),
            QStringLiteral("course"),   QStringLiteral("comp"), QStringLiteral("comment"),
            QStringLiteral("strdate"),  QStringLiteral("inn"),  QStringLiteral("out"),
            QStringLiteral("gross"),    QStringLiteral("net")};
}

std::optional<Rows> searchRounds(Connection& connection, const Filter& filter,
                                 const QString& orderColumn, const QStringList& columns)
{
    if (!isOrderColumn(orderColumn))
        return std::nullopt;
    const QStringList known = schema::columnNames(QStringLiteral("score"));
    for (const QString& c : columns)
        if (!known.contains(c))
            return std::nullopt;
    const QString list =
        columns.isEmpty() ? QStringLiteral("*") : columns.join(QStringLiteral(", "));
    return allRows(connection,
                   QStringLiteral("SELECT %1 FROM score WHERE %2 ORDER BY %3, rowid")
                       .arg(list, filter.where, orderColumn),
                   filter.values);
}

std::optional<report::DataSource> groupedSearch(Connection& connection, const Filter& filter,
                                                const QString& orderColumn,
                                                const QString& groupColumn,
                                                const QStringList& columns)
{
    if (!isGroupColumn(groupColumn))
        return std::nullopt;
    const auto groups =
        allRows(connection, QStringLiteral("SELECT DISTINCT %1 FROM score WHERE %1 IS NOT "
                                           "NULL ORDER BY %1")
                                .arg(groupColumn));
    if (!groups)
        return std::nullopt;
    QStringList wanted = columns;
    if (!wanted.isEmpty() && !wanted.contains(groupColumn))
        wanted << groupColumn;
    const auto rounds = searchRounds(connection, filter, orderColumn, wanted);
    if (!rounds)
        return std::nullopt;
    report::DataSource source;
    source.childMember = QStringLiteral("work");
    source.rows = report::RowSet(*groups);
    QHash<QString, int> index;
    for (int i = 0; i < groups->rows.size(); ++i) {
        index.insert(foldKey(groups->rows[i].value(0)), i);
        report::RowSet children;
        children.columns = rounds->columns;
        source.children << children;
    }
    const int column = int(rounds->columns.indexOf(groupColumn));
    for (const QVariantList& row : rounds->rows) {
        const auto it = index.constFind(foldKey(row.value(column)));
        if (it != index.constEnd())
            source.children[*it].rows << row;
    }
    return source;
}

std::optional<qint64> countRounds(Connection& connection, const Filter& filter)
{
    QSqlQuery q = connection.query();
    if (!connection.exec(q, QStringLiteral("SELECT count(*) FROM score WHERE %1").arg(filter.where),
                         filter.values) ||
        !q.next())
        return std::nullopt;
    return q.value(0).toLongLong();
}

bool deleteRounds(Connection& connection, const Filter& filter, int* deleted)
{
    QSqlQuery q = connection.query();
    const bool ok = connection.exec(
        q, QStringLiteral("DELETE FROM score WHERE %1").arg(filter.where), filter.values);
    if (deleted)
        *deleted = ok ? q.numRowsAffected() : 0;
    return ok;
}

std::optional<CriteriaLists> criteriaLists(Connection& connection)
{
    const auto list = [&](const QString& column) {
        return columnTexts(connection,
                           QStringLiteral("SELECT DISTINCT %1 FROM score WHERE %1 IS NOT NULL "
                                          "ORDER BY %1")
                               .arg(column),
                           column);
    };
    const auto courses = list(QStringLiteral("course"));
    const auto players = list(QStringLiteral("playerID"));
    const auto comps = list(QStringLiteral("comp"));
    if (!courses || !players || !comps)
        return std::nullopt;
    return CriteriaLists{*players, *courses, *comps};
}

} // namespace parlog
