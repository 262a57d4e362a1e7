#!/usr/bin/env bash
# Drives the real editor under Xvfb with keys and clicks: type into cells, save through the
# save dialog, start a new document, open the file again, preview it, close the preview.
# usage: editor_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
program_dir=$(dirname "$app")
doc=$E2E_WORK/docs/report.qgd
mkdir -p "$E2E_WORK/docs"
rm -f "$program_dir/Temp.htm"

start_display
cd "$E2E_WORK/docs"
"$app" >"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!

main=$(wait_window "^HTML Quillgrid - Table.qgd$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
eval "$(geometry "$main")"
step "main window $WIDTH x $HEIGHT at $X,$Y"
shot 01-start
# Typed right after start-up, with no click: the keys go into cell (0, 0), Tab to (1, 0).
type_text "Hello from the e2e check"
keys Tab
type_text "<b>bold</b> second"
shot 02-typed
wait_window "^HTML Quillgrid - Table.qgd$" 2 >/dev/null || fail "caption changed too early"

step "save through the save dialog"
keys ctrl+s
dialog=$(wait_window "Save" 15) || fail "no save dialog"
wait_active "$dialog" || fail "the keyboard is not in the file dialog"
shot 03-save-dialog
accept_file_dialog "$dialog" "$doc" "^HTML Quillgrid - $doc$" || fail "caption does not show the saved file"
main=$(wait_window "^HTML Quillgrid - $doc$")
[ -f "$doc" ] || fail "no file was written"
"$cli" dump "$doc" | grep -q '"col":0,"row":0,"text":"Hello from the e2e check"' ||
  fail "cell (0, 0) of the saved file lacks the typed text"
"$cli" dump "$doc" | grep -q '"col":1,"row":0,"text":"<b>bold</b> second"' ||
  fail "cell (1, 0) of the saved file lacks the text typed after Tab"
shot 04-saved

step "new document from the template dialog"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+n
templates=$(wait_window "Create From Template" 10) || fail "no template dialog"
wait_active "$templates" || fail "the keyboard is not in the template dialog"
shot 05-templates
keys Return
main=$(wait_window "^HTML Quillgrid - $E2E_WORK/docs/Table.qgd$" 10) || fail "no new document"

step "open the saved file again"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+o
dialog=$(wait_window "Open" 15) || fail "no open dialog"
wait_active "$dialog" || fail "the keyboard is not in the file dialog"
accept_file_dialog "$dialog" "$doc" "^HTML Quillgrid - $doc$" || fail "the file did not open"
main=$(wait_window "^HTML Quillgrid - $doc$")
shot 06-reopened

step "preview"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+h
preview=$(wait_window "^Preview$" 30) || fail "no preview window"
[ -f "$program_dir/Temp.htm" ] || fail "no page file while the preview shows"
grep -q "Hello from the e2e check" "$program_dir/Temp.htm" || fail "the page lacks the text"
sleep 6  # the browser engine starts and renders the page
import -window "$preview" "$E2E_SHOTS/07-preview.png"
shot 07-preview-screen
frame=$(count_colour "$E2E_SHOTS/07-preview.png" "#808080")
lines=$(count_colour "$E2E_SHOTS/07-preview.png" "#C0C0C0")
step "preview pixels: frame $frame, cell lines $lines"
[ "$frame" -gt 100 ] && [ "$lines" -gt 100 ] || fail "the browser does not show the table"

wait_active "$preview" || fail "the keyboard is not in the preview"
keys Escape
wait_gone "^Preview$" || fail "Esc did not close the preview"
sleep 0.5
[ -f "$program_dir/Temp.htm" ] && fail "Temp.htm was left behind"

step "exit"
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
for _ in $(seq 1 50); do kill -0 "$E2E_APP" 2>/dev/null || break; sleep 0.2; done
kill -0 "$E2E_APP" 2>/dev/null && fail "the program did not end on Exit"
E2E_APP=
echo "e2e: editor flow passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
