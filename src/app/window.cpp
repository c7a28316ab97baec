#include "app/window.h"

#include "app/application.h"

#include <QCloseEvent>

namespace parlog {

Window::Window(Application& app, const QString& name, const QString& caption)
    : m_app(app)
{
    setObjectName(name);
    setWindowTitle(caption);
}

void Window::closeEvent(QCloseEvent* event)
{
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
