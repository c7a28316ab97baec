#pragma once

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QWaitCondition>

#include <functional>
#include <optional>

namespace parlog {

// What the program knows of its registers while it runs, shared by the connections it
// opens: which files were found damaged, which are being checked, the passwords typed
// this run, and how to show that a statement is busy or to ask for a password. The
// Application owns one; a connection made without one gets its own, so that two
// programs (or two tests) in one process never see each other's.
class Session {
public:
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Called with true when a statement starts and false when it ends, so that the
    // program can show that it is busy.
    void setActivityHook(std::function<void(bool busy)> hook);
    void busy(bool busy) const;

    // Asked for the password of a server whose own means (~/.pgpass, PGPASSWORD) gave
    // none; nothing to give up. Passwords are kept for the run only, never stored.
    void setPasswordHook(std::function<std::optional<QString>(const QString& shown)> ask);
    std::optional<QString> askPassword(const QString& shown) const;
    std::optional<QString> password(const QString& location) const;
    void keepPassword(const QString& location, const QString& password);

    // A file found damaged is opened read-only from then on, so that what can be read
    // can be rescued and nothing is written over it; every refused write says why.
    void markDamaged(const QString& key, const QString& message);
    QString damage(const QString& key) const; // empty when not known damaged
    // A file whose every page was read and found sound: writes need not look again.
    void markSound(const QString& key);
    bool knownSound(const QString& key) const;

    // The integrity check of a file has started (in the background) or ended; writes
    // wait between the two.
    void checkStarted(const QString& key);
    void checkEnded(const QString& key);
    void waitForCheck(const QString& key);

private:
    mutable QMutex m_lock;
    QWaitCondition m_checkDone;
    QSet<QString> m_checking;
    QHash<QString, QString> m_damaged;
    QSet<QString> m_sound;
    QHash<QString, QString> m_passwords;
    std::function<void(bool)> m_activity;
    std::function<std::optional<QString>(const QString&)> m_askPassword;
};

} // namespace parlog
