#include "engine/questions_p.h"

#include <algorithm>
#include <set>

namespace nlt::detail {

namespace {

// A step of the failed question asked again: "a op b" or "Not a" with its values there.
Askable StepQuestion(AskablePart part)
{
    Askable q{.ask = {.text = part.text, .range = part.ranges.front(), .kind = AskKind::Step}, .part = std::move(part)};
    const std::string &t = q.part.text;
    if (t.starts_with(kNotPrefix)) {
        q.ask.step = StepKind::Negate;
        q.ask.left = t.back();
        return q;
    }
    q.ask.left = t.front();
    q.ask.right = t.back();
    q.ask.op = OperatorFromWord(std::string_view(t).substr(2, t.size() - 4)).value_or(Operator::And);
    return q;
}

// A fresh question of the given text.
Askable Fresh(std::string text)
{
    Askable q{.ask = {.text = text, .range = std::nullopt, .kind = AskKind::Fresh}, .part = {}};
    q.part.text = std::move(text);
    return q;
}

} // namespace

std::vector<Askable> QuestionParts(std::string_view text, const Explanation &working)
{
    std::vector<AskablePart> parts = AskableParts(text, working);
    std::set<std::string, std::less<>> terms;
    for (const AskablePart &p : parts)
        if (p.term)
            terms.insert(p.text);
    std::vector<Askable> asked;
    for (AskablePart &p : parts) {
        if (p.term) {
            asked.push_back(StepQuestion(std::move(p)));
            continue;
        }
        if (terms.contains(Computation(p.text)))
            continue;
        const TextRange range = p.ranges.front();
        asked.push_back({.ask = {.text = p.text, .range = range, .kind = AskKind::Group}, .part = std::move(p)});
    }
    return asked;
}

std::vector<Askable> FreshQuestions(bool binary, std::span<const Operator> words)
{
    const std::string_view values = binary ? "12" : "012";
    const std::span<const Operator> ops = binary ? std::span<const Operator>(kBinaryOperators)
                                                 : std::span<const Operator>(kAllOperators);
    const auto term = [](char a, Operator op, std::string_view b) {
        return std::string(1, a) + ' ' + std::string(OperatorWord(op)) + ' ' + std::string(b);
    };
    std::vector<Askable> fresh;
    for (const Operator op : ops)
        for (const char a : values)
            for (const char b : values) {
                fresh.push_back(Fresh(term(a, op, std::string(1, b))));
                fresh.push_back(Fresh(std::string(kNotPrefix) + term(a, op, std::string(1, b))));
                fresh.push_back(Fresh(term(a, op, std::string(kNotPrefix) + b)));
            }
    for (const Operator first : words)
        for (const Operator second : words)
            for (const char a : values)
                for (const char b : values)
                    for (const char c : values)
                        for (const std::string_view not_ : {std::string_view(), kNotPrefix})
                            fresh.push_back(Fresh(
                                term(a, first, std::string(not_) + b) + ' ' + std::string(OperatorWord(second)) + ' ' + c));
    // Chains of three of the first words tell about three words at once.
    const std::span<const Operator> three = words.first(std::min<std::size_t>(words.size(), 3));
    for (const Operator first : three)
        for (const Operator second : three)
            for (const Operator third : three)
                for (std::size_t v = 0; v < values.size() * values.size() * values.size() * values.size(); ++v) {
                    std::string text(1, values[v % values.size()]);
                    std::size_t rest = v / values.size();
                    for (const Operator op : {first, second, third}) {
                        text += ' ' + std::string(OperatorWord(op)) + ' ' + values[rest % values.size()];
                        rest /= values.size();
                    }
                    fresh.push_back(Fresh(std::move(text)));
                }
    return fresh;
}

std::size_t OperatorCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        count += text[i] == ' ' && OperatorAt(text, i + 1).has_value();
    return count;
}

std::size_t NotCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(kNotPrefix); at != std::string_view::npos; at = text.find(kNotPrefix, at + 1))
        ++count;
    return count;
}

std::size_t Depth(std::string_view text)
{
    std::size_t depth = 0, deepest = 0;
    for (const char c : text) {
        depth += c == '(';
        deepest = std::max(deepest, depth);
        depth -= c == ')' && depth > 0;
    }
    return deepest;
}

std::string_view Computation(std::string_view text)
{
    if (text.size() < 2 || text.front() != '(' || text.back() != ')')
        return text;
    std::size_t depth = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        depth += text[i] == '(';
        depth -= text[i] == ')';
        if (depth == 0)
            return text; // the first "(" closes before the end: two groups
    }
    return text.substr(1, text.size() - 2);
}

} // namespace nlt::detail
