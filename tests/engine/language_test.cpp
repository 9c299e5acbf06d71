// The language tables against tables typed independently as text, and the
// random source the generators draw from.

#include "engine/language.h"
#include "engine/random.h"
#include "tests/reference/literal_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace {

namespace ref = nlt::reference;

// All 162 cells, by operator and through the term text.
TEST(TruthTable, EveryCellMatches)
{
    for (const auto &row : ref::kTruthRows)
        for (std::size_t i = 0; i < 9; ++i) {
            const char a = static_cast<char>('0' + i / 3), b = static_cast<char>('0' + i % 3);
            const std::string term = std::string{a, ' '} + std::string(row.word) + ' ' + b;
            EXPECT_EQ(nlt::TermValue(a, nlt::OperatorFromWord(row.word).value(), b), row.cells[i]) << term;
            EXPECT_EQ(nlt::LookUpTerm(term), row.cells[i]) << term;
        }
}

// All 36 "Not 0" cells, and the 38 rewrite rules built from them in order.
TEST(NotZeroTable, EveryCellAndRewriteRuleMatches)
{
    for (const auto &row : ref::kNotZeroRows) {
        const nlt::Operator op = nlt::OperatorFromWord(row.word).value();
        EXPECT_EQ(std::pair(nlt::NotZeroAfterOperator(op), nlt::NotZeroBeforeOperator(op)),
                  std::pair(row.afterOperator, row.beforeOperator)) << "op Not 0, Not 0 op: " << row.word;
    }
    const auto &rules = nlt::NegationRewriteRules();
    for (std::size_t i = 0; i < rules.size(); ++i)
        EXPECT_EQ(std::pair(rules[i].find, rules[i].replacement),
                  std::pair(ref::kRewriteRows[i].find, ref::kRewriteRows[i].replacement)) << "rule " << i + 1;
}

// Draws 1, 2, ...: the redraw code gives nothing, the last entry serves every larger draw.
TEST(DrawTables, MapEachDrawToItsOperatorText)
{
    std::string tertiary, binary;
    for (int d = 1; d <= 20; ++d)
        tertiary.append(nlt::TertiaryOperatorForDraw(d)).append("|");
    for (int d = 1; d <= 8; ++d)
        binary.append(nlt::BinaryOperatorForDraw(d)).append("|");
    EXPECT_EQ(tertiary, " Or | And | Maybe || For | Against | With | Nor | Nand | Nmaybe | Nfor | Nagainst | Nwith "
                        "| Xor | Xmaybe | Xfor | Xagainst | Xwith | Xand | Xand |");
    EXPECT_EQ(binary, " Or | And || Nor | Nand | Xor | Xand | Xand |");
    EXPECT_THROW(nlt::TertiaryOperatorForDraw(0), std::out_of_range);
}

// u comes from the top 53 bits, so it never rounds up to 1 (a draw of Level + 1).
TEST(RandomSource, UnitFromBitsStaysBelowOne)
{
    EXPECT_EQ(nlt::UnitFromBits(0x7ffULL), 0.0);
    EXPECT_EQ(nlt::UnitFromBits(1ULL << 63), 0.5);
    EXPECT_EQ(nlt::UnitFromBits(~0ULL), 1.0 - 0x1.0p-53);
}

// Two questions built in the same clock tick still get different draws.
TEST(RandomSource, ClockReseedsInTheSameInstantDiffer)
{
    nlt::ClockRandomSource random;
    std::set<double> firsts;
    for (int i = 0; i < 2000; ++i)
        random.Reseed(), firsts.insert(random.Next());
    EXPECT_EQ(firsts.size(), 2000u);
}

} // namespace
