#!/usr/bin/env bash
# Makes a film a little longer than ENTRIES seconds (kept in build/bench-media) and runs
# bench_subtitle_onset on it under a private display. ENTRIES defaults to 200; a run plays
# the film twice.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVARA_BUILD_DIR:-$here/build}
entries=${ENTRIES:-200}
seconds=$((entries + 5))
film="$build/bench-media/onset-${seconds}s.avi"
# shellcheck source=player_session.sh
. "$here/bench/player_session.sh"
bench_make_film "$film" "$seconds"
bench_player_session
"$build/bench_subtitle_onset" "$film" "$entries"
