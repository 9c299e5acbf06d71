#include "engine/generator.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "engine/evaluator.h"

namespace nlt {

namespace {

// Operator texts by draw number 1..19 (19 stands for every higher number);
// empty is the redraw code.
constexpr std::array<std::string_view, 19> kTertiaryDraws = {
    " Or ", " And ", " Maybe ", "", " For ", " Against ", " With ", " Nor ", " Nand ", " Nmaybe ",
    " Nfor ", " Nagainst ", " Nwith ", " Xor ", " Xmaybe ", " Xfor ", " Xagainst ", " Xwith ", " Xand "};

// Operator texts by draw number 1..7 (7 stands for every higher number).
constexpr std::array<std::string_view, 7> kBinaryDraws = {
    " Or ", " And ", "", " Nor ", " Nand ", " Xor ", " Xand "};

std::string_view TertiaryOperator(int draw)
{
    return kTertiaryDraws[static_cast<std::size_t>(std::min<int>(draw, kTertiaryDraws.size()) - 1)];
}

std::string_view BinaryOperator(int draw)
{
    return kBinaryDraws[static_cast<std::size_t>(std::min<int>(draw, kBinaryDraws.size()) - 1)];
}

// floor(u * n) for one fresh u; 0 when n is 0. The clamp only guards against
// rounding, it changes no exact result.
int DrawBelow(RandomSource &random, int n)
{
    const double u = random.Next();
    return n <= 0 ? 0 : std::min(static_cast<int>(u * n), n - 1);
}

char DrawTertiaryValue(RandomSource &random)
{
    return static_cast<char>('0' + DrawBelow(random, 3));
}

char DrawBinaryValue(RandomSource &random)
{
    return static_cast<char>('1' + DrawBelow(random, 2));
}

bool IsValueChar(char c)
{
    return c == '0' || c == '1' || c == '2';
}

// What the two tests draw differently.
struct Dialect {
    std::string_view titlePrefix;
    char (*drawValue)(RandomSource &);
    std::string_view (*operatorForDraw)(int);
    // Value characters that may receive a negation prefix.
    std::string_view negatable;
    // Whether every joined top-level chain is grouped (else a draw decides).
    bool groupEveryChain;
};

constexpr Dialect kTertiary{"Zentrix Raw Processing Power Tertiary Nested Logic Test Level: ",
                            DrawTertiaryValue, TertiaryOperator, "01", false};
constexpr Dialect kBinary{"Zentrix Raw Processing Power Binary Nested Logic Test Level: ",
                          DrawBinaryValue, BinaryOperator, "1", true};

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

// Scans positions 1..L0 of the chain (L0 fixed first) and prefixes a negatable
// value character with "Not " on a draw of 5 out of 5; the scan meets a
// prefixed character again four places on.
void InsertNegations(const Dialect &dialect, std::string &chain, RandomSource &random)
{
    const std::size_t end = chain.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (dialect.negatable.find(chain[i]) != std::string_view::npos && 1 + DrawBelow(random, 5) == 5) {
            chain.insert(i, "Not ");
        }
    }
}

std::string MakeChain(const Dialect &dialect, TestCounters &counters, RandomSource &random)
{
    std::string chain(1, dialect.drawValue(random));
    const int terms = counters.TermCount;
    const double u = random.Next();
    const int operators = 1 + std::min(static_cast<int>(u * terms / 3), MaxChainOperators(terms) - 1);
    for (int i = 0; i < operators; ++i) {
        chain += DrawOperator(dialect, counters, random);
        counters.QuestionScore = static_cast<std::int16_t>(counters.QuestionScore + 1);
        chain += dialect.drawValue(random);
    }
    if (counters.Level > kNegationLevel) {
        InsertNegations(dialect, chain, random);
    }
    return chain;
}

// One nesting round: replaces the p-th value character, p = floor(u * D) raised
// to at least 1 (D >= 2, so the last one is never picked), by a new group.
void NestOnce(const Dialect &dialect, std::string &chain, TestCounters &counters, RandomSource &random)
{
    const auto count = static_cast<int>(std::count_if(chain.begin(), chain.end(), IsValueChar));
    const int pick = std::max(DrawBelow(random, count), 1);
    auto it = chain.begin();
    for (int seen = 0;; ++it) {
        if (IsValueChar(*it) && ++seen == pick) {
            break;
        }
    }
    const auto at = static_cast<std::size_t>(it - chain.begin());
    chain.replace(at, 1, "(" + MakeChain(dialect, counters, random) + ")");
}

std::string BuildExpression(const Dialect &dialect, TestCounters &counters, RandomSource &random)
{
    AdvanceDifficulty(counters);
    std::vector<std::string> chains;
    chains.reserve(counters.TermCount);
    for (int k = 0; k < counters.TermCount; ++k) {
        chains.push_back(MakeChain(dialect, counters, random));
    }
    const int rounds = counters.NestingRounds;
    for (std::string &chain : chains) {
        counters.QuestionScore = static_cast<std::int16_t>(counters.QuestionScore + 10 * rounds);
        for (int round = 0; rounds > 1 && round < rounds; ++round) {
            NestOnce(dialect, chain, counters, random);
        }
    }
    // Joining operators come from the same table but add nothing to the score.
    std::string text = "(" + chains.front() + ")";
    for (std::size_t k = 1; k < chains.size(); ++k) {
        text += DrawOperator(dialect, counters, random);
        const bool grouped = dialect.groupEveryChain || DrawBelow(random, 2) == 1;
        text += grouped ? "(" + chains[k] + ")" : chains[k];
    }
    return text;
}

void NewQuestion(const Dialect &dialect, TestCounters &counters, RandomSource &random, QuestionWindow &window)
{
    window.DisableAnswerButtons();
    random.Reseed();
    window.SetTitle(std::string(dialect.titlePrefix) + std::to_string(counters.Level));
    const std::string text = BuildExpression(dialect, counters, random);
    window.SetExpression(text);
    const std::string answer = EvaluateExpression(text, [&window] { window.ProcessPendingEvents(); });
    window.StoreCorrectAnswer(answer);
    window.EnableAnswerButtons(window.TertiarySelected());
}

} // namespace

std::string MakeTertiaryChain(TestCounters &counters, RandomSource &random)
{
    return MakeChain(kTertiary, counters, random);
}

std::string MakeBinaryChain(TestCounters &counters, RandomSource &random)
{
    return MakeChain(kBinary, counters, random);
}

std::string BuildTertiaryExpression(TestCounters &counters, RandomSource &random)
{
    return BuildExpression(kTertiary, counters, random);
}

std::string BuildBinaryExpression(TestCounters &counters, RandomSource &random)
{
    return BuildExpression(kBinary, counters, random);
}

void NewTertiaryQuestion(TestCounters &counters, RandomSource &random, QuestionWindow &window)
{
    NewQuestion(kTertiary, counters, random, window);
}

void NewBinaryQuestion(TestCounters &counters, RandomSource &random, QuestionWindow &window)
{
    NewQuestion(kBinary, counters, random, window);
}

} // namespace nlt
