// What the help pages say, read back from the built help file and checked
// against the language tables typed by hand, the evaluator and the generators,
// and against the file itself (links).
#include <QRegularExpression>
#include <map>
#include <set>

#include "engine/evaluator.h"
#include "engine/generator.h"
#include "engine/random.h"
#include "helpfiles.h"
#include "tests/reference/literal_tables.h"

namespace {

using helptest::ReadPage;
using Cells = std::map<std::string, std::string>;

// Word -> value cells of each block of text that block matches (word, body).
Cells ReadCells(const QString &text, const QRegularExpression &block)
{
    static const QRegularExpression cell(QStringLiteral(R"re(<td class="v v([012])">([012])</td>)re"));
    Cells cells;
    for (const auto &b : block.globalMatch(text))
        for (const auto &c : cell.globalMatch(b.captured(2))) {
            EXPECT_EQ(c.captured(1), c.captured(2)) << "colour of a cell of " << b.captured(1).toStdString();
            cells[b.captured(1).toStdString()] += c.captured(2).toStdString();
        }
    return cells;
}

TEST(TruthTablePage, AgreesWithTheTablesTypedByHand)
{
    const QString page = ReadPage("/truth-tables.html");
    const auto table = [&](const QString &id) {
        static const QRegularExpression row(R"re(<tr><th class="op">(?:<a [^>]*>)?(\w+)(?:</a>)?</th>(.*?)</tr>)re");
        return ReadCells(page.section("<!-- table " + id + " -->", 1).section("<!-- end " + id + " -->", 0, 0), row);
    };
    Cells tertiary, binary, notZero;
    for (const auto &r : nlt::reference::kTruthRows)
        tertiary[std::string(r.word)] = r.cells;
    for (const auto &r : nlt::reference::kBinaryTruthRows)
        binary[std::string(r.word)] = r.cells;
    for (const auto &r : nlt::reference::kNotZeroRows)
        notZero[std::string(r.word)] = {r.afterOperator, r.beforeOperator};
    EXPECT_EQ(table("tertiary"), tertiary);
    EXPECT_EQ(table("binary"), binary);
    EXPECT_EQ(table("not0"), notZero);
    // Each operator's own grid, left value down and right across: the table's cell order.
    static const QRegularExpression grid(R"re(<!-- grid (\w+) -->(.*?)</table>)re",
                                         QRegularExpression::DotMatchesEverythingOption);
    EXPECT_EQ(ReadCells(page, grid), tertiary);
}

TEST(HelpPages, ExamplesHaveTheValuesTheProgramComputes)
{
    static const QRegularExpression example(R"re(<tr class="example"><td class="expr">([^<]+)</td><td class="v">([012])<)re");
    int count = 0;
    for (const auto &m : example.globalMatch(ReadPage("/evaluation.html"))) {
        const std::string text = m.captured(1).toStdString();
        EXPECT_EQ(nlt::EvaluateExpression(text), m.captured(2).toStdString()) << text;
        ++count;
    }
    EXPECT_GE(count, 10);
}

TEST(HelpPages, EveryLinkLeadsToAPageAndAnchorOfTheFile)
{
    nlt::help::ChmFile chm;
    ASSERT_TRUE(chm.open(helptest::BuiltHelpFile()));
    static const QRegularExpression href(R"re(href="([^"#]*)#?([^"]*)")re");
    int links = 0;
    for (const QString &path : chm.objectPaths().filter(QRegularExpression("\\.html$"))) {
        for (const auto &m : href.globalMatch(ReadPage(path))) {
            ++links;
            const QString target = m.captured(1).isEmpty() ? path : '/' + m.captured(1);
            const std::string link = path.toStdString() + " -> " + m.captured(0).toStdString();
            ASSERT_TRUE(chm.contains(target)) << link;
            EXPECT_TRUE(m.captured(2).isEmpty() || ReadPage(target).contains("name=\"" + m.captured(2) + '"')) << link;
        }
    }
    EXPECT_GT(links, 40);
}

// The operators and "Not" first appear in questions the program makes at the title levels the pages give.
TEST(HelpPages, QuestionsGrowAsThePagesSay)
{
    static const QRegularExpression row(R"re(<tr><td>(\d+)[^<]*</td><td>([^<]*)</td><td>([^<]*)</td></tr>)re");
    static const QRegularExpression notFrom(R"re(from title level (\d+) on\s+values may carry)re");
    const QString table = ReadPage("/progression.html").section("name=\"operators\"", 1).section("</table>", 0, 0);
    const int notLevel = notFrom.match(ReadPage("/levels.html")).captured(1).toInt();
    for (const int column : {2, 3}) { // the three-valued test, the two-valued test
        std::map<std::string, int> pageAdds; // operator -> title level the page brings it in at
        for (const auto &m : row.globalMatch(table))
            for (const QString &word : m.captured(column).remove("adds ").section(':', 0, 0).split(", "))
                if (word != u"no new operator")
                    pageAdds.try_emplace(word.trimmed().toStdString(), m.captured(1).toInt());
        std::map<std::string, int> firstSeen;
        int firstNot = 99;
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            nlt::SeededRandomSource random(seed);
            nlt::TestCounters counters;
            counters.TermCount = 1;
            for (int question = 0; question < 26; ++question) {
                const int title = counters.Level;
                const std::string text = nlt::JoinParts(column == 2 || question == 0 ? nlt::BuildTertiaryParts(counters, random)
                                                                                     : nlt::BuildBinaryParts(counters, random));
                for (const QString &token : QString::fromStdString(text).remove('(').remove(')').split(' '))
                    if (token.size() > 1 && token != u"Not") {
                        const auto seen = firstSeen.try_emplace(token.toStdString(), title).first;
                        seen->second = std::min(seen->second, title);
                    }
                if (text.find("Not ") != std::string::npos)
                    firstNot = std::min(firstNot, title);
            }
        }
        EXPECT_EQ(firstSeen, pageAdds) << "column " << column;
        EXPECT_EQ(firstNot, notLevel) << "column " << column;
    }
}

} // namespace
