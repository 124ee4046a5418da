#pragma once

#include <QByteArray>

// Which encoding a subtitle file without a byte-order mark and not valid UTF-8 was written
// in. uchardet gives a first guess; for the single-byte encodings, where a short file gives
// it little to go on, the guess competes with Windows-1250, ISO-8859-2 and Windows-1251
// (the encodings most subtitle files of this kind come in) on how plausible the decoded
// text looks. East Asian guesses, and Cyrillic ones whose reading keeps to its script,
// stand.
namespace CharsetGuess {

// What is worth looking at: the lines that hold bytes outside ASCII (the rest reads the
// same in every candidate), up to about `limit` bytes. Keeps guessing quick on long files.
QByteArray evidence(const QByteArray &bytes, qsizetype limit = 16 * 1024);

// uchardet's own answer ("WINDOWS-1250", "UTF-8", ...); empty when it has none.
QByteArray detect(const QByteArray &bytes);

// Little evidence: fewer non-ASCII bytes than this make a guess among the Latin
// single-byte encodings a coin toss, and Windows-1250 wins its ties.
inline constexpr int LittleEvidence = 256;

// The encoding to decode `bytes` (or their evidence) with, as a name QStringDecoder accepts, given uchardet's
// guess (empty, unknown or undecodable guesses count as none).
QByteArray choose(const QByteArray &bytes, const QByteArray &guess);

// How implausible `text` is as subtitle text: control and undefined characters, rare
// symbols (±, ¶, ¼, ˇ, box drawing), letters of two scripts or a lower-upper case change
// side by side, five or more accented Latin letters in a row. Only characters outside
// ASCII and their neighbours count.
int implausibility(QStringView text);

} // namespace CharsetGuess
