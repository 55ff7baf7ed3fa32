#!/usr/bin/env bash
# A Windows-1254 table from the command line: Turkish letters typed with the keyboard are saved as
# Windows-1254 bytes, next to the untouched bytes of the other cells.
source "$(dirname "$0")/lib.sh"

BOOK=$E2E_WORK/turkish.csv
EXPECTED=$E2E_WORK/expected.csv
# Şişli;x;  and  İğne;Çay;  in Windows-1254
printf '\xDEi\xFEli;x;\r\n\xDD\xF0ne;\xC7ay;\r\n' >"$BOOK"
# A Turkish keyboard has keys for the letters, as a user's would: xdotool then presses them rather
# than remapping a spare key for each letter, which the program may see too late.
setxkbmap tr || fail "cannot set the Turkish keyboard layout"
start_app "$BOOK"
wait_window "turkish.csv - Vorlane Tavlor"
wait_geometry "$WID" "5,1 1910x1040"
focus
screenshot encoding_windows1254

step "type Turkish letters into B1 and save"
# A1 opens with its text selected, so Right leaves it for B1, whose text the letters replace.
keys Right
type_text "ğı"
keys ctrl+s
printf '\xDEi\xFEli;\xF0\xFD;\r\n\xDD\xF0ne;\xC7ay;\r\n' >"$EXPECTED"
expect_file "$BOOK" "$EXPECTED"

close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing a saved sheet ended with status $APP_STATUS"
echo "PASS: Windows-1254 text typed and saved"
