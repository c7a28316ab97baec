#include "rounds/handicapform.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "data/players.h"
#include "stats/handicaprecord.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

HandicapForm::HandicapForm(Application& app)
    : Window(app, windows::kHandicap, QStringLiteral("Change Handicap"))
{
    setFixedSize(440, 200);
    Label4 = label(this, QStringLiteral("Label4"), QString(), {12, 8, 416, 44});
    Label4->setAlignment(Qt::AlignCenter);
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setStyleHint(QFont::Serif);
    serif.setPointSize(18);
    serif.setBold(true);
    Label4->setFont(serif);
    rule(this, QStringLiteral("Line1"), {12, 58, 416, 2});

    caption =
        label(this, QStringLiteral("Label1"), QStringLiteral("New Handicap"), {12, 78, 121, 24});
    caption->setWordWrap(true);
    Text1 = box(this, QStringLiteral("Text1"), {135, 78, 80, 24});
    Text1->setAlignment(Qt::AlignCenter);
    selectAllOnFocus(Text1);
    rule(this, QStringLiteral("Line3"), {215, 89, 40, 2});
    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("Save"), {255, 76, 90, 28});
    // What the player's cards come to, for the user to type or not.
    recordIndex = label(this, QStringLiteral("recordIndex"), QString(), {135, 102, 290, 16});
    QFont small = recordIndex->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    recordIndex->setFont(small);
    rule(this, QStringLiteral("Line2"), {12, 118, 416, 2});

    auto* hint =
        label(this, QStringLiteral("Label2"),
              QStringLiteral("If you do not need to update this handicap just click close"),
              {20, 132, 300, 48});
    hint->setWordWrap(true);
    closeform =
        button(this, QStringLiteral("closeform"), QStringLiteral("Close"), {338, 142, 90, 28});

    connect(Command1, &QPushButton::clicked, this, &HandicapForm::Command1_Click);
    connect(closeform, &QPushButton::clicked, this, &HandicapForm::closeform_Click);
    focusOrder({Text1, Command1, closeform});
    setDefaultButton(Command1);
}

void HandicapForm::form_load()
{
    const auto* round = context<HandicapContext>();
    Text1->setText(round ? round->handicap : QString());
    m_player = round ? round->player : QString();
    m_indexAsStored.reset();
    Label4->setText(m_player);
    caption->setText(QStringLiteral("New Handicap"));
    recordIndex->clear();
    if (auto connection = app().openConnection()) {
        // Off a rated tee the card's box held the playing handicap, not an index: the
        // box is the player's Handicap Index as it stands, for the user to change or not.
        if (round && round->ratedTee) {
            if (const auto row = players::rowNamed(*connection, m_player); row && !row->isEmpty()) {
                m_indexAsStored = row->value(QStringLiteral("Handicapp")).toString();
                Text1->setText(*m_indexAsStored);
                caption->setText(QStringLiteral("New Handicap Index"));
            }
        }
        if (const auto record = handicapRecord(*connection, m_player); record && record->index)
            recordIndex->setText(
                QStringLiteral("Index from the record: %1").arg(showIndex(*record->index)));
    }
    Text1->setFocus();
}

void HandicapForm::Command1_Click()
{
    if (m_indexAsStored && Text1->text().trimmed() == m_indexAsStored->trimmed()) {
        close();
        return;
    }
    if (const auto typed = players::readHandicap(Text1->text()); !typed) {
        app().inform(QStringLiteral("The new handicap was not stored: %1.").arg(typed.error()));
        Text1->setFocus();
        return;
    }
    auto connection = app().openConnection();
    if (!connection)
        return;
    const auto changed = players::setHandicap(*connection, m_player, Text1->text());
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

void HandicapForm::closeform_Click()
{
    close();
}

} // namespace parlog
