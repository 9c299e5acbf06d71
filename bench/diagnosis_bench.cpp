// The diagnosis on generated runs: DiagnoseRun on a run of 30 questions and on
// a run held at the run record's 8 MB bound, and the mistake finder's next().
// Every run is answered right up to its last question, which is answered wrong.

#include "engine/diagnosis.h"
#include "engine/finder.h"
#include "engine/runrecord.h"
#include "engine/evaluator.h"
#include "engine/generator.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

// A generated run of one test: count questions, or (count 0) questions past the
// difficulty cap until the run record has dropped some to stay under 8 MB.
const std::vector<nlt::AnsweredQuestion> &MakeRun(bool binary, int count)
{
    static std::map<std::pair<bool, int>, std::vector<nlt::AnsweredQuestion>> runs;
    auto [it, made] = runs.try_emplace({binary, count});
    if (!made)
        return it->second;
    nlt::TestCounters counters{.TermCount = 1};
    nlt::SeededRandomSource random(binary ? 5 : 6);
    nlt::RunRecord record;
    for (int n = 0; count == 0 ? record.Dropped() < 20 : n < count; ++n) {
        const std::string text = JoinParts((binary ? nlt::BuildBinaryParts : nlt::BuildTertiaryParts)(counters, random));
        const char right = nlt::EvaluateExpression(text)[0];
        record.Add({text, right, binary});
    }
    std::vector<nlt::AnsweredQuestion> run(record.Questions().begin(), record.Questions().end());
    run.back().given = run.back().given == '1' ? '2' : '1';
    it->second = std::move(run);
    return it->second;
}

void BM_DiagnoseRun(benchmark::State &state)
{
    const auto &run = MakeRun(state.range(0) == 1, static_cast<int>(state.range(1)));
    std::size_t chars = 0;
    for (const auto &q : run)
        chars += q.text.size();
    for (auto _ : state)
        benchmark::DoNotOptimize(nlt::DiagnoseRun(run));
    state.counters["questions"] = static_cast<double>(run.size());
    state.counters["MB"] = static_cast<double>(chars) / (1 << 20);
}

void BM_FinderNext(benchmark::State &state)
{
    const nlt::MistakeFinder finder(MakeRun(state.range(0) == 1, static_cast<int>(state.range(1))));
    for (auto _ : state)
        benchmark::DoNotOptimize(finder.next());
}

// Starting the finder on a run: the diagnosis and the questions it may ask.
void BM_FinderStart(benchmark::State &state)
{
    const auto &run = MakeRun(state.range(0) == 1, static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(nlt::MistakeFinder(run).next());
}

// Taking an answer and working out the next question, as the review does once per answer.
void BM_FinderAnswer(benchmark::State &state)
{
    const nlt::MistakeFinder finder(MakeRun(state.range(0) == 1, static_cast<int>(state.range(1))));
    for (auto _ : state) {
        state.PauseTiming();
        nlt::MistakeFinder copy = finder;
        state.ResumeTiming();
        copy.answer('1');
        benchmark::DoNotOptimize(copy.next());
    }
}

// Arguments: two-valued (1) or not (0), and questions (0: held at the 8 MB bound).
BENCHMARK(BM_DiagnoseRun)->Args({1, 30})->Args({0, 30})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagnoseRun)->Args({1, 0})->Args({0, 0})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FinderNext)->Args({1, 30})->Args({0, 30})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderStart)->Args({1, 30})->Args({0, 30})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FinderAnswer)->Args({1, 30})->Args({0, 30})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
