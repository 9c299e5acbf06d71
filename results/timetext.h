#pragma once

// Question and run times as the windows write them.

#include <QString>
#include <cstdint>

#include "engine/runtimes.h"

namespace nlt {

// A duration in words: "4.2 s" under 10 s (tenths, the locale's decimal
// separator), "38 s" under a minute, "4 min 12 s" under an hour, else
// "1 h 5 min"; each rounded to the nearest unit it shows.
QString DurationText(std::int64_t ms);

// The run's time and pace, as "Time: 4 min 12 s, 11 s a question".
QString RunTimeText(const RunTimes &times);

// The time of the question that ended the run, as "Question you got wrong: 38 s".
QString FailedTimeText(const RunTimes &times);

} // namespace nlt
