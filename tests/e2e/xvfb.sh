#!/usr/bin/env bash
# Runs one test script on a fresh Xvfb screen of 1920 x 1080 x 24 (no window manager) through
# `xvfb-run -a`. That picks a display number that looks free; when another program's Xvfb takes
# the same number at the same moment, ours fails and the script finds no display it may use
# (xvfb-run's cookie does not open the other server). The script then exits 75, and it runs
# again on a new server.
# Usage: xvfb.sh SCRIPT [ARGS...]
set -uo pipefail
command -v xvfb-run >/dev/null || { echo "FAIL: xvfb-run is missing (bash scripts/setup.sh installs it)" >&2; exit 1; }
for attempt in 1 2 3; do
    xvfb-run -a -s "-screen 0 1920x1080x24" bash "$@"
    status=$?
    [ "$status" -eq 75 ] || exit "$status"
    echo "attempt $attempt found no usable X server; trying a new one" >&2
    sleep 1
done
echo "FAIL: no usable X server after 3 attempts" >&2
exit 1
