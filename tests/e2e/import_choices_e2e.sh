#!/usr/bin/env bash
# The choices of Import and Paste Table in the real window under openbox: File > Import of a
# page with one table whose cells carry a documentation page's markup asks what becomes of it,
# and the table arrives with only what the grid shows; Paste Table of a clipboard that holds
# two tables (set with xclip) shows the chooser, and the second table chosen lands in the grid.
# Each result is read back from the saved document.
# usage: import_choices_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
docs=$E2E_WORK/docs
mkdir -p "$docs"
cd "$docs"
command -v xclip >/dev/null || fail "xclip is missing (scripts/test-deps.sh installs it)"
start_display

# Text of every cell of document $1, one "col,row: text" line each, in dump order.
cell_texts() { "$cli" dump "$1" | python3 -c '
import json, sys
for cell in json.load(sys.stdin)["cells"]:
    if cell.get("text"): print("%d,%d: %s" % (cell["col"], cell["row"], cell["text"]))'; }

cat >"$docs/commands.html" <<'PAGE'
<!DOCTYPE html><html><body><table class="docutils"><tr><th>Command</th><th>What it does</th></tr>
<tr><td><p><a class="reference internal" href="#apt"><code class="docutils literal"><span class="pre">apt-get</span></code></a></p></td>
<td><p>Installs <em>packages</em> &amp; their dependencies.</p></td></tr></table></body></html>
PAGE

"$app" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - " 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"

# ---- Import: the markup choice ---------------------------------------------------------------
step "File > Import of a page with one table full of markup"
open_menu "$main" 1 >/dev/null || fail "the File menu did not open"
xdotool key --delay 80 Down Down Down
keys Return
dialog=$(wait_window "^Import$" 15) || fail "no import dialog"
wait_active "$dialog" || fail "the keyboard is not in the import dialog"
accept_file_dialog "$dialog" "$docs/commands.html" "^Choose a Table$" || fail "no chooser for a page with markup"
chooser=$(wait_window "^Choose a Table$") || fail "no chooser"
wait_active "$chooser" || fail "the keyboard is not in the chooser"
shot_window 01-markup-choice "$chooser"
# The list has the keyboard; Enter takes the choice as it stands: only what the table shows.
keys Return
report=$(wait_window "^Import Report$" 15) || fail "no report saying what became of the markup"
wait_active "$report" || fail "the keyboard is not in the report"
shot_window 02-report "$report"
keys Tab space
copied=$(xclip -o -selection clipboard 2>/dev/null || true)
echo "$copied" | grep -q 'markup the table does not show: left out' || fail "the report does not say the markup was left out: $copied"
keys Escape
wait_gone "^Import Report$" || fail "Esc did not close the report"
wait_active "$main" || fail "the keyboard did not come back to the main window"
keys ctrl+s
dialog=$(wait_window "Save" 15) || fail "an imported table is new: Save must ask for a name"
wait_active "$dialog" || fail "the keyboard is not in the save dialog"
accept_file_dialog "$dialog" "$docs/commands.qgd" "^HTML Quillgrid - $docs/commands.qgd$" || fail "the save did not name the document"
cell_texts "$docs/commands.qgd" >"$E2E_WORK/imported.txt"
grep -qx '0,1: <a href="#apt">apt-get</a>' "$E2E_WORK/imported.txt" ||
  fail "the link did not come with its address alone: $(cat "$E2E_WORK/imported.txt")"
grep -qx '1,1: Installs <em>packages</em> &amp; their dependencies.' "$E2E_WORK/imported.txt" ||
  fail "the paragraph's text did not come clean: $(cat "$E2E_WORK/imported.txt")"

# ---- Paste Table: the chooser for two tables -------------------------------------------------
step "Paste Table of a clipboard with two tables, the second chosen"
"$cli" new "$docs/grid.qgd" --cols 3 --rows 3 >/dev/null
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
"$app" "$docs/grid.qgd" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $docs/grid.qgd$" 30) || fail "the grid document did not open"
wait_active "$main" || fail "the keyboard is not in the main window"
printf '%s' '<table><tr><td>first</td><td>table</td></tr></table><p>between</p><table><tr><td>Seeds</td><td>2.50</td></tr><tr><td>Rake</td><td>12.00</td></tr></table>' |
  xclip -selection clipboard -t text/html -i
keys ctrl+shift+v
chooser=$(wait_window "^Choose a Table$" 15) || fail "Paste Table did not ask which of the two tables"
wait_active "$chooser" || fail "the keyboard is not in the chooser"
keys Down
shot_window 03-paste-chooser "$chooser"
keys Return
wait_gone "^Choose a Table$" || fail "Enter did not close the chooser"
wait_active "$main" || fail "the keyboard did not come back to the main window"
keys ctrl+s
wait_dump "$cli" "$docs/grid.qgd" '"col":0,"row":1,"text":"Rake"' || fail "the second table is not in the grid: $(cell_texts "$docs/grid.qgd")"
cell_texts "$docs/grid.qgd" >"$E2E_WORK/pasted.txt"
grep -qx '0,0: Seeds' "$E2E_WORK/pasted.txt" && grep -qx '1,1: 12.00' "$E2E_WORK/pasted.txt" ||
  fail "the second table did not land at the current cell: $(cat "$E2E_WORK/pasted.txt")"
grep -q 'first' "$E2E_WORK/pasted.txt" && fail "the first table was pasted too"
shot_window 04-pasted "$main"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
step "passed"
