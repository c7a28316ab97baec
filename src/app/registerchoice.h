#pragma once

#include "base/window.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace parlog {

// Which register Parlog uses: this PC's file, or the club's register on a server.
// The choice is remembered in the user's settings (never a password).
class RegisterChoice : public Window {
    Q_OBJECT
public:
    explicit RegisterChoice(Application& app);

    void load() override;
    // Turns to the register chosen, and remembers it.
    void use();

    // What the settings remember: the server's address when the club server is
    // chosen, else nothing (this PC's file).
    static QString remembered();

private:
    QRadioButton* thisPc;
    QRadioButton* clubServer;
    QLabel* file;
    QLineEdit* address;
};

} // namespace parlog
