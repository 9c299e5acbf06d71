#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

class QIODevice;

namespace nlt::help {

// Where one object of a CHM lies: its section (0 stored, 1 compressed), offset and length.
struct ChmObjectPlace {
    int space = 0;
    quint64 start = 0;
    quint64 length = 0;
};

// The container structure of a CHM file as read and checked before chmlib sees it.
struct ChmLayout {
    // Size of the whole file in bytes.
    quint64 fileSize = 0;
    // Offset of the stored (uncompressed) section, which every space-0 object is relative to.
    quint64 dataOffset = 0;
    // Every object named in the directory, by its path ("/index.html", "::DataSpace/...").
    QHash<QByteArray, ChmObjectPlace> objects;
};

// Largest CHM file the viewer accepts; the help book is far smaller.
inline constexpr quint64 kMaxChmFileSize = 64ull * 1024 * 1024;

// Reads the headers, the whole directory tree and the compression parameters of
// the CHM in file and checks every size, offset and link against the file, so
// that chmlib is only ever given a file it can walk without reading out of
// bounds, looping or dividing by zero. Returns an empty string and fills layout
// when the file is sound, else a short description of the first fault.
QString CheckChmLayout(QIODevice &file, ChmLayout &layout);

} // namespace nlt::help
