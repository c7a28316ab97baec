#pragma once

#include "about/registry.h"

#include <QHash>

namespace parlog::test {

// A registry held in memory.
class MemoryRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type = kString;
        QByteArray data; // stored bytes, with a closing NUL if the writer kept one
    };
    void set(Handle root, const QByteArray& keyName, const QByteArray& valueName, Value value);

    long openKey(Handle root, const QByteArray& keyName, std::uint32_t access,
                 Handle* key) override;
    long queryValue(Handle key, const QByteArray& valueName, std::uint32_t* type, QByteArray* data,
                    std::uint32_t* size) override;
    long closeKey(Handle key) override;

    int openKeys() const { return int(m_open.size()); }

private:
    static QByteArray path(Handle root, const QByteArray& keyName);
    QHash<QByteArray, QHash<QByteArray, Value>> m_keys;
    QHash<Handle, QByteArray> m_open;
    Handle m_next = 1;
};

inline QByteArray MemoryRegistry::path(Handle root, const QByteArray& keyName)
{
    return QByteArray::number(quint64(root)) + '\\' + keyName.toLower();
}

inline void MemoryRegistry::set(Handle root, const QByteArray& keyName, const QByteArray& valueName,
                                Value value)
{
    m_keys[path(root, keyName)].insert(valueName.toLower(), std::move(value));
}

inline long MemoryRegistry::openKey(Handle root, const QByteArray& keyName, std::uint32_t,
                                    Handle* key)
{
    const QByteArray p = path(root, keyName);
    if (!m_keys.contains(p))
        return kNotFound;
    *key = m_next++;
    m_open.insert(*key, p);
    return 0;
}

inline long MemoryRegistry::queryValue(Handle key, const QByteArray& valueName, std::uint32_t* type,
                                       QByteArray* data, std::uint32_t* size)
{
    const auto open = m_open.constFind(key);
    if (open == m_open.constEnd())
        return 6; // invalid handle
    const auto& values = m_keys[*open];
    const auto it = values.constFind(valueName.toLower());
    if (it == values.constEnd())
        return kNotFound;
    *type = it->type;
    const auto needed = std::uint32_t(it->data.size());
    if (needed > *size) {
        *size = needed;
        return kMoreData;
    }
    data->replace(0, it->data.size(), it->data);
    *size = needed;
    return 0;
}

inline long MemoryRegistry::closeKey(Handle key)
{
    return m_open.remove(key) ? 0 : 6;
}

} // namespace parlog::test
