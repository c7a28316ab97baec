#include "ui/prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace parlog {

void MessageBoxPrompter::inform(const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool MessageBoxPrompter::ask(const QString& text, const QString& caption, Default byDefault)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(byDefault == Default::No ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace parlog
