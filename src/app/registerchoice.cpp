#include "app/registerchoice.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/location.h"
#include "ui/forms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    setFixedSize(520, 230);
    embolden(label(this, QStringLiteral("Label1"),
                   QStringLiteral("Where Parlog keeps the register"), {12, 10, 400, 24}));
    thisPc = new QRadioButton(QStringLiteral("This PC's file"), this);
    thisPc->setObjectName(QStringLiteral("thisPc"));
    thisPc->setGeometry(12, 42, 200, 24);
    file = label(this, QStringLiteral("file"), QString(), {36, 66, 470, 24});
    clubServer = new QRadioButton(QStringLiteral("The club server"), this);
    clubServer->setObjectName(QStringLiteral("clubServer"));
    clubServer->setGeometry(12, 100, 200, 24);
    address = box(this, QStringLiteral("address"), {36, 126, 470, 24});
    address->setPlaceholderText(QStringLiteral("postgresql://USER@HOST:5432/DBNAME"));
    label(this, QStringLiteral("Label2"),
          QStringLiteral("The password comes from ~/.pgpass, or Parlog asks for it once."),
          {36, 152, 470, 22});
    auto* use = button(this, QStringLiteral("use"), QStringLiteral("Use"), {316, 190, 92, 30});
    auto* close =
        button(this, QStringLiteral("close"), QStringLiteral("Close"), {414, 190, 92, 30});
    connect(use, &QPushButton::clicked, this, &RegisterChoice::use_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(address, &QLineEdit::textEdited, this, [this] { clubServer->setChecked(true); });
    setDefaultButton(use);
    focusOrder({thisPc, clubServer, address, use, close});
}

void RegisterChoice::form_load()
{
    const bool server = serverAddress(app().dataFile()).has_value();
    // The file in use (one named with --database too), else the usual one.
    file->setText(server ? defaultDataFile(app().programFolder()) : app().dataFile());
    QSettings settings;
    address->setText(server ? withoutPassword(app().dataFile())
                           : settings.value(kServer).toString());
    (server ? clubServer : thisPc)->setChecked(true);
}

void RegisterChoice::use_Click()
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
