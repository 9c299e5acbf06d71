#pragma once

// Helpers shared by the generator and difficulty tests: a recording window,
// fixed random sources and a checker of the expression text format.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/generator.h"

namespace nlt::checks {

// Which generator a test row drives.
enum class Logic { Tertiary, Binary };

// Names a row's test in test names and failure messages.
inline void PrintTo(Logic logic, std::ostream *out)
{
    *out << (logic == Logic::Tertiary ? "tertiary" : "binary");
}

// Records the window calls (repeated event processing collapses to one entry).
class RecordingWindow : public QuestionWindow {
public:
    // Logs into log; tertiary is the selection, flip switches it at the first event pass.
    explicit RecordingWindow(std::vector<std::string> &log, bool tertiary = true, bool flip = false)
        : log_(log), tertiary_(tertiary), flip_(flip) {}
    // Each window call below appends its name to the log.
    void DisableAnswerButtons() override { log_.push_back("disable"); }
    void SetTitle(const std::string &title) override { title_ = title; log_.push_back("title"); }
    void SetExpression(const std::string &text) override { text_ = text; log_.push_back("expression"); }
    void ProcessPendingEvents() override
    {
        if (log_.empty() || log_.back() != "process")
            log_.push_back("process");
        // A user switching the test while the answer is computed.
        tertiary_ = flip_ ? !tertiary_ : tertiary_;
        flip_ = false;
    }
    void StoreCorrectAnswer(const std::string &value) override { answer_ = value; log_.push_back("store"); }
    bool TertiarySelected() const override { return tertiary_; }
    void EnableAnswerButtons(bool unknownToo) override { log_.push_back(unknownToo ? "enable+unknown" : "enable"); }

    // The last title, expression text and stored answer.
    const std::string &title() const { return title_; }
    const std::string &text() const { return text_; }
    const std::string &answer() const { return answer_; }

private:
    std::vector<std::string> &log_;
    bool tertiary_;
    bool flip_;
    std::string title_, text_, answer_;
};

// Returns the same u for every draw.
class ConstantRandom : public RandomSource {
public:
    // Every Next() returns u.
    explicit ConstantRandom(double u) : u_(u) {}
    // Nothing to restart.
    void Reseed() override {}
    // Returns u.
    double Next() override { return u_; }

private:
    double u_;
};

// Returns a fixed script of u values and fails the test if the script is
// overrun, so a test can pin the exact order of draws.
class ScriptedRandom : public RandomSource {
public:
    // Every Next() returns the next scripted u.
    explicit ScriptedRandom(std::vector<double> script) : script_(std::move(script)) {}
    // Nothing to restart.
    void Reseed() override {}
    // Returns the next scripted u; fails the test past the end.
    double Next() override
    {
        if (next_ < script_.size())
            return script_[next_++];
        ADD_FAILURE() << "more draws than scripted";
        return 0.0;
    }
    // Whether every scripted u was drawn.
    bool Exhausted() const { return next_ == script_.size(); }

private:
    std::vector<double> script_;
    std::size_t next_ = 0;
};

// Puts a new question of the given test on the window.
inline void NewQuestion(Logic test, TestCounters &counters, RandomSource &random, QuestionWindow &window)
{
    test == Logic::Tertiary ? NewTertiaryQuestion(counters, random, window)
                           : NewBinaryQuestion(counters, random, window);
}

// Draws a question of the given test without window or evaluation.
inline QuestionParts BuildParts(Logic test, TestCounters &counters, RandomSource &random)
{
    return test == Logic::Tertiary ? BuildTertiaryParts(counters, random) : BuildBinaryParts(counters, random);
}

// The operator words of a text in order of appearance ("Not" excluded).
inline std::vector<std::string> OperatorWords(std::string_view text)
{
    std::vector<std::string> words;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view token = text.substr(start, end - start);
        if (!token.empty() && std::isalpha(static_cast<unsigned char>(token.front())) != 0 && token != "Not")
            words.emplace_back(token);
        start = end + 1;
    }
    return words;
}

// The number of operators in a chain text: each adds two blanks, each "Not " one.
inline int OperatorCount(std::string_view text)
{
    int blanks = 0, nots = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        blanks += text[i] == ' ';
        nots += text[i] == 'N' && text.substr(i, 4) == "Not ";
    }
    return (blanks - nots) / 2;
}

// Checks the text format: chains of at least one operator over the given value
// characters and operator words, single blanks, "Not " only before an operand.
class FormatChecker {
public:
    // Accepts these value characters and operator words.
    FormatChecker(std::string_view values, std::vector<std::string_view> words) : values_(values), words_(std::move(words)) {}

    // An expression: a chain, or one group standing alone.
    bool IsExpression(std::string_view text)
    {
        text_ = text;
        at_ = 0;
        if (Chain() && at_ == text_.size())
            return true;
        at_ = 0;
        return text_.starts_with('(') && Operand() && at_ == text_.size();
    }

private:
    // Reads "Not " prefixes, then a value character or a group.
    bool Operand()
    {
        while (text_.substr(at_, 4) == "Not ")
            at_ += 4;
        if (at_ < text_.size() && text_[at_] == '(') {
            ++at_;
            if (!Chain() || at_ >= text_.size() || text_[at_] != ')')
                return false;
            ++at_;
            return true;
        }
        return at_ < text_.size() && values_.find(text_[at_++]) != std::string_view::npos;
    }

    // Reads an operand and one or more " word " operand steps.
    bool Chain()
    {
        if (!Operand())
            return false;
        int operators = 0;
        while (at_ < text_.size() && text_[at_] == ' ') {
            const std::size_t end = text_.find(' ', at_ + 1);
            if (end == std::string_view::npos
                || std::find(words_.begin(), words_.end(), text_.substr(at_ + 1, end - at_ - 1)) == words_.end())
                return false;
            at_ = end + 1;
            if (!Operand())
                return false;
            ++operators;
        }
        return operators > 0;
    }

    std::string_view values_;
    std::vector<std::string_view> words_;
    std::string_view text_;
    std::size_t at_ = 0;
};

// The format checker of the given test's values and operator words.
inline FormatChecker CheckerFor(Logic test)
{
    if (test == Logic::Binary)
        return {"12", {"Or", "And", "Nor", "Nand", "Xor", "Xand"}};
    return {"012", {"Or", "And", "Maybe", "For", "Against", "With", "Nor", "Nand", "Nmaybe", "Nfor", "Nagainst",
                    "Nwith", "Xor", "Xmaybe", "Xfor", "Xagainst", "Xwith", "Xand"}};
}

} // namespace nlt::checks
