#include "engine/generator.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/evaluator.h"
#include "engine/language.h"

namespace nlt {

namespace {

// floor(u * n) for one fresh u; 0 when n is 0. The clamp only guards against
// rounding, it changes no exact result.
int DrawBelow(RandomSource &random, int n)
{
    const double u = random.Next();
    return n <= 0 ? 0 : std::min(static_cast<int>(u * n), n - 1);
}

char DrawTertiaryValue(RandomSource &random) { return static_cast<char>('0' + DrawBelow(random, 3)); }

char DrawBinaryValue(RandomSource &random) { return static_cast<char>('1' + DrawBelow(random, 2)); }

// What the two tests draw differently.
struct Dialect {
    // Whether this is the two-valued test.
    bool binary;
    char (*drawValue)(RandomSource &);
    std::string_view (*operatorForDraw)(int);
    // Value characters that may receive a negation prefix.
    std::string_view negatable;
    // Whether every joined top-level chain is grouped (else a draw decides).
    bool groupEveryChain;
};

constexpr Dialect kTertiary{false, DrawTertiaryValue, TertiaryOperatorForDraw, "01", false};
constexpr Dialect kBinary{true, DrawBinaryValue, BinaryOperatorForDraw, "1", true};

// Draws d = 1 + floor(u * Level) until it is not the redraw code.
std::string_view DrawOperator(const Dialect &dialect, const TestCounters &counters, RandomSource &random)
{
    for (;;) {
        const std::string_view op = dialect.operatorForDraw(1 + DrawBelow(random, counters.Level));
        if (!op.empty()) {
            return op;
        }
    }
}

// Scans positions 1..L0 of the chain that starts at `start` (L0 fixed first)
// and prefixes a negatable value character with "Not " on a draw of 5 out of
// 5; the scan meets a prefixed character again four places on.
void InsertNegations(const Dialect &dialect, std::string &text, std::size_t start, RandomSource &random)
{
    const std::size_t end = text.size();
    for (std::size_t i = start; i < end; ++i) {
        if (dialect.negatable.find(text[i]) != std::string_view::npos && 1 + DrawBelow(random, 5) == 5) {
            text.insert(i, "Not ");
        }
    }
}

// Appends one random chain to text (which may already hold an opening "(").
void AppendChain(const Dialect &dialect, std::string &text, TestCounters &counters, RandomSource &random)
{
    const std::size_t start = text.size();
    text += dialect.drawValue(random);
    const int terms = counters.TermCount;
    const double u = random.Next();
    const int operators = 1 + std::min(static_cast<int>(u * terms / 3), MaxChainOperators(terms) - 1);
    for (int i = 0; i < operators; ++i) {
        text += DrawOperator(dialect, counters, random);
        counters.QuestionScore = static_cast<std::int16_t>(counters.QuestionScore + 1);
        text += dialect.drawValue(random);
    }
    if (counters.Level > kNegationLevel) {
        InsertNegations(dialect, text, start, random);
    }
}

std::string MakeChain(const Dialect &dialect, TestCounters &counters, RandomSource &random)
{
    std::string chain;
    AppendChain(dialect, chain, counters, random);
    return chain;
}

int CountValues(std::string_view text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), IsValueCharacter));
}

// Index of the n-th value character (n >= 1) counting from the left.
std::size_t NthValueFromLeft(std::string_view text, int n)
{
    for (std::size_t at = 0;; ++at) {
        if (IsValueCharacter(text[at]) && --n == 0) {
            return at;
        }
    }
}

// Index of the n-th value character (n >= 1) counting from the right.
std::size_t NthValueFromRight(std::string_view text, int n)
{
    for (std::size_t at = text.size() - 1;; --at) {
        if (IsValueCharacter(text[at]) && --n == 0) {
            return at;
        }
    }
}

// One nesting round on a chain holding `values` value characters: replaces the
// p-th, p = floor(u * D) raised to at least 1 (D >= 2, so the last one is never
// picked), by a new group; returns the new count.
int NestOnce(const Dialect &dialect, std::string &chain, int values, TestCounters &counters, RandomSource &random)
{
    const int pick = std::max(DrawBelow(random, values), 1);
    // Walk from the nearer end of the chain; long chains make this the hot loop.
    const std::size_t at = 2 * pick <= values ? NthValueFromLeft(chain, pick) : NthValueFromRight(chain, values - pick + 1);
    std::string group = "(";
    AppendChain(dialect, group, counters, random);
    group += ')';
    chain.replace(at, 1, group);
    return values - 1 + CountValues(group);
}

QuestionParts BuildParts(const Dialect &dialect, TestCounters &counters, RandomSource &random)
{
    AdvanceDifficulty(counters);
    QuestionParts parts;
    parts.chains.reserve(counters.TermCount);
    for (int k = 0; k < counters.TermCount; ++k) {
        parts.chains.push_back(MakeChain(dialect, counters, random));
    }
    const int rounds = counters.NestingRounds;
    for (std::string &chain : parts.chains) {
        counters.QuestionScore = static_cast<std::int16_t>(counters.QuestionScore + 10 * rounds);
        int values = CountValues(chain);
        for (int round = 0; rounds > 1 && round < rounds; ++round) {
            values = NestOnce(dialect, chain, values, counters, random);
        }
    }
    // Joining operators come from the same table but add nothing to the score.
    parts.grouped.push_back(true);
    for (std::size_t k = 1; k < parts.chains.size(); ++k) {
        parts.joins.emplace_back(DrawOperator(dialect, counters, random));
        parts.grouped.push_back(dialect.groupEveryChain || DrawBelow(random, 2) == 1);
    }
    return parts;
}

Question NewQuestion(const Dialect &dialect, TestCounters &counters, RandomSource &random)
{
    random.Reseed();
    Question question;
    question.level = counters.Level;
    question.binary = dialect.binary;
    question.text = JoinParts(BuildParts(dialect, counters, random));
    question.value = EvaluateExpression(question.text).front();
    question.worth = counters.QuestionScore;
    return question;
}

} // namespace

std::string MakeTertiaryChain(TestCounters &counters, RandomSource &random)
{
    return MakeChain(kTertiary, counters, random);
}

std::string MakeBinaryChain(TestCounters &counters, RandomSource &random) { return MakeChain(kBinary, counters, random); }

QuestionParts BuildTertiaryParts(TestCounters &counters, RandomSource &random)
{
    return BuildParts(kTertiary, counters, random);
}

QuestionParts BuildBinaryParts(TestCounters &counters, RandomSource &random)
{
    return BuildParts(kBinary, counters, random);
}

std::string JoinParts(const QuestionParts &parts)
{
    std::string text;
    for (std::size_t k = 0; k < parts.chains.size(); ++k) {
        if (k > 0) {
            text += parts.joins[k - 1];
        }
        text += parts.grouped[k] ? "(" + parts.chains[k] + ")" : parts.chains[k];
    }
    return text;
}

Question NewTertiaryQuestion(TestCounters &counters, RandomSource &random)
{
    return NewQuestion(kTertiary, counters, random);
}

Question NewBinaryQuestion(TestCounters &counters, RandomSource &random) { return NewQuestion(kBinary, counters, random); }

} // namespace nlt
