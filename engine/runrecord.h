#pragma once

// The answered questions of one run, kept for the review of its last answer.

#include <cstddef>
#include <span>
#include <vector>

#include "engine/cause.h"
#include "engine/runtimes.h"

namespace nlt {

// A cap of about 8 MB on the question text a run record holds.
inline constexpr std::size_t kRunRecordTextLimit = std::size_t{8} << 20;

// The answered questions of one run, as they come, holding at most about
// textLimit bytes of question text; the last question added is always kept.
class RunRecord {
public:
    // An empty record holding at most textLimit bytes of question text.
    explicit RunRecord(std::size_t textLimit = kRunRecordTextLimit) : limit_(textLimit) {}
    // Adds a question; drops what tells least until the text fits the cap again.
    void Add(AnsweredQuestion question);
    // The questions held, in the order they were asked.
    std::span<const AnsweredQuestion> Questions() const { return questions_; }
    // Total bytes of question text held.
    std::size_t TextSize() const { return size_; }
    // Number of questions dropped so far.
    std::size_t Dropped() const { return dropped_; }
    // The time of every question judged in the run, none ever dropped.
    RunTimes &Times() { return times_; }
    // The same, to read.
    const RunTimes &Times() const { return times_; }

private:
    std::vector<AnsweredQuestion> questions_;
    std::size_t limit_;
    std::size_t size_ = 0;
    std::size_t dropped_ = 0;
    RunTimes times_;
};

} // namespace nlt
