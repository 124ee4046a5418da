# Timing helpers the benchmark scripts source. wall_ms reads the caller's $runs.
now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Median wall-clock ms of RUNS runs of a command, after one warm-up run.
wall_ms() {
  "$@" >/dev/null 2>&1 || true
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(now)
    "$@" >/dev/null 2>&1 || true
    t1=$(now)
    echo $(((t1 - t0) / 1000))
  done | median | awk -v d="${WALL_DECIMALS:-1}" '{ printf("%." d "f", $1 / 1000) }'
}
