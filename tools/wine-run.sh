#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, in the environment that
# tools/test.sh or tools/run.sh has set up.
# Wine's helper processes inherit and keep open whatever output they are
# started with, so the program's output goes through a file: the caller sees
# the end of the program, not the end of the helpers.
#
# A Windows program that crashes ends with a Windows exit code. The Wine
# process itself dying of a Unix signal is seen now and then on a loaded
# machine, mostly after the program has finished:
# - when the program had printed its end (the test summary), its own verdict
#   stands: passed when it says every test passed, failed otherwise;
# - when it died before that, or the run failed having printed nothing at all
#   (Wine did not start the program: every test program prints as it starts),
#   the program is run once more, after its first output under a banner.
# Each such death is written to WINE_DEATH_LOG when it is set: a line, then
# the first run's output indented when the program ran again (tools/test.sh
# shows them at its end, and under CI a death before the program's end fails
# the run: it may have been a fault of ours that the second run hid).
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no test environment; run through tools/test.sh or tools/run.sh" >&2
  exit 2
fi
out=$(mktemp)
child=
finish() { cat "$out"; rm -f "$out" "$out.entry"; }
trap 'finish; [ -n "$child" ] && kill "$child" 2>/dev/null; exit 124' TERM INT

run_once() {
  : >"$out"
  wine "$@" >"$out" 2>&1 </dev/null &
  child=$!
  wait "$child"
  rc=$?
  child=
}

# The death log's entry: what happened, the program with its arguments and,
# for a run made again, the first run's output. Written at once, so that the
# entries of tests that end together do not mix.
record_death() {
  local what=$1
  shift
  [ -n "${WINE_DEATH_LOG:-}" ] || return 0
  { echo "$what: $*"; [ "$what" = "${what#after-end}" ] && sed 's/^/    | /' "$out"; } >"$out.entry"
  cat "$out.entry" >>"$WINE_DEATH_LOG"
  rm -f "$out.entry"
}

run_once "$@"
if [ "$rc" -gt 128 ] && [ "$rc" -lt 160 ]; then
  signal=$((rc - 128))
  if grep -q '^\[==========\] .* ran\.' "$out"; then
    # The program reported its end: its verdict stands.
    if grep -q '^\[  PASSED  \]' "$out" && ! grep -q '^\[  FAILED  \]' "$out"; then verdict=0; else verdict=1; fi
    finish
    echo "wine-run: Wine itself ended with signal $signal after the program reported its end; its result stands"
    record_death "after-end(signal $signal, result $verdict)" "$@"
    exit $verdict
  fi
  echo "wine-run: ==== first run: Wine itself ended with signal $signal before the program reported its end; its output:"
  cat "$out"
  echo "wine-run: ==== end of the first run; running the program once more"
  record_death "mid-run(signal $signal)" "$@"
  run_once "$@"
elif [ "$rc" -ne 0 ] && [ ! -s "$out" ]; then
  echo "wine-run: ==== first run: ended with $rc having printed nothing (not started); running the program once more"
  record_death "not-started(exit $rc)" "$@"
  run_once "$@"
fi
finish
exit $rc
