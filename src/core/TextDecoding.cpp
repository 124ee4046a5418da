#include "core/TextDecoding.h"

#include "core/CharsetGuess.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <optional>

namespace {

struct Bom
{
    QByteArray mark;
    QStringConverter::Encoding encoding;
};

// UTF-16 and UTF-32 decoding let a surrogate without its partner through; such a half
// character would only reach the screen as garbage.
void replaceLoneSurrogates(QString *text)
{
    const qsizetype n = text->size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text->at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < n && text->at(i + 1).isLowSurrogate())
            ++i;
        else
            (*text)[i] = QChar::ReplacementCharacter;
    }
}

DecodedText decodeWith(const QByteArray &bytes, QStringConverter::Encoding encoding, qsizetype skip = 0)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    DecodedText out;
    out.text = decoder.decode(QByteArrayView(bytes).sliced(skip));
    out.encoding = QString::fromLatin1(decoder.name());
    return out;
}

// UTF-16 saved without a mark: text never holds NUL characters, so zero bytes in every
// other place are the high bytes of Latin text.
std::optional<QStringConverter::Encoding> unmarkedUtf16(const QByteArray &bytes)
{
    const qsizetype sample = std::min<qsizetype>(bytes.size(), 4096) & ~qsizetype(1);
    if (sample < 4)
        return std::nullopt;
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < sample; i += 2) {
        evenZeros += bytes[i] == '\0';
        oddZeros += bytes[i + 1] == '\0';
    }
    const qsizetype pairs = sample / 2;
    if (oddZeros * 10 >= pairs * 4 && evenZeros * 10 < pairs)
        return QStringConverter::Utf16LE;
    if (evenZeros * 10 >= pairs * 4 && oddZeros * 10 < pairs)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

DecodedText decodeBytes(const QByteArray &bytes)
{
    // Longest marks first: the UTF-32 LE mark begins with the UTF-16 LE one.
    static const Bom boms[] = {
        {QByteArray("\xFF\xFE\x00\x00", 4), QStringConverter::Utf32LE},
        {QByteArray("\x00\x00\xFE\xFF", 4), QStringConverter::Utf32BE},
        {QByteArray("\xEF\xBB\xBF", 3), QStringConverter::Utf8},
        {QByteArray("\xFF\xFE", 2), QStringConverter::Utf16LE},
        {QByteArray("\xFE\xFF", 2), QStringConverter::Utf16BE},
    };
    for (const Bom &bom : boms)
        if (bytes.startsWith(bom.mark))
            return decodeWith(bytes, bom.encoding, bom.mark.size());

    if (const auto utf16 = unmarkedUtf16(bytes))
        return decodeWith(bytes, *utf16);

    {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return {text, QStringLiteral("UTF-8")};
    }

    const QByteArray sample = CharsetGuess::evidence(bytes);
    const QByteArray name = CharsetGuess::choose(sample, CharsetGuess::detect(sample));
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder("windows-1250");
    DecodedText out;
    out.text = decoder.decode(bytes);
    out.encoding = QString::fromLatin1(decoder.name());
    return out;
}

QString readError(const QString &path, const QString &reason)
{
    return QStringLiteral("Nie można odczytać pliku z napisami \"%1\": %2.").arg(path, reason);
}

} // namespace

DecodedText decodeSubtitleText(const QByteArray &bytes)
{
    DecodedText out = decodeBytes(bytes);
    replaceLoneSurrogates(&out.text);
    return out;
}

QStringList splitTextLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start).toString());
    return lines;
}

QStringList subtitleFileLines(const QByteArray &bytes)
{
    return splitTextLines(decodeSubtitleText(bytes).text);
}

bool readSubtitleFile(const QString &path, QStringList *lines, QString *error, QString *encoding)
{
    const auto fail = [error, &path](const QString &reason) {
        if (error)
            *error = readError(path, reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("nie podano nazwy pliku"));
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("plik nie istnieje"));
    if (info.isDir())
        return fail(QStringLiteral("to jest folder"));
    if (!info.isFile())
        return fail(QStringLiteral("to nie jest zwykły plik"));
    const QString tooLarge = QStringLiteral("plik jest większy niż %1 MiB, za duży na napisy")
                                 .arg(SubtitleFileMaxBytes / (1024 * 1024));
    if (info.size() > SubtitleFileMaxBytes)
        return fail(tooLarge);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    // The size may have changed since it was looked at: read on if the file grew, but never
    // past the limit.
    QByteArray bytes = file.read(info.size() + 1);
    if (bytes.size() > info.size() && file.error() == QFileDevice::NoError)
        bytes += file.read(SubtitleFileMaxBytes + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > SubtitleFileMaxBytes)
        return fail(tooLarge);

    const DecodedText decoded = decodeSubtitleText(bytes);
    *lines = splitTextLines(decoded.text);
    if (encoding)
        *encoding = decoded.encoding;
    return true;
}
