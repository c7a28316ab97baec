#pragma once

#include "reports/datasource.h"
#include "reports/reportmodel.h"

namespace parlog::report {

// One of the ten report objects: its layout, what handlers set on it at run time
// (captions, a field's column, the data source), kept between uses.
class Report {
public:
    explicit Report(Layout layout);

    QString name() const { return m_layout.name; }
    QString caption() const { return m_layout.caption; }
    const Layout& layout() const { return m_layout; }

    // Sections("Section1").Controls("Label38").Caption = text
    bool setCaption(const QString& section, const QString& control, const QString& text);
    // Sections("Section6").Controls("Text1").DataField = column
    bool setDataField(const QString& section, const QString& control, const QString& column);
    QString captionOf(const QString& section, const QString& control) const;

    // The report keeps its own copy, so the window that produced the rows may go.
    void setDataSource(DataSource source);
    const DataSource& dataSource() const { return m_source; }

private:
    Layout m_layout;
    DataSource m_source;
};

} // namespace parlog::report
