#pragma once

// Every sentence the review shows, worded in this one place from what the
// engine returns as data: the causes and their weight, the places where they
// act, the mistake finder's questions and endings, the steps and groups of the
// working, the answers and the truth-table cells. The engine's logic makes no
// English; the review only shows these sentences.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/cause.h"
#include "engine/explain.h"
#include "engine/finder.h"
#include "engine/step.h"

namespace nlt {

// A piece of a question (an operand or a chain) in at most about limit
// characters: groups from the innermost out become "(…)", then the middle
// terms of the chain give way to one "…". Never cuts a word, leaves every
// parenthesis closed, never doubles a blank.
std::string ShortenPiece(std::string_view piece, std::size_t limit);

// "first" to "tenth", then "11th", "22nd" and so on.
std::string OrdinalWord(std::size_t n);

// Where a step stands, said with its values where its text is long:
// "the third Nand of the question: (1 Nor 0 For 1) Nand 1, which is 2 Nand 1".
std::string PlaceInWords(const StepPlace &place);

// The sentence for a cause: its rule or slip, and for a misreading the place
// where it acts first, such as "You read "Nand" as "And". It acts first at the
// Nand of the question: 1 Nand 1."
std::string DescribeCause(const Cause &cause);

// The weight of causes[index] among causes (sorted, most likely first) in words:
// "most likely", "possibly" or "can't tell these apart".
std::string_view WeightInWords(std::span<const Cause> causes, std::size_t index);

// A line of the list of causes: "Most likely: You read "Nand" as "And". ..."
std::string CauseLine(std::span<const Cause> causes, std::size_t index);

// The finder's question: "Work out this group of the question: (1 Nand 2)",
// "You had 0 Or 0 here; work it out again" or "Not in the question: work out 2 Xfor 1".
std::string AskInWords(const Ask &ask);

// How the finder's search ended: FoundInWords, OneOffInWords or UndecidedInWords.
std::string EndingInWords(const Ending &ending);

// The finder's ending when a cause stands out: "Found: " and the cause.
std::string FoundInWords(const Cause &cause);

// The finder's ending when the answers fit no misreading; slip, when the
// answers point to one step, is that step's slip.
std::string OneOffInWords(const std::optional<Cause> &slip);

// The finder's ending when nothing left to ask tells the causes apart.
std::string UndecidedInWords();

// Said while the causes are worked out.
std::string DiagnosingInWords();

// Said when no cause gives the answer chosen.
std::string NoCauseInWords();

// "True", "False" or "Unknown"; the character itself for any other.
std::string ValueWord(char value);

// "You answered False (2). The answer is True (1)."
std::string AnswerInWords(char given, char right);

// "The value is True (1)." for an expression worked out on request.
std::string ValueInWords(char value);

// Said instead of a value for a text that is no expression.
std::string NoValueInWords();

// Said for an empty text to work out.
std::string EmptyTextInWords();

// One step as a person works it in the head: "1 For 2 = 2",
// "Not 0 after For counts as 2", "Not 2 is 1", "Not Not cancels".
std::string StepInWords(const Step &step);

// A group of the working with its value, "(0 Maybe 1) = 0", shortened as ShortenPiece does.
std::string GroupInWords(std::string_view groupText, char value);

// The head of one cell of a truth-table row: "1 Nand 2".
std::string CellHead(const TruthRow &row, const TruthCell &cell);

// One cell of a truth-table row: its value, or for a cell worked wrong a cross,
// the right value and the one used: "✗ 1 (you used 2)".
std::string CellInWords(const TruthCell &cell);

// The cell as a screen reader says it.
std::string CellSpoken(const TruthCell &cell);

// Why a text is no expression, for the person who typed it, such as
// ""or" is not an operator word; operator words begin with a capital letter".
std::string ProblemInWords(const SyntaxProblem &problem);

// "at character 7: <problem>", counting characters from 1.
std::string ProblemAt(std::size_t character, std::string_view problem);

} // namespace nlt
