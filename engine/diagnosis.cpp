#include "engine/diagnosis.h"

#include "engine/evaluator.h"
#include "engine/readings.h"
#include "engine/scanner.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>

namespace nlt {

namespace {

// The most a cause may hold before a question has told it apart from the others.
constexpr double kUntold = 0.89;

// What the language's own working of a text uses. A misreading can change the
// value only by changing one of these steps, so one that changes none reads
// the text rightly and need not read it at all.
struct Usage {
    static constexpr bool kWantsSteps = true;
    std::array<std::array<bool, 9>, kOperatorCount> cells{};     // folds, by operator and cell
    std::array<std::array<bool, 2>, kOperatorCount> notZeroBy{}; // "Not 0" decided by an operator after, before it
    bool nots = false;                                           // some "Not" is worked
    bool notZeroValued = false;                                  // some "Not 0" is worked to 1 or 2
    bool notZeroBefore = false;                                  // some "Not 0" is decided by the operator before it

    void Opened(std::size_t) {}
    char Adjust(const Step &step) const { return step.value; }
    void Closed(TextRange, char) {}
    void Step(const nlt::Step &s, bool)
    {
        if (s.kind == StepKind::Fold)
            cells[static_cast<std::size_t>(s.op)][static_cast<std::size_t>(3 * (s.left - '0') + (s.right - '0'))] = true;
        nots = nots || s.kind != StepKind::Fold;
        if (s.kind == StepKind::NotZero) {
            notZeroBy[static_cast<std::size_t>(s.op)][s.operatorBefore] = true;
            notZeroValued = notZeroValued || s.value != '0';
            notZeroBefore = notZeroBefore || s.operatorBefore;
        }
    }
    // Whether the cause may read the text otherwise than the language does.
    bool Touches(const Cause &c) const
    {
        const auto op = static_cast<std::size_t>(c.word);
        switch (c.kind) {
        case CauseKind::WordAsWord:
            for (std::size_t k = 0; k < 9; ++k)
                if (cells[op][k]
                    && TermValue("012"[k / 3], c.word, "012"[k % 3]) != TermValue("012"[k / 3], c.readAs, "012"[k % 3]))
                    return true;
            return (notZeroBy[op][1] && NotZeroAfterOperator(c.word) != NotZeroAfterOperator(c.readAs))
                || (notZeroBy[op][0] && NotZeroBeforeOperator(c.word) != NotZeroBeforeOperator(c.readAs));
        case CauseKind::TableCell:
            return cells[op][static_cast<std::size_t>(3 * (c.left - '0') + (c.right - '0'))]
                || cells[op][static_cast<std::size_t>(3 * (c.right - '0') + (c.left - '0'))];
        case CauseKind::TableCellOneOrder:
            return cells[op][static_cast<std::size_t>(3 * (c.left - '0') + (c.right - '0'))];
        case CauseKind::NotZeroAsZero:
            return notZeroValued;
        case CauseKind::NotZeroWrongNeighbour:
            return notZeroBefore;
        case CauseKind::NotIgnored:
        case CauseKind::NotNegatesRest:
            return nots;
        default:
            return true;
        }
    }
};

// The misreadings that give every answer of the run, the failed one included:
// each question, shortest first, is read only by the readings still standing.
std::vector<Cause> StandingMisreadings(std::span<const AnsweredQuestion> run, bool binary)
{
    std::vector<Cause> standing = detail::AllMisreadings(binary);
    std::vector<std::size_t> order(run.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, {}, [&](std::size_t q) { return run[q].text.size(); });
    for (const std::size_t q : order) {
        Usage usage;
        ScanText(run[q].text, kLanguageRules, usage);
        std::erase_if(standing, [&](const Cause &c) {
            if (!usage.Touches(c))
                return q + 1 == run.size(); // reads it rightly: fine before, no cause at the end
            return detail::ValueUnder(c, run[q].text) != run[q].given;
        });
        if (standing.empty())
            break;
    }
    return standing;
}

// Fills in where a misreading acts in the failed question, the step of its first
// place and the truth-table row there, every cell the reading changes marked.
void Locate(Cause &cause, std::string_view text, const Explanation &working, bool binary)
{
    cause.places = detail::PlacesOf(cause, text);
    std::ranges::sort(cause.places, {}, &TextRange::begin);
    for (const Step &s : working.steps) {
        const bool here = std::ranges::any_of(cause.places,
            [&](const TextRange &p) { return p.begin == s.range.begin && p.length == s.range.length; });
        if (!here || s.kind == StepKind::CancelNots)
            continue;
        cause.place = detail::PlaceOf(text, working, s);
        if (cause.kind == CauseKind::WordAsWord && s.kind == StepKind::Fold)
            cause.row = detail::RowUnder(cause, s.op, s.left, binary);
        break;
    }
    if (cause.kind == CauseKind::TableCell || cause.kind == CauseKind::TableCellOneOrder)
        cause.row = detail::RowUnder(cause, cause.word, cause.left, binary);
}

// A slip or the last step: step s of the working taken as takenAs.
Cause SlipCause(std::string_view text, const Explanation &working, std::size_t s, char takenAs, bool binary)
{
    const Step &step = working.steps[s];
    Cause cause;
    std::tie(cause.probability, cause.kind, cause.word, cause.left, cause.right, cause.used, cause.correct, cause.step) =
        std::tuple(detail::kSlipPrior, CauseKind::Slip, step.op, step.left, step.right, takenAs, step.value, step.kind);
    cause.places = {step.range};
    cause.question = detail::Fingerprint(text);
    cause.place = detail::PlaceOf(text, working, step);
    if (step.kind == StepKind::Fold) {
        cause.row = detail::RowOf(step.op, step.left, binary);
        std::ranges::find(cause.row->cells, step.right, &TruthCell::right)->used = takenAs;
    }
    return cause;
}

// One-off slips that give the answer: never to or from a "0" the test cannot hold,
// never "Not 1" or "Not 2" taken as 0; slips in identical groups are one cause.
// A slip at the last step gives any answer, so it is the last step's cause only
// beside another cause (lastStep); alone it is said as the last step.
std::vector<Cause> Slips(std::string_view text, const Explanation &working, char given, bool binary, bool lastStep)
{
    std::vector<Cause> slips;
    std::map<std::tuple<std::string_view, std::size_t, char>, std::size_t> seen; // group text, offset, value
    const std::size_t last = working.steps.size() - 1;
    for (const Slip &slip : FindSlips(working, given)) {
        const Step &step = working.steps[slip.step];
        if ((slip.step == last && !lastStep) || ((binary || step.kind == StepKind::Negate) && slip.takenAs == '0'))
            continue;
        const TextRange group = working.groups[step.group].range;
        const auto key = std::tuple(text.substr(group.begin, group.length), step.range.begin - group.begin, slip.takenAs);
        if (const auto it = seen.find(key); it != seen.end()) {
            slips[it->second].places.push_back(step.range);
            continue;
        }
        seen.emplace(key, slips.size());
        slips.push_back(SlipCause(text, working, slip.step, slip.takenAs, binary));
    }
    return slips;
}

// What a reading does in the whole language: for a reading of one word (a word
// read as another, a cell), the word, its table as read and its "Not 0" values
// as read; empty for a rule of its own kind, which no other reading equals.
std::string LanguageSignature(const Cause &c, bool binary)
{
    if (c.kind != CauseKind::WordAsWord && c.kind != CauseKind::TableCell && c.kind != CauseKind::TableCellOneOrder)
        return {};
    const ReadingRules rules = detail::RulesOf(c);
    const auto op = static_cast<std::size_t>(c.word);
    const Operator read = rules.readAs[op];
    std::string signature(1, static_cast<char>('A' + op));
    for (std::size_t cell = binary ? 4 : 0; cell < 9; ++cell)
        if (!binary || (cell % 3 != 0 && cell / 3 != 0)) // the two-valued test has no 0
            signature += rules.table[static_cast<std::size_t>(read)][cell];
    if (!binary)
        signature += std::string{NotZeroAfterOperator(read), NotZeroBeforeOperator(read)};
    return signature;
}

// Merges readings that read every text of the language alike (such as a word read
// as another that differs from it in one cell, and that cell misremembered): the
// likeliest keeps its name and takes the others' weight. Readings that differ
// anywhere in the language stay apart, however alike they answer this run.
std::vector<Cause> MergeIdentical(std::vector<Cause> readings, bool binary)
{
    std::ranges::stable_sort(readings, std::greater<>(), &Cause::probability);
    std::map<std::string, std::size_t> bySignature;
    std::vector<Cause> merged;
    for (Cause &c : readings) {
        const std::string signature = LanguageSignature(c, binary);
        const auto [it, fresh] = bySignature.try_emplace(signature, merged.size());
        if (fresh || signature.empty()) {
            merged.push_back(std::move(c));
            continue;
        }
        merged[it->second].probability += c.probability;
    }
    return merged;
}

} // namespace

std::vector<Cause> DiagnoseRun(std::span<const AnsweredQuestion> run)
{
    if (run.empty() || FindSyntaxProblem(run.back().text))
        return {};
    return DiagnoseRun(run, ExplainExpression(run.back().text));
}

std::vector<Cause> DiagnoseRun(std::span<const AnsweredQuestion> run, const Explanation &working)
{
    if (run.empty() || working.groups.empty())
        return {};
    const AnsweredQuestion &failed = run.back();
    if (failed.given == working.value || working.steps.empty())
        return {};
    std::vector<Cause> causes = StandingMisreadings(run, failed.binary);
    for (Cause &c : causes)
        Locate(c, failed.text, working, failed.binary);
    causes = MergeIdentical(std::move(causes), failed.binary);
    std::vector<Cause> slips = Slips(failed.text, working, failed.given, failed.binary, false);
    if (!causes.empty() || !slips.empty()) // the last step may have slipped as well as any other
        slips = Slips(failed.text, working, failed.given, failed.binary, true);
    causes.insert(causes.end(), slips.begin(), slips.end());
    if (causes.empty()) { // only the last step gives the answer
        causes.push_back(SlipCause(failed.text, working, working.steps.size() - 1, failed.given, failed.binary));
        causes.back().kind = CauseKind::LastStep;
    }
    double total = 0;
    for (const Cause &c : causes)
        total += c.probability;
    // Every cause listed gives every answer of the run: none is told apart from
    // the others yet, so none holds 0.9 while another stands.
    for (Cause &c : causes)
        c.probability = causes.size() == 1 ? 1.0 : std::min(c.probability / total, kUntold);
    std::ranges::stable_sort(causes, std::greater<>(), &Cause::probability);
    return causes;
}

char AnswerUnder(const Cause &cause, std::string_view text, bool binary)
{
    (void)binary; // a cause of the two-valued test never produces "0" from its values
    if (const auto value = detail::ValueUnder(cause, text))
        return *value;
    return EvaluateExpression(text)[0]; // throws: the text is no expression
}

CauseWeight WeightOf(std::span<const Cause> causes, std::size_t index)
{
    // A cause within a quarter of the most likely one cannot be told apart from
    // it (causes that tie further down are only "possibly"); the first is
    // "most likely" only when it holds, which it does only once told apart.
    constexpr double kAlike = 1.25, kHolds = 0.9;
    const double p = causes[index].probability;
    const double top = causes.front().probability;
    const bool tiesTheTop = index == 0 ? causes.size() > 1 && top <= kAlike * causes[1].probability : top <= kAlike * p;
    if (tiesTheTop)
        return CauseWeight::CantTell;
    if (index == 0 && p >= kHolds)
        return CauseWeight::MostLikely;
    return CauseWeight::Possibly;
}

} // namespace nlt
