#include "search/criteriapanel.h"

#include "base/application.h"
#include "data/conversions.h"
#include "search/searching.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

CriteriaPanel::CriteriaPanel(QWidget* window, const QString& actionCaption)
{
    box = new QFrame(window);
    box->setObjectName(QStringLiteral("Shape1"));
    box->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(box);
    const auto caption = [&](const char* labelName, const char* text, int row) {
        auto* l = label(window, QString::fromLatin1(labelName), QString::fromLatin1(text));
        embolden(l);
        grid->addWidget(l, row, 0);
    };
    caption("Playername_Label", "Pick Player", 0);
    player = picker(window, QStringLiteral("player"));
    caption("Label12", "Pick Course", 1);
    course = picker(window, QStringLiteral("course"));
    caption("Label11", "Pick Competition", 2);
    comp = picker(window, QStringLiteral("comp"));
    for (int row = 0; row < 3; ++row)
        grid->addWidget(QList<QComboBox*>{player, course, comp}[row], row, 1, 1, 2);
    player->setMinimumWidth(window->fontMetrics().averageCharWidth() * 28);
    caption("Label1", "Between", 3);
    from = forms::box(window, QStringLiteral("Text1"), 10);
    grid->addWidget(from, 3, 1);
    caption("Label2", "and", 4);
    to = forms::box(window, QStringLiteral("Text2"), 10);
    grid->addWidget(to, 4, 1);
    grid->addWidget(label(window, QStringLiteral("Label17"), QStringLiteral("eg: 23 Jun 04")), 4,
                    2);
    grid->setColumnStretch(2, 1);
    action = button(window, QStringLiteral("Command22"), actionCaption);
    close = button(window, QStringLiteral("Command3"), QStringLiteral("Close"));
    buttons = new QVBoxLayout;
    buttons->addWidget(action);
    buttons->addWidget(close);
}

QHBoxLayout* CriteriaPanel::layout() const
{
    auto* top = new QHBoxLayout;
    top->addWidget(box, 1);
    auto* column = buttons;
    column->addStretch(1);
    top->addLayout(column);
    return top;
}

void CriteriaPanel::load(Application& app)
{
    from->setText(formatDate(app.today().addDays(-366), DateFormat::Short));
    to->setText(formatDate(app.today().addDays(1), DateFormat::Short));
    CriteriaLists lists;
    if (const auto found = Searching(app.registerInUse()).lists())
        lists = *found;
    else
        app.inform(found.error());
    const auto fill = [](QComboBox* combo, const QString& all, const QStringList& items) {
        addAllEntry(combo, all);
        combo->addItems(items);
        combo->setCurrentIndex(0);
    };
    fill(course, kAllCourses, lists.courses);
    fill(player, kAllPlayers, lists.players);
    fill(comp, kAllCompetitions, lists.competitions);
}

Criteria CriteriaPanel::criteria() const
{
    return {chosenName(player), chosenName(course), chosenName(comp), from->text(), to->text()};
}

QList<QWidget*> CriteriaPanel::focusChain() const
{
    return {player, course, comp, from, to};
}

} // namespace parlog
