#include "core/KeyDispatch.h"

#include "core/KeyCodes.h"

namespace KeyDispatch {
namespace {

constexpr int GroupAFirst = 1, GroupALast = 26;
constexpr int GroupBFirst = 27, GroupBLast = 30;
constexpr int GroupCFirst = 31, GroupCLast = 42;
constexpr int FirstStepRow = 16, LastStepRow = 24;

bool matches(const KeyBindings &keys, int row, quint32 code)
{
    // A cell waiting for its key holds no code and must not match a press.
    return code != 0 && keys.entry(row).code == code;
}

int firstMatch(const KeyBindings &keys, int first, int last, quint32 code)
{
    for (int row = first; row <= last; ++row)
        if (matches(keys, row, code))
            return row;
    return 0;
}

} // namespace

Decision decide(quint32 code, const State &state, const KeyBindings &keys)
{
    Decision d;
    // Any key cancels a pending shutdown, even one that a dialog would swallow.
    if (state.countdownRunning) {
        d.outcome = Outcome::BreakCountdown;
        return d;
    }
    if (state.dialogOpen)
        return d;
    if (state.remoteRow > 0)
        code = keys.entry(state.remoteRow).code; // 0 for a row outside the table
    d.code = code;
    if (state.capturing) {
        d.outcome = Outcome::Capture;
        d.keepEditorOpen = KeyCodes::isEnter(code);
        return d;
    }
    if (state.preferencesActive)
        return d;

    d.outcome = Outcome::Run;
    if (const int row = firstMatch(keys, GroupAFirst, GroupALast, code))
        d.rows << row;
    if (state.fullScreen)
        for (int row = GroupBFirst; row <= GroupBLast; ++row)
            if (matches(keys, row, code))
                d.rows << row;
    if (const int row = firstMatch(keys, GroupCFirst, GroupCLast, code))
        d.rows << row;
    return d;
}

int frameStepCount(int row)
{
    return row >= FirstStepRow && row <= LastStepRow ? row - FirstStepRow + 1 : 0;
}

} // namespace KeyDispatch
