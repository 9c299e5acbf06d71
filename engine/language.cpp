#include "engine/language.h"

#include <stdexcept>
#include <string>

namespace nlt {

namespace {

// Three-valued draw table from draw 1 on; the redraw code holds no text.
// clang-format off
constexpr std::array<std::string_view, 19> kTertiaryDrawTexts{
    " Or ",    " And ",    " Maybe ", "",          " For ",    " Against ", " With ",
    " Nor ",   " Nand ",   " Nmaybe ", " Nfor ",   " Nagainst ", " Nwith ", " Xor ",
    " Xmaybe ", " Xfor ",  " Xagainst ", " Xwith ", " Xand ",
};
// clang-format on

// Two-valued draw table from draw 1 on; the redraw code holds no text.
// clang-format off
constexpr std::array<std::string_view, 7> kBinaryDrawTexts{
    " Or ", " And ", "", " Nor ", " Nand ", " Xor ", " Xand ",
};
// clang-format on

// Looks up draw d in a table whose last entry serves every larger draw.
template <std::size_t N> std::string_view DrawText(const std::array<std::string_view, N> &table, int d)
{
    if (d < 1)
        throw std::out_of_range("operator draw " + std::to_string(d) + " is below 1");
    const auto index = static_cast<std::size_t>(d - 1);
    return table[index < N ? index : N - 1];
}

// Room for the longest rule text, "Xagainst Not 0".
constexpr std::size_t kRuleTextCapacity = 16;

// One rule text, built at compile time.
struct RuleText {
    std::array<char, kRuleTextCapacity> chars{};
    std::size_t size = 0;

    constexpr RuleText &Append(std::string_view text)
    {
        for (const char c : text)
            chars[size++] = c;
        return *this;
    }
    constexpr RuleText &Append(char c) { return Append(std::string_view(&c, 1)); }
    constexpr std::string_view View() const { return {chars.data(), size}; }
};

// The find and replacement texts of every rule, in rule order.
struct RuleTexts {
    std::array<RuleText, kRewriteRuleCount> finds{};
    std::array<RuleText, kRewriteRuleCount> replacements{};
};

// Builds the rule texts from the "Not 0" table: "Not 2", "Not 1", then "op Not 0"
// and "Not 0 op" for every operator in the table's order.
constexpr RuleTexts MakeRuleTexts()
{
    RuleTexts texts;
    texts.finds[0].Append("Not 2");
    texts.replacements[0].Append("1");
    texts.finds[1].Append("Not 1");
    texts.replacements[1].Append("2");
    for (std::size_t i = 0; i < kOperatorCount; ++i) {
        const auto &row = detail::kNotZeroTable[i];
        const std::string_view word = OperatorWord(row.op);
        texts.finds[2 + i].Append(word).Append(" Not 0");
        texts.replacements[2 + i].Append(word).Append(' ').Append(row.afterOperator);
        texts.finds[2 + kOperatorCount + i].Append("Not 0 ").Append(word);
        texts.replacements[2 + kOperatorCount + i].Append(row.beforeOperator).Append(' ').Append(word);
    }
    return texts;
}

constexpr RuleTexts kRuleTexts = MakeRuleTexts();

constexpr std::array<RewriteRule, kRewriteRuleCount> MakeRules()
{
    std::array<RewriteRule, kRewriteRuleCount> rules{};
    for (std::size_t i = 0; i < kRewriteRuleCount; ++i)
        rules[i] = RewriteRule{kRuleTexts.finds[i].View(), kRuleTexts.replacements[i].View()};
    return rules;
}

constexpr std::array<RewriteRule, kRewriteRuleCount> kRewriteRules = MakeRules();

} // namespace

std::optional<Operator> OperatorFromWord(std::string_view word)
{
    // Every word is a base word or "N"/"X" before the base word with a lower-case
    // first letter; the base's first letter and length pick the only candidate.
    if (word.size() < 2)
        return std::nullopt;
    std::size_t family = 0;
    std::string_view base = word;
    if ((word[0] == 'N' || word[0] == 'X') && word[1] >= 'a' && word[1] <= 'z') {
        family = word[0] == 'N' ? 1 : 2;
        base.remove_prefix(1);
    }
    std::size_t index = 0;
    // clang-format off
    switch (base[0] | 0x20) {
    case 'a': index = base.size() == 3 ? 0 : 4; break; // And, Against
    case 'o': index = 1; break;
    case 'm': index = 2; break;
    case 'f': index = 3; break;
    case 'w': index = 5; break;
    default: return std::nullopt;
    }
    // clang-format on
    const Operator op = kAllOperators[6 * family + index];
    if (OperatorWord(op) != word)
        return std::nullopt;
    return op;
}

std::optional<char> TermValue(char left, std::string_view word, char right)
{
    const auto op = OperatorFromWord(word);
    if (!op || !IsValueCharacter(left) || !IsValueCharacter(right))
        return std::nullopt;
    return TermValue(left, *op, right);
}

std::string Quoted(std::string_view text)
{
    // Longest text quoted whole; a longer one keeps half of this from each end.
    constexpr std::size_t kLimit = 40;
    if (text.size() <= kLimit)
        return '"' + std::string(text) + '"';
    constexpr std::size_t kEnd = kLimit / 2;
    return '"' + std::string(text.substr(0, kEnd)) + " ... " + std::string(text.substr(text.size() - kEnd)) + '"';
}

std::optional<char> LookUpTerm(std::string_view term)
{
    // A term is value, blank, word, blank, value; the shortest word has two letters.
    if (term.size() < 6 || term[1] != ' ' || term[term.size() - 2] != ' ')
        return std::nullopt;
    return TermValue(term.front(), term.substr(2, term.size() - 4), term.back());
}

const std::array<RewriteRule, kRewriteRuleCount> &NegationRewriteRules() { return kRewriteRules; }

std::string_view TertiaryOperatorForDraw(int d) { return DrawText(kTertiaryDrawTexts, d); }

std::string_view BinaryOperatorForDraw(int d) { return DrawText(kBinaryDrawTexts, d); }

} // namespace nlt
