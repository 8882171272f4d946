#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, in the environment that
# tools/test.sh or tools/run.sh has set up.
# Wine's helper processes inherit and keep open whatever output they are
# started with, so the program's output goes through a file: the caller sees
# the end of the program, not the end of the helpers.
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no test environment; run through tools/test.sh or tools/run.sh" >&2
  exit 2
fi
out=$(mktemp)
child=
finish() { cat "$out"; rm -f "$out"; }
trap 'finish; [ -n "$child" ] && kill "$child" 2>/dev/null; exit 124' TERM INT
wine "$@" >"$out" 2>&1 </dev/null &
child=$!
wait "$child"
rc=$?
finish
exit $rc
