// The mistake finder: asks short questions until one cause stands out.

#include "engine/finder.h"

#include "engine/diagnosis.h"

#include "engine/evaluator.h"
#include "engine/questions_p.h"
#include "engine/readings.h"
#include "engine/scanner.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace nlt {

namespace {

// The finder weighs every misreading and at most this many one-off slips.
constexpr std::size_t kMaxCauses = 40;
// It may ask any of this many of the shortest parts of the failed question.
constexpr std::size_t kMaxParts = 400;
// Fresh chains are built from at most this many operator words.
constexpr std::size_t kChainWords = 5;
// A one-off slip comes from a misstep with these very operands. Persons are
// of two kinds, as likely as each other: a steady one repeats it wherever the
// step is worked again, alone or inside a group, most times; a fleeting one
// repeats it a little more often than not asked the step alone, seldom in a group.
constexpr double kSteadyAlone = 0.85, kSteadyInGroup = 0.75, kFleetingAlone = 0.6, kFleetingInGroup = 0.1;
// Any answer may carry a fresh slip, made with this chance.
constexpr double kFreshSlip = 0.004;
// A cause holds once it has this much.
constexpr double kHeld = 0.9;
// What a cause not told apart from every other may have at most.
constexpr double kUntold = 0.89;
// A question must be expected to tell this many bits; each operator word and
// each "Not" costs a little, so that of two questions that tell about as much
// the shorter is asked.
constexpr double kMinGain = 0.02, kOperatorCost = 0.01;
// Questions of at most this many operators and levels of parentheses are short.
constexpr std::size_t kShortOperators = 4, kShortDepth = 2;
// A long question is asked before a short one that tells this many times less.
constexpr double kLongFactor = 2;
// The finder asks at most this many questions.
constexpr std::size_t kMaxAsked = 8;
// Misreadings are out once they hold this much together.
constexpr double kMisreadingsOut = 0.02;
// A slip is localised when it holds this share of the slips' weight.
constexpr double kLocalised = 0.9;
// A slip below this share of the slips' weight is no longer a candidate.
constexpr double kSlipOut = 0.01;

// The entropy in bits of a distribution over the three values.
double Entropy(const std::array<double, 3> &p)
{
    double h = 0;
    for (const double x : p)
        if (x > 0)
            h -= x * std::log2(x);
    return h;
}

// How a cause answers a question: a misreading always at work, a slip asked
// its step again alone, a slip inside a group (or not in the question asked).
enum Account : std::uint8_t { kMisreading, kSteadyStep, kSteadyGroup, kFleetingStep, kFleetingGroup, kAccounts };

// How often a cause of an account is at work in a question.
constexpr std::array<double, kAccounts> kAtWork{1.0, kSteadyAlone, kSteadyInGroup, kFleetingAlone, kFleetingInGroup};

// A cause's answer chances depend only on its two answers (active, dormant)
// and on its account (how often it is at work), so the weights of a question
// are summed by those nine by three patterns.
struct AnswerPatterns {
    std::array<std::array<std::array<double, 3>, 9>, kAccounts> chances{}; // [account][active * 3 + dormant]
    std::array<std::array<double, 9>, kAccounts> entropy{};

    explicit AnswerPatterns(bool binary)
    {
        for (std::size_t slip = 0; slip < kAccounts; ++slip)
            for (std::size_t ad = 0; ad < 9; ++ad) {
                const double repeat = kAtWork[slip];
                std::array<double, 3> &p = chances[slip][ad];
                for (const char v : std::string_view(binary ? "12" : "012"))
                    p[static_cast<std::size_t>(v - '0')] = kFreshSlip / (binary ? 2 : 3);
                p[ad / 3] += (1 - kFreshSlip) * repeat;
                p[ad % 3] += (1 - kFreshSlip) * (1 - repeat);
                entropy[slip][ad] = Entropy(p);
            }
    }

    // The expected information of a question whose weights are mass; with
    // lumpSlips the slips count as one account.
    double Gain(const std::array<std::array<double, 9>, kAccounts> &mass, bool lumpSlips) const
    {
        std::array<double, 3> mix{}, slips{};
        double within = 0, slipWeight = 0;
        for (std::size_t slip = 0; slip < kAccounts; ++slip)
            for (std::size_t ad = 0; ad < 9; ++ad) {
                const double w = mass[slip][ad];
                for (std::size_t v = 0; v < 3; ++v) {
                    mix[v] += w * chances[slip][ad][v];
                    slips[v] += slip ? w * chances[slip][ad][v] : 0;
                }
                slipWeight += slip ? w : 0;
                within += slip && lumpSlips ? 0 : w * entropy[slip][ad];
            }
        if (lumpSlips && slipWeight > 0) {
            for (double &v : slips)
                v /= slipWeight;
            within += slipWeight * Entropy(slips);
        }
        return Entropy(mix) - within;
    }
};

// The words fresh chains are built from: words that tell the order and "Not"
// rules apart when those stand, then the words the misreadings act on, the
// word with the most weight on it first.
std::vector<Operator> ChainWords(std::span<const Cause> causes, bool binary)
{
    std::array<double, kOperatorCount> weight{};
    bool order = false, nots = false;
    for (const Cause &c : causes) {
        order = order || c.kind == CauseKind::AndFirst || c.kind == CauseKind::RightToLeft;
        nots = nots || (c.kind >= CauseKind::NotZeroAsZero && c.kind <= CauseKind::NotNegatesRest);
        if (c.kind == CauseKind::WordAsWord || c.kind == CauseKind::TableCell || c.kind == CauseKind::TableCellOneOrder)
            weight[static_cast<std::size_t>(c.word)] += c.probability;
    }
    std::vector<Operator> words;
    const auto add = [&](Operator op) {
        if (words.size() < kChainWords && std::ranges::find(words, op) == words.end())
            words.push_back(op);
    };
    if (order)
        add(Operator::And), add(Operator::Or);
    if (nots)
        add(binary ? Operator::Or : Operator::For), add(Operator::And);
    std::vector<Operator> byWeight(kAllOperators.begin(), kAllOperators.end());
    std::ranges::stable_sort(byWeight, std::greater<>(), [&](Operator op) { return weight[static_cast<std::size_t>(op)]; });
    for (const Operator op : byWeight)
        if (weight[static_cast<std::size_t>(op)] > 0)
            add(op);
    return words;
}

} // namespace

MistakeFinder::MistakeFinder(std::span<const AnsweredQuestion> run)
    : MistakeFinder(run.empty() ? AnsweredQuestion{} : run.back(), DiagnoseRun(run),
        run.empty() ? Explanation{} : ExplainExpression(run.back().text))
{
}

MistakeFinder::MistakeFinder(const AnsweredQuestion &failed, std::vector<Cause> causes, const Explanation &working)
    : binary_(failed.binary), causes_(std::move(causes))
{
    // Every misreading stays (few survive a run), and the likeliest slips.
    std::size_t kept = 0;
    std::erase_if(causes_, [&](const Cause &c) { return !IsMisreading(c.kind) && ++kept > kMaxCauses; });
    for (const Cause &c : causes_)
        prior_.push_back(c.probability);
    for (const Cause &c : causes_)
        rules_.push_back(detail::RulesOf(c));
    if (causes_.size() >= 2)
        AddCandidates(failed.text, working);
    Reweigh();
    Next();
}

void MistakeFinder::AddCandidates(const std::string &text, const Explanation &working)
{
    std::vector<detail::Askable> parts = detail::QuestionParts(text, working);
    // Parts that hold a slip's place come first, shortest first among them:
    // in a long question the groups that localise a slip may be long.
    const auto holdsSlip = [&](const detail::Askable &q) {
        return std::ranges::any_of(causes_, [&](const Cause &c) {
            return !IsMisreading(c.kind) && std::ranges::any_of(c.places, [&](const TextRange &p) {
                return std::ranges::any_of(q.part.ranges,
                    [&](const TextRange &r) { return p.begin >= r.begin && p.begin + p.length <= r.begin + r.length; });
            });
        });
    };
    if (parts.size() > kMaxParts)
        std::stable_partition(parts.begin(), parts.end(), holdsSlip);
    if (parts.size() > kMaxParts)
        parts.resize(kMaxParts);
    // A fresh term may have the text of a step or group of the question: asked
    // fresh it is not that place, so a slip there is not repeated in it, and it
    // tells a misreading from the slips where the place cannot.
    std::set<std::string, std::less<>> seen{text, std::string(detail::Computation(text))};
    for (detail::Askable &q : parts) {
        if (!q.part.term) {
            AddCandidate(std::move(q.ask), std::move(q.part.ranges), false);
            continue;
        }
        // A step asked again is worked again at the one place shown: one
        // question for its first place and one for each other place where a
        // slip may be (only one of them is asked: they are one computation).
        for (std::size_t r = 0; r < q.part.ranges.size(); ++r) {
            const TextRange place = q.part.ranges[r];
            if (r == 0 || std::ranges::any_of(causes_, [&](const Cause &c) {
                    return !IsMisreading(c.kind) && std::ranges::any_of(c.places, [&](const TextRange &p) {
                        return p.begin == place.begin && p.length == place.length;
                    });
                })) {
                Ask ask = q.ask;
                ask.range = place;
                AddCandidate(std::move(ask), {place}, true);
            }
        }
    }
    for (detail::Askable &q : detail::FreshQuestions(binary_, ChainWords(causes_, binary_)))
        if (seen.insert(q.ask.text).second)
            AddCandidate(std::move(q.ask), {}, false);
}

void MistakeFinder::AddCandidate(Ask ask, std::vector<TextRange> ranges, bool term)
{
    SilentObserver silent;
    const auto right = ScanText(ask.text, kLanguageRules, silent);
    if (!right)
        return;
    Candidate k{.ask = {},
        .ranges = std::move(ranges),
        .operators = detail::OperatorCount(ask.text),
        .nots = detail::NotCount(ask.text),
        .depth = detail::Depth(detail::Computation(ask.text)),
        .active = {},
        .dormant = {},
        .right = *right};
    const detail::AskablePart part{.text = ask.text, .ranges = k.ranges, .term = term};
    for (std::size_t c = 0; c < causes_.size(); ++c) {
        if (IsMisreading(causes_[c].kind)) { // read by the cause's rules, worked out once
            k.active.push_back(ScanText(part.text, rules_[c], silent).value_or(*right));
            k.dormant.push_back(k.active.back());
            continue;
        }
        k.active.push_back(k.ranges.empty() ? *right : detail::PartValue(causes_[c], part, true, *right));
        k.dormant.push_back(*right);
    }
    // A question that every cause answers alike cannot help.
    if (std::ranges::count(k.active, k.active.front()) == static_cast<std::ptrdiff_t>(k.active.size())
        && k.active == k.dormant)
        return;
    k.ask = std::move(ask);
    candidates_.push_back(std::move(k));
}

void MistakeFinder::Reweigh()
{
    double total = 0;
    weights_.assign(causes_.size(), 0);
    const AnswerPatterns patterns(binary_);
    steady_.assign(causes_.size(), 0.5);
    for (std::size_t c = 0; c < causes_.size(); ++c) {
        // A slip's likelihood is summed over the two kinds of person.
        std::array<double, 2> w{prior_[c] / 2, prior_[c] / 2}; // steady, fleeting
        for (const auto &[k, value] : answers_) {
            const Candidate &q = candidates_[k];
            const auto pattern = static_cast<std::size_t>(3 * (q.active[c] - '0') + (q.dormant[c] - '0'));
            for (const bool steady : {true, false})
                w[!steady] *= patterns.chances[AccountOf(c, q, steady)][pattern][static_cast<std::size_t>(value - '0')];
        }
        weights_[c] = w[0] + w[1];
        steady_[c] = weights_[c] > 0 ? w[0] / weights_[c] : 0.5;
        total += weights_[c];
    }
    for (double &w : weights_)
        w = total > 0 ? w / total : 0;
    MarkTold();
}

void MistakeFinder::MarkTold()
{
    // Told apart: some question answered so far tested the cause (it answers it
    // otherwise than the language), and for every other cause some question has
    // them answer differently. A lone cause is told apart by the run itself.
    told_.assign(causes_.size(), causes_.size() == 1);
    for (std::size_t c = 0; c < causes_.size() && causes_.size() > 1; ++c) {
        if (weights_[c] <= kUntold)
            continue; // the mark matters only for a cause that would hold

        const auto differs = [&](std::size_t d) {
            return std::ranges::any_of(answers_,
                [&](const auto &a) { return candidates_[a.first].active[c] != candidates_[a.first].active[d]; });
        };
        const bool tested = std::ranges::any_of(answers_,
            [&](const auto &a) { return candidates_[a.first].active[c] != candidates_[a.first].right; });
        bool apart = tested;
        for (std::size_t d = 0; apart && d < causes_.size(); ++d)
            apart = d == c || differs(d);
        told_[c] = apart;
    }
}

double MistakeFinder::Held(std::size_t c) const { return told_[c] ? weights_[c] : std::min(weights_[c], kUntold); }

std::size_t MistakeFinder::AccountOf(std::size_t c, const Candidate &q, bool steady) const
{
    if (IsMisreading(causes_[c].kind))
        return kMisreading;
    if (q.ask.kind == AskKind::Step)
        return steady ? kSteadyStep : kFleetingStep;
    return steady ? kSteadyGroup : kFleetingGroup;
}

std::optional<std::size_t> MistakeFinder::LocalisedSlip() const
{
    std::optional<std::size_t> top;
    double slips = 0;
    std::size_t standing = 0;
    for (std::size_t c = 0; c < causes_.size(); ++c)
        if (!IsMisreading(causes_[c].kind)) {
            slips += weights_[c];
            if (!top || weights_[c] > weights_[*top])
                top = c;
        }
    if (!top || slips <= 0)
        return std::nullopt;
    for (std::size_t c = 0; c < causes_.size(); ++c)
        standing += !IsMisreading(causes_[c].kind) && weights_[c] >= kSlipOut * slips;
    if (standing == 1)
        return top; // the only slip left that gives the answer
    // The answers point to a slip that holds among the slips and was repeated
    // where asked again (its step, or a group that holds it).
    return RepeatedAt(*top) && weights_[*top] >= kLocalised * slips ? top : std::nullopt;
}

std::optional<TextRange> MistakeFinder::RepeatedAt(std::size_t c) const
{
    // A step asked alone points to one place; a group may hold several.
    for (const bool alone : {true, false})
        for (const auto &[k, value] : answers_) {
            const Candidate &q = candidates_[k];
            if ((q.ask.kind == AskKind::Step) == alone && q.active[c] != q.dormant[c] && value == q.active[c])
                for (const TextRange &p : causes_[c].places)
                    if (std::ranges::any_of(q.ranges, [&](const TextRange &r) {
                            return p.begin >= r.begin && p.begin + p.length <= r.begin + r.length;
                        }))
                        return p;
        }
    return std::nullopt;
}

std::optional<std::size_t> MistakeFinder::Choose() const
{
    if (candidates_.empty() || answers_.size() >= kMaxAsked || named())
        return std::nullopt;
    double misread = 0;
    for (std::size_t c = 0; c < causes_.size(); ++c)
        misread += IsMisreading(causes_[c].kind) ? weights_[c] : 0;
    if (misread < kMisreadingsOut && LocalisedSlip())
        return std::nullopt;
    std::set<std::string_view> asked;
    for (const auto &[k, value] : answers_)
        asked.insert(detail::Computation(candidates_[k].ask.text));
    // Expected information of each question, less a small cost per operator;
    // long questions only when no short one tells enough. While misreadings
    // stand, the slips count as one account (which slip it was matters only
    // once no misreading is left).
    const AnswerPatterns patterns(binary_);
    std::array<std::optional<std::size_t>, 2> best; // short, long
    std::array<double, 2> bestScore{0, 0};
    for (std::size_t k = 0; k < candidates_.size(); ++k) {
        const Candidate &q = candidates_[k];
        if (asked.contains(detail::Computation(q.ask.text)))
            continue;
        std::array<std::array<double, 9>, kAccounts> mass{};
        for (std::size_t c = 0; c < causes_.size(); ++c)
            if (weights_[c] >= 1e-9) {
                const auto pattern = static_cast<std::size_t>(3 * (q.active[c] - '0') + (q.dormant[c] - '0'));
                mass[AccountOf(c, q, true)][pattern] += weights_[c] * steady_[c];
                mass[AccountOf(c, q, false)][pattern] += weights_[c] * (1 - steady_[c]);
            }
        const double gain = patterns.Gain(mass, misread >= kMisreadingsOut);
        const double score = gain - kOperatorCost * static_cast<double>(q.operators + q.nots);
        const std::size_t kind = q.operators <= kShortOperators && q.depth <= kShortDepth ? 0 : 1;
        if (gain >= kMinGain && score > bestScore[kind]) {
            bestScore[kind] = score;
            best[kind] = k;
        }
    }
    // A long question only when no short one tells enough, or when it tells
    // several times more (halving the places a slip may be, where the short
    // groups hold one or two of them each).
    const bool longer = best[1] && (!best[0] || bestScore[1] > kLongFactor * bestScore[0]);
    return longer ? best[1] : best[0];
}

void MistakeFinder::Next()
{
    nextIndex_ = Choose();
    next_ = nextIndex_ ? std::optional<Ask>(candidates_[*nextIndex_].ask) : std::nullopt;
}

void MistakeFinder::answer(char value)
{
    if (!next_)
        return;
    answers_.emplace_back(*nextIndex_, value);
    Reweigh();
    Next();
}

std::vector<Cause> MistakeFinder::causes() const
{
    std::vector<Cause> weighed = causes_;
    for (std::size_t c = 0; c < weighed.size(); ++c)
        weighed[c].probability = Held(c);
    std::ranges::stable_sort(weighed, std::greater<>(), &Cause::probability);
    return weighed;
}

std::optional<Cause> MistakeFinder::named() const
{
    for (std::size_t c = 0; c < causes_.size(); ++c)
        if (IsMisreading(causes_[c].kind) && Held(c) >= kHeld) {
            Cause cause = causes_[c];
            cause.probability = weights_[c];
            return cause;
        }
    return std::nullopt;
}

Ending MistakeFinder::ending() const
{
    if (next_)
        return {};
    if (auto cause = named())
        return {EndingKind::Named, std::move(cause)};
    double misread = 0;
    for (std::size_t c = 0; c < causes_.size(); ++c)
        misread += IsMisreading(causes_[c].kind) ? weights_[c] : 0;
    if (misread >= 1 - kHeld)
        return {EndingKind::Unclear, std::nullopt};
    Ending ending{EndingKind::OneOff, std::nullopt};
    if (const auto slip = LocalisedSlip()) {
        ending.cause = causes_[*slip];
        ending.cause->probability = weights_[*slip];
        // Of identical places, the one where the slip was repeated comes first.
        if (const auto at = RepeatedAt(*slip))
            std::stable_partition(ending.cause->places.begin(), ending.cause->places.end(),
                [&](const TextRange &p) { return p.begin == at->begin && p.length == at->length; });
    }
    return ending;
}

} // namespace nlt
