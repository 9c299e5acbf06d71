#pragma once

// The questions the mistake finder may ask: the failed question's groups, its
// steps again with the values they had there, and fresh terms and short chains
// that are not in the question. Used by the engine only.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/explain.h"
#include "engine/ask.h"
#include "engine/readings.h"

namespace nlt::detail {

// A question with the part of the failed question it stands for (no places for a fresh one).
struct Askable {
    Ask ask;
    AskablePart part;
};

// The failed question's groups (the whole question and a group that holds one
// term excepted: that term is the same computation) and steps, shortest first.
std::vector<Askable> QuestionParts(std::string_view text, const Explanation &working);

// Fresh terms of the test, "Not" before or inside a term, and chains of two
// operators drawn from words (a "Not" on the middle operand or none).
std::vector<Askable> FreshQuestions(bool binary, std::span<const Operator> words);

// The number of operator words in an expression text.
std::size_t OperatorCount(std::string_view text);

// The number of "Not" prefixes in an expression text.
std::size_t NotCount(std::string_view text);

// The deepest nesting of parentheses in an expression text.
std::size_t Depth(std::string_view text);

// The computation a text asks for: a group that is the whole text counts as its chain.
std::string_view Computation(std::string_view text);

} // namespace nlt::detail
