#pragma once

#include <functional>

class QObject;

namespace nlt::platform {

// Whether the windowing system can be reached at all; false on a Unix
// machine with no display variable and no platform chosen.
bool DisplayAvailable(int argc, char **argv);

// Calls onTerminate on the window thread whenever the program is told to
// terminate (SIGTERM); context owns the notifier. A no-op where unsupported.
void WatchTermination(QObject *context, std::function<void()> onTerminate);

} // namespace nlt::platform
