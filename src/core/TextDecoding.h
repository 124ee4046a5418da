#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Turning a subtitle file's bytes into lines of text, whatever encoding it was saved in.

struct DecodedText
{
    QString text;
    QString encoding; // the name it was decoded with: "UTF-8", "windows-1250", ...
};

// A byte-order mark (UTF-8, UTF-16, UTF-32) decides first; then UTF-16 written without
// one (every other byte zero); then strict UTF-8; then uchardet's guess weighed against
// Windows-1250 and ISO-8859-2; Windows-1250 when nothing else is known. The mark itself is
// not part of the text. "\" and "|" pass through untouched.
DecodedText decodeSubtitleText(const QByteArray &bytes);

// Lines split at CR LF, LF or a lone CR; a line end after the last line adds no empty line.
QStringList splitTextLines(QStringView text);

QStringList subtitleFileLines(const QByteArray &bytes);

// Subtitle files are small; anything past this is not one, and is not read.
inline constexpr qint64 SubtitleFileMaxBytes = 50LL * 1024 * 1024;

// Reads and decodes a subtitle file. False, with a message naming the file and the reason,
// when it is missing, a folder or other non-file, unreadable or larger than
// SubtitleFileMaxBytes; `lines` is then left as it was.
bool readSubtitleFile(const QString &path, QStringList *lines, QString *error, QString *encoding = nullptr);
