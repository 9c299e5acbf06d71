#pragma once

// Find My Mistake: asks the person short questions (parts of the failed
// question, its steps again with the values they had, or fresh terms and
// chains) and weighs the causes of the wrong answer with each answer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/ask.h"
#include "engine/cause.h"
#include "engine/explain.h"
#include "engine/language.h"
#include "engine/rules.h"

namespace nlt {

// How a search ended.
enum class EndingKind : std::uint8_t {
    Asking,  // not ended: there is a question to ask
    Named,   // one misreading holds, told apart from every other cause
    OneOff,  // the answers fit no misreading: a one-off slip
    Unclear, // nothing more to ask, and no cause holds
};

// The end of a search, as data.
struct Ending {
    // How it ended.
    EndingKind kind = EndingKind::Asking;
    // Named: the cause. OneOff: the slipped step (a Slip or LastStep cause) when
    // the answers point to it, else nothing.
    std::optional<Cause> cause;
};

// Asks short questions until one cause stands out, the answers fit no
// misreading, or nothing more helps.
class MistakeFinder {
public:
    // Diagnoses the run itself (DiagnoseRun) and starts from its causes.
    explicit MistakeFinder(std::span<const AnsweredQuestion> run);
    // Starts from the causes DiagnoseRun gave for the run whose last question is
    // failed, and from that question's working.
    MistakeFinder(const AnsweredQuestion &failed, std::vector<Cause> causes, const Explanation &working);
    // The next question; nothing once the search has ended. Worked out once per answer.
    const std::optional<Ask> &next() const { return next_; }
    // The person's value for next(); ignored when next() gives nothing.
    void answer(char value);
    // The causes weighed with the answers so far, most likely first. A cause that
    // no question has told apart from every other holds less than 0.9.
    std::vector<Cause> causes() const;
    // True when the search has ended.
    bool finished() const { return !next_; }
    // The misreading that holds at least 0.9 (tested, and told apart from every
    // other cause), if one does.
    std::optional<Cause> named() const;
    // True when the search ended on a one-off slip.
    bool slipWasOneOff() const { return ending().kind == EndingKind::OneOff; }
    // How the search ended (Asking while it goes on).
    Ending ending() const;
    // Number of answers taken so far.
    std::size_t asked() const { return answers_.size(); }

private:
    // One question that can be asked, with each cause's answer to it.
    struct Candidate {
        Ask ask;                       // the question
        std::vector<TextRange> ranges; // every place in the failed question it stands for
        std::size_t operators = 0;     // its operator words
        std::size_t nots = 0;          // its "Not" prefixes
        std::size_t depth = 0;         // its deepest nesting of parentheses
        std::vector<char> active;      // each cause's answer with the cause at work
        std::vector<char> dormant;     // each cause's answer when a one-off slip is not repeated
        char right = '\0';             // the language's answer
    };

    // Adds the failed question's groups and steps, and fresh terms and chains.
    void AddCandidates(const std::string &text, const Explanation &working);
    // Adds one question unless it is asked already or tells nothing.
    void AddCandidate(Ask ask, std::vector<TextRange> ranges, bool term);
    // Recomputes the weights and the told-apart marks from the priors and the answers.
    void Reweigh();
    // Marks the causes told apart from every other cause and tested.
    void MarkTold();
    // The candidate to ask next, or nothing when the search ends.
    std::optional<std::size_t> Choose() const;
    // Works out the next question once (after the start and each answer).
    void Next();
    // The weight a cause may be given: below 0.9 unless it is told apart and tested.
    double Held(std::size_t c) const;
    // How cause c answers question q: at work always, or as a slip of a steady
    // or a fleeting person asked alone or in a group.
    std::size_t AccountOf(std::size_t c, const Candidate &q, bool steady) const;
    // The place of slip c that an answer repeated it at, if one did.
    std::optional<TextRange> RepeatedAt(std::size_t c) const;
    // The likeliest slip when the answers point to it.
    std::optional<std::size_t> LocalisedSlip() const;

    bool binary_ = false;
    std::vector<Cause> causes_;                         // the causes, with their priors
    std::vector<double> prior_;                         // prior of each cause
    std::vector<ReadingRules> rules_;                   // the rules each cause reads by
    std::vector<Candidate> candidates_;                 // the questions that can be asked
    std::vector<std::pair<std::size_t, char>> answers_; // candidate index, value given
    std::vector<double> weights_;                       // current probabilities
    std::vector<double> steady_;                        // for a slip: the chance the person is of the steady kind
    std::vector<bool> told_;                            // told apart from every other cause and tested
    std::optional<std::size_t> nextIndex_;              // the candidate asked next
    std::optional<Ask> next_;                           // the next question, worked out once
};

} // namespace nlt
