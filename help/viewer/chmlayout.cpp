#include "help/viewer/chmlayout.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QSet>
#include <QtEndian>

namespace nlt::help {

namespace {

constexpr quint64 kItsfV2Length = 0x58;
constexpr quint64 kItsfV3Length = 0x60;
constexpr quint64 kItspLength = 0x54;
constexpr quint64 kPmglLength = 20;
constexpr quint64 kPmgiLength = 8;
constexpr quint64 kMaxDirectoryBlock = 1u << 20;
constexpr quint64 kMaxPathLength = 512;
constexpr int kMaxIndexDepth = 16;
constexpr quint64 kMaxCompressedBlock = 1u << 21;

const QByteArray kContentPath = "::DataSpace/Storage/MSCompressed/Content";
const QByteArray kControlDataPath = "::DataSpace/Storage/MSCompressed/ControlData";
const QByteArray kResetTablePath =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

QString Fault(const char *text) { return QCoreApplication::translate("ChmFile", text); }

quint32 U32(const QByteArray &d, quint64 at) { return qFromLittleEndian<quint32>(d.constData() + at); }
qint32 I32(const QByteArray &d, quint64 at) { return qFromLittleEndian<qint32>(d.constData() + at); }
quint64 U64(const QByteArray &d, quint64 at) { return qFromLittleEndian<quint64>(d.constData() + at); }

// Reads exactly length bytes at offset, or fails.
bool ReadAt(QIODevice &file, quint64 offset, quint64 length, QByteArray &out)
{
    if (!file.seek(static_cast<qint64>(offset)))
        return false;
    out = file.read(static_cast<qint64>(length));
    return static_cast<quint64>(out.size()) == length;
}

// a + b <= limit without overflow.
bool FitsWithin(quint64 a, quint64 b, quint64 limit) { return a <= limit && b <= limit - a; }

// A cursor over the entries of one directory block, never reading past its end.
struct EntryCursor {
    const uchar *at;
    const uchar *end;

    // Reads one variable-length number (7 bits a byte, high bit: more follow).
    bool number(quint64 &value)
    {
        value = 0;
        for (int i = 0; i < 9 && at < end; ++i) {
            const uchar byte = *at++;
            value = (value << 7) | (byte & 0x7f);
            if (!(byte & 0x80))
                return true;
        }
        return false;
    }

    // Reads a path of 1 to 512 bytes.
    bool path(QByteArray &name)
    {
        quint64 length = 0;
        if (!number(length) || length == 0 || length > kMaxPathLength || length > quint64(end - at))
            return false;
        name = QByteArray(reinterpret_cast<const char *>(at), static_cast<qsizetype>(length));
        at += length;
        return true;
    }
};

// The directory: its geometry and the bytes of all its blocks.
struct Directory {
    QByteArray blocks;
    quint64 blockLength = 0;
    quint64 blockCount = 0;
    qint32 root = -1; // top of the index tree, -1 when the directory has one listing block
    qint32 head = -1; // first block of the listing chain

    QByteArray block(quint64 index) const
    {
        return blocks.mid(static_cast<qsizetype>(index * blockLength), static_cast<qsizetype>(blockLength));
    }

    // The entry area of a block with the given header, or an empty cursor on a bad header.
    bool entries(const QByteArray &data, const char *signature, quint64 headerLength, EntryCursor &cursor) const
    {
        if (!data.startsWith(signature))
            return false;
        const quint64 freeSpace = U32(data, 4);
        if (freeSpace > blockLength - headerLength)
            return false;
        const auto *base = reinterpret_cast<const uchar *>(data.constData());
        cursor = {base + headerLength, base + (blockLength - freeSpace)};
        return true;
    }
};

// Checks one listing block and collects its entries.
QString ReadListingBlock(const Directory &dir, quint64 index, ChmLayout &layout, qint32 &next)
{
    const QByteArray data = dir.block(index);
    EntryCursor cursor{};
    if (!dir.entries(data, "PMGL", kPmglLength, cursor))
        return Fault("A directory block is damaged.");
    next = I32(data, 16);
    while (cursor.at < cursor.end) {
        QByteArray name;
        quint64 space = 0;
        ChmObjectPlace place;
        if (!cursor.path(name) || !cursor.number(space) || !cursor.number(place.start) || !cursor.number(place.length))
            return Fault("A directory entry is damaged.");
        if (space > 1)
            return Fault("A directory entry names an unknown section.");
        place.space = static_cast<int>(space);
        layout.objects.insert(name, place);
    }
    return {};
}

// Walks the index tree from block index down to the listing blocks; every
// block may be reached once only, so a damaged tree cannot make a loop.
QString CheckIndexTree(const Directory &dir, quint64 index, int depth, QSet<quint64> &seen)
{
    if (index >= dir.blockCount || depth > kMaxIndexDepth || seen.contains(index))
        return Fault("The directory index is damaged.");
    seen.insert(index);
    const QByteArray data = dir.block(index);
    if (data.startsWith("PMGL")) {
        ChmLayout scratch;
        qint32 next = 0;
        return ReadListingBlock(dir, index, scratch, next);
    }
    EntryCursor cursor{};
    if (!dir.entries(data, "PMGI", kPmgiLength, cursor))
        return Fault("The directory index is damaged.");
    while (cursor.at < cursor.end) {
        QByteArray name;
        quint64 child = 0;
        if (!cursor.path(name) || !cursor.number(child))
            return Fault("The directory index is damaged.");
        if (QString fault = CheckIndexTree(dir, child, depth + 1, seen); !fault.isEmpty())
            return fault;
    }
    return {};
}

// Reads a stored (section 0) object of at least minLength bytes.
bool ReadStored(QIODevice &file, const ChmLayout &layout, const QByteArray &path, quint64 minLength, QByteArray &out)
{
    const auto it = layout.objects.constFind(path);
    if (it == layout.objects.cend() || it->space != 0 || it->length < minLength || it->length > 1u << 20)
        return false;
    return ReadAt(file, layout.dataOffset + it->start, it->length, out);
}

// Checks the compression parameters chmlib divides by and indexes with.
QString CheckCompression(QIODevice &file, const ChmLayout &layout)
{
    QByteArray control;
    QByteArray reset;
    const auto content = layout.objects.constFind(kContentPath);
    if (content == layout.objects.cend() || content->space != 0 || !ReadStored(file, layout, kControlDataPath, 24, control)
        || !ReadStored(file, layout, kResetTablePath, 40, reset))
        return Fault("The compressed section is missing.");

    // Values as chmlib computes them, in its 32-bit arithmetic.
    quint32 resetInterval = U32(control, 12);
    quint32 windowSize = U32(control, 16);
    const quint32 windowsPerReset = U32(control, 20);
    if (U32(control, 8) == 2) {
        resetInterval *= 0x8000u;
        windowSize *= 0x8000u;
    }
    const bool powerOfTwo = windowSize != 0 && (windowSize & (windowSize - 1)) == 0;
    if (!control.mid(4, 4).startsWith("LZXC") || !powerOfTwo || windowSize < (1u << 15) || windowSize > (1u << 21)
        || windowsPerReset == 0 || resetInterval < windowSize / 2 || resetInterval / (windowSize / 2) * windowsPerReset == 0)
        return Fault("The compression parameters are damaged.");

    const quint64 blockCount = U32(reset, 4);
    const quint64 tableOffset = U32(reset, 12);
    const quint64 uncompressed = U64(reset, 16);
    const quint64 compressed = U64(reset, 24);
    const quint64 blockLength = U64(reset, 32);
    if (U32(reset, 0) != 2 || blockLength == 0 || blockLength > kMaxCompressedBlock || compressed > content->length
        || blockCount > quint64(reset.size()) / 8 || !FitsWithin(tableOffset, blockCount * 8, quint64(reset.size()))
        || blockCount < (uncompressed + blockLength - 1) / blockLength)
        return Fault("The compression table is damaged.");
    quint64 previous = 0;
    for (quint64 i = 0; i < blockCount; ++i) {
        const quint64 offset = U64(reset, tableOffset + 8 * i);
        if (offset < previous || offset > compressed)
            return Fault("The compression table is damaged.");
        previous = offset;
    }
    for (const ChmObjectPlace &place : layout.objects)
        if (place.space == 1 && !FitsWithin(place.start, place.length, uncompressed))
            return Fault("An object lies outside the compressed section.");
    return {};
}

// Reads the file and directory headers into dir and the data offset into layout.
QString ReadHeaders(QIODevice &file, ChmLayout &layout, Directory &dir)
{
    QByteArray itsf;
    if (!ReadAt(file, 0, kItsfV2Length, itsf) || !itsf.startsWith("ITSF"))
        return Fault("The file is not a compiled help file.");
    const qint32 version = I32(itsf, 4);
    const quint64 headerLength = U32(itsf, 8);
    if ((version != 2 && version != 3) || headerLength != (version == 3 ? kItsfV3Length : kItsfV2Length)
        || !ReadAt(file, 0, headerLength, itsf))
        return Fault("The file header is damaged.");
    const quint64 dirOffset = U64(itsf, 72);
    const quint64 dirLength = U64(itsf, 80);
    layout.dataOffset = version == 3 ? U64(itsf, 88) : dirOffset + dirLength;
    if (!FitsWithin(dirOffset, dirLength, layout.fileSize) || dirLength < kItspLength || layout.dataOffset > layout.fileSize)
        return Fault("The file is truncated or its header is damaged.");

    QByteArray itsp;
    if (!ReadAt(file, dirOffset, kItspLength, itsp) || !itsp.startsWith("ITSP") || U32(itsp, 8) != kItspLength)
        return Fault("The directory header is damaged.");
    dir.blockLength = U32(itsp, 16);
    dir.blockCount = U32(itsp, 44);
    dir.root = I32(itsp, 28);
    dir.head = I32(itsp, 32);
    if (dir.blockLength <= kPmglLength || dir.blockLength > kMaxDirectoryBlock || dir.blockCount == 0
        || dir.blockCount > (dirLength - kItspLength) / dir.blockLength
        || !ReadAt(file, dirOffset + kItspLength, dir.blockCount * dir.blockLength, dir.blocks))
        return Fault("The directory is truncated or damaged.");
    return {};
}

} // namespace

QString CheckChmLayout(QIODevice &file, ChmLayout &layout)
{
    layout = ChmLayout{};
    if (file.size() <= 0 || quint64(file.size()) > kMaxChmFileSize)
        return Fault("The file is empty or too large to be a help file.");
    layout.fileSize = static_cast<quint64>(file.size());

    Directory dir;
    if (QString fault = ReadHeaders(file, layout, dir); !fault.isEmpty())
        return fault;

    const qint32 root = dir.root;
    const qint32 head = dir.head;
    if (head < 0 || quint64(head) >= dir.blockCount || root < -1 || (root >= 0 && quint64(root) >= dir.blockCount))
        return Fault("The directory index is damaged.");

    // chmlib looks objects up from the root and lists them along the chain from the head.
    QSet<quint64> seen;
    if (QString fault = CheckIndexTree(dir, quint64(root < 0 ? head : root), 0, seen); !fault.isEmpty())
        return fault;
    QSet<quint64> chain;
    for (qint32 index = head; index != -1;) {
        if (index < 0 || quint64(index) >= dir.blockCount || chain.contains(quint64(index)))
            return Fault("The directory listing is damaged.");
        chain.insert(quint64(index));
        if (QString fault = ReadListingBlock(dir, quint64(index), layout, index); !fault.isEmpty())
            return fault;
    }

    bool compressedObjects = false;
    for (const ChmObjectPlace &place : std::as_const(layout.objects)) {
        if (place.space == 0 && !FitsWithin(place.start, place.length, layout.fileSize - layout.dataOffset))
            return Fault("The file is truncated: an object lies beyond its end.");
        compressedObjects = compressedObjects || place.space == 1;
    }
    if (compressedObjects)
        return CheckCompression(file, layout);
    return {};
}

} // namespace nlt::help
