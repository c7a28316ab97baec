#pragma once

#include <QString>

namespace parlog {

class Application;

// The section of the help pages about a window.
QString helpSection(const QString& windowName);

// Opens the help pages at a section, or says that they are missing.
void openHelp(Application& app, const QString& section = {});

} // namespace parlog
