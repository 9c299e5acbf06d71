// The evaluator and the literal reference side by side, on nested texts shaped
// like generated questions and on one long flat chain.

#include "engine/evaluator.h"
#include "engine/language.h"
#include "tests/reference/literal_evaluator.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// "(" + chain + ")".
std::string Group(const std::string &chain)
{
    std::string group;
    group.reserve(chain.size() + 2);
    group.append(1, '(').append(chain).append(1, ')');
    return group;
}

// Builds well-formed three-valued texts: top-level chains, the first and half
// of the others in parentheses, holding nested groups and "Not " prefixes.
class QuestionLikeText {
public:
    explicit QuestionLikeText(std::uint32_t seed) : rng_(seed) {}

    // A text of at least size characters.
    std::string Nested(std::size_t size)
    {
        std::string text = Group(Chain(3));
        while (text.size() < size) {
            text += Operator();
            const std::string chain = Chain(3);
            text += Below(2) ? Group(chain) : chain;
        }
        return text;
    }

    // A chain without groups of at least size characters.
    std::string Flat(std::size_t size)
    {
        std::string text = Operand(0);
        while (text.size() < size)
            text += Operator() + Operand(0);
        return text;
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::string Operator()
    {
        std::string_view text;
        while ((text = nlt::TertiaryOperatorForDraw(1 + Below(19))).empty()) {
        }
        return std::string(text);
    }

    // A value character, or at depth > 0 sometimes a group; "1" and "0" get a
    // "Not " prefix with chance 1/5, repeatedly.
    std::string Operand(int depth)
    {
        std::string operand = depth > 0 && Below(3) == 0 ? Group(Chain(depth - 1))
                                                         : std::string(1, static_cast<char>('0' + Below(3)));
        if (operand[0] != '2')
            while (Below(5) == 0)
                operand.insert(0, nlt::kNotPrefix);
        return operand;
    }

    std::string Chain(int depth)
    {
        std::string chain = Operand(depth);
        for (int n = 1 + Below(6); n > 0; --n)
            chain += Operator() + Operand(depth);
        return chain;
    }

    std::mt19937 rng_;
};

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
            it->second.values.push_back(size > kLargestChecked ? std::string()
                                            : nlt::reference::LiteralEvaluate(text).value_or("none"));
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

void BM_EngineNested(benchmark::State &state)
{
    RunEngine(state, Texts(static_cast<std::size_t>(state.range(0)), true));
}

void BM_LiteralNested(benchmark::State &state)
{
    RunLiteral(state, Texts(static_cast<std::size_t>(state.range(0)), true));
}

void BM_EngineFlat(benchmark::State &state)
{
    RunEngine(state, Texts(static_cast<std::size_t>(state.range(0)), false));
}

void BM_LiteralFlat(benchmark::State &state)
{
    RunLiteral(state, Texts(static_cast<std::size_t>(state.range(0)), false));
}

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
