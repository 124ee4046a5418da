#include "core/DisplayMode.h"

#include <QRegularExpression>

std::optional<DisplayMode> DisplayMode::parse(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d+)x(\\d+) (\\d+)bit (\\d+)Hz\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok[4];
    DisplayMode mode{m.captured(1).toInt(&ok[0]), m.captured(2).toInt(&ok[1]),
                     m.captured(3).toInt(&ok[2]), m.captured(4).toInt(&ok[3])};
    if (!(ok[0] && ok[1] && ok[2] && ok[3]))
        return std::nullopt;
    return mode;
}

QString DisplayMode::text() const
{
    return QStringLiteral("%1x%2 %3bit %4Hz").arg(width).arg(height).arg(bits).arg(hz);
}

DisplayMode DisplayMode::sanitized() const
{
    if (width < 640 || height < 400 || bits < 8)
        return DisplayMode{640, 480, 16, 60};
    return *this;
}

QStringList DisplayMode::listTexts(const QList<DisplayMode> &reported)
{
    QStringList texts;
    for (const DisplayMode &mode : reported) {
        if (texts.size() >= MaxListed)
            break;
        if (mode.width < 640)
            continue;
        const QString text = mode.text();
        // Modes that differ only in what the text leaves out (flags, exact clocks) would
        // show up as twins.
        if (!texts.isEmpty() && texts.last() == text)
            continue;
        texts << text;
    }
    return texts;
}

std::optional<qsizetype> DisplayMode::bestMatch(const QList<DisplayMode> &available,
                                                const DisplayMode &wanted)
{
    std::optional<qsizetype> sameSize;
    for (qsizetype i = 0; i < available.size(); ++i) {
        const DisplayMode &m = available[i];
        if (m.width != wanted.width || m.height != wanted.height)
            continue;
        if (m.hz == wanted.hz)
            return i;
        if (!sameSize)
            sameSize = i;
    }
    return sameSize;
}
