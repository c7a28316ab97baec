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

    void load() override;
    // The system information tool where the registry says it is, else why not.
    void startSystemInfo();

private:
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblData;
    QPushButton* okButton;
    QPushButton* systemInfoButton;
};

} // namespace parlog
