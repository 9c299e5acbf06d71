// The sitemap reader: nesting, attribute forms, page links, damaged markup and its limits.
#include "help/viewer/sitemap.h"
#include "helpfiles.h"

namespace {

using helptest::Shape;
using nlt::help::kMaxSitemapDepth;
using nlt::help::kMaxSitemapEntries;
using nlt::help::ParseSitemap;

QString Object(const QString &name, const QString &local)
{
    return QStringLiteral("<LI><OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"%1\">\n"
                          "<param name=\"Local\" value=\"%2\">\n</OBJECT>\n").arg(name, local);
}

TEST(Sitemap, ReadsWhatItCanOfAnyMarkup)
{
    const QString a = Object("A", "a.html");
    const QString b = Object("B", "b.html");
    const struct { const char *label; QString text; QString shape; } cases[] = {
        {"flat list", "<UL>" + a + b + "</UL>", "A=/a.html,B=/b.html"},
        {"nested lists", "<UL>" + a + "<UL>" + Object("A1", "x/a1.htm") + Object("A2", "a2.html#part") + "</UL>" + b,
         "A=/a.html[A1=/x/a1.htm,A2=/a2.html#part],B=/b.html"},
        {"heading without a page",
         "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"H\"></OBJECT><UL>" + a, "H=[A=/a.html]"},
        {"case, quotes and spacing", "<ul><li><object TYPE='text/sitemap'><PARAM NAME=name VALUE='Q &amp; A'>\n"
                                     "<param\tname=\"LOCAL\"\nvalue=faq.html></object></ul>", "Q & A=/faq.html"},
        {"character references", Object("&lt;x&gt; &#65;&#x42; &quot;q&quot;", "a.html"), "<x> AB \"q\"=/a.html"},
        {"other object types", "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"p\"></OBJECT>" + a,
         "A=/a.html"},
        {"entry without a name", Object("", "a.html") + b, "B=/b.html"},
        {"absolute, backslash and file-qualified links",
         Object("R", "/r.html") + Object("S", "sub\\s.htm") + Object("L", "ms-its:help - zentrix.chm::/levels.html") +
             Object("M", "mk:@MSITStore:C:\\x.chm::/m.html#t"),
         "R=/r.html,S=/sub/s.htm,L=/levels.html,M=/m.html#t"},
        {"links out of the file", Object("W", "https://example.org/a.html") + Object("T", "#top"), "W=,T="},
        {"unterminated tag", a + "<OBJECT type=\"text/sitemap\"", "A=/a.html"},
        {"more lists closed than opened", "</UL></UL>" + a + "</UL>" + b, "A=/a.html,B=/b.html"},
        {"no markup", "just text", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Shape(ParseSitemap(c.text)), c.shape) << c.label;
}

// Deeper entries are flattened, not dropped; entries past the cap are dropped.
TEST(Sitemap, NestingAndEntryCountAreCapped)
{
    QString deep;
    for (int i = 0; i < kMaxSitemapDepth * 3; ++i)
        deep += "<UL>" + Object(QString::number(i), "p.html");
    int count = 0, depth = 0;
    for (auto tree = ParseSitemap(deep); !tree.isEmpty(); tree = QList(tree.back().children), ++depth)
        count += int(tree.size());
    EXPECT_EQ(std::pair(count, depth), std::pair(kMaxSitemapDepth * 3, kMaxSitemapDepth));
    EXPECT_EQ(ParseSitemap(Object("e", "e.html").repeated(kMaxSitemapEntries + 50)).size(), kMaxSitemapEntries);
}

} // namespace
