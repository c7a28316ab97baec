#include "search/deleterounds.h"

#include "base/application.h"
#include "base/windownames.h"
#include "search/searching.h"
#include "ui/forms.h"

#include <QDir>
#include <QBoxLayout>
#include <QComboBox>
#include <QPushButton>

namespace parlog {

using namespace forms;

DeleteRounds::DeleteRounds(Application& app)
    : Window(app, windows::kDeleteRounds, QStringLiteral("Delete"))
{
    m_criteria = std::make_unique<CriteriaPanel>(this, QStringLiteral("Delete"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_criteria->layout());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(m_criteria->action, &QPushButton::clicked, this, &DeleteRounds::deleteMatching);
    connect(m_criteria->close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder(m_criteria->focusChain() << m_criteria->action << m_criteria->close);
    setDefaultButton(m_criteria->action);
}

void DeleteRounds::load()
{
    m_criteria->load(app());
    m_criteria->player->setFocus();
}

void DeleteRounds::deleteMatching()
{
    const QString nothing = QStringLiteral("No rounds were deleted: ");
    const Criteria criteria = m_criteria->criteria();
    const auto filter = filterFor(criteria);
    // Nothing goes unless the criteria can be read as they stand.
    if (!filter) {
        app().inform(nothing + filter.error());
        return;
    }
    Searching searching(app().registerInUse());
    // Counted first, so that the question says what Yes will do; and what goes is
    // exactly the rounds counted.
    const auto doomed = searching.toDelete(*filter);
    if (!doomed) {
        app().inform(nothing + doomed.error());
        return;
    }
    const qsizetype count = doomed->keys.size();
    const QString what = describeCriteria(criteria);
    if (count == 0) {
        app().inform(QStringLiteral("No rounds match (%1), so nothing was deleted.").arg(what));
        return;
    }
    const QString rounds =
        count == 1 ? QStringLiteral("1 round") : QStringLiteral("%L1 rounds").arg(count);
    if (!app().prompter().ask(QStringLiteral("Delete %1 (%2)?").arg(rounds, what),
                              QStringLiteral("Delete these records"), Prompter::Default::No))
        return;
    // Either step, the copy and the deletion, may take a while on a large register,
    // and either may be cancelled.
    const auto progress = app().progress(QStringLiteral("Deleting %1\u2026").arg(rounds));
    const auto done = searching.remove(*doomed, progress.get());
    if (!done) {
        app().inform(nothing + done.error());
        return;
    }
    QString message = QStringLiteral("Your Selected Records Have Now Been Deleted\n\n%1 %2")
                          .arg(done->wholeRegister
                                   ? QStringLiteral("A copy of the register as it was before is in")
                                   : QStringLiteral("A copy of the deleted rounds is in"),
                               QDir::toNativeSeparators(done->backup));
    if (done->leftAlone > 0)
        message += QStringLiteral("\n\n%L1 of the %L2 rounds counted were changed or deleted by "
                                  "another user meanwhile, and were left as they are.")
                       .arg(done->leftAlone)
                       .arg(count);
    app().inform(message);
    close();
}

} // namespace parlog
