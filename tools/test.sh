#!/usr/bin/env bash
# Builds everything and runs all tests: the Windows tests under Wine on a virtual
# display, and the data layer natively under the sanitizers.
# Extra arguments go to ctest (for example -R Record or -L gfx).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash tools/build.sh
. tools/host-build.sh
host_build

. tools/wine-env.sh
wine_env_setup "$BUILD_DIR"
trap wine_env_stop EXIT
wine_env_start
# The sound devices of a new prefix are set up by their first opening: once,
# here, rather than by many tests at the same moment.
timeout 120 bash tools/wine-run.sh "$BUILD_DIR/tests/warm_audio.exe" ||
  echo "test.sh: the sound devices did not open (exit $?); the sound tests will say why"

status=0
echo "== native data-layer tests (sanitizers)"
ctest --test-dir "$HOST_BUILD_DIR" --output-on-failure -j "$(nproc)" "$@" || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" "$@" || status=1
# CI also fuzzes every loader for a short while; inputs that fail are kept
# under tests/fuzz and replayed by the native suite from then on.
if [ "${CI:-}" = true ]; then
  echo "== fuzz targets (${FUZZ_CI_SECONDS:-20} s each)"
  bash tools/fuzz.sh "${FUZZ_CI_SECONDS:-20}" || status=1
fi
exit $status
