#!/usr/bin/env bash
# Starts the program with and without a file on the command line: the window's title names the
# file, the window stands at 5,1 with 1910 x 1040 pixels after its first tick (1920 x 1080 screen,
# no window manager), a path with a blank passed as two arguments is joined back into one, also
# when its pieces look like Qt options, and Save writes the loaded file back in the program's own
# form.
source "$(dirname "$0")/lib.sh"

GEOMETRY="5,1 1910x1040"

step "no argument: an unnamed sheet"
start_app
wait_window "Vorlane Tavlor"
wait_geometry "$WID" "$GEOMETRY"
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing an unmodified sheet ended with status $APP_STATUS"

mkdir -p "$E2E_WORK/My Data"
PLAN="$E2E_WORK/My Data/Plan.CSV"
# A small table without the final semicolons and with LF line ends: Save writes ";" after every
# cell and CR LF after every line.
printf 'Item;Qty;Price\nTea;2;3.50\nCups;6;1.20\nSugar;1;0.90\n' >"$PLAN"
printf 'Item;Qty;Price;\r\nTea;2;3.50;\r\nCups;6;1.20;\r\nSugar;1;0.90;\r\n' >"$E2E_WORK/plan.expected"

step "a path with a blank, passed as two arguments"
start_app "$E2E_WORK/My" "Data/Plan.CSV"
# The name keeps its capitals: file names are case-sensitive here.
wait_window "Plan.CSV - Vorlane Tavlor"
wait_geometry "$WID" "$GEOMETRY"
ICON=$(xprop -id "$WID" _NET_WM_ICON)
[[ $ICON == *"Icon (48 x 48)"* ]] ||
    fail "the window does not carry the 48 x 48 program icon (_NET_WM_ICON)"
import -window "$WID" "$E2E_ARTIFACTS/window.png" && echo "screenshot: $E2E_ARTIFACTS/window.png"
focus
keys ctrl+s
expect_file "$PLAN" "$E2E_WORK/plan.expected"
# The save came after everything the start-up did, and the name stays what it was.
[ "$(xdotool getwindowname "$WID")" = "Plan.CSV - Vorlane Tavlor" ] ||
    fail "the title changed to \"$(xdotool getwindowname "$WID")\" after start-up"

step "the editor at 960 x 540 with C3 current, for the README"
keys Down Down Right Right
xdotool windowsize --sync "$WID" 960 540
import -window "$WID" "$E2E_ARTIFACTS/editor.png" && echo "screenshot: $E2E_ARTIFACTS/editor.png"
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing after Save ended with status $APP_STATUS"

step "the same path as one argument"
printf 'x\n' >"$PLAN"
printf 'x;\r\n' >"$E2E_WORK/x.expected"
start_app "$PLAN"
wait_window "Plan.CSV - Vorlane Tavlor"
focus
keys ctrl+s
expect_file "$PLAN" "$E2E_WORK/x.expected"
close_request
wait_exit 10

step "arguments that look like Qt's own options are pieces of the path"
# Were -platform offscreen taken by Qt, no window would appear on the X server at all.
pushd "$E2E_WORK" >/dev/null
printf 'q\n' >"-platform offscreen -style fusion -reverse q.csv"
start_app -platform offscreen -style fusion -reverse q.csv
popd >/dev/null
wait_window "-platform offscreen -style fusion -reverse q.csv - Vorlane Tavlor"
close_request
wait_exit 10
echo "PASS: command line, title and geometry"
