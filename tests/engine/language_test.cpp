// The language tables, checked cell by cell against tables typed as text.

#include "engine/language.h"
#include "tests/reference/literal_tables.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using nlt::Operator;
namespace ref = nlt::reference;

// One cell of a truth table: left operand, operator word, right operand, value.
struct Cell {
    std::string word;
    char left;
    char right;
    char expected;
};

std::ostream &operator<<(std::ostream &os, const Cell &cell)
{
    return os << cell.left << ' ' << cell.word << ' ' << cell.right << " = " << cell.expected;
}

// All 162 cells of the three-valued truth table.
std::vector<Cell> TernaryCells()
{
    std::vector<Cell> cells;
    for (const auto &row : ref::kTruthRows)
        for (int i = 0; i < 9; ++i)
            cells.push_back({std::string(row.word), static_cast<char>('0' + i / 3),
                             static_cast<char>('0' + i % 3), row.cells[static_cast<std::size_t>(i)]});
    return cells;
}

// All 24 cells of the two-valued truth table.
std::vector<Cell> BinaryCells()
{
    std::vector<Cell> cells;
    for (const auto &row : ref::kBinaryTruthRows)
        for (int i = 0; i < 4; ++i)
            cells.push_back({std::string(row.word), static_cast<char>('1' + i / 2),
                             static_cast<char>('1' + i % 2), row.cells[static_cast<std::size_t>(i)]});
    return cells;
}

class TruthTableCell : public testing::TestWithParam<Cell> {};

TEST_P(TruthTableCell, AllLookupsGiveTheCellValue)
{
    const Cell &cell = GetParam();
    const auto op = nlt::OperatorFromWord(cell.word);
    ASSERT_TRUE(op.has_value());
    EXPECT_EQ(nlt::TermValue(cell.left, *op, cell.right), cell.expected);
    EXPECT_EQ(nlt::TermValue(cell.left, cell.word, cell.right), cell.expected);
    const std::string term = std::string(1, cell.left) + ' ' + cell.word + ' ' + cell.right;
    EXPECT_EQ(nlt::LookUpTerm(term), cell.expected) << term;
}

INSTANTIATE_TEST_SUITE_P(ThreeValued, TruthTableCell, testing::ValuesIn(TernaryCells()));
INSTANTIATE_TEST_SUITE_P(TwoValued, TruthTableCell, testing::ValuesIn(BinaryCells()));

// One row of the "Not 0" table.
class NotZeroRow : public testing::TestWithParam<ref::NotZeroRow> {};

TEST_P(NotZeroRow, BothSidesMatchTheTable)
{
    const auto &row = GetParam();
    const auto op = nlt::OperatorFromWord(row.word);
    ASSERT_TRUE(op.has_value());
    EXPECT_EQ(nlt::NotZeroAfterOperator(*op), row.afterOperator) << row.word << " Not 0";
    EXPECT_EQ(nlt::NotZeroBeforeOperator(*op), row.beforeOperator) << "Not 0 " << row.word;
}

INSTANTIATE_TEST_SUITE_P(AllOperators, NotZeroRow, testing::ValuesIn(ref::kNotZeroRows));

TEST(NegationRewriteRules, AreTheThirtyEightRulesInOrder)
{
    const auto &rules = nlt::NegationRewriteRules();
    ASSERT_EQ(rules.size(), ref::kRewriteRows.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        EXPECT_EQ(rules[i].find, ref::kRewriteRows[i].find) << "rule " << i + 1;
        EXPECT_EQ(rules[i].replacement, ref::kRewriteRows[i].replacement) << "rule " << i + 1;
    }
}

TEST(OperatorLists, FollowTheTruthTableOrder)
{
    ASSERT_EQ(nlt::kAllOperators.size(), ref::kTruthRows.size());
    for (std::size_t i = 0; i < nlt::kAllOperators.size(); ++i)
        EXPECT_EQ(nlt::OperatorWord(nlt::kAllOperators[i]), ref::kTruthRows[i].word);
    ASSERT_EQ(nlt::kBinaryOperators.size(), ref::kBinaryTruthRows.size());
    for (std::size_t i = 0; i < nlt::kBinaryOperators.size(); ++i)
        EXPECT_EQ(nlt::OperatorWord(nlt::kBinaryOperators[i]), ref::kBinaryTruthRows[i].word);
}

TEST(OperatorWords, NoWordOccursInsideAnother)
{
    for (const Operator inner : nlt::kAllOperators)
        for (const Operator outer : nlt::kAllOperators) {
            if (inner == outer)
                continue;
            EXPECT_EQ(nlt::OperatorWord(outer).find(nlt::OperatorWord(inner)), std::string_view::npos)
                << nlt::OperatorWord(inner) << " in " << nlt::OperatorWord(outer);
        }
}

TEST(TruthTableProperties, EveryOperatorIsCommutative)
{
    for (const Operator op : nlt::kAllOperators)
        for (const char a : nlt::kValueCharacters)
            for (const char b : nlt::kValueCharacters)
                EXPECT_EQ(nlt::TermValue(a, op, b), nlt::TermValue(b, op, a))
                    << a << ' ' << nlt::OperatorWord(op) << ' ' << b;
}

TEST(TruthTableProperties, NFormIsBaseNegatedWithZeroFixed)
{
    const std::pair<Operator, Operator> pairs[] = {
        {Operator::And, Operator::Nand},         {Operator::Or, Operator::Nor},
        {Operator::Maybe, Operator::Nmaybe},     {Operator::For, Operator::Nfor},
        {Operator::Against, Operator::Nagainst}, {Operator::With, Operator::Nwith},
    };
    for (const auto &[base, negated] : pairs)
        for (const char a : nlt::kValueCharacters)
            for (const char b : nlt::kValueCharacters)
                EXPECT_EQ(nlt::TermValue(a, negated, b), nlt::NegateValue(nlt::TermValue(a, base, b)))
                    << a << ' ' << nlt::OperatorWord(negated) << ' ' << b;
}

// A text that is none of the 162 term texts.
class NotATerm : public testing::TestWithParam<const char *> {};

TEST_P(NotATerm, HasNoValue)
{
    EXPECT_EQ(nlt::LookUpTerm(GetParam()), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Malformed, NotATerm,
                         testing::Values("", "1", "1 Or", "1 and 2", "1 AND 2", "1  And 2", "1 And  2",
                                         "3 And 1", "1 And 3", "1 Not 2", "1 Or 2 ", " 1 Or 2", "1 Or 2 Or 1",
                                         "1 nand 2", "1 XAnd 2", "1 Xand2", "1Xand 2"));

TEST(OperatorFromWord, IsExactAndCaseSensitive)
{
    for (const char *word : {"and", "AND", "nAnd", "Not", "", "And ", " Or", "Orr", "Xand2"})
        EXPECT_EQ(nlt::OperatorFromWord(word), std::nullopt) << word;
    for (const Operator op : nlt::kAllOperators)
        EXPECT_EQ(nlt::OperatorFromWord(nlt::OperatorWord(op)), op);
}

// A draw number and the text that the generator appends for it.
struct Draw {
    int d;
    const char *text;
};

class TertiaryDraw : public testing::TestWithParam<Draw> {};

TEST_P(TertiaryDraw, GivesTheOperatorText)
{
    EXPECT_EQ(nlt::TertiaryOperatorForDraw(GetParam().d), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    DrawTable, TertiaryDraw,
    testing::Values(Draw{1, " Or "}, Draw{2, " And "}, Draw{3, " Maybe "}, Draw{4, ""}, Draw{5, " For "},
                    Draw{6, " Against "}, Draw{7, " With "}, Draw{8, " Nor "}, Draw{9, " Nand "},
                    Draw{10, " Nmaybe "}, Draw{11, " Nfor "}, Draw{12, " Nagainst "}, Draw{13, " Nwith "},
                    Draw{14, " Xor "}, Draw{15, " Xmaybe "}, Draw{16, " Xfor "}, Draw{17, " Xagainst "},
                    Draw{18, " Xwith "}, Draw{19, " Xand "}, Draw{20, " Xand "}, Draw{1000, " Xand "}));

class BinaryDraw : public testing::TestWithParam<Draw> {};

TEST_P(BinaryDraw, GivesTheOperatorText)
{
    EXPECT_EQ(nlt::BinaryOperatorForDraw(GetParam().d), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(DrawTable, BinaryDraw,
                         testing::Values(Draw{1, " Or "}, Draw{2, " And "}, Draw{3, ""}, Draw{4, " Nor "},
                                         Draw{5, " Nand "}, Draw{6, " Xor "}, Draw{7, " Xand "},
                                         Draw{8, " Xand "}, Draw{19, " Xand "}));

TEST(DrawTables, DrawsBelowOneAreRejected)
{
    for (const int d : {0, -1, -19}) {
        EXPECT_THROW(nlt::TertiaryOperatorForDraw(d), std::out_of_range) << d;
        EXPECT_THROW(nlt::BinaryOperatorForDraw(d), std::out_of_range) << d;
    }
}

} // namespace
