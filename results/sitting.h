#pragma once

// Every run of this sitting, in memory only: nothing is written, and closing
// the program forgets them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "testwindow/runstate.h"

// One finished run as the sitting lists it.
struct SittingRun {
    // The level reached, as the results window's title gives it.
    int levelReached = 0;
    // The aggregate score, as the results window gives it (0 without a right answer).
    double aggregate = 0.0;
    // Number of questions judged, the wrong one included.
    std::size_t questions = 0;
    // The sum of the questions' times in milliseconds.
    std::int64_t ms = 0;
};

// The runs since the program started, thrown-away runs included, in order.
class Sitting {
public:
    // Adds a run that a wrong answer ended.
    void Add(const FinishedRun &run);
    // The runs so far, the first first.
    std::span<const SittingRun> Runs() const { return runs_; }

private:
    std::vector<SittingRun> runs_;
};
