#include "masterdata/registers.h"

#include "data/conversions.h"
#include "data/queries.h"

#include <QSqlQuery>

#include <limits>

namespace parlog {

std::optional<std::int32_t> coursePar(const std::array<QString, 18>& pars)
{
    std::int64_t total = 0;
    for (const QString& text : pars) {
        const auto par = toInt32(text);
        if (!par)
            return std::nullopt;
        total += *par;
        if (total < std::numeric_limits<std::int32_t>::min() ||
            total > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::int32_t>(total);
}

std::optional<QVariantList> parValues(const std::array<QString, 18>& pars, const QString& total,
                                      QString* problem)
{
    QVariantList values;
    for (int h = 0; h < 18; ++h) {
        const auto par = toNumber(pars[h]);
        if (!par) {
            if (problem)
                *problem =
                    QStringLiteral("the par of hole %1 is %2")
                        .arg(h + 1)
                        .arg(pars[h].trimmed().isEmpty()
                                 ? QStringLiteral("empty")
                                 : QStringLiteral("\"%1\", which is not a number").arg(pars[h]));
            return std::nullopt;
        }
        values << *par;
    }
    const auto par = toNumber(total);
    if (!par) {
        if (problem)
            *problem = QStringLiteral("the Course Par is %1")
                           .arg(total.trimmed().isEmpty()
                                    ? QStringLiteral("empty")
                                    : QStringLiteral("\"%1\", which is not a number").arg(total));
        return std::nullopt;
    }
    values << *par;
    return values;
}

bool addDivision(Connection& connection, const QString& name)
{
    QSqlQuery q = connection.query();
    return connection.exec(q, QStringLiteral("INSERT INTO division(type) VALUES (?)"), {name});
}

bool removeDivision(Connection& connection, const QString& name)
{
    QSqlQuery q = connection.query();
    return connection.exec(q, QStringLiteral("DELETE FROM division WHERE type = ?"), {name});
}

std::optional<QStringList> divisionNames(Connection& connection)
{
    return columnTexts(connection,
                       QStringLiteral("SELECT DISTINCT type FROM division ORDER BY type"),
                       QStringLiteral("type"));
}

} // namespace parlog
