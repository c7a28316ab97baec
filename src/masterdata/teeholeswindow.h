#pragma once

#include "base/window.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace parlog {

// The pars and stroke indexes of a tee that has its own, as a women's tee may: a box
// for each hole, empty where the course's stands.
class TeeHolesWindow : public Window {
    Q_OBJECT
public:
    explicit TeeHolesWindow(Application& app);
    void load() override;
    // Hands the holes back, once each reads.
    void accept();

private:
    QLabel* teeName;
    std::array<QLineEdit*, 18> par{};
    std::array<QLineEdit*, 18> si{};
};

} // namespace parlog
