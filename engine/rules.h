#pragma once

// The rules by which a text of the question language is read: the language's
// own, or a misreading of them (a word or a cell of a truth table read
// otherwise, another rule for "Not" or for the order of folding); and the
// lookup of an operator word in a text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/language.h"

namespace nlt {

// Which operator decides the value of a "Not 0".
enum class NotZeroRule : std::uint8_t {
    BeforeFirst, // the operator before it, else the one after it (the language's rule)
    AfterFirst,  // the operator after it, else the one before it
    StaysZero,   // "Not 0" is taken as 0
};

// What a "Not" prefix negates.
enum class NotScope : std::uint8_t {
    Operand,     // the operand right after it (the language's rule)
    Ignored,     // nothing: "Not" is read as if absent
    RestOfChain, // the operand after it and everything after that in its chain
};

// The order in which a chain's terms are folded.
enum class FoldOrder : std::uint8_t {
    LeftToRight, // strictly from the left (the language's rule)
    AndFirst,    // And, Nand and Xand first, then the rest from the left
    RightToLeft, // from the right end
};

// A truth table, indexed by operator; cell 3 * a + b holds "a op b".
using TruthTable = std::array<std::array<char, 9>, kOperatorCount>;

// The rules by which a text is read; the defaults are the language's own.
struct ReadingRules {
    TruthTable table = detail::kTruthTable;
    // The operator each written word is taken as.
    std::array<Operator, kOperatorCount> readAs = kAllOperators;
    NotZeroRule notZero = NotZeroRule::BeforeFirst;
    NotScope notScope = NotScope::Operand;
    FoldOrder order = FoldOrder::LeftToRight;
};

// The language's own rules.
inline const ReadingRules kLanguageRules{};

// The value of "Not 0" with before and after as its neighbouring operators
// (already read as the person reads them); '\0' when no operator decides it.
constexpr char NotZeroValue(NotZeroRule rule, std::optional<Operator> before, std::optional<Operator> after)
{
    if (rule == NotZeroRule::StaysZero)
        return '0';
    if (before && (rule == NotZeroRule::BeforeFirst || !after))
        return NotZeroAfterOperator(*before);
    if (after)
        return NotZeroBeforeOperator(*after);
    return '\0';
}

// True for And, Nand and Xand, the words folded first in school-algebra order.
constexpr bool IsAndLike(Operator op) { return op == Operator::And || op == Operator::Nand || op == Operator::Xand; }

namespace detail {

// Slot of a word in the operator key table: its first and third characters
// (the blank after "Or") tell all eighteen words apart.
constexpr std::size_t OperatorKey(char first, char third)
{
    return static_cast<std::size_t>(first & 31) * 32 + static_cast<std::size_t>(third & 31);
}

// Marks a slot of the operator key table that holds no operator.
inline constexpr std::uint8_t kNoOperator = 0xFF;

// The operator (as its number) for each key; kNoOperator elsewhere.
inline constexpr std::array<std::uint8_t, 32 * 32> kOperatorKeys = [] {
    std::array<std::uint8_t, 32 * 32> keys{};
    keys.fill(kNoOperator);
    for (const Operator op : kAllOperators) {
        const std::string_view word = OperatorWord(op);
        keys[OperatorKey(word[0], word.size() > 2 ? word[2] : ' ')] = static_cast<std::uint8_t>(op);
    }
    return keys;
}();

} // namespace detail

// The operator whose word, followed by a blank, starts text at index i; inline,
// as the scan asks it for every operator of a text.
inline std::optional<Operator> OperatorAt(std::string_view text, std::size_t i)
{
    if (i + 2 >= text.size())
        return std::nullopt;
    const std::uint8_t key = detail::kOperatorKeys[detail::OperatorKey(text[i], text[i + 2])];
    if (key == detail::kNoOperator)
        return std::nullopt;
    const auto op = static_cast<Operator>(key);
    const std::string_view word = OperatorWord(op);
    const std::size_t end = i + word.size();
    if (end >= text.size() || text[end] != ' ' || text.substr(i, word.size()) != word)
        return std::nullopt;
    return op;
}

} // namespace nlt
