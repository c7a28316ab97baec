#pragma once

#include "ui/registry.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace parlog {

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
