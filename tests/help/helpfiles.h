#pragma once

// Access to the help file the build made, and damaged copies of it.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

#include "help/viewer/chmfile.h"

namespace helptest {

// Path of the help file the build put beside the program.
QString BuiltHelpFile();

// The bytes of the built help file.
QByteArray BuiltHelpBytes();

// The text of a page of the built help file, decoded; fails the test when unreadable.
QString ReadPage(const QString &path);

// The file offset of a stored object of the built help file, such as its compression table.
quint64 StoredObjectOffset(const QByteArray &path);

// Writes little-endian numbers into a copy of a help file.
void PutU32(QByteArray &bytes, quint64 at, quint32 value);
void PutU64(QByteArray &bytes, quint64 at, quint64 value);
quint32 GetU32(const QByteArray &bytes, quint64 at);
quint64 GetU64(const QByteArray &bytes, quint64 at);

// Writes bytes to a file named like the real help file in dir; returns its path.
QString WriteCopy(const QTemporaryDir &dir, const QByteArray &bytes, const QString &name = {});

} // namespace helptest
