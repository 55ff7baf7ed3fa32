#!/usr/bin/env bash
# Starts the program under a window manager (Openbox), which frames the window only after the
# program has placed it: the frame must still end up at 5,1 with 1910 x 1040 pixels on a
# 1920 x 1080 screen, so the title bar is on the screen and the client is the frame's inside.
source "$(dirname "$0")/lib.sh"

command -v openbox >/dev/null || { echo "SKIP: openbox is missing (bash scripts/setup.sh installs it)"; exit 77; }

openbox --sm-disable >>"$E2E_LOG" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null || true; e2e_cleanup' EXIT
deadline=$((SECONDS + 10))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    [ $SECONDS -lt $deadline ] || fail "the window manager did not start"
    sleep 0.1
done
step "window manager running"

printf 'a;b;\r\n' >"$E2E_WORK/framed.csv"
start_app "$E2E_WORK/framed.csv"
wait_window "framed.csv - Vorlane Tavlor"

client_rect() { # "X,Y WxH" of the client window on the screen
    xwininfo -id "$WID" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {printf "%s,%s %sx%s", x, y, w, h}'
}
expected_client() { # from the frame extents "left, right, top, bottom" of the window manager
    local left right top bottom
    IFS=', ' read -r left right top bottom < <(xprop -id "$WID" _NET_FRAME_EXTENTS | sed 's/.*= //')
    printf '%d,%d %dx%d' $((5 + left)) $((1 + top)) $((1910 - left - right)) $((1040 - top - bottom))
}

deadline=$((SECONDS + 10))
while :; do
    if xprop -id "$WID" _NET_FRAME_EXTENTS 2>/dev/null | grep -q "= "; then
        want=$(expected_client)
        now=$(client_rect)
        [ "$now" = "$want" ] && break
    fi
    [ $SECONDS -lt $deadline ] ||
        fail "client at ${now:-?}, expected $want for a frame at 5,1 1910x1040 ($(xprop -id "$WID" _NET_FRAME_EXTENTS))"
    sleep 0.2
done
step "frame at 5,1 1910x1040: client $now ($(xprop -id "$WID" _NET_FRAME_EXTENTS | sed 's/.*= //'))"
screenshot window_manager

# It stays there: the program corrects the frame once, at start-up only.
sleep 1
[ "$(client_rect)" = "$want" ] || fail "the window moved on to $(client_rect)"
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing ended with status $APP_STATUS"
echo "PASS: framed by a window manager at 5,1 1910x1040"
