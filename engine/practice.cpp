#include "engine/practice.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "engine/diagnosis.h"
#include "engine/evaluator.h"
#include "engine/explain.h"
#include "engine/questions_p.h"
#include "engine/readings.h"
#include "engine/scanner.h"

namespace nlt {

namespace {

// Expressions tried at one size before a near miss or a change is looked for one operator longer.
constexpr int kAttemptsPerSize = 400;

// Levels of parentheses allowed at each number of operators: none for one, one
// for two and three, two for four.
constexpr std::array<int, kPracticeMaxOperators + 1> kDepthFor{0, 0, 1, 1, 2};

// The drill's sizes in operators, growing to the most by its end.
constexpr std::array<int, kDrillLength> kDrillSizes{1, 1, 2, 2, 2, 3, 3, 3, 4, 4};

// Near misses in one drill: two or three of the ten.
constexpr int kFewestNearMisses = 2;

// The chance that an operand carries "Not" in a drill on a "Not" rule, and that
// an operand is 0 in a drill on a "Not 0" rule.
constexpr double kNotChance = 0.4, kZeroChance = 0.5;

// The chance that an operator slot takes one of the words the rule is about.
constexpr double kFocusChance = 0.5;

// floor(u * n) from the program's random source, never n itself.
int Pick(RandomSource &random, int n) { return std::min(n - 1, static_cast<int>(random.Next() * n)); }

bool IsCellRule(CauseKind k)
{
    return k == CauseKind::WordAsWord || k == CauseKind::TableCell || k == CauseKind::TableCellOneOrder;
}
bool IsNotZeroRule(CauseKind k) { return k == CauseKind::NotZeroAsZero || k == CauseKind::NotZeroWrongNeighbour; }
bool IsNotRule(CauseKind k) { return IsNotZeroRule(k) || k == CauseKind::NotIgnored || k == CauseKind::NotNegatesRest; }
bool IsOrderRule(CauseKind k) { return k == CauseKind::AndFirst || k == CauseKind::RightToLeft; }

// Writes random expressions of the test, favouring what the rule is about.
class Drawer {
public:
    Drawer(const Cause &cause, bool binary, RandomSource &random)
        : random_(random), values_(binary ? "12" : "012"),
          ops_(binary ? std::span<const Operator>(kBinaryOperators) : std::span<const Operator>(kAllOperators)),
          notChance_(IsNotRule(cause.kind) ? kNotChance : 0.0), zeroChance_(IsNotZeroRule(cause.kind) ? kZeroChance : 0.0)
    {
        if (IsCellRule(cause.kind))
            focus_ = {cause.word};
        else if (cause.kind == CauseKind::AndFirst)
            focus_ = {Operator::And, Operator::Nand, Operator::Xand};
        std::erase_if(focus_, [&](Operator op) { return std::ranges::find(ops_, op) == ops_.end(); });
    }

    // A chain of ops operators with at most depth levels of groups inside it.
    std::string Chain(int ops, int depth)
    {
        const int own = depth > 0 && ops > 1 ? 1 + Pick(random_, ops) : ops;
        std::array<int, kPracticeMaxOperators + 1> inner{};
        for (int rest = ops - own; rest > 0; --rest)
            ++inner[static_cast<std::size_t>(Pick(random_, own + 1))];
        std::string out;
        for (int i = 0; i <= own; ++i) {
            if (i > 0)
                out.append(1, ' ').append(OperatorWord(NextOperator())).append(1, ' ');
            if (notChance_ > 0 && random_.Next() < notChance_)
                out += kNotPrefix;
            if (const int n = inner[static_cast<std::size_t>(i)]; n > 0)
                out.append(1, '(').append(Chain(n, depth - 1)).append(1, ')');
            else
                out += NextValue();
        }
        return out;
    }

private:
    Operator NextOperator()
    {
        if (!focus_.empty() && random_.Next() < kFocusChance)
            return focus_[static_cast<std::size_t>(Pick(random_, static_cast<int>(focus_.size())))];
        return ops_[static_cast<std::size_t>(Pick(random_, static_cast<int>(ops_.size())))];
    }
    char NextValue()
    {
        if (zeroChance_ > 0 && random_.Next() < zeroChance_)
            return '0';
        return values_[static_cast<std::size_t>(Pick(random_, static_cast<int>(values_.size())))];
    }

    RandomSource &random_;
    std::string_view values_;
    std::span<const Operator> ops_;
    std::vector<Operator> focus_;
    double notChance_, zeroChance_;
};

// Whether text holds what the rule is about, so a near miss still practises it.
bool Involves(const Cause &cause, std::string_view text)
{
    const auto has = [&](std::string_view word) {
        return text.find(std::string(1, ' ').append(word).append(1, ' ')) != std::string_view::npos;
    };
    if (IsCellRule(cause.kind))
        return has(OperatorWord(cause.word));
    if (IsNotRule(cause.kind))
        return text.find(kNotPrefix) != std::string_view::npos;
    if (cause.kind == CauseKind::AndFirst)
        return has("And") || has("Nand") || has("Xand");
    return true;
}

// Keeps the first step a reading takes otherwise than the language.
struct FirstDeviant {
    static constexpr bool kWantsSteps = true;
    std::optional<nlt::Step> first{};
    void Opened(std::size_t) {}
    char Adjust(const nlt::Step &step) const { return step.value; }
    void Step(const nlt::Step &step, bool deviant)
    {
        if (deviant && !first && step.kind != StepKind::CancelNots)
            first = step;
    }
    void Closed(TextRange, char) {}
};

// The case of the rule that step shows, in the question's words.
std::string CaseName(const Cause &cause, std::string_view text, const PracticeStep &step, const Explanation &working)
{
    const Step &s = step.misread;
    if (IsOrderRule(cause.kind)) { // the innermost chain the rule reorders
        for (const GroupWorking &g : working.groups)
            if (g.range.begin <= s.range.begin && s.range.begin + s.range.length <= g.range.begin + g.range.length) {
                const bool group = g.parent != kNoGroup;
                return std::string(text.substr(g.range.begin + group, g.range.length - 2 * group));
            }
    }
    if (s.kind == StepKind::Fold)
        return std::string(1, s.left).append(1, ' ').append(OperatorWord(s.op)).append(1, ' ') + s.right;
    if (cause.kind == CauseKind::NotNegatesRest)
        return std::string(text.substr(s.range.begin, s.range.length));
    if (s.kind == StepKind::NotZero && step.right) {
        const std::string word(OperatorWord(step.right->op));
        return step.right->operatorBefore ? word + " Not 0" : "Not 0 " + word;
    }
    return std::string(kNotPrefix) + s.left;
}

// Fills in an item for text: its values, size and the first step the misreading changes.
PracticeItem Finish(const Cause &cause, bool binary, std::string text, char right, char misread)
{
    PracticeItem item{.text = std::move(text), .right = right, .misread = misread};
    item.operators = static_cast<int>(detail::OperatorCount(item.text));
    item.depth = static_cast<int>(detail::Depth(item.text));
    FirstDeviant observer;
    ScanText(item.text, detail::RulesOf(cause), observer);
    if (!observer.first)
        return item;
    PracticeStep step{.misread = *observer.first};
    const Explanation working = ExplainExpression(item.text);
    for (const Step &s : working.steps)
        if (s.kind == step.misread.kind && s.range.begin == step.misread.range.begin
            && s.range.length == step.misread.range.length)
            step.right = s;
    step.caseName = CaseName(cause, item.text, step, working);
    if (IsCellRule(cause.kind) && step.misread.kind == StepKind::Fold)
        step.row = detail::RowUnder(cause, step.misread.op, step.misread.left, binary);
    item.step = std::move(step);
    return item;
}

} // namespace

int PracticeMinOperators(const Cause &cause)
{
    return IsOrderRule(cause.kind) || cause.kind == CauseKind::NotZeroWrongNeighbour ? 2 : 1;
}

PracticeItem DrawPractice(const Cause &cause, bool binary, int operators, bool changing, RandomSource &random,
    const std::set<std::string> &avoid)
{
    Drawer drawer(cause, binary, random);
    std::optional<PracticeItem> fallback;
    const int fewest = changing ? PracticeMinOperators(cause) : 1; // no chain shorter can be changed
    for (int ops = std::clamp(operators, fewest, kPracticeMaxOperators); ops <= kPracticeMaxOperators; ++ops)
        for (int attempt = 0; attempt < kAttemptsPerSize; ++attempt) {
            std::string text = drawer.Chain(ops, kDepthFor[static_cast<std::size_t>(ops)]);
            if (avoid.contains(text))
                continue;
            char right = '\0';
            try {
                right = EvaluateExpression(text)[0];
            } catch (const EvaluationError &) {
                continue;
            }
            const char misread = AnswerUnder(cause, text, binary);
            if ((right != misread) == changing && (changing || Involves(cause, text)))
                return Finish(cause, binary, std::move(text), right, misread);
            if (!fallback)
                fallback = Finish(cause, binary, std::move(text), right, misread);
        }
    return fallback.value_or(PracticeItem{});
}

std::vector<PracticeItem> DrawDrill(const Cause &cause, bool binary, RandomSource &random)
{
    std::array<bool, kDrillLength> near{};
    const int nearMisses = kFewestNearMisses + Pick(random, 2);
    for (int placed = 0; placed < nearMisses;) {
        bool &slot = near[static_cast<std::size_t>(Pick(random, static_cast<int>(kDrillLength)))];
        placed += !slot;
        slot = true;
    }
    std::vector<PracticeItem> drill;
    std::set<std::string> drawn;
    for (std::size_t i = 0; i < kDrillLength; ++i) {
        // Never shorter than the one before, which may have needed an operator more.
        const int size = std::max({kDrillSizes[i], PracticeMinOperators(cause), drill.empty() ? 1 : drill.back().operators});
        drill.push_back(DrawPractice(cause, binary, size, !near[i], random, drawn));
        drawn.insert(drill.back().text);
    }
    return drill;
}

} // namespace nlt
