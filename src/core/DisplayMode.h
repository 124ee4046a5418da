#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A full-screen display mode as the preferences show it: "800x600 32bit 85Hz".
struct DisplayMode
{
    int width = 640;
    int height = 480;
    int bits = 32;
    int hz = 60;

    static std::optional<DisplayMode> parse(const QString &text);
    QString text() const;
    // A stored mode too small to be real falls back to 640 x 480, 16 bit, 60 Hz.
    DisplayMode sanitized() const;

    // The texts the mode list offers, from the modes in the order the display reports
    // them: nothing narrower than 640, no entry equal to the one before it, at most
    // MaxListed entries.
    static constexpr int MaxListed = 199;
    static QStringList listTexts(const QList<DisplayMode> &reported);

    // Which of the display's modes to set for a wanted one: the same size, at the wanted
    // refresh when the display has it, else at the first refresh listed for that size.
    // The colour depth is the display's own and never decides. None when no mode has the size.
    static std::optional<qsizetype> bestMatch(const QList<DisplayMode> &available,
                                              const DisplayMode &wanted);

    bool operator==(const DisplayMode &) const = default;
};
