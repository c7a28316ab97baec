#include "base/application.h"

#include "base/window.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/registerinuse.h"
#include "data/session.h"
#include "ui/actionprogress.h"
#include "ui/registry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLayout>
#include <QScreen>
#include <QSettings>

#include <utility>

namespace parlog {

namespace {
const QString kCaption = QStringLiteral("Parlog");

// A busy cursor while a statement runs in the window thread: a file that another
// program holds shows at once that Parlog is waiting, not frozen.
void showBusy(bool busy)
{
    if (!qApp || QThread::currentThread() != qApp->thread())
        return;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
} // namespace

Application::Application(Services services)
    : m_services(std::move(services))
    , m_session(std::make_shared<Session>())
{
    if (!m_services.prompter)
        m_services.prompter = std::make_shared<MessageBoxPrompter>();
    if (!m_services.today)
        m_services.today = [] { return QDate::currentDate(); };
    if (!m_services.launcher)
        m_services.launcher = std::make_shared<ProcessLauncher>();
    if (!m_services.registry)
        m_services.registry = std::make_shared<NoRegistry>();
    m_session->setActivityHook(showBusy);
    // A server's password, when its own means gave none: asked once, kept for the run.
    m_session->setPasswordHook([prompter = m_services.prompter](const QString& location) {
        return prompter->askPassword(
            QStringLiteral("The club register %1 asks for a password.").arg(location),
            QStringLiteral("Parlog"));
    });
    if (!m_services.progress)
        m_services.progress = [](const QString& text) -> std::unique_ptr<Progress> {
            return std::make_unique<ActionProgress>(text);
        };
    if (m_services.dataFile.isEmpty())
        m_services.dataFile = defaultDataFile(m_services.programFolder);
    else if (!serverAddress(m_services.dataFile))
        m_services.dataFile = QFileInfo(m_services.dataFile).absoluteFilePath();
    m_register =
        std::make_shared<RegisterInUse>(m_session, m_services.dataFile, m_services.progress);
    m_register->whenVerified([this] { remember(); });
}

Application::~Application()
{
    if (m_integrityCheck) {
        m_stopCheck = true;
        m_integrityCheck->wait();
        delete m_integrityCheck;
    }
    // Top-level windows have no parent to own them; they go before the services they use.
    // Taken out of the registry first: a window that goes takes itself out of it, which
    // must not happen to the list being walked.
    const auto windows = std::exchange(m_windows, {});
    for (const auto& window : windows)
        std::unique_ptr<QWidget> owned(window.data());
}

QString Application::helpFolder() const
{
    return parlog::helpFolder(m_services.programFolder);
}

void Application::registerWindow(const QString& windowName, Factory factory)
{
    m_factories.insert(windowName, std::move(factory));
}

QWidget* Application::find(const QString& windowName) const
{
    const auto it = m_windows.constFind(windowName);
    return it == m_windows.constEnd() ? nullptr : it->data();
}

QWidget* Application::show(const QString& windowName, std::any context)
{
    if (QWidget* open = find(windowName)) {
        if (auto* task = qobject_cast<Window*>(open); task && context.has_value()) {
            task->setContext(std::move(context));
            task->contextChanged();
        }
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    const auto factory = m_factories.constFind(windowName);
    if (factory == m_factories.constEnd())
        return nullptr;
    QWidget* window = (*factory)(*this);
    if (!window)
        return nullptr;
    window->setObjectName(windowName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_windows.insert(windowName, window);
    const auto drop = [this, windowName, window] {
        const auto it = m_windows.find(windowName);
        if (it != m_windows.end() && (it->isNull() || it->data() == window))
            m_windows.erase(it);
    };
    // A closed window is gone at once, although Qt deletes it a moment later: the
    // next show loads afresh.
    connect(window, &QObject::destroyed, this, drop);
    auto* task = qobject_cast<Window*>(window);
    if (task) {
        connect(task, &Window::closed, this, drop);
        // Where the user left it is where it opens next time.
        connect(task, &Window::closed, this, [windowName, window] {
            QSettings().setValue(QStringLiteral("windows/%1").arg(windowName), window->pos());
        });
        task->setContext(std::move(context));
        task->load();
    }
    // A load that closed its own window leaves nothing to show.
    if (!find(windowName))
        return nullptr;
    place(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

namespace {

// What the desktop adds around a window: its title bar and borders, as a window already
// on the screen shows them, and never less than a usual title bar's, which a window
// not yet shown has none of.
QMargins frameOf(const QWidget* window)
{
    const QMargins usual(4, 30, 4, 4);
    const auto atLeastUsual = [&usual](const QMargins& m) {
        return QMargins(qMax(m.left(), usual.left()), qMax(m.top(), usual.top()),
                        qMax(m.right(), usual.right()), qMax(m.bottom(), usual.bottom()));
    };
    const auto margins = [](const QWidget* w) {
        const QRect frame = w->frameGeometry();
        const QRect inside = w->geometry();
        return QMargins(inside.left() - frame.left(), inside.top() - frame.top(),
                        frame.right() - inside.right(), frame.bottom() - inside.bottom());
    };
    if (window->isVisible() && window->frameGeometry() != window->geometry())
        return atLeastUsual(margins(window));
    for (const QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->isWindow() && top->frameGeometry() != top->geometry())
            return atLeastUsual(margins(top));
    return usual;
}

} // namespace

void Application::place(QWidget* window) const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A window of its natural size has it only once its layout has been worked out.
    if (QLayout* layout = window->layout())
        layout->activate();
    // The room for what is inside the frame: the whole window, title bar and all, stays
    // on the screen's free area.
    const QMargins frame = frameOf(window);
    const QRect room = screen->availableGeometry();
    const QSize inside = room.size().shrunkBy(frame);
    // Larger than a small screen: made to fit where it can be.
    if (window->width() > inside.width() || window->height() > inside.height()) {
        if (window->minimumSize() != window->maximumSize())
            window->resize(window->size().boundedTo(inside));
    }
    QPoint at;
    const QVariant kept =
        QSettings().value(QStringLiteral("windows/%1").arg(window->objectName()));
    if (kept.isValid()) {
        at = kept.toPoint();
    } else {
        // The first time, each window a step down and to the right of the one before,
        // from the menu, instead of all on one spot.
        const QWidget* menu = find(windows::kMain);
        const QPoint origin = menu && menu != window ? menu->pos() : room.topLeft() + QPoint(40, 40);
        const int step = 28 * int(m_windows.size() % 10);
        at = origin + QPoint(step, step);
    }
    // Always on the screen, whole where it fits, frame and all (move places the frame).
    const int wide = window->width() + frame.left() + frame.right();
    const int tall = window->height() + frame.top() + frame.bottom();
    at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() + 1 - wide)));
    at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() + 1 - tall)));
    window->move(at);
}

void Application::quit()
{
    // Close handlers do not run: nothing is asked and nothing is written.
    const auto windows = m_windows;
    m_windows.clear();
    for (const auto& window : windows) {
        if (window) {
            window->hide();
            window->deleteLater();
        }
    }
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops) {
        if (top->isVisible()) {
            top->hide();
            top->deleteLater();
        }
    }
    QCoreApplication::quit();
}

bool Application::useRegister(const QString& location)
{
    // Looked at as a new register is, before the one in use is let go.
    RegisterInUse probe(m_session, location, m_services.progress);
    if (const auto opened = probe.connect(Connection::Check::Full); !opened) {
        inform(opened.error());
        return false;
    }
    m_services.dataFile = location;
    m_recorded = false;
    m_register->setLocation(location);
    (void)m_register->connect(Connection::Check::Full);
    remember();
    if (QWidget* menu = find(windows::kMain))
        QMetaObject::invokeMethod(menu, "showRegister");
    // Windows filled from the register before are closed, so none shows the old one.
    const auto open = m_windows;
    for (auto it = open.constBegin(); it != open.constEnd(); ++it)
        if (it.key() != windows::kMain && it.key() != windows::kRegister && it.value())
            it.value()->close();
    return true;
}

bool Application::openDataFile() const
{
    if (const auto opened = m_register->connect(Connection::Check::Full); !opened) {
        inform(opened.error());
        return false;
    }
    remember();
    return true;
}

void Application::remember() const
{
    if (m_recorded)
        return;
    m_recorded = true;
    QSettings settings;
    QStringList recent = settings.value(QStringLiteral("register/recent")).toStringList();
    const QString location = withoutPassword(dataFile());
    // Written only when it changes: a write waits for the disk twice (the lock file and
    // the settings), longer than the rest of the start.
    if (!recent.isEmpty() && recent.first() == location)
        return;
    recent.removeAll(location);
    recent.prepend(location);
    settings.setValue(QStringLiteral("register/recent"), recent.mid(0, 8));
}

QStringList Application::recentRegisters() const
{
    return QSettings().value(QStringLiteral("register/recent")).toStringList();
}

void Application::checkIntegrityInBackground()
{
    if (m_integrityCheck)
        return;
    // Made here, opened in the check's own thread, where its statements run.
    auto connection = std::make_shared<Connection>(dataFile(), m_session);
    const QString key = connection->key();
    m_session->checkStarted(key);
    m_integrityCheck = QThread::create([this, connection, key] {
        // Asked now and then whether the program is closing.
        struct UntilClosing : Progress {
            const std::atomic_bool* stop = nullptr;
            bool carryOn(long long, long long) override { return !*stop; }
        } untilClosing;
        untilClosing.stop = &m_stopCheck;
        Status sound;
        if (connection->open(Connection::Check::None)) {
            connection->setProgress(&untilClosing);
            sound = connection->checkIntegrity();
            connection->setProgress(nullptr);
        }
        connection->close();
        // Writes that wait are let go from here, not from the busy window thread.
        m_session->checkEnded(key);
        if (!sound && !m_stopCheck)
            QMetaObject::invokeMethod(
                this, [this, error = sound.error()] { inform(error); }, Qt::QueuedConnection);
    });
    m_integrityCheck->start(QThread::LowPriority);
}

bool Application::checkDataFile() const
{
    if (!openDataFile())
        return false;
    Connection connection(dataFile(), m_session);
    if (!connection.open(Connection::Check::None))
        return false;
    if (const Status sound = connection.checkIntegrity(); !sound) {
        inform(sound.error());
        return false;
    }
    return true;
}

void Application::inform(const QString& text) const
{
    m_services.prompter->inform(text, kCaption);
}

} // namespace parlog

namespace parlog {

void Application::runModal(QWidget* window)
{
    if (!window)
        return;
    if (m_modalRunner) {
        m_modalRunner(window);
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    QEventLoop loop;
    QPointer<QWidget> guard(window);
    if (auto* task = qobject_cast<Window*>(window))
        connect(task, &Window::closed, &loop, &QEventLoop::quit);
    connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (guard && guard->isVisible())
        loop.exec();
    if (guard)
        guard->setWindowModality(Qt::NonModal);
}

} // namespace parlog
