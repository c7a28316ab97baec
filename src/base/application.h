#pragma once

#include <QDate>
#include <QThread>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <any>
#include <functional>
#include <atomic>
#include <memory>

#include "data/location.h"
#include "data/progress.h"
#include "ui/launcher.h"
#include "ui/prompter.h"

namespace parlog {

class Registry;
class RegisterInUse;
class Session;

struct Services {
    QString programFolder; // where the program, and beside it the help pages, live
    QString dataFile;      // the register; empty for the usual place (defaultDataFile)
    std::shared_ptr<Prompter> prompter;
    std::function<QDate()> today; // the date of "today"
    std::shared_ptr<Launcher> launcher;
    std::shared_ptr<Registry> registry; // the system registry; none on this platform
    // The progress of a long action, with its words; tests put their own here.
    std::function<std::unique_ptr<Progress>(const QString& text)> progress;
};

// The services every window uses, and the registry of open windows: a window exists
// at most once, and windows reach one another only through here.
class Application : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(Application&)>;

    explicit Application(Services services);
    ~Application() override;

    // Creates and loads the window, handing it the context first; or raises it
    // unchanged when it is open, context and all.
    QWidget* show(const QString& windowName, std::any context = {});
    QWidget* find(const QString& windowName) const; // nullptr when not open
    void quit();                                    // close every window, no close handlers

    // Adds a window that show() can create; later registrations replace earlier ones.
    void registerWindow(const QString& windowName, Factory factory);

    QString programFolder() const { return m_services.programFolder; }
    // The register in use, and the folder of the help pages.
    QString dataFile() const { return m_services.dataFile; }
    // Turns to another register (a file or a club server) at once: checks it, and
    // closes the windows that read the one before. False, with the reason said, when
    // it cannot be used; the register in use stays.
    bool useRegister(const QString& location);
    // The registers opened lately, newest first, passwords left out.
    QStringList recentRegisters() const;
    QString helpFolder() const;
    Prompter& prompter() const { return *m_services.prompter; }
    Launcher& launcher() const { return *m_services.launcher; }
    Registry& registry() const { return *m_services.registry; }
    QDate today() const { return m_services.today(); }

    Session& session() const { return *m_session; }
    // The register in use, for the features' use cases: each opens what it needs.
    RegisterInUse& registerInUse() const { return *m_register; }

    // The start-up look at the data file: creates a missing one, and says clearly
    // what is wrong with one that cannot be used. True when it can be used.
    bool openDataFile() const;
    // Then the slow look at every page of it, on a connection of its own in the
    // background, once the menu is on screen. Until its verdict, writes wait; a
    // damaged file is said so and written no more.
    void checkIntegrityInBackground();
    // Both at once, waiting for the verdict.
    bool checkDataFile() const;

    // The progress of an action that may take a while.
    std::unique_ptr<Progress> progress(const QString& text) const
    {
        return m_services.progress(text);
    }

    // A plain message with the program's title as caption.
    void inform(const QString& text) const;

    // Shows a window modally: returns when it has closed. Tests put their own runner
    // here, since nobody is there to close the window.
    void runModal(QWidget* window);
    void setModalRunner(std::function<void(QWidget*)> runner) { m_modalRunner = std::move(runner); }

private:
    // The register in use goes on the list of those opened lately.
    void remember() const;
    // Where a window opens: where it was last closed, or a step on from the one before.
    void place(QWidget* window) const;

    Services m_services;
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_windows;
    // What the connections it opens learn of the registers: damage, passwords, checks.
    std::shared_ptr<Session> m_session;
    std::function<void(QWidget*)> m_modalRunner;
    // Where the register is and what this run learnt of it.
    std::shared_ptr<RegisterInUse> m_register;
    mutable bool m_recorded = false; // the file, and the list of recent registers, noted
    QThread* m_integrityCheck = nullptr;
    // Set when the program closes: the check stops rather than keep the user waiting.
    std::atomic_bool m_stopCheck{false};
};

} // namespace parlog
