#include "reports/report.h"

#include <QRegularExpression>

namespace parlog::report {

Report::Report(Layout layout)
    : m_layout(std::move(layout))
{
}

void Report::setParameter(const QString& name, const QString& value)
{
    m_parameters.insert(name, value);
}

Layout Report::layout() const
{
    static const QRegularExpression parameter(QStringLiteral(R"(\{(\w+)\})"));
    const auto fill = [this](QString text) {
        QString filled;
        qsizetype at = 0;
        for (auto it = parameter.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            filled += text.mid(at, m.capturedStart() - at) + m_parameters.value(m.captured(1));
            at = m.capturedEnd();
        }
        return filled + text.mid(at);
    };
    Layout resolved = m_layout;
    resolved.caption = fill(resolved.caption);
    for (Band& band : resolved.bands) {
        for (Item& item : band.items) {
            if (item.kind == Item::Kind::Label && item.caption.contains(parameter)) {
                item.caption = fill(item.caption);
                item.filled = true;
            } else if (item.kind == Item::Kind::Field) {
                item.dataField = fill(item.dataField);
            } else if (item.kind == Item::Kind::Picture) {
                item.picture = fill(item.picture);
            }
        }
    }
    return resolved;
}

void Report::setDataSource(DataSource source)
{
    m_source = std::move(source);
}

} // namespace parlog::report
