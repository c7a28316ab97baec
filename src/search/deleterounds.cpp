#include "search/deleterounds.h"

#include "app/application.h"
#include "app/windownames.h"
#include "data/backup.h"
#include "data/rounds.h"
#include "ui/forms.h"

#include <QDir>
#include <QComboBox>
#include <QPushButton>

namespace parlog {

using namespace forms;

DeleteRounds::DeleteRounds(Application& app)
    : Window(app, windows::kDeleteRounds, QStringLiteral("Delete"))
{
    setFixedSize(560, 196);
    m_criteria = std::make_unique<CriteriaPanel>(this, QStringLiteral("Delete"));
    connect(m_criteria->Command22, &QPushButton::clicked, this, &DeleteRounds::Command22_Click);
    connect(m_criteria->Command3, &QPushButton::clicked, this, &DeleteRounds::Command3_Click);
    focusOrder(m_criteria->focusChain() << m_criteria->Command22 << m_criteria->Command3);
    setDefaultButton(m_criteria->Command22);
}

void DeleteRounds::form_load()
{
    m_criteria->load(app());
    m_criteria->player->setFocus();
}

void DeleteRounds::Command22_Click()
{
    const QString nothing = QStringLiteral("No rounds were deleted: ");
    const Criteria criteria = m_criteria->criteria();
    const auto filter = filterFor(criteria);
    // Nothing goes unless the criteria can be read as they stand.
    if (!filter) {
        app().inform(nothing + filter.error());
        return;
    }
    auto connection = app().openConnection();
    if (!connection)
        return;
    // Counted first, so that the question says what Yes will do.
    const auto count = rounds::count(*connection, *filter);
    if (!count) {
        app().inform(nothing + count.error());
        return;
    }
    const QString what = describeCriteria(criteria);
    if (*count == 0) {
        app().inform(QStringLiteral("No rounds match (%1), so nothing was deleted.").arg(what));
        return;
    }
    const QString rounds =
        *count == 1 ? QStringLiteral("1 round") : QStringLiteral("%L1 rounds").arg(*count);
    if (!app().prompter().ask(QStringLiteral("Delete %1 (%2)?").arg(rounds, what),
                              QStringLiteral("Delete these records"), Prompter::Default::No))
        return;
    // A copy of the register as it stands, so that what goes can always come back.
    // Either step may take a while on a large register, and either may be cancelled.
    // On a club server the rounds themselves go to a small register of the user's.
    const auto progress = app().progress(QStringLiteral("Deleting %1\u2026").arg(rounds));
    const auto backup = connection->isServer() ? backupRounds(*connection, *filter, progress.get())
                                               : backupRegister(*connection, progress.get());
    if (!backup) {
        app().inform(nothing + backup.error() + QLatin1Char('.'));
        return;
    }
    // What was counted is what goes: if another user changed the rounds while the
    // question was asked, nothing goes and the user is told.
    if (!connection->transaction()) {
        app().inform(nothing + connection->describe(connection->database().lastError()));
        return;
    }
    const auto deleted = rounds::remove(*connection, *filter, progress.get());
    if (!deleted) {
        connection->rollback();
        app().inform(nothing + deleted.error());
        return;
    }
    if (*deleted != *count) {
        connection->rollback();
        app().inform(QStringLiteral("No rounds were deleted: another user changed these rounds "
                                    "while you were asked (%1 matched then, %2 now). Press Delete "
                                    "again to see them as they are now.")
                         .arg(*count)
                         .arg(*deleted));
        return;
    }
    if (!connection->commit()) {
        app().inform(nothing + connection->describe(connection->lastError()));
        return;
    }
    app().inform(QStringLiteral("Your Selected Records Have Now Been Deleted\n\n%1 %2")
                     .arg(connection->isServer()
                              ? QStringLiteral("A copy of the deleted rounds is in")
                              : QStringLiteral("A copy of the register as it was before is in"),
                          QDir::toNativeSeparators(*backup)));
    close();
}

void DeleteRounds::Command3_Click()
{
    close();
}

} // namespace parlog
