#pragma once

#include "core/DisplayMode.h"

#include <QStringList>
#include <optional>

class DisplayModes;
class Player;

// The display-mode object of full screen: the mode to set, the table of modes the
// display offers, and the one full-screen flag (`Active`) that the whole video window
// consults. The flag itself is the player's, so every window sees the same state.
class TDXDraw
{
public:
    // `modes` may be null: then no mode can be changed.
    TDXDraw(Player &app, DisplayModes *modes);

    bool Active() const;
    void setActive(bool on);
    // Set when listing, setting or restoring a mode failed; cleared when one succeeds.
    bool Error = false;
    // The mode the next mode change sets.
    DisplayMode Target{640, 480, 16, 0};
    // The texts of the last enumeration.
    QStringList ModeTable;

    bool canChangeModes() const;
    // Sets Target; on success the display shows it and `Active` is set.
    bool changeMode();
    // Clears `Active` and puts the desktop's mode back when one was changed.
    void restore();
    // Lists the display's modes into ModeTable (as "%dx%d %dbit %dHz").
    QStringList enumerate();
    // The mode the desktop shows now; none without a mode service.
    std::optional<DisplayMode> desktop() const;
    QString lastError() const;

private:
    Player &m_app;
    DisplayModes *m_modes;
    bool m_changed = false;
};
