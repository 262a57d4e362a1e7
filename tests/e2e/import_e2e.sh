#!/usr/bin/env bash
# Tables coming in and going out through the real window: File > Import of a page with two
# tables (the second chosen, its report listed after it shows), Paste Table from a clipboard
# that xclip holds (the HTML of a spreadsheet, then tab-separated text) into the middle of a
# table with a merged cell in the way, and undone in one step; File > Import of a CSV file
# with a semicolon separator and quoted line breaks, and File > Export > CSV read back by
# Python's csv module.
# usage: import_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
corpus=$(cd "$(dirname "$0")/../data/import" && pwd)
docs=$E2E_WORK/docs
mkdir -p "$docs"
cd "$docs"
cp "$corpus/wiki.html" "$docs/wiki.html"
command -v xclip >/dev/null || fail "xclip is missing (scripts/test-deps.sh installs it)"
start_display

# Entry $2 (from 1) of the File menu of main window $1, by the keyboard once the menu is open.
file_menu_entry() {
  local menu
  menu=$(open_menu "$1" 1) || fail "the File menu did not open"
  xdotool key --delay 80 $(printf 'Down %.0s' $(seq 1 "$2"))
  echo "$menu"
}

# Text of every cell of document $1, one "col,row: text" line each, in dump order.
cell_texts() { "$cli" dump "$1" | python3 -c '
import json, sys
for cell in json.load(sys.stdin)["cells"]:
    if cell.get("text"): print("%d,%d: %s" % (cell["col"], cell["row"], cell["text"]))'; }

# Field $4 of cell ($2, $3) of document $1.
cell_field() { "$cli" dump "$1" | python3 -c '
import json, sys
col, row, field = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
print(next(c[field] for c in json.load(sys.stdin)["cells"] if (c["col"], c["row"]) == (col, row)))' "$2" "$3" "$4"; }

# Saves the open document with ctrl+s (no dialog: it has a name) and waits for the file to change.
save_and_wait() {
  local before
  before=$(md5sum <"$1" 2>/dev/null || true)
  keys ctrl+s
  for _ in $(seq 1 50); do [ "$(md5sum <"$1")" != "$before" ] && return 0; sleep 0.2; done
  return 1
}

"$app" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - " 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"

# ---- Import a page with two tables, choose the second ------------------------------------
step "File > Import of a page with two tables"
file_menu_entry "$main" 3 >/dev/null
keys Return
dialog=$(wait_window "^Import$" 15) || fail "no import dialog"
wait_active "$dialog" || fail "the keyboard is not in the import dialog"
accept_file_dialog "$dialog" "$docs/wiki.html" "^Choose a Table$" || fail "no table chooser"
chooser=$(wait_window "^Choose a Table$") || fail "no table chooser"
wait_active "$chooser" || fail "the keyboard is not in the chooser"
keys Down
shot_window 01-chooser "$chooser"
keys Return
report=$(wait_window "^Import Report$" 15) || fail "no report after importing a page with CSS classes"
wait_active "$report" || fail "the keyboard is not in the report"
shot 02-report
wait_window "^HTML Quillgrid - $docs/wiki.qgd" 2 >/dev/null ||
  fail "the table is not shown as wiki.qgd while its report is"
# Tab from the list to Copy, Space presses it: the report is on the clipboard.
keys Tab space
copied=$(xclip -o -selection clipboard 2>/dev/null || true)
step "report copied: $(echo "$copied" | head -c 300)"
echo "$copied" | grep -q 'class="nested": CSS classes are not read' || fail "the report lacks the class note"
keys Escape
wait_gone "^Import Report$" || fail "Esc did not close the report"
wait_active "$main" || fail "the keyboard did not come back to the main window"

step "save the imported table"
keys ctrl+s
dialog=$(wait_window "Save" 15) || fail "an imported table is new: Save must ask for a name"
wait_active "$dialog" || fail "the keyboard is not in the save dialog"
accept_file_dialog "$dialog" "$docs/wiki.qgd" "^HTML Quillgrid - $docs/wiki.qgd$" || fail "the save did not name the document"
"$cli" import "$docs/wiki.html" "$E2E_WORK/expected.qgd" --table 1 >/dev/null
[ "$("$cli" dump "$docs/wiki.qgd")" = "$("$cli" dump "$E2E_WORK/expected.qgd")" ] ||
  fail "the saved table is not the page's second table"

# ---- Paste Table into a table with a merged cell in the way ------------------------------
step "Paste Table of a spreadsheet's HTML at (1, 1)"
grid=$docs/grid.qgd
"$cli" new "$grid" --cols 6 --rows 6 >/dev/null
printf 'text 0 2 kept\nmerge 0 2 1 1\ntext 5 5 corner\n' >"$E2E_WORK/grid.script"
"$cli" apply "$grid" "$E2E_WORK/grid.script" >/dev/null || fail "quillgrid-cli apply failed"
"$cli" dump "$grid" >"$E2E_WORK/grid-before.json"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
"$app" "$grid" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $grid$" 30) || fail "the grid document did not open"
wait_active "$main" || fail "the keyboard is not in the main window"
xclip -selection clipboard -t text/html -i "$corpus/libreoffice-calc.html"
# Tab walks the cells row by row: seven from (0, 0) reach (1, 1).
xdotool key --delay 80 Tab Tab Tab Tab Tab Tab Tab
keys ctrl+shift+v
sleep 0.5
shot_window 03-pasted "$main"
save_and_wait "$grid" || fail "the pasted table was not saved"
cell_texts "$grid" >"$E2E_WORK/pasted.txt"
grep -q '^1,1: Quarterly prices$' "$E2E_WORK/pasted.txt" || fail "the spreadsheet's title is not at (1, 1): $(head -5 "$E2E_WORK/pasted.txt")"
grep -q '^0,2: kept$' "$E2E_WORK/pasted.txt" || fail "the text left of the paste is gone"
[ "$(cell_field "$grid" 1 1 extraCols)" = 3 ] || fail "the pasted title lost its span of four columns"
[ "$(cell_field "$grid" 0 2 extraCols)$(cell_field "$grid" 0 2 extraRows)" = 00 ] ||
  fail "the merged cell the paste cut through was not split"

step "undo the paste in one step"
keys ctrl+z
shot_window 03b-undone "$main"
save_and_wait "$grid" || fail "the undone paste was not saved"
diff <("$cli" dump "$grid") "$E2E_WORK/grid-before.json" >/dev/null ||
  fail "one Undo did not take the whole paste back"

step "Paste Table of tab-separated text at (4, 4)"
printf 'Name\tQty\r\nTea & cake\t<2>\r\n' | xclip -selection clipboard -i
# The undo made (0, 0) current again, where the history began. Tab would land on the covered
# slot right of the merged cell and leave no current cell, so Shift+Tab goes backwards instead:
# eight from (0, 0), wrapping to (5, 5), reach (4, 4).
xdotool key --delay 80 $(printf 'shift+Tab %.0s' $(seq 1 8))
keys ctrl+shift+v
sleep 0.5
shot_window 04-pasted-text "$main"
save_and_wait "$grid" || fail "the pasted text was not saved"
cell_texts "$grid" >"$E2E_WORK/pasted-text.txt"
grep -q '^5,5: &lt;2&gt;$' "$E2E_WORK/pasted-text.txt" || fail "the tab-separated rows did not land at (4, 4): $(cat "$E2E_WORK/pasted-text.txt")"
grep -q '^4,5: Tea &amp; cake$' "$E2E_WORK/pasted-text.txt" || fail "the text's & was not escaped"

# ---- CSV in and out ----------------------------------------------------------------------
step "File > Import of a CSV file with semicolons and quoted line breaks"
printf 'Item;Note;Price\r\n"Tea";"two\r\nlines";"1,50"\r\n"Say ""hi""";;2\r\n' >"$docs/prices.csv"
file_menu_entry "$main" 3 >/dev/null
keys Return
dialog=$(wait_window "^Import$" 15) || fail "no import dialog"
wait_active "$dialog" || fail "the keyboard is not in the import dialog"
# The grid was saved: no question about changes comes.
accept_file_dialog "$dialog" "$docs/prices.csv" "^HTML Quillgrid - $docs/prices.qgd" || fail "the CSV file did not import"
main=$(wait_window "^HTML Quillgrid - $docs/prices.qgd")
shot_window 05-csv "$main"

step "File > Export > CSV"
file_menu_entry "$main" 6 >/dev/null
keys Right  # opens the submenu on its first entry; CSV is the sixth
xdotool key --delay 80 Down Down Down Down Down Return
dialog=$(wait_window "Save|Export" 15) || fail "no export dialog"
wait_active "$dialog" || fail "the keyboard is not in the export dialog"
accept_file_dialog "$dialog" "$docs/out.csv" "^HTML Quillgrid - $docs/prices.qgd" || true
for _ in $(seq 1 25); do [ -s "$docs/out.csv" ] && break; sleep 0.2; done
[ -s "$docs/out.csv" ] || fail "no CSV file was written"
python3 - "$docs/prices.csv" "$docs/out.csv" <<'PY' || fail "the exported CSV does not read back as the imported one"
import csv, sys
def rows(path, **kw):
    with open(path, newline="", encoding="utf-8-sig") as f:
        return [[c.replace("\r\n", "\n") for c in r] for r in csv.reader(f, **kw)]
given, written = rows(sys.argv[1], delimiter=";"), rows(sys.argv[2])
print("given  ", given, file=sys.stderr)
print("written", written, file=sys.stderr)
sys.exit(0 if given == written else 1)
PY

wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
# The imported table was never saved: answer No to the question about it.
question=$(wait_window "^Warning$" 10) || fail "no question about the unsaved import"
wait_active "$question" || fail "the keyboard is not in the question"
keys n
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
echo "e2e: import, paste table and CSV passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
