// The sitemap reader: nesting, attribute forms and damaged markup.
#include <gtest/gtest.h>

#include "help/viewer/sitemap.h"

namespace {

using nlt::help::ParseSitemap;
using nlt::help::SitemapLocalToPath;
using nlt::help::TocEntry;

// One sitemap object with a name and a local page.
QString Object(const QString &name, const QString &local)
{
    return QStringLiteral("<LI><OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"%1\">\n"
                          "<param name=\"Local\" value=\"%2\">\n</OBJECT>\n")
        .arg(name, local);
}

// The tree as text, "name=local" with children in brackets, for compact comparison.
QString Shape(const QList<TocEntry> &entries)
{
    QStringList parts;
    for (const TocEntry &e : entries)
        parts << e.name + u'=' + e.local + (e.children.isEmpty() ? QString() : u'[' + Shape(e.children) + u']');
    return parts.join(u',');
}

struct SitemapCase {
    const char *label;
    QString text;
    QString shape;
};

class SitemapParse : public testing::TestWithParam<SitemapCase> {};

TEST_P(SitemapParse, GivesTheExpectedTree)
{
    EXPECT_EQ(Shape(ParseSitemap(GetParam().text)), GetParam().shape) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SitemapParse,
    testing::Values(
        SitemapCase{"flat list", "<UL>" + Object("A", "a.html") + Object("B", "b.html") + "</UL>",
                    "A=/a.html,B=/b.html"},
        SitemapCase{"nested lists", "<UL>" + Object("A", "a.html") + "<UL>" + Object("A1", "x/a1.htm") +
                                        Object("A2", "a2.html#part") + "</UL>" + Object("B", "b.html") + "</UL>",
                    "A=/a.html[A1=/x/a1.htm,A2=/a2.html#part],B=/b.html"},
        SitemapCase{"heading without a page", "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                                              "value=\"Heading\"></OBJECT><UL>" + Object("A", "a.html") + "</UL></UL>",
                    "Heading=[A=/a.html]"},
        SitemapCase{"lower case, single quotes, unquoted and odd spacing",
                    "<ul><li><object TYPE='text/sitemap'><PARAM NAME=name VALUE='Q &amp; A'>\n"
                    "<param\tname=\"LOCAL\"\nvalue=faq.html></object></ul>",
                    "Q & A=/faq.html"},
        SitemapCase{"character references", "<UL>" + Object("&lt;x&gt; &#65;&#x42; &quot;q&quot;", "a.html") + "</UL>",
                    "<x> AB \"q\"=/a.html"},
        SitemapCase{"objects of other types are skipped",
                    "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"props\"></OBJECT><UL>" +
                        Object("A", "a.html") + "</UL>",
                    "A=/a.html"},
        SitemapCase{"an entry without a name is dropped", "<UL>" + Object("", "a.html") + Object("B", "b.html") + "</UL>",
                    "B=/b.html"},
        SitemapCase{"a link out of the file keeps its name only", "<UL>" + Object("Web", "https://example.org/") + "</UL>",
                    "Web="},
        SitemapCase{"an unterminated tag ends the reading", "<UL>" + Object("A", "a.html") + "<OBJECT type=\"text/sitemap\"",
                    "A=/a.html"},
        SitemapCase{"closing more lists than were opened", "</UL></UL>" + Object("A", "a.html") + "</UL>" +
                                                         Object("B", "b.html"),
                    "A=/a.html,B=/b.html"},
        SitemapCase{"no markup at all", "just text, no tags", ""},
        SitemapCase{"empty", "", ""}));

TEST(SitemapParse, DeepNestingIsCappedAndEveryEntryKept)
{
    QString text;
    for (int i = 0; i < nlt::help::kMaxSitemapDepth * 3; ++i)
        text += "<UL>" + Object(QString::number(i), "p.html");
    const QList<TocEntry> tree = ParseSitemap(text);
    int count = 0;
    int depth = 0;
    for (const QList<TocEntry> *level = &tree; !level->isEmpty(); level = &level->back().children) {
        count += int(level->size());
        ++depth;
    }
    EXPECT_EQ(count, nlt::help::kMaxSitemapDepth * 3);
    EXPECT_LE(depth, nlt::help::kMaxSitemapDepth);
}

TEST(SitemapParse, EntryCountIsCapped)
{
    QString text = "<UL>";
    for (int i = 0; i < nlt::help::kMaxSitemapEntries + 50; ++i)
        text += Object("e", "e.html");
    EXPECT_EQ(ParseSitemap(text).size(), nlt::help::kMaxSitemapEntries);
}

struct LocalCase {
    const char *local;
    const char *path;
};

class SitemapLocal : public testing::TestWithParam<LocalCase> {};

TEST_P(SitemapLocal, NamesThePageInsideTheFile)
{
    EXPECT_EQ(SitemapLocalToPath(QString::fromUtf8(GetParam().local)), QString::fromUtf8(GetParam().path))
        << GetParam().local;
}

INSTANTIATE_TEST_SUITE_P(Cases, SitemapLocal,
                         testing::Values(LocalCase{"index.html", "/index.html"}, LocalCase{"/index.html", "/index.html"},
                                         LocalCase{"sub\\page.htm", "/sub/page.htm"},
                                         LocalCase{"page.html#anchor", "/page.html#anchor"},
                                         LocalCase{"ms-its:help - zentrix.chm::/levels.html", "/levels.html"},
                                         LocalCase{"mk:@MSITStore:C:\\x.chm::/a.html", "/a.html"},
                                         LocalCase{"https://example.org/a.html", ""},
                                         LocalCase{"mailto:someone@example.org", ""}, LocalCase{"#top", ""},
                                         LocalCase{"", ""}));

} // namespace
