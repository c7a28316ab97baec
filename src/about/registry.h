#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace parlog {

// The system registry as the About box uses it: open a key, read a value, close the
// key, each answering 0 on success like the platform's own calls.
class Registry {
public:
    using Handle = std::uintptr_t;
    static constexpr Handle kLocalMachine = 0x80000002u;
    static constexpr std::uint32_t kAllAccess = 0x2003F;
    static constexpr std::uint32_t kString = 1; // REG_SZ
    static constexpr std::uint32_t kDword = 4;  // REG_DWORD
    static constexpr long kNotFound = 2;
    static constexpr long kMoreData = 234;

    virtual ~Registry() = default;
    virtual long openKey(Handle root, const QByteArray& keyName, std::uint32_t access,
                         Handle* key) = 0;
    // data holds the buffer on entry; size is its size on entry and the size of the
    // value on return.
    virtual long queryValue(Handle key, const QByteArray& valueName, std::uint32_t* type,
                            QByteArray* data, std::uint32_t* size) = 0;
    virtual long closeKey(Handle key) = 0;
};

// This platform has no registry: every key is missing.
class NoRegistry : public Registry {
public:
    long openKey(Handle, const QByteArray&, std::uint32_t, Handle*) override { return kNotFound; }
    long queryValue(Handle, const QByteArray&, std::uint32_t*, QByteArray*, std::uint32_t*) override
    {
        return kNotFound;
    }
    long closeKey(Handle) override { return kNotFound; }
};

// Reads a value as the About box does: a string without its closing NUL, or a
// DWORD as "&h" and the hex digits of its bytes from last to first. False with an
// empty value when the key or value cannot be read.
bool GetKeyValue(Registry& registry, Registry::Handle root, const QString& keyName,
                 const QString& valueName, QString& value);

// Where the system information tool is, if the registry says so: the first key's
// path as it stands, or the second key's folder when MSINFO32.EXE is in it.
std::optional<QString> systemInfoPath(Registry& registry,
                                      const std::function<bool(const QString&)>& fileExists);

} // namespace parlog
