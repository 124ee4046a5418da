# Helpers the benchmarks that drive the real player source (with $here = the checkout).

# bench_make_film FILE SECONDS: a film of SECONDS (320x240, 25 frames a second, a key frame
# every 10 s, MPEG-4 with MP3 sound in AVI), made once and kept.
bench_make_film() {
  local film=$1 seconds=$2
  [ -s "$film" ] && return 0
  mkdir -p "$(dirname "$film")"
  gst-launch-1.0 -q -e \
    videotestsrc num-buffers=$((seconds * 25)) pattern=ball ! video/x-raw,width=320,height=240,framerate=25/1 \
      ! videoconvert ! avenc_mpeg4 gop-size=250 ! avimux name=mux ! filesink location="$film.part" \
    audiotestsrc num-buffers=$((seconds * 10)) samplesperbuffer=4410 ! audio/x-raw,rate=44100,channels=1 \
      ! audioconvert ! lamemp3enc ! mux.
  mv "$film.part" "$film"
}

# bench_player_session: a private display, settings and program folders in $scratch, and a
# silent audio output; all of it goes when the script ends.
bench_player_session() {
  export BRIVARA_XVFB=1
  # shellcheck source=../scripts/xsession
  . "$here/scripts/xsession"
  brivara_xsession_start
  scratch=$(mktemp -d /tmp/brivara-bench.XXXXXX)
  trap 'brivara_xsession_stop; rm -rf "$scratch"' EXIT
  export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" BRIVARA_HOME="$scratch/program"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$BRIVARA_HOME"
  export BRIVARA_AUDIOSINK=${BRIVARA_AUDIOSINK:-fakeaudiosink}
}
