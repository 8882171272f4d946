#!/usr/bin/env bash
# Builds everything and runs all tests: the Windows tests under Wine on a virtual
# display, and the data layer natively under the sanitizers.
# Extra arguments go to ctest (for example -R Record or -L gfx).
# Each phase prints its wall time as it ends, and all of them at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

PHASE_TIMES=()
RUN_START=$SECONDS
phase_start() {
  PHASE_NAME=$1
  PHASE_START=$SECONDS
  echo "== $PHASE_NAME"
}
phase_end() {
  local took=$((SECONDS - PHASE_START))
  PHASE_TIMES+=("$(printf '%6d s  %s' "$took" "$PHASE_NAME")")
  echo "== done in $took s: $PHASE_NAME"
}

# The includes keep to the layers (tools/game-libraries.cmake); runs alone too.
phase_start "layer check: includes against the layer graph"
python3 tools/check-layers.py
phase_end
phase_start "build: Windows program and tests, sample game"
bash tools/build.sh
phase_end
phase_start "build: native data layer (sanitizers)"
. tools/host-build.sh
host_build
phase_end
. tools/arch.sh
game_arch_detect 2>/dev/null
# Where only the 64-bit program can run, the 32-bit one (the game proper) is
# still compiled, so that it never stops building; it is not run here.
if [ "$GAME_ARCH" = win64 ]; then
  phase_start "build: 32-bit program (Game.exe, Vox.dll; not run here)"
  game_arch_configure "$BUILD_DIR-win32" win32 -DGAME_TESTS=OFF
  . tools/ccache.sh
  cmake --build "$BUILD_DIR-win32" -j "$(nproc)" --target Game Vox
  phase_end
fi

phase_start "Wine start"
. tools/wine-env.sh
wine_env_setup "$BUILD_DIR"
# A run cut short also ends the fuzzing that runs beside the serial block.
trap 'if [ -n "${FUZZ_PID:-}" ]; then kill "$FUZZ_PID" 2>/dev/null || true; fi; wine_env_stop' EXIT
wine_env_start
# Every death of Wine itself that tools/wine-run.sh sees, one a line.
export WINE_DEATH_LOG="$WINE_ENV_BUILD/wine-deaths.txt"
: >"$WINE_DEATH_LOG"
# The sound devices of a new prefix are set up by their first opening: once,
# here, rather than by many tests at the same moment.
timeout 120 bash tools/wine-run.sh "$BUILD_DIR/tests/warm_audio.exe" ||
  echo "test.sh: the sound devices did not open (exit $?); the sound tests will say why"
phase_end

status=0
phase_start "native data-layer tests (sanitizers)"
ctest --test-dir "$HOST_BUILD_DIR" --output-on-failure -j "$(nproc)" "$@" || status=1
phase_end
# A test under Wine waits (on its window, the display, Wine's own server) for
# much of its time: two more at once than the cores keep them busy, which on
# two cores takes two fifths off this phase.
phase_start "Windows tests under Wine"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "${WINE_TEST_JOBS:-$(($(nproc) + 2))}" -LE '_serial$' "$@" || status=1
phase_end
# CI also fuzzes every loader for a short while; inputs that fail are kept
# under tests/fuzz and replayed by the native suite from then on. The fuzz
# build and runs take the processor time the serial block leaves idle: they
# run beside it, at the lowest priority, and their output follows it. The
# runs take FUZZ_CI_BUDGET seconds (default 60) in all, each target its share
# of them on this machine's cores, at least 5 s (FUZZ_CI_SECONDS sets it).
FUZZ_PID=
if [ "${CI:-}" = true ]; then
  fuzz_targets=$(grep -c '^fuzz_target(' fuzz/targets.cmake)
  fuzz_seconds=${FUZZ_CI_SECONDS:-$(( ${FUZZ_CI_BUDGET:-60} * $(nproc) / fuzz_targets ))}
  [ "$fuzz_seconds" -ge 5 ] || fuzz_seconds=5
  FUZZ_LOG="$BUILD_DIR/fuzz-ci.txt"
  FUZZ_START=$SECONDS
  nice -n 19 bash tools/fuzz.sh "$fuzz_seconds" >"$FUZZ_LOG" 2>&1 &
  FUZZ_PID=$!
fi
# The tests that need the desktop (or the input queue) to themselves.
# They press keys and read the picture off the screen; the game plays only
# while it is the active application, and under the 32-bit Wine it now and
# then is not although its window is in front (tests/app/sample_game_run.cpp
# tells it again when a key shows nothing). As a safety net a failed one runs
# up to twice more: its first failure stays in the output above and is
# listed at the end, and one that fails every time fails the run. Play and
# game flow are proven without a window (tests/replays, tests/scenes).
phase_start "Windows tests under Wine that run alone (serial block)"
SERIAL_SECOND_RUNS=
if ! ctest --test-dir "$BUILD_DIR" --output-on-failure -L '_serial$' "$@"; then
  failed_log="$BUILD_DIR/Testing/Temporary/LastTestsFailed.log"
  SERIAL_SECOND_RUNS=$(sed 's/^[0-9]*://' "$failed_log" 2>/dev/null)
  echo "== the serial block's failures, each run again until it passes (at most twice)"
  ctest --test-dir "$BUILD_DIR" --output-on-failure --rerun-failed --repeat until-pass:2 || status=1
fi
phase_end
if [ -n "$FUZZ_PID" ]; then
  echo "== fuzz targets ($fuzz_seconds s each), built and run beside the serial block"
  wait_start=$SECONDS
  wait "$FUZZ_PID" || status=1
  FUZZ_PID=
  cat "$FUZZ_LOG"
  PHASE_TIMES+=("$(printf '%6d s  %s' "$((SECONDS - wait_start))" \
    "fuzz targets, after the serial block (all of it: $((SECONDS - FUZZ_START)) s from its start)")")
fi

# Wine's own deaths: after the program had reported its end, the program's
# verdict stood; a program that was not started at all ran again. One that
# died while the program ran was run again too, and that second run may have
# hidden a crash of ours: CI fails on those, a run by hand lists them.
if [ -s "$WINE_DEATH_LOG" ]; then
  echo "== Wine itself died $(grep -c '^[^ ]' "$WINE_DEATH_LOG") time(s):"
  sed 's/^/   /' "$WINE_DEATH_LOG"
  if grep -q '^mid-run' "$WINE_DEATH_LOG" && [ "${CI:-}" = true ]; then
    echo "test.sh: under CI a program that Wine ran a second time fails the run"
    status=1
  fi
fi
if [ -n "$SERIAL_SECOND_RUNS" ]; then
  echo "== desktop tests that failed on their first run (see their output above):"
  printf '%s\n' "$SERIAL_SECOND_RUNS" | sed 's/^/   /'
fi
echo "== wall time of each phase"
printf '%s\n' "${PHASE_TIMES[@]}"
printf '%6d s  %s\n' "$((SECONDS - RUN_START))" "in all"
exit $status
