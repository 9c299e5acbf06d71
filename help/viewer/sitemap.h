#pragma once

#include <QList>
#include <QString>

namespace nlt::help {

// One entry of a help file's table of contents, with the entries nested under it.
struct TocEntry {
    QString name;
    // Page path inside the help file, "/index.html", maybe with "#anchor"; empty for a heading.
    QString local;
    QList<TocEntry> children;
};

// Largest number of entries and deepest nesting read from one sitemap.
inline constexpr int kMaxSitemapEntries = 10000;
inline constexpr int kMaxSitemapDepth = 32;

// Reads the entries of a sitemap (.hhc) text: every <OBJECT type="text/sitemap">
// with its "Name" and "Local" parameters, nested by <UL> lists. Tolerates any
// damage: unknown or broken markup is skipped, deeper nesting is flattened.
QList<TocEntry> ParseSitemap(const QString &text);

// The path inside the help file that a sitemap or page link names: "page.html",
// "/page.html" and "ms-its:file.chm::/page.html" all give "/page.html" (with
// any "#anchor" kept); an empty string for links outside the file.
QString SitemapLocalToPath(const QString &local);

} // namespace nlt::help
