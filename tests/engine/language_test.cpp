// The language tables against tables typed independently as text.

#include "engine/language.h"
#include "tests/reference/literal_tables.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace ref = nlt::reference;

// All 162 cells, by operator and through the term text.
TEST(TruthTable, EveryCellMatches)
{
    for (const auto &row : ref::kTruthRows) {
        const auto op = nlt::OperatorFromWord(row.word);
        ASSERT_TRUE(op) << row.word;
        for (std::size_t i = 0; i < 9; ++i) {
            const char a = static_cast<char>('0' + i / 3), b = static_cast<char>('0' + i % 3);
            const std::string term = std::string{a, ' '} + std::string(row.word) + ' ' + b;
            EXPECT_EQ(nlt::TermValue(a, *op, b), row.cells[i]) << term;
            EXPECT_EQ(nlt::LookUpTerm(term), row.cells[i]) << term;
        }
    }
}

// All 36 "Not 0" cells, and the 38 rewrite rules built from them in order.
TEST(NotZeroTable, EveryCellAndRewriteRuleMatches)
{
    for (const auto &row : ref::kNotZeroRows) {
        const auto op = nlt::OperatorFromWord(row.word);
        ASSERT_TRUE(op) << row.word;
        EXPECT_EQ(nlt::NotZeroAfterOperator(*op), row.afterOperator) << row.word << " Not 0";
        EXPECT_EQ(nlt::NotZeroBeforeOperator(*op), row.beforeOperator) << "Not 0 " << row.word;
    }
    const auto &rules = nlt::NegationRewriteRules();
    for (std::size_t i = 0; i < rules.size(); ++i) {
        EXPECT_EQ(rules[i].find, ref::kRewriteRows[i].find) << "rule " << i + 1;
        EXPECT_EQ(rules[i].replacement, ref::kRewriteRows[i].replacement) << "rule " << i + 1;
    }
}

// Draws 1, 2, ...: the redraw code gives nothing, the last entry serves every larger draw.
TEST(DrawTables, MapEachDrawToItsOperatorText)
{
    const std::vector<std::string_view> tertiary{
        " Or ", " And ", " Maybe ", "", " For ", " Against ", " With ", " Nor ", " Nand ", " Nmaybe ", " Nfor ",
        " Nagainst ", " Nwith ", " Xor ", " Xmaybe ", " Xfor ", " Xagainst ", " Xwith ", " Xand ", " Xand "};
    const std::vector<std::string_view> binary{" Or ", " And ", "", " Nor ", " Nand ", " Xor ", " Xand ", " Xand "};
    for (std::size_t d = 1; d <= tertiary.size(); ++d)
        EXPECT_EQ(nlt::TertiaryOperatorForDraw(static_cast<int>(d)), tertiary[d - 1]) << d;
    for (std::size_t d = 1; d <= binary.size(); ++d)
        EXPECT_EQ(nlt::BinaryOperatorForDraw(static_cast<int>(d)), binary[d - 1]) << d;
    EXPECT_EQ(nlt::TertiaryOperatorForDraw(1000), " Xand ");
    EXPECT_THROW(nlt::TertiaryOperatorForDraw(0), std::out_of_range);
    EXPECT_THROW(nlt::BinaryOperatorForDraw(-1), std::out_of_range);
}

} // namespace
