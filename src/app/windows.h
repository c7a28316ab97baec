#pragma once

namespace parlog {

class Application;

// The program's own windows, registered on an Application by whoever makes it: the
// program and the tests' fixture, so that Application itself knows no window.
void registerWindows(Application& app);

} // namespace parlog
