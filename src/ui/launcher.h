#pragma once

#include <QString>
#include <QStringList>

namespace parlog {

// Starts another program or opens a document; returns whether it started.
class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    virtual bool open(const QString& path) = 0;
};

class ProcessLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override;
    bool open(const QString& path) override;
};

} // namespace parlog
