#include "ui/prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace parlog {

void MessageBoxPrompter::inform(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool MessageBoxPrompter::ask(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace parlog
