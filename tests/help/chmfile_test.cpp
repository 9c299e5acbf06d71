// The help file as chmlib reads it through ChmFile: its pages and contents,
// and damaged copies that must give an error, never a crash or a hang.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "help/viewer/chmfile.h"
#include "helpfiles.h"

namespace {

using helptest::BuiltHelpBytes;
using helptest::BuiltHelpFile;
using nlt::help::ChmFile;
using nlt::help::TocEntry;

TEST(BuiltHelpFile, HoldsEveryPageAndItsStyle)
{
    ChmFile chm;
    ASSERT_TRUE(chm.open(BuiltHelpFile())) << chm.errorString().toStdString();
    const QStringList objects = chm.objectPaths();
    for (const char *page : {"/index.html", "/window.html", "/keyboard.html", "/tests.html", "/operators.html",
                             "/truth-tables.html", "/evaluation.html", "/levels.html", "/progression.html",
                             "/scores.html", "/style.css", "/toc.hhc"}) {
        EXPECT_TRUE(objects.contains(QString::fromUtf8(page))) << page;
        const auto bytes = chm.read(QString::fromUtf8(page));
        ASSERT_TRUE(bytes.has_value()) << page << ": " << chm.errorString().toStdString();
        EXPECT_GT(bytes->size(), 100) << page;
    }
    EXPECT_TRUE(chm.read(QStringLiteral("/index.html"))->contains("<h1>Nested Logic Test Help</h1>"));
    EXPECT_TRUE(chm.read(QStringLiteral("/truth-tables.html"))->contains("<h1>Truth tables</h1>"));
    EXPECT_EQ(chm.homePath(), QStringLiteral("/index.html"));
}

TEST(BuiltHelpFile, ContentsListEveryTopicInOrder)
{
    ChmFile chm;
    ASSERT_TRUE(chm.open(BuiltHelpFile()));
    const QList<TocEntry> toc = chm.tableOfContents();
    ASSERT_EQ(toc.size(), 1);
    EXPECT_EQ(toc[0].name, QStringLiteral("Nested Logic Test Help"));
    EXPECT_EQ(toc[0].local, QStringLiteral("/index.html"));
    const QList<QPair<QString, QString>> topics{
        {"The test window", "/window.html"},     {"Values and the two tests", "/tests.html"},
        {"Operators and Not", "/operators.html"}, {"Working out an expression", "/evaluation.html"},
        {"Levels", "/levels.html"},              {"The results window", "/scores.html"},
    };
    ASSERT_EQ(toc[0].children.size(), topics.size());
    for (qsizetype i = 0; i < topics.size(); ++i) {
        EXPECT_EQ(toc[0].children[i].name, topics[i].first);
        EXPECT_EQ(toc[0].children[i].local, topics[i].second);
    }
    // Sub-topics sit under their topic, and every entry names a page the file holds.
    EXPECT_EQ(toc[0].children[0].children.value(0).local, QStringLiteral("/keyboard.html"));
    EXPECT_EQ(toc[0].children[2].children.value(0).local, QStringLiteral("/truth-tables.html"));
    EXPECT_EQ(toc[0].children[4].children.value(0).local, QStringLiteral("/progression.html"));
}

TEST(ChmFileErrors, MissingFileAndMissingPageSayWhy)
{
    ChmFile chm;
    EXPECT_FALSE(chm.open(QStringLiteral("/nonexistent/help - zentrix.chm")));
    EXPECT_FALSE(chm.isOpen());
    EXPECT_FALSE(chm.errorString().isEmpty());
    EXPECT_FALSE(chm.read(QStringLiteral("/index.html")).has_value());

    ASSERT_TRUE(chm.open(BuiltHelpFile()));
    EXPECT_FALSE(chm.read(QStringLiteral("/no-such-page.html")).has_value());
    EXPECT_TRUE(chm.errorString().contains(QStringLiteral("/no-such-page.html")));
    EXPECT_FALSE(chm.read(QString(600, u'a')).has_value());
    EXPECT_TRUE(chm.read(QStringLiteral("/index.html")).has_value());
}

// A damage done to a copy of the built file, at offsets read from the file itself.
struct Damage {
    const char *label;
    std::function<void(QByteArray &)> apply;
};

quint64 DirectoryOffset(const QByteArray &b) { return helptest::GetU64(b, 72); }
quint64 HeadBlockOffset(const QByteArray &b)
{
    const quint64 dir = DirectoryOffset(b);
    return dir + 0x54 + helptest::GetU32(b, dir + 32) * quint64(helptest::GetU32(b, dir + 16));
}
const QByteArray kControlData = "::DataSpace/Storage/MSCompressed/ControlData";
const QByteArray kResetTable =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

class DamagedHelpFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedHelpFile, IsRefusedWithAReason)
{
    QByteArray bytes = BuiltHelpBytes();
    ASSERT_GT(bytes.size(), 4096);
    GetParam().apply(bytes);
    QTemporaryDir dir;
    ChmFile chm;
    EXPECT_FALSE(chm.open(helptest::WriteCopy(dir, bytes))) << GetParam().label;
    EXPECT_FALSE(chm.errorString().isEmpty()) << GetParam().label;
}

using helptest::PutU32;
using helptest::PutU64;

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedHelpFile,
    testing::Values(
        Damage{"empty", [](QByteArray &b) { b.clear(); }},
        Damage{"header only", [](QByteArray &b) { b.truncate(0x60); }},
        Damage{"half the file", [](QByteArray &b) { b.truncate(b.size() / 2); }},
        Damage{"last byte missing", [](QByteArray &b) { b.chop(1); }},
        Damage{"not a help file", [](QByteArray &b) { b[0] = 'X'; }},
        Damage{"unknown version", [](QByteArray &b) { PutU32(b, 4, 7); }},
        Damage{"directory past the end", [](QByteArray &b) { PutU64(b, 72, quint64(b.size())); }},
        Damage{"directory length overflows", [](QByteArray &b) { PutU64(b, 80, ~quint64(0) - 8); }},
        Damage{"data offset past the end", [](QByteArray &b) { PutU64(b, 88, quint64(b.size()) + 1); }},
        Damage{"directory header signature", [](QByteArray &b) { b[int(DirectoryOffset(b))] = 'X'; }},
        Damage{"block length zero", [](QByteArray &b) { PutU32(b, DirectoryOffset(b) + 16, 0); }},
        Damage{"block count huge", [](QByteArray &b) { PutU32(b, DirectoryOffset(b) + 44, 0xffffffffu); }},
        Damage{"index root out of range", [](QByteArray &b) { PutU32(b, DirectoryOffset(b) + 28, 9999); }},
        Damage{"listing head out of range", [](QByteArray &b) { PutU32(b, DirectoryOffset(b) + 32, 0x7fffffff); }},
        Damage{"listing chain loops", [](QByteArray &b) {
                   PutU32(b, HeadBlockOffset(b) + 16, helptest::GetU32(b, DirectoryOffset(b) + 32));
               }},
        Damage{"listing free space beyond the block", [](QByteArray &b) {
                   PutU32(b, HeadBlockOffset(b) + 4, helptest::GetU32(b, DirectoryOffset(b) + 16));
               }},
        Damage{"entries cut short by the free space", [](QByteArray &b) {
                   PutU32(b, HeadBlockOffset(b) + 4, helptest::GetU32(b, DirectoryOffset(b) + 16) - 23);
               }},
        Damage{"window size zero", [](QByteArray &b) { PutU32(b, helptest::StoredObjectOffset(kControlData) + 16, 0); }},
        Damage{"reset interval zero", [](QByteArray &b) { PutU32(b, helptest::StoredObjectOffset(kControlData) + 12, 0); }},
        Damage{"compression signature", [](QByteArray &b) { b[int(helptest::StoredObjectOffset(kControlData) + 4)] = 'X'; }},
        Damage{"compressed block length zero", [](QByteArray &b) { PutU64(b, helptest::StoredObjectOffset(kResetTable) + 32, 0); }},
        Damage{"compressed block count zero", [](QByteArray &b) { PutU32(b, helptest::StoredObjectOffset(kResetTable) + 4, 0); }},
        Damage{"compressed length too large", [](QByteArray &b) {
                   PutU64(b, helptest::StoredObjectOffset(kResetTable) + 24, quint64(b.size()) * 2);
               }}));

// Opens a damaged copy and reads everything it claims to hold; every answer must
// be either the object's bytes or an error with a reason.
void ReadEverything(const QString &path, const char *what, qsizetype where)
{
    ChmFile chm;
    if (!chm.open(path)) {
        EXPECT_FALSE(chm.errorString().isEmpty()) << what << ' ' << where;
        return;
    }
    for (const QString &object : chm.objectPaths()) {
        const auto bytes = chm.read(object);
        if (!bytes) {
            EXPECT_FALSE(chm.errorString().isEmpty()) << what << ' ' << where;
        } else {
            EXPECT_LE(quint64(bytes->size()), ChmFile::kMaxObjectSize);
        }
    }
    chm.tableOfContents();
    chm.homePath();
}

TEST(DamagedHelpFileSweep, EveryTruncationIsRefused)
{
    const QByteArray bytes = BuiltHelpBytes();
    QTemporaryDir dir;
    for (qsizetype length = 0; length < bytes.size(); length += 97) {
        ChmFile chm;
        EXPECT_FALSE(chm.open(helptest::WriteCopy(dir, bytes.left(length)))) << "cut at " << length;
    }
}

TEST(DamagedHelpFileSweep, ByteFlipsNeverCrash)
{
    const QByteArray bytes = BuiltHelpBytes();
    QTemporaryDir dir;
    for (qsizetype at = 0; at < bytes.size(); at += 11) {
        QByteArray copy = bytes;
        copy[at] = char(copy[at] ^ 0xff);
        ReadEverything(helptest::WriteCopy(dir, copy), "flip at", at);
    }
    // Several damages at once, from a fixed seed so a failure can be replayed.
    QRandomGenerator random(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray copy = bytes;
        for (int i = 0; i < 6; ++i)
            copy[random.bounded(int(copy.size()))] = char(random.bounded(256));
        ReadEverything(helptest::WriteCopy(dir, copy), "random round", round);
    }
}

} // namespace
