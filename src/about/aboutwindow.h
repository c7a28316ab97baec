#pragma once

#include "about/registry.h"
#include "base/window.h"

class QLabel;
class QPushButton;

namespace parlog {

// frmAbout: title, version, and the way to the system information tool.
class AboutWindow : public Window {
    Q_OBJECT
public:
    explicit AboutWindow(Application& app);

    void form_load() override;
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

private:
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblData;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

} // namespace parlog
