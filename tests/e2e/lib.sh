# Shared helpers of the end-to-end tests, sourced by each *_test.sh. They start the real program
# under the X server that xvfb-run provides (no window manager), find its window by title, type
# with xdotool, wait for files, and fail with a clear message, the program's output and a
# screenshot kept under $E2E_ARTIFACTS.
set -euo pipefail

: "${TAVLOR_BIN:?TAVLOR_BIN must name the program to test}"
: "${DISPLAY:?no X display: run the test under xvfb-run (tests/e2e/xvfb.sh)}"
if [ "$(xdotool getdisplaygeometry 2>/dev/null)" != "1920 1080" ]; then
    echo "no usable 1920 x 1080 X server at $DISPLAY" >&2
    exit 75 # tests/e2e/xvfb.sh tries again on a new server
fi
E2E_NAME=${E2E_NAME:-$(basename "$0" .sh)}
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$PWD/e2e-artifacts}
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
mkdir -p "$E2E_ARTIFACTS"
rm -f "$E2E_ARTIFACTS/$E2E_NAME-failure.png"
E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tavlor-e2e.XXXXXX")
E2E_LOG=$E2E_ARTIFACTS/$E2E_NAME.log
: >"$E2E_LOG"
APP_PID=""
WID=""
KEY_DELAY=${KEY_DELAY:-40}

# The program must use the X server, whatever the caller's environment says.
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$E2E_WORK/xdg-runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No print server is reachable, nor the network printers found through the system bus: nothing a
# test does can reach a real printer.
export CUPS_SERVER=$E2E_WORK/no-print-server
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$E2E_WORK/no-system-bus
# Recovery files of unsaved work stay within the test.
export XDG_STATE_HOME=$E2E_WORK/state
RECOVERY=$XDG_STATE_HOME/tavlor/recovery

e2e_cleanup() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        # SIGTERM would ask about unsaved changes, and nobody answers here.
        kill -KILL "$APP_PID" 2>/dev/null || true
        wait "$APP_PID" 2>/dev/null || true
    fi
    rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

step() { echo "-- $*"; }

screenshot() { # NAME: the whole screen as $E2E_ARTIFACTS/NAME.png
    import -window root "$E2E_ARTIFACTS/$1.png" && echo "screenshot: $E2E_ARTIFACTS/$1.png"
}

fail() {
    echo "FAIL [$E2E_NAME]: $*" >&2
    screenshot "$E2E_NAME-failure" >&2 || true
    if [ -s "$E2E_LOG" ]; then
        echo "program output (last 20 lines of $E2E_LOG):" >&2
        tail -n 20 "$E2E_LOG" >&2
    fi
    exit 1
}

start_app() { # ARGS...: start the program in the background with these arguments
    "$TAVLOR_BIN" "$@" >>"$E2E_LOG" 2>&1 &
    APP_PID=$!
    step "started $TAVLOR_BIN (pid $APP_PID) with ${#@} argument(s)"
}

app_running() { [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; }

# The scripts' one polling loop: runs COMMAND until it succeeds (then 0) or SECONDS have passed
# (then 1). Each step asks for the awaited state again; nothing waits for time itself to pass.
# E2E_POLL_PAUSE is the seam for the pause between two checks (seconds; default a tenth).
poll_until() { # SECONDS COMMAND...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep "${E2E_POLL_PAUSE:-0.1}"
    done
}

# A program that ended cannot show what is awaited: say so at once instead of at the deadline.
while_running() { # WHAT COMMAND...: COMMAND's status, failing when the program has ended
    "${@:2}" && return 0
    app_running || fail "the program ended before $1"
    return 1
}

find_window() { # TITLE: print the id of a visible window whose title is exactly TITLE
    local id
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

window_into() { # TITLE VAR: put the id of the window titled TITLE into VAR, if there is one
    local found
    found=$(find_window "$1") || return 1
    printf -v "$2" '%s' "$found"
}

wait_window() { # TITLE [SECONDS] [VAR]: wait for the window and put its id in VAR (default WID)
    local into=${3:-WID}
    poll_until "${2:-20}" while_running "a window titled \"$1\" appeared" window_into "$1" "$into" ||
        fail "no window titled \"$1\" within ${2:-20} s; visible titles: $(visible_titles)"
    step "window \"$1\" is ${!into}"
}

visible_titles() {
    local id out=""
    for id in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
        out+="\"$(xdotool getwindowname "$id" 2>/dev/null)\" "
    done
    echo "${out:-none}"
}

no_window() { ! find_window "$1" >/dev/null; }

wait_no_window() { # TITLE [SECONDS]: wait until no visible window has this title
    poll_until "${2:-10}" no_window "$1" || fail "the window titled \"$1\" is still there after ${2:-10} s"
}

geometry() { # ID: print "X,Y WxH" of the window
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X,$Y ${WIDTH}x$HEIGHT"
}

geometry_is() { [ "$(geometry "$1")" = "$2" ]; } # ID EXPECTED

wait_geometry() { # ID EXPECTED [SECONDS]: wait until geometry prints EXPECTED
    poll_until "${3:-5}" geometry_is "$1" "$2" || fail "window geometry is $(geometry "$1"), expected $2"
}

focus() { xdotool windowfocus --sync "${1:-$WID}"; }

keys() { xdotool key --clearmodifiers --delay "$KEY_DELAY" "$@"; }

type_text() { xdotool type --clearmodifiers --delay "$KEY_DELAY" -- "$1"; }

# The program handles X events in the order the server sent them: keys, clicks and close requests
# sent one after another need no pause between them. What a step waits for is a state that shows
# (a window, its title or geometry, a file's bytes).

popup_shown() { # a visible override-redirect window of the program other than its main window
    local id
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
        [ "$id" != "$WID" ] && xwininfo -id "$id" 2>/dev/null | grep -q "Override Redirect State: yes" &&
            return 0
    done
    return 1
}

wait_popup() { # wait until the program shows a menu of its own over the window
    poll_until 10 while_running "a menu opened" popup_shown || fail "no menu opened within 10 s"
}

close_request() { python3 "$E2E_HERE/x11_close.py" "${1:-$WID}"; }

show_bytes() { od -An -c "$1" | sed 's/^/    /'; }

same_bytes() { [ -f "$1" ] && cmp -s "$1" "$2"; } # PATH EXPECTED_PATH

expect_file() { # PATH EXPECTED_PATH [SECONDS]: wait until PATH holds exactly EXPECTED's bytes
    if poll_until "${3:-5}" same_bytes "$1" "$2"; then
        step "$(basename "$1") holds the expected $(stat -c %s "$2") bytes"
        return 0
    fi
    {
        echo "expected bytes of $1:"
        show_bytes "$2"
        echo "actual bytes:"
        if [ -f "$1" ]; then show_bytes "$1"; else echo "    (no file)"; fi
    } >&2
    fail "$(basename "$1") does not hold the expected bytes"
}

app_ended() { ! app_running; }

wait_exit() { # [SECONDS]: wait until the program ends; its exit status goes to APP_STATUS
    poll_until "${1:-10}" app_ended || fail "the program is still running after ${1:-10} s"
    APP_STATUS=0
    wait "$APP_PID" || APP_STATUS=$?
    APP_PID=""
}
