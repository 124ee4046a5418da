#!/usr/bin/env bash
# Makes a two-hour film (320x240, 25 frames a second, a key frame every 10 s, MPEG-4 with MP3
# sound in AVI; kept in build/bench-media) and runs bench_slider_drag on it under a private
# display. MOVES (default 200) pointer moves across the slider.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVARA_BUILD_DIR:-$here/build}
film="$build/bench-media/two-hours.avi"
# shellcheck source=player_session.sh
. "$here/bench/player_session.sh"
[ -s "$film" ] || echo "making $film (takes a few minutes)" >&2
bench_make_film "$film" 7200
bench_player_session
"$build/bench_slider_drag" "$film" "${MOVES:-200}"
