#!/usr/bin/env bash
# Times the start of the editor with a full sheet (9,999 rows of 26 cells) to its visible window
# titled "full.csv - Vorlane Tavlor", against the bare Qt main window of bare_window.cpp with the
# same title, in one run: the two start by turns, RUNS times each (default 15), and the medians and
# their ratio are printed. A third program starts in the same turns for reference: the bare window
# showing its title in one label, the floor of any window that draws text. Runs on its own Xvfb screen under a D-Bus session, as on a desktop. The
# end of a start is the window's MapNotify with its title in place, both read from the X server as
# they happen (xev on the root window, then xprop -spy on the window); nothing waits on a sleep.
# Usage: bench/startup_bench.sh BUILD_DIR [RUNS]
set -euo pipefail

if [ "${1:-}" != "--inner" ]; then
    build=$(cd "${1:?usage: startup_bench.sh BUILD_DIR [RUNS]}" && pwd)
    for tool in xvfb-run dbus-run-session xev xprop; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (bash scripts/setup.sh)" >&2; exit 1; }
    done
    # A display number away from other servers, as tests/e2e/xvfb.sh picks them.
    for _ in 1 2 3 4 5; do
        display=$((200 + RANDOM % 700))
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
    done
    exec dbus-run-session -- xvfb-run -n "$display" \
        -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" bash "$0" --inner "$build" "${2:-15}"
fi
build=$2
runs=$3
tavlor=$build/bin/tavlor
bare=$build/bin/bare_window
title="full.csv - Vorlane Tavlor"

work=$(mktemp -d "${TMPDIR:-/tmp}/tavlor-startup.XXXXXX")
export XDG_RUNTIME_DIR=$work/xdg-runtime
export XDG_STATE_HOME=$work/state # no recovery file of the user's is offered here
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
app=""
cleanup() {
    [ -n "$app" ] && kill -KILL "$app" 2>/dev/null
    [ -n "${XEV_PID:-}" ] && kill "$XEV_PID" 2>/dev/null
    true
    rm -rf "$work"
}
trap cleanup EXIT

# 8 to 16 bytes per cell, every cell different, as in the other benches' full sheet.
awk 'BEGIN { for (r = 1; r <= 9999; r++) { line = "";
    for (c = 1; c <= 26; c++) { t = "c" c "r" r; n = 8 + (r + c) % 9;
        while (length(t) < n) t = t "x"; line = line t ";" }
    printf "%s\r\n", line } }' >"$work/full.csv"

# Every window mapped on the screen, as it happens. xev listens once a property set on the root
# window comes back through it.
coproc XEV { exec xev -root -event substructure -event property; }
exec {maps}<&"${XEV[0]}"
listening=""
for _ in $(seq 50); do
    xprop -root -f TAVLOR_STARTUP_BENCH 8s -set TAVLOR_STARTUP_BENCH ready
    while read -r -t 0.2 line <&"$maps"; do
        [[ $line == PropertyNotify* ]] && { listening=yes; break; }
    done
    [ -n "$listening" ] && break
done
[ -n "$listening" ] || { echo "xev did not start" >&2; exit 1; }

next_map() { # prints the id of the next window mapped on the screen
    local line
    while read -r -t 30 line <&"$maps"; do
        if [[ $line == MapNotify* ]]; then
            read -r -t 30 line <&"$maps"
            [[ $line =~ window\ (0x[0-9a-f]+) ]] && { echo "${BASH_REMATCH[1]}"; return 0; }
        fi
    done
    echo "no window was mapped within 30 s" >&2
    return 1
}

wait_title() { # WINDOW: returns once the window's title is $title
    local line
    while read -r -t 30 line; do
        [ "$line" = "WM_NAME(STRING) = \"$title\"" ] || [ "$line" = "WM_NAME(UTF8_STRING) = \"$title\"" ] &&
            return 0
    done < <(exec xprop -spy -id "$1" WM_NAME)
    echo "window $1 never got the title \"$title\"" >&2
    return 1
}

one_start() { # PROGRAM ARGS...: prints the microseconds from the start to the titled window
    local start end window
    start=${EPOCHREALTIME/./}
    "$@" >>"$work/output.log" 2>&1 &
    app=$!
    window=$(next_map)
    wait_title "$window"
    end=${EPOCHREALTIME/./}
    kill -KILL "$app"
    wait "$app" 2>/dev/null || true
    app=""
    echo $((end - start))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start of each warms the caches and is not counted.
one_start "$bare" "$title" >/dev/null
one_start "$bare" "$title" --text >/dev/null
one_start "$tavlor" "$work/full.csv" >/dev/null
: >"$work/tavlor.us"
: >"$work/bare.us"
: >"$work/text.us"
for _ in $(seq "$runs"); do
    one_start "$tavlor" "$work/full.csv" >>"$work/tavlor.us"
    one_start "$bare" "$title" >>"$work/bare.us"
    one_start "$bare" "$title" --text >>"$work/text.us"
done
ours=$(median <"$work/tavlor.us")
floor=$(median <"$work/bare.us")
text=$(median <"$work/text.us")
awk -v ours="$ours" -v floor="$floor" -v text="$text" -v runs="$runs" 'BEGIN {
    printf "start-up to the visible titled window (median of %d): tavlor with a full sheet %.1f ms, bare QMainWindow %.1f ms, ratio %.2f (target <= 1.3)\n",
        runs, ours / 1000, floor / 1000, ours / floor
    printf "for reference, the bare window with its title in one label: %.1f ms, ratio %.2f\n",
        text / 1000, text / floor }'
