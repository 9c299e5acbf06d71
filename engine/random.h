#pragma once

#include <cstdint>
#include <random>

namespace nlt {

// The one uniform source the question generators draw from; tests inject a
// deterministic one so a run can be replayed exactly.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Starts a new sequence; called at the start of every question.
    virtual void Reseed() = 0;
    // Returns a fresh uniform number u with 0 <= u < 1.
    virtual double Next() = 0;
};

// Turns 64 random bits into a uniform u in [0, 1) from their top 53 bits, so
// that u never rounds up to 1.
double UnitFromBits(std::uint64_t bits);

// Reseeds from a high-resolution clock mixed with a nondeterministic source,
// so two questions built in the same instant never repeat.
class ClockRandomSource final : public RandomSource {
public:
    // Starts seeded, so Next() is usable before the first Reseed().
    ClockRandomSource();
    // Seeds from the clock, two device words and the count of reseeds.
    void Reseed() override;
    // The next u from the 64-bit Mersenne twister.
    double Next() override;

private:
    // The generator that every u comes from.
    std::mt19937_64 engine_;
    // Nondeterministic words mixed into every seed.
    std::random_device device_;
    // Number of reseeds so far; keeps seeds apart within one clock tick.
    std::uint64_t reseeds_ = 0;
};

// A seeded, repeatable source: Reseed() restarts nothing, so consecutive
// questions continue one deterministic sequence.
class SeededRandomSource final : public RandomSource {
public:
    // Starts the sequence of this seed.
    explicit SeededRandomSource(std::uint64_t seed) : engine_(seed) {}
    // Keeps the sequence going.
    void Reseed() override {}
    // The next u of the seeded sequence.
    double Next() override;

private:
    // The generator that every u comes from.
    std::mt19937_64 engine_;
};

} // namespace nlt
