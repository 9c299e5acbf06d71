// Measures the diagnosis with simulated persons playing whole generated runs:
// one per misreading family, and one who makes one-off slips. Prints, per
// family, how often the top cause (before and after the mistake finder)
// predicts the person's answers on fresh questions where the misreading
// matters; for slips, how often the top cause claims a misreading, how many
// parts the finder asks and how often it names the slipped step; and timings.
// Not part of the test suite: run by hand, optionally with a number of runs.

#include "engine/diagnosis.h"
#include "engine/finder.h"
#include "engine/runrecord.h"
#include "engine/generator.h"
#include "tests/reference/simulated_person.h"
#include "tests/reference/literal_evaluator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
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

// Totals of one family.
struct Tally {
    int runs = 0, predicted = 0, matters = 0, finderPredicted = 0, claimsMisreading = 0, named = 0, namedRight = 0,
        oneOff = 0, asked = 0;
    double diagnoseMs = 0, worstMs = 0, nextMs = 0, worstNextMs = 0;
};

// Plays the finder with a person; a slipper repeats the slip with a chance of 0.5.
nlt::MistakeFinder PlayFinder(const std::vector<AnsweredQuestion> &run, const Person &person, std::mt19937_64 &rng, Tally &t)
{
    nlt::MistakeFinder finder(run);
    const std::string &q = run.back().text;
    for (;;) {
        const auto start = Clock::now();
        const auto part = finder.next();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        t.nextMs += ms, t.worstNextMs = std::max(t.worstNextMs, ms);
        if (!part)
            break;
        const auto [text, range] = *part;
        const bool covers = person.slipAt >= range.begin && person.slipAt < range.begin + range.length
                         && (text.front() == '(' || range.begin + range.length == person.slipEnd);
        Person now = person;
        if (!covers || rng() % 2 == 0)
            now.slipAt = std::string::npos; // not repeated
        const std::size_t offset = text.front() == '(' ? range.begin : now.slipAt - 2;
        finder.answer(now.Work(text, now.slipAt == std::string::npos ? range.begin : offset));
        ++t.asked;
    }
    (void)q;
    return finder;
}

// One run of a person; false when the person never answers wrong within the cap.
bool PlayRun(Person person, bool slipper, bool binary, std::uint64_t seed, Tally &t)
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
    const nlt::MistakeFinder finder = PlayFinder(run, person, rng, t);
    const nlt::Cause top = causes.at(0), after = finder.causes().at(0);
    if (slipper) {
        t.claimsMisreading += nlt::IsMisreading(top.kind);
        t.oneOff += finder.slipWasOneOff();
        if (const auto named = finder.named()) {
            ++t.named;
            t.namedRight += !nlt::IsMisreading(named->kind)
                         && named->places.front().begin + named->places.front().length == person.slipEnd;
        }
        return true;
    }
    // Fresh questions of the same levels, where the misreading changes the answer.
    Questions fresh(seed + 1000, binary);
    for (std::size_t n = 0; n < run.size() + 10; ++n) {
        const std::string text = fresh.Next();
        if (const char v = person.Work(text); v != Right(text)) {
            ++t.matters;
            t.predicted += nlt::AnswerUnder(top, text, binary) == v;
            t.finderPredicted += nlt::AnswerUnder(after, text, binary) == v;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    using R = Person::Rule;
    struct Family {
        const char *name;
        bool binary;
        std::vector<Person> persons;
    };
    const std::vector<Family> families{
        {"word, two-valued (Nand as And, Xor as Xand, Nor as And)", true,
            {Person::With(R::Word, "Nand", "And"), Person::With(R::Word, "Xor", "Xand"),
                Person::With(R::Word, "Nor", "And")}},
        {"word, three-valued (Nmaybe as Maybe, Xfor as For, Against as With)", false,
            {Person::With(R::Word, "Nmaybe", "Maybe"), Person::With(R::Word, "Xfor", "For"),
                Person::With(R::Word, "Against", "With")}},
        {"cell, two-valued (1 Xor 2 as 2, 2 Nor 2 as 2)", true,
            {Person::With(R::Cell, "1 Xor 2", "", '2'), Person::With(R::Cell, "2 Nor 2", "", '2')}},
        {"cell, three-valued (0 For 1 as 0, 1 Xwith 2 as 2)", false,
            {Person::With(R::Cell, "0 For 1", "", '0'), Person::With(R::Cell, "1 Xwith 2", "", '2')}},
        {"\"Not 0\" as 0", false, {Person::With(R::NotZeroAsZero)}},
        {"\"Not 0\" by the operator after it", false, {Person::With(R::NotZeroAfter)}},
        {"\"Not\" ignored, two-valued", true, {Person::With(R::NotIgnored)}},
        {"\"Not\" negates the rest, three-valued", false, {Person::With(R::NotRest)}},
        {"And-like words first, two-valued", true, {Person::With(R::AndFirst)}},
        {"right to left, three-valued", false, {Person::With(R::RightToLeft)}},
        {"one-off slips, two-valued", true, {Person{}}},
        {"one-off slips, three-valued", false, {Person{}}},
    };
    for (const Family &f : families) {
        Tally t;
        const bool slipper = f.persons.front().rule == R::None;
        for (int k = 0; k < runs; ++k)
            PlayRun(f.persons[static_cast<std::size_t>(k) % f.persons.size()], slipper, f.binary,
                1 + static_cast<std::uint64_t>(k), t);
        std::printf("%s: %d runs; DiagnoseRun mean %.2f ms, worst %.2f ms; next() worst %.3f ms\n", f.name, t.runs,
            t.diagnoseMs / std::max(t.runs, 1), t.worstMs, t.worstNextMs);
        if (slipper)
            std::printf("  top cause a misreading: %d of %d; finder: %.1f parts asked per run, named a cause in %d "
                        "(the slipped step: %d), said one-off in %d\n",
                t.claimsMisreading, t.runs, static_cast<double>(t.asked) / std::max(t.runs, 1), t.named, t.namedRight,
                t.oneOff);
        else
            std::printf("  top cause predicts the person on %d of %d fresh answers where it matters (%.0f %%); after "
                        "the finder (%.1f parts per run): %d (%.0f %%)\n",
                t.predicted, t.matters, 100.0 * t.predicted / std::max(t.matters, 1),
                static_cast<double>(t.asked) / std::max(t.runs, 1), t.finderPredicted,
                100.0 * t.finderPredicted / std::max(t.matters, 1));
    }
}
