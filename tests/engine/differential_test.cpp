// The evaluator against the literal reference on many random texts, well-formed
// and malformed: both give the same value, or the evaluator throws where the
// literal algorithm ends without a value. NLT_DIFF_SEED picks another seed and
// NLT_DIFF_COUNT another number of texts.

#include "engine/evaluator.h"
#include "engine/language.h"
#include "tests/reference/literal_evaluator.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr long kDefaultCount = 100000;

constexpr std::uint64_t kDefaultSeed = 0x5eed2024;

// A number from the environment variable name, or fallback when it is unset.
std::uint64_t FromEnvironment(const char *name, std::uint64_t fallback)
{
    const char *text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 0) : fallback;
}

// Makes random expression texts from one seeded generator.
class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : rng_(seed) {}

    // A text of the question language, three- or two-valued, sometimes with
    // repeated groups and single-operand chains.
    std::string WellFormed()
    {
        binary_ = Below(10) < 3;
        groups_.clear();
        return Chain(Below(5));
    }

    // A text that is usually outside the language: a damaged well-formed text,
    // a heap of tokens, or a very short text.
    std::string Malformed()
    {
        switch (Below(4)) {
        case 0:
            return Tokens();
        case 1:
            return Short();
        default:
            return Damage(WellFormed());
        }
    }

    // A number from 0 to n - 1.
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

private:
    char Value() { return binary_ ? static_cast<char>('1' + Below(2)) : static_cast<char>('0' + Below(3)); }

    std::string_view Word()
    {
        if (binary_)
            return nlt::OperatorWord(nlt::kBinaryOperators[static_cast<std::size_t>(Below(6))]);
        return nlt::OperatorWord(nlt::kAllOperators[static_cast<std::size_t>(Below(18))]);
    }

    std::string Operand(int depth)
    {
        std::string text;
        if (Below(10) < 3)
            for (int n = 1 + Below(3); n > 0; --n)
                text += "Not ";
        if (depth > 0 && Below(10) < 4) {
            if (!groups_.empty() && Below(3) == 0)
                return text + groups_[static_cast<std::size_t>(Below(static_cast<int>(groups_.size())))];
            std::string group = Chain(depth - 1);
            group.insert(0, 1, '(').push_back(')');
            groups_.push_back(group);
            return text + group;
        }
        return text + Value();
    }

    std::string Chain(int depth)
    {
        std::string text = Operand(depth);
        const int operators = Below(10) == 0 ? 0 : 1 + Below(5);
        for (int i = 0; i < operators; ++i)
            text.append(" ").append(Word()).append(" ").append(Operand(depth));
        return text;
    }

    std::string Tokens()
    {
        static constexpr std::array<std::string_view, 18> kTokens{
            "0", "1", "2", "Not ", "Not", "(", ")", " ", "And", " Or ", " Xand ", "and", " nor ",
            "x", "Not 0", " Nwith ", "  ", "3"};
        std::string text;
        for (int n = Below(12); n > 0; --n)
            text += kTokens[static_cast<std::size_t>(Below(static_cast<int>(kTokens.size())))];
        return text;
    }

    std::string Short()
    {
        static constexpr std::string_view kCharacters = "012() Nx";
        std::string text;
        for (int n = Below(4); n > 0; --n)
            text += kCharacters[static_cast<std::size_t>(Below(static_cast<int>(kCharacters.size())))];
        return text;
    }

    std::string Damage(std::string text)
    {
        static constexpr std::string_view kInserts = "012() Nota";
        for (int n = 1 + Below(3); n > 0 && !text.empty(); --n) {
            const auto at = static_cast<std::size_t>(Below(static_cast<int>(text.size())));
            switch (Below(6)) {
            case 0: text.erase(at, 1); break;
            case 1: text.insert(at, 1, kInserts[static_cast<std::size_t>(Below(static_cast<int>(kInserts.size())))]); break;
            case 2: text.insert(at, 1, text[at]); break;
            case 3: text[at] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[at]))); break;
            case 4: text.resize(at); break;
            default: if (at + 1 < text.size()) std::swap(text[at], text[at + 1]); break;
            }
        }
        return text;
    }

    std::mt19937_64 rng_;
    bool binary_ = false;
    std::vector<std::string> groups_;
};

// What an evaluation gave: a value, or the text of the error.
struct Outcome {
    bool isValue = false;
    std::string text;
};

template <typename Evaluate>
Outcome RunEngine(Evaluate evaluate, const std::string &text)
{
    try {
        return {true, evaluate(text)};
    } catch (const nlt::EvaluationError &error) {
        return {false, error.what()};
    }
}

// Empty when both agree; otherwise a description of the difference.
std::optional<std::string> Compare(const Outcome &engine, const std::optional<std::string> &literal)
{
    const bool literalIsValue = nlt::reference::IsValueOutcome(literal);
    if (engine.isValue == literalIsValue && (!literalIsValue || engine.text == *literal))
        return std::nullopt;
    return "engine " + std::string(engine.isValue ? "value " : "error ") + engine.text + ", literal " +
           (literal ? "ends with \"" + *literal + "\"" : std::string("has no term row"));
}

TEST(Differential, EngineAgreesWithTheLiteralAlgorithm)
{
    const std::uint64_t seed = FromEnvironment("NLT_DIFF_SEED", kDefaultSeed);
    const auto count = static_cast<long>(FromEnvironment("NLT_DIFF_COUNT", kDefaultCount));
    TextMaker maker(seed);
    int failures = 0;
    long values = 0;
    for (long i = 0; i < count && failures < 5; ++i) {
        const bool wellFormed = i % 2 == 0;
        const std::string text = wellFormed ? maker.WellFormed() : maker.Malformed();
        const auto literal = nlt::reference::LiteralEvaluate(text);
        values += nlt::reference::IsValueOutcome(literal) ? 1 : 0;
        const auto difference = Compare(RunEngine([](const std::string &t) { return nlt::EvaluateExpression(t); }, text), literal);
        if (difference) {
            ++failures;
            ADD_FAILURE() << "seed " << seed << ", text " << i << ": \"" << text << "\": " << *difference;
        }
        if (wellFormed && text.find(')') == std::string::npos) {
            // A flat chain is also one group.
            const auto group = Compare(RunEngine([](const std::string &t) { return nlt::ReduceGroup(t); }, text),
                                       nlt::reference::LiteralReduceGroup(text));
            if (group) {
                ++failures;
                ADD_FAILURE() << "seed " << seed << ", group " << i << ": \"" << text << "\": " << *group;
            }
        }
    }
    // Most well-formed texts have a value; a run where none had one tested nothing.
    EXPECT_GT(values, count / 4) << "seed " << seed;
}

TEST(Differential, ReduceGroupAgreesOnMalformedGroups)
{
    const std::uint64_t seed = FromEnvironment("NLT_DIFF_SEED", kDefaultSeed) + 1;
    TextMaker maker(seed);
    for (long i = 0; i < kDefaultCount / 10; ++i) {
        std::string group = maker.Malformed();
        if (maker.Below(2) == 0)
            group.insert(0, 1, '(').push_back(')');
        const auto difference =
            Compare(RunEngine([](const std::string &t) { return nlt::ReduceGroup(t); }, group),
                    nlt::reference::LiteralReduceGroup(group));
        ASSERT_FALSE(difference) << "seed " << seed << ", group " << i << ": \"" << group << "\": " << *difference;
    }
}

} // namespace
