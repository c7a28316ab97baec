#include "masterdata/playerwindow.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "data/divisions.h"
#include "data/players.h"
#include "data/records.h"
#include "stats/handicaprecord.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace parlog {

using namespace forms;

PlayerWindow::PlayerWindow(Application& app)
    : RegisterWindow(app, {windows::kPlayers, QStringLiteral("Players"), registers::players(),
                           QStringLiteral("player"), windows::kPlayerList})
{
    createShared(QStringLiteral("View All"));
    auto* pick = label(this, QStringLiteral("Label12"), QStringLiteral("Pick a Player"));
    embolden(pick);
    names->setMinimumWidth(fontMetrics().averageCharWidth() * 30);

    // The player's boxes a row each, captions beside them.
    const QStringList captions{"Name",      "Membership No.", "Handicap", "Division",
                               "Street",    "Town",           "County",   "Postcode",
                               "Telephone", "Mobile",         "Email"};
    const QStringList objectNames{"Text1", "Text2", "text3", "text4",  "text5", "text6",
                                  "text7", "text8", "text9", "text10", "text11"};
    auto* form = new QGridLayout;
    form->addWidget(pick, 0, 0);
    form->addWidget(names, 0, 1, 1, 2);
    QList<QWidget*> boxes;
    for (qsizetype i = 0; i < objectNames.size(); ++i) {
        auto* caption = label(this, QStringLiteral("Label%1").arg(i + 1), captions[i]);
        form->addWidget(caption, int(i) + 1, 0);
        QWidget* field = nullptr;
        if (objectNames[i] == u"text4") {
            division = picker(this, objectNames[i]);
            field = division;
        } else {
            field = box(this, objectNames[i], i == 2 ? 6 : 0);
        }
        boxes << field;
        // The handicap's box is short: what its cards come to stands beside it.
        form->addWidget(field, int(i) + 1, 1, 1, i == 2 ? 1 : 2);
    }
    playerName = static_cast<QLineEdit*>(boxes[0]);
    membership = static_cast<QLineEdit*>(boxes[1]);
    handicap = static_cast<QLineEdit*>(boxes[2]);
    street = static_cast<QLineEdit*>(boxes[4]);
    town = static_cast<QLineEdit*>(boxes[5]);
    county = static_cast<QLineEdit*>(boxes[6]);
    postcode = static_cast<QLineEdit*>(boxes[7]);
    telephone = static_cast<QLineEdit*>(boxes[8]);
    mobile = static_cast<QLineEdit*>(boxes[9]);
    email = static_cast<QLineEdit*>(boxes[10]);
    selectAllOnFocus(membership);
    selectAllOnFocus(handicap);
    recordIndex = label(this, QStringLiteral("recordIndex"), QString());
    recordIndex->setToolTip(
        QStringLiteral("The Handicap Index the player's cards come to: see Handicap Record"));
    form->addWidget(recordIndex, 3, 2);
    form->setColumnStretch(2, 1);
    form->setColumnMinimumWidth(2, fontMetrics().averageCharWidth() * 22);

    // Two columns of buttons to the right.
    auto* buttons = new QGridLayout;
    buttons->addWidget(newButton, 0, 0);
    buttons->addWidget(editButton, 0, 1);
    buttons->addWidget(deleteButton, 1, 0);
    buttons->addWidget(closeButton, 1, 1);
    buttons->addWidget(saveButton, 2, 0, 1, 2);
    buttons->addWidget(listButton, 3, 0, 1, 2);
    auto* divisionsCaption =
        label(this, QStringLiteral("Label13"), QStringLiteral("Add/Edit Division"));
    divisionsButton = button(this, QStringLiteral("Command2"), QStringLiteral("Go"));
    buttons->setRowMinimumHeight(4, fontMetrics().height());
    buttons->addWidget(divisionsCaption, 5, 0);
    buttons->addWidget(divisionsButton, 5, 1);
    buttons->setRowStretch(6, 1);
    connect(divisionsButton, &QPushButton::clicked, this, &PlayerWindow::showDivisions);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    focusOrder({names, playerName, membership, handicap, division, street, town, county, postcode,
                telephone, mobile, email, newButton, editButton, deleteButton, closeButton,
                saveButton, listButton, divisionsButton});
}

void PlayerWindow::load()
{
    playerName->clear();
    membership->setText(QStringLiteral("0"));
    handicap->setText(QStringLiteral("0"));
    for (QLineEdit* b : {street, town, county, postcode, telephone, mobile, email})
        b->clear();
    RegisterWindow::load();
}

void PlayerWindow::afterLoad()
{
    if (const auto names = data().divisions())
        division->addItems(*names);
    division->setCurrentIndex(-1);
    division->setEditText(QString());
}

bool PlayerWindow::readyToSave()
{
    // A division is one of the division names: a new one only when the user says so,
    // so that a slip of the keyboard does not start a division of one.
    const QString typed = division->currentText().trimmed();
    if (typed.isEmpty())
        return true;
    const auto names = data().divisions();
    if (!names) {
        app().inform(QStringLiteral("The player was not saved: %1").arg(names.error()));
        return false;
    }
    if (names->contains(typed, Qt::CaseInsensitive))
        return true;
    if (!app().prompter().ask(QStringLiteral("Add the division %1?").arg(typed),
                              QStringLiteral("Players"), Prompter::Default::No)) {
        division->setFocus();
        return false;
    }
    if (Status added = data().addDivision(typed); !added) {
        app().inform(QStringLiteral("The player was not saved: %1").arg(added.error()));
        return false;
    }
    division->addItem(typed);
    return true;
}

void PlayerWindow::loadRow(const Record& row)
{
    const Player p = Player::from(row);
    playerName->setText(p.name);
    membership->setText(p.membership);
    handicap->setText(p.handicap);
    division->setEditText(p.division);
    street->setText(p.address1);
    town->setText(p.address2);
    county->setText(p.address3);
    postcode->setText(p.postcode);
    telephone->setText(p.telephone);
    mobile->setText(p.mobile);
    email->setText(p.email);
    recordIndex->clear();
    // Read once the row's own reading is over, on a connection of its own.
    QTimer::singleShot(0, this, [this, name = p.name] {
        if (playerName->text() != name)
            return;
        if (const auto index = data().recordIndex(name))
            recordIndex->setText(
                QStringLiteral("Index from the record: %1").arg(showIndex(*index)));
    });
}

void PlayerWindow::clearBoxes(bool)
{
    recordIndex->clear();
    playerName->clear();
    membership->setText(QStringLiteral("0"));
    handicap->setText(QStringLiteral("0"));
    division->setEditText(QString());
    for (QLineEdit* b : {street, town, county, postcode, telephone, mobile, email})
        b->clear();
}

Result<Record> PlayerWindow::rowValues()
{
    // Every value is kept as typed, a handicap only when it is one.
    const auto typed = players::readHandicap(handicap->text());
    if (!typed)
        return Failure{typed.error()};
    Player p;
    p.name = playerName->text();
    p.membership = membership->text();
    p.handicap = handicap->text();
    p.division = division->currentText();
    p.address1 = street->text();
    p.address2 = town->text();
    p.address3 = county->text();
    p.postcode = postcode->text();
    p.telephone = telephone->text();
    p.mobile = mobile->text();
    p.email = email->text();
    return p.record();
}

void PlayerWindow::showDivisions()
{
    app().show(windows::kDivisions);
    close();
}

} // namespace parlog
