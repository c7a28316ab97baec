#pragma once

#include "base/window.h"

class QLabel;
class QTextBrowser;

namespace parlog {

// The help pages shipped next to the program.
class HelpWindow : public Window {
    Q_OBJECT
public:
    explicit HelpWindow(Application& app);
    void load() override;
    // Handed a section (a HelpContext): shows it.
    void contextChanged() override;
    void showSection(const QString& section);

private:
    QTextBrowser* m_browser;
    QLabel* m_register;
};

} // namespace parlog
