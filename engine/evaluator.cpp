#include "engine/evaluator.h"

#include "engine/language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Two routes give the same value. Text of the question language is read once
// from left to right: every group is reduced when its ")" is reached and every
// chain is folded term by term, so the cost grows linearly with the text.
// Anything else is reduced by literal search and replace on a working text,
// which also decides what a malformed text yields: usually an error.

namespace nlt {

namespace {

// Longest piece of the caller's text quoted in an error message.
constexpr std::size_t kQuoteLimit = 80;

// The text in quotes, cut short when it is long.
std::string Quote(std::string_view text)
{
    if (text.size() <= kQuoteLimit)
        return '"' + std::string(text) + '"';
    return '"' + std::string(text.substr(0, kQuoteLimit)) + "...\"";
}

// Throws the error for a text that does not reduce to one value.
[[noreturn]] void Reject(std::string_view text, const std::string &reason)
{
    throw EvaluationError(Quote(text) + " is not a valid expression: " + reason);
}

// Lets the window handle its events, when it asked to.
void Notify(const ProcessEvents &processEvents)
{
    if (processEvents)
        processEvents();
}

// ---------------------------------------------------------------------------
// Single pass over well-formed text.

// One open chain: its value so far and what is still waiting for an operand.
struct OpenChain {
    char value = '\0';
    std::optional<Operator> pendingOperator; // operator still without its right operand
    bool leadingNotZero = false;             // first operand is a "Not 0" still to be resolved
    std::size_t nots = 0;                    // "Not " prefixes read before the current operand
};

// Takes an operand value: applies its negations and folds it into the chain.
void AcceptOperand(OpenChain &chain, char value, const ProcessEvents &processEvents)
{
    if (chain.nots % 2 == 1) {
        if (value != '0')
            value = NegateValue(value);
        else if (chain.pendingOperator)
            value = NotZeroAfterOperator(*chain.pendingOperator);
        else
            chain.leadingNotZero = true; // the operator after it decides
    }
    chain.nots = 0;
    if (chain.pendingOperator) {
        chain.value = TermValue(chain.value, *chain.pendingOperator, value);
        chain.pendingOperator.reset();
        Notify(processEvents);
    } else {
        chain.value = value;
    }
}

// Takes an operator; it resolves a leading "Not 0" that stands before it.
void AcceptOperator(OpenChain &chain, Operator op)
{
    if (chain.leadingNotZero) {
        chain.value = NotZeroBeforeOperator(op);
        chain.leadingNotZero = false;
    }
    chain.pendingOperator = op;
}

// The value of a finished chain; empty when a lone "Not 0" has no operator to decide it.
std::optional<char> CloseChain(const OpenChain &chain)
{
    if (chain.leadingNotZero)
        return std::nullopt;
    return chain.value;
}

// Slot of a word in the operator key table: its first and third characters
// (the blank after "Or") tell all eighteen words apart.
constexpr std::size_t OperatorKey(char first, char third)
{
    return static_cast<std::size_t>(first & 31) * 32 + static_cast<std::size_t>(third & 31);
}

// Marks a slot of the operator key table that holds no operator.
constexpr std::uint8_t kNoOperator = 0xFF;

// The operator (as its number) for each key; kNoOperator elsewhere.
constexpr std::array<std::uint8_t, 32 * 32> kOperatorKeys = [] {
    std::array<std::uint8_t, 32 * 32> keys{};
    keys.fill(kNoOperator);
    for (const Operator op : kAllOperators) {
        const std::string_view word = OperatorWord(op);
        keys[OperatorKey(word[0], word.size() > 2 ? word[2] : ' ')] = static_cast<std::uint8_t>(op);
    }
    return keys;
}();

// The operator whose word, followed by a blank, starts text at index i.
std::optional<Operator> OperatorAt(std::string_view text, std::size_t i)
{
    if (i + 3 >= text.size())
        return std::nullopt;
    const std::uint8_t key = kOperatorKeys[OperatorKey(text[i], text[i + 2])];
    if (key == kNoOperator)
        return std::nullopt;
    const auto op = static_cast<Operator>(key);
    const std::string_view word = OperatorWord(op);
    const std::size_t end = i + word.size();
    if (end >= text.size() || text[end] != ' ' || text.substr(i, word.size()) != word)
        return std::nullopt;
    return op;
}

// Reads text in the question language and returns its value; empty as soon as
// the text leaves the language. Without groupsAllowed a parenthesis leaves it.
std::optional<char> ReduceWellFormed(std::string_view text, bool groupsAllowed,
                                     const ProcessEvents &processEvents)
{
    std::vector<OpenChain> open(1);
    std::size_t i = 0;
    const std::size_t n = text.size();
    for (;;) {
        // An operand: "Not " prefixes, then "(" or a value character.
        while (text.substr(i).starts_with(kNotPrefix)) {
            ++open.back().nots;
            i += kNotPrefix.size();
        }
        if (groupsAllowed && i < n && text[i] == '(') {
            open.emplace_back();
            ++i;
            continue;
        }
        if (i == n || !IsValueCharacter(text[i]))
            return std::nullopt;
        AcceptOperand(open.back(), text[i++], processEvents);

        // Each ")" closes the innermost group, whose value is an operand of the chain around it.
        while (i < n && text[i] == ')') {
            if (open.size() == 1)
                return std::nullopt;
            const auto value = CloseChain(open.back());
            if (!value)
                return std::nullopt;
            open.pop_back();
            AcceptOperand(open.back(), *value, processEvents);
            ++i;
        }
        if (i == n)
            return open.size() == 1 ? CloseChain(open.back()) : std::nullopt;

        // An operator word with one blank on each side.
        const auto op = text[i] == ' ' ? OperatorAt(text, i + 1) : std::nullopt;
        if (!op)
            return std::nullopt;
        AcceptOperator(open.back(), *op);
        i += OperatorWord(*op).size() + 2;
    }
}

// ---------------------------------------------------------------------------
// Literal search and replace, for text outside the language.

// Replaces every non-overlapping occurrence of find, left to right, in one pass.
void ReplaceAll(std::string &w, std::string_view find, std::string_view replacement)
{
    std::size_t hit = w.find(find);
    if (find.empty() || hit == std::string::npos)
        return;
    std::string out;
    out.reserve(w.size());
    std::size_t from = 0;
    for (; hit != std::string::npos; hit = w.find(find, from)) {
        out.append(w, from, hit - from);
        out.append(replacement);
        from = hit + find.size();
    }
    out.append(w, from, std::string::npos);
    w = std::move(out);
}

// Reduces one group by search and replace: strips its parentheses, removes
// "Not Not ", applies the negation rewrites and folds the leading term until at
// most one character is left. Throws when a leading term has no value.
std::string ReduceLiterally(std::string_view group, std::string_view text,
                            const ProcessEvents &processEvents)
{
    std::string w(group);
    if (!w.empty() && w.front() == '(')
        w.erase(0, 1);
    if (!w.empty() && w.back() == ')')
        w.pop_back();
    while (w.find("Not Not ") != std::string::npos) {
        Notify(processEvents);
        ReplaceAll(w, "Not Not ", "");
    }
    for (const auto &rule : NegationRewriteRules())
        ReplaceAll(w, rule.find, rule.replacement);

    // The working text is w from index start on; folding a term only rewrites its
    // front, so the next occurrence of each value character is found by moving on.
    constexpr std::array<char, 3> kDigits{'2', '1', '0'};
    std::array<std::size_t, 3> next{};
    std::size_t start = 0;
    while (w.size() - start > 1) {
        Notify(processEvents);
        std::size_t end = std::string::npos;
        for (std::size_t k = 0; k < kDigits.size(); ++k) {
            if (next[k] < start + 1)
                next[k] = w.find(kDigits[k], start + 1);
            // Only an occurrence at position 6 or later of the working text ends a term.
            if (next[k] != std::string::npos && next[k] >= start + 5 && next[k] < end)
                end = next[k];
        }
        if (end == std::string::npos)
            Reject(text, "no term can be formed at the start of " + Quote(std::string_view(w).substr(start)));
        const std::string_view term = std::string_view(w).substr(start, end - start + 1);
        const auto value = LookUpTerm(term);
        if (!value)
            Reject(text, "the term " + Quote(term) + " has no value");
        w[end] = *value;
        start = end;
    }
    return w.substr(start);
}

// Reduces a whole text by search and replace, pass by pass: the group closed by
// the first ")" first, each time replacing every copy of it, then the flat rest.
std::string ReducePassByPass(std::string_view text, const ProcessEvents &processEvents)
{
    std::string w(text);
    while (w.size() > 1) {
        Notify(processEvents);
        const std::size_t close = w.find(')');
        std::string group;
        if (close != std::string::npos && close > 0) {
            const std::size_t open = w.rfind('(', close);
            const std::size_t from = open == std::string::npos ? 0 : open;
            group = w.substr(from, close - from + 1);
        } else {
            group = w; // no ")" or one at position 1: the whole text is one chain
        }
        const std::string value = ReduceLiterally(group, text, processEvents);
        ReplaceAll(w, group, value);
    }
    return w;
}

// Gives the result of ReducePassByPass in one scan while every ")" closes a "("
// before it: each group is reduced where its ")" is read, and as equal groups
// reduce alike this equals replacing all copies at once. A ")" without its "("
// makes a group that starts at the front and whose copies may lie anywhere, so
// such a text is reduced pass by pass.
std::string EvaluateLiterally(std::string_view text, const ProcessEvents &processEvents)
{
    std::string w;
    std::vector<std::size_t> opens;
    for (const char c : text) {
        if (c == '(')
            opens.push_back(w.size());
        w.push_back(c);
        if (c != ')')
            continue;
        if (opens.empty())
            return ReducePassByPass(text, processEvents);
        Notify(processEvents);
        const std::size_t open = opens.back();
        opens.pop_back();
        const std::string value = ReduceLiterally(std::string_view(w).substr(open), text, processEvents);
        w.resize(open);
        w += value;
    }
    if (w.size() > 1) {
        Notify(processEvents);
        w = ReduceLiterally(w, text, processEvents);
    }
    return w;
}

// Returns a result that is one value character; rejects anything else.
std::string RequireValue(std::string result, std::string_view text)
{
    if (result.size() != 1 || !IsValueCharacter(result[0]))
        Reject(text, "it reduces to " + Quote(result) + ", not to a value");
    return result;
}

} // namespace

std::string EvaluateExpression(std::string_view text, const ProcessEvents &processEvents)
{
    if (const auto value = ReduceWellFormed(text, true, processEvents))
        return std::string(1, *value);
    return RequireValue(EvaluateLiterally(text, processEvents), text);
}

std::string ReduceGroup(std::string_view group, const ProcessEvents &processEvents)
{
    std::string_view content = group;
    if (content.starts_with('('))
        content.remove_prefix(1);
    if (content.ends_with(')'))
        content.remove_suffix(1);
    if (const auto value = ReduceWellFormed(content, false, processEvents))
        return std::string(1, *value);
    return RequireValue(ReduceLiterally(group, group, processEvents), group);
}

} // namespace nlt
