#!/usr/bin/env bash
# Types into cells and into the formula bar with the keyboard and checks the bytes that Ctrl+S
# writes after each step.
source "$(dirname "$0")/lib.sh"

BOOK=$E2E_WORK/book.csv
EXPECTED=$E2E_WORK/expected.csv
printf 'a;b;\r\n' >"$BOOK"
start_app "$BOOK"
wait_window "book.csv - Vorlane Tavlor"
wait_geometry "$WID" "5,1 1910x1040"
focus

step "in-cell editing: characters, Down, Backspace, Escape, Right, Enter"
# A1 opens with its text selected, so typing replaces it.
type_text "xy"
keys Down
type_text "hello"
keys BackSpace Escape
# The caret is at the end with nothing selected, so Right leaves the cell for B2.
keys Right
type_text "1"
# Enter selects the whole text; the next character replaces it.
keys Return
type_text "2"
keys ctrl+s
printf 'xy;b;\r\nhell;2;\r\n' >"$EXPECTED"
expect_file "$BOOK" "$EXPECTED"

step "formula bar: Tab into it, type, save"
keys Tab End
type_text "9"
keys ctrl+s
printf 'xy;b;\r\nhell;29;\r\n' >"$EXPECTED"
expect_file "$BOOK" "$EXPECTED"

step "back to the grid with Tab, move with Down and Right, type, save"
keys Tab Down Down Right
type_text "z"
keys ctrl+s
printf 'xy;b;;\r\nhell;29;;\r\n;;;\r\n;;z;\r\n' >"$EXPECTED"
expect_file "$BOOK" "$EXPECTED"
[ "$(xdotool getwindowname "$WID")" = "book.csv - Vorlane Tavlor" ] ||
    fail "the title is \"$(xdotool getwindowname "$WID")\" after saving"
screenshot edit_save

close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing a saved sheet ended with status $APP_STATUS"
echo "PASS: typing and saving"
