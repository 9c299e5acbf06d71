// The built help file read through ChmFile: its contents, links and worked
// examples; and damaged copies of it, which must give an error with a reason
// and never a crash or a hang.
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtEndian>
#include <tuple>

#include "engine/evaluator.h"
#include "helpfiles.h"

namespace {

using namespace helptest;
using nlt::help::ChmFile;

// The contents tree; every link of every page leads to a page and anchor of
// the file, and every worked example has the value the program computes; a
// missing page is named, a missing file refused and the open one closed.
TEST(BuiltHelpFile, HoldsItsContentsLinksAndExamples)
{
    ChmFile chm;
    ASSERT_TRUE(chm.open(kHelpFile)) << chm.errorString().toStdString();
    EXPECT_EQ(Shape(chm.tableOfContents()),
        "Nested Logic Test Help=/index.html[The test window=/window.html[Using the keyboard=/keyboard.html],"
        "Values and the two tests=/tests.html,Operators and Not=/operators.html[Truth tables=/truth-tables.html],"
        "Working out an expression=/evaluation.html,Levels=/levels.html[Difficulty by question=/progression.html],"
        "The results window=/scores.html[Reviewing a question=/review.html[Practising a rule=/practice.html],Your times and "
        "this sitting=/times.html]]");
    static const QRegularExpression href(R"re(href="([^"#]*)#?([^"]*)")re"),
        example(R"re(<tr class="example"><td class="expr">([^<]+)</td><td class="v">([012])<)re");
    int links = 0, examples = 0;
    for (const QString &path : chm.objectPaths().filter(QRegularExpression("\\.html$"))) {
        const QString page = ReadPage(path);
        for (const auto &m : href.globalMatch(page)) {
            const QString target = m.captured(1).isEmpty() ? path : '/' + m.captured(1);
            EXPECT_TRUE(chm.contains(target)
                        && (m.captured(2).isEmpty() || ReadPage(target).contains("name=\"" + m.captured(2) + '"')))
                << path.toStdString() << " -> " << m.captured(0).toStdString();
            ++links;
        }
        for (const auto &m : example.globalMatch(page)) {
            EXPECT_EQ(nlt::EvaluateExpression(m.captured(1).toStdString()), m.captured(2).toStdString()) << examples;
            ++examples;
        }
    }
    EXPECT_TRUE(links > 40 && examples >= 10) << links << " links, " << examples << " examples";
    EXPECT_TRUE(!chm.read("/no-such-page.html") && chm.errorString().contains("/no-such-page.html"));
    EXPECT_FALSE(chm.open("/nonexistent/help - zentrix.chm") || chm.errorString().isEmpty() || chm.read("/index.html"));
}

quint32 Get32(const QByteArray &b, quint64 at) { return qFromLittleEndian<quint32>(b.constData() + at); }

// Opens a damaged copy and reads all it claims to hold: each read gives at
// most the size cap or a reason. Returns whether the open succeeded.
bool ReadEverything(const QString &path, const std::string &what)
{
    ChmFile chm;
    const bool opened = chm.open(path);
    EXPECT_TRUE(opened || !chm.errorString().isEmpty()) << what;
    for (const QString &object : chm.objectPaths()) {
        const auto bytes = chm.read(object);
        EXPECT_TRUE(bytes ? quint64(bytes->size()) <= ChmFile::kMaxObjectSize : !chm.errorString().isEmpty()) << what;
    }
    chm.homePath(); // reads the contents too
    return opened;
}

// Each structural fault (one chmlib would read out of bounds, loop or divide
// by zero on), each truncation and a foreign file: refused.
TEST(DamagedHelpFile, IsRefusedWithAReasonAndNeverCrashes)
{
    const QByteArray good = BuiltHelpBytes();
    // The compression tables, found by their fixed fields.
    const quint64 control = quint64(good.indexOf("LZXC")) - 4, size = quint64(good.size()),
                  reset = quint64(good.indexOf(QByteArray::fromHex("0800000028000000"))) - 8;
    ASSERT_TRUE(control < reset && reset < size);
    const quint64 dir = qFromLittleEndian<quint64>(good.constData() + 72), block = Get32(good, dir + 16),
                  head = dir + 0x54 + Get32(good, dir + 32) * block;
    // What is damaged, where, the value written and its size in bytes.
    const std::tuple<const char *, quint64, quint64, int> faults[] = {{"directory past the end", 72, size, 8},
        {"directory length overflows", 80, ~quint64(0) - 8, 8}, {"data offset past the end", 88, size + 1, 8},
        {"block length zero", dir + 16, 0, 4}, {"block count huge", dir + 44, 0xffffffffu, 4},
        {"index root out of range", dir + 28, 9999, 4}, {"listing head out of range", dir + 32, 0x7fffffff, 4},
        {"listing chain loops", head + 16, Get32(good, dir + 32), 4}, {"free space beyond the block", head + 4, block, 4},
        {"entries cut by the free space", head + 4, block - 23, 4}, {"window size zero", control + 16, 0, 4},
        {"reset interval zero", control + 12, 0, 4}, {"compressed block length zero", reset + 32, 0, 8},
        {"compressed block count zero", reset + 4, 0, 4}, {"compressed length too large", reset + 24, size * 2, 8},
        {"directory shorter than its header", 80, 0x53, 8}};
    QTemporaryDir tmp;
    for (const auto &[label, at, value, bytesWritten] : faults) {
        QByteArray bytes = good;
        bytesWritten == 4 ? qToLittleEndian(quint32(value), bytes.data() + at) : qToLittleEndian(value, bytes.data() + at);
        EXPECT_FALSE(ReadEverything(WriteCopy(tmp, bytes), label)) << label;
    }
    for (qsizetype length = good.size() - 1; length >= 0; length -= length > 97 ? 97 : std::max<qsizetype>(length, 1))
        EXPECT_FALSE(ReadEverything(WriteCopy(tmp, good.left(length)), "cut")) << "cut at " << length;
    // Another file format: only the signature differs from the good file.
    EXPECT_FALSE(ReadEverything(WriteCopy(tmp, "PK\x03\x04" + good.mid(4)), "foreign"));
    // Each byte of the headers, directory entries and compression tables flipped,
    // then random bytes anywhere (fixed seed: a failure replays): never a crash.
    QRandomGenerator random(20240601);
    const quint64 entriesEnd = head + block - Get32(good, head + 4), tablesEnd = reset + 72;
    for (quint64 at = 0; at < tablesEnd + 300; at = at + 1 == entriesEnd ? control : at + 1) {
        QByteArray copy = good;
        const auto i = qsizetype(at < tablesEnd ? at : random.bounded(size));
        copy[i] = char(copy[i] ^ (at < tablesEnd ? 0xff : random.bounded(1, 256)));
        ReadEverything(WriteCopy(tmp, copy), "damage " + std::to_string(at));
    }
}

} // namespace
