#include "testwindow/platform.h"

// Platforms without POSIX signals: the windowing system itself reports how
// the program is asked to end, and a display is always there.
namespace nlt::platform {

bool DisplayAvailable(int, char **) { return true; }

void WatchTermination(QObject *, std::function<void()>) {}

} // namespace nlt::platform
