#!/usr/bin/env bash
# Builds every reader's fuzz target (tests/fuzz/fuzz_NAME.cpp) with clang and libFuzzer
# (address and undefined-behaviour sanitizers), and runs them when asked. The main build
# uses g++; this one is a build folder of its own, with src/core built the same way.
#
#   tests/fuzz/build.sh                       build only; prints the binaries
#   tests/fuzz/build.sh run [SECONDS] [NAME]  build, then fuzz each target (or only NAME)
#                                             for SECONDS (default 600) with one job on one
#                                             core; extra arguments go to libFuzzer
#
# Environment: FUZZ_OUT (build and work folder, default build-fuzz in the source tree).
# The seed corpora (tests/fuzz/corpus/NAME) are never written to: new inputs go to
# $FUZZ_OUT/corpus/NAME, crashes to $FUZZ_OUT/artifacts/NAME, each run's log and figures to
# $FUZZ_OUT/NAME.log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FUZZ_OUT:-$root/build-fuzz}
mkdir -p "$out"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (scripts/setup installs it)" >&2; exit 1; }

flags="-g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
if [ ! -f "$out/cmake/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DBRIVARA_FUZZ=ON "${launcher[@]}" >/dev/null
fi
cmake --build "$out/cmake" --target fuzz_targets -j"$(nproc)"
targets=()
for src in "$here"/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
for t in "${targets[@]}"; do echo "$out/cmake/tests/$t"; done

[ "${1:-}" = run ] || exit 0
shift
seconds=${1:-600}
[ $# -gt 0 ] && shift
only=""
if [ $# -gt 0 ] && [ -f "$here/fuzz_$1.cpp" ]; then only=$1; shift; fi

status=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  [ -n "$only" ] && [ "$name" != "$only" ] && continue
  # Seeds: the committed files, plus each text file as UTF-16 (with and without its mark)
  # after its first byte, which several targets read as a selector.
  seeds="$out/seeds/$name"
  rm -rf "$seeds"
  mkdir -p "$seeds" "$out/corpus/$name" "$out/artifacts/$name"
  for f in "$here/corpus/$name"/*; do
    base=$(basename "$f")
    cp "$f" "$seeds/$base"
    for wide in UTF-16LE UTF-16BE; do
      { head -c 1 "$f"; [ $wide = UTF-16BE ] && printf '\xfe\xff'; tail -c +2 "$f" | iconv -f UTF-8 -t $wide; } \
        >"$seeds/$base.$wide" 2>/dev/null || rm -f "$seeds/$base.$wide"
    done
  done
  dict=()
  [ -f "$here/$name.dict" ] && dict=(-dict="$here/$name.dict")
  echo "fuzz: $name for $seconds s"
  rc=0
  (cd "$out" && UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
    "$out/cmake/tests/$t" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
      "${dict[@]}" -artifact_prefix="$out/artifacts/$name/" "$@" "$out/corpus/$name" "$seeds" \
      >"$out/$name.log" 2>&1) || rc=$?
  grep -E '^#[0-9]+.*(DONE|pulse|NEW)' "$out/$name.log" | tail -n 1 || true
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|ERROR|SUMMARY' "$out/$name.log" || true
  [ $rc -eq 0 ] || { echo "fuzz: $name failed ($rc); see $out/$name.log" >&2; status=$rc; }
done
exit $status
