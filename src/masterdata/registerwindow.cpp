#include "masterdata/registerwindow.h"

#include "base/application.h"
#include "data/records.h"
#include "reports/report.h"
#include "base/reportwindow.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

RegisterWindow::RegisterWindow(Application& app, Config config)
    : Window(app, config.name, config.caption)
    , m_config(std::move(config))
    , m_data(app.registerInUse())
{
}

void RegisterWindow::createShared(const QString& reportCaption)
{
    names = picker(this, QStringLiteral("Combo1"));
    // The mode and key, hidden, for scripts and tests that read them.
    keyBox = box(this, QStringLiteral("ID"));
    keyBox->hide();
    modeBox = box(this, QStringLiteral("stu"));
    modeBox->hide();
    newButton = button(this, QStringLiteral("Command11"), QStringLiteral("New"));
    editButton = button(this, QStringLiteral("Command1"), QStringLiteral("Edit"));
    saveButton = button(this, QStringLiteral("Command12"), QStringLiteral("Save"));
    deleteButton = button(this, QStringLiteral("Command13"), QStringLiteral("Delete"));
    closeButton = button(this, QStringLiteral("Command10"), QStringLiteral("Close"));
    listButton = button(this, QStringLiteral("Command28"), reportCaption);

    onKeyUp(names, [this](int key) { typeAheadKey(key); });
    connect(names, &QComboBox::activated, this, &RegisterWindow::pickRow);
    connect(newButton, &QPushButton::clicked, this, &RegisterWindow::startNew);
    connect(editButton, &QPushButton::clicked, this, &RegisterWindow::startEdit);
    connect(saveButton, &QPushButton::clicked, this, &RegisterWindow::save);
    connect(deleteButton, &QPushButton::clicked, this, &RegisterWindow::deleteRow);
    connect(listButton, &QPushButton::clicked, this, &RegisterWindow::showList);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void RegisterWindow::setMode(registers::EditMode mode)
{
    m_mode = mode;
    modeBox->setText(QString::number(int(mode)));
}

void RegisterWindow::setKey(qint64 key)
{
    m_key = key;
    keyBox->setText(QString::number(key));
}

void RegisterWindow::load()
{
    setKey(0);
    setMode(registers::EditMode::Browsing);
    saveButton->hide();
    refill();
    afterLoad();
    names->setEditText(QString());
    names->setFocus();
}

void RegisterWindow::refill()
{
    if (const auto stored = data().names(m_config.data))
        names->addItems(*stored);
    else
        app().inform(stored.error());
    // Filling the list picks nothing: the box keeps its own text.
    const QString text = names->currentText();
    names->setCurrentIndex(-1);
    names->setEditText(text);
}

void RegisterWindow::pickRow()
{
    // Of two rows with one name, the first stored is the one loaded.
    const auto row = data().rowNamed(m_config.data, names->currentText());
    if (!row) {
        app().inform(row.error());
        return;
    }
    if (row->isEmpty())
        return;
    loadRow(*row);
    m_loaded = *row;
    setKey(keyOf(*row));
}

void RegisterWindow::typeAheadKey(int key)
{
    typeAhead(names, key, [this](int) { pickRow(); });
}

void RegisterWindow::startNew()
{
    setMode(registers::EditMode::Adding);
    clearBoxes(true);
    app().inform(
        QStringLiteral("When finished adding this entry click the save button to save changes"));
    nameBox()->setFocus();
    saveButton->show();
}

void RegisterWindow::startEdit()
{
    setMode(registers::EditMode::Editing);
    app().inform(
        QStringLiteral("When finished editing this entry click the save button to save changes"));
    nameBox()->setFocus();
    saveButton->show();
}

void RegisterWindow::save()
{
    const QString what = m_config.what;
    // Nothing is stored half: a row that cannot be stored leaves the window in its
    // mode with every box as typed, and says why.
    const auto refuse = [&](const QString& why) {
        app().inform(QStringLiteral("The %1 was not saved: %2").arg(what, why));
        nameBox()->setFocus();
    };
    if (m_mode != registers::EditMode::Browsing) {
        if (nameBox()->text().isEmpty())
            return refuse(QStringLiteral("the name is empty. Type a name, then press Save."));
        const auto values = rowValues();
        if (!values)
            return refuse(values.error() + QStringLiteral(". Correct it, then press Save."));
        if (!readyToSave())
            return;
        const auto saved = store(m_mode, m_key, *values, m_loaded);
        if (!saved)
            return refuse(saved.error());
        switch (saved->outcome) {
        case Saved::Outcome::Stored:
            break;
        case Saved::Outcome::NothingChosen:
            return refuse(QStringLiteral("no %1 is chosen to change. Pick the %1 in the list "
                                         "first, then press Edit.")
                              .arg(what));
        case Saved::Outcome::Gone:
            return refuse(QStringLiteral("the %1 is no longer in the register: someone has "
                                         "deleted it.")
                              .arg(what));
        case Saved::Outcome::ChangedMeanwhile:
            // Someone else changed it since it was loaded: never overwritten unseen.
            if (app().prompter().ask(QStringLiteral("Someone else has changed this %1 since "
                                                    "you loaded it, so your changes were not "
                                                    "saved. Load it as it is now?")
                                         .arg(what),
                                     QStringLiteral("Changed by another user"))) {
                loadRow(saved->now);
                m_loaded = saved->now;
            }
            nameBox()->setFocus();
            return;
        }
    }
    const QString name = nameBox()->text();
    names->clear();
    names->setEditText(name);
    refill();
    names->setEditText(name);
    setKey(0);
    setMode(registers::EditMode::Browsing);
    names->setFocus();
    saveButton->hide();
}

void RegisterWindow::deleteRow()
{
    // Right after a save, or before any pick, no row is loaded: nothing to delete.
    if (m_key == 0) {
        app().inform(QStringLiteral("No %1 is chosen to delete. Pick the %1 in the list first, "
                                    "then press Delete.")
                         .arg(m_config.what));
        names->setFocus();
        return;
    }
    if (app().prompter().ask(QStringLiteral(" Are you sure?"), QStringLiteral("Delete Record"))) {
        if (Status removed = data().remove(m_config.data, m_key); !removed) {
            app().inform(
                QStringLiteral("The %1 was not deleted: %2").arg(m_config.what, removed.error()));
            return;
        }
        names->clear();
        refill();
        names->setEditText(QString());
        clearBoxes(false);
    }
    names->setFocus();
}

void RegisterWindow::showList()
{
    showReport(app(),
               report::Report(m_config.report, report::DataSource::of(data().list(m_config.data))));
}

Result<Saved> RegisterWindow::store(registers::EditMode mode, qint64 key, const Record& values,
                                    const Record& asRead)
{
    return data().save(m_config.data, mode, key, values, asRead);
}

} // namespace parlog
