#!/usr/bin/env bash
# Loading a long subtitle file: brivara against ffmpeg and GStreamer's subparse, the same
# generated file for all three, in the same run.
#
#   bench/subtitle_load.sh
#
# Environment: ENTRIES (default 15000), RUNS (peer runs per file, default 5; brivara loads
# each file 4 x RUNS times in one process), BENCH (the bench_subtitle_load binary, default
# the newest build*/bench_subtitle_load).
#
# brivara: read, decode, split and parse, timed inside bench_subtitle_load (median).
# Peers: the wall time of `ffmpeg -i FILE -f srt -y /dev/null` and of
# `gst-launch-1.0 filesrc location=FILE ! subparse ! fakesink` (median), less the same
# program's time on a one-entry file of the same format (start-up, probing), so that
# "net" is about the file's length. Ratios are brivara / peer net: below 1, brivara is faster.
# A peer that does not read a format (fails, or gives less than half the entries) is named
# as such instead of timed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
entries=${ENTRIES:-15000}
runs=${RUNS:-5}

bench=${BENCH:-$(ls -t "$root"/build*/bench_subtitle_load 2>/dev/null | head -n1 || true)}
[ -x "$bench" ] || { echo "subtitle_load: build the bench_subtitle_load target first (or set BENCH)" >&2; exit 1; }
for tool in ffmpeg gst-launch-1.0; do
  command -v "$tool" >/dev/null || { echo "subtitle_load: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/brivara-subload.XXXXXX)
trap 'rm -rf "$work"' EXIT

# now, median, wall_ms
source "$here/timing.sh"


ffmpeg_read() { ffmpeg -nostdin -hide_banner -loglevel error -i "$1" -f srt -y /dev/null; }
gst_read() { gst-launch-1.0 -q filesrc location="$1" ! subparse ! fakesink; }

# Entries a peer gets out of a file (untimed); 0 when it fails.
ffmpeg_entries() {
  ffmpeg -nostdin -hide_banner -loglevel error -i "$1" -f srt -y "$work/out.srt" >/dev/null 2>&1 || { echo 0; return; }
  grep -c -- '-->' "$work/out.srt" || true
}
gst_entries() {
  gst-launch-1.0 -v filesrc location="$1" ! subparse ! fakesink silent=false 2>/dev/null \
    | grep -c 'last-message = chain' || true
}

# One peer's column: "net ms (ratio)" or why there is none.
peer_column() {
  local peer=$1 file=$2 tiny=$3 brivara_ms=$4 got full base
  got=$("${peer}_entries" "$file")
  if [ "$got" -lt $((entries / 2)) ]; then
    echo "does not read it ($got entries)"
    return
  fi
  full=$(wall_ms "${peer}_read" "$file")
  base=$(wall_ms "${peer}_read" "$tiny")
  awk -v f="$full" -v b="$base" -v m="$brivara_ms" 'BEGIN {
    net = f - b; if (net < 0.1) net = 0.1
    printf "%.1f ms net (%.1f - %.1f), ratio %.3f", net, f, b, m / net }'
}

# name format extension [encoding]
formats=(
  "time-colon time-colon txt"
  "tenths-bracket tenths txt"
  "frame-brace frames sub"
  "minute-second minsec txt"
  "SAMI sami smi"
  "SubRip subrip srt"
  "SubRip-cp1250 subrip srt windows-1250"
)

echo "subtitle loading, $entries entries per file; peers: $runs runs each after a warm-up"
echo "brivara: $bench"
echo "ffmpeg: $(ffmpeg -version | head -n1)"
echo "gstreamer: $(gst-launch-1.0 --version | sed -n 2p)"
echo
for entry in "${formats[@]}"; do
  read -r name format ext encoding <<<"$entry"
  encoding=${encoding:-UTF-8}
  file="$work/$name.$ext"
  tiny="$work/$name-tiny.$ext"
  "$bench" --generate "$format" "$entries" "$file" "$encoding"
  "$bench" --generate "$format" 1 "$tiny" "$encoding"
  line=$("$bench" "$file" $((runs * 4)) 25)
  brivara_ms=$(sed -n 's/.* median_ms=\([0-9.]*\).*/\1/p' <<<"$line")
  got=$(sed -n 's/^entries=\([0-9]*\).*/\1/p' <<<"$line")
  size=$(du -k "$file" | cut -f1)
  echo "$name ($encoding, ${size} KiB): brivara $brivara_ms ms for $got entries [$line]"
  echo "  ffmpeg:    $(peer_column ffmpeg "$file" "$tiny" "$brivara_ms")"
  echo "  gstreamer: $(peer_column gst "$file" "$tiny" "$brivara_ms")"
done
