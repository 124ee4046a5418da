#include "core/FunctionSlider.h"

#include <QtGlobal>
#include <array>

namespace FunctionSlider {

namespace {
const std::array<const char *, ModeCount> Names{"TXT",    "Speed",    "Balans", "Volume",
                                                "Bright", "Contrast", "Satura", "Quality"};
} // namespace

int validMode(int mode)
{
    return mode >= 0 && mode < ModeCount ? mode : StartMode;
}

int nextMode(int mode)
{
    return (validMode(mode) + 1) % ModeCount;
}

QString modeName(int mode)
{
    return QString::fromLatin1(Names[size_t(validMode(mode))]);
}

int clampLevel(int level)
{
    return qBound(MinLevel, level, MaxLevel);
}

int subtitleShiftSeconds(int level)
{
    return clampLevel(level);
}

double rate(int level)
{
    const int steps = clampLevel(level) + 5; // 0..10 tenths-of-two
    return steps == 0 ? 0.1 : steps * 0.2;
}

int balance(int level)
{
    return clampLevel(level) * 500;
}

int volume(int level)
{
    const int down = 25 - 5 * clampLevel(level);
    return -down * down;
}

double brightness(int level)
{
    return clampLevel(level) / 5.0;
}

double contrast(int level)
{
    return 1.0 + clampLevel(level) / 5.0;
}

double saturation(int level)
{
    return 1.0 + clampLevel(level) / 5.0;
}

int decoderQuality(int level)
{
    // In integers: Trunc((level + 5) x 5.5) without a floating-point rounding surprise.
    return (clampLevel(level) + 5) * 11 / 2;
}

bool needsPictureControls(int mode)
{
    return mode >= Brightness && mode <= Quality;
}

bool modeEnabled(int mode, bool pictureControlsHeld)
{
    return !needsPictureControls(mode) || pictureControlsHeld;
}

QString osdBar(int level)
{
    const int v = clampLevel(level);
    return QLatin1Char('[') + QString(v + 5, QLatin1Char('-')) + QLatin1Char('|')
           + QString(5 - v, QLatin1Char('-')) + QLatin1Char(']');
}

QString speedText(int level, const QLocale &locale)
{
    return QStringLiteral("Speed x") + locale.toString(rate(level), 'f', 1);
}

QString barLabel(int mode)
{
    switch (mode) {
    case Balance: return QStringLiteral("Balans ");
    case Volume: return QStringLiteral("Volume ");
    case Brightness: return QStringLiteral("Brightnes ");
    case Contrast: return QStringLiteral("Contrast ");
    case Saturation: return QStringLiteral("Saturation ");
    case Quality: return QStringLiteral("Quality ");
    default: return {};
    }
}

QString barText(int mode, int level)
{
    const QString label = barLabel(mode);
    return label.isEmpty() ? QString() : label + osdBar(level);
}

QString shiftText(const QString &prefix, int level)
{
    return prefix + QString::number(subtitleShiftSeconds(level)) + QStringLiteral(" sek");
}

QString muteText(bool muted)
{
    return muted ? QStringLiteral("MUTE ON") : QStringLiteral("MUTE OFF");
}

} // namespace FunctionSlider
