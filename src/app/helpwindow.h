#pragma once

#include "app/window.h"

class QLabel;
class QTextBrowser;

namespace parlog {

// The help pages shipped next to the program.
class HelpWindow : public Window {
    Q_OBJECT
public:
    explicit HelpWindow(Application& app);
    void form_load() override;

private:
    QTextBrowser* m_browser;
    QLabel* m_register;
};

} // namespace parlog
