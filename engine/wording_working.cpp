// The sentences of the working and its answers, the truth-table cells and
// the syntax problems of a typed text.

#include "engine/wording.h"

namespace nlt {

namespace {

// The longest text a problem quotes whole, in characters.
constexpr std::size_t kQuoteLimit = 40;
// The longest group label of the working, in characters.
constexpr std::size_t kGroupLimit = 64;

// The operator's word.
std::string Word(Operator op) { return std::string(OperatorWord(op)); }

// "True (1)".
std::string ValueWithWord(char value) { return ValueWord(value) + " (" + value + ')'; }

} // namespace

std::string DiagnosingInWords() { return "Working out what went wrong..."; }

std::string NoCauseInWords() { return "No misreading and no single slip gives your answer."; }

std::string ValueWord(char value)
{
    switch (value) {
    case '1':
        return "True";
    case '2':
        return "False";
    case '0':
        return "Unknown";
    default:
        return std::string(1, value);
    }
}

std::string AnswerInWords(char given, char right)
{
    return "You answered " + ValueWithWord(given) + ". The answer is " + ValueWithWord(right) + '.';
}

std::string ValueInWords(char value) { return "The value is " + ValueWithWord(value) + '.'; }

std::string NoValueInWords() { return "No value."; }

std::string EmptyTextInWords() { return "Type an expression to work it out."; }

std::string StepInWords(const Step &step)
{
    switch (step.kind) {
    case StepKind::CancelNots: {
        // The range holds the "Not " prefixes that go, perhaps without the last blank.
        const std::size_t pairs = (step.range.length + 1) / 8;
        return pairs <= 1 ? "Not Not cancels" : std::to_string(pairs) + " pairs of Not cancel";
    }
    case StepKind::Negate:
        return std::string("Not ") + step.left + " is " + step.value;
    case StepKind::NotZero:
        return std::string("Not 0 ") + (step.operatorBefore ? "after " : "before ") + Word(step.op) + " counts as "
             + step.value;
    case StepKind::Fold:
        break;
    }
    return step.left + (' ' + Word(step.op) + ' ') + step.right + " = " + step.value;
}

std::string GroupInWords(std::string_view groupText, char value)
{
    return ShortenPiece(groupText, kGroupLimit) + " = " + value;
}

std::string CellHead(const TruthRow &row, const TruthCell &cell)
{
    return row.left + (' ' + Word(row.op) + ' ') + cell.right;
}

std::string CellInWords(const TruthCell &cell)
{
    if (cell.used == cell.value)
        return std::string(1, cell.value);
    return "\u2717 " + (cell.value + (" (you used " + std::string(1, cell.used) + ')'));
}

std::string CellSpoken(const TruthCell &cell)
{
    if (cell.used == cell.value)
        return std::string(1, cell.value);
    return std::string("wrong: ") + cell.value + " is right; you used " + cell.used;
}

std::string ProblemInWords(const SyntaxProblem &problem)
{
    constexpr std::string_view kOperandNeeded = "a value (0, 1, 2), \"Not \" or \"(\" must follow";
    const std::string piece = '"' + ShortenPiece(problem.piece, kQuoteLimit) + '"';
    switch (problem.kind) {
    case ProblemKind::Empty:
        return "the text is empty";
    case ProblemKind::OperandMissing:
        return std::string(kOperandNeeded);
    case ProblemKind::LeadingBlank:
        return "the text begins with a blank";
    case ProblemKind::BlankAfterOpen:
        return "no blank may follow \"(\"";
    case ProblemKind::DoubleBlank:
        return "two blanks in a row";
    case ProblemKind::BadDigit:
        return piece + " is not a value; the values are 0, 1 and 2";
    case ProblemKind::NotWithoutBlank:
        return "\"Not\" must be followed by one blank";
    case ProblemKind::NotSpelled:
        return piece + " is written \"Not\", with a capital letter";
    case ProblemKind::WordForOperand:
        return std::string(kOperandNeeded) + ", not the word " + piece;
    case ProblemKind::CharForOperand:
        return std::string(kOperandNeeded) + ", not " + piece;
    case ProblemKind::BlankBeforeWord:
        return "a blank must stand before an operator word";
    case ProblemKind::WordMissing:
        return "an operator word must follow";
    case ProblemKind::TermCut:
        return "the term " + piece + " has no value";
    case ProblemKind::BlankAfterWord:
        return "a blank must follow " + piece;
    case ProblemKind::WordLowerCase:
        return piece + " is not an operator word; operator words begin with a capital letter";
    case ProblemKind::WordSpelled:
        return piece + " is not an operator word; it is written \"" + problem.spelled + '"';
    case ProblemKind::NotAsOperator:
        return "\"Not\" stands only in front of an operand; an operator word must follow";
    case ProblemKind::NoSuchWord:
        return piece + " is not an operator word";
    case ProblemKind::StrayClose:
        return "\")\" has no \"(\" before it";
    case ProblemKind::Unclosed:
        return "a \"(\" is never closed";
    case ProblemKind::LoneNotZero:
        break;
    }
    return "\"Not 0\" needs an operator beside it";
}

std::string ProblemAt(std::size_t character, std::string_view problem)
{
    return "at character " + std::to_string(character) + ": " + std::string(problem);
}

} // namespace nlt
