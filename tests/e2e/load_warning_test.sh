#!/usr/bin/env bash
# Opens a file that does not fit the sheet (a 27th cell on its first line) from the command line:
# a warning box titled "Vorlane Tavlor" says so once the file is open and the window stands in its
# place (the box never stands alone on the desktop, and the window stays at 5,1 however long the
# box is open), OK closes it, and Save asks before it writes back only what the sheet holds.
source "$(dirname "$0")/lib.sh"

WIDE=$E2E_WORK/wide.csv
cells() { # FIRST LAST: the cells cFIRST;...;cLAST; of one line
    local i
    for ((i = $1; i <= $2; i++)); do printf 'c%d;' "$i"; done
}
{ cells 1 27; printf '\r\nend;\r\n'; } >"$WIDE"
{ cells 1 26; printf '\r\nend;'; printf ';%.0s' {1..25}; printf '\r\n'; } >"$E2E_WORK/expected.csv"

start_app "$WIDE"
wait_window "Vorlane Tavlor" 20 BOX
find_window "wide.csv - Vorlane Tavlor" >/dev/null || fail "the warning showed before the window"
screenshot load_warning
sleep 1
focus "$BOX"
keys Return
wait_no_window "Vorlane Tavlor"
wait_window "wide.csv - Vorlane Tavlor"
wait_geometry "$WID" "5,1 1910x1040" 5
focus
keys ctrl+s
# The file holds more than the sheet: Save asks first; Yes writes what the sheet holds.
wait_window "Confirmation" 10 ASK
cmp -s "$WIDE" <({ cells 1 27; printf '\r\nend;\r\n'; }) || fail "the file changed before the answer"
focus "$ASK"
keys y
expect_file "$WIDE" "$E2E_WORK/expected.csv"
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing ended with status $APP_STATUS"
echo "PASS: the load warning, and Save writes what the sheet holds"
