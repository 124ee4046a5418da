// Fuzz entry point of the codec code reader: any file taken for a film whose picture would
// not decode; the first byte picks its name's extension. The message names what was read.
#include "FuzzSupport.h"
#include "core/CodecReport.h"
#include "core/CodecTable.h"
#include "core/Messages.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const char *const Names[] = {"film.avi", "film.mpg", "film.mov", "film.wmv", "film", "film.MPEG"};
    const QString name = QString::fromLatin1(Names[data[0] % 6]);
    const QString path = Fuzz::scratchFile(Fuzz::bytesOf(data + 1, size - 1), name);
    const CodecReport::FileCodes codes = CodecReport::readCodes(path);
    Fuzz::require(codes.handler.size() <= 4 && codes.secondary.size() <= 4);
    Fuzz::require(!codes.handler.contains(QChar(0)) && !codes.secondary.contains(QChar(0)));
    static const Messages messages;
    const CodecReport::Report report = CodecReport::videoCodec(codes, path, messages, QString::fromLatin1(Names[data[0] % 6]));
    Fuzz::require(!report.text.isEmpty());
    if (const auto codec = CodecTable::find(codes.handler))
        Fuzz::require(report.kind == CodecReport::Report::Kind::KnownCodec && codec->name.size() <= 31);
    return 0;
}
