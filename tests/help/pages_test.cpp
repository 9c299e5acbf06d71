// The pages written from the engine's data, read back from the built help
// file and checked against tables typed by hand.
#include <QRegularExpression>
#include <map>

#include "helpfiles.h"
#include "tests/reference/literal_tables.h"

namespace {

using helptest::ReadPage;
using Cells = std::map<std::string, std::string>;

// Word -> value cells of each block of text that `block` matches (word, body).
Cells ReadCells(const QString &text, const QRegularExpression &block)
{
    Cells cells;
    for (const auto &b : block.globalMatch(text)) // a cell counts only when it is coloured by its value
        for (const auto &c : QRegularExpression(R"re(<td class="v v([012])">\1</td>)re").globalMatch(b.captured(2)))
            cells[b.captured(1).toStdString()] += c.captured(1).toStdString();
    return cells;
}

// The three truth tables, each operator's own grid (left value down, right
// across), and the levels at which operators come in.
TEST(HelpPages, GeneratedPagesAgreeWithTheTablesTypedByHand)
{
    Cells tertiary, binary, notZero;
    for (const auto &r : nlt::reference::kTruthRows)
        tertiary[std::string(r.word)] = r.cells;
    for (const auto &r : nlt::reference::kBinaryTruthRows)
        binary[std::string(r.word)] = r.cells;
    for (const auto &r : nlt::reference::kNotZeroRows)
        notZero[std::string(r.word)] = {r.afterOperator, r.beforeOperator};
    const QString page = ReadPage("/truth-tables.html");
    static const QRegularExpression row(R"re(<tr><th class="op">(?:<a [^>]*>)?(\w+)(?:</a>)?</th>(.*?)</tr>)re");
    for (const auto &[id, typed] : std::map<QString, Cells>{{"tertiary", tertiary}, {"binary", binary}, {"not0", notZero}})
        EXPECT_EQ(ReadCells(page.section("<!-- table " + id + " -->", 1).section("<!-- end " + id + " -->", 0, 0), row),
            typed)
            << id.toStdString();
    EXPECT_EQ(ReadCells(page, QRegularExpression(R"re((?s)<!-- grid (\w+) -->(.*?)</table>)re")), tertiary);
    // The title level from which each operator can occur, in each test, and "Not"
    // from title level 13 on: draw d first possible at Level d, shown as title d - 1.
    static const QRegularExpression level(
        R"re(<tr><td>(\d+)[^<]*</td><td>(?:adds )?([A-Z]\w*|no)[^<]*</td><td>(?:adds )?([A-Z]\w*|no))re");
    QString levels; // title level, then the operator each test adds, "no" for none
    for (const auto &m : level.globalMatch(ReadPage("/progression.html")))
        levels += m.capturedTexts().mid(1).join(' ') + ',';
    EXPECT_EQ(levels, "0 Or Or,1 And And,2 Maybe no,3 no Nor,4 For Nand,5 Against Xor,6 With Xand,7 Nor no,8 Nand no,"
                      "9 Nmaybe no,10 Nfor no,11 Nagainst no,12 Nwith no,13 Xor no,14 Xmaybe no,15 Xfor no,16 Xagainst no,"
                      "17 Xwith no,18 Xand no,");
    EXPECT_TRUE(ReadPage("/levels.html").contains(QRegularExpression("from title level 13 on\\s+values may carry")));
}

} // namespace
