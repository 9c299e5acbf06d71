#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <memory>

namespace nlt::help {

class ChmFile;

// A page view whose pages, stylesheets and images all come from one help
// file, addressed as "chm:/page.html". Links inside the file are followed in
// the view; links to the web or mail open in the desktop's own programs.
class ChmBrowser : public QTextBrowser {
    Q_OBJECT

public:
    // The URL scheme of pages inside the help file.
    static inline const QString kScheme = QStringLiteral("chm");

    // An empty view; setChmFile() gives it pages.
    explicit ChmBrowser(QWidget *parent = nullptr);

    // Shows pages from file from now on; the view keeps it alive.
    void setChmFile(std::shared_ptr<ChmFile> file);

    // The URL of a path inside the help file, such as "/index.html#top".
    static QUrl urlForPath(const QString &path);

    // Serves every resource of a page from the help file; nothing is read from
    // disk. A page that cannot be read is replaced by a short notice saying why.
    QVariant loadResource(int type, const QUrl &name) override;

private:
    // Follows a clicked link: inside the file, or out to the desktop.
    void followLink(const QUrl &link);

    std::shared_ptr<ChmFile> file_;
};

} // namespace nlt::help
