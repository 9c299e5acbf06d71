// Measures the diagnosis with simulated persons playing whole generated runs:
// persons for each misreading family (a word read as another, a cell
// misremembered in both orders or in one, the "Not" and order rules) in both
// tests, and persons who make one-off slips of two kinds: repeated only where
// that step is asked again alone and only half the time, or wherever it is
// worked again, alone or inside a group, four times in five. For each family it prints how often a cause
// held at 0.9 or more does not predict the person on fresh questions (before
// and after the finder), how often the first cause after the finder predicts
// the person (90 % agreement where the person or the cause departs from the
// language), for slips how often the first cause is a misreading and how often
// the finder names the slipped step (or another), and the questions asked. Not part of the
// test suite: run by hand, optionally with a number of runs per person.

#include "engine/diagnosis.h"
#include "engine/finder.h"
#include "engine/generator.h"
#include "tests/reference/literal_evaluator.h"
#include "tests/reference/simulated_person.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using nlt::AnsweredQuestion;
using nlt::test::Person;
using Clock = std::chrono::steady_clock;

// Questions of one test from the start of a run, seeded.
struct Questions {
    nlt::TestCounters counters{.TermCount = 1};
    nlt::SeededRandomSource random;
    bool binary;
    Questions(std::uint64_t seed, bool binary) : random(seed), binary(binary) {}
    std::string Next() { return JoinParts((binary ? nlt::BuildBinaryParts : nlt::BuildTertiaryParts)(counters, random)); }
};

char Right(const std::string &text) { return nlt::reference::LiteralEvaluate(text).value()[0]; }

// The text and place of a question of the finder, whichever form next() gives it in.
template <class P> std::string AskText(const P &p)
{
    if constexpr (requires { p.first; })
        return p.first;
    else
        return p.text;
}
template <class P> std::optional<nlt::TextRange> AskRange(const P &p)
{
    if constexpr (requires { p.first; })
        return p.second;
    else
        return p.range;
}

// The step a finder names at its end for a slip, if any.
template <class F> std::optional<nlt::Cause> NamedSlip(const F &finder)
{
    if constexpr (requires { finder.ending(); }) {
        const auto ending = finder.ending();
        return ending.cause && !nlt::IsMisreading(ending.cause->kind) ? ending.cause : std::nullopt;
    } else {
        const auto named = finder.named();
        return named && !nlt::IsMisreading(named->kind) ? named : std::nullopt;
    }
}

// The operator words of a text.
std::size_t Operators(const std::string &text)
{
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(' ', at)) != std::string::npos; ++at)
        n += at + 1 < text.size() && text[at + 1] >= 'A' && text[at + 1] <= 'Z' && text.compare(at + 1, 4, "Not ") != 0;
    return n;
}

// Totals of one family.
struct Tally {
    int runs = 0, heldBefore = 0, heldWrongBefore = 0, heldAfter = 0, heldWrongAfter = 0, predicts = 0, claimsMisreading = 0,
        namedStep = 0, namedWrong = 0, shortAsks = 0, repeats = 0;
    std::array<int, 2> fewRuns{}, fewNamed{}; // slip runs with at most 9 candidate steps (1) or more (0)
    std::vector<int> asked;
    double diagnoseMs = 0, worstMs = 0, worstNextMs = 0;
};

// Whether cause predicts the person on fresh questions of the run's levels: at
// least 90 % agreement where either departs from the language.
bool Predicts(const nlt::Cause &cause, const Person &person, bool binary, std::uint64_t seed, std::size_t count)
{
    Questions fresh(seed + 1000, binary);
    int differ = 0, agree = 0;
    for (std::size_t n = 0; n < count + 10; ++n) {
        const std::string text = fresh.Next();
        const char right = Right(text), v = person.Work(text), c = nlt::AnswerUnder(cause, text, binary);
        if (v != right || c != right)
            ++differ, agree += v == c;
    }
    return agree * 10 >= differ * 9;
}

// How a slipper repeats the slip when asked its step again: in percent of the
// times, and whether also inside a group of the question that holds the step.
struct Repeats {
    unsigned percent = 50;
    bool inGroups = false;
};

// Plays the finder with a person; a slipper repeats the slip as repeats says.
template <class F> void PlayFinder(F &finder, const Person &person, Repeats repeats, std::mt19937_64 &rng, Tally &t)
{
    std::set<std::string> computations;
    int asked = 0;
    for (;;) {
        const auto part = finder.next();
        if (!part)
            break;
        const std::string text = AskText(*part);
        const std::optional<nlt::TextRange> range = AskRange(*part);
        std::string computation = text.front() == '(' && text.find('(', 1) == std::string::npos
                                    ? text.substr(1, text.size() - 2)
                                    : text;
        t.repeats += !computations.insert(computation).second;
        t.shortAsks += Operators(text) <= 4;
        ++asked;
        const bool group = text.front() == '(';
        const bool covers = range && person.slipAt >= range->begin && person.slipAt < range->begin + range->length
                         && (group ? repeats.inGroups : range->begin + range->length == person.slipEnd);
        Person now = person;
        if (!covers || rng() % 100 >= repeats.percent)
            now.slipAt = std::string::npos; // not repeated
        const std::size_t offset = now.slipAt == std::string::npos ? 0 : group ? range->begin : now.slipAt - 2;
        const char value = now.Work(text, offset);
        // The next question is worked out when the answer comes (before: when next() is called).
        const auto start2 = Clock::now();
        finder.answer(value);
        (void)finder.next();
        t.worstNextMs = std::max(t.worstNextMs, std::chrono::duration<double, std::milli>(Clock::now() - start2).count());
    }
    t.asked.push_back(asked);
}

// One run of a person; false when the person never answers wrong within the cap.
bool PlayRun(Person person, std::optional<Repeats> slipper, bool binary, std::uint64_t seed, Tally &t)
{
    std::mt19937_64 rng(seed);
    Questions questions(seed, binary);
    std::vector<AnsweredQuestion> run;
    for (int n = 0; n < 200; ++n) {
        const std::string text = questions.Next();
        person.slipAt = std::string::npos;
        if (slipper) { // about one fold in 60 slips
            person.Work(text);
            const std::vector<std::size_t> folds = person.folds;
            if (!folds.empty() && rng() % 60 < folds.size()) {
                person.slipAt = folds[rng() % folds.size()];
                person.slipValue = binary ? '1' + static_cast<char>(rng() % 2) : '0' + static_cast<char>(rng() % 3);
            }
        }
        run.push_back({text, person.Work(text), binary});
        if (run.back().given != Right(text))
            break;
    }
    if (run.back().given == Right(run.back().text))
        return false;
    ++t.runs;
    const auto start = Clock::now();
    const std::vector<nlt::Cause> causes = nlt::DiagnoseRun(run);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    t.diagnoseMs += ms, t.worstMs = std::max(t.worstMs, ms);
    nlt::MistakeFinder finder(run);
    PlayFinder(finder, person, slipper.value_or(Repeats{}), rng, t);
    const nlt::Cause before = causes.at(0), after = finder.causes().at(0);
    const std::size_t count = run.size();
    // On fresh questions a slipper works right (the slip was one-off); working
    // them must not move the slipped step's end either.
    const std::size_t slipEnd = person.slipEnd;
    person.slipAt = std::string::npos;
    if (before.probability >= 0.9)
        ++t.heldBefore, t.heldWrongBefore += !Predicts(before, person, binary, seed, count);
    if (after.probability >= 0.9)
        ++t.heldAfter, t.heldWrongAfter += !Predicts(after, person, binary, seed, count);
    person.slipEnd = slipEnd;
    if (slipper) {
        t.claimsMisreading += nlt::IsMisreading(before.kind);
        // The named step is the slipped fold (its operator word inside, its right
        // operand ending where the person's did) taken as the person took it.
        bool named = false;
        if (const auto step = NamedSlip(finder)) {
            const nlt::TextRange at = step->places.front();
            named = at.begin + at.length == person.slipEnd && at.begin <= person.slipAt && step->step == nlt::StepKind::Fold
                 && step->used == person.slipValue;
        }
        const bool few = std::ranges::count_if(causes, [](const nlt::Cause &c) { return !nlt::IsMisreading(c.kind); }) <= 9;
        t.namedStep += named, t.namedWrong += NamedSlip(finder) && !named;
        t.fewRuns[few] += 1, t.fewNamed[few] += named;
        return true;
    }
    t.predicts += Predicts(after, person, binary, seed, count);
    return true;
}

// A share in per cent.
double Pct(int part, int whole) { return 100.0 * part / std::max(whole, 1); }

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 12;
    using R = Person::Rule;
    struct Family {
        const char *name;
        bool binary;
        std::vector<Person> persons;
        std::optional<Repeats> slips; // the persons slip once and repeat it so
    };
    const std::vector<Family> families{
        {"word, 2-valued (Nand as And, Xor as Xand, Nor as And)", true,
            {Person::With(R::Word, "Nand", "And"), Person::With(R::Word, "Xor", "Xand"),
                Person::With(R::Word, "Nor", "And")},
            std::nullopt},
        {"word, 3-valued (Nmaybe as Maybe, Against as With)", false,
            {Person::With(R::Word, "Nmaybe", "Maybe"), Person::With(R::Word, "Against", "With")}, std::nullopt},
        {"X-word, 3-valued (Xfor as Xagainst, Xfor as For, Xwith as Xor)", false,
            {Person::With(R::Word, "Xfor", "Xagainst"), Person::With(R::Word, "Xfor", "For"),
                Person::With(R::Word, "Xwith", "Xor")},
            std::nullopt},
        {"cell both orders, 2-valued (1 Xor 2 as 2, 2 Nor 2 as 2)", true,
            {Person::With(R::Cell, "1 Xor 2", "", '2'), Person::With(R::Cell, "2 Nor 2", "", '2')}, std::nullopt},
        {"cell both orders, 3-valued (0 For 1 as 0, 1 Xwith 2 as 2)", false,
            {Person::With(R::Cell, "0 For 1", "", '0'), Person::With(R::Cell, "1 Xwith 2", "", '2')}, std::nullopt},
        {"cell one order, 2-valued (1 Or 2 as 2, 2 Xand 1 as 1)", true,
            {Person::With(R::CellOneOrder, "1 Or 2", "", '2'), Person::With(R::CellOneOrder, "2 Xand 1", "", '1')},
            std::nullopt},
        {"cell one order, 3-valued (0 For 1 as 0, 2 Maybe 1 as 1)", false,
            {Person::With(R::CellOneOrder, "0 For 1", "", '0'), Person::With(R::CellOneOrder, "2 Maybe 1", "", '1')},
            std::nullopt},
        {"\"Not 0\" as 0, 3-valued", false, {Person::With(R::NotZeroAsZero)}, std::nullopt},
        {"\"Not 0\" by the operator after it, 3-valued", false, {Person::With(R::NotZeroAfter)}, std::nullopt},
        {"\"Not\" ignored, 2-valued", true, {Person::With(R::NotIgnored)}, std::nullopt},
        {"\"Not\" negates the rest, 3-valued", false, {Person::With(R::NotRest)}, std::nullopt},
        {"And-like words first, 2-valued", true, {Person::With(R::AndFirst)}, std::nullopt},
        {"right to left, 3-valued", false, {Person::With(R::RightToLeft)}, std::nullopt},
        {"slips at the step alone, half the time, 2-valued", true, {Person{}}, Repeats{50, false}},
        {"slips at the step alone, half the time, 3-valued", false, {Person{}}, Repeats{50, false}},
        {"slips at the step and in groups, 80 %, 2-valued", true, {Person{}}, Repeats{80, true}},
        {"slips at the step and in groups, 80 %, 3-valued", false, {Person{}}, Repeats{80, true}},
    };
    Tally all;
    int rulePersons = 0, rulePredicts = 0, slipRuns = 0, slipClaims = 0, slipNamed = 0;
    std::array<int, 2> kindRuns{}, kindNamed{}; // slips by kind: at the step alone, also in groups
    for (const Family &f : families) {
        Tally t;
        const std::optional<Repeats> slipper = f.slips;
        for (int k = 0; k < runs * static_cast<int>(f.persons.size()); ++k)
            PlayRun(f.persons[static_cast<std::size_t>(k) % f.persons.size()], slipper, f.binary,
                1 + static_cast<std::uint64_t>(k), t);
        std::printf("%s: %d runs; DiagnoseRun mean %.2f ms, worst %.2f ms; answer() and next() worst %.3f ms\n", f.name,
            t.runs, t.diagnoseMs / std::max(t.runs, 1), t.worstMs, t.worstNextMs);
        std::ranges::sort(t.asked);
        std::printf("  held >= 0.9 and not predicting: before %d of %d held, after %d of %d held; questions median %d\n",
            t.heldWrongBefore, t.heldBefore, t.heldWrongAfter, t.heldAfter,
            t.asked.empty() ? 0 : t.asked[t.asked.size() / 2]);
        if (slipper)
            std::printf("  first cause a misreading: %d (%.0f %%); finder names the slipped step: %d (%.0f %%)\n",
                t.claimsMisreading, Pct(t.claimsMisreading, t.runs), t.namedStep, Pct(t.namedStep, t.runs));
        else
            std::printf("  first cause after the finder predicts the person: %d (%.0f %%)\n", t.predicts,
                Pct(t.predicts, t.runs));
        (slipper ? slipRuns : rulePersons) += t.runs;
        rulePredicts += t.predicts, slipClaims += t.claimsMisreading, slipNamed += t.namedStep;
        if (slipper)
            kindRuns[slipper->inGroups] += t.runs, kindNamed[slipper->inGroups] += t.namedStep;
        for (std::size_t few = 0; few < 2; ++few)
            all.fewRuns[few] += t.fewRuns[few], all.fewNamed[few] += t.fewNamed[few];
        all.namedWrong += t.namedWrong;
        all.runs += t.runs, all.heldBefore += t.heldBefore, all.heldWrongBefore += t.heldWrongBefore;
        all.heldAfter += t.heldAfter, all.heldWrongAfter += t.heldWrongAfter;
        all.shortAsks += t.shortAsks, all.repeats += t.repeats;
        all.asked.insert(all.asked.end(), t.asked.begin(), t.asked.end());
        all.worstMs = std::max(all.worstMs, t.worstMs), all.worstNextMs = std::max(all.worstNextMs, t.worstNextMs);
    }
    std::ranges::sort(all.asked);
    int questions = 0;
    for (const int n : all.asked)
        questions += n;
    std::printf("\nALL: %d runs\n", all.runs);
    std::printf("  runs with a cause held >= 0.9 that does not predict fresh answers: before the finder %d (%.1f %%), "
                "after %d (%.1f %%)\n",
        all.heldWrongBefore, Pct(all.heldWrongBefore, all.runs), all.heldWrongAfter, Pct(all.heldWrongAfter, all.runs));
    std::printf("  rule persons whose first cause after the finder predicts them: %d of %d (%.1f %%)\n", rulePredicts,
        rulePersons, Pct(rulePredicts, rulePersons));
    std::printf("  slips: first cause a misreading %.1f %%, finder names the slipped step %.1f %% (%d runs)\n",
        Pct(slipClaims, slipRuns), Pct(slipNamed, slipRuns), slipRuns);
    std::printf("  slipped step named: at the step alone, half the time %.1f %% (%d runs); at the step and in groups, "
                "80 %% %.1f %% (%d runs)\n",
        Pct(kindNamed[0], kindRuns[0]), kindRuns[0], Pct(kindNamed[1], kindRuns[1]), kindRuns[1]);
    std::printf("  a step named that is not the slipped one: %d of %d slip runs\n", all.namedWrong, slipRuns);
    std::printf("  slipped step named where at most 9 steps could have slipped %.1f %% (%d runs), more %.1f %% (%d runs)\n",
        Pct(all.fewNamed[1], all.fewRuns[1]), all.fewRuns[1], Pct(all.fewNamed[0], all.fewRuns[0]), all.fewRuns[0]);
    std::printf("  questions asked: median %d, max %d, %d in all, %.1f %% with at most 4 operators, %d repeated\n",
        all.asked.empty() ? 0 : all.asked[all.asked.size() / 2], all.asked.empty() ? 0 : all.asked.back(), questions,
        Pct(all.shortAsks, questions), all.repeats);
    std::printf("  DiagnoseRun worst %.2f ms; answer() and next() worst %.3f ms\n", all.worstMs, all.worstNextMs);
}
