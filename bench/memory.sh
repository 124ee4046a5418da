#!/usr/bin/env bash
# Resident memory: brivara while playing against gst-play-1.0 and (when installed) mpv on the
# same film and the same kind of video output; and brivara's growth over 100 films opened
# one after the other (each open releases the last one's pipeline).
#
#   bench/memory.sh [FILM]            (default: demo/demo.avi, made when missing)
#
# Environment: RUNS (playing runs per player, default 3); FILMS (opens, default 100);
# BRIVARA (the binary, default the newest build*/brivara); AUDIOSINK (default fakeaudiosink).
#
# Playing: VmRSS from /proc/PID/status 6 s after the launch, median of RUNS, the players
# taking turns. Films: brivara opens FILM and a copy of it by turns through its control
# socket, waiting each time until it plays the new one; the growth is VmRSS after the last
# open less VmRSS after the fifth (the first opens fill caches that are kept on purpose:
# plugins, fonts, the glyphs).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
runs=${RUNS:-3}
films=${FILMS:-100}
audiosink=${AUDIOSINK:-fakeaudiosink}
settle=6

film=${1:-$root/demo/demo.avi}
if [ ! -f "$film" ] && [ -z "${1:-}" ]; then
  film=$("$root/scripts/make-demo-media")
fi
[ -f "$film" ] || { echo "memory: no such film: $film" >&2; exit 1; }
film=$(cd "$(dirname "$film")" && pwd)/$(basename "$film")
brivara=${BRIVARA:-$(ls -t "$root"/build*/brivara 2>/dev/null | head -n1 || true)}
[ -n "$brivara" ] && [ -x "$brivara" ] || { echo "memory: no brivara binary found (build it, or set BRIVARA=path)" >&2; exit 1; }

work=$(mktemp -d /tmp/brivara-bench.XXXXXX)
pid=""
. "$root/scripts/xsession"
brivara_xsession_start
stop_player() {
  [ -n "$pid" ] || return 0
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}
cleanup() {
  stop_player
  brivara_xsession_stop || true
  wait 2>/dev/null || true
  sleep 0.3
  rm -rf "$work"
  case "${XDG_RUNTIME_DIR:-}" in /tmp/brivara-runtime.*) rm -rf "$XDG_RUNTIME_DIR" ;; esac
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$work/config" "$work/data" "$work/home"
brivara_env=(XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" BRIVARA_HOME="$work/home"
             BRIVARA_SOCKET="brivara-memory-bench-$$" BRIVARA_VIDEOSINK=ximagesink
             BRIVARA_AUDIOSINK="$audiosink")
ipc() { env "${brivara_env[@]}" "$brivara" --ipc "$1" 2>/dev/null || true; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo fail; }
median() { printf '%s\n' "$@" | { grep -v fail || true; } | sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "fail"}'; }

start_brivara() { env "${brivara_env[@]}" "$brivara" "$1" </dev/null >/dev/null 2>&1 & pid=$!; }
start_gstplay() {
  gst-play-1.0 --no-interactive --videosink=ximagesink --audiosink="$audiosink" "$film" </dev/null >/dev/null 2>&1 &
  pid=$!
}
start_mpv() {
  local ao=()
  [ "$audiosink" = fakeaudiosink ] && ao=(--ao=null)
  mpv --no-config --really-quiet --vo=x11 "${ao[@]}" --input-terminal=no "$film" </dev/null >/dev/null 2>&1 &
  pid=$!
}

players=(gst-play-1.0 brivara)
command -v mpv >/dev/null && players=(gst-play-1.0 mpv brivara)
declare -A rss
echo "film: $film; resident memory ${settle} s after the launch, $runs runs each, taking turns"
for _ in $(seq "$runs"); do
  for p in "${players[@]}"; do
    case $p in gst-play-1.0) start_gstplay ;; mpv) start_mpv ;; brivara) start_brivara "$film" ;; esac
    sleep "$settle"
    r=$(rss_kb "$pid")
    if [ "$p" = brivara ] && ! ipc '{"cmd":"state"}' | grep -q '"playState":1'; then r=fail; fi
    rss[$p]+="$r "
    [ "$p" = brivara ] && ipc '{"cmd":"quit"}' >/dev/null
    stop_player
  done
done
declare -A med
for p in "${players[@]}"; do
  med[$p]=$(median ${rss[$p]})
  printf '%-13s median resident memory playing: %s KiB (runs: %s)\n' "$p" "${med[$p]}" "${rss[$p]% }"
done
command -v mpv >/dev/null || echo "mpv: not installed (scripts/bench installs it)"
for p in gst-play-1.0 mpv; do
  [ -n "${med[$p]:-}" ] && [ "${med[$p]}" != fail ] && [ "${med[brivara]}" != fail ] || continue
  awk -v b="${med[brivara]}" -v g="${med[$p]}" -v p="$p" 'BEGIN { printf "ratio brivara / %s (memory): %.2f\n", p, b / g }'
done

# Opens by turns of the film and its copy, each waited for until it plays.
other="$work/copy-$(basename "$film")"
cp "$film" "$other"
start_brivara "$film"
opened_playing() {   # opened_playing PATH: true once the player plays PATH
  local state
  for _ in $(seq 100); do
    state=$(ipc '{"cmd":"state"}')
    grep -qF "\"currentFile\":\"$1\"" <<<"$state" && grep -q '"playState":1' <<<"$state" && return 0
    sleep 0.05
  done
  return 1
}
opened_playing "$film" || { echo "memory: brivara did not play $film"; exit 0; }
base=""
for i in $(seq "$films"); do
  if [ $((i % 2)) = 1 ]; then next=$other; else next=$film; fi
  ipc "{\"cmd\":\"open\",\"path\":\"$next\"}" >/dev/null
  opened_playing "$next" || { echo "memory: open $i of $films did not play"; base=fail; break; }
  [ "$i" = 5 ] && base=$(rss_kb "$pid")
done
last=$(rss_kb "$pid")
ipc '{"cmd":"quit"}' >/dev/null
stop_player
if [ "$base" = fail ] || [ -z "$base" ] || [ "$last" = fail ]; then
  echo "brivara open and release $films films: not measured"
else
  echo "brivara open and release $films films: $base KiB after the 5th, $last KiB after the last:" \
    "growth $(( (last - base) / 1024 )) MiB ($(( last - base )) KiB)"
fi
