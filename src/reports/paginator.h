#pragma once

#include "reports/datasource.h"
#include "reports/reportmodel.h"

#include <QDate>
#include <map>
#include <optional>

namespace parlog::report {

// A4 with half-inch margins, in twips: the paper, and the printable area the pages
// are laid out on.
struct PageSetup {
    static constexpr int kPaperWidth = 11906;
    static constexpr int kPaperHeight = 16838;
    static constexpr int kMargin = 720;
    int width = kPaperWidth - 2 * kMargin;
    int height = kPaperHeight - 2 * kMargin;
    bool landscape = false;
    // The paper a layout is printed on: A4 upright, or across for a landscape layout.
    static PageSetup of(const Layout& layout);
};

struct DrawCommand {
    enum class Kind { Text, Line, Picture };
    Kind kind = Kind::Text;
    QRect rect; // twips, from the top left of the printable area
    QString text;
    FontSpec font;
    Align align = Align::Left;
    QString picture;
    QString item; // the layout item that made it
    QString band;
    bool caption = false; // a label's text, as opposed to a value from the data
};

struct Page {
    int number = 0; // from 1
    QList<DrawCommand> commands;
};

// What a report says when it has no rows to print.
QString nothingToShow();

// The text a field prints for a value in a format.
QString formatValue(const QVariant& value, Format format);

// Turns a layout and its data into pages of drawing commands. Pages are planned only
// as far as they are asked for, and a page's commands are built when it is first
// read, so the first page of a long report comes at once.
class Paginator {
public:
    // The page is the layout's own (PageSetup::of) unless one is given.
    Paginator(Layout layout, DataSource data, QDate runDate,
              std::optional<PageSetup> setup = std::nullopt);

    int pageCount();             // plans to the end (cheap: heights only)
    const Page& page(int index); // 0-based; builds the page's commands once
    // The same page, built afresh and not kept: for printing every page of a long
    // report in the memory of one.
    Page build(int index);
    int pagesPlanned() const { return int(m_plan.size()); }
    // Plans one page more; false when every page is planned. Lets a window count the
    // pages of a long report a slice at a time.
    bool planAhead() { return planNextPage(); }
    bool planComplete() const { return m_planDone; }
    const PageSetup& setup() const { return m_setup; }
    int pagesBuilt() const { return int(m_built.size()); }
    const Layout& layout() const { return m_layout; }
    // Why the rows stopped early, when they did: the pages are then not whole.
    QString readError() const { return m_data.readError(); }

private:
    enum class StepKind { ReportHeader, GroupHeader, Detail, GroupFooter, Nothing, ReportFooter };
    struct Step {
        StepKind kind;
        int parent = -1;
        int child = -1;
    };
    struct Placed {
        Step step;
        int top;
    };
    struct PagePlan {
        int pageHeaderTop = 0;
        QList<Placed> placed;
    };

    bool nextStep(Step& step);
    int heightOf(const Step& step) const;
    const Band* bandOf(StepKind kind) const;
    bool planNextPage();
    void addBand(Page& page, const Band& band, int top, int parent, int child) const;

    Layout m_layout;
    DataSource m_data;
    QDate m_runDate;
    PageSetup m_setup;

    // Where the walk through the bands stands.
    enum class Phase { ReportHeader, Body, ReportFooter, Done };
    Phase m_phase = Phase::ReportHeader;
    int m_parent = 0;
    int m_child = -1; // -1: the group header is next
    bool m_groupOpen = false;
    bool m_pendingValid = false;
    Step m_pending{StepKind::ReportHeader};
    bool m_planDone = false;

    QList<PagePlan> m_plan;
    // Node-based, so that a page handed out stays where it is as others are built.
    std::map<int, Page> m_built;
};

} // namespace parlog::report
