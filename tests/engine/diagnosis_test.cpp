// The diagnosis: hand-worked runs with the cause that must come first and
// words that must never appear; every misreading against a simulated person
// written apart from the engine; properties of the causes of generated runs;
// the mistake finder played by simulated persons; the weight words, the run
// record's dropping rule and its times.

#include "engine/diagnosis.h"
#include "engine/finder.h"
#include "engine/runrecord.h"
#include "engine/generator.h"
#include "engine/readings.h"
#include "engine/wording.h"
#include "tests/reference/simulated_person.h"
#include "tests/reference/literal_evaluator.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <numeric>
#include <random>
#include <regex>
#include <tuple>

namespace nlt::test {

// True when a sentence is plain (in wording_test.cpp).
bool Plain(std::string_view sentence);

namespace {

using Answers = std::vector<AnsweredQuestion>;

// A run, the sentence of the cause that must come first, texts some cause's
// sentence must hold, and a text no cause's sentence may hold (empty: not checked).
using Worked = std::tuple<Answers, std::string, std::vector<std::string>, std::string>;

const std::vector<Worked> kWorked{
    // "1 Nand 1 Or 2" is 2; read as And, 1 And 1 Or 2 is 1. Nand looks most like And.
    {{{"1 Or 2", '1', true}, {"2 And 2", '2', true}, {"1 Nand 1 Or 2", '1', true}}, "",
        {"You read \"Nand\" as \"And\". It acts first at the Nand of the question: 1 Nand 1."}, "0"},
    // Right to left "1 Or 2 And 2" is 1 Or (2 And 2) = 1, as And first would be; but And first
    // makes the first question 1 Or (1 And 2) Xor 1 = 2, and it was answered 1.
    {{{"1 Or 1 And 2 Xor 1", '1', true}, {"1 Or 2 And 2", '1', true}}, "",
        {"You worked a chain from right to left; it goes from left to right."}, "school algebra"},
    // Nand as And fits the last answer alone, but makes (1 Nand 2) And 1 give 2.
    {{{"(1 Nand 2) And 1", '1', true}, {"2 Or 2", '2', true}, {"1 Nand 1 Or 2", '1', true}}, "",
        {"A one-off slip at the Nand of the question: 1 Nand 1. It gives 2; you took it as 1."}, "\"Nand\" as \"And\""},
    // The first two Nands give 0 read as And too; the third, (1 Nor 0 For 1) Nand 1, is 2 Nand 1 = 1, and
    // 2 And 1 = 2, so the chain 0 Or 0 For ... gives 2 where it is 1.
    {{{"(0 Nand 1) Or (1 Nand 0) For ((1 Nor 0 For 1) Nand 1)", '2', false}}, "",
        {"You read \"Nand\" as \"And\". It acts first at the third Nand of the question: (1 Nor 0 For 1) Nand 1, "
         "which is 2 Nand 1."},
        "  "},
    // "Not 0" after For is 2, so Not 1 Or 1 For Not 0 is 1 For 2 = 2; taken as 0 it gives 1 For 0 = 1.
    // Passing over "Not" would give the same, but makes Not 2 Or 2 give 2.
    {{{"Not 2 Or 2", '1', false}, {"Not 1 Or 1 For Not 0", '1', false}},
        "You took \"Not 0\" as 0; it takes its value from the operator beside it. It acts first at "
        "the second \"Not\" of the question: Not 0.",
        {}, "passed over"},
    // Not 1 Maybe 1 is 2 Maybe 1 = 2; only a cell of Maybe gives 0, never "Not 1" taken as 0.
    {{{"Not 1 Maybe 1", '0', false}}, "", {"You took 1 Maybe 2 (and 2 Maybe 1) as 0; it is 2."}, "\"Not\" of"},
    // 2 Or 1 answered right rules out the cell in both orders, not the one in the written order.
    {{{"2 Or 1", '1', true}, {"1 Or 2", '2', true}}, "",
        {"You took 1 Or 2 as 2; it is 1. You work it right the other way round, 2 Or 1."}, "You took 1 Or 2 (and"},
    // Xfor read as For or as Xagainst: both give 2 Xfor 2 = 2, and differ on 1 Xfor 1.
    {{{"2 Xfor 2", '2', false}}, "", {"\"Xfor\" as \"For\"", "\"Xfor\" as \"Xagainst\""}, ""},
    // And read as Against acts only through "Not 0": after Against it is 1, and 0 Against 1 is 1.
    {{{"0 And Not 0", '1', false}}, "", {"\"And\" as \"Against\""}, ""},
    // ... but 1 Against 2 Against 0 is 1, and 1 And 2 And 0 was answered 2.
    {{{"1 And 2 And 0", '2', false}, {"0 And Not 0", '1', false}}, "", {}, "\"And\" as \"Against\""},
    // Xand read as And is 2 Xand 2 taken as 2 in every text: one cause, not two.
    {{{"2 Xand 2", '2', true}}, "", {"\"Xand\" as \"And\""}, "You took 2 Xand 2"},
};

TEST(Diagnosis, HandWorkedRuns)
{
    for (const auto &[run, first, must, never] : kWorked) {
        SCOPED_TRACE(run.back().text);
        const std::vector<Cause> causes = DiagnoseRun(run);
        ASSERT_FALSE(causes.empty());
        EXPECT_TRUE(first.empty() || DescribeCause(causes[0]) == first) << DescribeCause(causes[0]);
        std::string all;
        for (const Cause &c : causes)
            all += DescribeCause(c) + '\n';
        for (const std::string &text : must)
            EXPECT_NE(all.find(text), std::string::npos) << text;
        EXPECT_TRUE(never.empty() || all.find(never) == std::string::npos) << all;
    }
    // Xand read as And (a look-alike, 6 units) reads every text as 2 Xand 2 taken as 2 (a
    // cell) does: one cause weighing as both, so more than twice Xand read as Xor (3 units).
    const std::vector<Cause> xand = DiagnoseRun(Answers{{"2 Xand 2", '2', true}});
    const auto weight = [&](std::string_view text) {
        return std::ranges::find_if(xand, [&](const Cause &c) { return DescribeCause(c).starts_with(text); })->probability;
    };
    EXPECT_GT(weight("You read \"Xand\" as \"And\""), 2 * weight("You read \"Xand\" as \"Xor\""));
    // No diagnosis of a right answer or of a text that is no expression.
    EXPECT_TRUE(DiagnoseRun(Answers{{"1 Or 2", '1', true}}).empty());
    EXPECT_TRUE(DiagnoseRun(Answers{{"1 Or", '1', true}}).empty());
}

// A simulated person who misreads as cause does, by hand-written rules.
Person PersonFor(const Cause &c)
{
    using R = Person::Rule;
    using K = CauseKind;
    static const std::map<K, R> kRules{{K::NotZeroAsZero, R::NotZeroAsZero}, {K::NotZeroWrongNeighbour, R::NotZeroAfter},
        {K::NotIgnored, R::NotIgnored}, {K::NotNegatesRest, R::NotRest}, {K::AndFirst, R::AndFirst},
        {K::RightToLeft, R::RightToLeft}};
    const std::string word(OperatorWord(c.word));
    const std::string cell = std::string(1, c.left) + ' ' + word + ' ' + c.right;
    return c.kind == K::WordAsWord        ? Person::With(R::Word, word, std::string(OperatorWord(c.readAs)))
         : c.kind == K::TableCell         ? Person::With(R::Cell, cell, "", c.used)
         : c.kind == K::TableCellOneOrder ? Person::With(R::CellOneOrder, cell, "", c.used)
                                          : Person::With(kRules.at(c.kind));
}

// A generated run of count questions of one test.
std::vector<std::string> Questions(std::uint64_t seed, bool binary, int count)
{
    TestCounters counters{.TermCount = 1};
    SeededRandomSource random(seed);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(JoinParts((binary ? BuildBinaryParts : BuildTertiaryParts)(counters, random)));
    return texts;
}

// Every misreading of both tests reads generated questions (with "Not" from
// level 13 on) as the simulated person with the same misreading does.
TEST(Diagnosis, MisreadingsReadAsTheSimulatedPerson)
{
    for (const bool binary : {true, false}) {
        std::vector<std::string> texts = Questions(binary ? 7 : 8, binary, 24);
        texts.erase(texts.begin(), texts.begin() + 10);
        // Short texts where "Not 0" starts a chain or stands between two words.
        for (const char *t : {"Not 0 For 0", "1 And Not 0 For 1", "2 Xor Not 0 Against 1", "Not 1 Or 2 And 2"})
            if (!binary)
                texts.emplace_back(t);
        for (const Cause &c : detail::AllMisreadings(binary)) {
            const Person person = PersonFor(c);
            for (const std::string &t : texts)
                ASSERT_EQ(AnswerUnder(c, t, binary), person.Work(t)) << DescribeCause(c) << '\n' << t;
        }
    }
}

// Plays the finder to its end with answer(text) as the person's answers; then
// checks that a misreading held at 0.9 was tested by a question (it answers it
// otherwise than the language) and told apart from every other misreading, and
// that nothing was asked once a cause held. Returns the first cause at the end.
template <class Answer> Cause PlayFinder(MistakeFinder &finder, bool binary, Answer answer)
{
    std::vector<std::string> asked;
    while (const auto part = finder.next()) {
        asked.push_back(part->text);
        finder.answer(answer(part->text));
        EXPECT_TRUE(!finder.named() || !finder.next()) << "asked on after a cause held";
    }
    const std::vector<Cause> causes = finder.causes();
    const auto apart = [&](const Cause &c, auto other) {
        return std::ranges::any_of(asked, [&](const std::string &t) { return AnswerUnder(c, t, binary) != other(t); });
    };
    for (const Cause &c : causes)
        if (c.probability >= 0.9 && IsMisreading(c.kind)) {
            EXPECT_TRUE(apart(c, [](const std::string &t) { return reference::LiteralEvaluate(t).value()[0]; }));
            for (const Cause &d : causes)
                EXPECT_TRUE(&d == &c || !IsMisreading(d.kind)
                            || apart(c, [&](const std::string &t) { return AnswerUnder(d, t, binary); }))
                    << DescribeCause(c) << " | " << DescribeCause(d);
        }
    return causes.at(0);
}

// Runs of generated questions answered right up to a wrong last answer: every
// cause gives that answer and the right ones before, probabilities fall and
// sum to at most 1, none holds 0.9 beside another, the two-valued test never
// meets "0", "Not 1" and "Not 2" are never taken as 0, and the last step stands
// only alone. The finder, answered as one of the causes would, holds no cause
// it has not told apart.
TEST(Diagnosis, CausesOfGeneratedRunsFitTheRun)
{
    std::mt19937_64 rng(11);
    for (int r = 0; r < 60; ++r) {
        const bool binary = r % 2 == 0;
        const std::vector<std::string> texts = Questions(100 + static_cast<std::uint64_t>(r), binary, 4 + r % 20);
        Answers run;
        for (const std::string &t : texts)
            run.push_back({t, reference::LiteralEvaluate(t).value()[0], binary});
        const char right = run.back().given;
        run.back().given = binary ? (right == '1' ? '2' : '1') : "012"[(right - '0' + 1 + rng() % 2) % 3];
        const std::vector<Cause> causes = DiagnoseRun(run);
        SCOPED_TRACE(run.back().text + " answered " + run.back().given);
        ASSERT_FALSE(causes.empty());
        double sum = 0;
        for (const Cause &c : causes) {
            SCOPED_TRACE(DescribeCause(c));
            sum += c.probability;
            EXPECT_EQ(AnswerUnder(c, run.back().text, binary), run.back().given);
            for (std::size_t q = 0; q + 1 < run.size(); ++q)
                EXPECT_EQ(AnswerUnder(c, run[q].text, binary), run[q].given);
            EXPECT_FALSE(binary && std::regex_search(DescribeCause(c), std::regex("\\b0\\b")));
            EXPECT_TRUE(Plain(DescribeCause(c)));
            EXPECT_FALSE(c.kind == CauseKind::Slip && c.step == StepKind::Negate && c.used == '0');
            EXPECT_TRUE(c.kind != CauseKind::LastStep || causes.size() == 1);
            EXPECT_FALSE(c.places.empty() && c.kind != CauseKind::AndFirst && c.kind != CauseKind::RightToLeft);
            EXPECT_TRUE(c.probability < 0.9 || causes.size() == 1);
        }
        EXPECT_LE(sum, 1.0 + 1e-9);
        EXPECT_TRUE(std::ranges::is_sorted(causes, std::greater<>(), &Cause::probability));
        MistakeFinder finder(run.back(), causes, ExplainExpression(run.back().text));
        const Cause &person = causes[static_cast<std::size_t>(r) % causes.size()];
        PlayFinder(finder, binary, [&](const std::string &t) { return AnswerUnder(person, t, binary); });
    }
}

// A person of each misreading family plays generated runs until a wrong
// answer, then answers the finder's questions; the cause the finder ends on
// answers as the person does on at least 90 % of fresh questions where the
// misreading matters, and on half of them for every family (a run that leaves
// scores of readings standing may end undecided after eight questions).
TEST(Diagnosis, FinderEndsOnTheSimulatedMisreading)
{
    using R = Person::Rule;
    const std::vector<std::pair<bool, Person>> rows{
        {true, Person::With(R::Word, "Nand", "And")},
        {false, Person::With(R::Word, "Xfor", "Xagainst")},
        {true, Person::With(R::Cell, "2 Nor 2", "", '2')},
        {false, Person::With(R::Cell, "1 Xor 2", "", '2')},
        {true, Person::With(R::CellOneOrder, "1 Or 2", "", '2')},
        {false, Person::With(R::CellOneOrder, "2 Maybe 1", "", '1')},
        {false, Person::With(R::NotZeroAsZero)},
        {false, Person::With(R::NotZeroAfter)},
        {true, Person::With(R::NotIgnored)},
        {false, Person::With(R::NotRest)},
        {true, Person::With(R::AndFirst)},
        {false, Person::With(R::RightToLeft)},
    };
    int allMatters = 0, allAgree = 0;
    for (const auto &[binary, person] : rows) {
        int matters = 0, agree = 0; // over the runs of this person
        for (std::uint64_t seed = 1; seed <= 6; ++seed) {
            const std::vector<std::string> texts = Questions(seed * 31, binary, 60);
            Answers run;
            for (const std::string &t : texts) {
                run.push_back({t, person.Work(t), binary});
                if (run.back().given != reference::LiteralEvaluate(t).value()[0])
                    break;
            }
            SCOPED_TRACE(run.back().text);
            MistakeFinder finder(run);
            if (finder.causes().empty())
                continue; // no wrong answer within the run
            const Cause top = PlayFinder(finder, binary, [&](const std::string &t) { return person.Work(t); });
            for (const std::string &t : Questions(seed * 77, binary, 40))
                if (const char v = person.Work(t); v != reference::LiteralEvaluate(t).value()[0])
                    ++matters, agree += AnswerUnder(top, t, binary) == v;
        }
        allMatters += matters, allAgree += agree;
        EXPECT_GE(agree * 2, matters) << static_cast<int>(person.rule) << person.word << person.cell << ' ' << agree << '/'
                                      << matters;
    }
    EXPECT_GE(allAgree * 10, allMatters * 9) << allAgree << '/' << allMatters;
}

// A person who slipped once answers a question that holds the slipped step as
// the slip gives it (or, never repeating it, right) and every other question
// right; the finder ends on a one-off slip that names that step, or none.
TEST(Diagnosis, FinderLocalisesAOneOffSlip)
{
    struct Row {
        std::string question;
        char given;
        TextRange slipped; // the step the person slipped at
        char repeated;     // the step's value when it is asked again; '\0': worked right then
        bool named;        // the finder names that step
    };
    // (2 Or 2) Or (1 And 2) is 2 Or 2 = 2; 1 And 2 taken as 1 gives 2 Or 1 = 1, as would the first
    // 2 Or 2 or the last step taken as 1. Asked "1 And 2" there, the person gives 1 again.
    const std::vector<Row> rows{
        {"(2 Or 2) Or (1 And 2)", '1', {13, 7}, '1', true},
        {"(2 Or 2) Or (1 And 2)", '1', {13, 7}, '\0', false},
        // (1 And 2 And 2) Or (2 Or 1 And 2) is 2 Or 2 = 2; the last And, 1 And 2, taken as 1 gives
        // 2 Or 1 = 1; the first And, 1 And 2 as well, taken as 1 gives 1 And 2 = 2 again: no cause.
        {"(1 And 2 And 2) Or (2 Or 1 And 2)", '1', {27, 5}, '1', true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.question + (row.repeated ? " repeated" : " not repeated"));
        MistakeFinder finder(Answers{{row.question, row.given, true}});
        while (const auto ask = finder.next()) {
            const bool holds = ask->range && ask->range->begin <= row.slipped.begin
                            && row.slipped.begin + row.slipped.length <= ask->range->begin + ask->range->length;
            finder.answer(holds && row.repeated ? row.repeated : reference::LiteralEvaluate(ask->text).value()[0]);
        }
        const Ending ending = finder.ending();
        EXPECT_EQ(ending.kind, EndingKind::OneOff);
        EXPECT_EQ(ending.cause.has_value(), row.named);
        if (ending.cause && row.named) {
            EXPECT_EQ(ending.cause->places.front().begin, row.slipped.begin);
            EXPECT_EQ(ending.cause->places.front().length, row.slipped.length);
        }
    }
}

TEST(Diagnosis, WeightInWords)
{
    const std::vector<std::pair<std::vector<double>, std::vector<std::string_view>>> rows{
        {{1.0}, {"most likely"}},
        {{0.7, 0.2, 0.1}, {"possibly", "possibly", "possibly"}}, // "most likely" only once it holds 0.9
        {{0.95, 0.05}, {"most likely", "possibly"}},
        {{0.45, 0.4, 0.15}, {"can't tell these apart", "can't tell these apart", "possibly"}},
        {{0.5, 0.3, 0.2}, {"possibly", "possibly", "possibly"}},
        {{0.89, 0.1, 0.01}, {"possibly", "possibly", "possibly"}},
        {{0.3, 0.3, 0.3, 0.1}, {"can't tell these apart", "can't tell these apart", "can't tell these apart", "possibly"}},
    };
    for (const auto &[weights, words] : rows) {
        std::vector<Cause> causes(weights.size());
        for (std::size_t k = 0; k < weights.size(); ++k)
            causes[k].probability = weights[k];
        for (std::size_t k = 0; k < weights.size(); ++k)
            EXPECT_EQ(WeightInWords(causes, k), words[k]) << k;
    }
}

// Text sizes added under a cap of 100, and the sizes held after each addition.
TEST(RunRecord, DropsTheOldestLongQuestionsFirst)
{
    const std::vector<std::pair<std::vector<std::size_t>, std::vector<std::size_t>>> rows{
        {{10, 20, 60}, {10, 20, 60}},
        {{10, 20, 60, 60, 60}, {10, 20, 60}},
        {{10, 20, 60, 60, 60, 30}, {10, 20, 30}},
        {{150}, {150}}, // the last question always stays
        {{40, 50, 150}, {150}},
    };
    for (const auto &[added, held] : rows) {
        RunRecord record(100);
        for (std::size_t k = 0; k < added.size(); ++k) {
            record.Add({std::string(added[k], static_cast<char>('a' + k)), '1', true});
            record.Times().Add(1, 10);
        }
        std::vector<std::size_t> sizes;
        for (const AnsweredQuestion &q : record.Questions())
            sizes.push_back(q.text.size());
        EXPECT_EQ(sizes, held);
        EXPECT_EQ(record.Questions().back().text.front(), static_cast<char>('a' + added.size() - 1));
        EXPECT_EQ(record.TextSize(), std::accumulate(held.begin(), held.end(), std::size_t{0}));
        // Dropping a question's text never drops its time.
        EXPECT_EQ(record.Times().TotalMs(), 10 * std::int64_t(added.size()));
    }
}

// Times as added (level, ms) and as read back: 5 bits of level and 27 of
// milliseconds (about 37 hours); what lies outside is clamped.
TEST(RunTimes, KeepsEachTimeInFourBytes)
{
    const std::tuple<int, std::int64_t, int, std::int64_t> rows[] = {
        {0, 0, 0, 0},
        {19, 4200, 19, 4200},
        {31, 134'217'727, 31, 134'217'727},
        {40, 200'000'000, 31, 134'217'727},
        {-1, -5, 0, 0},
    };
    RunTimes times;
    for (const auto &[level, ms, levelRead, msRead] : rows) {
        times.Add(level, ms);
        EXPECT_EQ(std::pair(times.Level(times.Count() - 1), times.LastMs()), std::pair(levelRead, msRead)) << level;
    }
    EXPECT_EQ(times.TotalMs(), 4200 + 2 * 134'217'727);
    // A run of 100,000 questions keeps its times in at most 1 MB.
    RunTimes longRun;
    for (int q = 0; q < 100'000; ++q)
        longRun.Add(19, 30'000);
    std::cout << "100000 question times: " << longRun.Bytes() << " bytes\n";
    EXPECT_LE(longRun.Bytes(), std::size_t{1} << 20);
}

} // namespace
} // namespace nlt::test
