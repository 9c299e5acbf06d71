#include "engine/language.h"

#include <stdexcept>
#include <string>

namespace nlt {

namespace {

// Three-valued draw table from draw 1 on; the redraw code holds no text.
constexpr std::array<std::string_view, 19> kTertiaryDrawTexts{
    " Or ",    " And ",    " Maybe ", "",          " For ",    " Against ", " With ",
    " Nor ",   " Nand ",   " Nmaybe ", " Nfor ",   " Nagainst ", " Nwith ", " Xor ",
    " Xmaybe ", " Xfor ",  " Xagainst ", " Xwith ", " Xand ",
};

// Two-valued draw table from draw 1 on; the redraw code holds no text.
constexpr std::array<std::string_view, 7> kBinaryDrawTexts{
    " Or ", " And ", "", " Nor ", " Nand ", " Xor ", " Xand ",
};

// Looks up draw d in a table whose last entry serves every larger draw.
template <std::size_t N>
std::string_view DrawText(const std::array<std::string_view, N> &table, int d)
{
    if (d < 1)
        throw std::out_of_range("operator draw " + std::to_string(d) + " is below 1");
    const auto index = static_cast<std::size_t>(d - 1);
    return table[index < N ? index : N - 1];
}

// Owns the texts of the negation rewrite rules, which are built from the "Not 0" table.
struct RewriteRuleTable {
    std::array<std::string, kRewriteRuleCount> finds;
    std::array<std::string, kRewriteRuleCount> replacements;
    std::array<RewriteRule, kRewriteRuleCount> rules;

    RewriteRuleTable()
    {
        finds[0] = "Not 2";
        replacements[0] = "1";
        finds[1] = "Not 1";
        replacements[1] = "2";
        for (std::size_t i = 0; i < kOperatorCount; ++i) {
            const auto &row = detail::kNotZeroTable[i];
            const std::string word(OperatorWord(row.op));
            finds[2 + i] = word + " Not 0";
            replacements[2 + i] = word + ' ' + row.afterOperator;
            finds[2 + kOperatorCount + i] = "Not 0 " + word;
            replacements[2 + kOperatorCount + i] = std::string(1, row.beforeOperator) + ' ' + word;
        }
        for (std::size_t i = 0; i < kRewriteRuleCount; ++i)
            rules[i] = RewriteRule{finds[i], replacements[i]};
    }
};

} // namespace

std::optional<Operator> OperatorFromWord(std::string_view word)
{
    for (const Operator op : kAllOperators)
        if (OperatorWord(op) == word)
            return op;
    return std::nullopt;
}

std::optional<char> TermValue(char left, std::string_view word, char right)
{
    const auto op = OperatorFromWord(word);
    if (!op || !IsValueCharacter(left) || !IsValueCharacter(right))
        return std::nullopt;
    return TermValue(left, *op, right);
}

std::optional<char> LookUpTerm(std::string_view term)
{
    // A term is value, blank, word, blank, value; the shortest word has two letters.
    if (term.size() < 6 || term[1] != ' ' || term[term.size() - 2] != ' ')
        return std::nullopt;
    return TermValue(term.front(), term.substr(2, term.size() - 4), term.back());
}

const std::array<RewriteRule, kRewriteRuleCount> &NegationRewriteRules()
{
    static const RewriteRuleTable table;
    return table.rules;
}

std::string_view TertiaryOperatorForDraw(int d) { return DrawText(kTertiaryDrawTexts, d); }

std::string_view BinaryOperatorForDraw(int d) { return DrawText(kBinaryDrawTexts, d); }

} // namespace nlt
