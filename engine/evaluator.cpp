#include "engine/evaluator.h"

#include "engine/language.h"
#include "engine/scanner.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// Two routes give the same value. Text of the question language is read once
// from left to right by the scanner with the language's own rules: every group
// is reduced when its ")" is reached and every chain is folded term by term, so
// the cost grows linearly with the text.
// Anything else is reduced by literal search and replace on a working text,
// which also decides what a malformed text yields: usually an error.

namespace nlt {

namespace {

// Throws the error for a text that does not reduce to one value.
[[noreturn]] void Reject(std::string_view text, const std::string &reason)
{
    throw EvaluationError(Quoted(text) + " is not a valid expression: " + reason);
}

// Reads text in the question language by its own rules and returns its value;
// empty as soon as the text leaves the language. Without groupsAllowed a
// parenthesis leaves it.
std::optional<char> ReduceWellFormed(std::string_view text, bool groupsAllowed)
{
    SilentObserver observer;
    return ScanText(text, kLanguageRules, observer, nullptr, groupsAllowed);
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
std::string ReduceLiterally(std::string_view group, std::string_view text)
{
    std::string w(group);
    if (!w.empty() && w.front() == '(')
        w.erase(0, 1);
    if (!w.empty() && w.back() == ')')
        w.pop_back();
    while (w.find("Not Not ") != std::string::npos) {
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
        std::size_t end = std::string::npos;
        for (std::size_t k = 0; k < kDigits.size(); ++k) {
            if (next[k] < start + 1)
                next[k] = w.find(kDigits[k], start + 1);
            // Only an occurrence at position 6 or later of the working text ends a term.
            if (next[k] != std::string::npos && next[k] >= start + 5 && next[k] < end)
                end = next[k];
        }
        if (end == std::string::npos)
            Reject(text, "no term can be formed at the start of " + Quoted(std::string_view(w).substr(start)));
        const std::string_view term = std::string_view(w).substr(start, end - start + 1);
        const auto value = LookUpTerm(term);
        if (!value)
            Reject(text, "the term " + Quoted(term) + " has no value");
        w[end] = *value;
        start = end;
    }
    return w.substr(start);
}

// Reduces a whole text by search and replace, pass by pass: the group closed by
// the first ")" first, each time replacing every copy of it, then the flat rest.
std::string ReducePassByPass(std::string_view text)
{
    std::string w(text);
    while (w.size() > 1) {
        const std::size_t close = w.find(')');
        std::string group;
        if (close != std::string::npos && close > 0) {
            const std::size_t open = w.rfind('(', close);
            const std::size_t from = open == std::string::npos ? 0 : open;
            group = w.substr(from, close - from + 1);
        } else {
            group = w; // no ")" or one at position 1: the whole text is one chain
        }
        const std::string value = ReduceLiterally(group, text);
        ReplaceAll(w, group, value);
    }
    return w;
}

// Gives the result of ReducePassByPass in one scan while every ")" closes a "("
// before it: each group is reduced where its ")" is read, and as equal groups
// reduce alike this equals replacing all copies at once. A ")" without its "("
// makes a group that starts at the front and whose copies may lie anywhere, so
// such a text is reduced pass by pass.
std::string EvaluateLiterally(std::string_view text)
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
            return ReducePassByPass(text);
        const std::size_t open = opens.back();
        opens.pop_back();
        const std::string value = ReduceLiterally(std::string_view(w).substr(open), text);
        w.resize(open);
        w += value;
    }
    if (w.size() > 1) {
        w = ReduceLiterally(w, text);
    }
    return w;
}

// Returns a result that is one value character; rejects anything else.
std::string RequireValue(std::string result, std::string_view text)
{
    if (result.size() != 1 || !IsValueCharacter(result[0]))
        Reject(text, "it reduces to " + Quoted(result) + ", not to a value");
    return result;
}

} // namespace

std::string EvaluateExpression(std::string_view text)
{
    if (const auto value = ReduceWellFormed(text, true))
        return std::string(1, *value);
    return RequireValue(EvaluateLiterally(text), text);
}

std::string ReduceGroup(std::string_view group)
{
    std::string_view content = group;
    if (content.starts_with('('))
        content.remove_prefix(1);
    if (content.ends_with(')'))
        content.remove_suffix(1);
    if (const auto value = ReduceWellFormed(content, false))
        return std::string(1, *value);
    return RequireValue(ReduceLiterally(group, group), group);
}

} // namespace nlt
