#!/usr/bin/env bash
# Closes the window with unsaved changes and answers the save prompt with the keyboard: Escape
# (Cancel) keeps the window and the file, "n" (No) closes without writing, "y" (Yes) writes and
# closes. Close requests come as a window manager's close button sends them, and once through
# File > Exit.
source "$(dirname "$0")/lib.sh"

KEEP=$E2E_WORK/keep.csv
ORIGINAL=$E2E_WORK/original.csv
printf 'k;\r\n' >"$KEEP"
cp "$KEEP" "$ORIGINAL"

open_and_change() {
    start_app "$KEEP"
    wait_window "keep.csv - Vorlane Tavlor"
    wait_geometry "$WID" "5,1 1910x1040"
    focus
    type_text "q"
}

step "Escape on the prompt keeps the window open"
open_and_change
close_request
wait_window "Confirmation" 10 PROMPT
screenshot close_prompt
keys Escape
wait_no_window "Confirmation"
# An exit after Cancel would also fail the next step, which needs the window.
app_running || fail "the program ended although the prompt was cancelled"
find_window "keep.csv - Vorlane Tavlor" >/dev/null || fail "the main window is gone after Cancel"
cmp -s "$KEEP" "$ORIGINAL" || fail "Cancel changed keep.csv"

step "File > Exit asks again; the prompt's close button counts as Cancel"
# Open the File menu (the first entry of the menu bar) with the mouse; Up wraps to its last item,
# Exit.
xdotool mousemove --window "$WID" 15 10 click 1
wait_popup
keys Up Return
wait_window "Confirmation" 10 PROMPT
close_request "$PROMPT"
wait_no_window "Confirmation"
app_running || fail "the program ended although the prompt was closed by its close button"

step "No closes without writing"
focus
close_request
wait_window "Confirmation" 10 PROMPT
keys n
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "the program ended with status $APP_STATUS after No"
cmp -s "$KEEP" "$ORIGINAL" || fail "No changed keep.csv"

step "Yes writes the file and closes"
open_and_change
close_request
wait_window "Confirmation" 10 PROMPT
keys y
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "the program ended with status $APP_STATUS after Yes"
printf 'q;\r\n' >"$E2E_WORK/expected.csv"
expect_file "$KEEP" "$E2E_WORK/expected.csv"
echo "PASS: the close prompt"
