#include "core/PlaylistSteps.h"

#include <QRandomGenerator>

namespace PlaylistSteps {

std::optional<int> next(int selected, int count, bool repeat, bool random, QRandomGenerator &rng)
{
    if (count < 1)
        return std::nullopt;
    int row = random ? int(rng.bounded(count)) + 1 : selected + 1;
    if (row > count) {
        if (!repeat)
            return std::nullopt;
        row = 1;
    }
    return row;
}

std::optional<int> previous(int selected, int count, bool repeat, bool random, QRandomGenerator &rng)
{
    if (count < 1)
        return std::nullopt;
    // A random step draws from every entry, as "next" does: drawing 0..count-1 would never
    // reach the last entry and would do nothing on every draw of 0 without repeat.
    int row = random ? int(rng.bounded(count)) + 1 : selected - 1;
    if (row < 1) {
        if (!repeat)
            return std::nullopt;
        row = count;
    }
    return row;
}

} // namespace PlaylistSteps
