#include "data/outputfile.h"

#include "data/location.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace parlog {

namespace {

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Where a path leads through its links, followed to the end; a link that points nowhere
// yet leads to where it points.
QString finalPath(const QString& path)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops) {
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            break;
        info = QFileInfo(target);
    }
    return info.absoluteFilePath();
}

// The folders a register's backups go to: beside a file, and the user's own.
QStringList backupFolders(const QString& registerLocation)
{
    QStringList folders{QDir(userDataFolder()).filePath(QStringLiteral("backups"))};
    if (!serverAddress(registerLocation))
        folders << QFileInfo(QFileInfo(registerLocation).absolutePath() +
                             QStringLiteral("/backups"))
                       .absoluteFilePath();
    return folders;
}

} // namespace

QString protectedFile(const QString& path, const QString& registerLocation)
{
    if (registerLocation.isEmpty())
        return {};
    const QString target = finalPath(path);
    const auto identity = fileIdentity(target);
    const auto same = [&](const QString& other) {
        const auto theirs = fileIdentity(other);
        return identity ? theirs && *theirs == *identity
                        : QFileInfo(other).absoluteFilePath() == target;
    };
    if (!serverAddress(registerLocation)) {
        const QString file = finalPath(registerLocation);
        if (same(file) || same(registerLocation))
            return QStringLiteral("%1 is the register in use. Parlog does not write over it: "
                                  "choose another file.")
                .arg(shown(path));
        for (const char* suffix : {"-journal", "-wal", "-shm"})
            if (same(file + QLatin1String(suffix)))
                return QStringLiteral("%1 is the journal of the register in use. Parlog does not "
                                      "write over it: choose another file.")
                    .arg(shown(path));
    }
    if (!identity)
        return {};
    const QString backupWords = QStringLiteral("%1 is one of the register's backups. Parlog does "
                                               "not write over it: choose another file.")
                                    .arg(shown(path));
    for (const QString& folder : backupFolders(registerLocation)) {
        if (!QFileInfo::exists(folder))
            continue;
        const QFileInfoList copies =
            QDir(finalPath(folder)).entryInfoList(QDir::Files | QDir::Hidden);
        for (const QFileInfo& copy : copies)
            if (same(copy.absoluteFilePath()))
                return backupWords;
    }
    return {};
}

WholeFile::WholeFile(OutputFile target)
    : m_target(std::move(target))
{
}

WholeFile::~WholeFile()
{
    m_file.close();
    if (!m_part.isEmpty())
        QFile::remove(m_part);
}

Status WholeFile::open()
{
    const auto refuse = [this](const QString& why) {
        return Failure{QStringLiteral("The file %1 could not be written (%2).")
                           .arg(shown(m_target.path), why)};
    };
    if (const QString why = protectedFile(m_target.path, m_target.registerLocation); !why.isEmpty())
        return Failure{why};
    m_final = finalPath(m_target.path);
    if (QFileInfo(m_final).isDir())
        return refuse(QStringLiteral("it is a folder"));
    // Made owner-only by mkstemp before a byte goes in; its own mode comes at commit.
    QByteArray pattern =
        QFile::encodeName(QFileInfo(m_final).absolutePath() + QStringLiteral("/.") +
                          QFileInfo(m_final).fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return refuse(QString::fromLocal8Bit(std::strerror(errno)));
    m_part = QFile::decodeName(pattern);
    m_file.setFileName(m_part);
    if (!m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        QFile::remove(m_part);
        m_part.clear();
        return refuse(m_file.errorString());
    }
    return {};
}

Status WholeFile::commit()
{
    const auto failed = [this](const QString& why) {
        m_file.close();
        QFile::remove(m_part);
        m_part.clear();
        return Failure{QStringLiteral("The file %1 could not be written (%2).")
                           .arg(shown(m_target.path), why)};
    };
    if (m_part.isEmpty())
        return failed(QStringLiteral("it was not opened"));
    // A writer may have closed the device itself once it had written all (a PDF's does).
    if (m_file.isOpen() && !m_file.flush())
        return failed(m_file.errorString());
    m_file.close();
    const QByteArray part = QFile::encodeName(m_part);
    // What a new file of the user's gets (umask), unless it holds members' details.
    mode_t mode = 0600;
    if (!m_target.ownerOnly) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    const int fd = ::open(part.constData(), O_WRONLY);
    const bool synced = fd >= 0 && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    if (fd >= 0)
        ::close(fd);
    if (!synced)
        return failed(why);
    // Looked at again just before: the register may have been put at that name meanwhile.
    if (const QString refused = protectedFile(m_target.path, m_target.registerLocation);
        !refused.isEmpty()) {
        failed(refused);
        return Failure{refused};
    }
    if (std::rename(part.constData(), QFile::encodeName(m_final).constData()) != 0)
        return failed(QString::fromLocal8Bit(std::strerror(errno)));
    m_part.clear();
    return {};
}

} // namespace parlog
