#include "reports/report.h"

#include "reports/layouts.h"

#include <QRegularExpression>

namespace parlog::report {

Report::Report(const QString& name, DataSource source, Parameters parameters)
    : Report(layoutFor(name), std::move(source), std::move(parameters))
{
}

Report::Report(Layout layout, DataSource source, Parameters parameters)
    : m_layout(std::move(layout))
    , m_parameters(std::move(parameters))
    , m_source(std::move(source))
{
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

} // namespace parlog::report
