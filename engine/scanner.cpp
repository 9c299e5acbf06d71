#include "engine/scanner.h"

namespace nlt {

namespace {

// Slot of a word in the operator key table: its first and third characters
// (the blank after "Or") tell all eighteen words apart.
constexpr std::size_t OperatorKey(char first, char third)
{
    return static_cast<std::size_t>(first & 31) * 32 + static_cast<std::size_t>(third & 31);
}

// Marks a slot of the operator key table that holds no operator.
constexpr std::uint8_t kNoOperator = 0xFF;

// The operator (as its number) for each key; kNoOperator elsewhere.
constexpr std::array<std::uint8_t, 32 * 32> kOperatorKeys = [] {
    std::array<std::uint8_t, 32 * 32> keys{};
    keys.fill(kNoOperator);
    for (const Operator op : kAllOperators) {
        const std::string_view word = OperatorWord(op);
        keys[OperatorKey(word[0], word.size() > 2 ? word[2] : ' ')] = static_cast<std::uint8_t>(op);
    }
    return keys;
}();

} // namespace

std::optional<Operator> OperatorAt(std::string_view text, std::size_t i)
{
    if (i + 2 >= text.size())
        return std::nullopt;
    const std::uint8_t key = kOperatorKeys[OperatorKey(text[i], text[i + 2])];
    if (key == kNoOperator)
        return std::nullopt;
    const auto op = static_cast<Operator>(key);
    const std::string_view word = OperatorWord(op);
    const std::size_t end = i + word.size();
    if (end >= text.size() || text[end] != ' ' || text.substr(i, word.size()) != word)
        return std::nullopt;
    return op;
}

} // namespace nlt
