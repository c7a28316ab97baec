#pragma once

#include "data/progress.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace parlog {

// The progress of an action the user waits for: nothing shows if it is done within
// a moment; after that a dialog with Cancel appears over the window in front, and
// the windows keep painting meanwhile.
class ActionProgress : public Progress {
public:
    explicit ActionProgress(QString text);
    ~ActionProgress() override;

    bool carryOn(long long done, long long total) override;

private:
    QString m_text;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceEvents;
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};

} // namespace parlog
