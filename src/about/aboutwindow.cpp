#include "about/aboutwindow.h"

#include "app/application.h"

#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace parlog {

namespace {
const QString kTitle = QStringLiteral("Parlog");
constexpr int kMajor = 3;
constexpr int kMinor = 1;
constexpr int kRevision = 0;
} // namespace

AboutWindow::AboutWindow(Application& app)
    : Window(app, QStringLiteral("frmAbout"), QString())
{
    setFixedSize(420, 190);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(16, 16, 48, 48);
    picIcon->setPixmap(QIcon(QStringLiteral(":/icon.svg")).pixmap(48, 48));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(84, 16, 320, 36);
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblTitle->setFont(big);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(84, 56, 320, 20);

    // A grey line with a white one under it: the etched separator.
    auto* line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    line1->setGeometry(12, 100, 396, 4);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(284, 114, 124, 28);
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(284, 150, 124, 28);

    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);
    setTabOrder(cmdOK, cmdSysInfo);
}

void AboutWindow::form_load()
{
    setWindowTitle(QStringLiteral("About ") + kTitle);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision));
    lblTitle->setText(kTitle);
    cmdOK->setFocus();
}

void AboutWindow::cmdOK_Click()
{
    close();
}

void AboutWindow::cmdSysInfo_Click()
{
    StartSysInfo();
}

bool AboutWindow::GetKeyValue(Registry::Handle root, const QString& keyName,
                              const QString& valueName, QString& value)
{
    return parlog::GetKeyValue(app().registry(), root, keyName, valueName, value);
}

void AboutWindow::StartSysInfo()
{
    const auto path = systemInfoPath(app().registry(),
                                     [](const QString& file) { return QFileInfo(file).isFile(); });
    if (path && app().launcher().start(*path, {}))
        return;
    app().inform(QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace parlog
