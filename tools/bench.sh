#!/usr/bin/env bash
# Builds the benchmarks and runs each of them several times, then prints every
# figure's median and spread (minimum to maximum over the runs):
#   the play step of the crowded stage, natively (release build with debug
#   information, build-bench/) and under Wine;
#   a sample stage's screen per frame on each back end under Wine (play step
#   and drawing, the drawing alone, the present without pacing), its file's
#   load and its set-up;
#   the busy frame on each back end, and its floor: the same frame through
#   Direct3D with the fewest draw calls (the ratio is printed);
#   the game's start to its first presented frame.
# RUNS (default 5) sets the runs of each; STAGES the sample stages drawn.
# Benchmarks are timings, not tests: on a busy machine the spread shows it.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-5}
STAGES=${STAGES:-Meadow.stg4_001 Castle.stg4_000}
BUILD_DIR=${BUILD_DIR:-build}
BENCH_HOST_DIR=${BENCH_HOST_DIR:-build-bench}
JOBS=${JOBS:-4}

bash tools/build.sh >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target play_step_bench stage_draw_bench blit_bench d3d_floor_bench startup_bench >/dev/null
if [ ! -f "$BENCH_HOST_DIR/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B "$BENCH_HOST_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS="-g -fno-omit-frame-pointer" \
    "${launcher[@]}" >/dev/null
fi
cmake --build "$BENCH_HOST_DIR" -j "$JOBS" --target play_step_bench >/dev/null

results=$(mktemp)
log=$(mktemp)
trap 'rm -f "$results" "$log"' EXIT

# run LABEL COMMAND...: the BENCH lines of one run, each figure named LABEL.KEY.
run() {
  local label=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    echo "bench: $label: $* failed:" >&2
    tail -n 5 "$log" >&2
  fi
  sed -n "s/^BENCH \([^ ]*\) \([^ ]*\).*/$label.\1 \2/p" "$log" | tr -d '\r' | tee -a "$results"
}

echo "bench: $RUNS runs each; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for _ in $(seq "$RUNS"); do run native "$BENCH_HOST_DIR/tests/host/play_step_bench"; done

. tools/wine-env.sh
wine_env_setup "$BUILD_DIR"
trap 'wine_env_stop; rm -f "$results" "$log"' EXIT
wine_env_start >/dev/null
exe() { bash tools/wine-run.sh "$BUILD_DIR/tests/$1.exe" "${@:2}"; }
for _ in $(seq "$RUNS"); do
  run wine exe play_step_bench
  for stage in $STAGES; do
    run "wine.${stage%%.*}" exe stage_draw_bench d3d "$stage"
    run "wine.${stage%%.*}" exe stage_draw_bench ddraw "$stage"
  done
  run wine exe blit_bench
  run wine exe d3d_floor_bench
done
# Five starts a run.
run wine exe startup_bench
echo "bench: load after: $(cut -d' ' -f1-3 /proc/loadavg)"

awk '
{ v[$1] = v[$1] " " $2; if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 } }
END {
  printf "%-44s %10s %10s %10s %4s\n", "figure (ms)", "median", "min", "max", "runs"
  for (i = 1; i <= n; ++i) {
    k = order[i]; c = split(substr(v[k], 2), a, " ")
    for (x = 1; x <= c; ++x) for (y = x + 1; y <= c; ++y) if (a[y] + 0 < a[x] + 0) { t = a[x]; a[x] = a[y]; a[y] = t }
    med[k] = (c % 2) ? a[(c + 1) / 2] : (a[c / 2] + a[c / 2 + 1]) / 2
    printf "%-44s %10.3f %10.3f %10.3f %4d\n", k, med[k], a[1], a[c], c
  }
  f = "wine.busy_frame_d3d_floor_ms"
  if (med[f] > 0) {
    printf "\nbusy frame over its Direct3D floor: sprite batch %.2fx, blit by blit %.2fx\n",
      med["wine.busy_frame_d3d_batch_ms"] / med[f], med["wine.busy_frame_d3d_blits_ms"] / med[f]
  }
}' "$results"
