#!/usr/bin/env bash
# Processor time while playing and while paused: brivara against gst-play-1.0, the same
# film, the same video sink (ximagesink), the same audio sink.
#
#   bench/cpu_play.sh [FILM]          (default: demo/demo.avi, made when missing)
#
# Environment: RUNS (playing runs per player, default 3); SECONDS (length of the playing
# window, default 30); BRIVARA (the binary, default the newest build*/brivara); AUDIOSINK
# (the audio sink of both players, default autoaudiosink).
#
# CPU time is user + system time of the player's process from /proc/PID/stat, read at two
# moments; the first one comes after start-up (2 s after the launch when playing, once the
# pause has settled when paused), so loading the libraries and building the pipeline do not
# count. The X server's own work on the pictures is not counted for either player.
set -euo pipefail

# bash keeps its own counter in SECONDS: take the caller's value from the environment we
# were started with.
window=$(tr '\0' '\n' </proc/$$/environ | sed -n 's/^SECONDS=//p' | head -n1)
window=${window:-30}
case "$window" in ''|*[!0-9]*|0) echo "cpu_play: SECONDS must be a whole number of seconds" >&2; exit 1 ;; esac
runs=${RUNS:-3}
case "$runs" in ''|*[!0-9]*|0) echo "cpu_play: RUNS must be a positive number" >&2; exit 1 ;; esac
audiosink=${AUDIOSINK:-autoaudiosink}
lead_in=2        # seconds from the launch to the first sample while playing
pause_after=3    # seconds of playing before the pause
pause_window=10  # seconds measured while paused

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

film=${1:-$root/demo/demo.avi}
if [ ! -f "$film" ] && [ -z "${1:-}" ]; then
  film=$("$root/scripts/make-demo-media")
fi
[ -f "$film" ] || { echo "cpu_play: no such film: $film" >&2; exit 1; }
film=$(cd "$(dirname "$film")" && pwd)/$(basename "$film")

brivara=${BRIVARA:-$(ls -t "$root"/build*/brivara 2>/dev/null | head -n1 || true)}
if [ -z "$brivara" ] || [ ! -x "$brivara" ]; then
  echo "cpu_play: no brivara binary found (build it, or set BRIVARA=path)" >&2
  exit 1
fi
command -v gst-play-1.0 >/dev/null || { echo "cpu_play: gst-play-1.0 is not installed" >&2; exit 1; }

work=$(mktemp -d /tmp/brivara-bench.XXXXXX)
started=()   # the players now running (and script(1)), so that none outlives the script
. "$root/scripts/xsession"
brivara_xsession_start
# A pid is ours while its parent is this shell or another of ours (gst-play-1.0 under script);
# once it has ended and been reaped, the number may already belong to someone else.
ours() {
  local ppid p
  ppid=$(awk '{ sub(/.*\) /, ""); print $2 }' "/proc/$1/stat" 2>/dev/null) || return 1
  [ "$ppid" = "$$" ] && return 0
  for p in "${started[@]:-}"; do [ -n "$p" ] && [ "$ppid" = "$p" ] && return 0; done
  return 1
}
running() { [ -r "/proc/$1/stat" ] && ! awk '{ sub(/.*\) /, ""); exit $1 == "Z" ? 0 : 1 }' "/proc/$1/stat"; }
# The newest first, and each given time to end, so that gst-play-1.0 ends (and is reaped by
# its terminal) before script(1) itself is stopped.
stop_ours() {
  local i pid
  for (( i = ${#started[@]} - 1; i >= 0; i-- )); do
    pid=${started[i]}
    ours "$pid" && running "$pid" || continue
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 30); do running "$pid" || break; sleep 0.1; done
    running "$pid" && kill -KILL "$pid" 2>/dev/null || true
  done
}
cleanup() {
  stop_ours
  brivara_xsession_stop || true
  wait 2>/dev/null || true   # reap them all, the display server too
  sleep 0.3   # the session bus may still write into the runtime folder while it ends
  rm -rf "$work"
  case "${XDG_RUNTIME_DIR:-}" in /tmp/brivara-runtime.*) rm -rf "$XDG_RUNTIME_DIR" ;; esac
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -p "$work/config" "$work/data" "$work/home"
export BRIVARA_SOCKET="brivara-cpu-bench-$$"
brivara_env=(XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" BRIVARA_HOME="$work/home"
             BRIVARA_SOCKET="$BRIVARA_SOCKET" BRIVARA_VIDEOSINK=ximagesink
             BRIVARA_AUDIOSINK="$audiosink")
gstplay_args=(--videosink=ximagesink --audiosink="$audiosink")

now_ns() { date +%s%N; }
# utime + stime of the whole process (live and finished threads), in milliseconds.
cpu_ms() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo gone; return; }
  stat=${stat##*) }   # the command name may hold spaces; the fields after it do not
  awk -v hz="$(getconf CLK_TCK)" '{ printf "%d\n", ($12 + $13) * 1000 / hz }' <<<"$stat"
}
# Run time of the live threads in nanoseconds (finer than the 10 ms ticks of cpu_ms).
run_ns() {
  { cat /proc/"$1"/task/*/schedstat 2>/dev/null || true; } |
    awk '{ s += $1 } END { if (NR) printf "%d\n", s; else print "n/a" }'
}
sleep_until() {   # sleep_until EPOCH_NS
  local left=$(( $1 - $(now_ns) ))
  [ "$left" -gt 0 ] && sleep "$(awk -v n="$left" 'BEGIN { printf "%.3f", n / 1e9 }')"
  return 0
}
ipc() { env "${brivara_env[@]}" "$brivara" --ipc "$1" 2>/dev/null || true; }
play_state() { ipc '{"cmd":"state"}' | grep -o '"playState":[0-9-]*' | cut -d: -f2 || true; }

start_brivara() {
  env "${brivara_env[@]}" "$brivara" "$film" </dev/null >"$work/brivara.log" 2>&1 &
  pid=$!
  started+=("$pid")
}
stop_brivara() {
  local p=$1
  ipc '{"cmd":"quit"}' >/dev/null
  for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$p" 2>/dev/null; then
    echo "cpu_play: brivara did not quit on request; terminating it" >&2
    kill -TERM "$p" 2>/dev/null || true
    for _ in $(seq 30); do running "$p" || break; sleep 0.1; done
    running "$p" && kill -KILL "$p" 2>/dev/null || true
  fi
  wait "$p" 2>/dev/null || true
  started=()
}
start_gstplay() {
  gst-play-1.0 --no-interactive "${gstplay_args[@]}" "$film" </dev/null >/dev/null 2>"$work/gstplay.log" &
  pid=$!
  started+=("$pid")
}
stop_gstplay() {
  kill -TERM "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  started=()
}

# The runs below start their players in this shell (never in a $(...) subshell), so that the
# exit trap knows every process; they leave their figures in $result.

# One playing run: result is "CPU_MS WALL_MS" for the window, or "fail".
playing_run() {
  local player=$1 t0 c0 c1 w0 w1 ok=1 state
  t0=$(now_ns)
  "start_$player"
  sleep_until $(( t0 + lead_in * 1000000000 ))
  w0=$(now_ns); c0=$(cpu_ms "$pid")
  sleep_until $(( w0 + window * 1000000000 ))
  c1=$(cpu_ms "$pid"); w1=$(now_ns)
  if [ "$c0" = gone ] || [ "$c1" = gone ]; then ok=0; fi
  if [ "$player" = brivara ] && [ "$ok" = 1 ]; then
    state=$(play_state)
    if [ "$state" != 1 ]; then
      echo "cpu_play: brivara was not playing (playState ${state:-none})" >&2
      [ -z "$state" ] && echo "cpu_play: no answer on its control socket; main thread" \
        "$(grep '^State:' "/proc/$pid/status" 2>/dev/null | tr -s '\t ' ' '), waiting in" \
        "$(cat "/proc/$pid/wchan" 2>/dev/null || echo '?')" >&2
      ok=0
    fi
  fi
  "stop_$player" "$pid"
  if [ "$ok" != 1 ]; then
    echo "cpu_play: the end of its output:" >&2
    tail -n 5 "$work/$player.log" | sed 's/^/    /' >&2
  fi
  if [ "$ok" = 1 ]; then result="$(( c1 - c0 )) $(( (w1 - w0) / 1000000 ))"; else result=fail; fi
}

# Prints "CPU_MS WALL_MS RUN_NS" for a paused window of process $1.
paused_window() {
  local p=$1 w0 w1 c0 c1 r0 r1 run
  w0=$(now_ns); c0=$(cpu_ms "$p"); r0=$(run_ns "$p")
  sleep_until $(( w0 + pause_window * 1000000000 ))
  c1=$(cpu_ms "$p"); r1=$(run_ns "$p"); w1=$(now_ns)
  if [ "$c0" = gone ] || [ "$c1" = gone ]; then echo fail; return; fi
  run=n/a
  [ "$r0" != n/a ] && [ "$r1" != n/a ] && run=$(( r1 - r0 ))
  echo "$(( c1 - c0 )) $(( (w1 - w0) / 1000000 )) $run"
}

brivara_paused() {
  local t0 state=""
  t0=$(now_ns)
  start_brivara
  sleep_until $(( t0 + pause_after * 1000000000 ))
  ipc '{"cmd":"click","window":"TForm1","control":"BPause"}' >/dev/null
  for _ in $(seq 20); do
    state=$(play_state)
    [ "$state" = 3 ] && break
    sleep 0.1
  done
  if [ "$state" != 3 ]; then
    echo "cpu_play: brivara did not pause (playState ${state:-none})" >&2
    stop_brivara "$pid"; result=fail; return
  fi
  sleep 1   # let the pause settle
  result=$(paused_window "$pid")
  state=$(play_state)
  [ "$state" = 3 ] || { echo "cpu_play: brivara left the pause (playState ${state:-none})" >&2; result=fail; }
  stop_brivara "$pid"
}

# gst-play-1.0 reads its keys only from a terminal: it gets one from script(1), and a space
# typed into it pauses. The figures are those of gst-play-1.0 itself, not of script.
gstplay_paused() {
  result=fail
  command -v script >/dev/null || { echo "cpu_play: script(1) missing, gst-play-1.0 paused not measured" >&2; return; }
  local t0 spid gpid="" keys="$work/keys" log="$work/gst-play-tty.log" paused=0
  rm -f "$keys"; mkfifo "$keys"
  t0=$(now_ns)
  script -qfec "$(printf '%q ' gst-play-1.0 "${gstplay_args[@]}" "$film")" /dev/null \
    <"$keys" >"$log" 2>&1 &
  spid=$!
  started+=("$spid")
  exec 7>"$keys"
  for _ in $(seq 50); do
    gpid=$(pgrep -P "$spid" -x gst-play-1.0 || true)
    [ -n "$gpid" ] && break
    sleep 0.1
  done
  if [ -z "$gpid" ]; then
    echo "cpu_play: gst-play-1.0 did not start under script(1)" >&2
    exec 7>&-; kill -TERM "$spid" 2>/dev/null || true; wait "$spid" 2>/dev/null || true
    started=()
    return
  fi
  started+=("$gpid")
  sleep_until $(( t0 + pause_after * 1000000000 ))
  printf ' ' >&7
  for _ in $(seq 20); do
    grep -q 'Paused' "$log" && { paused=1; break; }
    sleep 0.1
  done
  if [ "$paused" = 1 ]; then
    sleep 1   # let the pause settle, as for brivara
    result=$(paused_window "$gpid")
  else
    echo "cpu_play: gst-play-1.0 did not pause on a space typed on its terminal" >&2
  fi
  printf 'q' >&7 2>/dev/null || true
  for _ in $(seq 30); do kill -0 "$gpid" 2>/dev/null || break; sleep 0.1; done
  ours "$gpid" && kill -TERM "$gpid" 2>/dev/null || true
  exec 7>&-
  for _ in $(seq 30); do kill -0 "$spid" 2>/dev/null || break; sleep 0.1; done
  kill -TERM "$spid" 2>/dev/null || true
  wait "$spid" 2>/dev/null || true
  started=()
}

median() { printf '%s\n' "$@" | { grep -v fail || true; } | sort -n | awk '{a[NR]=$1} END {if (NR) print a[int((NR+1)/2)]; else print "fail"}'; }
percent() { awk -v c="$1" -v w="$2" 'BEGIN { if (w > 0) printf "%.1f", 100 * c / w; else print "?" }'; }

cat "$film" >/dev/null   # the film comes from the page cache for every run
echo "film: $film"
echo "brivara: $brivara"
echo "playing: $runs runs each, CPU over ${window} s from ${lead_in} s after the launch;" \
     "video sink ximagesink, audio sink $audiosink, display $DISPLAY"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"

b_cpu=(); g_cpu=(); b_pct=(); g_pct=()
for i in $(seq "$runs"); do
  # Interleaved, so that other load on the machine falls on both players alike.
  for player in gstplay brivara; do
    playing_run "$player"; r=$result
    if [ "$r" = fail ]; then
      echo "  run $i $player: fail"
      c=fail; p=fail
    else
      read -r c w <<<"$r"
      p=$(percent "$c" "$w")
      echo "  run $i $player: $c ms CPU in $w ms ($p % of one core)"
    fi
    if [ "$player" = brivara ]; then b_cpu+=("$c"); b_pct+=("$p"); else g_cpu+=("$c"); g_pct+=("$p"); fi
  done
done
b_med=$(median "${b_cpu[@]}"); g_med=$(median "${g_cpu[@]}")
report_playing() {   # report_playing NAME MEDIAN_MS MEDIAN_PERCENT
  if [ "$2" = fail ]; then echo "$1 median CPU playing: not measured"
  else echo "$1 median CPU playing: $2 ms per ${window} s ($3 % of one core)"; fi
}
report_playing "gst-play-1.0 " "$g_med" "$(median "${g_pct[@]}")"
report_playing "brivara      " "$b_med" "$(median "${b_pct[@]}")"
if [ "$b_med" != fail ] && [ "$g_med" != fail ] && [ "$g_med" -gt 0 ]; then
  awk -v b="$b_med" -v g="$g_med" 'BEGIN { printf "ratio brivara / gst-play-1.0 (playing): %.2f\n", b / g }'
fi

report_paused() {
  local name=$1 r=$2 c w n
  if [ "$r" = fail ]; then echo "$name paused: not measured"; return; fi
  read -r c w n <<<"$r"
  local fine=""
  [ "$n" != n/a ] && fine=$(awk -v n="$n" -v w="$w" 'BEGIN { printf "; thread run time %.1f ms = %.3f %% of one core", n / 1e6, 100 * n / 1e6 / w }')
  echo "$name paused: $c ms CPU in $w ms ($(percent "$c" "$w") % of one core)$fine"
}
echo "paused: ${pause_after} s of playing, pause, 1 s to settle, then CPU over ${pause_window} s"
brivara_paused; report_paused "brivara      " "$result"
gstplay_paused; report_paused "gst-play-1.0 " "$result"
