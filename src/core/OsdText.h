#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The texts the on-screen display builds itself: the information line and the countdown.
namespace OsdText {

// What the information line is made of; a part that is off or unknown is left out.
struct InfoInputs
{
    bool movieTime = false;             // "Time: ..." part wanted
    QString positionText;               // the control panel's time display
    qint64 position = 0;                // 100-ns units
    qint64 durationMs = 0;
    std::optional<double> cpuFraction;  // 0..1; none: not wanted or not measurable
    std::optional<double> framesPerSecond; // none: not wanted or no picture
};

// Whole percent of the medium played; 0 while the duration is unknown.
qint64 percentPlayed(qint64 position, qint64 durationMs);

QString cpuPart(double fraction);
QString framesPart(double framesPerSecond);
QString infoLine(const InfoInputs &inputs);

// One step of the shut-down countdown: the prefix (from the message table), the seconds
// left and " !".
QString countdown(const QString &prefix, int secondsLeft);

} // namespace OsdText
