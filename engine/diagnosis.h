#pragma once

// What went wrong in a run's last answer. A cause is either a consistent
// misreading of the language, which the person would apply to every question
// (a word read as another, a misremembered cell of a truth table, a wrong rule
// for "Not" or for the order of folding), or a one-off slip at one step of the
// failed question. Every earlier answer of the run was right, so a misreading
// that would have changed one of them is ruled out.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/cause.h"
#include "engine/explain.h"
#include "engine/language.h"

namespace nlt {

// The causes of the run's last answer (the wrong one), the most likely first;
// probabilities sum to at most 1. The earlier questions were answered right.
// Empty for an empty run, a last answer that is right, or a text that is no
// expression. Causes that predict alike everywhere in the run are one cause.
std::vector<Cause> DiagnoseRun(std::span<const AnsweredQuestion> run);

// The value a person working by this cause gives to text in that test; for a
// one-off slip, the value with the slip where it happened and none elsewhere.
// Throws EvaluationError for a text that is no expression.
char AnswerUnder(const Cause &cause, std::string_view text, bool binary);

// The sentence the review shows for the cause.
std::string DescribeCause(const Cause &cause);

// The weight in words of causes[index] among causes (sorted, most likely first):
// "most likely", "possibly" or "can't tell these apart".
std::string_view WeightInWords(std::span<const Cause> causes, std::size_t index);

// Asks about parts of the failed question until one cause stands out.
class MistakeFinder {
public:
    // Starts from the causes DiagnoseRun gives; keeps its own copy of what it needs.
    explicit MistakeFinder(std::span<const AnsweredQuestion> run);
    // The next thing to ask: an expression of the question language to work out
    // (a group of the failed question, or one term with the values it had), and
    // where it stands in the failed question; nothing when no question helps.
    std::optional<std::pair<std::string, TextRange>> next() const;
    // The person's value for next(); ignored when next() gives nothing.
    void answer(char value);
    // As DiagnoseRun, weighed with the answers so far.
    std::vector<Cause> causes() const;
    // True when a cause holds at least 0.9, the answers fit no cause, or nothing helps.
    bool finished() const;
    // The cause that holds at least 0.9, if one does.
    std::optional<Cause> named() const;
    // True when every standing cause is contradicted by an answer: the person works
    // the parts right now, so the slip was a one-off.
    bool slipWasOneOff() const;
    // Number of answers taken so far.
    std::size_t asked() const { return answers_.size(); }

private:
    // One part that can be asked, with each standing cause's answer to it.
    struct Part {
        std::string text;          // the expression asked
        TextRange range;           // where it stands in the failed question
        std::vector<char> active;  // each cause's answer with the cause at work
        std::vector<char> dormant; // each cause's answer when a one-off slip is not repeated
    };

    // Recomputes the probabilities from the priors and the answers.
    void Reweigh();

    std::vector<Cause> causes_;                         // standing causes, with their priors
    std::vector<double> prior_;                         // prior of each standing cause
    std::vector<Part> parts_;                           // the parts that can be asked
    std::vector<std::pair<std::size_t, char>> answers_; // part index, value given
    std::vector<double> weights_;                       // current probabilities
    std::vector<bool> contradicted_;                    // a cause's active answer was contradicted
};

// A cap of about 8 MB on the question text a run record holds.
inline constexpr std::size_t kRunRecordTextLimit = std::size_t{8} << 20;

// The answered questions of one run, as they come, holding at most about
// textLimit bytes of question text; the last question added is always kept.
class RunRecord {
public:
    // An empty record holding at most textLimit bytes of question text.
    explicit RunRecord(std::size_t textLimit = kRunRecordTextLimit) : limit_(textLimit) {}
    // Adds a question; drops what tells least until the text fits the cap again.
    void Add(AnsweredQuestion question);
    // The questions held, in the order they were asked.
    std::span<const AnsweredQuestion> Questions() const { return questions_; }
    // Total bytes of question text held.
    std::size_t TextSize() const { return size_; }
    // Number of questions dropped so far.
    std::size_t Dropped() const { return dropped_; }

private:
    std::vector<AnsweredQuestion> questions_;
    std::size_t limit_;
    std::size_t size_ = 0;
    std::size_t dropped_ = 0;
};

} // namespace nlt
