#pragma once

// How long each question of a run was on show, kept compactly, and the clock
// the times are read from.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nlt {

// A monotonic clock in milliseconds; tests inject one they move by hand.
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    // Milliseconds since an arbitrary fixed point; never goes back.
    virtual std::int64_t NowMs() = 0;
};

// The steady clock of the standard library: it runs on while the program's
// windows are minimised or covered, and ignores changes of the wall clock.
class SteadyClock final : public MonotonicClock {
public:
    // Milliseconds of std::chrono::steady_clock.
    std::int64_t NowMs() override;
};

// The time of every question judged in one run, in the order they were shown:
// its level and how long its answer buttons were enabled before the answer,
// packed into 4 bytes (5 bits of level, 27 of milliseconds), so 100,000
// questions take under 1 MB.
class RunTimes {
public:
    // The longest time kept, about 37 hours; longer times are kept as this.
    static constexpr std::int64_t kMaxMs = (std::int64_t{1} << 27) - 1;
    // The highest level kept; higher levels are kept as this.
    static constexpr int kMaxLevel = 31;

    // Adds the next question: the level it showed and its time (clamped to 0..kMaxMs).
    void Add(int level, std::int64_t ms);
    // Number of questions timed.
    std::size_t Count() const { return packed_.size(); }
    // The level question i (from 0) showed.
    int Level(std::size_t i) const { return static_cast<int>(packed_[i] >> 27); }
    // The time of question i (from 0) in milliseconds.
    std::int64_t Ms(std::size_t i) const { return packed_[i] & kMaxMs; }
    // The time of the last question; 0 when there is none.
    std::int64_t LastMs() const { return packed_.empty() ? 0 : Ms(packed_.size() - 1); }
    // The sum of all the times.
    std::int64_t TotalMs() const { return total_; }
    // Bytes of memory the times take, the unused reserve included.
    std::size_t Bytes() const { return sizeof(*this) + packed_.capacity() * sizeof(std::uint32_t); }

private:
    std::vector<std::uint32_t> packed_;
    std::int64_t total_ = 0;
};

} // namespace nlt
