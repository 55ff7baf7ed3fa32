#!/usr/bin/env bash
# Runs one test script on a fresh Xvfb screen of 1920 x 1080 x 24 (no window manager) through
# xvfb-run. The display number is drawn at random from 200-899, away from the numbers that
# `xvfb-run -a` hands out from 99 upwards, so that tests of other programs running at the same
# time never share our server (a shared server may go away in the middle of a test). When the
# number was taken after all, the script finds no server it may use and exits 75; it then runs
# again on another number.
# The server runs with -noreset: by default Xvfb resets whenever its last client leaves, and a
# client that connects during that reset is turned away ("could not connect to display"). The
# tests' many short xdotool calls would otherwise race the program's own connection under load.
# The server's own output goes to $E2E_ARTIFACTS/<test>-xvfb.log.
# Usage: xvfb.sh SCRIPT [ARGS...]
set -uo pipefail
command -v xvfb-run >/dev/null || { echo "FAIL: xvfb-run is missing (bash scripts/setup.sh installs it)" >&2; exit 1; }
XVFB_LOG=${E2E_ARTIFACTS:-$PWD}/${E2E_NAME:-e2e}-xvfb.log
mkdir -p "$(dirname "$XVFB_LOG")"
: >"$XVFB_LOG"
for attempt in 1 2 3 4 5; do
    display=$((200 + RANDOM % 700))
    if [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; then
        continue
    fi
    xvfb-run -e "$XVFB_LOG" -n "$display" -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" bash "$@"
    status=$?
    [ "$status" -eq 75 ] || exit "$status"
    echo "attempt $attempt found no usable X server on :$display; trying another number" >&2
    sleep 1
done
echo "FAIL: no usable X server after 5 attempts" >&2
exit 1
