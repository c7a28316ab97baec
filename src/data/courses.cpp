#include "data/courses.h"

#include "data/registers.h"

namespace parlog::courses {

Result<QStringList> names(Connection& connection)
{
    return registers::names(connection, registers::courses());
}

Result<Record> rowNamed(Connection& connection, const QString& name)
{
    return registers::rowNamed(connection, registers::courses(), name);
}

Result<QHash<QString, std::array<double, 18>>> pars(Connection& connection)
{
    QStringList columns{QStringLiteral("coursename")};
    for (int h = 1; h <= 18; ++h)
        columns << QStringLiteral("hole%1").arg(h);
    const auto rows = sql::rows(connection, QStringLiteral("SELECT %1 FROM courses ORDER BY ID")
                                                .arg(columns.join(QStringLiteral(", "))));
    if (!rows)
        return Failure{rows.error()};
    QHash<QString, std::array<double, 18>> pars;
    for (const QVariantList& row : rows->rows) {
        std::array<double, 18> holes{};
        bool whole = true;
        for (int h = 0; h < 18 && whole; ++h) {
            holes[h] = row.value(h + 1).toDouble();
            whole = !row.value(h + 1).isNull() && holes[h] > 0;
        }
        // Of two courses of one name, the first stored; one without every par has none.
        const QString name = row.value(0).toString().toLower();
        if (whole && !pars.contains(name))
            pars.insert(name, holes);
    }
    return pars;
}

} // namespace parlog::courses
