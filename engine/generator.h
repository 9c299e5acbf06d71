#pragma once

#include <string>
#include <vector>

#include "engine/difficulty.h"
#include "engine/random.h"

namespace nlt {

// The window side of a question build. The generators call it in this order:
// DisableAnswerButtons, SetTitle, SetExpression, ProcessPendingEvents (any
// number of times while the text is evaluated), StoreCorrectAnswer,
// TertiarySelected, EnableAnswerButtons.
class QuestionWindow {
public:
    virtual ~QuestionWindow() = default;
    // Disables True, False and Unknown.
    virtual void DisableAnswerButtons() = 0;
    // Sets the window title.
    virtual void SetTitle(const std::string &title) = 0;
    // Shows the expression text.
    virtual void SetExpression(const std::string &text) = 0;
    // Lets the window handle pending events while the text is evaluated.
    virtual void ProcessPendingEvents() = 0;
    // Stores the value character of the expression on show.
    virtual void StoreCorrectAnswer(const std::string &value) = 0;
    // Whether "Tertiary Logic" is selected at this moment.
    virtual bool TertiarySelected() const = 0;
    // Enables True and False, and Unknown too when unknownToo is set.
    virtual void EnableAnswerButtons(bool unknownToo) = 0;
};

// Builds one random three-valued chain; adds 1 to QuestionScore per operator.
std::string MakeTertiaryChain(TestCounters &counters, RandomSource &random);

// Builds one random two-valued chain; adds 1 to QuestionScore per operator.
std::string MakeBinaryChain(TestCounters &counters, RandomSource &random);

// The drawn parts of one question before they are joined into its text.
struct QuestionParts {
    // Top-level chains 1 to TermCount, nested.
    std::vector<std::string> chains;
    // Joining operator texts (" Or ") in front of chains 2 to TermCount.
    std::vector<std::string> joins;
    // Whether each chain stands in parentheses in the text; the first always does.
    std::vector<bool> grouped;
};

// Advances the difficulty and draws a three-valued question; QuestionScore
// ends as its worth. No window, no evaluation.
QuestionParts BuildTertiaryParts(TestCounters &counters, RandomSource &random);

// Advances the difficulty and draws a two-valued question; QuestionScore
// ends as its worth. No window, no evaluation.
QuestionParts BuildBinaryParts(TestCounters &counters, RandomSource &random);

// The expression text of a question: chain 1 grouped, then each joining
// operator and its chain.
std::string JoinParts(const QuestionParts &parts);

// Advances the difficulty and puts a new three-valued question on the window.
void NewTertiaryQuestion(TestCounters &counters, RandomSource &random, QuestionWindow &window);

// Advances the difficulty and puts a new two-valued question on the window.
void NewBinaryQuestion(TestCounters &counters, RandomSource &random, QuestionWindow &window);

} // namespace nlt
