#include "help/viewer/chmbrowser.h"

#include <QDesktopServices>
#include <QTextDocument>

#include "help/viewer/chmfile.h"
#include "help/viewer/sitemap.h"

namespace nlt::help {

namespace {

// Schemes handed to the desktop when a page links to them.
bool IsExternal(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == u"http" || scheme == u"https" || scheme == u"mailto" || scheme == u"ftp";
}

} // namespace

ChmBrowser::ChmBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::followLink);
}

void ChmBrowser::setChmFile(std::shared_ptr<ChmFile> file)
{
    file_ = std::move(file);
    clearHistory();
    document()->clear();
}

QUrl ChmBrowser::urlForPath(const QString &path)
{
    const qsizetype hash = path.indexOf(u'#');
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(hash < 0 ? path : path.left(hash));
    if (hash >= 0)
        url.setFragment(path.mid(hash + 1));
    return url;
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() != kScheme || !file_ || !file_->isOpen())
        return {};
    const auto data = file_->read(url.path());
    if (!data) {
        if (type != QTextDocument::HtmlResource)
            return {};
        return QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>")
            .arg(tr("This page cannot be shown").toHtmlEscaped(), file_->errorString().toHtmlEscaped());
    }
    // Bytes: the document detects the page's character set and decodes images itself.
    return *data;
}

void ChmBrowser::followLink(const QUrl &link)
{
    if (IsExternal(link)) {
        QDesktopServices::openUrl(link);
        return;
    }
    QUrl target = link;
    if (!link.isRelative() && link.scheme() != kScheme) {
        // "ms-its:file.chm::/page.html" and the like name a page of this file.
        const QString path = SitemapLocalToPath(link.toString());
        if (path.isEmpty())
            return;
        target = urlForPath(path);
    }
    setSource(source().resolved(target));
}

} // namespace nlt::help
