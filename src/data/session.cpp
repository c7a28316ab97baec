#include "data/session.h"

namespace parlog {

void Session::setActivityHook(std::function<void(bool)> hook)
{
    QMutexLocker lock(&m_lock);
    m_activity = std::move(hook);
}

void Session::busy(bool busy) const
{
    std::function<void(bool)> hook;
    {
        QMutexLocker lock(&m_lock);
        hook = m_activity;
    }
    if (hook)
        hook(busy);
}

void Session::setPasswordHook(std::function<std::optional<QString>(const QString&)> ask)
{
    QMutexLocker lock(&m_lock);
    m_askPassword = std::move(ask);
}

std::optional<QString> Session::askPassword(const QString& shown) const
{
    std::function<std::optional<QString>(const QString&)> ask;
    {
        QMutexLocker lock(&m_lock);
        ask = m_askPassword;
    }
    if (!ask)
        return std::nullopt;
    return ask(shown);
}

std::optional<QString> Session::password(const QString& location) const
{
    QMutexLocker lock(&m_lock);
    const auto it = m_passwords.constFind(location);
    if (it == m_passwords.constEnd())
        return std::nullopt;
    return *it;
}

void Session::keepPassword(const QString& location, const QString& password)
{
    QMutexLocker lock(&m_lock);
    m_passwords.insert(location, password);
}

void Session::markDamaged(const QString& key, const QString& message)
{
    QMutexLocker lock(&m_lock);
    m_damaged.insert(key, message);
}

QString Session::damage(const QString& key) const
{
    QMutexLocker lock(&m_lock);
    return m_damaged.value(key);
}

void Session::markSound(const QString& key)
{
    QMutexLocker lock(&m_lock);
    m_sound.insert(key);
}

bool Session::knownSound(const QString& key) const
{
    QMutexLocker lock(&m_lock);
    return m_sound.contains(key) && !m_damaged.contains(key);
}

void Session::checkStarted(const QString& key)
{
    QMutexLocker lock(&m_lock);
    m_checking.insert(key);
}

void Session::checkEnded(const QString& key)
{
    QMutexLocker lock(&m_lock);
    m_checking.remove(key);
    m_checkDone.wakeAll();
}

void Session::waitForCheck(const QString& key)
{
    QMutexLocker lock(&m_lock);
    if (!m_checking.contains(key))
        return;
    const auto activity = m_activity;
    lock.unlock();
    if (activity)
        activity(true);
    lock.relock();
    while (m_checking.contains(key))
        m_checkDone.wait(&m_lock);
    lock.unlock();
    if (activity)
        activity(false);
}

} // namespace parlog
