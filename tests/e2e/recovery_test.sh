#!/usr/bin/env bash
# Typed work survives a kill: the program is killed (SIGKILL) once its recovery file holds what
# was typed; the next start asks over its window whether to restore it, Enter restores, and Save
# writes the typed text. The same for an unnamed sheet. A save and a clean exit, or No to the save
# question, leave no recovery file; a second instance is not offered the first one's document.
source "$(dirname "$0")/lib.sh"

DOC=$E2E_WORK/doc.csv
printf 'a;\r\n' >"$DOC"
OTHER_PID=""
trap '[ -z "$OTHER_PID" ] || kill -KILL "$OTHER_PID" 2>/dev/null; e2e_cleanup' EXIT

recovery_files() { find "$RECOVERY" -name '*.recovery' 2>/dev/null; }

recovery_holds() { # TEXT
    local file
    for file in $(recovery_files); do
        grep -qF -- "$1" "$file" && step "$(basename "$file") holds \"$1\"" && return 0
    done
    return 1
}

wait_recovery() { # TEXT: wait until a recovery file holds TEXT (the write comes ~2 s after typing)
    poll_until 30 while_running "its recovery file held \"$1\"" recovery_holds "$1" ||
        fail "no recovery file holds \"$1\" after 30 s: $(recovery_files)"
}

type_and_kill() { # TITLE TEXT: type TEXT in A1 of the window TITLE, wait for the recovery, kill
    wait_window "$1"
    wait_geometry "$WID" "5,1 1910x1040"
    focus
    type_text "$2"
    wait_recovery "$2"
    kill -KILL "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}

restore_over() { # TITLE: the question shows over the window TITLE; Enter restores
    wait_window "Confirmation" 20 PROMPT
    find_window "$1" >/dev/null || fail "the question showed before the window \"$1\""
    screenshot recovery_question
    focus "$PROMPT"
    keys Return
    wait_no_window "Confirmation"
    wait_window "$1"
    focus
}

expect_no_recovery() {
    [ -z "$(recovery_files)" ] || fail "recovery files are left: $(recovery_files)"
}

step "a named sheet: kill, restore, save"
start_app "$DOC"
type_and_kill "doc.csv - Vorlane Tavlor" "kept"
start_app "$DOC"
restore_over "doc.csv - Vorlane Tavlor"
keys ctrl+s
printf 'kept;\r\n' >"$E2E_WORK/expected.csv"
expect_file "$DOC" "$E2E_WORK/expected.csv"
close_request
wait_exit 10
[ "$APP_STATUS" -eq 0 ] || fail "closing the saved sheet ended with status $APP_STATUS"
expect_no_recovery

step "an unnamed sheet: kill, restore, save under a name"
start_app
type_and_kill "Vorlane Tavlor" "fresh"
start_app
restore_over "Vorlane Tavlor"
keys ctrl+s
wait_window "Save As" 20 DIALOG
focus "$DIALOG"
keys ctrl+a
type_text "$E2E_WORK/new.csv"
keys Return
printf 'fresh;\r\n' >"$E2E_WORK/expected.csv"
expect_file "$E2E_WORK/new.csv" "$E2E_WORK/expected.csv"
wait_window "new.csv - Vorlane Tavlor"
close_request
wait_exit 10
expect_no_recovery

step "No to the save question leaves nothing to offer"
start_app "$DOC"
wait_window "doc.csv - Vorlane Tavlor"
wait_geometry "$WID" "5,1 1910x1040"
focus
type_text "gone"
wait_recovery "gone"
close_request
wait_window "Confirmation" 10 PROMPT
keys n
wait_exit 10
expect_no_recovery
printf 'kept;\r\n' | cmp -s - "$DOC" || fail "No changed doc.csv"

step "a second instance is not offered the first one's document"
start_app "$DOC"
wait_window "doc.csv - Vorlane Tavlor"
wait_geometry "$WID" "5,1 1910x1040"
focus
type_text "first"
wait_recovery "first"
OTHER_PID=$APP_PID
start_app
# Its own typing reaches its own recovery file only when no question holds the window.
wait_window "Vorlane Tavlor"
wait_geometry "$WID" "5,1 1910x1040"
focus
type_text "second"
wait_recovery "second"
find_window "Confirmation" >/dev/null && fail "the second instance asked about the first one's work"
echo "PASS: unsaved work survives a kill and is offered to no running instance"
