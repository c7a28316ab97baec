#pragma once

#include "base/window.h"

class QLabel;
class QMenu;
class QPushButton;

namespace parlog {

// main: the start-up window, one button for each task window.
class MainMenu : public Window {
    Q_OBJECT
public:
    explicit MainMenu(Application& app);

    void load() override;

    void backUpNow();       // the online backup the deletions make, at any time
    // Every player, course or round of the register into a CSV file that imports back
    // the same; false, having said why, when it was not written.
    Q_INVOKABLE bool exportTo(int kind, const QString& path);
    // The handicap list as a web page, opened in the browser once written.
    Q_INVOKABLE bool publishHandicaps(const QString& path);
    // The title names the register in use.
    Q_INVOKABLE void showRegister();

private:
    QPushButton* button(const QString& name, const QString& caption);

    void addMenuBar();
    void fillRecent();

    QLabel* picture;
    QMenu* m_recent = nullptr;
};

} // namespace parlog
