#!/usr/bin/env bash
# Process start to first picture: brivara against gst-play-1.0, the same film, the same
# video sink (ximagesink), RUNS runs each after one warm-up run, medians and their ratio.
#
#   bench/first_picture.sh [FILM]          (default: demo/demo.avi, made when missing)
#
# Environment: RUNS (default 7); BRIVARA (the binary, default the newest build*/brivara);
# AUDIOSINK (force one audio sink on both players; default: each player's own choice).
#
# "First picture" is the moment the first buffer is pushed into the video sink, stamped
# inside each process by a small GStreamer tracer (first_frame_tracer.c, built here on the
# fly and loaded with GST_TRACERS), so both players are measured by the same code.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
runs=${RUNS:-7}

film=${1:-$root/demo/demo.avi}
if [ ! -f "$film" ] && [ -z "${1:-}" ]; then
  film=$("$root/scripts/make-demo-media")
fi
[ -f "$film" ] || { echo "first_picture: no such film: $film" >&2; exit 1; }
film=$(cd "$(dirname "$film")" && pwd)/$(basename "$film")

brivara=${BRIVARA:-$(ls -t "$root"/build*/brivara 2>/dev/null | head -n1 || true)}

work=$(mktemp -d /tmp/brivara-bench.XXXXXX)
. "$root/scripts/xsession"
brivara_xsession_start
cleanup() {
  brivara_xsession_stop || true
  rm -rf "$work"
  case "${XDG_RUNTIME_DIR:-}" in /tmp/brivara-runtime.*) rm -rf "$XDG_RUNTIME_DIR" ;; esac
}
trap cleanup EXIT

cc -O2 -shared -fPIC $(pkg-config --cflags gstreamer-1.0) -o "$work/libgstfirstframe.so" \
  "$here/first_frame_tracer.c" $(pkg-config --libs gstreamer-1.0)
export GST_PLUGIN_PATH="$work" GST_TRACERS=firstframe
export GST_REGISTRY="$work/registry.bin"   # our own registry: the user's cache stays as it is
mkdir -p "$work/config" "$work/home"

# One run: prints milliseconds from the launch to the first picture, or "fail".
measure() {
  local log="$work/run.log" start pid stamp
  : >"$log"
  start=$(date +%s%N)
  "$@" </dev/null >/dev/null 2>"$log" &
  pid=$!
  for _ in $(seq 750); do   # up to 15 s
    grep -q '^first-frame ' "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.02
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  stamp=$(grep -m1 '^first-frame ' "$log" | cut -d' ' -f2 || true)
  if [ -n "$stamp" ]; then echo $(( (stamp - start) / 1000000 )); else echo fail; fi
}

median() { printf '%s\n' "$@" | grep -v fail | sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "fail"}'; }

run_brivara() {
  local vars=(XDG_CONFIG_HOME="$work/config" BRIVARA_HOME="$work/home"
              BRIVARA_SOCKET="brivara-bench-$$-$RANDOM" BRIVARA_VIDEOSINK=ximagesink)
  [ -n "${AUDIOSINK:-}" ] && vars+=(BRIVARA_AUDIOSINK="$AUDIOSINK")
  env "${vars[@]}" "$brivara" "$film"
}
run_gstplay() {
  gst-play-1.0 --no-interactive --videosink=ximagesink ${AUDIOSINK:+--audiosink=$AUDIOSINK} "$film"
}

series() {
  local name=$1; shift
  local results=() r
  measure "$@" >/dev/null   # warm-up: registry, disk cache
  for _ in $(seq "$runs"); do
    r=$(measure "$@")
    results+=("$r")
  done
  echo "$name: ${results[*]} ms" >&2
  median "${results[@]}"
}

echo "film: $film ($runs runs each, video sink ximagesink, display $DISPLAY)"
play_ms=$(series gst-play-1.0 run_gstplay)
echo "gst-play-1.0  median first picture: $play_ms ms"
if [ -z "$brivara" ] || [ ! -x "$brivara" ]; then
  echo "brivara: no binary found (build it, or set BRIVARA=path)"
  exit 0
fi
brivara_ms=$(series brivara run_brivara)
echo "brivara       median first picture: $brivara_ms ms"
if [ "$brivara_ms" != fail ] && [ "$play_ms" != fail ] && [ "$play_ms" -gt 0 ]; then
  awk -v b="$brivara_ms" -v g="$play_ms" 'BEGIN { printf "ratio brivara / gst-play-1.0: %.2f\n", b / g }'
fi
