// The language tables against tables typed independently as text, and the
// random source the generators draw from. The operator-per-draw tables are
// checked through the generators' draws.

#include "engine/language.h"
#include "engine/random.h"
#include "tests/reference/literal_tables.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace nlt {
namespace {

// All 162 truth-table cells, by operator and through the term text, and all 36
// "Not 0" cells (the rewrite rules built from them are checked by the evaluator's
// differential test).
TEST(LanguageTables, EveryCellMatches)
{
    for (const auto &row : reference::kTruthRows)
        for (std::size_t i = 0; i < 9; ++i) {
            const char a = static_cast<char>('0' + i / 3), b = static_cast<char>('0' + i % 3);
            const std::string term = std::string{a, ' '} + std::string(row.word) + ' ' + b;
            EXPECT_EQ(std::pair(TermValue(a, OperatorFromWord(row.word).value(), b), LookUpTerm(term)),
                std::pair(row.cells[i], std::optional(row.cells[i])))
                << term;
        }
    for (const auto &row : reference::kNotZeroRows) {
        const Operator op = OperatorFromWord(row.word).value();
        EXPECT_EQ(std::pair(NotZeroAfterOperator(op), NotZeroBeforeOperator(op)),
            std::pair(row.afterOperator, row.beforeOperator))
            << "op Not 0, Not 0 op: " << row.word;
    }
}

// u comes from the top 53 bits, so it never rounds up to 1 (a draw of Level + 1);
// and two questions built in the same clock tick still get different draws.
TEST(RandomSource, UnitStaysBelowOneAndClockReseedsDiffer)
{
    EXPECT_EQ(std::tuple(UnitFromBits(0x7ff), UnitFromBits(1ULL << 63), UnitFromBits(~0ULL)),
        std::tuple(0., .5, 1 - 0x1p-53));
    ClockRandomSource random;
    std::set<double> firsts;
    for (int i = 0; i < 2000; ++i)
        random.Reseed(), firsts.insert(random.Next());
    EXPECT_EQ(firsts.size(), 2000u);
}

} // namespace
} // namespace nlt
