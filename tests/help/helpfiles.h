#pragma once

// The help file the build made, its pages, and copies of it written for damage.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "help/viewer/chmfile.h"

// Readable values in test failures.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QUrl &url, std::ostream *out) { *out << url.toString().toStdString(); }

namespace helptest {

inline const QString kHelpFile = QStringLiteral(NLT_TEST_HELP_FILE);

// The bytes of the built help file; fails the test when unreadable.
inline QByteArray BuiltHelpBytes()
{
    QFile file(kHelpFile);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << NLT_TEST_HELP_FILE;
    return file.readAll();
}

// The text of a page of the built help file; fails the test when unreadable.
inline QString ReadPage(const QString &path)
{
    nlt::help::ChmFile chm;
    const auto bytes = chm.open(kHelpFile) ? chm.read(path) : std::nullopt;
    EXPECT_TRUE(bytes) << path.toStdString() << ": " << chm.errorString().toStdString();
    return QString::fromUtf8(bytes.value_or(QByteArray()));
}

// Writes bytes to a fresh file in dir named like the real help file (a
// truncated one makes the file system flush it, slowly); returns its path.
inline QString WriteCopy(const QTemporaryDir &dir, const QByteArray &bytes)
{
    QFile file(dir.filePath(QStringLiteral("help - zentrix.chm")));
    QFile::remove(file.fileName());
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
}

// A contents tree as text: "name=local", children in brackets.
inline QString Shape(const QList<nlt::help::TocEntry> &entries)
{
    QStringList parts;
    for (const auto &e : entries)
        parts << e.name + u'=' + e.local + (e.children.isEmpty() ? QString() : u'[' + Shape(e.children) + u']');
    return parts.join(u',');
}

} // namespace helptest
