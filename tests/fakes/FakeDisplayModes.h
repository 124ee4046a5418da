#pragma once

#include "platform/DisplayModes.h"

// A display with a scripted list of modes; it refuses any mode not in the list (or all,
// with `refuseAll`) and records what was set.
class FakeDisplayModes : public DisplayModes
{
public:
    bool hasService = true;
    bool refuseAll = false;
    bool restoreFails = false;
    QList<DisplayMode> list{{1024, 768, 32, 60}, {800, 600, 32, 60}, {640, 480, 32, 60}};
    DisplayMode shown{1024, 768, 32, 60};
    std::optional<DisplayMode> saved;
    QList<DisplayMode> setModes;
    int restores = 0;

    bool available() override { return hasService; }
    QList<DisplayMode> modes() override { return hasService ? list : QList<DisplayMode>(); }
    std::optional<DisplayMode> current() override
    {
        return hasService ? std::optional(shown) : std::nullopt;
    }
    bool setMode(const DisplayMode &mode) override
    {
        const auto index = DisplayMode::bestMatch(list, mode);
        if (!hasService || refuseAll || !index)
            return false;
        if (!saved)
            saved = shown;
        shown = list[*index];
        setModes << shown;
        return true;
    }
    bool restore() override
    {
        ++restores;
        if (restoreFails)
            return false;
        if (saved)
            shown = *saved;
        saved.reset();
        return true;
    }
    QString lastError() const override { return refuseAll ? QStringLiteral("refused") : QString(); }
};
