#pragma once

#include "testwindow/runstate.h"

// Ends a run after a wrong answer: shows the results window filled with the
// level reached and the four scores and unloads the main window, or, for a
// run without results, starts a fresh run in a new main window.
void ShowRunResults(const FinishedRun &run);
