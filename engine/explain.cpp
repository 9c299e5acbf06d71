#include "engine/explain.h"

#include "engine/evaluator.h"

#include <array>
#include <utility>

// The working is gathered in one left-to-right scan with a stack of open
// chains, the same reading of the question language by which the evaluator
// reduces well-formed text in one pass. A group's steps are collected while it
// is open and handed out, sorted by kind, when its ")" is read, so the groups
// come out in the order of their ")" and the cost stays linear. The scan accepts
// exactly the texts that the evaluator reads in one pass; other texts are left
// to the evaluator and get no steps.

namespace nlt {

namespace {

// Longest piece of text quoted whole in a message.
constexpr std::size_t kQuoteLimit = 40;

// The order of the kinds of step inside a group.
constexpr std::array<StepKind, 4> kStepOrder{StepKind::CancelNots, StepKind::Negate, StepKind::NotZero,
                                             StepKind::Fold};

// The one character that starts at index at, with all its UTF-8 bytes.
std::string_view CharacterAt(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return text.substr(at, end - at);
}

// The text in straight double quotes; a long text keeps its two ends.
std::string Quoted(std::string_view text)
{
    if (text.size() <= kQuoteLimit)
        return '"' + std::string(text) + '"';
    constexpr std::size_t kEnd = kQuoteLimit / 2;
    return '"' + std::string(text.substr(0, kEnd)) + " ... " + std::string(text.substr(text.size() - kEnd)) + '"';
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

// The sentence for a place where an operand must start.
constexpr std::string_view kOperandNeeded = "a value (0, 1, 2), \"Not \" or \"(\" must follow";

// Why no operand starts at index at, where one must.
SyntaxProblem OperandProblem(std::string_view text, std::size_t at)
{
    if (text.empty())
        return {0, "the text is empty"};
    if (at == text.size())
        return {at, std::string(kOperandNeeded)};
    const char c = text[at];
    if (c == ' ') {
        if (at == 0)
            return {at, "the text begins with a blank"};
        return {at, text[at - 1] == '(' ? "no blank may follow \"(\"" : "two blanks in a row"};
    }
    if (c >= '3' && c <= '9')
        return {at, Quoted(text.substr(at, 1)) + " is not a value; the values are 0, 1 and 2"};
    const std::string_view word = WordAt(text, at);
    if (word == "Not")
        return {at + word.size(), "\"Not\" must be followed by one blank"};
    if (SameIgnoringCase(word, "Not"))
        return {at, Quoted(word) + " is written \"Not\", with a capital letter"};
    if (!word.empty())
        return {at, std::string(kOperandNeeded) + ", not the word " + Quoted(word)};
    return {at, std::string(kOperandNeeded) + ", not " + Quoted(CharacterAt(text, at))};
}

// Why no operator word follows the operand that starts at operandBegin and
// ends at index at, where " op " must follow.
SyntaxProblem OperatorProblem(std::string_view text, std::size_t at, std::size_t operandBegin)
{
    if (text[at] != ' ')
        return {at, IsLetter(text[at]) ? "a blank must stand before an operator word" : "an operator word must follow"};
    const std::size_t begin = at + 1;
    if (begin < text.size() && text[begin] == ' ')
        return {begin, "two blanks in a row"};
    const std::string_view word = WordAt(text, begin);
    if (word.empty())
        return {begin, "an operator word must follow"};
    const std::size_t end = begin + word.size();
    if (OperatorFromWord(word)) {
        if (end == text.size())
            return {end, "the term " + Quoted(text.substr(operandBegin, end - operandBegin)) + " has no value"};
        return {end, "a blank must follow " + Quoted(word)};
    }
    if (const auto op = OperatorIgnoringCase(word)) {
        if (Lower(word[0]) == word[0])
            return {begin, Quoted(word) + " is not an operator word; operator words begin with a capital letter"};
        return {begin, Quoted(word) + " is not an operator word; it is written " + Quoted(OperatorWord(*op))};
    }
    if (word == "Not")
        return {begin, "\"Not\" stands only in front of an operand; an operator word must follow"};
    return {begin, Quoted(word) + " is not an operator word"};
}

// The operator whose word, followed by one blank, starts at index at.
std::optional<Operator> OperatorAt(std::string_view text, std::size_t at)
{
    const std::string_view word = WordAt(text, at);
    const std::size_t end = at + word.size();
    if (end >= text.size() || text[end] != ' ')
        return std::nullopt;
    return OperatorFromWord(word);
}

// One chain still open during the scan.
struct OpenChain {
    std::size_t begin = 0;        // its "(", or 0 for the outermost chain
    std::size_t firstPending = 0; // its steps start here in the pending list
    std::size_t groupsAtOpen = 0; // groups finished before it opened
    char value = '\0';            // its value so far
    std::optional<Operator> pendingOperator; // still without its right operand
    std::size_t operatorBegin = 0;           // where the pending operator's word starts
    std::size_t chainBegin = 0;              // where the first operand starts
    std::size_t operandBegin = 0;            // where the current operand starts, prefixes included
    std::size_t nots = 0;                    // "Not " prefixes of the current operand
    bool folded = false;                     // a term has been folded
    bool leadingNotZero = false;             // the first operand is a "Not 0" awaiting its operator
    TextRange notZeroRange;                  // that "Not 0"
};

// The scan; records the working into out unless out is null.
class Walker {
public:
    Walker(std::string_view text, Explanation *out) : text_(text), out_(out) {}

    // Reads the whole text; the first problem, or nothing when it is an expression.
    std::optional<SyntaxProblem> Run();

private:
    void OpenGroup();
    void AcceptOperand(char value, std::size_t end);
    void AcceptOperator(Operator op, std::size_t wordBegin);
    char Close(std::size_t end);
    void Push(const Step &step);
    std::optional<SyntaxProblem> LoneNotZero() const;

    std::string_view text_;
    Explanation *out_;
    std::vector<OpenChain> open_;
    std::vector<Step> pending_;            // steps of the open chains, innermost last
    std::vector<std::size_t> orphans_;     // finished groups whose parent is still open
    std::size_t i_ = 0;
};

std::optional<SyntaxProblem> Walker::Run()
{
    const std::size_t n = text_.size();
    open_.emplace_back();
    for (;;) {
        open_.back().operandBegin = i_;
        while (text_.substr(i_).starts_with(kNotPrefix)) {
            ++open_.back().nots;
            i_ += kNotPrefix.size();
        }
        if (i_ < n && text_[i_] == '(') {
            OpenGroup();
            continue;
        }
        if (i_ == n || !IsValueCharacter(text_[i_]))
            return OperandProblem(text_, i_);
        AcceptOperand(text_[i_], i_ + 1);
        ++i_;
        while (i_ < n && text_[i_] == ')') {
            if (open_.size() == 1)
                return SyntaxProblem{i_, "\")\" has no \"(\" before it"};
            if (auto problem = LoneNotZero())
                return problem;
            const char value = Close(++i_);
            AcceptOperand(value, i_);
        }
        if (i_ == n) {
            if (open_.size() > 1)
                return SyntaxProblem{open_[1].begin, "a \"(\" is never closed"};
            if (auto problem = LoneNotZero())
                return problem;
            Close(n);
            return std::nullopt;
        }
        const auto op = text_[i_] == ' ' ? OperatorAt(text_, i_ + 1) : std::nullopt;
        if (!op)
            return OperatorProblem(text_, i_, open_.back().operandBegin);
        AcceptOperator(*op, i_ + 1);
        i_ += OperatorWord(*op).size() + 2;
    }
}

// Opens the group whose "(" is at the scan position.
void Walker::OpenGroup()
{
    OpenChain chain;
    chain.begin = i_++;
    chain.firstPending = pending_.size();
    chain.groupsAtOpen = out_ ? out_->groups.size() : 0;
    open_.push_back(chain);
}

// A "Not 0" that begins the innermost chain and has no operator after it.
std::optional<SyntaxProblem> Walker::LoneNotZero() const
{
    if (!open_.back().leadingNotZero)
        return std::nullopt;
    return SyntaxProblem{open_.back().notZeroRange.begin, "\"Not 0\" needs an operator beside it"};
}

void Walker::Push(const Step &step)
{
    if (out_)
        pending_.push_back(step);
}

// Takes an operand that ends at index end: its prefixes, then its fold.
void Walker::AcceptOperand(char value, std::size_t end)
{
    OpenChain &c = open_.back();
    const std::size_t cancelled = c.nots - c.nots % 2;
    if (cancelled > 0)
        Push({.kind = StepKind::CancelNots, .range = {c.operandBegin, cancelled * kNotPrefix.size()}});
    if (c.nots % 2 == 1) {
        const std::size_t from = c.operandBegin + cancelled * kNotPrefix.size();
        const TextRange range{from, end - from};
        if (value != '0') {
            Push({.kind = StepKind::Negate, .range = range, .left = value, .value = NegateValue(value)});
            value = NegateValue(value);
        } else if (c.pendingOperator) {
            const char decided = NotZeroAfterOperator(*c.pendingOperator);
            Push({.kind = StepKind::NotZero, .range = range, .left = '0', .op = *c.pendingOperator,
                  .operatorBefore = true, .value = decided});
            value = decided;
        } else {
            c.leadingNotZero = true; // the operator after it decides
            c.notZeroRange = range;
        }
    }
    c.nots = 0;
    if (!c.pendingOperator) {
        c.value = value;
        c.chainBegin = c.operandBegin;
        return;
    }
    const std::size_t from = c.folded ? c.operatorBegin : c.chainBegin;
    const char result = TermValue(c.value, *c.pendingOperator, value);
    Push({.kind = StepKind::Fold, .range = {from, end - from}, .left = c.value, .op = *c.pendingOperator,
          .right = value, .value = result});
    c.value = result;
    c.folded = true;
    c.pendingOperator.reset();
}

// Takes an operator word that starts at wordBegin; it decides a leading "Not 0".
void Walker::AcceptOperator(Operator op, std::size_t wordBegin)
{
    OpenChain &c = open_.back();
    if (c.leadingNotZero) {
        c.value = NotZeroBeforeOperator(op);
        c.leadingNotZero = false;
        Push({.kind = StepKind::NotZero, .range = c.notZeroRange, .left = '0', .op = op, .value = c.value});
    }
    c.pendingOperator = op;
    c.operatorBegin = wordBegin;
}

// Finishes the innermost chain, which ends at index end, and returns its value;
// hands out its steps kind by kind and adopts the groups finished inside it.
char Walker::Close(std::size_t end)
{
    const OpenChain chain = open_.back();
    open_.pop_back();
    if (!out_)
        return chain.value;
    const std::size_t index = out_->groups.size();
    GroupWorking group{.range = {chain.begin, end - chain.begin}, .firstStep = out_->steps.size(),
                       .value = chain.value};
    for (const StepKind kind : kStepOrder)
        for (std::size_t k = chain.firstPending; k < pending_.size(); ++k)
            if (pending_[k].kind == kind) {
                out_->steps.push_back(pending_[k]);
                out_->steps.back().group = index;
            }
    pending_.resize(chain.firstPending);
    group.stepCount = out_->steps.size() - group.firstStep;
    for (; !orphans_.empty() && orphans_.back() >= chain.groupsAtOpen; orphans_.pop_back())
        out_->groups[orphans_.back()].parent = index;
    orphans_.push_back(index);
    out_->groups.push_back(group);
    return chain.value;
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
template <typename Inner>
ValueMap Compose(const ValueMap &after, Inner inner)
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
    if (Walker(text, &explanation).Run()) {
        // Not read in one pass: the evaluator decides, and there is no working to show.
        explanation = Explanation();
        explanation.value = EvaluateExpression(text)[0];
        return explanation;
    }
    explanation.value = explanation.groups.back().value;
    return explanation;
}

std::optional<SyntaxProblem> FindSyntaxProblem(std::string_view text) { return Walker(text, nullptr).Run(); }

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
            char notZero = '\0'; // what a "Not" in front of it makes of 0
            if (prefix != kNone && steps[prefix].kind == StepKind::NotZero)
                notZero = steps[prefix].value;
            else if (fold != kNone)
                notZero = NotZeroAfterOperator(steps[fold].op);
            else if (firstFold[group.parent] != kNoGroup)
                notZero = NotZeroBeforeOperator(steps[firstFold[group.parent]].op);
            ofValue = prefix == kNone ? operand : Compose(operand, [&](char v) { return v == '0' ? notZero : NegateValue(v); });
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
