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

    void form_load() override;

    void Command31_Click(); // Quick Search
    void Command36_Click(); // View Courses
    void Command37_Click(); // View Players
    void Command38_Click(); // View Stats
    void Command17_Click(); // New Player
    void Command26_Click(); // New Course
    void Command1_Click();  // New Round
    void Command40_Click(); // Delete Round
    void Command42_Click(); // Competition Results
    void handicapRecord();
    void Command32_Click(); // About
    void Command2_Click();  // Help
    void Command27_Click(); // Quit
    void backUpNow();       // the online backup the deletions make, at any time
    // Every player, course or round of the register into a CSV file that imports back
    // the same; false, having said why, when it was not written.
    Q_INVOKABLE bool exportTo(int kind, const QString& path);
    // The title names the register in use.
    Q_INVOKABLE void showRegister();

private:
    QPushButton* addRow(int row, const QString& labelName, const QString& caption,
                        const QString& buttonName);
    QPushButton* button(const QString& name, const QString& caption, const QRect& where);

    void addMenuBar();
    void fillRecent();

    QLabel* Picture1;
    QMenu* m_recent = nullptr;
};

} // namespace parlog
