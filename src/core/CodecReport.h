#pragma once

#include <QString>
#include <QStringList>

class Messages;

// What the player tells the user when a file could not be fully decoded: which codec is
// missing, named from the four-character codes in the file's header, and whether a
// download is offered.
namespace CodecReport {

// The handler code (4 bytes at offset 112: in an AVI with the usual header sizes, the
// first stream's handler) and the secondary code (offset 601), each cut at its first zero
// byte. Empty when the file cannot be read that far.
struct FileCodes
{
    QString handler;
    QString secondary;
};
FileCodes readCodes(const QString &path);

// Where the Windows Media codecs' decoders come from.
QString windowsMediaAddress();

struct Report
{
    enum class Kind {
        KnownCodec,   // the handler code is in the codec table
        NamedDecoder, // not in the table, but the media framework named the missing decoder
        WindowsMedia, // .mp* files and WMV streams
        QuickTime,    // .mov files
        Unknown,
        AudioCodec,   // the picture plays, the sound does not
    };
    Kind kind = Kind::Unknown;
    QString text;
    bool askDownload = false; // Yes/No; otherwise an OK button only
    QString address;          // opened on Yes when no installer can be asked
};

// The missing video decoder: the four outcomes by the codec table and the file's name.
// `decoder` is the media framework's own description of the missing decoder, when it gave
// one; it is named in the message.
Report videoCodec(const FileCodes &codes, const QString &fileName, const Messages &msg,
                  const QString &decoder = {});
// The picture plays but the sound does not; `decoder` as above.
Report audioCodec(const Messages &msg, const QString &decoder = {});

} // namespace CodecReport
