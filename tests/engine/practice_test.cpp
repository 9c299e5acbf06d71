// The drill on a misreading, for one cause of every family over many drills:
// every expression has the value the literal reference gives, and the value
// the simulated person with the misreading gives is the one the drill expects;
// seven or eight of ten change, sizes grow within bounds, nothing repeats; the
// near misses fall evenly over the ten places and every word of the test is drawn.

#include "engine/practice.h"
#include "tests/reference/literal_evaluator.h"
#include "tests/reference/practice_families.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace nlt::test {

// A family prints as its name in the test's listing.
void PrintTo(const PracticeFamily &family, std::ostream *out) { *out << family.name; }

namespace {

class Practice : public testing::TestWithParam<PracticeFamily> {};

// The operator words of text, counted apart from the engine, and its deepest parentheses.
std::pair<std::set<std::string>, std::pair<int, int>> Shape(const std::string &text)
{
    std::set<std::string> words;
    int operators = 0, depth = 0, deepest = 0;
    std::istringstream tokens(text);
    for (std::string token; tokens >> token;) {
        for (const char c : token)
            deepest = std::max(deepest, depth += (c == '(') - (c == ')'));
        if (token.size() > 1 && token != "Not" && token.front() != '(' && token.back() != ')')
            ++operators, words.insert(token);
    }
    return {words, {operators, deepest}};
}

TEST_P(Practice, DrillsChangeTheValueAtLeastSevenTimesInTenWithoutRepeats)
{
    const PracticeFamily &family = GetParam();
    constexpr int kDrills = 120;
    SeededRandomSource random(std::hash<std::string>{}(family.name));
    std::array<int, kDrillLength> nearAt{};
    std::set<std::string> words;
    for (int d = 0; d < kDrills; ++d) {
        const std::vector<PracticeItem> drill = DrawDrill(family.cause, family.binary, random);
        ASSERT_EQ(drill.size(), kDrillLength);
        std::set<std::string> texts;
        int changed = 0, before = 0;
        for (std::size_t i = 0; i < drill.size(); ++i) {
            const PracticeItem &item = drill[i];
            SCOPED_TRACE(item.text);
            ASSERT_EQ(reference::LiteralEvaluate(item.text), std::string(1, item.right));
            ASSERT_EQ(family.person.Work(item.text), item.misread);
            ASSERT_EQ(Person{}.Work(item.text), item.right);
            ASSERT_TRUE(item.misread == item.right || item.step);
            const auto [used, size] = Shape(item.text);
            words.insert(used.begin(), used.end());
            EXPECT_EQ(size, std::pair(item.operators, item.depth));
            EXPECT_GE(size.first, before);
            EXPECT_LE(size.first, 4);
            EXPECT_LE(size.second, 2);
            before = size.first;
            changed += item.right != item.misread;
            nearAt[i] += item.right == item.misread;
            texts.insert(item.text);
        }
        EXPECT_LE(drill.front().operators, 2); // one, or two where a chain's order is the point
        EXPECT_EQ(drill.back().operators, 4);
        EXPECT_TRUE(changed == 7 || changed == 8) << changed;
        EXPECT_EQ(texts.size(), kDrillLength);
    }
    // Two or three near misses at random places: a quarter of the drills at each
    // place. The chi-square over the ten places stays below 27.9 (df 9, p = 0.001).
    double chiSquare = 0;
    for (const int n : nearAt)
        chiSquare += (n - kDrills / 4.0) * (n - kDrills / 4.0) / (kDrills / 4.0);
    EXPECT_LT(chiSquare, 27.9);
    EXPECT_EQ(words.size(), family.binary ? 6U : 18U);
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, Practice, testing::ValuesIn(PracticeFamilies()),
    [](const testing::TestParamInfo<PracticeFamily> &info) {
        std::string name;
        for (const char c : info.param.name)
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

} // namespace
} // namespace nlt::test
