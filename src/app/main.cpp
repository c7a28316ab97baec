#include "base/application.h"
#include "base/lateparts.h"
#include "app/commandline.h"
#include "app/registerchoice.h"
#include "base/version.h"
#include "base/windownames.h"
#include "app/windows.h"
#include "data/backup.h"
#include "data/connection.h"
#include "data/copy.h"
#include "data/importing.h"
#include "data/location.h"
#include "stats/handicaprecord.h"
#include "base/reportwindow.h"
#include "competitions/society.h"
#include "data/conversions.h"
#include "data/registerinuse.h"
#include "data/session.h"
#include "reports/tabular.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include <unistd.h>

namespace {
// Runs its work once, after the first paint of any window, or after two seconds if no
// window has painted by then. With PARLOG_QUIT_AT_FIRST_PAINT set, that work ends the
// program, so that the benchmark can time the start-up a user sees.
class AtFirstPaint : public QObject {
public:
    explicit AtFirstPaint(std::function<void()> work)
        : m_work(std::move(work))
    {
        qApp->installEventFilter(this);
        QTimer::singleShot(2000, this, [this] { run(); });
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // After the paint, not within it: the event loop's next turn.
        if (event->type() == QEvent::Paint && !std::exchange(m_painted, true))
            QTimer::singleShot(0, this, [this] { run(); });
        return QObject::eventFilter(watched, event);
    }

private:
    void run()
    {
        if (!m_work)
            return;
        qApp->removeEventFilter(this);
        const std::function<void()> work = std::exchange(m_work, nullptr);
        work();
    }

    std::function<void()> m_work;
    bool m_painted = false;
};

// The smoke test has nobody to press OK: messages go to the terminal.
class TerminalPrompter : public parlog::Prompter {
public:
    void inform(const QString& text, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool ask(const QString& text, const QString& caption, Default) override
    {
        inform(text, caption);
        return false;
    }
};
// --copy-register: no window, the counts on the terminal, 0 only when every row came.
int copyRegister(int argc, char* argv[], const parlog::CommandLine& line)
{
    QCoreApplication core(argc, argv);
    const auto counts = parlog::copyRegister(line.source, line.target);
    if (!counts) {
        std::fprintf(stderr, "parlog: %s\n", qPrintable(counts.error()));
        return 1;
    }
    bool whole = true;
    for (const parlog::TableCount& c : *counts) {
        std::printf("%-9s %lld of %lld rows\n", qPrintable(c.table), c.arrived, c.source);
        whole = whole && c.arrived == c.source;
    }
    return whole ? 0 : 1;
}

// Opens the register named on the command line, or the usual one; one that is not
// there is not made.
parlog::Status openNamed(parlog::Connection& connection)
{
    return connection.open(parlog::Connection::Check::Full, parlog::Connection::Missing::Refuse);
}

QString registerLocation(const parlog::CommandLine& line)
{
    return line.database.isEmpty()
               ? parlog::defaultDataFile(QCoreApplication::applicationDirPath())
               : line.database;
}

parlog::importing::Kind kindNamed(const QString& target)
{
    namespace importing = parlog::importing;
    return target == u"courses"  ? importing::Kind::Courses
           : target == u"rounds" ? importing::Kind::Rounds
                                 : importing::Kind::Players;
}

// --export: every row of one kind into a CSV file.
int exportFile(int argc, char* argv[], const parlog::CommandLine& line)
{
    QCoreApplication core(argc, argv);
    parlog::Connection connection(registerLocation(line));
    parlog::Status done = openNamed(connection);
    if (done)
        done = parlog::importing::exportRegister(connection, kindNamed(line.target), line.source);
    if (!done) {
        std::fprintf(stderr, "parlog: %s\n", qPrintable(done.error()));
        return 1;
    }
    return 0;
}

// --publish: the handicap list, a competition's results or a season's order of merit as a
// web page; no file when the name is not known.
int publishPage(int argc, char* argv[], const parlog::CommandLine& line)
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Parlog"));
    QCoreApplication::setOrganizationName(QStringLiteral("Parlog"));
    const QString location = registerLocation(line);
    const auto fail = [](const QString& why) {
        std::fprintf(stderr, "parlog: %s\n", qPrintable(why));
        return 1;
    };
    {
        // Looked at whole first: a missing or damaged register is refused, not made.
        parlog::Connection probe(location);
        if (parlog::Status opened = openNamed(probe); !opened)
            return fail(opened.error());
    }
    parlog::RegisterInUse where(std::make_shared<parlog::Session>(), location, {});
    parlog::Society society(where);
    const QDate today = QDate::currentDate();
    const auto made = line.target == u"handicaps" ? society.handicapList(today)
                      : line.target == u"results" ? society.publishedResults(line.name)
                                                  : society.publishedMerit(line.name);
    if (!made)
        return fail(made.error());
    if (!*made)
        return fail(QStringLiteral("no %1 is named \"%2\"; nothing was written.")
                        .arg(line.target == u"results" ? QStringLiteral("competition")
                                                       : QStringLiteral("season"),
                             line.name));
    const parlog::Status written = parlog::report::writeHtml(
        parlog::societyName(location), parlog::formatDate(today, parlog::DateFormat::Long),
        {parlog::report::tableOf(**made, today)}, parlog::OutputFile(line.source, location));
    if (!written)
        return fail(written.error());
    return 0;
}

// --import: the file's rows into an existing register; 0 only when every row went in or
// was there already.
// An import's rows read and stored, on one line of the terminal rewritten a few times a
// second; nothing when the output goes to a file or another program.
class TerminalProgress : public parlog::Progress {
public:
    TerminalProgress()
        : m_shown(::isatty(STDOUT_FILENO) == 1)
    {
        m_clock.start();
    }
    ~TerminalProgress() override
    {
        if (m_shown && m_written) {
            std::printf("\r\033[K");
            std::fflush(stdout);
        }
    }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;
    bool carryOn(long long, long long) override { return true; }
    void counted(long long read, long long stored) override
    {
        if (!m_shown || (m_written && m_clock.elapsed() < 200))
            return;
        m_clock.restart();
        m_written = true;
        std::printf("\r%lld rows read, %lld stored", read, stored);
        std::fflush(stdout);
    }

private:
    bool m_shown;
    bool m_written = false;
    QElapsedTimer m_clock;
};

int importFile(int argc, char* argv[], const parlog::CommandLine& line)
{
    namespace importing = parlog::importing;
    QCoreApplication core(argc, argv);
    const auto kind = kindNamed(line.target);
    const auto opened = importing::open(line.source, kind);
    if (!opened) {
        std::fprintf(stderr, "parlog: %s\n", qPrintable(opened.error()));
        return 1;
    }
    if (const QString missing =
            importing::missingColumns(kind, opened->columns, opened->header);
        !missing.isEmpty()) {
        std::fprintf(stderr, "parlog: %s: %s\n", qPrintable(line.source), qPrintable(missing));
        return 1;
    }
    parlog::Connection connection(registerLocation(line));
    if (parlog::Status ready = openNamed(connection); !ready) {
        std::fprintf(stderr, "parlog: %s\n", qPrintable(ready.error()));
        return 1;
    }
    importing::Opened withIndexes = *opened;
    withIndexes.indexOnDay = parlog::indexAtTheStartOf(connection);
    const auto summary = [&] {
        TerminalProgress progress;
        return importing::store(connection, kind, withIndexes, false, &progress);
    }();
    if (!summary) {
        std::fprintf(stderr, "parlog: %s\n", qPrintable(summary.error()));
        return 1;
    }
    for (const importing::Row& row : summary->rejected)
        std::fprintf(stderr, "parlog: line %d not imported: %s\n", row.line, qPrintable(row.why));
    if (summary->rejected.size() < summary->notStored)
        std::fprintf(stderr, "parlog: and %d more rows not imported\n",
                     summary->notStored - int(summary->rejected.size()));
    std::printf("%s\n", qPrintable(importing::summaryText(*summary)));
    return summary->notStored == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    // --help and --version answer without a display, so read the options first.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const parlog::CommandLine line = parlog::parseCommandLine(arguments);
    switch (line.action) {
    case parlog::CommandLine::Action::Help:
        std::fputs(qPrintable(parlog::usageText()), stdout);
        return 0;
    case parlog::CommandLine::Action::Version:
        std::printf("Parlog %s\n", PARLOG_VERSION);
        return 0;
    case parlog::CommandLine::Action::Error:
        std::fprintf(stderr, "parlog: %s\nTry 'parlog --help'.\n", qPrintable(line.error));
        return 2;
    case parlog::CommandLine::Action::CopyRegister:
        return copyRegister(argc, argv, line);
    case parlog::CommandLine::Action::Import:
        return importFile(argc, argv, line);
    case parlog::CommandLine::Action::Export:
        return exportFile(argc, argv, line);
    case parlog::CommandLine::Action::Publish:
        return publishPage(argc, argv, line);
    case parlog::CommandLine::Action::RestoreRounds: {
        QCoreApplication core(argc, argv);
        const auto restored = parlog::restoreRounds(line.source, line.target);
        if (!restored) {
            std::fprintf(stderr, "parlog: %s\n", qPrintable(restored.error()));
            return 1;
        }
        std::printf("%d rounds restored, %d already there\n", restored->restored,
                    restored->alreadyThere);
        for (const QString& why : restored->notRestored)
            std::fprintf(stderr, "parlog: not restored: %s\n", qPrintable(why));
        if (!restored->notRestored.isEmpty())
            std::fprintf(stderr, "parlog: %lld rounds could not be restored\n",
                         static_cast<long long>(restored->notRestored.size()));
        return restored->notRestored.isEmpty() ? 0 : 1;
    }
    case parlog::CommandLine::Action::Run:
    case parlog::CommandLine::Action::SmokeTest:
        break;
    }

    // Without a desktop Qt would abort with advice to reinstall: say what is wrong and
    // what works without one.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr,
                     "parlog: Parlog needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY "
                     "is set). Without one, these work: parlog --help, --version, "
                     "--copy-register SOURCE TARGET, --restore-rounds BACKUP TARGET.\n");
        return 3;
    }
    QApplication qt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Parlog"));
    QApplication::setOrganizationName(QStringLiteral("Parlog"));
    QApplication::setApplicationVersion(QStringLiteral(PARLOG_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.parlog.Parlog"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon.svg")));

    parlog::Services services;
    services.programFolder = QApplication::applicationDirPath();
    // The register named here, or the club server chosen before, or the usual file.
    services.dataFile =
        line.database.isEmpty() ? parlog::RegisterChoice::remembered() : line.database;
    if (line.action == parlog::CommandLine::Action::SmokeTest)
        services.prompter = std::make_shared<TerminalPrompter>();
    parlog::Application app(std::move(services));
    parlog::registerWindows(app);
    // A register named on the command line that is not there may be a slip of the
    // keyboard: a new one is started there only when the user says so.
    if (!line.database.isEmpty() && !parlog::serverAddress(line.database) &&
        !QFileInfo::exists(app.dataFile()) && !QFileInfo(app.dataFile()).isSymLink() &&
        !app.prompter().ask(QStringLiteral("There is no register at %1. Start a new, empty "
                                           "register there?")
                                .arg(QDir::toNativeSeparators(app.dataFile())),
                            QStringLiteral("Parlog"), parlog::Prompter::Default::No))
        return 1;
    if (line.action == parlog::CommandLine::Action::SmokeTest) {
        // The verdict on every page is waited for: a damaged file fails the test.
        const bool sound = app.checkDataFile();
        app.show(parlog::windows::kMain);
        std::printf("register: %s\n", qPrintable(parlog::shownLocation(app.dataFile())));
        // The charts and printing are loaded too: an install without them fails here.
        QString why;
        const bool late = parlog::lateParts(&why) != nullptr;
        if (!late)
            std::fprintf(stderr, "parlog: %s\n", qPrintable(why));
        QTimer::singleShot(0, &app, [&app] { app.quit(); });
        const int status = QApplication::exec();
        return sound && late ? status : 1;
    }
    // The menu comes at once; the thorough check of a large file follows once it is on
    // the screen, so that it takes nothing from the menu's first paint.
    const bool usable = app.openDataFile();
    AtFirstPaint painted([&app, usable] {
        // Timed to the paint: the check that would start now is no part of it.
        if (!qEnvironmentVariableIsEmpty("PARLOG_QUIT_AT_FIRST_PAINT")) {
            std::fflush(nullptr);
            std::_Exit(0);
        }
        if (usable)
            app.checkIntegrityInBackground();
    });
    app.show(parlog::windows::kMain);
    return QApplication::exec();
}
