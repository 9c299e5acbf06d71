// What the help pages say, read back from the built help file and checked
// against the language tables typed independently of the engine, against the
// engine's evaluator and generators, and against the file itself (links).
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>
#include <map>
#include <set>

#include "engine/evaluator.h"
#include "engine/generator.h"
#include "engine/random.h"
#include "help/viewer/chmfile.h"
#include "helpfiles.h"
#include "tests/reference/literal_tables.h"

namespace {

using helptest::ReadPage;

// Operator word -> cells, read from the rows of one marked table of a page.
std::map<QString, QString> TableRows(const QString &page, const QString &table)
{
    const qsizetype begin = page.indexOf(QStringLiteral("<!-- table %1 -->").arg(table));
    const qsizetype end = page.indexOf(QStringLiteral("<!-- end %1 -->").arg(table));
    EXPECT_GE(begin, 0) << table.toStdString();
    EXPECT_GT(end, begin) << table.toStdString();
    static const QRegularExpression row(QStringLiteral(R"re(<tr><th class="op">(?:<a [^>]*>)?(\w+)(?:</a>)?</th>(.*?)</tr>)re"));
    static const QRegularExpression cell(QStringLiteral(R"re(<td class="v v([012])">([012])</td>)re"));
    std::map<QString, QString> rows;
    for (const auto &r : row.globalMatch(page.mid(begin, end - begin))) {
        QString cells;
        for (const auto &c : cell.globalMatch(r.captured(2))) {
            EXPECT_EQ(c.captured(1), c.captured(2)) << "colour class of a cell of " << r.captured(1).toStdString();
            cells += c.captured(2);
        }
        rows[r.captured(1)] = cells;
    }
    return rows;
}

template <typename Rows>
void ExpectRows(const std::map<QString, QString> &shown, const Rows &expected, const char *table)
{
    EXPECT_EQ(shown.size(), expected.size()) << table;
    for (const auto &row : expected) {
        const QString word = QString::fromUtf8(row.word.data(), qsizetype(row.word.size()));
        const auto it = shown.find(word);
        ASSERT_NE(it, shown.end()) << table << ": no row " << row.word;
        EXPECT_EQ(it->second.toStdString(), std::string(row.cells)) << table << ": row " << row.word;
    }
}

TEST(TruthTablePage, ThreeValuedTableAgreesWithTheLanguage)
{
    ExpectRows(TableRows(ReadPage(QStringLiteral("/truth-tables.html")), QStringLiteral("tertiary")),
               nlt::reference::kTruthRows, "three-valued");
}

TEST(TruthTablePage, TwoValuedTableAgreesWithTheLanguage)
{
    ExpectRows(TableRows(ReadPage(QStringLiteral("/truth-tables.html")), QStringLiteral("binary")),
               nlt::reference::kBinaryTruthRows, "two-valued");
}

TEST(TruthTablePage, EachOperatorGridAgreesWithTheLanguage)
{
    const QString page = ReadPage(QStringLiteral("/truth-tables.html"));
    static const QRegularExpression cell(QStringLiteral(R"re(<td class="v v[012]">([012])</td>)re"));
    for (const auto &row : nlt::reference::kTruthRows) {
        const QString word = QString::fromUtf8(row.word.data(), qsizetype(row.word.size()));
        const qsizetype begin = page.indexOf(QStringLiteral("<!-- grid %1 -->").arg(word));
        ASSERT_GE(begin, 0) << row.word;
        QString cells;
        for (const auto &c : cell.globalMatch(page.mid(begin, page.indexOf(u"</table>", begin) - begin)))
            cells += c.captured(1);
        // The grid runs the left value down and the right value across: the table's own cell order.
        EXPECT_EQ(cells.toStdString(), std::string(row.cells)) << row.word;
        EXPECT_TRUE(page.contains(QStringLiteral("<a name=\"op-%1\">").arg(word))) << row.word;
    }
}

TEST(TruthTablePage, NotZeroTableAgreesWithTheLanguage)
{
    const auto shown = TableRows(ReadPage(QStringLiteral("/truth-tables.html")), QStringLiteral("not0"));
    EXPECT_EQ(shown.size(), nlt::reference::kNotZeroRows.size());
    for (const auto &row : nlt::reference::kNotZeroRows) {
        const auto it = shown.find(QString::fromUtf8(row.word.data(), qsizetype(row.word.size())));
        ASSERT_NE(it, shown.end()) << row.word;
        EXPECT_EQ(it->second.toStdString(), (std::string{row.afterOperator, row.beforeOperator})) << row.word;
    }
}

TEST(EvaluationPage, EveryExampleHasTheValueTheProgramComputes)
{
    const QString page = ReadPage(QStringLiteral("/evaluation.html"));
    static const QRegularExpression example(
        QStringLiteral(R"re(<tr class="example"><td class="expr">([^<]+)</td><td class="v">([012])</td>)re"));
    int count = 0;
    for (const auto &m : example.globalMatch(page)) {
        const std::string text = m.captured(1).toStdString();
        EXPECT_EQ(nlt::EvaluateExpression(text), m.captured(2).toStdString()) << text;
        ++count;
    }
    EXPECT_GE(count, 10);
}

// Every link of every page names a page of the file, and an anchor that page has.
TEST(HelpPages, EveryLinkLeadsToAPageAndAnchorOfTheFile)
{
    nlt::help::ChmFile chm;
    ASSERT_TRUE(chm.open(helptest::BuiltHelpFile()));
    static const QRegularExpression href(QStringLiteral(R"re(href="([^"]+)")re"));
    int links = 0;
    for (const QString &path : chm.objectPaths()) {
        if (!path.endsWith(u".html"))
            continue;
        const QString page = ReadPage(path);
        EXPECT_TRUE(page.contains(u"href=\"style.css\"")) << path.toStdString();
        for (const auto &m : href.globalMatch(page)) {
            const QString link = m.captured(1);
            const QString target = link.startsWith(u'#') ? path : u'/' + link.section(u'#', 0, 0);
            const QString anchor = link.section(u'#', 1);
            ASSERT_TRUE(chm.contains(target)) << path.toStdString() << " -> " << link.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(ReadPage(target).contains(QStringLiteral("name=\"%1\"").arg(anchor)))
                    << path.toStdString() << " -> " << link.toStdString();
            }
            ++links;
        }
    }
    EXPECT_GT(links, 40);
}

// Operator words of a question text.
std::set<QString> OperatorsIn(const std::string &text)
{
    std::set<QString> words;
    for (const QString &token : QString::fromStdString(text).remove(u'(').remove(u')').split(u' '))
        if (token.size() > 1 && token != u"Not")
            words.insert(token);
    return words;
}

// The operator table of the difficulty page: title level -> operators allowed so far.
std::map<int, std::set<QString>> AllowedOperators(int column)
{
    const QString page = ReadPage(QStringLiteral("/progression.html"));
    const QString table = page.section(QStringLiteral("name=\"operators\""), 1).section(QStringLiteral("</table>"), 0, 0);
    static const QRegularExpression row(QStringLiteral(R"re(<tr><td>(\d+)[^<]*</td><td>([^<]*)</td><td>([^<]*)</td></tr>)re"));
    std::map<int, std::set<QString>> allowed;
    std::set<QString> sofar;
    for (const auto &m : row.globalMatch(table)) {
        const QString added = m.captured(column).remove(QStringLiteral("adds ")).section(u':', 0, 0);
        for (const QString &word : added.split(QStringLiteral(", "), Qt::SkipEmptyParts))
            if (word != u"no new operator")
                sofar.insert(word.trimmed());
        allowed[m.captured(1).toInt()] = sofar;
    }
    return allowed;
}

// What the pages say about growing questions holds for questions the program makes.
class QuestionsMatchTheHelp : public testing::TestWithParam<bool> {};

TEST_P(QuestionsMatchTheHelp, OperatorsAndNotAppearWhereThePagesSay)
{
    const bool tertiary = GetParam();
    const auto allowed = AllowedOperators(tertiary ? 2 : 3);
    ASSERT_EQ(allowed.size(), 19u);
    EXPECT_EQ(allowed.rbegin()->second.size(), tertiary ? 18u : 6u);

    static const QRegularExpression notFrom(QStringLiteral(R"re(from title level (\d+) on\s+values may carry)re"));
    const auto notMatch = notFrom.match(ReadPage(QStringLiteral("/levels.html")));
    ASSERT_TRUE(notMatch.hasMatch());
    const int notLevel = notMatch.captured(1).toInt();

    std::map<int, bool> sawNot;
    for (std::uint64_t seed = 1; seed <= 6; ++seed) {
        nlt::SeededRandomSource random(seed);
        nlt::TestCounters counters;
        counters.TermCount = 1;
        for (int question = 0; question < 26; ++question) {
            const int title = counters.Level;
            const auto parts = tertiary || question == 0 ? nlt::BuildTertiaryParts(counters, random)
                                                         : nlt::BuildBinaryParts(counters, random);
            const std::string text = nlt::JoinParts(parts);
            const auto &ok = allowed.at(std::min(title, 18));
            for (const QString &word : OperatorsIn(text)) {
                EXPECT_TRUE(ok.count(word)) << word.toStdString() << " at title level " << title;
            }
            sawNot[title] = sawNot[title] || text.find("Not ") != std::string::npos;
        }
    }
    for (const auto &[title, seen] : sawNot) {
        if (title < notLevel) {
            EXPECT_FALSE(seen) << "\"Not\" at title level " << title;
        }
    }
    EXPECT_TRUE(sawNot[19]) << "no \"Not\" at the top level";
}

INSTANTIATE_TEST_SUITE_P(Tests, QuestionsMatchTheHelp, testing::Values(true, false),
                         [](const auto &info) { return info.param ? "Tertiary" : "Binary"; });

TEST(ScoresPage, FirstQuestionIsWorthWhatThePageSays)
{
    static const QRegularExpression worth(QStringLiteral(R"re(100 \+ 10 \+ 1 = (\d+) points)re"));
    const auto m = worth.match(ReadPage(QStringLiteral("/scores.html")));
    ASSERT_TRUE(m.hasMatch());
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        nlt::SeededRandomSource random(seed);
        nlt::TestCounters counters;
        counters.TermCount = 1;
        nlt::BuildTertiaryParts(counters, random);
        EXPECT_EQ(counters.QuestionScore, m.captured(1).toInt());
    }
}

} // namespace
