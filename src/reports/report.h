#pragma once

#include "reports/datasource.h"
#include "reports/reportmodel.h"

#include <QHash>

namespace parlog::report {

// One report as it is to be shown, printed or saved: its layout, the rows it prints and
// the values of its parameters, all given when it is made and never changed after.
class Report {
public:
    using Parameters = QHash<QString, QString>;

    // A label whose caption holds "{name}" prints the parameter's value there; a field
    // whose column is "{name}" reads the column the value names. Unset parameters are
    // empty.
    explicit Report(const QString& name, DataSource source = {}, Parameters parameters = {});
    // A layout of its own, not one of the program's reports.
    explicit Report(Layout layout, DataSource source = {}, Parameters parameters = {});

    QString name() const { return m_layout.name; }
    QString caption() const { return layout().caption; }
    // The layout with the parameters filled in.
    Layout layout() const;
    QString parameter(const QString& name) const { return m_parameters.value(name); }
    const DataSource& dataSource() const { return m_source; }

private:
    Layout m_layout;
    Parameters m_parameters;
    DataSource m_source;
};

} // namespace parlog::report
