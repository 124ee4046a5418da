#!/usr/bin/env bash
# The playlist's disk search against find(1), and its work on a long list against the
# standard tools doing the same work, in the same run on the same files.
#
#   bench/playlist.sh
#
# Environment: FILES (default 50000), FOLDERS (default 2000), ENTRIES (default 10000),
# RUNS (default 7), BUILD (the build folder, default the newest build*/ with the benches).
#
# Search: bench_media_search walks a generated tree with the default extension list (in
# process, median); the peer is `find ROOT -type f ( -iname '*.avi' -o ... )` with the same
# patterns (those the search uses, and *.mpeg, which the "MPE" entry finds), median wall
# time less find's time on an empty folder (start-up). The second pair also takes every
# found file's size (the search does, for the list's size column; find with -printf '%s').
# List: bench_playlist_ops reads a .zdl of ENTRIES entries (every size from the disk),
# sorts it by size and by name and saves it; the peers are xargs+stat over the list's paths,
# sort(1) on the size|name lines (-n -r, and -f), and cp of the list file.
# Ratios are brivara / peer: below 1, brivara is faster.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
files=${FILES:-50000}
folders=${FOLDERS:-2000}
entries=${ENTRIES:-10000}
runs=${RUNS:-7}
build=${BUILD:-$(dirname "$(ls -t "$root"/build*/bench_media_search 2>/dev/null | head -n1)")}
for b in bench_media_search bench_playlist_ops; do
  [ -x "$build/$b" ] || { echo "playlist: build the $b target first (or set BUILD)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/brivara-playlist.XXXXXX)
trap 'rm -rf "$work"' EXIT
# now, median, wall_ms (with two decimals: some of these take a few ms)
WALL_DECIMALS=2
source "$here/timing.sh"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
minus() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; if (d < 0.01) d = 0.01; printf "%.2f", d }'; }

echo "== search: $files files in $folders folders"
"$build/bench_media_search" --generate "$work/tree" "$files" "$folders"
mkdir -p "$work/empty"
patterns=()
for e in asf avi mpe mpeg mpg mov wmv divx ifo m2v ogm vob qt m2p wav mpa mp3 mid m3u wma ogg cda; do
  [ ${#patterns[@]} -gt 0 ] && patterns+=(-o)
  patterns+=(-iname "*.$e")
done
find_walk() { find "$1" -type f \( "${patterns[@]}" \) -print; }
find_sized() { find "$1" -type f \( "${patterns[@]}" \) -printf '%s %p\n'; }
found_find=$(find_walk "$work/tree" | wc -l)
ours=$("$build/bench_media_search" "$work/tree" "$runs")
echo "brivara: $ours"
echo "find:    found $found_find"
walk=$(awk '{ print $6 }' <<<"$ours")
sized=$(awk '{ print $8 }' <<<"$ours")
start=$(wall_ms find_walk "$work/empty")
fw=$(minus "$(wall_ms find_walk "$work/tree")" "$start")
fs=$(minus "$(wall_ms find_sized "$work/tree")" "$start")
printf '%-34s %10s %10s %8s\n' "" "brivara ms" "find ms" "ratio"
printf '%-34s %10s %10s %8s\n' "walk (paths only)" "$walk" "$fw" "$(ratio "$walk" "$fw")"
printf '%-34s %10s %10s %8s\n' "walk with each file's size" "$sized" "$fs" "$(ratio "$sized" "$fs")"

echo "== list of $entries entries"
ops=$("$build/bench_playlist_ops" "$work/list" "$entries" "$runs")
echo "brivara: $ops"
read_ms=$(awk '{ print $4 }' <<<"$ops"); size_ms=$(awk '{ print $6 }' <<<"$ops")
name_ms=$(awk '{ print $8 }' <<<"$ops"); save_ms=$(awk '{ print $10 }' <<<"$ops")
stat_paths() { awk 'NR % 7 == 0' "$work/list/list.zdl" | tr -d '\r' | xargs -d '\n' stat -c %s; }
sort_size() { sort -t'|' -k1,1nr "$work/list/keys.txt"; }
sort_name() { sort -f -t'|' -k2 "$work/list/keys.txt"; }
copy_list() { cp "$work/list/list.zdl" "$work/list/copy.zdl"; }
p_read=$(wall_ms stat_paths); p_size=$(wall_ms sort_size); p_name=$(wall_ms sort_name); p_save=$(wall_ms copy_list)
printf '%-34s %10s %10s %8s\n' "" "brivara ms" "peer ms" "ratio"
printf '%-34s %10s %10s %8s\n' "read .zdl (peer: xargs stat)" "$read_ms" "$p_read" "$(ratio "$read_ms" "$p_read")"
printf '%-34s %10s %10s %8s\n' "sort by size (peer: sort -nr)" "$size_ms" "$p_size" "$(ratio "$size_ms" "$p_size")"
printf '%-34s %10s %10s %8s\n' "sort by name (peer: sort -f)" "$name_ms" "$p_name" "$(ratio "$name_ms" "$p_name")"
printf '%-34s %10s %10s %8s\n' "save .zdl (peer: cp)" "$save_ms" "$p_save" "$(ratio "$save_ms" "$p_save")"
