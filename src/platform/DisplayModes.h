#pragma once

#include "core/DisplayMode.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

// The display-mode service of full screen with a mode change: list the modes of the
// display the desktop is on, set one, and put the desktop's own mode back.
class DisplayModes
{
public:
    virtual ~DisplayModes() = default;

    // False where modes cannot be changed (no X server with XRandR, e.g. Wayland alone).
    virtual bool available() = 0;
    // The modes in the order the display reports them.
    virtual QList<DisplayMode> modes() = 0;
    virtual std::optional<DisplayMode> current() = 0;
    // Sets a mode of the same size (the refresh as near as the display has it). False, and
    // the display as it was, when no mode fits or the server refuses.
    virtual bool setMode(const DisplayMode &mode) = 0;
    // Puts back the mode that was set before the first setMode since the last restore;
    // true when there was nothing to put back.
    virtual bool restore() = 0;
    // Why the last call failed, for the user.
    virtual QString lastError() const = 0;
};

// XRandR on a connection of its own to the display named by $DISPLAY.
std::unique_ptr<DisplayModes> makeXRandrDisplayModes();
