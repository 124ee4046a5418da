#pragma once

#include "core/KeyTable.h"

#include <QList>
#include <QtGlobal>

// Which key-table rows a key press runs: the whole decision, without any window. The
// video window gathers the state, asks, and runs the rows' effects.
namespace KeyDispatch {

struct State
{
    bool countdownRunning = false;  // the end-of-film shutdown countdown
    bool dialogOpen = false;        // a modal file dialog is shown
    int remoteRow = 0;              // > 0: a remote command names this row instead of a key
    bool capturing = false;         // the key editor waits for a key
    bool preferencesActive = false; // the preferences window is the active window
    bool fullScreen = false;        // either kind of full screen
};

enum class Outcome {
    BreakCountdown, // stop the countdown, say so, nothing else
    Ignored,        // nothing happens
    Capture,        // the key editor takes `code`
    Run,            // run `rows` in order (may be empty: the key is not bound)
};

struct Decision
{
    Outcome outcome = Outcome::Ignored;
    quint32 code = 0;      // the key's code (a remote command: its row's code)
    bool keepEditorOpen = false; // Capture: Enter binds itself and waits for another key
    QList<int> rows;       // Run: 1-based rows, at most one of groups A and C, any of B
};

Decision decide(quint32 code, const State &state, const KeyBindings &keys);

// The frame count of a frame-step row (16..24 -> 1..9); 0 for any other row.
int frameStepCount(int row);

} // namespace KeyDispatch
