#pragma once

#include <QPointer>
#include <QWidget>

class QAbstractButton;

#include <any>

namespace parlog {

class Application;

// A task window: built by its constructor, loaded by load when the registry
// shows it, and discarded when it closes.
class Window : public QWidget {
    Q_OBJECT
public:
    Window(Application& app, const QString& name, const QString& caption);
    ~Window() override;

    // Runs once, before the window is first shown.
    virtual void load() {}

    Application& app() const { return m_app; }

    // What the showing window handed over (an app/windowcontexts.h type), set before
    // load; nullptr when it handed nothing of that type.
    void setContext(std::any context) { m_context = std::move(context); }
    // Handed a new context while open: most windows stay as they are; one that can
    // take it (the score card, given a round to correct) does.
    virtual void contextChanged() {}
    template <typename T> const T* context() const { return std::any_cast<T>(&m_context); }

Q_SIGNALS:
    // The window has been closed and is on its way out.
    void closed();

protected:
    // Enter presses this button, wherever the focus is in the window.
    void setDefaultButton(QAbstractButton* button);
    // The main menu ends the program with Quit; every other window closes on Escape.
    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }

    // Runs when the user closes the window; not when the program quits.
    virtual void Form_Unload() {}
    // Asked before the user's close goes ahead (Escape, Close, the window's own close
    // button): false keeps the window open as it is.
    virtual bool okToClose() { return true; }
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // Moves the focus, but only once the window is on screen: focus moves made while
    // a window loads would otherwise decide where it opens.
    static void moveFocus(QWidget* target);

private:
    Application& m_app;
    std::any m_context;
    bool m_closesOnEscape = true;
    QPointer<QAbstractButton> m_defaultButton;
};

} // namespace parlog
