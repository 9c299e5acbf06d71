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

#include "engine/explain.h"
#include "engine/language.h"

namespace nlt {

// One answered question of a run: the text as shown, the button's value and
// whether it was asked in the two-valued test.
struct AnsweredQuestion {
    std::string text;
    char given = '\0';
    bool binary = false;
};

// The family of a cause.
enum class CauseKind : std::uint8_t {
    WordAsWord,            // an operator word read as another word of the same test
    TableCell,             // one cell of one truth table misremembered (both operand orders)
    NotZeroAsZero,         // "Not 0" taken as 0
    NotZeroWrongNeighbour, // "Not 0" decided by the operator after it even where one stands before it
    NotIgnored,            // every "Not" ignored
    NotNegatesRest,        // "Not" negates the rest of its chain instead of one operand
    AndFirst,              // And, Nand and Xand folded before the other words, as in school algebra
    RightToLeft,           // every chain folded from its right end
    Slip,                  // a one-off slip at one step of the failed question
    LastStep,              // the last step taken wrong: offered only when nothing else gives the answer
};

// One cell of a truth-table row: the right operand and the value the table gives.
struct TruthCell {
    char right = '\0';
    char value = '\0';
};

// The truth-table row that shows a cause: one operator with one left operand.
struct TruthRow {
    // The operator of the row.
    Operator op = Operator::And;
    // The left operand of every cell of the row.
    char left = '\0';
    // The row's cells in column order: two in the two-valued test, three in the other.
    std::vector<TruthCell> cells;
    // The right operand of the cell the person got wrong.
    char wrongRight = '\0';
    // The value the person used in that cell.
    char used = '\0';
    // The value the table gives there (the cell to mark as right).
    char correct = '\0';
};

// One cause of the run's last answer.
struct Cause {
    // How likely this is what happened, 0 to 1.
    double probability = 0.0;
    // Where it acts in the failed question, in text order (a one-off slip: its step).
    std::vector<TextRange> places;
    // Its family.
    CauseKind kind = CauseKind::Slip;
    // WordAsWord: the word as written. TableCell, Slip and LastStep on a fold: the operator.
    Operator word = Operator::And;
    // WordAsWord: the word it is read as.
    Operator readAs = Operator::And;
    // TableCell: the cell's left operand. Slip and LastStep: the step's left operand (the
    // operand of a "Not").
    char left = '\0';
    // TableCell, Slip and LastStep on a fold: the right operand.
    char right = '\0';
    // TableCell: the value used for the cell. Slip and LastStep: the value the step was taken as.
    char used = '\0';
    // TableCell: the table's value. Slip and LastStep: the step's right value.
    char correct = '\0';
    // Slip and LastStep: what the slipped step does.
    StepKind step = StepKind::Fold;
    // Slip and LastStep: a fingerprint of the failed question's text, where alone the slip acts.
    std::size_t question = 0;
    // Where the first place stands, in the question's own words, such as
    // "the Nor of (1 And 2) and 1"; empty for a rule that acts on the whole chain.
    std::string placeWords;
    // The truth-table row that shows it, for a word or cell misreading and for a
    // slip or last step on a fold.
    std::optional<TruthRow> row;
};

// True for a consistent misreading, false for a one-off slip and the last step.
constexpr bool IsMisreading(CauseKind kind) { return kind != CauseKind::Slip && kind != CauseKind::LastStep; }

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
        std::string text;              // the expression asked
        TextRange range;               // where it stands in the failed question
        std::vector<char> active;      // each cause's answer with the cause at work
        std::vector<char> dormant;     // each cause's answer when a one-off slip is not repeated
    };

    // Recomputes the probabilities from the priors and the answers.
    void Reweigh();

    std::vector<Cause> causes_;       // standing causes, with their priors
    std::vector<double> prior_;       // prior of each standing cause
    std::vector<Part> parts_;         // the parts that can be asked
    std::vector<std::pair<std::size_t, char>> answers_; // part index, value given
    std::vector<double> weights_;     // current probabilities
    std::vector<bool> contradicted_;  // a cause's active answer was contradicted
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
