#include "masterdata/coursepar.h"

#include "data/conversions.h"

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

Status readPars(const std::array<QString, 18>& pars, const QString& total, Course& into)
{
    const auto refuse = [](const QString& box, const QString& text) {
        return Failure{
            QStringLiteral("the %1 is %2")
                .arg(box, text.trimmed().isEmpty()
                              ? QStringLiteral("empty")
                              : QStringLiteral("\"%1\", which is not a number").arg(text))};
    };
    for (int h = 0; h < 18; ++h) {
        const auto par = toNumber(pars[h]);
        if (!par)
            return refuse(QStringLiteral("par of hole %1").arg(h + 1), pars[h]);
        into.pars[h] = *par;
    }
    const auto par = toNumber(total);
    if (!par)
        return refuse(QStringLiteral("Course Par"), total);
    into.par = *par;
    return {};
}

} // namespace parlog
