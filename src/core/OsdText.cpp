#include "core/OsdText.h"

namespace OsdText {

qint64 percentPlayed(qint64 position, qint64 durationMs)
{
    if (durationMs <= 0)
        return 0;
    // Position in 100-ns units against the duration in the same units; the product
    // stays far inside 64 bits for any real film.
    return position * 100 / (durationMs * 10000);
}

QString cpuPart(double fraction)
{
    return QString::asprintf("  CPU:%5.1f%%", fraction * 100.0);
}

QString framesPart(double framesPerSecond)
{
    // The rate counts in whole frames per 100 s, so the text has at most two decimals
    // ("25", "29.97"); the measured average would otherwise print all its digits.
    const qint64 per100s = qRound64(framesPerSecond * 100);
    return QStringLiteral("  ") + QString::number(per100s / 100.0, 'g', 15) + QStringLiteral(" fps");
}

QString infoLine(const InfoInputs &inputs)
{
    QString text;
    if (inputs.movieTime)
        text = QStringLiteral("Time: ") + inputs.positionText + QStringLiteral(" (")
               + QString::number(percentPlayed(inputs.position, inputs.durationMs))
               + QStringLiteral("%)");
    if (inputs.cpuFraction)
        text += cpuPart(*inputs.cpuFraction);
    if (inputs.framesPerSecond)
        text += framesPart(*inputs.framesPerSecond);
    return text;
}

QString countdown(const QString &prefix, int secondsLeft)
{
    return prefix + QString::number(secondsLeft) + QStringLiteral(" !");
}

} // namespace OsdText
