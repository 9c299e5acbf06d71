#include "results/sitting.h"

#include "results/runscores.h"

void Sitting::Add(const FinishedRun &run)
{
    SittingRun entry;
    entry.levelReached = nlt::LevelReached(run);
    const double total = static_cast<double>(run.totalScore.value_or(0));
    entry.aggregate = nlt::ComputeRunFigures(run.bestQuestionScore.value_or(0), total, run.termCount).aggregate;
    if (run.record) {
        entry.questions = run.record->Times().Count();
        entry.ms = run.record->Times().TotalMs();
    }
    runs_.push_back(entry);
}
