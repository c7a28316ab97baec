#include "search/quicksearch.h"

#include "app/application.h"
#include "app/windownames.h"
#include "reports/report.h"
#include "reports/reportwindow.h"
#include "ui/forms.h"

#include <QCheckBox>
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

const QString kPleaseTryAgain = QStringLiteral("Please try a different search criteria");

} // namespace

QuickSearch::QuickSearch(Application& app)
    : Window(app, windows::kQuickSearch, QStringLiteral("Quicksearch"))
{
    setFixedSize(560, 330);
    m_criteria = std::make_unique<CriteriaPanel>(this);
    auto* open =
        button(this, QStringLiteral("Command22"), QStringLiteral("Open"), {400, 18, 140, 30});
    auto* close =
        button(this, QStringLiteral("Command3"), QStringLiteral("Close"), {400, 56, 140, 30});
    connect(open, &QPushButton::clicked, this, &QuickSearch::Command22_Click);
    connect(close, &QPushButton::clicked, this, &QuickSearch::Command3_Click);

    frame(this, QStringLiteral("Box23"), {8, 194, 544, 60});
    embolden(label(this, QStringLiteral("Label9"), QStringLiteral("List Results in order of"),
                   {16, 198, 200, 20}));
    struct Choice {
        const char* box;
        const char* label;
        const char* caption;
        const char* column;
    };
    const Choice order[] = {{"C_score", "Label5", "Score", "net"},
                            {"C_date", "Label8", "Date", "strdate"},
                            {"C_division", "Label6", "Division", "division"},
                            {"C_course", "Label7", "Course", "course"},
                            {"C_player", "Label4", "Player", "playerID"},
                            {"C_handicap", "Label10", "Handicap", "hand"}};
    for (int k = 0; k < 6; ++k) {
        const int x = 14 + k * 90;
        auto* l = label(this, QString::fromLatin1(order[k].label),
                        QString::fromLatin1(order[k].caption), {x, 222, 62, 24});
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QCheckBox* box;
        if (k == 0) {
            auto* score = new MouseUpTick;
            score->setParent(this);
            score->mouseUp = [this] { C_score_MouseUp(); };
            box = score;
            box->setObjectName(QString::fromLatin1(order[k].box));
            box->setGeometry(x + 66, 224, 20, 20);
            C_score = box;
        } else {
            box = tick(this, QString::fromLatin1(order[k].box), {x + 66, 224, 20, 20});
            const QString column = QString::fromLatin1(order[k].column);
            connect(box, &QCheckBox::clicked, this,
                    [this, box, column] { OrderBox_Click(box, column); });
            m_order << box;
        }
    }

    frame(this, QStringLiteral("Shape2"), {8, 260, 544, 62});
    embolden(label(this, QStringLiteral("Label3"), QStringLiteral("Group Results by"),
                   {16, 264, 200, 20}));
    const Choice groups[] = {{"Check5", "Label18", "No Grouping", "none"},
                             {"Check1", "Label13", "Division", "division"},
                             {"Check2", "Label14", "Player", "playerID"},
                             {"Check3", "Label15", "Course", "course"},
                             {"Check4", "Label16", "Competition", "comp"}};
    for (int k = 0; k < 5; ++k) {
        const int x = 14 + k * 108;
        auto* l = label(this, QString::fromLatin1(groups[k].label),
                        QString::fromLatin1(groups[k].caption), {x, 288, 80, 24});
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QCheckBox* box = tick(this, QString::fromLatin1(groups[k].box), {x + 84, 290, 20, 20});
        if (k == 0) {
            Check5 = box;
            connect(box, &QCheckBox::clicked, this, &QuickSearch::Check5_Click);
        } else {
            const QString column = QString::fromLatin1(groups[k].column);
            connect(box, &QCheckBox::clicked, this,
                    [this, box, column] { GroupBox_Click(box, column); });
            m_groups << box;
        }
    }

    QList<QWidget*> chain = m_criteria->focusChain();
    for (QCheckBox* b : m_order)
        chain << b;
    chain << open << close << C_score;
    for (QCheckBox* b : m_groups)
        chain << b;
    chain << Check5;
    focusOrder(chain);
}

void QuickSearch::form_load()
{
    m_orderField = QStringLiteral("net");
    m_groupField = QStringLiteral("none");
    m_criteria->load(app());
    C_score->setChecked(true);
    Check5->setChecked(true);
    m_criteria->player->setFocus();
}

void QuickSearch::C_score_MouseUp()
{
    if (C_score->isChecked()) {
        m_orderField = QStringLiteral("net");
        for (QCheckBox* b : m_order)
            b->hide();
    } else {
        for (QCheckBox* b : m_order)
            b->show();
    }
}

void QuickSearch::OrderBox_Click(QCheckBox* box, const QString& column)
{
    C_score->setChecked(false);
    const bool ticked = box->isChecked();
    if (ticked)
        m_orderField = column;
    // A column chosen stays in force after its box is unticked.
    QList<QCheckBox*> row = m_order;
    row << C_score;
    for (QCheckBox* other : row)
        if (other != box)
            other->setVisible(!ticked);
}

void QuickSearch::Check5_Click()
{
    if (Check5->isChecked()) {
        m_groupField = QStringLiteral("none");
        for (QCheckBox* b : m_groups)
            b->hide();
    } else {
        for (QCheckBox* b : m_groups)
            b->show();
    }
}

void QuickSearch::GroupBox_Click(QCheckBox* box, const QString& column)
{
    if (Check5->isChecked()) {
        Check5->setChecked(false);
        Check5_Click();
    }
    const bool ticked = box->isChecked();
    if (ticked)
        m_groupField = column;
    QList<QCheckBox*> row = m_groups;
    row << Check5;
    for (QCheckBox* other : row)
        if (other != box)
            other->setVisible(!ticked);
}

void QuickSearch::Command22_Click()
{
    const auto filter = filterFor(m_criteria->criteria());
    auto connection = app().openConnection();
    if (!connection)
        return;
    const bool grouped = m_groupField != u"none";
    // A search that cannot run says so; the grouped lists say it through their report.
    if (!filter && !grouped) {
        app().inform(kPleaseTryAgain);
        return;
    }
    const bool compact = app().prompter().ask(
        QStringLiteral("Click YES for a Compact Report or NO for a Full Report"),
        QStringLiteral("Golf Search Results"));
    // The compact lists print a few columns of each round; read only those.
    const QStringList columns = compact ? compactColumns() : QStringList();
    if (!grouped) {
        const auto rows = rounds::search(*connection, *filter, m_orderField, columns);
        if (!rows) {
            app().inform(kPleaseTryAgain);
            return;
        }
        const QString name = compact ? windows::kCompactList : windows::kFullCards;
        app().report(name).setDataSource(report::DataSource::of(rows));
        showReport(app(), name);
        return;
    }
    const auto source =
        filter ? groupedSearch(*connection, *filter, m_orderField, m_groupField, columns)
               : Result<report::DataSource>(Failure{filter.error()});
    const QString name = compact ? windows::kGroupedCompactList : windows::kGroupedFullCards;
    report::Report& r = app().report(name);
    r.setDataSource(source ? *source : report::DataSource::failure(source.error()));
    r.setDataField(QStringLiteral("Section6"), QStringLiteral("Text1"), m_groupField);
    showReport(app(), name, ShowMode::Modal);
}

void QuickSearch::Command3_Click()
{
    close();
}

} // namespace parlog
