// Writes the help pages that are computed from the engine's own data, so the
// help and the program cannot disagree: truth-tables.html (every operator,
// the "Not 0" table) and progression.html (operators and size of each
// question by level, and the difficulty cap).
//
// Usage: nlt_make_help_tables OUTPUT_DIR

#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/difficulty.h"
#include "engine/language.h"

namespace {

using nlt::Operator;

// Opens a page with its title, stylesheet and a link back to the contents.
void WriteHead(std::ostream &out, std::string_view title)
{
    out << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html>\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
        << "<title>" << title << "</title>\n"
        << "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">\n</head>\n<body>\n"
        << "<p class=\"nav\"><a href=\"index.html\">Contents</a> &gt; " << title << "</p>\n"
        << "<h1>" << title << "</h1>\n";
}

void WriteTail(std::ostream &out) { out << "</body>\n</html>\n"; }

// One table cell holding a value character, coloured by value.
std::string ValueCell(char value) { return std::string("<td class=\"v v") + value + "\">" + value + "</td>"; }

// Column header "a &middot; b".
std::string PairHeader(char a, char b) { return std::string("<th>") + a + " &middot; " + b + "</th>"; }

// All operators in rows, one column per ordered pair of the given values.
template <typename Operators, typename Values>
void WriteOperatorTable(std::ostream &out, std::string_view id, const Operators &ops, const Values &values)
{
    out << "<!-- table " << id << " -->\n<table class=\"grid\">\n<tr><th>Operator</th>";
    for (const char a : values)
        for (const char b : values)
            out << PairHeader(a, b);
    out << "</tr>\n";
    for (const Operator op : ops) {
        out << "<tr><th class=\"op\"><a href=\"#op-" << nlt::OperatorWord(op) << "\">" << nlt::OperatorWord(op)
            << "</a></th>";
        for (const char a : values)
            for (const char b : values)
                out << ValueCell(nlt::TermValue(a, op, b));
        out << "</tr>\n";
    }
    out << "</table>\n<!-- end " << id << " -->\n";
}

// A 3 x 3 grid of one operator: left operand down, right operand across.
void WriteOperatorGrid(std::ostream &out, Operator op)
{
    const std::string_view word = nlt::OperatorWord(op);
    out << "<h3><a name=\"op-" << word << "\"></a>" << word << "</h3>\n"
        << "<!-- grid " << word << " -->\n<table class=\"grid\">\n<tr><th>" << word << "</th>";
    for (const char b : nlt::kValueCharacters)
        out << "<th>" << b << "</th>";
    out << "</tr>\n";
    for (const char a : nlt::kValueCharacters) {
        out << "<tr><th>" << a << "</th>";
        for (const char b : nlt::kValueCharacters)
            out << ValueCell(nlt::TermValue(a, op, b));
        out << "</tr>\n";
    }
    out << "</table>\n";
}

void WriteTruthTablesPage(std::ostream &out)
{
    WriteHead(out, "Truth tables");
    out << "<p>Each row is an operator. The column headed <i>a</i> &middot; <i>b</i> gives the value of "
           "<code class=\"expr\"><i>a</i> Operator <i>b</i></code>: the cell in row Xagainst, column "
           "2 &middot; 1 is the value of <code class=\"expr\">2 Xagainst 1</code>. Every operator gives the "
           "same value when its two sides are swapped. The patterns behind these tables are explained in "
           "<a href=\"operators.html\">Operators and Not</a>.</p>\n";
    out << "<table class=\"grid\"><tr><th>Colour key</th>" << ValueCell('1') << "<td>true</td>" << ValueCell('2')
        << "<td>false</td>" << ValueCell('0') << "<td>unknown</td></tr></table>\n";

    out << "<h2><a name=\"binary\"></a>The two-valued test</h2>\n"
           "<p>The six operators of \"Binary Logic\" on the values 1 and 2:</p>\n";
    WriteOperatorTable(out, "binary", nlt::kBinaryOperators, nlt::kBinaryValueCharacters);

    out << "<h2><a name=\"tertiary\"></a>The three-valued test</h2>\n"
           "<p>All eighteen operators of \"Tertiary Logic\" on the values 0, 1 and 2:</p>\n";
    WriteOperatorTable(out, "tertiary", nlt::kAllOperators, nlt::kValueCharacters);

    out << "<h2><a name=\"each\"></a>Each operator on its own</h2>\n"
           "<p>The left value runs down, the right value across.</p>\n";
    for (const Operator op : nlt::kAllOperators)
        WriteOperatorGrid(out, op);

    out << "<h2><a name=\"not\"></a>Not</h2>\n<table class=\"grid\">\n"
           "<tr><th>Expression</th><th>Value</th></tr>\n";
    for (const char v : nlt::kBinaryValueCharacters)
        out << "<tr><td><code class=\"expr\">Not " << v << "</code></td>" << ValueCell(nlt::NegateValue(v)) << "</tr>\n";
    out << "</table>\n";

    out << "<h2><a name=\"not0\"></a>Not 0</h2>\n"
           "<p>\"Not 0\" takes the value that the operator next to it assigns. If an operator stands "
           "directly before it, that operator decides (first column); only if none does, the operator "
           "directly after it decides (second column). See <a href=\"operators.html#not0\">the rule for "
           "\"Not 0\"</a>.</p>\n<!-- table not0 -->\n<table class=\"grid\">\n"
           "<tr><th>Operator</th><th>Operator Not 0</th><th>Not 0 Operator</th></tr>\n";
    for (const Operator op : nlt::kAllOperators)
        out << "<tr><th class=\"op\">" << nlt::OperatorWord(op) << "</th>" << ValueCell(nlt::NotZeroAfterOperator(op))
            << ValueCell(nlt::NotZeroBeforeOperator(op)) << "</tr>\n";
    out << "</table>\n<!-- end not0 -->\n";
    WriteTail(out);
}

// The operator words a draw table can give for draws 1 to maxDraw, in draw order.
std::vector<std::string> OperatorsUpToDraw(std::string_view (*drawText)(int), int maxDraw)
{
    std::vector<std::string> words;
    std::set<std::string> seen;
    for (int d = 1; d <= maxDraw; ++d) {
        std::string text(drawText(d));
        if (text.size() > 2 && seen.insert(text).second)
            words.push_back(text.substr(1, text.size() - 2));
    }
    return words;
}

// The operators of now that prev lacks, as "adds ..."; all of them for the first row.
std::string DescribeOperators(const std::vector<std::string> &prev, const std::vector<std::string> &now, std::size_t fullSet)
{
    if (!prev.empty() && prev == now)
        return "no new operator";
    std::string text = prev.empty() ? "" : "adds ";
    for (std::size_t i = prev.size(); i < now.size(); ++i)
        text += (i > prev.size() ? ", " : "") + now[i];
    if (now.size() == fullSet)
        text += fullSet == nlt::kOperatorCount ? ": all eighteen" : ": all six";
    return text;
}

void WriteOperatorsByLevel(std::ostream &out)
{
    out << "<h2><a name=\"operators\"></a>Operators by level</h2>\n"
           "<p>The operators that can appear in a question, by the level shown in its title. All operators "
           "that have come in are equally likely, except Xand in the two-valued test, which grows more "
           "frequent with every level.</p>\n<table class=\"grid\">\n"
           "<tr><th>Title level</th><th>Three-valued test</th><th>Two-valued test</th></tr>\n";
    std::vector<std::string> prevTertiary;
    std::vector<std::string> prevBinary;
    for (int title = 0; title < nlt::kMaxLevel; ++title) {
        // A question is drawn at the level after its advance, one above its title.
        const auto tertiary = OperatorsUpToDraw(nlt::TertiaryOperatorForDraw, title + 1);
        const auto binary = OperatorsUpToDraw(nlt::BinaryOperatorForDraw, title + 1);
        out << "<tr><td>" << title << (title + 1 == nlt::kMaxLevel ? " and more" : "") << "</td><td>"
            << DescribeOperators(prevTertiary, tertiary, nlt::kOperatorCount) << "</td><td>"
            << DescribeOperators(prevBinary, binary, nlt::kBinaryOperators.size()) << "</td></tr>\n";
        prevTertiary = tertiary;
        prevBinary = binary;
    }
    out << "</table>\n";
}

// One question of a run: its title level and the counters after the advance.
struct QuestionShape {
    int number;
    int titleLevel;
    nlt::TestCounters counters;
};

// Fixed part of a question's worth: 100 per chain on entry plus 10 per nesting round per chain.
int FixedWorth(const nlt::TestCounters &c) { return c.QuestionScore + 10 * c.NestingRounds * c.TermCount; }

// Questions of a run from level 0 until the difficulty stops rising.
std::vector<QuestionShape> RunUntilCap()
{
    nlt::TestCounters counters;
    counters.TermCount = 1;
    std::vector<QuestionShape> run;
    for (int n = 1; n < 100000; ++n) {
        const int title = counters.Level;
        const nlt::TestCounters before = counters;
        nlt::AdvanceDifficulty(counters);
        const bool stuck = before.TermCount == counters.TermCount && before.NestingRounds == counters.NestingRounds
                        && before.Level == counters.Level;
        if (stuck)
            break;
        run.push_back({n, title, counters});
    }
    return run;
}

void WriteShapeRow(std::ostream &out, const QuestionShape &q)
{
    const auto &c = q.counters;
    out << "<tr><td>" << q.number << "</td><td>" << q.titleLevel << "</td><td>" << int(c.TermCount) << "</td><td>"
        << (c.NestingRounds > 1 ? std::to_string(c.NestingRounds) : std::string("none")) << "</td><td>"
        << nlt::MaxChainOperators(c.TermCount) << "</td><td>" << (c.Level > nlt::kNegationLevel ? "yes" : "no")
        << "</td><td>" << FixedWorth(c) << "</td></tr>\n";
}

void WriteProgressionPage(std::ostream &out)
{
    WriteHead(out, "Difficulty by question");
    out << "<p>How a run that starts at level 0 grows, question by question. <i>Chains</i> is the number of "
           "top-level chains; <i>nesting rounds</i> is how many values of each chain are replaced by groups; "
           "<i>operators per chain</i> is the most operators one chain (or one group) can hold; the "
           "<i>fixed worth</i> is the part of a question's worth that does not depend on chance, to which one "
           "point per operator inside the chains is added (see <a href=\"scores.html#worth\">the worth of a "
           "question</a>). A run that starts at a higher level (after a wrong first answer) reaches the "
           "operators and \"Not\" sooner.</p>\n";
    WriteOperatorsByLevel(out);

    const auto run = RunUntilCap();
    const char *header = "<table class=\"grid\">\n<tr><th>Question</th><th>Title level</th><th>Chains</th>"
                         "<th>Nesting rounds</th><th>Operators per chain</th><th>\"Not\"</th>"
                         "<th>Fixed worth</th></tr>\n";
    out << "<h2><a name=\"first\"></a>The first questions of a run</h2>\n" << header;
    for (std::size_t i = 0; i < run.size() && i < 25; ++i)
        WriteShapeRow(out, run[i]);
    out << "</table>\n";

    out << "<h2><a name=\"growth\"></a>Growth by number of chains</h2>\n<p>Each number of chains lasts while the "
           "nesting rounds climb; the table shows the first question of each.</p>\n"
        << header;
    for (std::size_t i = 0; i < run.size(); ++i)
        if (i == 0 || run[i].counters.TermCount != run[i - 1].counters.TermCount)
            WriteShapeRow(out, run[i]);
    out << "</table>\n";

    if (!run.empty()) {
        const auto &last = run.back();
        out << "<h2><a name=\"cap\"></a>The cap</h2>\n<p>From question " << last.number
            << " on the difficulty rises no further: every question has " << int(last.counters.TermCount) << " chains and "
            << last.counters.NestingRounds
            << " nesting rounds, so a run can go on for as long as the answers are right, and the worth of a "
               "question stays within the counters of the program.</p>\n";
    }
    WriteTail(out);
}

// Writes one page through a string so a failed write leaves no half page.
bool WritePage(const std::string &path, void (*write)(std::ostream &))
{
    std::ostringstream page;
    write(page);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << page.str();
    file.close();
    if (!file) {
        std::cerr << "cannot write " << path << '\n';
        std::remove(path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "nlt_make_help_tables") << " OUTPUT_DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = WritePage(dir + "/truth-tables.html", WriteTruthTablesPage)
                 && WritePage(dir + "/progression.html", WriteProgressionPage);
    return ok ? 0 : 1;
}
