#pragma once

#include "app/window.h"

class QLabel;
class QTextBrowser;

namespace parlog {

// The section of the help pages about a window.
QString helpSection(const QString& windowName);

// Opens the help pages at a section, or says they are missing.
void openHelp(Application& app, const QString& section = {});

// The help pages shipped next to the program.
class HelpWindow : public Window {
    Q_OBJECT
public:
    explicit HelpWindow(Application& app);
    void form_load() override;
    void showSection(const QString& section);

private:
    QTextBrowser* m_browser;
    QLabel* m_register;
};

} // namespace parlog
