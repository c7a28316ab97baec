#include "base/window.h"

#include "base/application.h"
#include "base/help.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>

namespace parlog {

Window::~Window()
{
    // The window's own parts are gone by now, but its controls go later, and a box
    // that loses the focus as it goes says its editing is finished: its handler must
    // not run on what is left of the window.
    const auto controls = findChildren<QObject*>();
    for (QObject* control : controls)
        QObject::disconnect(control, nullptr, this, nullptr);
}

Window::Window(Application& app, const QString& name, const QString& caption)
    : m_app(app)
{
    setObjectName(name);
    setWindowTitle(caption);
    // Escape closes, asking nothing that Close would not ask; F1 opens the help at
    // this window's section.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, [this] {
        if (m_closesOnEscape)
            close();
    });
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [this] { openHelp(m_app, helpSection(objectName())); });
}

void Window::setDefaultButton(QAbstractButton* button)
{
    m_defaultButton = button;
}

void Window::keyPressEvent(QKeyEvent* event)
{
    // Enter comes here only when the control with the focus did not want it: a list
    // that picks an entry with Enter has taken it already. A button with the focus is
    // the one Enter presses; else the window's default.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
        QAbstractButton* target =
            focused && focused->window() == this ? focused : m_defaultButton.data();
        if (target && target->isVisible() && target->isEnabled()) {
            target->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Window::closeEvent(QCloseEvent* event)
{
    if (!okToClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void Window::moveFocus(QWidget* target)
{
    if (target && target->window()->isVisible())
        target->setFocus(Qt::OtherFocusReason);
}

} // namespace parlog
