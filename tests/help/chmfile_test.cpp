// The built help file read through ChmFile, and damaged copies of it, which
// must give an error with a reason and never a crash or a hang.
#include <QRandomGenerator>
#include <QtEndian>

#include "helpfiles.h"

namespace {

using namespace helptest;
using nlt::help::ChmFile;

TEST(BuiltHelpFile, HoldsEveryPageAndItsContentsAndSaysWhatIsMissing)
{
    ChmFile chm;
    ASSERT_TRUE(chm.open(BuiltHelpFile())) << chm.errorString().toStdString();
    const QStringList pages{"/evaluation.html", "/index.hhk",  "/index.html",  "/keyboard.html",
                            "/levels.html",     "/operators.html", "/progression.html", "/scores.html",
                            "/style.css",       "/tests.html", "/toc.hhc",     "/truth-tables.html", "/window.html"};
    for (const QString &page : pages) {
        const auto bytes = chm.read(page);
        EXPECT_TRUE(chm.objectPaths().contains(page) && bytes && bytes->size() > 100) << page.toStdString();
    }
    EXPECT_EQ(chm.homePath(), "/index.html");
    EXPECT_EQ(Shape(chm.tableOfContents()),
              "Nested Logic Test Help=/index.html[The test window=/window.html[Using the keyboard=/keyboard.html],"
              "Values and the two tests=/tests.html,Operators and Not=/operators.html[Truth tables=/truth-tables.html],"
              "Working out an expression=/evaluation.html,Levels=/levels.html[Difficulty by question=/progression.html],"
              "The results window=/scores.html]");
    EXPECT_FALSE(chm.read(QString(600, u'a')));
    EXPECT_FALSE(chm.read("/no-such-page.html"));
    EXPECT_TRUE(chm.errorString().contains("/no-such-page.html"));
    EXPECT_FALSE(chm.open("/nonexistent/help - zentrix.chm"));
    EXPECT_FALSE(chm.errorString().isEmpty());
    EXPECT_FALSE(chm.read("/index.html")); // the failed open closed the file before
}

void Put32(QByteArray &b, quint64 at, quint32 v) { qToLittleEndian(v, b.data() + at); }
void Put64(QByteArray &b, quint64 at, quint64 v) { qToLittleEndian(v, b.data() + at); }
quint32 Get32(const QByteArray &b, quint64 at) { return qFromLittleEndian<quint32>(b.constData() + at); }

// Offsets of the structures, read from the file as the reader finds them.
quint64 Dir(const QByteArray &b) { return qFromLittleEndian<quint64>(b.constData() + 72); }
quint64 Head(const QByteArray &b) { return Dir(b) + 0x54 + Get32(b, Dir(b) + 32) * quint64(Get32(b, Dir(b) + 16)); }
quint64 Stored(const char *name)
{
    QFile file(BuiltHelpFile());
    nlt::help::ChmLayout layout;
    const QByteArray path = QByteArray("::DataSpace/Storage/MSCompressed/") + name;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && CheckChmLayout(file, layout).isEmpty());
    EXPECT_TRUE(layout.objects.contains(path)) << name;
    return layout.dataOffset + layout.objects.value(path).start;
}
const char *const kControl = "ControlData";
const char *const kReset = "Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

// Each damage is one that chmlib would read out of bounds, loop or divide by zero on.
TEST(DamagedHelpFile, EachStructuralFaultAndTruncationIsRefusedWithAReason)
{
    const struct { const char *label; std::function<void(QByteArray &)> apply; } cases[] = {
        {"directory past the end", [](QByteArray &b) { Put64(b, 72, quint64(b.size())); }},
        {"directory length overflows", [](QByteArray &b) { Put64(b, 80, ~quint64(0) - 8); }},
        {"data offset past the end", [](QByteArray &b) { Put64(b, 88, quint64(b.size()) + 1); }},
        {"block length zero", [](QByteArray &b) { Put32(b, Dir(b) + 16, 0); }},
        {"block count huge", [](QByteArray &b) { Put32(b, Dir(b) + 44, 0xffffffffu); }},
        {"index root out of range", [](QByteArray &b) { Put32(b, Dir(b) + 28, 9999); }},
        {"listing head out of range", [](QByteArray &b) { Put32(b, Dir(b) + 32, 0x7fffffff); }},
        {"listing chain loops", [](QByteArray &b) { Put32(b, Head(b) + 16, Get32(b, Dir(b) + 32)); }},
        {"free space beyond the block", [](QByteArray &b) { Put32(b, Head(b) + 4, Get32(b, Dir(b) + 16)); }},
        {"entries cut by the free space", [](QByteArray &b) { Put32(b, Head(b) + 4, Get32(b, Dir(b) + 16) - 23); }},
        {"window size zero", [](QByteArray &b) { Put32(b, Stored(kControl) + 16, 0); }},
        {"reset interval zero", [](QByteArray &b) { Put32(b, Stored(kControl) + 12, 0); }},
        {"compressed block length zero", [](QByteArray &b) { Put64(b, Stored(kReset) + 32, 0); }},
        {"compressed block count zero", [](QByteArray &b) { Put32(b, Stored(kReset) + 4, 0); }},
        {"compressed length too large", [](QByteArray &b) { Put64(b, Stored(kReset) + 24, quint64(b.size()) * 2); }},
    };
    const QByteArray good = BuiltHelpBytes();
    QTemporaryDir dir;
    for (const auto &c : cases) {
        QByteArray bytes = good;
        c.apply(bytes);
        ChmFile chm;
        EXPECT_FALSE(chm.open(WriteCopy(dir, bytes))) << c.label;
        EXPECT_FALSE(chm.errorString().isEmpty()) << c.label;
    }
    // Every truncation, from one byte short down to nothing.
    for (qsizetype length = good.size() - 1; length >= 0; length -= length > 97 ? 97 : std::max<qsizetype>(length, 1))
        EXPECT_FALSE(ChmFile().open(WriteCopy(dir, good.left(length)))) << "cut at " << length;
}

// Opens a damaged copy and reads all it claims to hold: each read gives the bytes or a reason.
void ReadEverything(const QString &path, const std::string &what)
{
    ChmFile chm;
    if (!chm.open(path)) {
        EXPECT_FALSE(chm.errorString().isEmpty()) << what;
        return;
    }
    for (const QString &object : chm.objectPaths()) {
        const auto bytes = chm.read(object);
        EXPECT_TRUE(bytes ? quint64(bytes->size()) <= ChmFile::kMaxObjectSize : !chm.errorString().isEmpty()) << what;
    }
    chm.homePath(); // reads the contents too
}

// Flips each byte of the headers, the directory entries and the compression
// tables, then sets random bytes anywhere (fixed seed: a failure replays).
TEST(DamagedHelpFile, ByteDamageNeverCrashes)
{
    const QByteArray bytes = BuiltHelpBytes();
    const quint64 entriesEnd = Head(bytes) + Get32(bytes, Dir(bytes) + 16) - Get32(bytes, Head(bytes) + 4);
    const quint64 tablesEnd = Stored(kReset) + 72;
    QTemporaryDir dir;
    for (quint64 at = 0; at < tablesEnd; at = at + 1 == entriesEnd ? Stored(kControl) : at + 1) {
        QByteArray copy = bytes;
        copy[qsizetype(at)] = char(copy[qsizetype(at)] ^ 0xff);
        ReadEverything(WriteCopy(dir, copy), "flip at " + std::to_string(at));
    }
    QRandomGenerator random(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray copy = bytes;
        for (int i = 0; i < 6; ++i)
            copy[random.bounded(int(copy.size()))] = char(random.bounded(256));
        ReadEverything(WriteCopy(dir, copy), "random round " + std::to_string(round));
    }
}

} // namespace
