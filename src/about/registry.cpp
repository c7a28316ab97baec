#include "about/registry.h"

namespace parlog {

QByteArray MemoryRegistry::path(Handle root, const QByteArray& keyName)
{
    return QByteArray::number(quint64(root)) + '\\' + keyName.toLower();
}

void MemoryRegistry::set(Handle root, const QByteArray& keyName, const QByteArray& valueName,
                         Value value)
{
    m_keys[path(root, keyName)].insert(valueName.toLower(), std::move(value));
}

long MemoryRegistry::openKey(Handle root, const QByteArray& keyName, std::uint32_t, Handle* key)
{
    const QByteArray p = path(root, keyName);
    if (!m_keys.contains(p))
        return kNotFound;
    *key = m_next++;
    m_open.insert(*key, p);
    return 0;
}

long MemoryRegistry::queryValue(Handle key, const QByteArray& valueName, std::uint32_t* type,
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

long MemoryRegistry::closeKey(Handle key)
{
    return m_open.remove(key) ? 0 : 6;
}

bool GetKeyValue(Registry& registry, Registry::Handle root, const QString& keyName,
                 const QString& valueName, QString& value)
{
    Registry::Handle key = 0;
    bool result = false;
    if (registry.openKey(root, keyName.toLatin1(), Registry::kAllAccess, &key) != 0) {
        value.clear();
    } else {
        QByteArray buffer(1024, '\0');
        std::uint32_t size = 1024;
        std::uint32_t type = 0;
        if (registry.queryValue(key, valueName.toLatin1(), &type, &buffer, &size) != 0) {
            value.clear();
        } else {
            QByteArray kept = buffer.left(int(qMin<std::uint32_t>(size, 1024)));
            if (!kept.isEmpty() && kept.endsWith('\0'))
                kept.chop(1);
            if (type == Registry::kString) {
                value = QString::fromLatin1(kept);
            } else if (type == Registry::kDword) {
                for (auto i = kept.size() - 1; i >= 0; --i)
                    value += QString::number(quint8(kept.at(i)), 16).toUpper();
                value = QStringLiteral("&h") + value;
            }
            result = true;
        }
    }
    registry.closeKey(key);
    return result;
}

std::optional<QString> systemInfoPath(Registry& registry,
                                      const std::function<bool(const QString&)>& fileExists)
{
    QString path;
    if (GetKeyValue(registry, Registry::kLocalMachine,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path))
        return path;
    if (GetKeyValue(registry, Registry::kLocalMachine,
                    QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                    QStringLiteral("MSINFO"), path)) {
        const QString file = path + QStringLiteral("\\MSINFO32.EXE");
        if (fileExists && fileExists(file))
            return file;
    }
    return std::nullopt;
}

} // namespace parlog
