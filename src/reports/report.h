#pragma once

#include "reports/datasource.h"
#include "reports/reportmodel.h"

#include <QHash>

namespace parlog::report {

// One of the report objects: its layout, what handlers set on it at run time (its
// parameters, the data source), kept between uses.
class Report {
public:
    explicit Report(Layout layout);

    QString name() const { return m_layout.name; }
    QString caption() const { return layout().caption; }
    // The layout with the parameters filled in.
    Layout layout() const;

    // A label whose caption holds "{name}" prints the value there; a field whose
    // column is "{name}" reads the column the value names. Unset parameters are empty.
    void setParameter(const QString& name, const QString& value);
    QString parameter(const QString& name) const { return m_parameters.value(name); }

    // The report keeps its own copy, so the window that produced the rows may go.
    void setDataSource(DataSource source);
    const DataSource& dataSource() const { return m_source; }

private:
    Layout m_layout;
    QHash<QString, QString> m_parameters;
    DataSource m_source;
};

} // namespace parlog::report
