#include "search/deleterounds.h"

#include "app/application.h"
#include "ui/forms.h"

#include <QComboBox>
#include <QPushButton>

namespace parlog {

using namespace forms;

DeleteRounds::DeleteRounds(Application& app)
    : Window(app, QStringLiteral("edit"), QStringLiteral("Delete"))
{
    setFixedSize(560, 196);
    m_criteria = std::make_unique<CriteriaPanel>(this);
    auto* remove =
        button(this, QStringLiteral("Command22"), QStringLiteral("Delete"), {400, 18, 140, 30});
    auto* close =
        button(this, QStringLiteral("Command3"), QStringLiteral("Close"), {400, 56, 140, 30});
    connect(remove, &QPushButton::clicked, this, &DeleteRounds::Command22_Click);
    connect(close, &QPushButton::clicked, this, &DeleteRounds::Command3_Click);
    focusOrder(m_criteria->focusChain() << remove << close);
}

void DeleteRounds::form_load()
{
    m_criteria->load(app());
    m_criteria->player->setFocus();
}

void DeleteRounds::Command22_Click()
{
    QString problem;
    const auto filter = filterFor(m_criteria->criteria(), &problem);
    // Nothing goes unless the criteria can be read as they stand.
    if (!filter) {
        app().inform(QStringLiteral("No rounds were deleted: ") + problem);
        return;
    }
    if (!app().prompter().ask(QStringLiteral(" Are You Sure? "),
                              QStringLiteral("Delete these records")))
        return;
    auto connection = app().openConnection();
    if (!connection)
        return;
    if (!deleteRounds(*connection, *filter)) {
        app().inform(QStringLiteral("No rounds were deleted: ") +
                     connection->describe(connection->lastError()));
        return;
    }
    app().inform(QStringLiteral("Your Selected Records Have Now Been Deleted"));
    close();
}

void DeleteRounds::Command3_Click()
{
    close();
}

} // namespace parlog
