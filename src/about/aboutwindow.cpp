#include "about/aboutwindow.h"

#include "base/application.h"
#include "base/version.h"
#include "base/windownames.h"
#include "data/location.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace parlog {

namespace {
const QString kTitle = QStringLiteral("Parlog");
} // namespace

AboutWindow::AboutWindow(Application& app)
    : Window(app, windows::kAbout, QString())
{
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QIcon(QStringLiteral(":/icon.svg")).pixmap(48, 48));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    lblTitle->setFont(big);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblData = new QLabel(this);
    lblData->setObjectName(QStringLiteral("lblData"));
    lblData->setTextFormat(Qt::PlainText);
    lblData->setWordWrap(true);
    lblData->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblData->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblData->setMinimumWidth(fontMetrics().averageCharWidth() * 44);

    // A grey line with a white one under it: the etched separator.
    auto* line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setDefault(true);

    systemInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    systemInfoButton->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblData, 2, 1);
    grid->setRowMinimumHeight(3, fontMetrics().height());
    grid->addWidget(line1, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(systemInfoButton);
    auto* right = new QHBoxLayout;
    right->addStretch(1);
    right->addLayout(buttons);
    grid->addLayout(right, 5, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton, &QPushButton::clicked, this, &QWidget::close);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutWindow::startSystemInfo);
    setTabOrder(okButton, systemInfoButton);
}

void AboutWindow::load()
{
    setWindowTitle(QStringLiteral("About ") + kTitle);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(PARLOG_VERSION_MAJOR)
                            .arg(PARLOG_VERSION_MINOR)
                            .arg(PARLOG_VERSION_PATCH));
    lblData->setText(QStringLiteral("Register: %1").arg(shownLocation(app().dataFile())));
    lblTitle->setText(kTitle);
    okButton->setFocus();
}

void AboutWindow::startSystemInfo()
{
    const auto path = systemInfoPath(app().registry(),
                                     [](const QString& file) { return QFileInfo(file).isFile(); });
    if (path && app().launcher().start(*path, {}))
        return;
    app().inform(QStringLiteral("System Information Is Unavailable At This Time"));
}

} // namespace parlog
