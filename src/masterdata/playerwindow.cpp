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

#include <QComboBox>
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
    setFixedSize(560, 430);
    createShared(QStringLiteral("View All"));
    auto* pick =
        label(this, QStringLiteral("Label12"), QStringLiteral("Pick a Player"), {12, 12, 110, 24});
    embolden(pick);
    Combo1->setGeometry(126, 12, 250, 24);

    const QStringList captions{"Name",      "Membership No.", "Handicap", "Division",
                               "Street",    "Town",           "County",   "Postcode",
                               "Telephone", "Mobile",         "Email"};
    const QStringList names{"Text1", "Text2", "text3", "text4",  "text5", "text6",
                            "text7", "text8", "text9", "text10", "text11"};
    QList<QWidget*> boxes;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const int y = 52 + int(i) * 32;
        label(this, QStringLiteral("Label%1").arg(i + 1), captions[i], {12, y, 110, 24});
        const QRect where(126, y, i == 2 ? 80 : 250, 24);
        if (names[i] == u"text4") {
            text4 = picker(this, names[i], where);
            boxes << text4;
        } else {
            boxes << box(this, names[i], where);
        }
    }
    Text1 = static_cast<QLineEdit*>(boxes[0]);
    Text2 = static_cast<QLineEdit*>(boxes[1]);
    text3 = static_cast<QLineEdit*>(boxes[2]);
    text5 = static_cast<QLineEdit*>(boxes[4]);
    text6 = static_cast<QLineEdit*>(boxes[5]);
    text7 = static_cast<QLineEdit*>(boxes[6]);
    text8 = static_cast<QLineEdit*>(boxes[7]);
    text9 = static_cast<QLineEdit*>(boxes[8]);
    text10 = static_cast<QLineEdit*>(boxes[9]);
    text11 = static_cast<QLineEdit*>(boxes[10]);
    selectAllOnFocus(Text2);
    selectAllOnFocus(text3);
    recordIndex = label(this, QStringLiteral("recordIndex"), QString(), {212, 116, 184, 24});
    recordIndex->setToolTip(
        QStringLiteral("The Handicap Index the player's cards come to: see Handicap Record"));

    // Two columns of buttons to the right.
    Command11->setGeometry(400, 52, 70, 28);
    Command1->setGeometry(478, 52, 70, 28);
    Command13->setGeometry(400, 88, 70, 28);
    Command10->setGeometry(478, 88, 70, 28);
    Command12->setGeometry(400, 124, 148, 28);
    Command28->setGeometry(400, 160, 148, 28);
    label(this, QStringLiteral("Label13"), QStringLiteral("Add/Edit Division"),
          {400, 206, 110, 24});
    Command2 = button(this, QStringLiteral("Command2"), QStringLiteral("Go"), {512, 204, 36, 26});
    connect(Command2, &QPushButton::clicked, this, &PlayerWindow::Command2_Click);

    focusOrder({Combo1, Text1, Text2, text3, text4, text5, text6, text7, text8, text9, text10,
                text11, Command11, Command1, Command13, Command10, Command12, Command28, Command2});
}

void PlayerWindow::form_load()
{
    Text1->clear();
    Text2->setText(QStringLiteral("0"));
    text3->setText(QStringLiteral("0"));
    for (QLineEdit* b : {text5, text6, text7, text8, text9, text10, text11})
        b->clear();
    RegisterWindow::form_load();
}

void PlayerWindow::afterLoad(Connection& connection)
{
    if (const auto names = divisions::names(connection))
        text4->addItems(*names);
    text4->setCurrentIndex(-1);
    text4->setEditText(QString());
}

bool PlayerWindow::readyToSave(Connection& connection)
{
    // A division is one of the division names: a new one only when the user says so,
    // so that a slip of the keyboard does not start a division of one.
    const QString typed = text4->currentText().trimmed();
    if (typed.isEmpty())
        return true;
    const auto names = divisions::names(connection);
    if (!names) {
        app().inform(QStringLiteral("The player was not saved: %1").arg(names.error()));
        return false;
    }
    if (names->contains(typed, Qt::CaseInsensitive))
        return true;
    if (!app().prompter().ask(QStringLiteral("Add the division %1?").arg(typed),
                              QStringLiteral("Players"), Prompter::Default::No)) {
        text4->setFocus();
        return false;
    }
    if (Status added = divisions::add(connection, typed); !added) {
        app().inform(QStringLiteral("The player was not saved: %1").arg(added.error()));
        return false;
    }
    text4->addItem(typed);
    return true;
}

void PlayerWindow::loadRow(const Record& row)
{
    const Player p = Player::from(row);
    Text1->setText(p.name);
    Text2->setText(p.membership);
    text3->setText(p.handicap);
    text4->setEditText(p.division);
    text5->setText(p.address1);
    text6->setText(p.address2);
    text7->setText(p.address3);
    text8->setText(p.postcode);
    text9->setText(p.telephone);
    text10->setText(p.mobile);
    text11->setText(p.email);
    recordIndex->clear();
    // Read once the row's own reading is over, on a connection of its own.
    QTimer::singleShot(0, this, [this, name = p.name] {
        if (Text1->text() != name)
            return;
        if (auto connection = app().openConnection())
            if (const auto record = handicapRecord(*connection, name); record && record->index)
                recordIndex->setText(QStringLiteral("Index from the record: %1")
                                         .arg(showIndex(*record->index)));
    });
}

void PlayerWindow::clearBoxes(bool)
{
    recordIndex->clear();
    Text1->clear();
    Text2->setText(QStringLiteral("0"));
    text3->setText(QStringLiteral("0"));
    text4->setEditText(QString());
    for (QLineEdit* b : {text5, text6, text7, text8, text9, text10, text11})
        b->clear();
}

Result<Record> PlayerWindow::rowValues()
{
    // Every value is kept as typed, a handicap only when it is one.
    const auto handicap = players::readHandicap(text3->text());
    if (!handicap)
        return Failure{handicap.error()};
    Player p;
    p.name = Text1->text();
    p.membership = Text2->text();
    p.handicap = text3->text();
    p.division = text4->currentText();
    p.address1 = text5->text();
    p.address2 = text6->text();
    p.address3 = text7->text();
    p.postcode = text8->text();
    p.telephone = text9->text();
    p.mobile = text10->text();
    p.email = text11->text();
    return p.record();
}

void PlayerWindow::Command2_Click()
{
    app().show(windows::kDivisions);
    close();
}

} // namespace parlog
