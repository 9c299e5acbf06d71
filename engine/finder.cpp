// The mistake finder: asks about parts of the failed question until one cause
// stands out.

#include "engine/finder.h"

#include "engine/diagnosis.h"

#include "engine/evaluator.h"
#include "engine/readings.h"

#include <algorithm>
#include <cmath>

namespace nlt {

namespace {

// The finder weighs every misreading and at most this many one-off slips.
constexpr std::size_t kMaxCauses = 40;
// It may ask any of this many of the shortest parts.
constexpr std::size_t kMaxParts = 400;
// A one-off slip comes from a misstep with these very operands, so asked the
// same part again a person repeats it about half the time.
constexpr double kRepeat = 0.5;
// Any answer may carry a fresh slip, made with this chance.
constexpr double kFreshSlip = 0.05;
// A cause is named once it holds this much.
constexpr double kNamed = 0.9;

} // namespace

MistakeFinder::MistakeFinder(std::span<const AnsweredQuestion> run)
{
    // Every misreading stays (few survive a run), and the likeliest slips.
    causes_ = DiagnoseRun(run);
    std::size_t kept = 0;
    std::erase_if(causes_, [&](const Cause &c) { return !IsMisreading(c.kind) && ++kept > kMaxCauses; });
    for (const Cause &c : causes_)
        prior_.push_back(c.probability);
    weights_ = prior_;
    contradicted_.assign(causes_.size(), false);
    if (causes_.size() < 2)
        return;
    const std::string &text = run.back().text;
    std::vector<detail::AskablePart> parts = detail::AskableParts(text, ExplainExpression(text));
    if (parts.size() > kMaxParts)
        parts.resize(kMaxParts);
    for (const detail::AskablePart &part : parts) {
        const char right = EvaluateExpression(part.text)[0];
        Part asked{.text = part.text, .range = part.ranges.front(), .active = {}, .dormant = {}};
        for (const Cause &c : causes_) {
            asked.active.push_back(detail::PartValue(c, part, true, right));
            asked.dormant.push_back(detail::PartValue(c, part, false, right));
        }
        // A part that every cause answers alike cannot help.
        if (std::ranges::count(asked.active, asked.active.front()) != static_cast<std::ptrdiff_t>(asked.active.size())
            || asked.active != asked.dormant)
            parts_.push_back(std::move(asked));
    }
    Reweigh();
}

void MistakeFinder::Reweigh()
{
    // Each cause's chance of every answer so far: a misreading answers by its
    // rule, a slip repeats with kRepeat, and any answer may be a fresh slip.
    double total = 0;
    for (std::size_t c = 0; c < causes_.size(); ++c) {
        double w = prior_[c];
        contradicted_[c] = false;
        for (const auto &[p, value] : answers_) {
            const Part &part = parts_[p];
            const bool misreading = IsMisreading(causes_[c].kind);
            const double repeat = misreading ? 1.0 : kRepeat;
            const double fits = repeat * (value == part.active[c]) + (1 - repeat) * (value == part.dormant[c]);
            w *= (1 - kFreshSlip) * fits + kFreshSlip / 3;
            contradicted_[c] = contradicted_[c] || value != part.active[c];
        }
        weights_[c] = w;
        total += w;
    }
    for (double &w : weights_)
        w = total > 0 ? w / total : 0;
}

// The part that splits the standing weight most evenly among its answers;
// nothing when every part leaves one answer holding all of it.
std::optional<std::pair<std::string, TextRange>> MistakeFinder::next() const
{
    if (named() || slipWasOneOff())
        return std::nullopt;
    std::size_t best = parts_.size();
    double bestShare = 0.99; // a part must leave at least 1 % outside its likeliest answer
    for (std::size_t p = 0; p < parts_.size(); ++p) {
        if (std::ranges::any_of(answers_, [&](const auto &a) { return a.first == p; }))
            continue;
        std::array<double, 3> mass{};
        for (std::size_t c = 0; c < causes_.size(); ++c) {
            const double repeat = IsMisreading(causes_[c].kind) ? 1.0 : kRepeat;
            mass[static_cast<std::size_t>(parts_[p].active[c] - '0')] += weights_[c] * repeat;
            mass[static_cast<std::size_t>(parts_[p].dormant[c] - '0')] += weights_[c] * (1 - repeat);
        }
        const double share = *std::ranges::max_element(mass);
        if (share < bestShare - 1e-9) {
            bestShare = share;
            best = p;
        }
    }
    if (best == parts_.size())
        return std::nullopt;
    return std::pair(parts_[best].text, parts_[best].range);
}

void MistakeFinder::answer(char value)
{
    const auto asked = next();
    if (!asked)
        return;
    const auto it = std::ranges::find(parts_, asked->first, &Part::text);
    answers_.emplace_back(static_cast<std::size_t>(it - parts_.begin()), value);
    Reweigh();
}

std::vector<Cause> MistakeFinder::causes() const
{
    std::vector<Cause> weighed = causes_;
    for (std::size_t c = 0; c < weighed.size(); ++c)
        weighed[c].probability = weights_[c];
    std::ranges::stable_sort(weighed, std::greater<>(), &Cause::probability);
    return weighed;
}

std::optional<Cause> MistakeFinder::named() const
{
    const auto top = std::ranges::max_element(weights_);
    if (top == weights_.end() || *top < kNamed)
        return std::nullopt;
    Cause cause = causes_[static_cast<std::size_t>(top - weights_.begin())];
    cause.probability = *top;
    return cause;
}

bool MistakeFinder::slipWasOneOff() const
{
    return !answers_.empty() && std::ranges::all_of(contradicted_, [](bool c) { return c; });
}

bool MistakeFinder::finished() const { return !next(); }

} // namespace nlt
