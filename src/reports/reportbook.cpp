#include "reports/reportbook.h"

#include "reports/layouts.h"

namespace parlog::report {

Report& ReportBook::get(const QString& name)
{
    auto it = m_reports.find(name);
    if (it == m_reports.end())
        it = m_reports.insert(name, std::make_shared<Report>(layoutFor(name)));
    return **it;
}

} // namespace parlog::report
