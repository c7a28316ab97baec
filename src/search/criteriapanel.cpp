#include "search/criteriapanel.h"

#include "base/application.h"
#include "data/conversions.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

CriteriaPanel::CriteriaPanel(QWidget* window, const QString& actionCaption)
{
    frame(window, QStringLiteral("Shape1"), {8, 8, 370, 178});
    const auto row = [&](const char* labelName, const char* caption, int y) {
        embolden(label(window, QString::fromLatin1(labelName), QString::fromLatin1(caption),
                       {18, y, 130, 26}));
    };
    row("Playername_Label", "Pick Player", 18);
    player = picker(window, QStringLiteral("player"), {150, 18, 218, 26});
    row("Label12", "Pick Course", 50);
    course = picker(window, QStringLiteral("course"), {150, 50, 218, 26});
    row("Label11", "Pick Competition", 82);
    comp = picker(window, QStringLiteral("comp"), {150, 82, 218, 26});
    row("Label1", "Between", 116);
    Text1 = box(window, QStringLiteral("Text1"), {150, 116, 100, 26});
    row("Label2", "and", 148);
    Text2 = box(window, QStringLiteral("Text2"), {150, 148, 100, 26});
    label(window, QStringLiteral("Label17"), QStringLiteral("eg: 23 Jun 04"), {258, 148, 110, 26});
    Command22 = button(window, QStringLiteral("Command22"), actionCaption, {400, 18, 140, 30});
    Command3 =
        button(window, QStringLiteral("Command3"), QStringLiteral("Close"), {400, 56, 140, 30});
}

void CriteriaPanel::load(Application& app)
{
    Text1->setText(formatDate(app.today().addDays(-366), DateFormat::Short));
    Text2->setText(formatDate(app.today().addDays(1), DateFormat::Short));
    CriteriaLists lists;
    if (auto connection = app.openConnection()) {
        if (const auto found = criteriaLists(*connection))
            lists = *found;
        else
            app.inform(found.error());
    }
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
    return {chosenName(player), chosenName(course), chosenName(comp), Text1->text(), Text2->text()};
}

QList<QWidget*> CriteriaPanel::focusChain() const
{
    return {player, course, comp, Text1, Text2};
}

} // namespace parlog
