// Measures the drill on a misreading, per family over many drills (1,000 unless
// told): the share of expressions the misreading changes (by AnswerUnder), the
// fewest changed in one drill, the largest expression, repeats within a drill,
// and how a simulated person answers: with the misreading, the most right in
// one drill; without it, the fewest right. Also the mean and slowest drill.
// Not part of the test suite: run by hand.

#include "engine/diagnosis.h"
#include "engine/practice.h"
#include "tests/reference/practice_families.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>

int main(int argc, char **argv)
{
    const int drills = argc > 1 ? std::atoi(argv[1]) : 1000;
    using Clock = std::chrono::steady_clock;
    std::printf("%-42s %7s %6s %4s %5s %7s %9s %9s %8s %8s\n", "family", "changed", "fewest", "ops", "depth", "repeats",
        "mostRight", "fewestRt", "mean ms", "worst ms");
    nlt::SeededRandomSource random(2026);
    for (const nlt::test::PracticeFamily &f : nlt::test::PracticeFamilies()) {
        int changed = 0, fewest = 10, ops = 0, depth = 0, repeats = 0, mostRight = 0, fewestRight = 10;
        double slowest = 0, total = 0;
        for (int d = 0; d < drills; ++d) {
            const auto start = Clock::now();
            const std::vector<nlt::PracticeItem> drill = nlt::DrawDrill(f.cause, f.binary, random);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            slowest = std::max(slowest, ms);
            total += ms;
            std::set<std::string> texts;
            int here = 0, personRight = 0, plainRight = 0;
            for (const nlt::PracticeItem &item : drill) {
                here += nlt::AnswerUnder(f.cause, item.text, f.binary) != item.right;
                ops = std::max(ops, item.operators);
                depth = std::max(depth, item.depth);
                repeats += !texts.insert(item.text).second;
                personRight += f.person.Work(item.text) == item.right;
                plainRight += nlt::test::Person{}.Work(item.text) == item.right;
            }
            changed += here;
            fewest = std::min(fewest, here);
            mostRight = std::max(mostRight, personRight);
            fewestRight = std::min(fewestRight, plainRight);
        }
        std::printf("%-42s %6.1f%% %6d %4d %5d %7d %9d %9d %8.3f %8.3f\n", f.name.c_str(), 100.0 * changed / (10.0 * drills),
            fewest, ops, depth, repeats, mostRight, fewestRight, total / drills, slowest);
    }
}
