#!/usr/bin/env bash
# Runs the program as a native Wayland client under Weston's headless backend: started with a
# file, its toplevel window takes the file's name as title and shows a buffer; SIGTERM closes it
# like the close button (status 0); nothing but the protocol trace reaches the console, so the
# placement requests Wayland ignores stay quiet. The protocol trace comes from libwayland
# (WAYLAND_DEBUG=1). Skipped (exit 77) only when Weston cannot start here.
set -uo pipefail
: "${TAVLOR_BIN:?TAVLOR_BIN must name the program to test}"
E2E_NAME=${E2E_NAME:-wayland_smoke}
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$PWD/e2e-artifacts}
mkdir -p "$E2E_ARTIFACTS"
WESTON_LOG=$E2E_ARTIFACTS/$E2E_NAME-weston.log
APP_ERR=$E2E_ARTIFACTS/$E2E_NAME-program.log
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tavlor-wayland.XXXXXX")
WESTON_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill -KILL "$APP_PID" 2>/dev/null
    [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null && wait "$WESTON_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL [$E2E_NAME]: $*" >&2
    [ -s "$APP_ERR" ] && { echo "program output (last 15 lines of $APP_ERR):" >&2; tail -n 15 "$APP_ERR" >&2; }
    exit 1
}
step() { echo "-- $*"; }

command -v weston >/dev/null || fail "weston is missing (bash scripts/setup.sh installs it)"
QT_PLUGINS=$(dirname "$(find /usr/lib -path '*qt6/plugins/platforms/libqxcb.so' -print -quit)")
[ -e "$QT_PLUGINS/libqwayland-generic.so" ] ||
    fail "Qt's Wayland platform plugin is missing (qt6-wayland; bash scripts/setup.sh installs it)"

# A session's runtime folder: private to its user, also when that user is root.
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_STATE_HOME=$WORK/state # no recovery file of the user's is offered here
SOCKET=tavlor-$$
step "starting weston --backend=headless-backend.so on $SOCKET"
weston --backend=headless-backend.so --socket="$SOCKET" --idle-time=0 --width=1280 --height=800 \
    >"$WESTON_LOG" 2>&1 &
WESTON_PID=$!
deadline=$((SECONDS + 15))
until [ -S "$XDG_RUNTIME_DIR/$SOCKET" ]; do
    if ! kill -0 "$WESTON_PID" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        echo "SKIP: Weston's headless backend cannot start here; its log ($WESTON_LOG) ends:"
        tail -n 5 "$WESTON_LOG" | sed 's/^/    /'
        exit 77
    fi
    sleep 0.1
done

FILE="$WORK/Plan 2.csv"
printf 'a;b;\r\n' >"$FILE"
TITLE="Plan 2.csv - Vorlane Tavlor"
step "starting the program with \"$FILE\""
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$SOCKET WAYLAND_DEBUG=1 "$TAVLOR_BIN" "$FILE" >"$APP_ERR" 2>&1 &
APP_PID=$!

# The toplevel gets the title, is configured, and a buffer is attached to a surface after that.
shown() {
    awk -v title="set_title(\"$TITLE\")" '
        index($0, title) { titled = 1 }
        titled && /xdg_surface@[0-9]+\.ack_configure/ { configured = 1 }
        configured && /wl_surface@[0-9]+\.attach\(wl_buffer@/ { found = 1 }
        END { exit !found }' "$APP_ERR"
}
deadline=$((SECONDS + 30))
until shown; do
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended before its window showed"
    [ $SECONDS -lt $deadline ] || fail "no window titled \"$TITLE\" showed within 30 s"
    sleep 0.2
done
step "the window \"$TITLE\" shows"
sleep 3.5 # the start-up placement and its watch over the frame run in the first 3 s

step "asking it to close (SIGTERM)"
kill -TERM "$APP_PID"
deadline=$((SECONDS + 15))
while kill -0 "$APP_PID" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program is still running 15 s after SIGTERM"
    sleep 0.1
done
wait "$APP_PID"
status=$?
APP_PID=""
[ "$status" -eq 0 ] || fail "the program ended with status $status after SIGTERM"

# libwayland's trace lines start with a bracketed timestamp; anything else is a message.
MESSAGES=$(grep -v -E '^\[ *[0-9]+\.[0-9]+\]' "$APP_ERR" || true)
[ -z "$MESSAGES" ] || fail "the program printed on the console: $MESSAGES"
echo "PASS: native Wayland window with the file's title, closed cleanly, nothing printed"
