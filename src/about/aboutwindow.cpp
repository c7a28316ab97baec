#include "about/aboutwindow.h"

#include "base/application.h"
#include "base/version.h"
#include "base/windownames.h"
#include "data/location.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace parlog {

namespace {
const QString kTitle = QStringLiteral("Parlog");
} // namespace

AboutWindow::AboutWindow(Application& app)
    : Window(app, windows::kAbout, QString())
{
    setFixedSize(420, 236);

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

    lblData = new QLabel(this);
    lblData->setObjectName(QStringLiteral("lblData"));
    lblData->setGeometry(84, 78, 324, 40);
    lblData->setTextFormat(Qt::PlainText);
    lblData->setWordWrap(true);
    lblData->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblData->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // A grey line with a white one under it: the etched separator.
    auto* line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    line1->setGeometry(12, 146, 396, 4);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(284, 160, 124, 28);
    cmdOK->setDefault(true);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(284, 196, 124, 28);

    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::cmdSysInfo_Click);
    setTabOrder(cmdOK, cmdSysInfo);
}

void AboutWindow::form_load()
{
    setWindowTitle(QStringLiteral("About ") + kTitle);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(PARLOG_VERSION_MAJOR)
                            .arg(PARLOG_VERSION_MINOR)
                            .arg(PARLOG_VERSION_PATCH));
    lblData->setText(
        QStringLiteral("Register: %1").arg(shownLocation(app().dataFile())));
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

void AboutWindow::StartSysInfo()
{
    const auto path = systemInfoPath(app().registry(),
                                     [](const QString& file) { return QFileInfo(file).isFile(); });
    if (path && app().launcher().start(*path, {}))
        return;
    app().inform(QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace parlog
