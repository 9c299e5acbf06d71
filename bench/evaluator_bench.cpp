// The evaluator and the literal reference side by side, on nested texts shaped
// like generated questions and on one long flat chain.

#include "engine/evaluator.h"
#include "engine/language.h"
#include "tests/reference/literal_evaluator.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>

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

// The nested text of about size characters, made once per size.
const std::string &NestedText(std::size_t size)
{
    static std::map<std::size_t, std::string> texts;
    auto [it, made] = texts.try_emplace(size);
    if (made)
        it->second = QuestionLikeText(static_cast<std::uint32_t>(size)).Nested(size);
    return it->second;
}

// The flat chain of about size characters, made once per size.
const std::string &FlatText(std::size_t size)
{
    static std::map<std::size_t, std::string> texts;
    auto [it, made] = texts.try_emplace(size);
    if (made)
        it->second = QuestionLikeText(static_cast<std::uint32_t>(size) + 1).Flat(size);
    return it->second;
}

// Runs the engine on text; fails the run when it disagrees with the reference value.
void RunEngine(benchmark::State &state, const std::string &text, const std::string &expected)
{
    std::string value;
    for (auto _ : state) {
        value = nlt::EvaluateExpression(text);
        benchmark::DoNotOptimize(value);
    }
    if (!expected.empty() && value != expected)
        state.SkipWithError("engine and reference disagree");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["chars"] = static_cast<double>(text.size());
}

// Runs the literal reference on text.
void RunLiteral(benchmark::State &state, const std::string &text)
{
    for (auto _ : state) {
        auto value = nlt::reference::LiteralEvaluate(text);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["chars"] = static_cast<double>(text.size());
}

// The reference value of the nested texts up to 100k characters; the 1M text is
// only checked for being a value, the reference being too slow there.
std::string ExpectedNested(std::size_t size)
{
    if (size > 200'000)
        return {};
    return nlt::reference::LiteralEvaluate(NestedText(size)).value_or("none");
}

void BM_EngineNested(benchmark::State &state)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    RunEngine(state, NestedText(size), ExpectedNested(size));
}

void BM_LiteralNested(benchmark::State &state)
{
    RunLiteral(state, NestedText(static_cast<std::size_t>(state.range(0))));
}

void BM_EngineFlat(benchmark::State &state)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    RunEngine(state, FlatText(size), nlt::reference::LiteralEvaluate(FlatText(size)).value_or("none"));
}

void BM_LiteralFlat(benchmark::State &state)
{
    RunLiteral(state, FlatText(static_cast<std::size_t>(state.range(0))));
}

BENCHMARK(BM_EngineNested)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralNested)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralNested)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineFlat)->Arg(100'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiteralFlat)->Arg(100'000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
