#pragma once

#include <QByteArray>

#include <cstdint>

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

} // namespace parlog
