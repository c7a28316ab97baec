#include "ui/prompter.h"

#include <QApplication>
#include <QEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace parlog {

namespace {

// The window a message speaks for: the one in front, or the last one opened.
QWidget* speaker()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* last = nullptr;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops)
        if (top->isVisible() && !(top->windowFlags() & Qt::Popup))
            last = top;
    return last;
}

// Centres the box over its window once it has its size, whatever the window system
// would have done.
class CentreOver : public QObject {
public:
    CentreOver(QMessageBox* box, QWidget* over)
        : QObject(box)
        , m_over(over)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && m_over) {
            auto* box = static_cast<QWidget*>(watched);
            box->move(m_over->frameGeometry().center() - box->rect().center());
        }
        return false;
    }

private:
    QWidget* m_over;
};

int run(QMessageBox& box)
{
    // Texts show as typed: a name that looks like markup is still just a name.
    box.setTextFormat(Qt::PlainText);
    if (QWidget* over = box.parentWidget())
        new CentreOver(&box, over);
    return box.exec();
}

} // namespace

void MessageBoxPrompter::inform(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, speaker());
    run(box);
}

bool MessageBoxPrompter::ask(const QString& text, const QString& caption, Default byDefault)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    speaker());
    box.setDefaultButton(byDefault == Default::No ? QMessageBox::No : QMessageBox::Yes);
    return run(box) == QMessageBox::Yes;
}

std::optional<QString> MessageBoxPrompter::askPassword(const QString& text, const QString& caption)
{
    bool given = false;
    const QString password =
        QInputDialog::getText(speaker(), caption, text, QLineEdit::Password, QString(), &given);
    if (!given)
        return std::nullopt;
    return password;
}

} // namespace parlog
