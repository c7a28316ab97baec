#include "masterdata/divisionwindow.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "masterdata/masterdata.h"
#include "ui/forms.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

DivisionWindow::DivisionWindow(Application& app)
    : Window(app, windows::kDivisions, QStringLiteral("Division"))
{
    auto* pickLabel = label(this, QStringLiteral("Label1"), QStringLiteral("Pick Entry"));
    embolden(pickLabel);
    names = picker(this, QStringLiteral("Combo0"));
    auto* typeLabel = label(this, QStringLiteral("Label2"), QStringLiteral("Add/delete"));
    embolden(typeLabel);
    nameBox = box(this, QStringLiteral("Text1"));
    auto* hint = label(this, QStringLiteral("Label3"),
                       QStringLiteral("Select an entry to delete or type a new entry above then "
                                      "click the relevent button below."));
    hint->setWordWrap(true);
    deleteButton = button(this, QStringLiteral("Command1"), QStringLiteral("Delete"));
    addButton = button(this, QStringLiteral("Command2"), QStringLiteral("Add"));
    closeButton = button(this, QStringLiteral("Command3"), QStringLiteral("Close"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(pickLabel, 0, 0);
    grid->addWidget(names, 0, 1);
    grid->addWidget(typeLabel, 1, 0);
    grid->addWidget(nameBox, 1, 1);
    grid->addWidget(hint, 2, 0, 1, 2);
    grid->addLayout(row({deleteButton, addButton}), 3, 0, 1, 2);
    grid->addLayout(row({closeButton}), 4, 0, 1, 2);
    grid->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 30);
    // A dialog of its natural size: the hint wraps to the width the boxes give it.
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(names, &QComboBox::activated, this, &DivisionWindow::pickName);
    connect(addButton, &QPushButton::clicked, this, &DivisionWindow::add);
    connect(deleteButton, &QPushButton::clicked, this, &DivisionWindow::remove);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({names, nameBox, deleteButton, addButton, closeButton});
    setDefaultButton(addButton);
}

void DivisionWindow::load()
{
    refill();
    names->setCurrentIndex(-1);
    names->setEditText(QString());
    names->setFocus();
}

void DivisionWindow::refill()
{
    const auto stored = MasterData(app().registerInUse()).divisions();
    if (!stored) {
        app().inform(stored.error());
        return;
    }
    const QString text = names->currentText();
    names->addItems(*stored);
    names->setCurrentIndex(-1);
    names->setEditText(text);
}

void DivisionWindow::pickName()
{
    nameBox->setText(names->currentText());
}

void DivisionWindow::add()
{
    if (!nameBox->text().isEmpty()) {
        if (Status added = MasterData(app().registerInUse()).addDivision(nameBox->text()); !added) {
            // The name stays in its box to be tried again.
            app().inform(QStringLiteral("The division was not added: %1").arg(added.error()));
            nameBox->setFocus();
            return;
        }
        names->clear();
        names->setEditText(nameBox->text());
        refill();
        nameBox->clear();
    }
    names->setFocus();
}

void DivisionWindow::remove()
{
    if (Status removed = MasterData(app().registerInUse()).removeDivision(nameBox->text());
        !removed) {
        app().inform(QStringLiteral("The division was not deleted: %1").arg(removed.error()));
        return;
    }
    names->clear();
    names->setEditText(QString());
    refill();
    // The first remaining name shows in the picker.
    names->setEditText(names->count() > 0 ? names->itemText(0) : QString());
    nameBox->clear();
    names->setFocus();
}

} // namespace parlog
