#!/usr/bin/env bash
# Builds the subtitle fuzz target with clang and libFuzzer (address and undefined-behaviour
# sanitizers), and runs it when asked. The main build uses g++; this one stands apart.
#
#   tests/fuzz/build.sh                 build only; prints the binary
#   tests/fuzz/build.sh run [SECONDS]   build, then fuzz for SECONDS (default 600) with one
#                                       job on one core; extra arguments after SECONDS go to
#                                       libFuzzer
#
# Environment: FUZZ_OUT (build and work folder, default build-fuzz in the source tree).
# The seed corpus (tests/fuzz/corpus) is never written to: new inputs go to
# $FUZZ_OUT/corpus, crashes to $FUZZ_OUT/artifacts.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FUZZ_OUT:-$root/build-fuzz}
mkdir -p "$out"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/setup installs it)" >&2; exit 1; }

sources=(
  "$root/src/core/SubtitleParser.cpp" "$root/src/core/SubRipParser.cpp"
  "$root/src/core/TextDecoding.cpp" "$root/src/core/CharsetGuess.cpp"
  "$here/fuzz_subtitles.cpp"
)
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" $(pkg-config --cflags Qt6Core uchardet) \
  "${sources[@]}" $(pkg-config --libs Qt6Core uchardet) \
  -o "$out/fuzz_subtitles"
echo "$out/fuzz_subtitles"
# The movie menu's reader and writer (seeds: tests/fuzz/corpus-movie-menu).
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" $(pkg-config --cflags Qt6Core) \
  "$root/src/core/AviJunkStore.cpp" "$root/src/core/MovieMenuRecord.cpp" "$here/fuzz_movie_menu.cpp" \
  $(pkg-config --libs Qt6Core) -o "$out/fuzz_movie_menu"
echo "$out/fuzz_movie_menu"

[ "${1:-}" = run ] || exit 0
shift
seconds=${1:-600}
[ $# -gt 0 ] && shift

# Seeds: the committed text files, plus each as UTF-16 (with and without its mark).
seeds="$out/seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$out/corpus" "$out/artifacts"
for f in "$here"/corpus/*; do
  name=$(basename "$f")
  cp "$f" "$seeds/$name"
  for wide in UTF-16LE UTF-16BE; do   # the 8-bit seeds are not UTF-8 and have no such twin
    { head -c 1 "$f"; [ $wide = UTF-16BE ] && printf '\xfe\xff'; tail -c +2 "$f" | iconv -f UTF-8 -t $wide; } \
      >"$seeds/$name.$wide" 2>/dev/null || rm -f "$seeds/$name.$wide"
  done
done

cd "$out"
status=0
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
ASAN_OPTIONS=detect_leaks=1 \
  "$out/fuzz_subtitles" -jobs=1 -workers=1 -max_total_time="$seconds" -print_final_stats=1 \
  -dict="$here/subtitles.dict" -artifact_prefix="$out/artifacts/" "$@" "$out/corpus" "$seeds" || status=$?
# With -jobs the run's output is in fuzz-0.log.
[ -f fuzz-0.log ] && tail -n 30 fuzz-0.log
exit $status
