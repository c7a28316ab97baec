#include "ui/launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace parlog {

bool ProcessLauncher::start(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool ProcessLauncher::open(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace parlog
