#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "help/viewer/chmlayout.h"
#include "help/viewer/sitemap.h"

struct chmFile;

namespace nlt::help {

// A compiled help file opened for reading. Owns the chmlib handle; checks the
// file's structure before chmlib reads it and caps every read, so a missing,
// truncated or damaged file gives an error text and never a crash.
class ChmFile {
    Q_DECLARE_TR_FUNCTIONS(ChmFile)

public:
    // Largest object read; the pages of a help book are far smaller.
    static constexpr quint64 kMaxObjectSize = 8u * 1024 * 1024;

    // A closed file; open() opens one.
    ChmFile() = default;
    // Closes the file.
    ~ChmFile();
    // One owner per chmlib handle.
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    // Opens the file at path, closing any file open before. False, with
    // errorString() saying why, when it is missing, unreadable or damaged.
    bool open(const QString &path);
    // Closes the file; harmless when none is open.
    void close();
    // Whether a file is open.
    bool isOpen() const { return handle_ != nullptr; }
    // Path of the open file, empty when none is open.
    QString path() const { return path_; }
    // Why the last open() or read() failed.
    QString errorString() const { return error_; }

    // Paths of the file's own objects ("/index.html"), sorted; internal
    // objects whose names begin with "::" or "#" are left out.
    QStringList objectPaths() const;
    // Whether the file holds an object at path.
    bool contains(const QString &objectPath) const;
    // The bytes of the object at path ("/index.html"), or nothing, with
    // errorString() saying why, when it is missing, too large or unreadable.
    std::optional<QByteArray> read(const QString &objectPath);
    // The table of contents read from the file's .hhc sitemap; empty when it has none.
    QList<TocEntry> tableOfContents();
    // The page to show first: the first page of the contents, else "/index.html",
    // else the first page of the file; empty when the file holds no page.
    QString homePath();

private:
    // Finds the contents sitemap: the only "*.hhc" object, or "/toc.hhc".
    QString sitemapPath() const;

    chmFile *handle_ = nullptr;
    QString path_;
    QString error_;
    ChmLayout layout_;
};

} // namespace nlt::help
