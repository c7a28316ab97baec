#include "data/location.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

#include <sys/stat.h>
#include <unistd.h>

namespace parlog {

namespace {
const QString kFileName = QStringLiteral("parlog.mdb");

QString installedShare(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("../share/parlog"));
}

bool canWrite(const QString& folder)
{
    // access() answers for this user, ACLs included, where the mode bits would not.
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}
} // namespace

std::optional<ServerAddress> serverAddress(const QString& location)
{
    if (!location.startsWith(QLatin1String("postgresql://")) &&
        !location.startsWith(QLatin1String("postgres://")))
        return std::nullopt;
    const QUrl url(location);
    if (!url.isValid() || url.path().size() < 2)
        return std::nullopt;
    ServerAddress address;
    address.user = url.userName();
    address.host = url.host();
    address.port = url.port(0);
    address.database = url.path().mid(1);
    address.password = url.password();
    address.schema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"), QUrl::FullyDecoded);
    return address;
}

QString inSchema(const QString& location, const QString& schema)
{
    QUrl url(location);
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("schema"));
    query.addQueryItem(QStringLiteral("schema"), schema);
    url.setQuery(query);
    return url.toString();
}

QString withoutPassword(const QString& location)
{
    if (!serverAddress(location))
        return location;
    QUrl url(location);
    url.setPassword(QString());
    return url.toString();
}

QString shownLocation(const QString& location)
{
    if (serverAddress(location))
        return withoutPassword(location);
    return QDir::toNativeSeparators(location);
}

QString safeFileStem(const QString& name)
{
    QString stem;
    for (const QChar c : name)
        stem += c.isLetterOrNumber() || c == u'-' || c == u'_' ? c : QChar(u'_');
    return stem.isEmpty() ? QStringLiteral("club") : stem.left(80);
}

bool isInstalledProgram(const QString& programFolder)
{
    return QFileInfo(installedShare(programFolder)).isDir();
}

std::optional<FileIdentity> fileIdentity(const QString& location)
{
    struct stat file {};
    if (serverAddress(location) || ::stat(QFile::encodeName(location).constData(), &file) != 0)
        return std::nullopt;
    return FileIdentity{quint64(file.st_dev), quint64(file.st_ino)};
}

QString userDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Parlog"));
}

QString defaultDataFile(const QString& programFolder)
{
    const QString beside = QDir(programFolder).filePath(kFileName);
    if (QFileInfo::exists(beside) || QFileInfo(beside).isSymLink())
        return beside;
    if (!isInstalledProgram(programFolder) && canWrite(programFolder))
        return beside;
    return QDir(madeUserDataFolder()).filePath(kFileName);
}

QString madeUserDataFolder()
{
    const QString folder = userDataFolder();
    if (!QFileInfo(folder).isDir() && QDir().mkpath(folder))
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    return folder;
}

QString helpFolder(const QString& programFolder)
{
    const QString beside = QDir(programFolder).filePath(QStringLiteral("help"));
    if (QFileInfo(beside).isDir() || !isInstalledProgram(programFolder))
        return QDir::cleanPath(beside);
    return QDir::cleanPath(installedShare(programFolder) + QStringLiteral("/help"));
}

} // namespace parlog
