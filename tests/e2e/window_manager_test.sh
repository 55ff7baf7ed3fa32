#!/usr/bin/env bash
# Starts the program under a window manager (Openbox), which frames the window only after the
# program has placed it: the frame must still end up 5 pixels right of the work area's left edge
# and 1 below its top, with the work area's size less 10 x 40, so the title bar is on the screen
# and the client is the frame's inside. Without margins that is 5,1 with 1910 x 1040 pixels on a
# 1920 x 1080 screen.
# Usage: window_manager_test.sh [LEFT TOP]: margins that narrow the work area, as a panel on the
# left and one at the top would.
source "$(dirname "$0")/lib.sh"

command -v openbox >/dev/null || { echo "SKIP: openbox is missing (bash scripts/setup.sh installs it)"; exit 77; }

MARGIN_LEFT=${1:-0}
MARGIN_TOP=${2:-0}
sed -e "/<margins>/,/<\/margins>/{s|<top>0</top>|<top>$MARGIN_TOP</top>|;s|<left>0</left>|<left>$MARGIN_LEFT</left>|}" \
    /etc/xdg/openbox/rc.xml >"$E2E_WORK/openbox-rc.xml"
openbox --sm-disable --config-file "$E2E_WORK/openbox-rc.xml" >>"$E2E_LOG" 2>&1 &
WM_PID=$!
trap 'kill "$WM_PID" 2>/dev/null || true; e2e_cleanup' EXIT
deadline=$((SECONDS + 10))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    [ $SECONDS -lt $deadline ] || fail "the window manager did not start"
    sleep 0.1
done
step "window manager running"
deadline=$((SECONDS + 10))
until [ "$(xprop -root _NET_WORKAREA 2>/dev/null | sed 's/.*= //' | cut -d, -f1,2 | tr -d ' ')" = "$MARGIN_LEFT,$MARGIN_TOP" ]; do
    [ $SECONDS -lt $deadline ] || fail "the work area is $(xprop -root _NET_WORKAREA)"
    sleep 0.1
done
IFS=', ' read -r AREA_X AREA_Y AREA_W AREA_H _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //')
FRAME_X=$((AREA_X + 5)) FRAME_Y=$((AREA_Y + 1)) FRAME_W=$((AREA_W - 10)) FRAME_H=$((AREA_H - 40))
FRAME="$FRAME_X,$FRAME_Y ${FRAME_W}x$FRAME_H"
step "work area $AREA_X,$AREA_Y ${AREA_W}x$AREA_H: the frame belongs at $FRAME"

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
    printf '%d,%d %dx%d' $((FRAME_X + left)) $((FRAME_Y + top)) $((FRAME_W - left - right)) \
        $((FRAME_H - top - bottom))
}

deadline=$((SECONDS + 10))
while :; do
    if xprop -id "$WID" _NET_FRAME_EXTENTS 2>/dev/null | grep -q "= "; then
        want=$(expected_client)
        now=$(client_rect)
        [ "$now" = "$want" ] && break
    fi
    [ $SECONDS -lt $deadline ] ||
        fail "client at ${now:-?}, expected $want for a frame at $FRAME ($(xprop -id "$WID" _NET_FRAME_EXTENTS))"
    sleep 0.2
done
step "frame at $FRAME: client $now ($(xprop -id "$WID" _NET_FRAME_EXTENTS | sed 's/.*= //'))"
screenshot "$E2E_NAME"

# It stays there: the program corrects the frame once, at start-up only.
sleep 1
[ "$(client_rect)" = "$want" ] || fail "the window moved on to $(client_rect)"
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing ended with status $APP_STATUS"
echo "PASS: framed by a window manager at $FRAME"
