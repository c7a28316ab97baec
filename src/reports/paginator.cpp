#include "reports/paginator.h"

#include "golf/rules.h"

#include <cmath>

#include "data/conversions.h"

#include <QRegularExpression>

namespace parlog::report {

namespace {
constexpr int kNothingHeight = 400;
} // namespace

QString nothingToShow()
{
    return QStringLiteral("There is nothing to show.");
}

QString formatValue(const QVariant& value, Format format)
{
    switch (format) {
    case Format::YesNo: {
        if (value.isNull() || !value.isValid())
            return {};
        bool numeric = false;
        const double n = value.toString().toDouble(&numeric);
        if (numeric)
            return n != 0 ? QStringLiteral("x") : QString();
        return value.toBool() ? QStringLiteral("x") : QString();
    }
    case Format::DottedShort:
        return formatStoredDate(value, DateFormat::DottedShort);
    case Format::DottedLong:
        return formatStoredDate(value, DateFormat::DottedLong);
    case Format::Whole:
    case Format::Index: {
        bool numeric = false;
        const double n = value.toDouble(&numeric);
        if (value.isNull() || !numeric)
            return {};
        if (format == Format::Whole)
            return QString::number(golf::roundToWhole(n));
        const QString tenth = QString::number(std::fabs(golf::roundHalfUp(n, 1)), 'f', 1);
        return n < 0 ? QLatin1Char('+') + tenth : tenth;
    }
    case Format::Counted:
        if (value.toString().toDouble() == 0)
            return {};
        break;
    case Format::General:
        break;
    }
    static const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}$)"));
    if (value.metaType().id() == QMetaType::QString && iso.match(value.toString()).hasMatch())
        return formatStoredDate(value, DateFormat::Short);
    return valueText(value);
}

PageSetup PageSetup::of(const Layout& layout)
{
    PageSetup setup;
    if (layout.landscape) {
        std::swap(setup.width, setup.height);
        setup.landscape = true;
    }
    return setup;
}

Paginator::Paginator(Layout layout, DataSource data, QDate runDate, std::optional<PageSetup> setup)
    : m_layout(std::move(layout))
    , m_data(std::move(data))
    , m_runDate(runDate)
    , m_setup(setup.value_or(PageSetup::of(m_layout)))
{
}

const Band* Paginator::bandOf(StepKind kind) const
{
    switch (kind) {
    case StepKind::ReportHeader:
        return m_layout.band(BandKind::ReportHeader);
    case StepKind::GroupHeader:
        return m_layout.band(BandKind::GroupHeader);
    case StepKind::Detail:
        return m_layout.band(BandKind::Detail);
    case StepKind::GroupFooter:
        return m_layout.band(BandKind::GroupFooter);
    case StepKind::ReportFooter:
        return m_layout.band(BandKind::ReportFooter);
    case StepKind::Nothing:
        break;
    }
    return nullptr;
}

int Paginator::heightOf(const Step& step) const
{
    if (step.kind == StepKind::Nothing)
        return kNothingHeight;
    const Band* band = bandOf(step.kind);
    return band ? band->height : 0;
}

// The bands in print order: report header; then for a plain source a detail per row,
// or for a grouped source a group header, a detail per child row and a group footer
// per parent row; a line saying there is nothing when there are no rows; the footer.
bool Paginator::nextStep(Step& step)
{
    switch (m_phase) {
    case Phase::ReportHeader:
        m_phase = Phase::Body;
        step = {StepKind::ReportHeader};
        return true;
    case Phase::Body:
        if (m_data.empty()) {
            m_phase = Phase::ReportFooter;
            step = {StepKind::Nothing};
            return true;
        }
        if (!m_data.hasRow(m_parent)) {
            m_phase = Phase::ReportFooter;
            return nextStep(step);
        }
        if (!m_data.grouped()) {
            step = {StepKind::Detail, m_parent, -1};
            ++m_parent;
            return true;
        }
        if (!m_groupOpen) {
            m_groupOpen = true;
            m_child = 0;
            step = {StepKind::GroupHeader, m_parent, -1};
            return true;
        }
        {
            if (m_data.hasChild(m_parent, m_child)) {
                step = {StepKind::Detail, m_parent, m_child};
                ++m_child;
                return true;
            }
        }
        m_groupOpen = false;
        step = {StepKind::GroupFooter, m_parent, -1};
        ++m_parent;
        return true;
    case Phase::ReportFooter:
        m_phase = Phase::Done;
        step = {StepKind::ReportFooter};
        return true;
    case Phase::Done:
        break;
    }
    return false;
}

bool Paginator::planNextPage()
{
    if (m_planDone)
        return false;
    const Band* pageHeader = m_layout.band(BandKind::PageHeader);
    const Band* pageFooter = m_layout.band(BandKind::PageFooter);
    const int headerHeight = pageHeader ? pageHeader->height : 0;
    const int bottom = m_setup.height - (pageFooter ? pageFooter->height : 0);
    PagePlan plan;
    int y = 0;
    Step step{StepKind::Detail};
    const auto fetch = [&]() {
        if (m_pendingValid) {
            step = m_pending;
            m_pendingValid = false;
            return true;
        }
        return nextStep(step);
    };
    if (m_plan.isEmpty()) {
        // The report header opens the first page, above the page header.
        if (fetch()) {
            plan.placed.append({step, 0});
            y = heightOf(step);
        }
    } else if (!fetch()) {
        m_planDone = true;
        return false;
    } else {
        m_pendingValid = true;
        m_pending = step;
    }
    plan.pageHeaderTop = y;
    y += headerHeight;
    int body = 0;
    while (fetch()) {
        const int h = heightOf(step);
        // A group header keeps its first line with it rather than end a page alone.
        int need = h;
        if (step.kind == StepKind::GroupHeader && m_data.hasChild(step.parent, 0))
            need += heightOf({StepKind::Detail, step.parent, 0});
        // A band that does not fit opens the next page, unless the page is still
        // empty (a band taller than a page is printed as far as it goes).
        if (body > 0 && h > 0 && y + need > bottom) {
            m_pending = step;
            m_pendingValid = true;
            break;
        }
        plan.placed.append({step, y});
        y += h;
        ++body;
    }
    if (!m_pendingValid)
        m_planDone = true;
    m_plan.append(plan);
    return true;
}

int Paginator::pageCount()
{
    while (planNextPage()) {
    }
    return int(m_plan.size());
}

void Paginator::addBand(Page& page, const Band& band, int top, int parent, int child) const
{
    for (const Item& item : band.items) {
        DrawCommand c;
        c.rect = item.rect.translated(0, top);
        c.item = item.name;
        c.band = band.name;
        c.font = item.font;
        c.align = item.align;
        switch (item.kind) {
        case Item::Kind::Line:
            c.kind = DrawCommand::Kind::Line;
            break;
        case Item::Kind::Picture:
            c.kind = DrawCommand::Kind::Picture;
            c.picture = item.picture;
            break;
        case Item::Kind::Label:
            c.kind = DrawCommand::Kind::Text;
            c.caption = !item.filled;
            c.text = item.caption == u"%D" ? formatDate(m_runDate, DateFormat::Long) : item.caption;
            break;
        case Item::Kind::Field: {
            c.kind = DrawCommand::Kind::Text;
            QVariant value;
            if (!item.dataMember.isEmpty() && m_data.grouped()) {
                if (child >= 0)
                    value = m_data.childValue(parent, child, item.dataField);
            } else if (parent >= 0) {
                value = m_data.value(parent, item.dataField);
            }
            c.text = formatValue(value, item.format);
            break;
        }
        }
        if (c.kind == DrawCommand::Kind::Text && c.text.isEmpty())
            continue;
        page.commands.append(c);
    }
}

const Page& Paginator::page(int index)
{
    if (const auto built = m_built.find(index); built != m_built.end())
        return built->second;
    Page made = build(index);
    static const Page none;
    if (made.number == 0)
        return none;
    return m_built.emplace(index, std::move(made)).first->second;
}

Page Paginator::build(int index)
{
    while (index >= m_plan.size() && planNextPage()) {
    }
    if (index < 0 || index >= m_plan.size())
        return {};
    if (const auto built = m_built.find(index); built != m_built.end())
        return built->second;

    Page page;
    page.number = index + 1;
    const PagePlan& plan = m_plan[index];
    const Band* pageHeader = m_layout.band(BandKind::PageHeader);
    const Band* pageFooter = m_layout.band(BandKind::PageFooter);
    if (pageHeader)
        addBand(page, *pageHeader, plan.pageHeaderTop, -1, -1);
    for (const Placed& p : plan.placed) {
        if (p.step.kind == StepKind::Nothing) {
            DrawCommand c;
            c.rect = QRect(0, p.top + 57, m_layout.width, 285);
            c.text = nothingToShow();
            c.font = font(9.75, false, true);
            c.align = Align::Center;
            c.item = QStringLiteral("Nothing");
            page.commands.append(c);
            continue;
        }
        if (const Band* band = bandOf(p.step.kind))
            addBand(page, *band, p.top, p.step.parent, p.step.child);
    }
    if (pageFooter)
        addBand(page, *pageFooter, m_setup.height - pageFooter->height, -1, -1);
    return page;
}

} // namespace parlog::report
