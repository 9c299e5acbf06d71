// Drawing practice expressions: one expression of each size, changed by the
// misreading or a near miss, for one cause of every family, and a whole drill.

#include "engine/practice.h"
#include "tests/reference/practice_families.h"

#include <benchmark/benchmark.h>

namespace {

// Arguments: the family's index, the operators, and whether the misreading changes the value.
void BM_DrawPractice(benchmark::State &state)
{
    const nlt::test::PracticeFamily family = nlt::test::PracticeFamilies()[static_cast<std::size_t>(state.range(0))];
    nlt::SeededRandomSource random(7);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            nlt::DrawPractice(family.cause, family.binary, static_cast<int>(state.range(1)), state.range(2) == 1, random));
    state.SetLabel(family.name);
}

void BM_DrawDrill(benchmark::State &state)
{
    const nlt::test::PracticeFamily family = nlt::test::PracticeFamilies()[static_cast<std::size_t>(state.range(0))];
    nlt::SeededRandomSource random(8);
    for (auto _ : state)
        benchmark::DoNotOptimize(nlt::DrawDrill(family.cause, family.binary, random));
    state.SetLabel(family.name);
}

BENCHMARK(BM_DrawPractice)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 14, 1), {1, 4}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawDrill)->DenseRange(0, 14, 1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
