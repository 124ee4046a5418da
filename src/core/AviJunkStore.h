#pragma once

#include "core/MovieMenuRecord.h"

#include <QIODevice>
#include <optional>

// Where a film keeps its menu: in the zero padding of the "JUNK" chunk near the start of
// an AVI file, so the file stays a valid AVI of the same size. Only the chunk's own
// payload is ever written; every other byte of the film stays as it was.
namespace AviJunkStore {

// The chunk is looked for at 212 first (where ffmpeg and GStreamer put it), then at every
// offset up to 499.
constexpr qint64 PreferredChunkAt = 212;
constexpr qint64 LastChunkAt = 499;
// The signature lies before this offset; a new record's free run starts before WriteLimit.
constexpr qint64 SearchLimit = 4000;
constexpr qint64 WriteLimit = 2000;

struct Chunk
{
    qint64 at = 0;           // the four bytes "JUNK"
    qint64 payloadBegin = 0; // after the size field
    qint64 payloadEnd = 0;   // as the size field says, cut at the end of the file
    qint64 anchor = 0;       // the record's signature lies at least two bytes after it
};
std::optional<Chunk> findChunk(QIODevice &file);

struct ReadResult
{
    enum Status { NoChunk, NoRecord, Invalid, Found } status = NoChunk;
    MovieMenu menu;
    qint64 at = -1;  // where the record starts
    QString error;   // for Invalid: what was wrong
};
ReadResult read(QIODevice &file, const char *codePage = MovieMenuRecord::DefaultCodePage);

enum class WriteStatus { Written, NoChunk, NoRoom, WriteFailed, VerifyFailed };
struct WriteResult
{
    WriteStatus status = WriteStatus::NoChunk;
    qint64 at = -1; // where the record went
};
// Puts the record into the first run of 253 zero bytes of the chunk's payload (one zero
// stays before the record), with one positioned write, flushed and read back.
WriteResult write(QIODevice &file, const MovieMenu &menu,
                  const char *codePage = MovieMenuRecord::DefaultCodePage);

struct ClearResult
{
    bool noChunk = false;
    int cleared = 0;        // records turned back into zeros
    bool outside = false;   // a record was found that does not lie inside the payload: left alone
    bool failed = false;    // a write did not go through
};
// Removes every record the reader would find, as long as it lies inside the payload.
ClearResult clear(QIODevice &file);

// Clears, then writes: a film saved twice carries one record.
WriteResult save(QIODevice &file, const MovieMenu &menu,
                 const char *codePage = MovieMenuRecord::DefaultCodePage);

} // namespace AviJunkStore
