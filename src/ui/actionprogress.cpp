#include "ui/actionprogress.h"

#include <QApplication>
#include <QProgressDialog>

namespace parlog {

namespace {
// Longer than this and the user is shown that something is happening.
constexpr qint64 kMomentMs = 300;
// How often the windows are given a chance to paint.
constexpr qint64 kPaintEveryMs = 40;
} // namespace

ActionProgress::ActionProgress(QString text)
    : m_text(std::move(text))
{
    m_clock.start();
    m_sinceEvents.start();
}

ActionProgress::~ActionProgress() = default;

bool ActionProgress::carryOn(long long done, long long total)
{
    if (m_cancelled)
        return false;
    if (!m_dialog && m_clock.elapsed() >= kMomentMs) {
        m_dialog = std::make_unique<QProgressDialog>(m_text, QStringLiteral("Cancel"), 0, 0,
                                                     QApplication::activeWindow());
        m_dialog->setObjectName(QStringLiteral("progress"));
        m_dialog->setWindowTitle(QStringLiteral("Parlog"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoReset(false);
        m_dialog->setAutoClose(false);
        QObject::connect(m_dialog.get(), &QProgressDialog::canceled,
                         [this] { m_cancelled = true; });
        m_dialog->show();
    }
    if (m_dialog && total > 0) {
        m_dialog->setMaximum(int(qMin<long long>(total, 1 << 30)));
        m_dialog->setValue(int(qMin<long long>(done, 1 << 30)));
    }
    if (m_sinceEvents.elapsed() >= kPaintEveryMs) {
        m_sinceEvents.restart();
        // Until the modal dialog is up, no click may reach another window.
        QCoreApplication::processEvents(m_dialog ? QEventLoop::AllEvents
                                                 : QEventLoop::ExcludeUserInputEvents);
    }
    return !m_cancelled;
}

} // namespace parlog
