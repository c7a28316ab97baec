#pragma once

#include "base/window.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace parlog {

class Connection;

// Division: the division names offered in the player window.
class DivisionWindow : public Window {
    Q_OBJECT
public:
    explicit DivisionWindow(Application& app);

    void form_load() override;
    void Combo0_Click();
    void Command2_Click(); // Add
    void Command1_Click(); // Delete
    void Command3_Click(); // Close

private:
    void refill(Connection& connection);

    QComboBox* Combo0;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
};

} // namespace parlog
