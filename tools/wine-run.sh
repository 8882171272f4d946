#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, in the environment that
# tools/test.sh or tools/run.sh has set up.
# Wine's helper processes inherit and keep open whatever output they are
# started with, so the program's output goes through a file: the caller sees
# the end of the program, not the end of the helpers.
# A Windows program that crashes ends with a Windows exit code; when the Wine
# process itself dies of a Unix signal (seen now and then on a loaded machine,
# after the program has finished), the run is repeated once and both outputs
# are shown, so that a fault of ours still fails twice. A run that fails
# having printed nothing at all (Wine did not start the program: every test
# program prints as it starts) is repeated the same way.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no test environment; run through tools/test.sh or tools/run.sh" >&2
  exit 2
fi
out=$(mktemp)
child=
finish() { cat "$out"; rm -f "$out"; }
trap 'finish; [ -n "$child" ] && kill "$child" 2>/dev/null; exit 124' TERM INT

run_once() {
  : >"$out"
  wine "$@" >"$out" 2>&1 </dev/null &
  child=$!
  wait "$child"
  rc=$?
  child=
}

run_once "$@"
if [ "$rc" -gt 128 ] && [ "$rc" -lt 160 ]; then
  cat "$out"
  echo "wine-run: Wine itself ended with signal $((rc - 128)); running the program once more"
  run_once "$@"
elif [ "$rc" -ne 0 ] && [ ! -s "$out" ]; then
  echo "wine-run: the program ended with $rc having printed nothing; running it once more"
  run_once "$@"
fi
finish
exit $rc
