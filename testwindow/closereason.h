#pragma once

// Why a window is asked to close.
enum class CloseReason {
    User = 0,           // close box or window menu
    Program = 1,        // the program unloads the window itself
    SystemShutdown = 2, // the session is shutting down or logging off
    TaskManager = 3,    // the program is told to terminate (SIGTERM)
    ParentClosing = 4,  // a parent window closes
    OwnerClosing = 5,   // an owner window closes
};

// What a window does with a close request.
enum class CloseAction {
    EndProgram, // end the program at once
    Unload,     // let the window close
    Cancel,     // refuse: the window stays open
};

// The one rule both windows answer close requests by.
CloseAction ActionForCloseReason(CloseReason reason);
