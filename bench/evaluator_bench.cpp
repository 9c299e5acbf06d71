// The evaluator and the literal reference side by side, on nested texts shaped
// like generated questions and on one long flat chain.

#include "engine/evaluator.h"
#include "engine/language.h"
#include "bench/question_like_text.h"
#include "tests/reference/literal_evaluator.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using nlt::bench::QuestionLikeText;

// Texts of one kind and size, each with the value the literal reference gives
// it ("" where the reference would be too slow to ask).
struct TextSet {
    std::vector<std::string> texts;
    std::vector<std::string> values;
};

// Distinct texts per size: a run rotates through them, as the program meets a new
// question every time, so that branch prediction cannot learn one text by heart.
constexpr int kTextsPerSize = 4;

// Texts longer than this are not checked against the reference.
constexpr std::size_t kLargestChecked = 200'000;

// The texts of about size characters, nested or flat, made once.
const TextSet &Texts(std::size_t size, bool nested)
{
    static std::map<std::pair<std::size_t, bool>, TextSet> sets;
    auto [it, made] = sets.try_emplace({size, nested});
    if (made) {
        for (int k = 0; k < kTextsPerSize; ++k) {
            QuestionLikeText maker(static_cast<std::uint32_t>(size * 2 + (nested ? 0 : 1)) * 8 + k);
            const std::string text = nested ? maker.Nested(size) : maker.Flat(size);
            it->second.texts.push_back(text);
            it->second.values.push_back(
                size > kLargestChecked ? std::string() : nlt::reference::LiteralEvaluate(text).value_or("none"));
        }
    }
    return it->second;
}

// Runs the engine over the texts in turn; fails the run when it disagrees with the reference.
void RunEngine(benchmark::State &state, const TextSet &set)
{
    std::size_t k = 0;
    std::int64_t chars = 0;
    for (auto _ : state) {
        std::string value = nlt::EvaluateExpression(set.texts[k]);
        benchmark::DoNotOptimize(value);
        if (!set.values[k].empty() && value != set.values[k])
            state.SkipWithError("engine and reference disagree");
        chars += static_cast<std::int64_t>(set.texts[k].size());
        k = (k + 1) % set.texts.size();
    }
    state.SetBytesProcessed(chars);
    state.counters["chars"] = static_cast<double>(set.texts[0].size());
}

// Runs the literal reference over the texts in turn.
void RunLiteral(benchmark::State &state, const TextSet &set)
{
    std::size_t k = 0;
    std::int64_t chars = 0;
    for (auto _ : state) {
        auto value = nlt::reference::LiteralEvaluate(set.texts[k]);
        benchmark::DoNotOptimize(value);
        chars += static_cast<std::int64_t>(set.texts[k].size());
        k = (k + 1) % set.texts.size();
    }
    state.SetBytesProcessed(chars);
    state.counters["chars"] = static_cast<double>(set.texts[0].size());
}

void BM_EngineNested(benchmark::State &state) { RunEngine(state, Texts(static_cast<std::size_t>(state.range(0)), true)); }

void BM_LiteralNested(benchmark::State &state) { RunLiteral(state, Texts(static_cast<std::size_t>(state.range(0)), true)); }

void BM_EngineFlat(benchmark::State &state) { RunEngine(state, Texts(static_cast<std::size_t>(state.range(0)), false)); }

void BM_LiteralFlat(benchmark::State &state) { RunLiteral(state, Texts(static_cast<std::size_t>(state.range(0)), false)); }

// A nested text spoilt at its very end: the engine reads it in full, then
// reduces it by literal replacement and rejects it.
void BM_EngineMalformed(benchmark::State &state)
{
    const std::string text = Texts(static_cast<std::size_t>(state.range(0)), true).texts[0] + " Or x";
    for (auto _ : state) {
        try {
            nlt::EvaluateExpression(text);
            state.SkipWithError("a malformed text was accepted");
        } catch (const nlt::EvaluationError &error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
    state.counters["chars"] = static_cast<double>(text.size());
}

BENCHMARK(BM_EngineNested)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralNested)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralNested)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineMalformed)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineFlat)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralFlat)->Arg(100'000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
