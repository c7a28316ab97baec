#pragma once

#include "base/window.h"
#include "data/registers.h"
#include "masterdata/masterdata.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace parlog {

class Connection;

// What the player and course windows share: the picker with type-ahead, the mode and
// key of the row (mirrored in the hidden boxes stu, "1" adding, "2" editing, "3"
// browsing, and ID), and New, Edit, Save, Delete, Close and the list report.
class RegisterWindow : public Window {
    Q_OBJECT
public:
    void load() override;
    void pickRow();
    void typeAheadKey(int key);
    void startNew();  // New
    void startEdit(); // Edit
    void save();      // Save
    void deleteRow(); // Delete
    void showList();  // the whole register as a report

protected:
    struct Config {
        QString name; // window
        QString caption;
        const registers::Register& data; // the players' or the courses' register
        QString what;                    // "player", "course": for messages
        QString report;                  // DataReport1, DataReport2
    };
    RegisterWindow(Application& app, Config config);

    // Builds the shared controls; the subclass places them.
    void createShared(const QString& reportCaption);

    virtual QLineEdit* nameBox() const = 0;
    // Fills the boxes from a row.
    virtual void loadRow(const Record& row) = 0;
    // Empties the boxes as New (adding = true) or Delete leaves them.
    virtual void clearBoxes(bool adding) = 0;
    // The values to store by column; fails saying which box cannot be stored.
    virtual Result<Record> rowValues() = 0;
    virtual void afterLoad() {}
    // Asked before a row is stored; false stores nothing, the boxes as typed.
    virtual bool readyToSave() { return true; }
    // Stores the row: as registers::save does, for a window with nothing more to store.
    virtual Result<Saved> store(registers::EditMode mode, qint64 key, const Record& values,
                                const Record& asRead);

    void refill();
    // What the window does with the register.
    MasterData& data() { return m_data; }

    QComboBox* names = nullptr;
    QLineEdit* keyBox = nullptr;
    QLineEdit* modeBox = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* editButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* closeButton = nullptr;
    QPushButton* listButton = nullptr;

private:
    void setMode(registers::EditMode mode);
    void setKey(qint64 key);

    Config m_config;
    MasterData m_data;
    registers::EditMode m_mode = registers::EditMode::Browsing;
    qint64 m_key = 0; // the row loaded, 0 for none
    // The row as it was loaded: an edit changes it only if nobody else has meanwhile.
    Record m_loaded;
};

} // namespace parlog
