#include "masterdata/divisionwindow.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "data/divisions.h"
#include "ui/forms.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

DivisionWindow::DivisionWindow(Application& app)
    : Window(app, windows::kDivisions, QStringLiteral("Division"))
{
    setFixedSize(360, 220);
    embolden(label(this, QStringLiteral("Label1"), QStringLiteral("Pick Entry"), {12, 14, 90, 24}));
    Combo0 = picker(this, QStringLiteral("Combo0"), {106, 14, 240, 24});
    embolden(label(this, QStringLiteral("Label2"), QStringLiteral("Add/delete"), {12, 52, 90, 24}));
    Text1 = box(this, QStringLiteral("Text1"), {106, 52, 240, 24});
    auto* hint = label(this, QStringLiteral("Label3"),
                       QStringLiteral("Select an entry to delete or type a new entry above then "
                                      "click the relevent button below."),
                       {12, 86, 334, 40});
    hint->setWordWrap(true);
    Command1 =
        button(this, QStringLiteral("Command1"), QStringLiteral("Delete"), {106, 136, 116, 28});
    Command2 = button(this, QStringLiteral("Command2"), QStringLiteral("Add"), {230, 136, 116, 28});
    Command3 =
        button(this, QStringLiteral("Command3"), QStringLiteral("Close"), {230, 176, 116, 28});

    connect(Combo0, &QComboBox::activated, this, &DivisionWindow::Combo0_Click);
    connect(Command1, &QPushButton::clicked, this, &DivisionWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DivisionWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &DivisionWindow::Command3_Click);
    focusOrder({Combo0, Text1, Command1, Command2, Command3});
    setDefaultButton(Command2);
}

void DivisionWindow::form_load()
{
    if (auto connection = app().openConnection())
        refill(*connection);
    Combo0->setCurrentIndex(-1);
    Combo0->setEditText(QString());
    Combo0->setFocus();
}

void DivisionWindow::refill(Connection& connection)
{
    if (const auto names = divisions::names(connection)) {
        const QString text = Combo0->currentText();
        Combo0->addItems(*names);
        Combo0->setCurrentIndex(-1);
        Combo0->setEditText(text);
    }
}

void DivisionWindow::Combo0_Click()
{
    Text1->setText(Combo0->currentText());
}

void DivisionWindow::Command2_Click()
{
    auto connection = Text1->text().isEmpty() ? nullptr : app().openConnection();
    if (connection) {
        if (Status added = divisions::add(*connection, Text1->text()); !added) {
            // The name stays in its box to be tried again.
            app().inform(QStringLiteral("The division was not added: %1").arg(added.error()));
            Text1->setFocus();
            return;
        }
        Combo0->clear();
        Combo0->setEditText(Text1->text());
        refill(*connection);
        Text1->clear();
    }
    Combo0->setFocus();
}

void DivisionWindow::Command1_Click()
{
    auto connection = app().openConnection();
    if (!connection)
        return;
    if (Status removed = divisions::remove(*connection, Text1->text()); !removed) {
        app().inform(QStringLiteral("The division was not deleted: %1").arg(removed.error()));
        return;
    }
    Combo0->clear();
    Combo0->setEditText(QString());
    refill(*connection);
    // The first remaining name shows in the picker.
    Combo0->setEditText(Combo0->count() > 0 ? Combo0->itemText(0) : QString());
    Text1->clear();
    Combo0->setFocus();
}

void DivisionWindow::Command3_Click()
{
    close();
}

} // namespace parlog
