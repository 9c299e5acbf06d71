#pragma once

// Find My Mistake: asks the person to work parts of the failed question again
// and weighs the causes of the wrong answer with each answer.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/cause.h"
#include "engine/language.h"

namespace nlt {

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

} // namespace nlt
