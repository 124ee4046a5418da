#pragma once

#include <optional>

class QRandomGenerator;

// Which entry "next" and "previous" go to. Rows are the grid's, 1..count; `selected` is the
// current one (0 when none).
namespace PlaylistSteps {

// selected + 1, or a random entry; past the end: the first with repeat, else nothing.
std::optional<int> next(int selected, int count, bool repeat, bool random, QRandomGenerator &rng);

// selected - 1, or a random entry; before the first: the last with repeat, else nothing.
std::optional<int> previous(int selected, int count, bool repeat, bool random, QRandomGenerator &rng);

} // namespace PlaylistSteps
