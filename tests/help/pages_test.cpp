// What the help pages say, read back from the built help file and checked
// against tables typed by hand, the evaluator, and the file itself (links).
#include <QRegularExpression>
#include <map>

#include "engine/evaluator.h"
#include "helpfiles.h"
#include "tests/reference/literal_tables.h"

namespace {

using helptest::ReadPage;
using Cells = std::map<std::string, std::string>;

// Word -> value cells of each block of text that `block` matches (word, body);
// each cell is coloured by its value.
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

// The three tables and each operator's own grid (left value down, right across).
TEST(HelpPages, TruthTablesAgreeWithTheTablesTypedByHand)
{
    const QString page = ReadPage("/truth-tables.html");
    static const QRegularExpression row(R"re(<tr><th class="op">(?:<a [^>]*>)?(\w+)(?:</a>)?</th>(.*?)</tr>)re");
    static const QRegularExpression grid(R"re(<!-- grid (\w+) -->(.*?)</table>)re",
                                         QRegularExpression::DotMatchesEverythingOption);
    const auto table = [&](const QString &id) {
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
    EXPECT_EQ(ReadCells(page, grid), tertiary);
}

TEST(HelpPages, ExamplesHaveTheValuesTheProgramComputes)
{
    static const QRegularExpression example(R"re(<tr class="example"><td class="expr">([^<]+)</td><td class="v">([012])<)re");
    int count = 0;
    for (const auto &m : example.globalMatch(ReadPage("/evaluation.html"))) {
        EXPECT_EQ(nlt::EvaluateExpression(m.captured(1).toStdString()), m.captured(2).toStdString()) << count;
        ++count;
    }
    EXPECT_GE(count, 10);
}

TEST(HelpPages, EveryLinkLeadsToAPageAndAnchorOfTheFile)
{
    nlt::help::ChmFile chm;
    ASSERT_TRUE(chm.open(helptest::kHelpFile));
    static const QRegularExpression href(R"re(href="([^"#]*)#?([^"]*)")re");
    int links = 0;
    for (const QString &path : chm.objectPaths().filter(QRegularExpression("\\.html$")))
        for (const auto &m : href.globalMatch(ReadPage(path))) {
            const QString target = m.captured(1).isEmpty() ? path : '/' + m.captured(1);
            const std::string link = path.toStdString() + " -> " + m.captured(0).toStdString();
            ASSERT_TRUE(chm.contains(target)) << link;
            EXPECT_TRUE(m.captured(2).isEmpty() || ReadPage(target).contains("name=\"" + m.captured(2) + '"')) << link;
            ++links;
        }
    EXPECT_GT(links, 40);
}

// The title level from which each operator can occur, in each test, and "Not"
// from title level 13 on: draw d first possible at Level d, shown as title d - 1.
TEST(HelpPages, OperatorsComeInAtTheLevelsOfTheDrawTables)
{
    static const QRegularExpression row(R"re(<tr><td>(\d+)[^<]*</td><td>(?:adds )?(\w+)[^<]*</td><td>(?:adds )?(\w+))re");
    const QString table = ReadPage("/progression.html").section("name=\"operators\"", 1).section("</table>", 0, 0);
    QString tertiary, binary;
    for (const auto &m : row.globalMatch(table)) {
        tertiary += m.captured(2) == "no" ? "" : m.captured(2) + ' ' + m.captured(1) + ", ";
        binary += m.captured(3) == "no" ? "" : m.captured(3) + ' ' + m.captured(1) + ", ";
    }
    EXPECT_EQ(tertiary, "Or 0, And 1, Maybe 2, For 4, Against 5, With 6, Nor 7, Nand 8, Nmaybe 9, Nfor 10, "
                        "Nagainst 11, Nwith 12, Xor 13, Xmaybe 14, Xfor 15, Xagainst 16, Xwith 17, Xand 18, ");
    EXPECT_EQ(binary, "Or 0, And 1, Nor 3, Nand 4, Xor 5, Xand 6, ");
    EXPECT_TRUE(ReadPage("/levels.html").contains(QRegularExpression("from title level 13 on\\s+values may carry")));
}

} // namespace
