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

    void load() override;
    void pickName(); // the name picked goes into the box, to delete
    void add();
    void remove();

private:
    void refill();

    QComboBox* names;
    QLineEdit* nameBox;
    QPushButton* deleteButton;
    QPushButton* addButton;
    QPushButton* closeButton;
};

} // namespace parlog
