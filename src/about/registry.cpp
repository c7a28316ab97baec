#include "about/registry.h"

namespace parlog {

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
