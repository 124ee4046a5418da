#!/usr/bin/env bash
# Makes a film a little longer than ENTRIES seconds (320x240, 25 frames a second, MPEG-4
# with MP3 sound in AVI; kept in build/bench-media) and runs bench_subtitle_onset on it
# under a private display. ENTRIES defaults to 200; a run plays the film twice.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVARA_BUILD_DIR:-$here/build}
entries=${ENTRIES:-200}
seconds=$((entries + 5))
media="$build/bench-media"
film="$media/onset-${seconds}s.avi"
mkdir -p "$media"
if [ ! -s "$film" ]; then
  gst-launch-1.0 -q -e \
    videotestsrc num-buffers=$((seconds * 25)) pattern=ball ! video/x-raw,width=320,height=240,framerate=25/1 \
      ! videoconvert ! avenc_mpeg4 gop-size=250 ! avimux name=mux ! filesink location="$film.part" \
    audiotestsrc num-buffers=$((seconds * 10)) samplesperbuffer=4410 ! audio/x-raw,rate=44100,channels=1 \
      ! audioconvert ! lamemp3enc ! mux.
  mv "$film.part" "$film"
fi
export BRIVARA_XVFB=1
# shellcheck source=../scripts/xsession
. "$here/scripts/xsession"
brivara_xsession_start
trap brivara_xsession_stop EXIT
scratch=$(mktemp -d /tmp/brivara-bench.XXXXXX)
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" BRIVARA_HOME="$scratch/program"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$BRIVARA_HOME"
export BRIVARA_AUDIOSINK=${BRIVARA_AUDIOSINK:-fakeaudiosink}
"$build/bench_subtitle_onset" "$film" "$entries"
rm -rf "$scratch"
