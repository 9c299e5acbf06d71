#include "engine/readings.h"

#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <tuple>

namespace nlt::detail {

namespace {

// Priors: the chance that a person carries one given misreading, the same in
// both tests. A word confused with a look-alike word is the commonest (each
// unit of WordWeight), one misremembered cell rarer, and each order or "Not"
// rule, one rule for many places, a little more likely than any one word. A
// misreading reads every step alike, so it explains a failed question with
// certainty, while a one-off slip has to hit one given step with one given
// value: kSlipPrior, about one step in 300 slipping, shared by the wrong values,
// is that chance. So a misreading stands first when it is about as plausible as
// one slip; the mistake finder then tells them apart.
constexpr double kWordUnit = 0.0006;
constexpr double kCell = 0.001;
constexpr double kCellOneOrder = 0.0005;
constexpr double kNotZeroAsZero = 0.02;
constexpr double kNotZeroNeighbour = 0.01;
constexpr double kNotIgnored = 0.01;
constexpr double kNotNegatesRest = 0.01;
constexpr double kAndFirst = 0.02;
constexpr double kRightToLeft = 0.01;

// Words look alike within a base: an N- or X-form read as its base weighs 6, one
// X-form as another 3, any other word of the test 1.
double WordWeight(Operator written, Operator read)
{
    const auto w = static_cast<std::size_t>(written), r = static_cast<std::size_t>(read);
    if (w / 6 != 0 && r == w % 6)
        return 6;
    if (w / 6 == 2 && r / 6 == 2)
        return 3;
    return 1;
}

// The values of a test.
std::string_view Values(bool binary) { return binary ? "12" : "012"; }

// A cause of a kind with its prior and nothing else filled in.
Cause Prior(CauseKind kind, double probability)
{
    Cause cause;
    cause.kind = kind;
    cause.probability = probability;
    return cause;
}

// Builds the misreadings of one test.
std::vector<Cause> MakeMisreadings(bool binary)
{
    std::vector<Cause> all;
    const std::span<const Operator> ops = binary ? std::span<const Operator>(kBinaryOperators)
                                                 : std::span<const Operator>(kAllOperators);
    for (const Operator w : ops)
        for (const Operator r : ops)
            if (w != r) {
                all.push_back(Prior(CauseKind::WordAsWord, kWordUnit * WordWeight(w, r)));
                all.back().word = w;
                all.back().readAs = r;
            }
    const std::string_view values = Values(binary);
    for (const Operator op : ops)
        for (std::size_t a = 0; a < values.size(); ++a)
            for (std::size_t b = a; b < values.size(); ++b)
                for (const char used : values)
                    if (const char correct = TermValue(values[a], op, values[b]); used != correct) {
                        Cause &c = all.emplace_back(Prior(CauseKind::TableCell, kCell));
                        std::tie(c.word, c.left, c.right, c.used, c.correct) = std::tuple(op, values[a], values[b], used,
                            correct);
                        if (a == b)
                            continue; // one order is both orders
                        for (const auto &[l, r] : {std::pair(a, b), std::pair(b, a)}) {
                            Cause &one = all.emplace_back(Prior(CauseKind::TableCellOneOrder, kCellOneOrder));
                            std::tie(one.word, one.left, one.right, one.used, one.correct) = std::tuple(op, values[l],
                                values[r], used, correct);
                        }
                    }
    if (!binary) {
        all.push_back(Prior(CauseKind::NotZeroAsZero, kNotZeroAsZero));
        all.push_back(Prior(CauseKind::NotZeroWrongNeighbour, kNotZeroNeighbour));
    }
    all.push_back(Prior(CauseKind::NotIgnored, kNotIgnored));
    all.push_back(Prior(CauseKind::NotNegatesRest, kNotNegatesRest));
    all.push_back(Prior(CauseKind::AndFirst, kAndFirst));
    all.push_back(Prior(CauseKind::RightToLeft, kRightToLeft));
    return all;
}

// Records the steps a reading changes.
struct PlaceObserver {
    static constexpr bool kWantsSteps = true;
    std::vector<TextRange> places{};
    void Opened(std::size_t) {}
    char Adjust(const Step &step) { return step.value; }
    void Step(const nlt::Step &step, bool deviant)
    {
        if (deviant)
            places.push_back(step.range);
    }
    void Closed(TextRange, char) {}
};

// Applies a slip: the step of its kind at place (moved by -offset) yields its value.
struct SlipObserver {
    static constexpr bool kWantsSteps = true;
    const Cause &cause;
    TextRange place;
    std::size_t offset;
    void Opened(std::size_t) {}
    char Adjust(const Step &step) const
    {
        const bool here = place.begin == step.range.begin + offset && place.length == step.range.length;
        return step.kind == cause.step && here ? cause.used : step.value;
    }
    void Step(const nlt::Step &, bool) {}
    void Closed(TextRange, char) {}
};

// The end of the operand that starts at index at: its prefixes, then a value or a group.
std::size_t OperandEnd(std::string_view text, std::size_t at)
{
    while (text.substr(at).starts_with(kNotPrefix))
        at += kNotPrefix.size();
    if (at >= text.size() || text[at] != '(')
        return at + 1;
    for (std::size_t depth = 0; at < text.size(); ++at) {
        depth += text[at] == '(';
        depth -= text[at] == ')';
        if (depth == 0)
            return at + 1;
    }
    return at;
}

// How many times needle occurs in text, and how many of those start before end.
std::pair<std::size_t, std::size_t> Occurrences(std::string_view text, std::string_view needle, std::size_t end)
{
    std::size_t all = 0, before = 0;
    for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1))
        ++all, before += at < end;
    return {all, before};
}

} // namespace

const std::vector<Cause> &AllMisreadings(bool binary)
{
    static const std::vector<Cause> two = MakeMisreadings(true), three = MakeMisreadings(false);
    return binary ? two : three;
}

ReadingRules RulesOf(const Cause &cause)
{
    ReadingRules rules;
    const auto op = static_cast<std::size_t>(cause.word);
    // clang-format off
    switch (cause.kind) {
    case CauseKind::WordAsWord: rules.readAs[op] = cause.readAs; break;
    case CauseKind::TableCell:
        rules.table[op][static_cast<std::size_t>(3 * (cause.left - '0') + (cause.right - '0'))] = cause.used;
        rules.table[op][static_cast<std::size_t>(3 * (cause.right - '0') + (cause.left - '0'))] = cause.used;
        break;
    case CauseKind::TableCellOneOrder:
        rules.table[op][static_cast<std::size_t>(3 * (cause.left - '0') + (cause.right - '0'))] = cause.used;
        break;
    case CauseKind::NotZeroAsZero: rules.notZero = NotZeroRule::StaysZero; break;
    case CauseKind::NotZeroWrongNeighbour: rules.notZero = NotZeroRule::AfterFirst; break;
    case CauseKind::NotIgnored: rules.notScope = NotScope::Ignored; break;
    case CauseKind::NotNegatesRest: rules.notScope = NotScope::RestOfChain; break;
    case CauseKind::AndFirst: rules.order = FoldOrder::AndFirst; break;
    case CauseKind::RightToLeft: rules.order = FoldOrder::RightToLeft; break;
    case CauseKind::Slip:
    case CauseKind::LastStep: break;
    }
    // clang-format on
    return rules;
}

std::size_t Fingerprint(std::string_view text) { return std::hash<std::string_view>{}(text); }

std::optional<char> ValueUnder(const Cause &cause, std::string_view text)
{
    SilentObserver silent;
    if (IsMisreading(cause.kind))
        return ScanText(text, RulesOf(cause), silent);
    if (cause.places.empty() || Fingerprint(text) != cause.question)
        return ScanText(text, kLanguageRules, silent);
    SlipObserver observer{cause, cause.places.front(), 0};
    return ScanText(text, kLanguageRules, observer);
}

std::vector<TextRange> PlacesOf(const Cause &cause, std::string_view text)
{
    PlaceObserver observer;
    ScanText(text, RulesOf(cause), observer);
    return observer.places;
}

std::vector<AskablePart> AskableParts(std::string_view text, const Explanation &working)
{
    std::map<std::string, AskablePart, std::less<>> byText;
    const auto add = [&](std::string partText, TextRange range, bool term) {
        AskablePart &part = byText[partText];
        part.text = std::move(partText);
        part.term = term;
        part.ranges.push_back(range);
    };
    for (std::size_t g = 0; g + 1 < working.groups.size(); ++g)
        add(std::string(text.substr(working.groups[g].range.begin, working.groups[g].range.length)), working.groups[g].range,
            false);
    for (const Step &s : working.steps)
        if (s.kind == StepKind::Fold)
            add(std::string(1, s.left) + ' ' + std::string(OperatorWord(s.op)) + ' ' + s.right, s.range, true);
        else if (s.kind == StepKind::Negate)
            add(std::string(kNotPrefix) + s.left, s.range, true);
    std::vector<AskablePart> parts;
    for (auto &[key, part] : byText)
        parts.push_back(std::move(part));
    std::ranges::stable_sort(parts, {}, [](const AskablePart &p) { return p.text.size(); });
    return parts;
}

char PartValue(const Cause &cause, const AskablePart &part, bool active, char right)
{
    if (IsMisreading(cause.kind))
        return ValueUnder(cause, part.text).value_or(right);
    if (!active)
        return right;
    // A slip counts where one of its places lies in the part (for a term: is the part).
    for (const TextRange &r : part.ranges)
        for (const TextRange &p : cause.places) {
            if (part.term && p.begin == r.begin && p.length == r.length)
                return cause.used;
            if (!part.term && p.begin >= r.begin && p.begin + p.length <= r.begin + r.length) {
                SlipObserver observer{cause, p, r.begin};
                return ScanText(part.text, kLanguageRules, observer).value_or(right);
            }
        }
    return right;
}

StepPlace PlaceOf(std::string_view text, const Explanation &working, const Step &step)
{
    StepPlace place;
    std::tie(place.kind, place.op, place.leftValue, place.rightValue) = std::tuple(step.kind, step.op, step.left,
        step.right);
    const std::string_view covered = text.substr(step.range.begin, step.range.length);
    if (step.kind != StepKind::Fold) {
        // The last prefix of the range is the one the step works.
        const std::size_t prefix = step.range.begin + covered.rfind(kNotPrefix, covered.find_first_not_of("Not "));
        place.left = text.substr(prefix + kNotPrefix.size(),
            step.range.begin + step.range.length - prefix - kNotPrefix.size());
        std::tie(place.count, place.ordinal) = Occurrences(text, kNotPrefix, prefix + 1);
        return place;
    }
    const GroupWorking &group = working.groups[step.group];
    const std::size_t chainBegin = group.parent == kNoGroup ? 0 : group.range.begin + 1;
    const std::string_view word = OperatorWord(step.op);
    std::size_t wordAt = step.range.begin; // where the operator word starts
    if (step.range.begin == chainBegin || !text.substr(step.range.begin).starts_with(word)) {
        wordAt = OperandEnd(text, step.range.begin) + 1;
        place.left = text.substr(step.range.begin, wordAt - 1 - step.range.begin);
    } else {
        place.left = text.substr(chainBegin, step.range.begin - 1 - chainBegin);
    }
    place.right = text.substr(wordAt + word.size() + 1, step.range.begin + step.range.length - wordAt - word.size() - 1);
    std::tie(place.count, place.ordinal) = Occurrences(text, ' ' + std::string(word) + ' ', wordAt);
    return place;
}

TruthRow RowOf(Operator op, char left, bool binary)
{
    TruthRow row{.op = op, .left = left, .cells = {}};
    for (const char b : Values(binary))
        row.cells.push_back({b, TermValue(left, op, b), TermValue(left, op, b)});
    return row;
}

TruthRow RowUnder(const Cause &cause, Operator op, char left, bool binary)
{
    TruthRow row = RowOf(op, left, binary);
    for (TruthCell &cell : row.cells) {
        const std::string term = std::string{left, ' '} + std::string(OperatorWord(op)) + ' ' + cell.right;
        cell.used = ValueUnder(cause, term).value_or(cell.value);
    }
    return row;
}

} // namespace nlt::detail
