// The sitemap reader: nesting, attribute forms, page links, damaged markup and its limits.
#include "help/viewer/sitemap.h"
#include "helpfiles.h"

#include <tuple>

namespace {

using namespace nlt::help;
using helptest::Shape;

// One contents entry as the help compiler writes it.
QString Object(const QString &name, const QString &local)
{
    return QString("<LI><OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"%1\">\n<param name=\"Local\" "
                   "value=\"%2\">\n</OBJECT>\n")
        .arg(name, local);
}

// Each row: what is read of one piece of markup; then the caps on depth and entries.
TEST(Sitemap, ReadsWhatItCanOfAnyMarkupWithinItsCaps)
{
    const QString a = Object("A", "a.html"), b = Object("B", "b.html"),
                  noPage = "<param name=\"Name\" value=\"H\"></OBJECT>";
    // What the markup shows, the markup, and the contents read from it.
    const std::tuple<const char *, QString, QString> cases[] = {
        {"nested lists",
            "<UL>" + a + "<UL>" + Object("A1", "x/a1.htm") + "<UL>" + Object("A2", "a2.html#part") + "</UL>"
                + Object("A3", "a3.html") + "</UL>" + b,
            "A=/a.html[A1=/x/a1.htm[A2=/a2.html#part],A3=/a3.html],B=/b.html"},
        {"heading without a page", "<UL><LI><OBJECT type=\"text/sitemap\">" + noPage + "<UL>" + a, "H=[A=/a.html]"},
        {"other object types", "<OBJECT type=\"text/site properties\">" + noPage + a, "A=/a.html"},
        {"case, quotes and spacing",
            "<ul><li><object TYPE='text/sitemap'><PARAM NAME=name VALUE='Q &amp; A'>\n"
            "<param\tname=\"LOCAL\"\nvalue=faq.html></object></ul>",
            "Q & A=/faq.html"},
        {"character references", Object("&lt;x&gt; &#65;&#x42; &quot;q&quot;", "a.html"), "<x> AB \"q\"=/a.html"},
        {"absolute, backslash and file-qualified links",
            Object("R", "/r.html") + Object("S", "sub\\s.htm") + Object("L", "ms-its:help - zentrix.chm::/levels.html")
                + Object("M", "mk:@MSITStore:C:\\x.chm::/m.html#t"),
            "R=/r.html,S=/sub/s.htm,L=/levels.html,M=/m.html#t"},
        {"links out of the file", Object("W", "https://example.org/a.html") + Object("T", "#top"), "W=,T="},
        {"entry without a name", Object("", "a.html") + b, "B=/b.html"},
        {"no markup", "just text", ""},
        {"unterminated tag", a + "<OBJECT type=\"text/sitemap\"", "A=/a.html"},
        {"more lists closed than opened", "</UL></UL>" + a + "</UL>" + b, "A=/a.html,B=/b.html"},
    };
    for (const auto &[label, text, expected] : cases)
        EXPECT_EQ(Shape(ParseSitemap(text)), expected) << label;
    // Deeper entries are flattened, not dropped; entries past the cap are dropped.
    const QString shape = Shape(ParseSitemap(("<UL>" + Object("d", "p.html")).repeated(kMaxSitemapDepth * 3)));
    // One "[" for each level below the top.
    EXPECT_EQ(shape.count("=/p.html"), kMaxSitemapDepth * 3);
    EXPECT_EQ(shape.count('['), kMaxSitemapDepth - 1);
    EXPECT_EQ(ParseSitemap(Object("e", "e.html").repeated(kMaxSitemapEntries + 50)).size(), kMaxSitemapEntries);
}

} // namespace
