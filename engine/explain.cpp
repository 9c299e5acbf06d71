#include "engine/explain.h"

#include "engine/evaluator.h"
#include "engine/scanner.h"

#include <array>
#include <utility>

// The working is gathered by the scanner that the evaluator reads with: each
// group hands out its steps, kind by kind, when its ")" is read, so the groups
// come out in the order of their ")" and the cost stays linear. The scan accepts
// exactly the texts that the evaluator reads in one pass; other texts are left
// to the evaluator and get no steps.

namespace nlt {

namespace {

// The one character that starts at index at, with all its UTF-8 bytes.
std::string_view CharacterAt(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return text.substr(at, end - at);
}

// True for the letters A to Z and a to z.
constexpr bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The letter a letter would be in lower case.
constexpr char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The run of letters that starts at index at.
std::string_view WordAt(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && IsLetter(text[end]))
        ++end;
    return text.substr(at, end - at);
}

// True when two words differ in the case of their letters at most.
bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (Lower(a[k]) != Lower(b[k]))
            return false;
    return true;
}

// The operator whose word matches word apart from the case of its letters.
std::optional<Operator> OperatorIgnoringCase(std::string_view word)
{
    for (const Operator op : kAllOperators)
        if (SameIgnoringCase(OperatorWord(op), word))
            return op;
    return std::nullopt;
}

// Why no operand starts at index at, where one must.
SyntaxProblem OperandProblem(std::string_view text, std::size_t at)
{
    using K = ProblemKind;
    if (text.empty())
        return {0, K::Empty, {}, {}};
    if (at == text.size())
        return {at, K::OperandMissing, {}, {}};
    const char c = text[at];
    if (c == ' ')
        return {at, at == 0 ? K::LeadingBlank : text[at - 1] == '(' ? K::BlankAfterOpen : K::DoubleBlank, {}, {}};
    if (c >= '3' && c <= '9')
        return {at, K::BadDigit, std::string(1, c), {}};
    const std::string_view word = WordAt(text, at);
    if (word == "Not")
        return {at + word.size(), K::NotWithoutBlank, {}, {}};
    if (SameIgnoringCase(word, "Not"))
        return {at, K::NotSpelled, std::string(word), {}};
    if (!word.empty())
        return {at, K::WordForOperand, std::string(word), {}};
    return {at, K::CharForOperand, std::string(CharacterAt(text, at)), {}};
}

// Why no operator word follows the operand that starts at operandBegin and
// ends at index at, where " op " must follow.
SyntaxProblem OperatorProblem(std::string_view text, std::size_t at, std::size_t operandBegin)
{
    using K = ProblemKind;
    if (text[at] != ' ')
        return {at, IsLetter(text[at]) ? K::BlankBeforeWord : K::WordMissing, {}, {}};
    const std::size_t begin = at + 1;
    if (begin < text.size() && text[begin] == ' ')
        return {begin, K::DoubleBlank, {}, {}};
    const std::string_view word = WordAt(text, begin);
    if (word.empty())
        return {begin, K::WordMissing, {}, {}};
    const std::size_t end = begin + word.size();
    if (OperatorFromWord(word)) {
        if (end == text.size())
            return {end, K::TermCut, std::string(text.substr(operandBegin, end - operandBegin)), {}};
        return {end, K::BlankAfterWord, std::string(word), {}};
    }
    if (const auto op = OperatorIgnoringCase(word)) {
        if (Lower(word[0]) == word[0])
            return {begin, K::WordLowerCase, std::string(word), {}};
        return {begin, K::WordSpelled, std::string(word), std::string(OperatorWord(*op))};
    }
    if (word == "Not")
        return {begin, K::NotAsOperator, {}, {}};
    return {begin, K::NoSuchWord, std::string(word), {}};
}

// Collects the working from the scan: a group's steps come, kind by kind, just
// before the group itself, so each group adopts the groups finished inside it.
struct WorkingObserver {
    static constexpr bool kWantsSteps = true;
    Explanation &out;
    std::vector<std::size_t> groupsAtOpen{}; // groups finished before each open group began
    std::vector<std::size_t> orphans{};      // finished groups whose parent is still open
    std::size_t firstStep = 0;               // the first step of the group being closed

    void Opened(std::size_t) { groupsAtOpen.push_back(out.groups.size()); }
    char Adjust(const Step &step) { return step.value; }
    void Step(nlt::Step step, bool)
    {
        step.group = out.groups.size();
        out.steps.push_back(step);
    }
    void Closed(TextRange range, char value)
    {
        const std::size_t index = out.groups.size(), opened = groupsAtOpen.empty() ? 0 : groupsAtOpen.back();
        if (!groupsAtOpen.empty())
            groupsAtOpen.pop_back();
        for (; !orphans.empty() && orphans.back() >= opened; orphans.pop_back())
            out.groups[orphans.back()].parent = index;
        orphans.push_back(index);
        out.groups.push_back(
            {.range = range, .firstStep = firstStep, .stepCount = out.steps.size() - firstStep, .value = value});
        firstStep = out.steps.size();
    }
};

// The problem a scan failure stands for.
SyntaxProblem ProblemOf(std::string_view text, const ScanFailure &failure)
{
    switch (failure.kind) {
    case ScanFailure::Kind::Operand:
        return OperandProblem(text, failure.position);
    case ScanFailure::Kind::Operator:
        return OperatorProblem(text, failure.position, failure.operandBegin);
    case ScanFailure::Kind::StrayClose:
        return {failure.position, ProblemKind::StrayClose, {}, {}};
    case ScanFailure::Kind::Unclosed:
        return {failure.position, ProblemKind::Unclosed, {}, {}};
    case ScanFailure::Kind::LoneNotZero:
        break;
    }
    return {failure.position, ProblemKind::LoneNotZero, {}, {}};
}

// ---------------------------------------------------------------------------
// Slips: how each step's value reaches the final value.

// A map of {0, 1, 2} to value characters; '\0' where a value leads to no value.
using ValueMap = std::array<char, 3>;

// Each value to itself.
constexpr ValueMap kIdentity{'0', '1', '2'};

// f at value v; '\0' for no value.
constexpr char Apply(const ValueMap &f, char v) { return IsValueCharacter(v) ? f[static_cast<std::size_t>(v - '0')] : '\0'; }

// x -> after(inner(x)), for inner given as a function of the value.
template <typename Inner> ValueMap Compose(const ValueMap &after, Inner inner)
{
    ValueMap f{};
    for (std::size_t k = 0; k < 3; ++k)
        f[k] = Apply(after, inner(kValueCharacters[k]));
    return f;
}

// Marks no step.
constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);

// Where a step or group ends in the text.
constexpr std::size_t EndOf(const TextRange &range) { return range.begin + range.length; }

} // namespace

Explanation ExplainExpression(std::string_view text)
{
    Explanation explanation;
    WorkingObserver observer{explanation};
    if (!ScanText(text, kLanguageRules, observer)) {
        // Not read in one pass: the evaluator decides, and there is no working to show.
        explanation = Explanation();
        explanation.value = EvaluateExpression(text)[0];
        return explanation;
    }
    explanation.value = explanation.groups.back().value;
    return explanation;
}

std::optional<SyntaxProblem> FindSyntaxProblem(std::string_view text)
{
    SilentObserver observer;
    ScanFailure failure;
    if (ScanText(text, kLanguageRules, observer, &failure))
        return std::nullopt;
    return ProblemOf(text, failure);
}

std::vector<Slip> FindSlips(const Explanation &explanation, char chosen)
{
    const auto &groups = explanation.groups;
    const auto &steps = explanation.steps;
    if (groups.empty() || chosen == explanation.value)
        return {};
    // An operand ends where its steps end, and only steps of the group it stands
    // in end there: its "Not" step and, unless it is the first, its fold.
    std::vector<std::uint32_t> foldAt(EndOf(groups.back().range) + 1, kNone), prefixAt(foldAt.size(), kNone);
    for (std::size_t s = 0; s < steps.size(); ++s)
        if (steps[s].kind == StepKind::Fold)
            foldAt[EndOf(steps[s].range)] = static_cast<std::uint32_t>(s);
        else if (steps[s].kind != StepKind::CancelNots)
            prefixAt[EndOf(steps[s].range)] = static_cast<std::uint32_t>(s);

    std::vector<ValueMap> ofStep(steps.size(), kIdentity), ofRight(steps.size(), kIdentity);
    std::vector<ValueMap> ofFirstOperand(groups.size(), kIdentity);
    std::vector<std::size_t> firstFold(groups.size(), kNoGroup);
    // Parents come after their groups, so a backward walk meets each parent first.
    for (std::size_t g = groups.size(); g-- > 0;) {
        const GroupWorking &group = groups[g];
        ValueMap ofValue = kIdentity;
        if (group.parent != kNoGroup) {
            const std::size_t end = EndOf(group.range), fold = foldAt[end], prefix = prefixAt[end];
            const ValueMap &operand = fold != kNone ? ofRight[fold] : ofFirstOperand[group.parent];
            // What a "Not" in front of it makes of 0: its operator before, else after, decides.
            std::optional<Operator> before, after;
            if (fold != kNone)
                before = steps[fold].op;
            else if (firstFold[group.parent] != kNoGroup)
                after = steps[firstFold[group.parent]].op;
            const char notZero = NotZeroValue(kLanguageRules.notZero, before, after);
            ofValue = prefix == kNone ? operand
                                      : Compose(operand, [&](char v) { return v == '0' ? notZero : NegateValue(v); });
        }
        // Folds from the last back: each result is the next fold's left operand.
        const std::size_t first = group.firstStep, last = group.firstStep + group.stepCount;
        for (std::size_t s = last; s-- > first && steps[s].kind == StepKind::Fold;) {
            const Step &fold = steps[s];
            ofStep[s] = ofValue;
            ofRight[s] = Compose(ofValue, [&](char v) { return TermValue(fold.left, fold.op, v); });
            ofValue = Compose(ofValue, [&](char v) { return TermValue(v, fold.op, fold.right); });
            firstFold[g] = s;
        }
        ofFirstOperand[g] = ofValue;
        for (std::size_t s = first; s < last && steps[s].kind != StepKind::Fold; ++s)
            if (steps[s].kind != StepKind::CancelNots) {
                const std::size_t fold = foldAt[EndOf(steps[s].range)];
                ofStep[s] = fold != kNone ? ofRight[fold] : ofFirstOperand[g];
            }
    }
    std::vector<Slip> slips;
    for (std::size_t s = 0; s < steps.size(); ++s)
        if (steps[s].kind != StepKind::CancelNots)
            for (const char v : kValueCharacters)
                if (v != steps[s].value && Apply(ofStep[s], v) == chosen)
                    slips.push_back({s, v});
    return slips;
}

} // namespace nlt
