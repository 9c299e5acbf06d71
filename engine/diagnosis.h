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
#include <vector>

#include "engine/cause.h"
#include "engine/explain.h"
#include "engine/language.h"

namespace nlt {

// The causes of the run's last answer (the wrong one), the most likely first;
// probabilities sum to at most 1, and none reaches 0.9 while another stands
// (the run cannot tell them apart). The earlier questions were answered right.
// Empty for an empty run, a last answer that is right, or a text that is no
// expression. Readings that read the whole language alike are one cause;
// readings that differ anywhere stay apart, however alike they answer the run.
std::vector<Cause> DiagnoseRun(std::span<const AnsweredQuestion> run);

// As above, with the working of the run's last question already at hand.
std::vector<Cause> DiagnoseRun(std::span<const AnsweredQuestion> run, const Explanation &working);

// The value a person working by this cause gives to text in that test; for a
// one-off slip, the value with the slip where it happened and none elsewhere.
// Throws EvaluationError for a text that is no expression.
char AnswerUnder(const Cause &cause, std::string_view text, bool binary);

// How a cause stands among the others.
enum class CauseWeight : std::uint8_t {
    MostLikely, // well ahead of every other cause
    Possibly,   // behind another, or first without a clear lead
    CantTell,   // too close to the most likely cause to tell apart
};

// How causes[index] stands among causes (sorted, most likely first): most likely
// only for a first cause that holds 0.9.
CauseWeight WeightOf(std::span<const Cause> causes, std::size_t index);

} // namespace nlt
