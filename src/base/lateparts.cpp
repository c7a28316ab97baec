#include "base/lateparts.h"

#include "base/application.h"
#include "base/version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

// Defined where the parts are linked in (the tests and tools); the program itself has
// none and loads the module.
extern "C" const parlog::LateParts* parlog_late_parts() __attribute__((weak));

namespace parlog {

namespace {
using Entry = const LateParts* (*)();
using Version = const char* (*)();
} // namespace

QStringList latePartsFolders()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {program, QDir::cleanPath(program + QStringLiteral("/" PARLOG_LATE_PARTS_FROM_BIN))};
}

const LateParts* lateParts(const QStringList& folders, QString* why)
{
    if (parlog_late_parts)
        return parlog_late_parts();
    QStringList tried;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(kLatePartsFile));
        if (!QFileInfo::exists(path)) {
            tried << QDir::toNativeSeparators(path);
            continue;
        }
        // Every symbol bound now: a module from another build fails here, not mid-window.
        // The object may go: a library it loaded stays until unload() is called.
        QLibrary library(path);
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        const auto version =
            reinterpret_cast<Version>(library.resolve("parlog_late_parts_version"));
        const auto entry = reinterpret_cast<Entry>(library.resolve("parlog_late_parts"));
        QString wrong;
        if (!version || !entry)
            wrong = library.errorString();
        else if (qstrcmp(version(), PARLOG_VERSION) != 0)
            wrong = QStringLiteral("it belongs to Parlog %1, not %2")
                        .arg(QString::fromLatin1(version()), QStringLiteral(PARLOG_VERSION));
        if (wrong.isEmpty())
            return entry(); // kept loaded for the rest of the session
        library.unload();
        if (why)
            *why = QStringLiteral("%1 could not be loaded: %2.")
                       .arg(QDir::toNativeSeparators(path), wrong);
        return nullptr;
    }
    if (why)
        *why = QStringLiteral("%1 is not there (looked for %2).")
                   .arg(QString::fromLatin1(kLatePartsFile), tried.join(QStringLiteral(", ")));
    return nullptr;
}

const LateParts* lateParts(QString* why)
{
    // Loaded once; a failure is tried again next time (the file may have been put back).
    static const LateParts* loaded = nullptr;
    if (!loaded)
        loaded = lateParts(latePartsFolders(), why);
    return loaded;
}

QWidget* lateWindow(Application& app, const QString& name)
{
    QString why;
    const LateParts* parts = lateParts(&why);
    if (!parts) {
        app.inform(QStringLiteral("The charts cannot be shown: %1 Installing Parlog again "
                                  "puts the file back.")
                       .arg(why));
        return nullptr;
    }
    return parts->window(app, name);
}

} // namespace parlog
