#include "app/registerchoice.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/location.h"
#include "ui/forms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

namespace parlog {

using namespace forms;

namespace {
const QString kKind = QStringLiteral("register/kind");
const QString kServer = QStringLiteral("register/server");
} // namespace

QString RegisterChoice::remembered()
{
    QSettings settings;
    if (settings.value(kKind).toString() != u"server")
        return {};
    return settings.value(kServer).toString();
}

RegisterChoice::RegisterChoice(Application& app)
    : Window(app, windows::kRegister, QStringLiteral("Register"))
{
    auto* heading = label(this, QStringLiteral("Label1"),
                          QStringLiteral("Where Parlog keeps the register"));
    embolden(heading);
    thisPc = new QRadioButton(QStringLiteral("This PC's file"), this);
    thisPc->setObjectName(QStringLiteral("thisPc"));
    file = label(this, QStringLiteral("file"), QString());
    clubServer = new QRadioButton(QStringLiteral("The club server"), this);
    clubServer->setObjectName(QStringLiteral("clubServer"));
    address = box(this, QStringLiteral("address"));
    address->setPlaceholderText(QStringLiteral("postgresql://USER@HOST:5432/DBNAME"));
    address->setMinimumWidth(fontMetrics().horizontalAdvance(address->placeholderText()) + 40);
    auto* password =
        label(this, QStringLiteral("Label2"),
              QStringLiteral("The password comes from ~/.pgpass, or Parlog asks for it once."));
    auto* use = button(this, QStringLiteral("use"), QStringLiteral("Use"));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The file and the server's boxes stand in under their choice.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(thisPc);
    auto* under = new QGridLayout;
    under->setColumnMinimumWidth(0, 20);
    under->addWidget(file, 0, 1);
    layout->addLayout(under);
    layout->addWidget(clubServer);
    auto* serverBoxes = new QGridLayout;
    serverBoxes->setColumnMinimumWidth(0, 20);
    serverBoxes->addWidget(address, 0, 1);
    serverBoxes->addWidget(password, 1, 1);
    layout->addLayout(serverBoxes);
    layout->addSpacing(8);
    layout->addLayout(row({use, close}));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(use, &QPushButton::clicked, this, &RegisterChoice::use);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(address, &QLineEdit::textEdited, this, [this] { clubServer->setChecked(true); });
    setDefaultButton(use);
    focusOrder({thisPc, clubServer, address, use, close});
}

void RegisterChoice::load()
{
    const bool server = serverAddress(app().dataFile()).has_value();
    // The file in use (one named with --database too), else the usual one.
    file->setText(server ? defaultDataFile(app().programFolder()) : app().dataFile());
    QSettings settings;
    address->setText(server ? withoutPassword(app().dataFile())
                           : settings.value(kServer).toString());
    (server ? clubServer : thisPc)->setChecked(true);
}

void RegisterChoice::use()
{
    const bool server = clubServer->isChecked();
    const QString location = server ? address->text().trimmed() : file->text();
    if (server && !serverAddress(location)) {
        app().inform(QStringLiteral("\"%1\" is not a server's address. Write it as "
                                    "postgresql://USER@HOST:5432/DBNAME.")
                         .arg(location));
        address->setFocus();
        return;
    }
    if (!app().useRegister(location))
        return;
    QSettings settings;
    settings.setValue(kKind, server ? QStringLiteral("server") : QStringLiteral("file"));
    // A password given in the address serves this run; the next one asks again.
    if (server)
        settings.setValue(kServer, withoutPassword(location));
    settings.sync();
    // It names the club's server and its user: the owner's to read.
    QFile::setPermissions(settings.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Only the usual file and a server are remembered; another file is named each time.
    const bool remembered =
        server || QFileInfo(location).absoluteFilePath() ==
                      QFileInfo(defaultDataFile(app().programFolder())).absoluteFilePath();
    app().inform(remembered
                     ? QStringLiteral("Parlog now uses %1, and will the next time it starts.")
                           .arg(shownLocation(location))
                     : QStringLiteral("Parlog now uses %1. To use it the next time, start "
                                      "Parlog with --database %1.")
                           .arg(shownLocation(location)));
    close();
}

} // namespace parlog
