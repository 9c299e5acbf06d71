// Time to build and evaluate one question at a given question number of a run,
// from the start state, up to the difficulty cap; the text length is reported.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/generator.h"

namespace {

// Counters on entry to the n-th question of a run from the start state.
nlt::TestCounters EntryState(int question)
{
    nlt::TestCounters counters{.TermCount = 1};
    for (int q = 1; q < question; ++q)
        nlt::AdvanceDifficulty(counters);
    return counters;
}

// The first question built at the capped difficulty.
int CapQuestion()
{
    nlt::TestCounters counters{.TermCount = 1};
    for (int question = 1;; ++question) {
        nlt::AdvanceDifficulty(counters);
        nlt::TestCounters next = counters;
        nlt::AdvanceDifficulty(next);
        if (next.TermCount == counters.TermCount && next.NestingRounds == counters.NestingRounds)
            return question;
    }
}

// Arguments: question number (0 for the cap), 0 three-valued / 1 two-valued.
void BM_BuildAndEvaluate(benchmark::State &state)
{
    const int question = state.range(0) == 0 ? CapQuestion() : static_cast<int>(state.range(0));
    const nlt::TestCounters entry = EntryState(question);
    nlt::SeededRandomSource random(static_cast<std::uint64_t>(question));
    double totalLength = 0;
    for (auto _ : state) {
        nlt::TestCounters counters = entry;
        const nlt::Question question = state.range(1) == 0 ? nlt::NewTertiaryQuestion(counters, random)
                                                           : nlt::NewBinaryQuestion(counters, random);
        benchmark::DoNotOptimize(question.value);
        totalLength += static_cast<double>(question.text.size());
    }
    state.counters["question"] = question;
    state.counters["length"] = totalLength / static_cast<double>(state.iterations());
}

// The same questions built but not evaluated.
void BM_BuildOnly(benchmark::State &state)
{
    const int question = state.range(0) == 0 ? CapQuestion() : static_cast<int>(state.range(0));
    const nlt::TestCounters entry = EntryState(question);
    nlt::SeededRandomSource random(static_cast<std::uint64_t>(question));
    for (auto _ : state) {
        nlt::TestCounters counters = entry;
        const nlt::QuestionParts parts = state.range(1) == 0 ? nlt::BuildTertiaryParts(counters, random)
                                                             : nlt::BuildBinaryParts(counters, random);
        benchmark::DoNotOptimize(nlt::JoinParts(parts));
    }
    state.counters["question"] = question;
}

void QuestionNumbers(benchmark::internal::Benchmark *bench)
{
    bench->ArgNames({"question", "binary"})->Unit(benchmark::kMicrosecond);
    for (const int logic : {0, 1})
        for (const int question : {1, 20, 100, 300, 0})
            bench->Args({question, logic});
}

BENCHMARK(BM_BuildAndEvaluate)->Apply(QuestionNumbers);
BENCHMARK(BM_BuildOnly)->Apply(QuestionNumbers);

} // namespace

BENCHMARK_MAIN();
