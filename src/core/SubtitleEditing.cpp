#include "core/SubtitleEditing.h"

#include "core/SubtitleParser.h"
#include "core/TimeText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace SubtitleEditing {

namespace {

std::optional<qint64> startSeconds(const SubtitleLine &line)
{
    const auto ms = TimeText::hmsToMs(line.start);
    return ms ? std::optional<qint64>(*ms / 1000) : std::nullopt;
}

// The bytes of `text` in `encoding`, or nullopt when the encoding is unknown here or
// cannot hold every character (checked by reading the bytes back).
std::optional<QByteArray> encodeExactly(const QString &text, const QString &encoding)
{
    const QByteArray name = encoding.toLatin1();
    QStringEncoder encoder(name.constData(), QStringConverter::Flag::WriteBom);
    if (!encoder.isValid())
        return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    QStringDecoder decoder(name.constData());
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

} // namespace

int firstInvalidRow(const SubtitleList &list)
{
    for (int i = 0; i < list.size(); ++i)
        if (!startSeconds(list[i]))
            return i;
    return -1;
}

int shiftAll(SubtitleList &list, qint64 seconds)
{
    if (const int bad = firstInvalidRow(list); bad >= 0)
        return bad;
    for (SubtitleLine &line : list)
        line.start = SubtitleParsing::keyForSeconds(std::max<qint64>(0, *startSeconds(line) + seconds));
    return -1;
}

std::optional<qint64> syncShift(const SubtitleList &list, int row, qint64 filmSeconds)
{
    if (row < 0 || row >= list.size())
        return std::nullopt;
    const auto start = startSeconds(list[row]);
    return start ? std::optional<qint64>(filmSeconds - *start) : std::nullopt;
}

void insertLine(SubtitleList &list, int row)
{
    list.insert(qBound(0, row, int(list.size())), SubtitleLine{});
}

bool deleteLine(SubtitleList &list, int row)
{
    if (list.size() < 2 || row < 0 || row >= list.size())
        return false;
    list.removeAt(row);
    return true;
}

QStringList timeColonLines(const SubtitleList &list)
{
    QStringList lines;
    lines.reserve(list.size() + 1);
    for (const SubtitleLine &line : list)
        lines << line.start + QLatin1Char(':') + line.text;
    if (!list.isEmpty() && list.last().start.startsWith(QLatin1String("00:00")))
        lines << QStringLiteral("00:00:00:");
    return lines;
}

EncodedFile encodeLines(const QStringList &lines, const QString &readEncoding)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    if (!readEncoding.isEmpty())
        if (auto bytes = encodeExactly(text, readEncoding))
            return {*bytes, readEncoding};
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::WriteBom);
    return {utf8.encode(text), QStringLiteral("UTF-8")};
}

} // namespace SubtitleEditing
