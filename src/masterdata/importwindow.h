#pragma once

#include "base/window.h"
#include "data/importing.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace parlog {

// importData: a CSV file's rows shown with what each becomes, and stored when the user
// says Import.
class ImportWindow : public Window {
    Q_OBJECT
public:
    explicit ImportWindow(Application& app);

    void load() override;
    void chooseFile();                              // the file dialog, then openFile
    Q_INVOKABLE bool openFile(const QString& path); // false, having said why, if not read
    void rereadFile(); // separator or encoding chosen: the file read anew
    void refresh();    // the preview anew, from the columns as assigned
    void importRows(); // Import
    bool saveNotImported(const QString& path);

    const std::optional<importing::Preview>& preview() const { return m_preview; }

private:
    void fillColumns();
    QList<int> chosenColumns() const;
    importing::Opened assigned() const; // the file as opened, with the user's choices
    importing::Kind chosenKind() const;

    QLineEdit* file;
    QComboBox* kind;
    QComboBox* separator;
    QComboBox* encoding;
    QComboBox* dates;
    QTableWidget* columns;
    QTableView* rows;
    QStandardItemModel* m_model;
    QCheckBox* allOrNothing;
    QLabel* status;
    QPushButton* importButton;
    QPushButton* saveRejected;
    std::optional<importing::Opened> m_opened;
    std::optional<importing::Preview> m_preview;
};

} // namespace parlog
