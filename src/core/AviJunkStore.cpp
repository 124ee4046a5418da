#include "core/AviJunkStore.h"

#include <QFileDevice>
#include <QtEndian>

#include <unistd.h>

namespace AviJunkStore {

namespace {

// The free run is one byte longer than the record: the byte before it stays zero.
constexpr qint64 RunLength = MovieMenuRecord::Size + 1;

// Never seeks past the end: some devices (QBuffer) fill the gap with zeros when they can write.
QByteArray readAt(QIODevice &file, qint64 at, qint64 length)
{
    if (at < 0 || length <= 0 || at >= file.size() || !file.seek(at))
        return {};
    return file.read(length);
}

// The first signature from `from` on, as the reader looks for it; the record starts one
// byte before it.
std::optional<qint64> findRecord(QIODevice &file, qint64 from)
{
    const QByteArray window = readAt(file, from, SearchLimit + MovieMenuRecord::SignatureLength - from);
    const qsizetype found = window.indexOf(QByteArray(MovieMenuRecord::Signature));
    if (found < 0 || from + found >= SearchLimit)
        return std::nullopt;
    return from + found - 1;
}

bool writeAt(QIODevice &file, qint64 at, const QByteArray &bytes)
{
    const qint64 sizeBefore = file.size();
    if (!file.seek(at) || file.write(bytes) != bytes.size())
        return false;
    if (auto *device = qobject_cast<QFileDevice *>(&file)) {
        if (!device->flush())
            return false;
        ::fsync(device->handle());
    }
    return file.size() == sizeBefore;
}

} // namespace

std::optional<Chunk> findChunk(QIODevice &file)
{
    const QByteArray head = readAt(file, PreferredChunkAt, LastChunkAt - PreferredChunkAt + 8);
    qsizetype found = head.startsWith("JUNK") ? 0 : head.indexOf("JUNK");
    if (found < 0 || PreferredChunkAt + found > LastChunkAt || found + 8 > head.size())
        return std::nullopt;
    Chunk chunk;
    chunk.at = PreferredChunkAt + found;
    chunk.payloadBegin = chunk.at + 8;
    const quint32 size = qFromLittleEndian<quint32>(head.constData() + found + 4);
    chunk.payloadEnd = qMin(chunk.payloadBegin + qint64(size), file.size());
    chunk.anchor = chunk.at + (chunk.at == PreferredChunkAt ? 10 : 11);
    return chunk;
}

ReadResult read(QIODevice &file, const char *codePage)
{
    ReadResult result;
    const std::optional<Chunk> chunk = findChunk(file);
    if (!chunk)
        return result;
    result.status = ReadResult::NoRecord;
    const std::optional<qint64> at = findRecord(file, chunk->anchor);
    if (!at)
        return result;
    const MovieMenuRecord::Decoded decoded =
        MovieMenuRecord::decode(readAt(file, *at, MovieMenuRecord::Size), codePage);
    result.at = *at;
    if (!decoded.menu) {
        result.status = ReadResult::Invalid;
        result.error = decoded.error;
        return result;
    }
    result.status = ReadResult::Found;
    result.menu = *decoded.menu;
    return result;
}

WriteResult write(QIODevice &file, const MovieMenu &menu, const char *codePage)
{
    WriteResult result;
    const std::optional<Chunk> chunk = findChunk(file);
    if (!chunk)
        return result;
    result.status = WriteStatus::NoRoom;
    // The free run must start before WriteLimit and end inside the payload.
    const qint64 first = chunk->anchor + 1;
    const qint64 end = qMin(chunk->payloadEnd, WriteLimit - 1 + RunLength);
    const QByteArray room = readAt(file, first, end - first);
    qint64 q = 0;
    while (first + q < WriteLimit && q + RunLength <= room.size()) {
        qint64 lastSet = -1;
        for (qint64 i = q; i < q + RunLength; ++i)
            if (room[i] != '\0')
                lastSet = i;
        if (lastSet < 0)
            break;
        q = lastSet + 1;
    }
    if (!(first + q < WriteLimit && q + RunLength <= room.size()))
        return result;

    const qint64 at = first + q + 1;
    const QByteArray record = MovieMenuRecord::encode(menu, codePage);
    if (!writeAt(file, at, record)) {
        result.status = WriteStatus::WriteFailed;
        return result;
    }
    result.status = readAt(file, at, record.size()) == record ? WriteStatus::Written : WriteStatus::VerifyFailed;
    result.at = at;
    return result;
}

ClearResult clear(QIODevice &file)
{
    ClearResult result;
    const std::optional<Chunk> chunk = findChunk(file);
    if (!chunk) {
        result.noChunk = true;
        return result;
    }
    // Each pass removes the first record the reader would see; a record can only be found
    // SearchLimit / Size times before the search passes the limit.
    for (int pass = 0; pass <= SearchLimit / MovieMenuRecord::Size; ++pass) {
        const std::optional<qint64> at = findRecord(file, chunk->anchor);
        if (!at)
            break;
        if (*at < chunk->payloadBegin || *at + MovieMenuRecord::Size > chunk->payloadEnd) {
            result.outside = true;
            break;
        }
        const QByteArray zeros(MovieMenuRecord::Size, '\0');
        if (!writeAt(file, *at, zeros) || readAt(file, *at, zeros.size()) != zeros) {
            result.failed = true;
            break;
        }
        ++result.cleared;
    }
    return result;
}

WriteResult save(QIODevice &file, const MovieMenu &menu, const char *codePage)
{
    const ClearResult cleared = clear(file);
    if (cleared.noChunk)
        return {WriteStatus::NoChunk, -1};
    if (cleared.failed)
        return {WriteStatus::WriteFailed, -1};
    return write(file, menu, codePage);
}

} // namespace AviJunkStore
