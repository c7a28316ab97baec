#pragma once

#include "app/window.h"

#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace parlog {

class Connection;

// Division: the division names offered in the player window. Keeps one connection
// for as long as it is open.
class DivisionWindow : public Window {
    Q_OBJECT
public:
    explicit DivisionWindow(Application& app);
    ~DivisionWindow() override;

    void form_load() override;
    void Combo0_Click();
    void Command2_Click(); // Add
    void Command1_Click(); // Delete
    void Command3_Click(); // Close

private:
    // The window's connection, opened again if it could not be opened at load.
    Connection* connection();
    void refill();

    std::unique_ptr<Connection> m_connection;
    QComboBox* Combo0;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
};

} // namespace parlog
