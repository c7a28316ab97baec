#include "reports/report.h"

namespace parlog::report {

Report::Report(Layout layout)
    : m_layout(std::move(layout))
{
}

bool Report::setCaption(const QString& section, const QString& control, const QString& text)
{
    Item* item = m_layout.item(section, control);
    if (!item || item->kind != Item::Kind::Label)
        return false;
    item->caption = text;
    return true;
}

bool Report::setDataField(const QString& section, const QString& control, const QString& column)
{
    Item* item = m_layout.item(section, control);
    if (!item || item->kind != Item::Kind::Field)
        return false;
    item->dataField = column;
    return true;
}

QString Report::captionOf(const QString& section, const QString& control) const
{
    const Item* item = m_layout.item(section, control);
    return item ? item->caption : QString();
}

void Report::setDataSource(DataSource source)
{
    m_source = std::move(source);
}

} // namespace parlog::report
