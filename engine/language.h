#pragma once

// The question language: value characters, the eighteen operator words, their
// truth tables, the negation of "0" and the operator draw tables of the two
// question generators. All of it is constant data fixed at compile time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nlt {

// The three value characters in truth-table column order: unknown, true, false.
inline constexpr std::array<char, 3> kValueCharacters{'0', '1', '2'};

// The two value characters of the two-valued test.
inline constexpr std::array<char, 2> kBinaryValueCharacters{'1', '2'};

// The negation prefix, written directly in front of an operand.
inline constexpr std::string_view kNotPrefix{"Not "};

// The eighteen operators in truth-table order: base words, N-forms, X-forms.
// clang-format off
enum class Operator : std::uint8_t {
    And, Or, Maybe, For, Against, With,
    Nand, Nor, Nmaybe, Nfor, Nagainst, Nwith,
    Xand, Xor, Xmaybe, Xfor, Xagainst, Xwith,
};
// clang-format on

// Number of operator words of the three-valued test.
inline constexpr std::size_t kOperatorCount = 18;

// Every operator, in truth-table order.
// clang-format off
inline constexpr std::array<Operator, kOperatorCount> kAllOperators{
    Operator::And,  Operator::Or,     Operator::Maybe,  Operator::For,      Operator::Against,  Operator::With,
    Operator::Nand, Operator::Nor,    Operator::Nmaybe, Operator::Nfor,     Operator::Nagainst, Operator::Nwith,
    Operator::Xand, Operator::Xor,    Operator::Xmaybe, Operator::Xfor,     Operator::Xagainst, Operator::Xwith,
};
// clang-format on

// The six operators of the two-valued test, in truth-table order.
// clang-format off
inline constexpr std::array<Operator, 6> kBinaryOperators{
    Operator::And, Operator::Or, Operator::Nand, Operator::Nor, Operator::Xand, Operator::Xor,
};
// clang-format on

namespace detail {

// Operator words, indexed by Operator.
// clang-format off
inline constexpr std::array<std::string_view, kOperatorCount> kOperatorWords{
    "And",  "Or",  "Maybe",  "For",  "Against",  "With",
    "Nand", "Nor", "Nmaybe", "Nfor", "Nagainst", "Nwith",
    "Xand", "Xor", "Xmaybe", "Xfor", "Xagainst", "Xwith",
};
// clang-format on

// Truth table, indexed by Operator; cell 3 * a + b holds "a op b" for a, b in 0, 1, 2.
inline constexpr std::array<std::array<char, 9>, kOperatorCount> kTruthTable{{
    {'0', '0', '2', '0', '1', '2', '2', '2', '2'}, // And
    {'0', '1', '0', '1', '1', '1', '0', '1', '2'}, // Or
    {'0', '0', '0', '0', '1', '2', '0', '2', '2'}, // Maybe
    {'0', '1', '2', '1', '1', '2', '2', '2', '2'}, // For
    {'0', '1', '2', '1', '1', '1', '2', '1', '2'}, // Against
    {'0', '0', '0', '0', '1', '1', '0', '1', '2'}, // With
    {'0', '0', '1', '0', '2', '1', '1', '1', '1'}, // Nand
    {'0', '2', '0', '2', '2', '2', '0', '2', '1'}, // Nor
    {'0', '0', '0', '0', '2', '1', '0', '1', '1'}, // Nmaybe
    {'0', '2', '1', '2', '2', '1', '1', '1', '1'}, // Nfor
    {'0', '2', '1', '2', '2', '2', '1', '2', '1'}, // Nagainst
    {'0', '0', '0', '0', '2', '2', '0', '2', '1'}, // Nwith
    {'1', '0', '0', '0', '1', '2', '0', '2', '1'}, // Xand
    {'2', '0', '0', '0', '2', '1', '0', '1', '2'}, // Xor
    {'0', '0', '0', '0', '1', '2', '0', '2', '1'}, // Xmaybe
    {'0', '1', '2', '1', '1', '2', '2', '2', '1'}, // Xfor
    {'0', '1', '2', '1', '2', '1', '2', '1', '2'}, // Xagainst
    {'1', '0', '0', '0', '1', '1', '0', '1', '2'}, // Xwith
}};

// Value of "Not 0" next to an operator: first the operator before it, then after it.
struct NotZeroValues {
    Operator op;
    char afterOperator;  // "op Not 0"
    char beforeOperator; // "Not 0 op"
};

// The "Not 0" table in the order in which the negation rewrite rules use it.
// clang-format off
inline constexpr std::array<NotZeroValues, kOperatorCount> kNotZeroTable{{
    {Operator::And, '2', '2'},    {Operator::For, '2', '1'},      {Operator::Or, '1', '1'},
    {Operator::Against, '1', '2'}, {Operator::Maybe, '0', '0'},   {Operator::With, '0', '0'},
    {Operator::Xand, '2', '1'},   {Operator::Xfor, '2', '2'},     {Operator::Xor, '1', '2'},
    {Operator::Xagainst, '1', '1'}, {Operator::Xmaybe, '0', '0'}, {Operator::Xwith, '0', '0'},
    {Operator::Nand, '1', '1'},   {Operator::Nfor, '1', '1'},     {Operator::Nor, '2', '2'},
    {Operator::Nagainst, '2', '2'}, {Operator::Nmaybe, '0', '0'}, {Operator::Nwith, '0', '0'},
}};
// clang-format on

// Index 0, 1, 2 of a value character, or -1 for any other character.
constexpr int ValueIndex(char value) { return value >= '0' && value <= '2' ? value - '0' : -1; }

} // namespace detail

// True for "0", "1" and "2".
constexpr bool IsValueCharacter(char c) { return detail::ValueIndex(c) >= 0; }

// The exact word of an operator, such as "Xagainst".
constexpr std::string_view OperatorWord(Operator op) { return detail::kOperatorWords[static_cast<std::size_t>(op)]; }

// The operator spelled exactly (case-sensitively) as word, if there is one.
std::optional<Operator> OperatorFromWord(std::string_view word);

// The value of the term "left op right"; '\0' when an operand is not a value character.
constexpr char TermValue(char left, Operator op, char right)
{
    const int a = detail::ValueIndex(left);
    const int b = detail::ValueIndex(right);
    if (a < 0 || b < 0)
        return '\0';
    return detail::kTruthTable[static_cast<std::size_t>(op)][static_cast<std::size_t>(3 * a + b)];
}

// The value of the term "left word right"; empty when word is no operator or an operand no value.
std::optional<char> TermValue(char left, std::string_view word, char right);

// The text in straight double quotes for a message; a long text keeps its two ends.
std::string Quoted(std::string_view text);

// The value of an exact term text such as "2 Xagainst 1"; empty when it is none of the 162 terms.
std::optional<char> LookUpTerm(std::string_view term);

// "Not 1" is "2" and "Not 2" is "1"; any other character is returned unchanged.
constexpr char NegateValue(char value) { return value == '1' ? '2' : value == '2' ? '1' : value; }

// The value of "Not 0" when op stands directly before it ("op Not 0").
constexpr char NotZeroAfterOperator(Operator op)
{
    for (const auto &row : detail::kNotZeroTable)
        if (row.op == op)
            return row.afterOperator;
    return '\0';
}

// The value of "Not 0" when op stands directly after it and no operator before it ("Not 0 op").
constexpr char NotZeroBeforeOperator(Operator op)
{
    for (const auto &row : detail::kNotZeroTable)
        if (row.op == op)
            return row.beforeOperator;
    return '\0';
}

// One negation rewrite rule: every occurrence of find is replaced by replacement.
struct RewriteRule {
    std::string_view find;
    std::string_view replacement;
};

// Number of negation rewrite rules.
inline constexpr std::size_t kRewriteRuleCount = 2 + 2 * kOperatorCount;

// The negation rewrite rules in the order in which the evaluator applies them:
// "Not 2", "Not 1", then every "op Not 0", then every "Not 0 op".
const std::array<RewriteRule, kRewriteRuleCount> &NegationRewriteRules();

// Draw code of the three-valued operator table that appends nothing and draws again.
inline constexpr int kTertiaryRedrawCode = 4;

// Draw code of the two-valued operator table that appends nothing and draws again.
inline constexpr int kBinaryRedrawCode = 3;

// Operator text with its blanks (" Or ") for a three-valued draw d >= 1 (19 and above
// give " Xand "); empty for the redraw code. Throws std::out_of_range for d < 1.
std::string_view TertiaryOperatorForDraw(int d);

// Operator text with its blanks (" Or ") for a two-valued draw d >= 1 (7 and above
// give " Xand "); empty for the redraw code. Throws std::out_of_range for d < 1.
std::string_view BinaryOperatorForDraw(int d);

} // namespace nlt
