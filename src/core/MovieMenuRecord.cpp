#include "core/MovieMenuRecord.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

namespace MovieMenuRecord {

namespace {

constexpr int VersionAt = 7, DisplayAt = 8, ColourAt = 12, TitleAt = 19, FirstEntryAt = 50;
constexpr int EntrySize = 40, EntryLinkAt = 31, EntryTimeAt = 32;
constexpr int DaySeconds = 24 * 3600;

// One character at a time, so that whatever the code page lacks becomes exactly one "?".
QByteArray toCodePage(const QString &text, const char *codePage, int max)
{
    QByteArray out;
    const QList<uint> points = text.toUcs4();
    for (uint point : points) {
        if (out.size() == max)
            break;
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t *>(&point), 1);
        QStringEncoder encoder(codePage, QStringConverter::Flag::Stateless);
        const QByteArray bytes = encoder.encode(one);
        QStringDecoder back(codePage, QStringConverter::Flag::Stateless);
        const bool held = !encoder.hasError() && bytes.size() == 1 && QString(back.decode(bytes)) == one;
        out += held ? bytes : QByteArray("?");
    }
    return out;
}

void putString(QByteArray &record, int at, const QString &text, int max, const char *codePage)
{
    const QByteArray bytes = toCodePage(text, codePage, max);
    record[at] = char(bytes.size());
    for (int i = 0; i < bytes.size(); ++i)
        record[at + 1 + i] = bytes[i];
}

QString getString(const QByteArray &record, int at, int max, const char *codePage)
{
    const int n = qMin(int(quint8(record[at])), max);
    QStringDecoder decoder(codePage, QStringConverter::Flag::Stateless);
    return decoder.decode(record.mid(at + 1, n));
}

} // namespace

QString formatTime(int seconds)
{
    seconds = qMax(0, seconds);
    const int h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    if (h < 10)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(s, 2, 10, QLatin1Char('0'));
}

std::optional<int> parseTime(const QString &text)
{
    static const QRegularExpression hms(QStringLiteral("^(\\d{1,2}):([0-5]\\d):([0-5]\\d)$"));
    static const QRegularExpression ms(QStringLiteral("^(\\d{1,4}):([0-5]\\d)$"));
    int seconds = -1;
    if (const auto m = hms.match(text); m.hasMatch())
        seconds = m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt();
    else if (const auto m2 = ms.match(text); m2.hasMatch())
        seconds = m2.captured(1).toInt() * 60 + m2.captured(2).toInt();
    if (seconds < 0 || seconds >= DaySeconds)
        return std::nullopt;
    return seconds;
}

QByteArray encode(const MovieMenu &menu, const char *codePage)
{
    QByteArray record(Size, '\0');
    record[0] = char(SignatureLength);
    for (int i = 0; i < SignatureLength; ++i)
        record[1 + i] = Signature[i];
    record[VersionAt] = 1;
    record[DisplayAt] = char(qBound(0, menu.displaySeconds, 255));
    qToLittleEndian<quint32>(menu.colour, record.data() + ColourAt);
    putString(record, TitleAt, menu.title, TextMax, codePage);
    for (int i = 0; i < MovieMenu::Entries; ++i) {
        const int at = FirstEntryAt + i * EntrySize;
        const MovieMenuEntry &entry = menu.entries[i];
        putString(record, at, entry.text, TextMax, codePage);
        record[at + EntryLinkAt] = entry.link ? 1 : 0;
        putString(record, at + EntryTimeAt, formatTime(entry.seconds), TimeMax, codePage);
    }
    return record;
}

Decoded decode(const QByteArray &record, const char *codePage)
{
    if (record.size() < Size)
        return {std::nullopt, QStringLiteral("the record is cut short")};
    if (record.mid(1, SignatureLength) != QByteArray(Signature))
        return {std::nullopt, QStringLiteral("no menu signature")};
    MovieMenu menu;
    menu.displaySeconds = quint8(record[DisplayAt]);
    menu.colour = qFromLittleEndian<quint32>(record.constData() + ColourAt);
    menu.title = getString(record, TitleAt, TextMax, codePage);
    for (int i = 0; i < MovieMenu::Entries; ++i) {
        const int at = FirstEntryAt + i * EntrySize;
        MovieMenuEntry &entry = menu.entries[i];
        entry.text = getString(record, at, TextMax, codePage);
        entry.link = record[at + EntryLinkAt] != 0;
        const QString time = getString(record, at + EntryTimeAt, TimeMax, codePage);
        const std::optional<int> seconds = parseTime(time);
        if (!seconds)
            return {std::nullopt, QStringLiteral("entry %1 has no valid time: \"%2\"").arg(i + 1).arg(time)};
        entry.seconds = *seconds;
    }
    return {menu, {}};
}

} // namespace MovieMenuRecord
