#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang's libFuzzer under ASan and UBSan
# and runs every one of them, in parallel, for SECONDS seconds each (default
# 60). Usage: tools/fuzz.sh [SECONDS] [TARGET...]
# Each target's corpus grows in build-fuzz/corpus/<target>, seeded with the
# files its own writers make. An input that crashes, leaks, runs out of
# memory or time is copied into tests/fuzz/<target>/, where the native test
# suite replays it from then on; the script then fails.
set -uo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
shift || true
FUZZ_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
# Per input: memory (MB) and time (s).
RSS_LIMIT_MB=${FUZZ_RSS_LIMIT_MB:-1024}
INPUT_TIMEOUT=${FUZZ_INPUT_TIMEOUT:-10}
MAX_LEN=${FUZZ_MAX_LEN:-65536}

. tools/ccache.sh
if [ ! -f "$FUZZ_DIR/build.ninja" ]; then
  cmake -S fuzz -B "$FUZZ_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${CCACHE_LAUNCHER[@]}" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
fi
cmake --build "$FUZZ_DIR" -j "$(nproc)" >/dev/null || { cmake --build "$FUZZ_DIR"; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=($(sed -n 's/^fuzz_target(\([a-z0-9_]*\).*/\1/p' fuzz/targets.cmake))
fi

# The build's test tune seeds the Ogg target when a Windows build made it.
tune=$(ls build*/fixtures/tune.ogg 2>/dev/null | head -n1)
[ -n "$tune" ] && export FUZZ_OGG_SEED="$PWD/$tune"

run_one() {
  local t=$1 dir="$FUZZ_DIR/runs/$1"
  rm -rf "$dir" && mkdir -p "$dir/artifacts" "$FUZZ_DIR/corpus/$t" "$FUZZ_DIR/seeds/$t"
  "$FUZZ_DIR/replay_$t" --seeds "$FUZZ_DIR/seeds/$t" >/dev/null
  (cd "$dir" && exec "$OLDPWD/$FUZZ_DIR/fuzz_$t" -max_total_time="$SECONDS_EACH" \
     -rss_limit_mb="$RSS_LIMIT_MB" -timeout="$INPUT_TIMEOUT" -max_len="$MAX_LEN" \
     -print_final_stats=1 -artifact_prefix=artifacts/ \
     "$OLDPWD/$FUZZ_DIR/corpus/$t" "$OLDPWD/$FUZZ_DIR/seeds/$t") >"$dir/log.txt" 2>&1
  local status=$?
  local found=0
  for a in "$dir"/artifacts/*; do
    [ -f "$a" ] || continue
    mkdir -p "tests/fuzz/$t"
    cp "$a" "tests/fuzz/$t/$(basename "$a")"
    found=1
  done
  local execs cov
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log.txt" | tail -n1)
  cov=$(grep -o 'cov: [0-9]*' "$dir/log.txt" | tail -n1)
  echo "fuzz $t: ${execs:-?} executions, ${cov:-cov: ?}, exit $status$([ $found = 1 ] && echo ", input kept in tests/fuzz/$t")"
  [ $status = 0 ] && [ $found = 0 ]
}

export -f run_one
export SECONDS_EACH FUZZ_DIR RSS_LIMIT_MB INPUT_TIMEOUT MAX_LEN
status=0
printf '%s\n' "${targets[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_one {}' || status=1
[ $status = 0 ] || echo "fuzz.sh: a target failed; see $FUZZ_DIR/runs/<target>/log.txt"
exit $status
