#!/usr/bin/env bash
# Crash recovery in the real program under Xvfb: type into a cell, wait for the recovery
# copy, kill the program with SIGKILL, start it again and answer Yes: the typed text is back
# and the document is changed (closing asks about unsaved changes; Save asks for a name and
# writes the text). A second crash answered with No leaves no copy behind.
# usage: recovery_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
docs=$E2E_WORK/docs
copy="$XDG_DATA_HOME/Vantorel/HTML Quillgrid/recovery.qgd"
mkdir -p "$docs"
cd "$docs"
start_display

start_app() {
  "$app" >>"$E2E_WORK/app.log" 2>&1 &
  E2E_APP=$!
}

# Types $1 into cell (0, 0) of a fresh document, waits past the recovery delay, kills.
type_and_kill() {
  start_app
  local main
  main=$(wait_window "^HTML Quillgrid - (.*/)?Table.qgd$" 30) || fail "the main window did not appear"
  wait_active "$main" || fail "the keyboard is not in the main window"
  type_text "$1"
  sleep 3  # the copy is written two seconds after the last change
  [ -f "$copy" ] || fail "no recovery copy after the wait"
  "$cli" dump "$copy" | grep -q "\"text\":\"$1\"" || fail "the recovery copy lacks the typed text"
  kill -KILL "$E2E_APP"
  wait "$E2E_APP" 2>/dev/null || true
  E2E_APP=""
  [ -f "$copy" ] || fail "the copy did not survive the kill"
}

step "first run: type, wait, kill"
type_and_kill "Saved by recovery"
shot 01-before-kill

step "second run: answer Yes"
start_app
question=$(wait_window "^Warning$" 30) || fail "no recovery question at start"
shot 02-question
xdotool search --onlyvisible --name "^HTML Quillgrid - " >/dev/null 2>&1 &&
  fail "the main window showed before the question"
wait_active "$question" || fail "the keyboard is not in the question"
keys alt+y
main=$(wait_window "^HTML Quillgrid - (.*/)?Table.qgd$" 20) || fail "no main window after Yes"
shot 03-restored
wait_active "$main" || fail "the keyboard is not in the main window"

# Changed is set: closing asks about the unsaved changes; Esc keeps the document open.
keys alt+x
changed=$(wait_window "^Warning$" 10) || fail "closing did not ask about unsaved changes"
wait_active "$changed" || fail "the keyboard is not in the question"
keys Escape
wait_gone "^Warning$" || fail "the question did not close"
main=$(wait_window "^HTML Quillgrid - (.*/)?Table.qgd$" 5) || fail "the window closed"

# Save of the untitled document asks for a name; the file holds the recovered text.
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+s
dialog=$(wait_window "Save" 15) || fail "no save dialog"
wait_active "$dialog" || fail "the keyboard is not in the file dialog"
accept_file_dialog "$dialog" "$docs/recovered.qgd" "^HTML Quillgrid - $docs/recovered.qgd$" ||
  fail "the save did not finish"
"$cli" dump "$docs/recovered.qgd" | grep -q '"text":"Saved by recovery"' ||
  fail "the saved file lacks the recovered text"
[ -f "$copy" ] && fail "the copy is still there after the save"
main=$(wait_window "^HTML Quillgrid - $docs/recovered.qgd$")
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
wait_gone "^HTML Quillgrid - " || fail "the program did not close"
wait "$E2E_APP" 2>/dev/null || true
E2E_APP=""

step "third run: type, wait, kill again"
type_and_kill "Thrown away"

step "fourth run: answer No"
start_app
question=$(wait_window "^Warning$" 30) || fail "no recovery question at start"
wait_active "$question" || fail "the keyboard is not in the question"
keys alt+n
main=$(wait_window "^HTML Quillgrid - (.*/)?Table.qgd$" 20) || fail "no main window after No"
shot 04-declined
[ -f "$copy" ] && fail "the copy is still there after No"
[ -f "${copy%.qgd}.info" ] && fail "the copy's description is still there after No"
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
wait_gone "^HTML Quillgrid - " || fail "the program did not close"
wait "$E2E_APP" 2>/dev/null || true
E2E_APP=""
step "passed"
