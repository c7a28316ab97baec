#pragma once

#include "reports/report.h"

#include <QHash>

#include <memory>

namespace parlog::report {

// The report objects: each made on first use from its layout and kept, so a
// later use finds what was set on it before.
class ReportBook {
public:
    Report& get(const QString& name);

private:
    QHash<QString, std::shared_ptr<Report>> m_reports;
};

} // namespace parlog::report
