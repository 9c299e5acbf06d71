#pragma once

// The one reading of the question language. A text is scanned once from left
// to right with a stack of open chains; each chain keeps its operands until its
// ")" (or the end) is read, then resolves their "Not" prefixes and folds them.
// The rules of resolving and folding (rules.h) are a parameter, so the
// evaluator, the working and every misreading of the diagnosis read a text the
// same way.
// An observer sees each step and each finished group, and may change a step's
// value (a slip); the evaluator's observer sees nothing and costs nothing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/step.h"
#include "engine/language.h"
#include "engine/rules.h"

namespace nlt {

// Where and why a scan left the question language.
struct ScanFailure {
    enum class Kind : std::uint8_t { Operand, Operator, StrayClose, Unclosed, LoneNotZero };
    Kind kind = Kind::Operand;
    // Index of the character where the text leaves the language.
    std::size_t position = 0;
    // Operator: where the operand before it begins.
    std::size_t operandBegin = 0;
};

// An observer that wants nothing: the evaluator's, which needs only the value.
struct SilentObserver {
    static constexpr bool kWantsSteps = false;
};

namespace detail {

// One operand of an open chain, with the operator before it.
struct ScanOperand {
    char value;          // its value before its "Not" prefixes, then after them
    std::uint32_t nots;  // its "Not " prefixes
    std::size_t begin;   // its first character, prefixes included
    std::size_t end;     // one past its last character
    Operator op;         // the operator before it (not for the first operand)
    std::size_t opBegin; // where that operator's word begins
};

// One open chain.
struct ScanChain {
    std::size_t begin = 0;  // its "(", or 0 for the outermost chain
    std::size_t first = 0;  // its first operand in the operand stack
    std::uint32_t nots = 0; // prefixes of the operand being read
    std::size_t operandBegin = 0;
    Operator pendingOp = Operator::And;
    std::size_t pendingOpBegin = 0;
    // Folding as the operands come (for an observer without steps):
    char acc = '\0';      // the value so far
    bool started = false; // acc holds the first operand
    bool waiting = false; // a "Not 0" waits for the operator after it
};

// The scan with an observer O. O provides kWantsSteps; with it set also Opened(begin), Step(step, deviant), Closed(range,
// value) and Adjust(step) returning the value the step is to yield.
template <class O> class Scanner {
public:
    Scanner(std::string_view text, const ReadingRules &rules, O &observer) : text_(text), rules_(rules), o_(observer) {}

    // The text's value, or nothing with failure() set.
    std::optional<char> Run(bool groupsAllowed);
    // Why Run gave nothing.
    const ScanFailure &failure() const { return failure_; }

private:
    std::optional<char> Fail(ScanFailure::Kind kind, std::size_t at, std::size_t operandBegin = 0)
    {
        failure_ = {kind, at, operandBegin};
        return std::nullopt;
    }
    [[gnu::always_inline]] inline void AddOperand(char value, std::size_t end);
    [[gnu::always_inline]] inline void Take(ScanChain &c, char value);
    void Decide(ScanChain &c, std::optional<Operator> after);
    char Close(std::size_t end);
    void Resolve(std::size_t first, std::size_t n);
    char NotZeroAt(std::size_t first, std::size_t k, std::size_t n, NotZeroRule rule, bool asRead = true) const;
    char Fold(char left, const ScanOperand &at, char right, std::size_t from, std::size_t end, bool deviant);
    char Prefix(char value, char zero, std::size_t from, std::size_t end, bool deviant, Operator decider = Operator::And,
        bool before = false);
    char FoldRest(std::size_t first, std::size_t lo, std::size_t hi);
    char FoldChain(std::size_t first, std::size_t n);

    std::string_view text_;
    const ReadingRules &rules_;
    O &o_;
    std::vector<ScanChain> chains_;
    std::vector<ScanOperand> operands_;
    ScanFailure failure_;
    bool lone_ = false; // a "Not 0" without an operator beside it
    // Without steps, a left-to-right reading folds each operand as it comes,
    // which gives the same value without keeping the operands.
    const std::array<char, 9> *table_ = rules_.table.data();
    const Operator *readAs_ = rules_.readAs.data();
    const bool eager_ = !O::kWantsSteps && rules_.order == FoldOrder::LeftToRight
                     && rules_.notScope != NotScope::RestOfChain;
    const bool negates_ = rules_.notScope == NotScope::Operand; // "Not" acts on its operand
    const NotZeroRule notZero_ = rules_.notZero;
};

template <class O> std::optional<char> Scanner<O>::Run(bool groupsAllowed)
{
    const std::size_t n = text_.size();
    chains_.reserve(16);
    chains_.assign(1, ScanChain{});
    std::size_t i = 0;
    for (;;) {
        chains_.back().operandBegin = i;
        chains_.back().nots = 0;
        while (text_.substr(i).starts_with(kNotPrefix)) {
            ++chains_.back().nots;
            i += kNotPrefix.size();
        }
        if (groupsAllowed && i < n && text_[i] == '(') {
            if constexpr (O::kWantsSteps)
                o_.Opened(i);
            chains_.push_back(ScanChain{.begin = i, .first = operands_.size()});
            ++i;
            continue;
        }
        if (i == n || !IsValueCharacter(text_[i]))
            return Fail(ScanFailure::Kind::Operand, i);
        AddOperand(text_[i], i + 1);
        ++i;
        while (i < n && text_[i] == ')') {
            if (chains_.size() == 1)
                return Fail(ScanFailure::Kind::StrayClose, i);
            ++i;
            char value;
            if (ScanChain &c = chains_.back(); eager_) { // the chain is folded already
                if (c.waiting)
                    Decide(c, std::nullopt);
                value = c.acc;
            } else {
                value = Close(i);
            }
            if (lone_)
                return std::nullopt;
            chains_.pop_back();
            AddOperand(value, i);
        }
        if (i == n) {
            if (chains_.size() > 1)
                return Fail(ScanFailure::Kind::Unclosed, chains_[1].begin);
            const char value = Close(n);
            return lone_ ? std::nullopt : std::optional<char>(value);
        }
        const auto op = text_[i] == ' ' ? OperatorAt(text_, i + 1) : std::nullopt;
        if (!op)
            return Fail(ScanFailure::Kind::Operator, i, chains_.back().operandBegin);
        if (chains_.back().waiting)
            Decide(chains_.back(), rules_.readAs[static_cast<std::size_t>(*op)]);
        chains_.back().pendingOp = *op;
        chains_.back().pendingOpBegin = i + 1;
        i += OperatorWord(*op).size() + 2;
    }
}

template <class O> void Scanner<O>::AddOperand(char value, std::size_t end)
{
    ScanChain &c = chains_.back();
    if (!eager_) {
        operands_.push_back({value, c.nots, c.operandBegin, end, c.pendingOp, c.pendingOpBegin});
        return;
    }
    if (c.nots % 2 == 1 && negates_) [[unlikely]] {
        if (value != '0')
            value = NegateValue(value);
        else if (notZero_ == NotZeroRule::StaysZero)
            value = '0';
        else if (c.started && notZero_ == NotZeroRule::BeforeFirst)
            value = NotZeroAfterOperator(readAs_[static_cast<std::size_t>(c.pendingOp)]);
        else {
            c.waiting = true; // the operator after it decides, if there is one
            return;
        }
    }
    Take(c, value);
}

// Folds value into the chain by its pending operator, or starts the chain with it.
template <class O> void Scanner<O>::Take(ScanChain &c, char value)
{
    if (!c.started) {
        c.acc = value;
        c.started = true;
        return;
    }
    const auto read = static_cast<std::size_t>(readAs_[static_cast<std::size_t>(c.pendingOp)]);
    c.acc = table_[read][static_cast<std::size_t>(3 * (c.acc - '0') + (value - '0'))];
}

// Decides the waiting "Not 0" of a chain, with after the operator after it (as read), and folds it.
template <class O> void Scanner<O>::Decide(ScanChain &c, std::optional<Operator> after)
{
    std::optional<Operator> before;
    if (c.started)
        before = rules_.readAs[static_cast<std::size_t>(c.pendingOp)];
    const char value = NotZeroValue(rules_.notZero, before, after);
    c.waiting = false;
    if (value == '\0') {
        lone_ = true;
        failure_ = {ScanFailure::Kind::LoneNotZero, c.operandBegin + (c.nots - 1) * kNotPrefix.size(), 0};
        return;
    }
    Take(c, value);
}

// The value by rule of the "Not 0" that is operand k of the chain starting at first, its
// neighbours as read or as written.
template <class O>
char Scanner<O>::NotZeroAt(std::size_t first, std::size_t k, std::size_t n, NotZeroRule rule, bool asRead) const
{
    const auto word = [&](std::size_t at) {
        return asRead ? rules_.readAs[static_cast<std::size_t>(operands_[at].op)] : operands_[at].op;
    };
    std::optional<Operator> before, after;
    if (k > 0)
        before = word(first + k);
    if (k + 1 < n)
        after = word(first + k + 1);
    return NotZeroValue(rule, before, after);
}

// Applies one "Not" to value over [from, end): zero is what it makes of 0.
// A "Not 0" step names the operator word that decided it and on which side it stands.
template <class O>
char Scanner<O>::Prefix(char value, char zero, std::size_t from, std::size_t end, bool deviant, Operator decider,
    bool before)
{
    const char result = value == '0' ? zero : NegateValue(value);
    if (result == '\0') { // a "Not 0" that no operator decides
        lone_ = true;
        failure_ = {ScanFailure::Kind::LoneNotZero, from, 0};
        return '0';
    }
    if constexpr (O::kWantsSteps) {
        Step step{.kind = value == '0' ? StepKind::NotZero : StepKind::Negate,
            .range = {from, end - from},
            .left = value,
            .value = result};
        if (value == '0') {
            step.op = decider;
            step.operatorBefore = before;
        }
        const char adjusted = o_.Adjust(step);
        step.value = adjusted;
        o_.Step(step, deviant);
        return adjusted;
    }
    return result;
}

// Folds left with right by the operator before operand at; the step covers [from, end).
template <class O>
char Scanner<O>::Fold(char left, const ScanOperand &at, char right, std::size_t from, std::size_t end, bool deviant)
{
    const auto read = static_cast<std::size_t>(rules_.readAs[static_cast<std::size_t>(at.op)]);
    const auto cell = static_cast<std::size_t>(3 * (left - '0') + (right - '0'));
    const char value = rules_.table[read][cell];
    if constexpr (O::kWantsSteps) {
        Step step{.kind = StepKind::Fold,
            .range = {from, end - from},
            .left = left,
            .op = at.op,
            .right = right,
            .value = value};
        deviant = deviant || value != detail::kTruthTable[static_cast<std::size_t>(at.op)][cell];
        step.value = o_.Adjust(step);
        o_.Step(step, deviant);
        return step.value;
    } else {
        return value;
    }
}

// Resolves the "Not" prefixes of one operand each (the Operand and Ignored scopes).
template <class O> void Scanner<O>::Resolve(std::size_t first, std::size_t n)
{
    if constexpr (O::kWantsSteps)
        for (std::size_t k = 0; k < n; ++k)
            if (const ScanOperand &a = operands_[first + k]; a.nots >= 2)
                o_.Step(Step{.kind = StepKind::CancelNots, .range = {a.begin, (a.nots - a.nots % 2) * kNotPrefix.size()}},
                    false);
    if (rules_.notScope == NotScope::Ignored) {
        // The ignored prefixes are steps that change nothing.
        if constexpr (O::kWantsSteps)
            for (std::size_t k = 0; k < n; ++k)
                if (const ScanOperand &a = operands_[first + k]; a.nots % 2 == 1) {
                    const std::size_t from = a.begin + (a.nots - 1) * kNotPrefix.size();
                    o_.Step(Step{.kind = a.value == '0' ? StepKind::NotZero : StepKind::Negate,
                                .range = {from, a.end - from},
                                .left = a.value,
                                .value = a.value},
                        true);
                }
        return;
    }
    // Every "Not 1" and "Not 2" first, then every "Not 0".
    for (const bool zeros : {false, true})
        for (std::size_t k = 0; k < n; ++k) {
            ScanOperand &a = operands_[first + k];
            if (a.nots % 2 == 0 || (a.value == '0') != zeros)
                continue;
            const std::size_t from = a.begin + (a.nots - 1) * kNotPrefix.size();
            const char zero = zeros ? NotZeroAt(first, k, n, rules_.notZero) : '\0';
            if (zeros && zero == '\0') {
                lone_ = true;
                failure_ = {ScanFailure::Kind::LoneNotZero, from, 0};
                return;
            }
            const bool deviant = zeros && zero != NotZeroAt(first, k, n, NotZeroRule::BeforeFirst, false);
            // The word that decides: the one before unless the rule or its absence picks the one after.
            const bool byBefore = k > 0 && (k + 1 == n || rules_.notZero != NotZeroRule::AfterFirst);
            const Operator decider = byBefore ? a.op : k + 1 < n ? operands_[first + k + 1].op : Operator::And;
            a.value = Prefix(a.value, zero, from, a.end, deviant, decider, byBefore);
        }
}

// Folds operands lo..hi-1 from the left, where a "Not" negates the rest of the chain.
template <class O> char Scanner<O>::FoldRest(std::size_t first, std::size_t lo, std::size_t hi)
{
    char acc = operands_[first + lo].value;
    for (std::size_t k = lo + 1; k < hi; ++k) {
        const ScanOperand &a = operands_[first + k];
        const std::size_t from = k == lo + 1 ? operands_[first + lo].begin : a.opBegin;
        if (a.nots % 2 == 0) {
            acc = Fold(acc, a, a.value, from, a.end, false);
            continue;
        }
        const ScanOperand &last = operands_[first + hi - 1];
        const char rest = FoldRest(first, k, hi);
        const std::size_t notBegin = a.begin + (a.nots - 1) * kNotPrefix.size();
        const auto before = rules_.readAs[static_cast<std::size_t>(a.op)];
        const char negated = Prefix(rest, NotZeroValue(rules_.notZero, before, std::nullopt), notBegin, last.end, k + 1 < hi,
            a.op, true);
        return Fold(acc, a, negated, from, last.end, false);
    }
    return acc;
}

// Folds the n resolved operands from first on in the rules' order.
template <class O> char Scanner<O>::FoldChain(std::size_t first, std::size_t n)
{
    const ScanOperand *o = &operands_[first];
    if (rules_.notScope == NotScope::RestOfChain) {
        if (o[0].nots % 2 == 0 || n == 1)
            return o[0].nots % 2 == 0 ? FoldRest(first, 0, n) : Prefix(o[0].value, '\0', o[0].begin, o[0].end, false);
        const char rest = FoldRest(first, 0, n);
        const auto after = rules_.readAs[static_cast<std::size_t>(o[1].op)];
        return Prefix(rest, NotZeroValue(rules_.notZero, std::nullopt, after),
            o[0].begin + (o[0].nots - 1) * kNotPrefix.size(), o[n - 1].end, true, o[1].op, false);
    }
    char acc = o[0].value;
    if (rules_.order == FoldOrder::RightToLeft) {
        acc = o[n - 1].value;
        for (std::size_t k = n - 1; k >= 1; --k)
            acc = Fold(o[k - 1].value, o[k], acc, o[k - 1].begin, o[n - 1].end, k + 1 < n);
        return acc;
    }
    if (rules_.order == FoldOrder::AndFirst) {
        // Runs joined by And-like words fold first; the runs then fold from the left.
        std::size_t runStart = 0, runs = 0;
        std::vector<std::pair<char, std::size_t>> folded; // each run's value and first operand
        for (std::size_t k = 1; k <= n; ++k) {
            if (k < n && IsAndLike(o[k].op)) {
                acc = Fold(acc, o[k], o[k].value, o[runStart].begin, o[k].end, runs > 0);
                continue;
            }
            folded.emplace_back(acc, runStart);
            ++runs;
            if (k < n)
                acc = o[runStart = k].value;
        }
        acc = folded[0].first;
        for (std::size_t r = 1; r < folded.size(); ++r) {
            const std::size_t k = folded[r].second, last = r + 1 < folded.size() ? folded[r + 1].second - 1 : n - 1;
            acc = Fold(acc, o[k], folded[r].first, o[k].opBegin, o[last].end, false);
        }
        return acc;
    }
    for (std::size_t k = 1; k < n; ++k)
        acc = Fold(acc, o[k], o[k].value, k == 1 ? o[0].begin : o[k].opBegin, o[k].end, false);
    return acc;
}

// Finishes the innermost chain, which ends at index end, and returns its value.
template <class O> char Scanner<O>::Close(std::size_t end)
{
    ScanChain &c = chains_.back();
    if (eager_) {
        if (c.waiting)
            Decide(c, std::nullopt);
        return c.acc;
    }
    const std::size_t first = c.first, n = operands_.size() - first;
    if (rules_.notScope != NotScope::RestOfChain)
        Resolve(first, n);
    if (lone_)
        return '\0';
    const char value = FoldChain(first, n);
    operands_.resize(first);
    if constexpr (O::kWantsSteps)
        o_.Closed(TextRange{c.begin, end - c.begin}, value);
    return value;
}

} // namespace detail

// Reads text by rules, telling observer what it does; the value, or nothing
// with *failure set when the text leaves the language. Without groupsAllowed
// a parenthesis leaves it. Linear in the text.
template <class O>
std::optional<char> ScanText(std::string_view text, const ReadingRules &rules, O &observer, ScanFailure *failure = nullptr,
    bool groupsAllowed = true)
{
    detail::Scanner<O> scanner(text, rules, observer);
    const auto value = scanner.Run(groupsAllowed);
    if (!value && failure)
        *failure = scanner.failure();
    return value;
}

} // namespace nlt
