// The working of an expression beside its bare evaluation: the largest question
// at the capped difficulty, the worst case the generator can build there, and
// nested texts of 100,000 and 1,000,000 characters.

#include "bench/question_like_text.h"
#include "engine/difficulty.h"
#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/generator.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Counters on entry to the first question built at the capped difficulty.
nlt::TestCounters CapEntry()
{
    nlt::TestCounters counters{.TermCount = 1};
    for (;;) {
        nlt::TestCounters next = counters;
        nlt::AdvanceDifficulty(next);
        nlt::TestCounters after = next;
        nlt::AdvanceDifficulty(after);
        if (after.TermCount == next.TermCount && after.NestingRounds == next.NestingRounds)
            return counters;
        counters = next;
    }
}

// Draws the largest value every time: every chain takes its most operators and
// every nesting round its largest pick, which makes the longest question.
class LargestDraws final : public nlt::RandomSource {
public:
    void Reseed() override {}
    double Next() override { return std::nextafter(1.0, 0.0); }
};

// The longest of a few seeded questions at the cap.
std::string LargestCapQuestion()
{
    std::string longest;
    for (std::uint64_t seed = 1; seed <= 16; ++seed) {
        nlt::TestCounters counters = CapEntry();
        nlt::SeededRandomSource random(seed);
        std::string text = nlt::JoinParts(nlt::BuildTertiaryParts(counters, random));
        if (text.size() > longest.size())
            longest = std::move(text);
    }
    return longest;
}

std::string WorstCapQuestion()
{
    nlt::TestCounters counters = CapEntry();
    LargestDraws random;
    return nlt::JoinParts(nlt::BuildTertiaryParts(counters, random));
}

// The benchmarked texts, made once: cap question, worst case, nested 100k, nested 1M.
const std::vector<std::string> &Texts()
{
    static const std::vector<std::string> texts{
        LargestCapQuestion(),
        WorstCapQuestion(),
        nlt::bench::QuestionLikeText(100'000).Nested(100'000),
        nlt::bench::QuestionLikeText(1'000'000).Nested(1'000'000),
    };
    return texts;
}

void Label(benchmark::State &state, const std::string &text)
{
    static const char *const kNames[] = {"cap question", "worst case", "nested 100k", "nested 1M"};
    state.SetLabel(kNames[state.range(0)]);
    state.counters["chars"] = static_cast<double>(text.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_Evaluate(benchmark::State &state)
{
    const std::string &text = Texts()[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(nlt::EvaluateExpression(text));
    Label(state, text);
}

// Also reports the memory the working holds, per character of text.
void BM_Explain(benchmark::State &state)
{
    const std::string &text = Texts()[static_cast<std::size_t>(state.range(0))];
    const char value = nlt::EvaluateExpression(text)[0];
    std::size_t bytes = 0;
    for (auto _ : state) {
        const nlt::Explanation explanation = nlt::ExplainExpression(text);
        if (explanation.groups.empty() || explanation.value != value)
            state.SkipWithError("the working disagrees with the evaluator");
        bytes = explanation.groups.capacity() * sizeof(nlt::GroupWorking) + explanation.steps.capacity() * sizeof(nlt::Step);
        benchmark::DoNotOptimize(bytes);
    }
    Label(state, text);
    state.counters["bytes/char"] = static_cast<double>(bytes) / static_cast<double>(text.size());
}

void BM_FindSlips(benchmark::State &state)
{
    const std::string &text = Texts()[static_cast<std::size_t>(state.range(0))];
    const nlt::Explanation explanation = nlt::ExplainExpression(text);
    const char chosen = explanation.value == '1' ? '2' : '1';
    for (auto _ : state)
        benchmark::DoNotOptimize(nlt::FindSlips(explanation, chosen));
    Label(state, text);
}

void BM_FindSyntaxProblem(benchmark::State &state)
{
    const std::string &text = Texts()[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(nlt::FindSyntaxProblem(text));
    Label(state, text);
}

void Cases(benchmark::internal::Benchmark *bench)
{
    bench->ArgName("text")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Evaluate)->Apply(Cases);
BENCHMARK(BM_Explain)->Apply(Cases);
BENCHMARK(BM_FindSlips)->Apply(Cases);
BENCHMARK(BM_FindSyntaxProblem)->Apply(Cases);

} // namespace

BENCHMARK_MAIN();
