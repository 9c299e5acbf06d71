#pragma once

// Well-formed three-valued texts shaped like generated questions, of any size:
// the text maker shared by the benchmarks.

#include "engine/language.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace nlt::bench {

// "(" + chain + ")".
inline std::string Group(const std::string &chain)
{
    std::string group;
    group.reserve(chain.size() + 2);
    group.append(1, '(').append(chain).append(1, ')');
    return group;
}

// Builds well-formed three-valued texts: top-level chains, the first and half
// of the others in parentheses, holding nested groups and "Not " prefixes.
class QuestionLikeText {
public:
    explicit QuestionLikeText(std::uint32_t seed) : rng_(seed) {}

    // A text of at least size characters.
    std::string Nested(std::size_t size)
    {
        std::string text = Group(Chain(3));
        while (text.size() < size) {
            text += Operator();
            const std::string chain = Chain(3);
            text += Below(2) ? Group(chain) : chain;
        }
        return text;
    }

    // A chain without groups of at least size characters.
    std::string Flat(std::size_t size)
    {
        std::string text = Operand(0);
        while (text.size() < size)
            text += Operator() + Operand(0);
        return text;
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::string Operator()
    {
        std::string_view text;
        while ((text = nlt::TertiaryOperatorForDraw(1 + Below(19))).empty()) {
        }
        return std::string(text);
    }

    // A value character, or at depth > 0 sometimes a group; "1" and "0" get a
    // "Not " prefix with chance 1/5, repeatedly.
    std::string Operand(int depth)
    {
        std::string operand = depth > 0 && Below(3) == 0 ? Group(Chain(depth - 1))
                                                         : std::string(1, static_cast<char>('0' + Below(3)));
        if (operand[0] != '2')
            while (Below(5) == 0)
                operand.insert(0, nlt::kNotPrefix);
        return operand;
    }

    std::string Chain(int depth)
    {
        std::string chain = Operand(depth);
        for (int n = 1 + Below(6); n > 0; --n)
            chain += Operator() + Operand(depth);
        return chain;
    }

    std::mt19937 rng_;
};

} // namespace nlt::bench
