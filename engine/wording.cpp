// The sentences of the causes, the places where they act, their weight and the
// mistake finder's questions and endings; the shortening of question pieces.

#include "engine/wording.h"

#include "engine/diagnosis.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

namespace nlt {

namespace {

// What stands for the dropped part of a shortened text.
constexpr std::string_view kEllipsis = "\u2026";
// A group whose text is dropped.
constexpr std::string_view kDroppedGroup = "(\u2026)";
// The longest operand a place quotes whole, in characters.
constexpr std::size_t kOperandLimit = 28;

// Characters as a person counts them: a UTF-8 sequence ("…") is one.
std::size_t Shown(std::string_view text)
{
    return static_cast<std::size_t>(std::ranges::count_if(text, [](char c) { return (c & 0xC0) != 0x80; }));
}

// The index of the ")" that closes the "(" at open; text.size() when none does.
std::size_t Closing(std::string_view text, std::size_t open)
{
    for (std::size_t at = open, depth = 0; at < text.size(); ++at) {
        depth += text[at] == '(';
        depth -= text[at] == ')';
        if (depth == 0)
            return at;
    }
    return text.size();
}

// The number of "Not " prefixes that start text.
std::size_t Prefixes(std::string_view text)
{
    std::size_t n = 0;
    while (text.substr(n * 4).starts_with("Not "))
        ++n;
    return n;
}

// The text with the groups that open at the sorted indexes dropped written "(…)".
std::string Collapse(std::string_view text, const std::vector<std::size_t> &dropped)
{
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '(' && std::ranges::binary_search(dropped, at)) {
            out += kDroppedGroup;
            at = Closing(text, at);
            continue;
        }
        out += text[at];
    }
    return out;
}

// A chain whose groups are all "(…)", cut to its first term, "…" and as many
// of its last operators with their operands as fit in limit.
std::string DropMiddleTerms(std::string_view chain, std::size_t limit)
{
    std::vector<std::string> items(1); // the first operand, then each operator with its operand
    std::size_t at = 0;
    while (at < chain.size()) {
        const std::size_t end = std::min(chain.find(' ', at), chain.size());
        const std::string_view token = chain.substr(at, end - at);
        std::string &item = items.back();
        const bool operand = token == "Not" || token == kDroppedGroup || (!token.empty() && IsValueCharacter(token.front()));
        if (!operand && !item.empty() && item.back() != ' ')
            items.emplace_back();
        items.back() += std::string(token) + (token == "Not" || !operand ? " " : "");
        at = end + 1;
    }
    if (items.size() <= 3)
        return std::string(chain);
    std::string head = items[0] + ' ' + items[1] + ' ' + std::string(kEllipsis), tail = ' ' + items.back();
    for (std::size_t k = items.size() - 2; k > 1 && Shown(head + ' ' + items[k] + tail) <= limit; --k)
        tail = ' ' + items[k] + tail;
    return head + tail;
}

// An operand as a place quotes it: a chain of several terms in parentheses.
std::string OperandPiece(std::string_view text)
{
    const std::size_t prefixes = Prefixes(text), start = 4 * prefixes;
    const bool single = start + 1 >= text.size() || (text[start] == '(' && Closing(text, start) + 1 == text.size());
    return single ? ShortenPiece(text, kOperandLimit) : '(' + ShortenPiece(text, kOperandLimit - 2) + ')';
}

// The operator's word.
std::string Word(Operator op) { return std::string(OperatorWord(op)); }

// A term "1 Nand 2".
std::string Term(char left, Operator op, char right) { return left + (' ' + Word(op) + ' ') + right; }

// The cell a table cause misremembers, with the other order when it differs.
std::string CellTaken(const Cause &c)
{
    std::string said = Term(c.left, c.word, c.right);
    if (c.left != c.right)
        said += " (and " + Term(c.right, c.word, c.left) + ')';
    return said;
}

// What the slipped step gives and what it was taken as.
std::string Taken(const Cause &c) { return std::string("It gives ") + c.correct + "; you took it as " + c.used + '.'; }

// The sentence for a misreading's rule, without its place.
std::string RuleInWords(const Cause &c)
{
    switch (c.kind) {
    case CauseKind::WordAsWord:
        return "You read \"" + Word(c.word) + "\" as \"" + Word(c.readAs) + "\".";
    case CauseKind::TableCell:
        return "You took " + CellTaken(c) + " as " + c.used + "; it is " + c.correct + '.';
    case CauseKind::TableCellOneOrder:
        return "You took " + Term(c.left, c.word, c.right) + " as " + c.used + "; it is " + c.correct
             + ". You work it right the other way round, " + Term(c.right, c.word, c.left) + '.';
    case CauseKind::NotZeroAsZero:
        return "You took \"Not 0\" as 0; it takes its value from the operator beside it.";
    case CauseKind::NotZeroWrongNeighbour:
        return "You let the operator after \"Not 0\" decide its value; the operator before it decides when there is one.";
    case CauseKind::NotIgnored:
        return "You passed over \"Not\"; it turns 1 into 2 and 2 into 1.";
    case CauseKind::NotNegatesRest:
        return "You let \"Not\" negate the rest of the chain; it negates only the operand right after it.";
    case CauseKind::AndFirst:
        return "You worked And, Nand and Xand before the other words, as in school algebra; every word has the same "
               "rank and a chain goes from left to right.";
    case CauseKind::RightToLeft:
        return "You worked a chain from right to left; it goes from left to right.";
    case CauseKind::Slip:
    case CauseKind::LastStep:
        break;
    }
    return {};
}

// The words of a weight.
std::string_view WeightWords(CauseWeight weight)
{
    switch (weight) {
    case CauseWeight::MostLikely:
        return "most likely";
    case CauseWeight::CantTell:
        return "can't tell these apart";
    case CauseWeight::Possibly:
        break;
    }
    return "possibly";
}

} // namespace

std::string ShortenPiece(std::string_view piece, std::size_t limit)
{
    if (Shown(piece) <= limit)
        return std::string(piece);
    // A whole group, perhaps after "Not " prefixes, is shortened inside its parentheses.
    const std::size_t start = 4 * Prefixes(piece);
    if (start < piece.size() && piece[start] == '(' && Closing(piece, start) + 1 == piece.size())
        return std::string(piece.substr(0, start)) + '('
             + ShortenPiece(piece.substr(start + 1, piece.size() - start - 2),
                 std::max<std::size_t>(limit, start + 8) - start - 2)
             + ')';
    // Each group's depth, from 1, where it opens, and the characters saved when it becomes "(…)".
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> groups;
    std::vector<std::size_t> saved(1, 0), open; // saved: by depth, for all of its groups
    for (std::size_t at = 0; at < piece.size(); ++at)
        if (piece[at] == '(') {
            open.push_back(at);
        } else if (piece[at] == ')' && !open.empty()) {
            saved.resize(std::max(saved.size(), open.size() + 1), 0);
            groups.emplace_back(open.size(), open.back(), at - open.back() + 1 - Shown(kDroppedGroup));
            saved[open.size()] += std::get<2>(groups.back());
            open.pop_back();
        }
    // The deepest level whose groups, all dropped, let the piece fit (else the
    // outermost); there the longest groups go first, as many as needed.
    std::size_t depth = saved.size() - 1;
    while (depth > 1 && Shown(piece) - saved[depth] > limit)
        --depth;
    if (depth == 0)
        return DropMiddleTerms(piece, limit);
    std::erase_if(groups, [&](const auto &g) { return std::get<0>(g) != depth; });
    std::ranges::stable_sort(groups, std::greater<>(), [](const auto &g) { return std::get<2>(g); });
    std::vector<std::size_t> dropped;
    for (std::size_t length = Shown(piece), k = 0; k < groups.size() && length > limit; ++k) {
        dropped.push_back(std::get<1>(groups[k]));
        length -= std::get<2>(groups[k]);
    }
    std::ranges::sort(dropped);
    const std::string collapsed = Collapse(piece, dropped);
    return Shown(collapsed) <= limit ? collapsed : DropMiddleTerms(collapsed, limit);
}

std::string OrdinalWord(std::size_t n)
{
    static constexpr std::array<std::string_view, 10> kWords{"first", "second", "third", "fourth", "fifth", "sixth",
        "seventh", "eighth", "ninth", "tenth"};
    if (n >= 1 && n <= kWords.size())
        return std::string(kWords[n - 1]);
    const bool teen = n % 100 >= 11 && n % 100 <= 13;
    const std::size_t last = teen ? 0 : n % 10;
    return std::to_string(n) + (last == 1 ? "st" : last == 2 ? "nd" : last == 3 ? "rd" : "th");
}

std::string PlaceInWords(const StepPlace &place)
{
    const bool fold = place.kind == StepKind::Fold;
    std::string said = "the " + (place.count > 1 ? OrdinalWord(place.ordinal) + ' ' : std::string());
    said += (fold ? Word(place.op) : "\"Not\"") + " of the question: ";
    const std::string written = fold ? OperandPiece(place.left) + ' ' + Word(place.op) + ' ' + OperandPiece(place.right)
                                     : "Not " + OperandPiece(place.left);
    const std::string values = fold ? Term(place.leftValue, place.op, place.rightValue)
                                    : std::string("Not ") + place.leftValue;
    return said + written + (written == values ? "" : ", which is " + values);
}

std::string DescribeCause(const Cause &cause)
{
    const std::string at = cause.place ? PlaceInWords(*cause.place) : std::string();
    switch (cause.kind) {
    case CauseKind::Slip:
        return "A one-off slip at " + at + ". " + Taken(cause);
    case CauseKind::LastStep:
        return "No single rule or earlier slip gives your answer; only a slip at the last step does, at " + at + ". "
             + Taken(cause);
    default:
        return RuleInWords(cause) + (at.empty() ? "" : " It acts first at " + at + '.');
    }
}

std::string_view WeightInWords(std::span<const Cause> causes, std::size_t index)
{
    return WeightWords(WeightOf(causes, index));
}

std::string CauseLine(std::span<const Cause> causes, std::size_t index)
{
    std::string weight(WeightInWords(causes, index));
    weight[0] = static_cast<char>(weight[0] - 'a' + 'A');
    return weight + ": " + DescribeCause(causes[index]);
}

std::string AskInWords(const Ask &ask)
{
    switch (ask.kind) {
    case AskKind::Step:
        return "You had " + ask.text + " here; work it out again";
    case AskKind::Fresh:
        return "Not in the question: work out " + ask.text;
    case AskKind::Group:
        break;
    }
    return "Work out this group of the question: " + ask.text;
}

std::string EndingInWords(const Ending &ending)
{
    switch (ending.kind) {
    case EndingKind::Named:
        return ending.cause ? FoundInWords(*ending.cause) : UndecidedInWords();
    case EndingKind::OneOff:
        return OneOffInWords(ending.cause);
    case EndingKind::Asking:
        return {};
    case EndingKind::Unclear:
        break;
    }
    return UndecidedInWords();
}

std::string FoundInWords(const Cause &cause) { return "Found: " + DescribeCause(cause); }

std::string OneOffInWords(const std::optional<Cause> &slip)
{
    const std::string said = "You work this part right when you do it again: it was a one-off slip";
    if (!slip || !slip->place)
        return said + ". Your answers do not show at which step.";
    return said + " at " + PlaceInWords(*slip->place) + ". " + Taken(*slip);
}

std::string UndecidedInWords()
{
    return "Nothing left to ask tells the causes apart; they stand above, the most likely first.";
}

} // namespace nlt
