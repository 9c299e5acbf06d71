#include "engine/runrecord.h"

#include <algorithm>
#include <utility>

namespace nlt {

void RunRecord::Add(AnsweredQuestion question)
{
    size_ += question.text.size();
    questions_.push_back(std::move(question));
    // Questions at the difficulty cap are alike in length and make-up, so one more
    // of them tells little; the short early ones are cheap and, read first, rule
    // out most misreadings. So the oldest of the long ones (at least half as long
    // as the longest) goes first; the last question, the one to diagnose, stays.
    while (size_ > limit_ && questions_.size() > 1) {
        const auto older = std::span(questions_).first(questions_.size() - 1);
        std::size_t longest = 0;
        for (const AnsweredQuestion &q : older)
            longest = std::max(longest, q.text.size());
        const auto victim = std::ranges::find_if(older,
            [&](const AnsweredQuestion &q) { return 2 * q.text.size() >= longest; });
        size_ -= victim->text.size();
        questions_.erase(questions_.begin() + (victim - older.begin()));
        ++dropped_;
    }
}

} // namespace nlt
