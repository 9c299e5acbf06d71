// The sentences of the review, written out by hand, and a property over
// generated questions: every shortened text is plain (balanced, no word cut,
// no doubled blank) and keeps the question's own words in their order.

#include "engine/explain.h"
#include "engine/generator.h"
#include "engine/wording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace nlt::test {

// True when a sentence is plain: parentheses balanced, no doubled blank, no
// " ... ", no letter touching "…", and every capitalised word whole (an
// operator word or a word of the sentences).
bool Plain(std::string_view sentence)
{
    static const std::set<std::string, std::less<>> kWords{"A", "Can", "Found", "It", "Most", "No", "Not", "Nothing",
        "Possibly", "The", "True", "False", "Unknown", "You", "Your", "Work"};
    int depth = 0;
    for (const char c : sentence)
        if ((depth += (c == '(') - (c == ')')) < 0)
            return false;
    const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = sentence.find("\u2026"); at != std::string_view::npos; at = sentence.find("\u2026", at + 1))
        if ((at > 0 && letter(sentence[at - 1])) || (at + 3 < sentence.size() && letter(sentence[at + 3])))
            return false;
    for (std::size_t at = 0; at < sentence.size();) {
        const std::size_t end = std::find_if_not(sentence.begin() + at, sentence.end(), letter) - sentence.begin();
        const std::string_view word = sentence.substr(at, end - at);
        if (!word.empty() && std::isupper(static_cast<unsigned char>(word[0])) && !kWords.contains(word)
            && !OperatorFromWord(word))
            return false;
        at = std::max(end, at + 1);
    }
    return depth == 0 && sentence.find("  ") == std::string_view::npos && sentence.find(" ... ") == std::string_view::npos;
}

namespace {

// The blank-separated words of a text, parentheses and "…" left out.
std::vector<std::string> Words(std::string_view text)
{
    std::string cleaned;
    for (const char c : text)
        cleaned += c == '(' || c == ')' ? ' ' : c;
    std::vector<std::string> words;
    std::istringstream in(cleaned);
    for (std::string w; in >> w;)
        if (w != "\u2026")
            words.push_back(w);
    return words;
}

// A question of the finder.
Ask Asked(std::string text, AskKind kind)
{
    Ask ask;
    ask.text = std::move(text);
    ask.kind = kind;
    return ask;
}

TEST(Wording, SentencesAsWrittenByHand)
{
    using K = StepKind;
    const StepPlace third{K::Fold, Operator::Nand, 3, 3, "(1 Nor 0 For 1)", "1", '2', '1'};
    const StepPlace chain{K::Fold, Operator::Xor, 2, 2, "1 Nor 0 For 1", "Not 2", '2', '1'};
    const StepPlace alone{K::Fold, Operator::Nand, 1, 1, "1", "1", '1', '1'};
    const StepPlace not2{K::Negate, Operator::And, 2, 4, "(2 Against 0)", "", '2', '\0'};
    const std::string longGroup = "(1 Or (2 And (0 Xor 1) Nand 2) Xagainst (1 Nor 2) Or (2 And 1 Xfor 0) Nmaybe 1)";
    const std::string longChain = "1 Or 2 And 0 Xor 1 Nand 2 Xagainst 1 Nor 2 Or 2 And 1 Xfor 0 Nmaybe 1";
    const std::pair<std::string, std::string> rows[] = {
        {PlaceInWords(third), "the third Nand of the question: (1 Nor 0 For 1) Nand 1, which is 2 Nand 1"},
        {PlaceInWords(chain), "the second Xor of the question: (1 Nor 0 For 1) Xor Not 2, which is 2 Xor 1"},
        {PlaceInWords(alone), "the Nand of the question: 1 Nand 1"},
        {PlaceInWords(not2), "the second \"Not\" of the question: Not (2 Against 0), which is Not 2"},
        {ShortenPiece("(1 Or 2) And 0", 14), "(1 Or 2) And 0"},
        {ShortenPiece(longGroup, 40), "(1 Or (\u2026) Xagainst (\u2026) Or (\u2026) Nmaybe 1)"},
        {ShortenPiece(longGroup, 75), "(1 Or (2 And (\u2026) Nand 2) Xagainst (1 Nor 2) Or (2 And 1 Xfor 0) Nmaybe 1)"},
        {ShortenPiece(longChain, 30), "1 Or 2 \u2026 And 1 Xfor 0 Nmaybe 1"},
        {ShortenPiece("Not (" + longChain + ")", 34), "Not (1 Or 2 \u2026 Xfor 0 Nmaybe 1)"},
        {OrdinalWord(10) + OrdinalWord(11) + OrdinalWord(22) + OrdinalWord(113) + OrdinalWord(101),
            "tenth11th22nd113th101st"},
        {StepInWords({.kind = K::CancelNots, .range = {0, 8}}), "Not Not cancels"},
        {StepInWords({.kind = K::CancelNots, .range = {4, 16}}), "2 pairs of Not cancel"},
        {StepInWords({K::NotZero, 0, {}, '0', Operator::For, '\0', true, '2'}), "Not 0 after For counts as 2"},
        {StepInWords({K::Fold, 0, {}, '0', Operator::Maybe, '1', false, '0'}), "0 Maybe 1 = 0"},
        {GroupInWords(longGroup + " Or " + longGroup, '0'), "(\u2026) Or (\u2026) = 0"},
        {AnswerInWords('0', '1'), "You answered Unknown (0). The answer is True (1)."},
        {AskInWords(Asked("2 Xfor 1", AskKind::Fresh)), "Not in the question: work out 2 Xfor 1"},
        {AskInWords(Asked("0 Or 0", AskKind::Step)), "You had 0 Or 0 here; work it out again"},
        {OneOffInWords(std::nullopt),
            "You work this part right when you do it again: it was a one-off slip. Your answers do not show at which step."},
        {CellInWords({'1', '2', '1'}) + " | " + CellInWords({'2', '2', '2'}), "\u2717 2 (you used 1) | 2"},
    };
    for (const auto &[got, expected] : rows)
        EXPECT_EQ(got, expected);
}

// Every group of 150 generated questions shortened to three lengths: plain, and
// its words are the group's own in their order, a run of them left out at most.
TEST(Wording, ShortenedGroupsOfGeneratedQuestionsArePlain)
{
    TestCounters counters{.TermCount = 1};
    SeededRandomSource random(4711);
    std::size_t shortened = 0;
    for (int i = 0; i < 150; ++i) {
        const std::string text = JoinParts((i % 2 ? BuildTertiaryParts : BuildBinaryParts)(counters, random));
        for (const GroupWorking &group : ExplainExpression(text).groups)
            for (const std::size_t limit : {12, 30, 64}) {
                const std::string_view piece = std::string_view(text).substr(group.range.begin, group.range.length);
                const std::string shown = ShortenPiece(piece, limit);
                ASSERT_TRUE(Plain(shown)) << shown;
                const std::vector<std::string> all = Words(piece), kept = Words(shown);
                std::ptrdiff_t next = 0; // each kept word is found after the one before it
                for (const std::string &w : kept)
                    ASSERT_LE(next = std::find(all.begin() + next, all.end(), w) - all.begin() + 1, std::ssize(all))
                        << shown;
                shortened += shown.size() < piece.size();
            }
    }
    EXPECT_GT(shortened, 1000u);
}

} // namespace
} // namespace nlt::test
