// Fuzz entry point over a film's movie menu: the reader on any bytes, and the writer and
// the clearing on the same bytes and on a RIFF head laid out from them, where nothing may
// change outside the "JUNK" chunk's payload.
//
// The input is the file itself. Its first six bytes also lay out a second file: a "JUNK"
// chunk at 212 + (bytes 0-1) % 288 with (bytes 2-3) % 2600 bytes of payload, a file length
// of that plus (bytes 4-5) % 4200, and the input's bytes as the contents around it.
#include "core/AviJunkStore.h"

#include <QBuffer>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

MovieMenu someMenu(const QByteArray &seed)
{
    MovieMenu menu;
    menu.title = QString::fromLatin1(seed.left(40));
    menu.displaySeconds = 5 + seed.size() % 26;
    for (int i = 0; i < MovieMenu::Entries; ++i)
        menu.entries[i] = {QString::fromLatin1(seed.mid(i * 7, 35)), i == 4, (i * 7919 + int(seed.size())) % 86400};
    return menu;
}

// Writes, reads back and clears; every change lies inside the payload.
void writeAndClear(QByteArray bytes, const MovieMenu &menu)
{
    const QByteArray before = bytes;
    QBuffer file(&bytes);
    require(file.open(QIODevice::ReadWrite));
    const std::optional<AviJunkStore::Chunk> chunk = AviJunkStore::findChunk(file);
    const auto inside = [&](qint64 i) { return chunk && i >= chunk->payloadBegin && i < chunk->payloadEnd; };
    const auto unchangedOutside = [&] {
        require(bytes.size() == before.size());
        for (qsizetype i = 0; i < bytes.size(); ++i)
            if (bytes[i] != before[i])
                require(inside(i));
    };

    const AviJunkStore::WriteResult written = AviJunkStore::save(file, menu);
    unchangedOutside();
    require(chunk || written.status == AviJunkStore::WriteStatus::NoChunk);
    if (written.status == AviJunkStore::WriteStatus::Written) {
        require(inside(written.at) && inside(written.at + MovieMenuRecord::Size - 1));
        // The new record is the one the reader sees, unless an older signature lies before it.
        const AviJunkStore::ReadResult read = AviJunkStore::read(file);
        require(read.status != AviJunkStore::ReadResult::NoChunk && read.at <= written.at);
        if (read.at == written.at)
            require(read.status == AviJunkStore::ReadResult::Found
                    && read.menu == MovieMenuRecord::decode(MovieMenuRecord::encode(menu)).menu);
    } else {
        require(bytes == before || written.status == AviJunkStore::WriteStatus::NoRoom);
    }
    AviJunkStore::clear(file);
    unchangedOutside();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QByteArray copy = input;
        QBuffer file(&copy);
        require(file.open(QIODevice::ReadOnly));
        const AviJunkStore::ReadResult read = AviJunkStore::read(file);
        require(read.status != AviJunkStore::ReadResult::Found || read.at >= 0);
        require(read.status != AviJunkStore::ReadResult::Invalid || !read.error.isEmpty());
    }
    const MovieMenu menu = someMenu(input);
    writeAndClear(input, menu);

    if (size < 6)
        return 0;
    const qint64 at = 212 + qFromLittleEndian<quint16>(data) % 288;
    const quint32 payload = qFromLittleEndian<quint16>(data + 2) % 2600;
    const qint64 length = at + 8 + qFromLittleEndian<quint16>(data + 4) % 4200;
    QByteArray laid(length, '\0');
    for (qint64 i = 0; i < length; ++i)
        laid[i] = input.size() > 6 ? input[6 + i % (input.size() - 6)] : char(i % 251 + 1);
    // The payload is padding: mostly zeros, with the input's bytes where it has many.
    const qint64 end = qMin(length, at + 8 + qint64(payload));
    for (qint64 i = at + 8; i < end; ++i)
        if (i % 97 != 0)
            laid[i] = 0;
    laid.replace(at, 4, "JUNK");
    qToLittleEndian<quint32>(payload, laid.data() + at + 4);
    writeAndClear(laid, menu);
    return 0;
}
