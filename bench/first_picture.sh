#!/usr/bin/env bash
# Process start to first picture: brivara against gst-play-1.0 and (when installed) mpv, the
# same film, the same kind of video output (X images), RUNS runs each taking turns after one
# warm-up run each, medians and their ratios.
#
#   bench/first_picture.sh [FILM]          (default: demo/demo.avi, made when missing)
#
# Environment: RUNS (default 7); BRIVARA (the binary, default the newest build*/brivara);
# AUDIOSINK (force one audio sink on both players; default: each player's own choice).
#
# "First picture" is the moment the first buffer is pushed into the video sink, stamped
# inside each process by a small GStreamer tracer (first_frame_tracer.c, built here on the
# fly and loaded with GST_TRACERS), so both GStreamer players are measured by the same code;
# mpv's first XShmPutImage / XPutImage is stamped by first_put_image.c (LD_PRELOAD).
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
command -v mpv >/dev/null && cc -O2 -shared -fPIC -o "$work/libfirstput.so" "$here/first_put_image.c" -ldl
export GST_PLUGIN_PATH="$work" GST_TRACERS=firstframe
export GST_REGISTRY="$work/registry.bin"   # our own registry: the user's cache stays as it is
mkdir -p "$work/config" "$work/home"

# One run: prints "WALL CPU": milliseconds from the launch to the first picture, and the
# processor time (all threads) the player had used by then; "fail fail" without a picture.
measure() {
  local log="$work/run.log" start pid line
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
  line=$(grep -m1 '^first-frame ' "$log" || true)
  if [ -n "$line" ]; then
    awk -v s="$start" '{ printf "%d %d\n", ($2 - s) / 1000000, $4 / 1000000 }' <<<"$line"
  else
    echo fail fail
  fi
}

median() { printf '%s\n' "$@" | grep -v fail | sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "fail"}'; }

run_brivara() {
  local vars=(XDG_CONFIG_HOME="$work/config" BRIVARA_HOME="$work/home"
              BRIVARA_SOCKET="brivara-bench-$$-$RANDOM" BRIVARA_VIDEOSINK=ximagesink)
  [ -n "${AUDIOSINK:-}" ] && vars+=(BRIVARA_AUDIOSINK="$AUDIOSINK")
  exec env "${vars[@]}" "$brivara" "$film"
}
run_gstplay() {
  exec gst-play-1.0 --no-interactive --videosink=ximagesink ${AUDIOSINK:+--audiosink=$AUDIOSINK} "$film"
}
# mpv draws through Xlib (vo x11), not GStreamer: its first put image is stamped instead.
run_mpv() {
  local ao=()
  [ "${AUDIOSINK:-}" = fakeaudiosink ] && ao=(--ao=null)
  exec env LD_PRELOAD="$work/libfirstput.so" mpv --no-config --really-quiet --vo=x11 "${ao[@]}" \
    --input-terminal=no "$film"
}

players=(gst-play-1.0)
command -v mpv >/dev/null && players+=(mpv)
if [ -n "$brivara" ] && [ -x "$brivara" ]; then players+=(brivara); fi
launcher() { case $1 in gst-play-1.0) echo run_gstplay ;; mpv) echo run_mpv ;; brivara) echo run_brivara ;; esac; }

echo "film: $film ($runs runs each, taking turns, video sink ximagesink, display $DISPLAY)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"
declare -A walls cpus
for p in "${players[@]}"; do measure "$(launcher "$p")" >/dev/null; done   # warm-up: registry, disk cache
# Taking turns, so that other load on the machine falls on every player alike.
for _ in $(seq "$runs"); do
  for p in "${players[@]}"; do
    read -r w c < <(measure "$(launcher "$p")")
    walls[$p]+="$w "; cpus[$p]+="$c "
  done
done
declare -A medians cpu_medians
for p in "${players[@]}"; do
  echo "$p: ${walls[$p]}ms (processor: ${cpus[$p]}ms)" >&2
  medians[$p]=$(median ${walls[$p]})
  cpu_medians[$p]=$(median ${cpus[$p]})
  printf '%-13s median first picture: %s ms, processor time by then %s ms\n' "$p" "${medians[$p]}" \
    "${cpu_medians[$p]}"
done
command -v mpv >/dev/null || echo "mpv: not installed (scripts/bench installs it)"
if [ -z "$brivara" ] || [ ! -x "$brivara" ]; then
  echo "brivara: no binary found (build it, or set BRIVARA=path)"
  exit 0
fi
ratio() { [ "$1" != fail ] && [ "$2" != fail ] && [ "$2" -gt 0 ] && awk -v b="$1" -v g="$2" 'BEGIN { printf "%.2f", b / g }'; }
for p in gst-play-1.0 mpv; do
  r=$(ratio "${medians[brivara]}" "${medians[$p]:-fail}") || continue
  echo "ratio brivara / $p: $r (processor time: $(ratio "${cpu_medians[brivara]}" "${cpu_medians[$p]}" || echo n/a))"
done
