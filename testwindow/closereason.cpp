#include "testwindow/closereason.h"

CloseAction ActionForCloseReason(CloseReason reason)
{
    // The end test comes first, then the cancel test; everything else unloads.
    if (reason == CloseReason::User || reason == CloseReason::TaskManager) {
        return CloseAction::EndProgram;
    }
    if (reason == CloseReason::SystemShutdown) {
        return CloseAction::Cancel;
    }
    return CloseAction::Unload;
}
