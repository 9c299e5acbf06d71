// The built help file read through ChmFile, and damaged copies of it, which
// must give an error with a reason and never a crash or a hang.
#include <QRandomGenerator>
#include <QtEndian>

#include "helpfiles.h"

namespace {

using namespace helptest;
using nlt::help::ChmFile;

// The contents tree and its pages (the links test reaches the rest).
TEST(BuiltHelpFile, HoldsItsContentsAndSaysWhatIsMissing)
{
    ChmFile chm;
    ASSERT_TRUE(chm.open(kHelpFile)) << chm.errorString().toStdString();
    EXPECT_EQ(chm.homePath(), "/index.html");
    EXPECT_EQ(Shape(chm.tableOfContents()),
              "Nested Logic Test Help=/index.html[The test window=/window.html[Using the keyboard=/keyboard.html],"
              "Values and the two tests=/tests.html,Operators and Not=/operators.html[Truth tables=/truth-tables.html],"
              "Working out an expression=/evaluation.html,Levels=/levels.html[Difficulty by question=/progression.html],"
              "The results window=/scores.html[Reviewing a question=/review.html]]");
    EXPECT_FALSE(chm.read("/no-such-page.html"));
    EXPECT_TRUE(chm.errorString().contains("/no-such-page.html"));
    EXPECT_FALSE(chm.open("/nonexistent/help - zentrix.chm") || chm.errorString().isEmpty());
    EXPECT_FALSE(chm.read("/index.html")); // the failed open closed the file before
}

// Writes v at `at` as a little-endian number of `size` bytes (4 or 8).
void Put(QByteArray &b, quint64 at, quint64 v, int size)
{
    size == 4 ? qToLittleEndian(quint32(v), b.data() + at) : qToLittleEndian(v, b.data() + at);
}
quint32 Get32(const QByteArray &b, quint64 at) { return qFromLittleEndian<quint32>(b.constData() + at); }
// Offsets of the structures, read from the file as the reader finds them:
// the directory header, the first listing block, and objects of the stored section.
quint64 Dir(const QByteArray &b) { return qFromLittleEndian<quint64>(b.constData() + 72); }
quint64 Head(const QByteArray &b) { return Dir(b) + 0x54 + Get32(b, Dir(b) + 32) * quint64(Get32(b, Dir(b) + 16)); }
quint64 Stored(const char *name)
{
    QFile file(kHelpFile);
    nlt::help::ChmLayout layout;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && CheckChmLayout(file, layout).isEmpty());
    return layout.dataOffset + layout.objects.value(QByteArray("::DataSpace/Storage/MSCompressed/") + name).start;
}
const char *const kControl = "ControlData";
const char *const kReset = "Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

// Opens a damaged copy and reads all it claims to hold: each read gives the
// bytes or a reason. Returns whether the open succeeded.
bool ReadEverything(const QString &path, const std::string &what)
{
    ChmFile chm;
    if (!chm.open(path)) {
        EXPECT_FALSE(chm.errorString().isEmpty()) << what;
        return false;
    }
    for (const QString &object : chm.objectPaths()) {
        const auto bytes = chm.read(object);
        EXPECT_TRUE(bytes ? quint64(bytes->size()) <= ChmFile::kMaxObjectSize : !chm.errorString().isEmpty()) << what;
    }
    chm.homePath(); // reads the contents too
    return true;
}

// Each structural fault is one that chmlib would read out of bounds, loop or
// divide by zero on, and each truncation: refused. Then each byte of the
// headers, the directory entries and the compression tables flipped, and
// random bytes set anywhere (fixed seed: a failure replays): never a crash.
TEST(DamagedHelpFile, IsRefusedWithAReasonAndNeverCrashes)
{
    const QByteArray good = BuiltHelpBytes();
    const quint64 dir = Dir(good), head = Head(good), block = Get32(good, dir + 16), control = Stored(kControl),
                  reset = Stored(kReset), size = quint64(good.size());
    const struct { const char *label; quint64 at, value; int size; } faults[] = {
        {"directory past the end", 72, size, 8},          {"directory length overflows", 80, ~quint64(0) - 8, 8},
        {"data offset past the end", 88, size + 1, 8},     {"block length zero", dir + 16, 0, 4},
        {"block count huge", dir + 44, 0xffffffffu, 4},   {"index root out of range", dir + 28, 9999, 4},
        {"listing head out of range", dir + 32, 0x7fffffff, 4}, {"listing chain loops", head + 16, Get32(good, dir + 32), 4},
        {"free space beyond the block", head + 4, block, 4}, {"entries cut by the free space", head + 4, block - 23, 4},
        {"window size zero", control + 16, 0, 4},         {"reset interval zero", control + 12, 0, 4},
        {"compressed block length zero", reset + 32, 0, 8}, {"compressed block count zero", reset + 4, 0, 4},
        {"compressed length too large", reset + 24, size * 2, 8}};
    QTemporaryDir tmp;
    for (const auto &f : faults) {
        QByteArray bytes = good;
        Put(bytes, f.at, f.value, f.size);
        EXPECT_FALSE(ReadEverything(WriteCopy(tmp, bytes), f.label)) << f.label;
    }
    for (qsizetype length = good.size() - 1; length >= 0; length -= length > 97 ? 97 : std::max<qsizetype>(length, 1))
        EXPECT_FALSE(ReadEverything(WriteCopy(tmp, good.left(length)), "cut")) << "cut at " << length;
    const quint64 entriesEnd = head + block - Get32(good, head + 4);
    for (quint64 at = 0; at < reset + 72; at = at + 1 == entriesEnd ? control : at + 1) {
        QByteArray copy = good;
        copy[qsizetype(at)] = char(copy[qsizetype(at)] ^ 0xff);
        ReadEverything(WriteCopy(tmp, copy), "flip at " + std::to_string(at));
    }
    QRandomGenerator random(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray copy = good;
        for (int i = 0; i < 6; ++i)
            copy[random.bounded(int(copy.size()))] = char(random.bounded(256));
        ReadEverything(WriteCopy(tmp, copy), "random round " + std::to_string(round));
    }
}

} // namespace
