// Opens every window on a sample database, offscreen, and saves each as
// <objectName>.png: parlog-screenshots OUTDIR [--db FILE]
#include "sampledata.h"

#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <functional>

namespace {

// Says Yes to every question and prints what it was told.
class LoggingPrompter : public parlog::Prompter {
public:
    void inform(const QString& text, const QString& caption) override
    {
        QTextStream(stderr) << "[" << caption << "] " << text << "\n";
    }
    bool ask(const QString& text, const QString& caption) override
    {
        QTextStream(stderr) << "[" << caption << "?] " << text << "\n";
        return true;
    }
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool save(QWidget* window, const QString& folder, const QString& name)
{
    if (!window)
        return false;
    settle();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    const bool ok = window->grab().save(file);
    QTextStream(stdout) << (ok ? "saved " : "FAILED ") << file << "\n";
    return ok;
}

struct Shot {
    QString file;
    std::function<QWidget*(parlog::Application&)> open;
};

QList<Shot> shots()
{
    const auto plain = [](const QString& name) {
        return Shot{name, [name](parlog::Application& app) { return app.show(name); }};
    };
    return {plain(QStringLiteral("main")), plain(QStringLiteral("frmAbout")),
            plain(QStringLiteral("help"))};
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QString out;
    QString db;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--db" && i + 1 < args.size())
            db = args[++i];
        else if (out.isEmpty())
            out = args[i];
    }
    if (out.isEmpty()) {
        QTextStream(stderr) << "usage: parlog-screenshots OUTDIR [--db FILE]\n";
        return 2;
    }
    QDir().mkpath(out);
    QTemporaryDir folder;
    const QString dataFile = QDir(folder.path()).filePath(QStringLiteral("parlog.mdb"));
    if (db.isEmpty()) {
        const QString error = parlog::tools::writeSampleDatabase(dataFile, {});
        if (!error.isEmpty()) {
            QTextStream(stderr) << "parlog-screenshots: " << error << "\n";
            return 1;
        }
    } else if (!QFile::copy(db, dataFile)) {
        QTextStream(stderr) << "parlog-screenshots: cannot copy " << db << "\n";
        return 1;
    }
    QDir().mkpath(QDir(folder.path()).filePath(QStringLiteral("help")));
    QFile::copy(QStringLiteral(PARLOG_SOURCE_DIR "/resources/help/index.html"),
                QDir(folder.path()).filePath(QStringLiteral("help/index.html")));

    parlog::Services services;
    services.programFolder = folder.path();
    services.prompter = std::make_shared<LoggingPrompter>();
    services.today = [] { return QDate(2026, 12, 9); };
    parlog::Application app(std::move(services));
    int failures = 0;
    for (const Shot& shot : shots()) {
        QWidget* window = shot.open(app);
        if (!save(window, out, shot.file))
            ++failures;
        if (window)
            window->close();
        settle();
    }
    return failures == 0 ? 0 : 1;
}
