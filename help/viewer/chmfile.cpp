#include "help/viewer/chmfile.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <chm_lib.h>

namespace nlt::help {

namespace {

// Collects object paths from chm_enumerate, stopping at a limit.
struct PathCollector {
    QStringList paths;
    qsizetype limit;
};

int CollectPath(chmFile *, chmUnitInfo *info, void *context)
{
    auto *collector = static_cast<PathCollector *>(context);
    info->path[CHM_MAX_PATHLEN] = '\0';
    const QString path = QString::fromUtf8(info->path);
    if (path.startsWith(u'/') && !path.endsWith(u'/') && !path.startsWith(u"/#") && !path.startsWith(u"/$"))
        collector->paths.append(path);
    return collector->paths.size() < collector->limit ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_SUCCESS;
}

// The path without its "#anchor".
QString WithoutAnchor(const QString &path) { return path.left(path.indexOf(u'#') < 0 ? path.size() : path.indexOf(u'#')); }

// The first entry of entries, depth first, whose page the file holds.
QString FirstPage(const QList<TocEntry> &entries, const ChmFile &file)
{
    for (const TocEntry &entry : entries) {
        if (!entry.local.isEmpty() && file.contains(WithoutAnchor(entry.local)))
            return entry.local;
        if (QString page = FirstPage(entry.children, file); !page.isEmpty())
            return page;
    }
    return {};
}

} // namespace

ChmFile::~ChmFile() { close(); }

bool ChmFile::open(const QString &path)
{
    close();
    QFile file(path);
    if (!file.exists()) {
        error_ = tr("The file does not exist.");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = tr("The file cannot be read: %1").arg(file.errorString());
        return false;
    }
    ChmLayout layout;
    if (const QString fault = CheckChmLayout(file, layout); !fault.isEmpty()) {
        error_ = fault;
        return false;
    }
    file.close();
    handle_ = chm_open(QFile::encodeName(path).constData());
    if (!handle_) {
        error_ = tr("The file is not a readable compiled help file.");
        return false;
    }
    path_ = path;
    layout_ = std::move(layout);
    error_.clear();
    return true;
}

void ChmFile::close()
{
    if (handle_)
        chm_close(handle_);
    handle_ = nullptr;
    path_.clear();
    layout_ = ChmLayout{};
}

QStringList ChmFile::objectPaths() const
{
    if (!handle_)
        return {};
    // The directory was checked when the file was opened; it cannot list more than it holds.
    PathCollector collector{{}, layout_.objects.size() + 1};
    chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, CollectPath, &collector);
    std::sort(collector.paths.begin(), collector.paths.end());
    return collector.paths;
}

bool ChmFile::contains(const QString &objectPath) const
{
    const QByteArray key = objectPath.toUtf8();
    chmUnitInfo info{};
    return handle_ && !key.isEmpty() && key.size() <= CHM_MAX_PATHLEN
        && chm_resolve_object(handle_, key.constData(), &info) == CHM_RESOLVE_SUCCESS;
}

std::optional<QByteArray> ChmFile::read(const QString &objectPath)
{
    if (!handle_) {
        error_ = tr("No help file is open.");
        return std::nullopt;
    }
    const QByteArray key = objectPath.toUtf8();
    chmUnitInfo info{};
    if (key.isEmpty() || key.size() > CHM_MAX_PATHLEN
        || chm_resolve_object(handle_, key.constData(), &info) != CHM_RESOLVE_SUCCESS) {
        error_ = tr("The help file holds no page %1.").arg(objectPath);
        return std::nullopt;
    }
    // chmlib must agree with the directory that was checked at open().
    info.path[CHM_MAX_PATHLEN] = '\0';
    const auto known = layout_.objects.constFind(QByteArray(info.path));
    if (known == layout_.objects.cend() || known->space != info.space || known->start != info.start
        || known->length != info.length || info.length > kMaxObjectSize) {
        error_ = tr("The page %1 is damaged or too large.").arg(objectPath);
        return std::nullopt;
    }
    QByteArray data(static_cast<qsizetype>(info.length), Qt::Uninitialized);
    if (info.length > 0) {
        const LONGINT64 got = chm_retrieve_object(handle_, &info, reinterpret_cast<unsigned char *>(data.data()), 0,
            static_cast<LONGINT64>(info.length));
        if (got != static_cast<LONGINT64>(info.length)) {
            error_ = tr("The page %1 cannot be read: the help file is damaged.").arg(objectPath);
            return std::nullopt;
        }
    }
    return data;
}

QString ChmFile::sitemapPath() const
{
    QString found;
    for (const QString &path : objectPaths()) {
        if (path.endsWith(u".hhc", Qt::CaseInsensitive)) {
            if (path.compare(u"/toc.hhc", Qt::CaseInsensitive) == 0 || found.isEmpty())
                found = path;
        }
    }
    return found;
}

QList<TocEntry> ChmFile::tableOfContents()
{
    const QString sitemap = sitemapPath();
    if (sitemap.isEmpty())
        return {};
    const auto data = read(sitemap);
    if (!data)
        return {};
    QStringDecoder decoder = QStringDecoder::decoderForHtml(*data);
    const QString text = decoder.isValid() ? decoder.decode(*data) : QString::fromLatin1(*data);
    return ParseSitemap(text);
}

QString ChmFile::homePath()
{
    if (QString page = FirstPage(tableOfContents(), *this); !page.isEmpty())
        return page;
    if (contains(QStringLiteral("/index.html")))
        return QStringLiteral("/index.html");
    const QStringList paths = objectPaths();
    const auto page = std::find_if(paths.cbegin(), paths.cend(), [](const QString &path) {
        return path.endsWith(u".html", Qt::CaseInsensitive) || path.endsWith(u".htm", Qt::CaseInsensitive);
    });
    return page == paths.cend() ? QString() : *page;
}

} // namespace nlt::help
