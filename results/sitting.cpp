#include "results/sitting.h"

#include <algorithm>

void Sitting::Add(const FinishedRun &run)
{
    SittingRun entry;
    entry.levelReached = std::max(run.level - 1, 0);
    entry.aggregate = static_cast<double>(run.totalScore.value_or(0)) / 10.0;
    if (run.record) {
        entry.questions = run.record->Times().Count();
        entry.ms = run.record->Times().TotalMs();
    }
    runs_.push_back(entry);
}
