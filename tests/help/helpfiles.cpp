#include "helpfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringDecoder>
#include <QtEndian>

namespace helptest {

QString BuiltHelpFile() { return QStringLiteral(NLT_TEST_HELP_FILE); }

QByteArray BuiltHelpBytes()
{
    QFile file(BuiltHelpFile());
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << BuiltHelpFile().toStdString();
        return {};
    }
    return file.readAll();
}

QString ReadPage(const QString &path)
{
    nlt::help::ChmFile chm;
    if (!chm.open(BuiltHelpFile())) {
        ADD_FAILURE() << chm.errorString().toStdString();
        return {};
    }
    const auto bytes = chm.read(path);
    if (!bytes) {
        ADD_FAILURE() << path.toStdString() << ": " << chm.errorString().toStdString();
        return {};
    }
    return QStringDecoder(QStringDecoder::Utf8).decode(*bytes);
}

quint64 StoredObjectOffset(const QByteArray &path)
{
    QFile file(BuiltHelpFile());
    nlt::help::ChmLayout layout;
    if (!file.open(QIODevice::ReadOnly) || !nlt::help::CheckChmLayout(file, layout).isEmpty()
        || !layout.objects.contains(path)) {
        ADD_FAILURE() << "no stored object " << path.toStdString();
        return 0;
    }
    return layout.dataOffset + layout.objects.value(path).start;
}

void PutU32(QByteArray &bytes, quint64 at, quint32 value) { qToLittleEndian(value, bytes.data() + at); }
void PutU64(QByteArray &bytes, quint64 at, quint64 value) { qToLittleEndian(value, bytes.data() + at); }
quint32 GetU32(const QByteArray &bytes, quint64 at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint64 GetU64(const QByteArray &bytes, quint64 at) { return qFromLittleEndian<quint64>(bytes.constData() + at); }

QString WriteCopy(const QTemporaryDir &dir, const QByteArray &bytes, const QString &name)
{
    const QString path = dir.filePath(name.isEmpty() ? QStringLiteral("help - zentrix.chm") : name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

} // namespace helptest
