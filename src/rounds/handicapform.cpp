#include "rounds/handicapform.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "data/players.h"
#include "rounds/roundentry.h"
#include "stats/handicaprecord.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

HandicapForm::HandicapForm(Application& app)
    : Window(app, windows::kHandicap, QStringLiteral("Change Handicap"))
{
    playerName = label(this, QStringLiteral("Label4"), QString());
    playerName->setAlignment(Qt::AlignCenter);
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setStyleHint(QFont::Serif);
    serif.setPointSizeF(font().pointSizeF() * 2);
    serif.setBold(true);
    playerName->setFont(serif);
    caption = label(this, QStringLiteral("Label1"), QStringLiteral("New Handicap"));
    handicapBox = box(this, QStringLiteral("Text1"), 6);
    handicapBox->setAlignment(Qt::AlignCenter);
    selectAllOnFocus(handicapBox);
    saveButton = button(this, QStringLiteral("Command1"), QStringLiteral("Save"));
    // What the player's cards come to, for the user to type or not.
    recordIndex = label(this, QStringLiteral("recordIndex"), QString());
    QFont small = recordIndex->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    recordIndex->setFont(small);
    auto* hint =
        label(this, QStringLiteral("Label2"),
              QStringLiteral("If you do not need to update this handicap just click close"));
    hint->setWordWrap(true);
    closeButton = button(this, QStringLiteral("closeform"), QStringLiteral("Close"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(playerName, 0, 0, 1, 3);
    grid->addWidget(rule(this, QStringLiteral("Line1")), 1, 0, 1, 3);
    grid->addWidget(caption, 2, 0);
    grid->addWidget(handicapBox, 2, 1);
    grid->addWidget(saveButton, 2, 2);
    grid->addWidget(recordIndex, 3, 1, 1, 2);
    grid->addWidget(rule(this, QStringLiteral("Line2")), 4, 0, 1, 3);
    grid->addWidget(hint, 5, 0, 1, 2);
    grid->addWidget(closeButton, 5, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 24);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(saveButton, &QPushButton::clicked, this, &HandicapForm::save);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({handicapBox, saveButton, closeButton});
    setDefaultButton(saveButton);
}

void HandicapForm::load()
{
    const auto* round = context<HandicapContext>();
    handicapBox->setText(round ? round->handicap : QString());
    m_player = round ? round->player : QString();
    m_indexAsStored.reset();
    playerName->setText(m_player);
    caption->setText(QStringLiteral("New Handicap"));
    recordIndex->clear();
    RoundEntry entry(app().registerInUse());
    // Off a rated tee the card's box held the playing handicap, not an index: the box is
    // the player's Handicap Index as it stands, for the user to change or not.
    if (round && round->ratedTee) {
        if (const auto kept = entry.keptHandicap(m_player); kept && *kept) {
            m_indexAsStored = **kept;
            handicapBox->setText(*m_indexAsStored);
            caption->setText(QStringLiteral("New Handicap Index"));
        }
    }
    if (const auto index = entry.recordIndex(m_player))
        recordIndex->setText(QStringLiteral("Index from the record: %1").arg(showIndex(*index)));
    handicapBox->setFocus();
}

void HandicapForm::save()
{
    if (m_indexAsStored && handicapBox->text().trimmed() == m_indexAsStored->trimmed()) {
        close();
        return;
    }
    if (const auto typed = players::readHandicap(handicapBox->text()); !typed) {
        app().inform(QStringLiteral("The new handicap was not stored: %1.").arg(typed.error()));
        handicapBox->setFocus();
        return;
    }
    const auto changed =
        RoundEntry(app().registerInUse()).setHandicap(m_player, handicapBox->text());
    if (!changed) {
        app().inform(QStringLiteral("The new handicap was not stored. ") + changed.error());
        return;
    }
    // A name typed on the card that is not in the register has no row to take it.
    if (*changed == 0) {
        app().inform(QStringLiteral("The new handicap was not stored: there is no player named "
                                    "\"%1\" in the register. Add the player first, or press "
                                    "Close.")
                         .arg(m_player));
        return;
    }
    close();
}

} // namespace parlog
