#pragma once

#include <QString>
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

    bool operator==(const DisplayMode &) const = default;
};
