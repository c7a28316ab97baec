#include "search/quicksearch.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "reports/layouts.h"
#include "reports/report.h"
#include "search/searching.h"
#include "base/reportwindow.h"
#include "ui/forms.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace parlog {

using namespace forms;

namespace {

// C_score answers only the release of a mouse button, after the click has changed
// its tick; the keyboard changes it without a word.
class MouseUpTick : public QCheckBox {
public:
    std::function<void()> mouseUp;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QCheckBox::mouseReleaseEvent(event);
        if (mouseUp)
            mouseUp();
    }
};

const QString kNoGrouping = QStringLiteral("none");
const QString kPleaseTryAgain = QStringLiteral("Please try a different search criteria");

} // namespace

QuickSearch::QuickSearch(Application& app)
    : Window(app, windows::kQuickSearch, QStringLiteral("Quicksearch"))
{
    m_criteria = std::make_unique<CriteriaPanel>(this, QStringLiteral("Open"));
    QPushButton* open = m_criteria->action;
    QPushButton* close = m_criteria->close;
    connect(open, &QPushButton::clicked, this, &QuickSearch::search);
    setDefaultButton(open);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // The rounds the search finds, to pick one and correct it.
    auto* edit = button(this, QStringLiteral("editRound"), QStringLiteral("Edit a Round..."));
    m_criteria->buttons->addWidget(edit);
    connect(edit, &QPushButton::clicked, this, [this] {
        const Criteria c = m_criteria->criteria();
        this->app().show(windows::kPickRound,
                         PickRoundContext{c.player, c.course, c.competition, c.from, c.to});
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_criteria->layout());

    // A framed row of captions, each with its tick box after it.
    const auto tickRow = [&](const char* frameName, const char* titleName, const char* title) {
        auto* box = new QFrame(this);
        box->setObjectName(QString::fromLatin1(frameName));
        box->setFrameShape(QFrame::Box);
        auto* inside = new QVBoxLayout(box);
        auto* heading = label(this, QString::fromLatin1(titleName), QString::fromLatin1(title));
        embolden(heading);
        inside->addWidget(heading);
        auto* ticks = new QHBoxLayout;
        inside->addLayout(ticks);
        layout->addWidget(box);
        return ticks;
    };
    struct Choice {
        const char* box;
        const char* label;
        const char* caption;
        QString column;
    };
    using rounds::columnOf;
    const Choice order[] = {
        {"C_score", "Label5", "Score", columnOf(rounds::Order::Net)},
        {"C_date", "Label8", "Date", columnOf(rounds::Order::Date)},
        {"C_division", "Label6", "Division", columnOf(rounds::Order::Division)},
        {"C_course", "Label7", "Course", columnOf(rounds::Order::Course)},
        {"C_player", "Label4", "Player", columnOf(rounds::Order::Player)},
        {"C_handicap", "Label10", "Handicap", columnOf(rounds::Order::Handicap)}};
    QHBoxLayout* orderRow = tickRow("Box23", "Label9", "List Results in order of");
    for (int k = 0; k < 6; ++k) {
        auto* l =
            label(this, QString::fromLatin1(order[k].label), QString::fromLatin1(order[k].caption));
        QCheckBox* box;
        if (k == 0) {
            auto* score = new MouseUpTick;
            score->setParent(this);
            score->mouseUp = [this] { firstTicked(m_order); };
            box = score;
            box->setObjectName(QString::fromLatin1(order[k].box));
            m_order.first = box;
            m_order.defaultColumn = order[k].column;
        } else {
            box = tick(this, QString::fromLatin1(order[k].box));
            const QString column = order[k].column;
            connect(box, &QCheckBox::clicked, this,
                    [this, box, column] { otherTicked(m_order, box, column); });
            m_order.others << box;
        }
        l->setBuddy(box);
        orderRow->addWidget(l);
        orderRow->addWidget(box);
        orderRow->addSpacing(12);
    }
    orderRow->addStretch(1);

    const Choice groups[] = {
        {"Check5", "Label18", "No Grouping", kNoGrouping},
        {"Check1", "Label13", "Division", columnOf(rounds::Grouping::Division)},
        {"Check2", "Label14", "Player", columnOf(rounds::Grouping::Player)},
        {"Check3", "Label15", "Course", columnOf(rounds::Grouping::Course)},
        {"Check4", "Label16", "Competition", columnOf(rounds::Grouping::Competition)}};
    QHBoxLayout* groupRow = tickRow("Shape2", "Label3", "Group Results by");
    for (int k = 0; k < 5; ++k) {
        auto* l = label(this, QString::fromLatin1(groups[k].label),
                        QString::fromLatin1(groups[k].caption));
        QCheckBox* box = tick(this, QString::fromLatin1(groups[k].box));
        l->setBuddy(box);
        groupRow->addWidget(l);
        groupRow->addWidget(box);
        groupRow->addSpacing(12);
        const QString column = groups[k].column;
        if (k == 0) {
            m_groups.first = box;
            m_groups.defaultColumn = column;
            connect(box, &QCheckBox::clicked, this, [this] { firstTicked(m_groups); });
        } else {
            connect(box, &QCheckBox::clicked, this,
                    [this, box, column] { otherTicked(m_groups, box, column); });
            m_groups.others << box;
        }
    }
    groupRow->addStretch(1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QList<QWidget*> chain = m_criteria->focusChain();
    for (QCheckBox* b : std::as_const(m_order.others))
        chain << b;
    chain << open << close << edit << m_order.first;
    for (QCheckBox* b : std::as_const(m_groups.others))
        chain << b;
    chain << m_groups.first;
    focusOrder(chain);
}

void QuickSearch::load()
{
    m_order.field = m_order.defaultColumn;
    m_groups.field = m_groups.defaultColumn;
    m_criteria->load(app());
    m_order.first->setChecked(true);
    m_groups.first->setChecked(true);
    m_criteria->player->setFocus();
}

void QuickSearch::firstTicked(TickRow& row)
{
    if (row.first->isChecked())
        row.field = row.defaultColumn;
    for (QCheckBox* b : std::as_const(row.others))
        b->setVisible(!row.first->isChecked());
}

void QuickSearch::otherTicked(TickRow& row, QCheckBox* box, const QString& column)
{
    row.first->setChecked(false);
    const bool ticked = box->isChecked();
    if (ticked)
        row.field = column;
    for (QCheckBox* other : std::as_const(row.others))
        if (other != box)
            other->setVisible(!ticked);
    row.first->setVisible(!ticked);
}

void QuickSearch::search()
{
    const auto filter = filterFor(m_criteria->criteria());
    const bool grouped = groupField() != kNoGrouping;
    // A search that cannot run says so; the grouped lists say it through their report.
    if (!filter && !grouped) {
        app().inform(kPleaseTryAgain);
        return;
    }
    const bool compact = app().prompter().ask(
        QStringLiteral("Click YES for a Compact Report or NO for a Full Report"),
        QStringLiteral("Golf Search Results"));
    const QString name = grouped
                             ? (compact ? windows::kGroupedCompactList : windows::kGroupedFullCards)
                             : (compact ? windows::kCompactList : windows::kFullCards);
    // The compact lists print a few columns of each round; read only those.
    const QStringList columns =
        compact ? report::fieldColumns(report::layoutFor(name)) : QStringList();
    if (!grouped) {
        // Read as the report pages through them: the first page comes at once, however
        // many rounds match.
        const auto rows = Searching(app().registerInUse()).feed(*filter, orderField(), columns);
        // The criteria were read above: what fails here is the register itself.
        if (!rows) {
            app().inform(rows.error());
            return;
        }
        showReport(app(), report::Report(name, report::DataSource::fed(*rows)));
        return;
    }
    const auto source =
        filter
            ? Searching(app().registerInUse()).grouped(*filter, orderField(), groupField(), columns)
            : Result<report::DataSource>(Failure{filter.error()});
    showReport(app(),
               report::Report(name,
                              source   ? *source
                              : filter ? report::DataSource::unreadableBecause(source.error())
                                       : report::DataSource::failure(source.error()),
                              {{QStringLiteral("group"), groupField()}}),
               ShowMode::Modal);
}

} // namespace parlog
