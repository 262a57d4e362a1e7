#!/usr/bin/env bash
# The whole way without a mouse: xdotool sends keys only (no click, no pointer move). A 4 x 5
# table is made in Table Properties, filled with Tab, a 2 x 2 block is selected with
# Shift+arrows and merged, made bold, given a background colour from the cell tool bar (F6,
# Space, the colour dialog), the last row is merged; every dialog opens and closes (menus by
# F10 and the arrows); Save As writes the file, which must equal the document quillgrid-cli
# makes with the same operations.
# usage: keyboard_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
docs=$E2E_WORK/docs
doc=$docs/keys.qgd
mkdir -p "$docs"
start_display
cd "$docs"
"$app" >"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - Table.qgd$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"

# Opens a window with keys on the main window and closes it with Escape.
open_and_close() {
  local title=$1 id
  shift
  wait_active "$main" || fail "the keyboard is not in the main window before $title"
  keys "$@"
  id=$(wait_window "$title" 30) || fail "$* opened no $title"
  wait_active "$id" || fail "the keyboard is not in $title"
  shot_window "dialog-${title//[^A-Za-z]/}" "$id"
  keys Escape
  wait_gone "$title" || fail "Escape did not close $title"
}

# The template dialog while the document is unchanged (afterwards New asks about saving).
step "each dialog"
open_and_close "^Create From Template$" ctrl+n

# ---- Table Properties: 4 columns, 5 rows ---------------------------------------------------
step "Table Properties"
dialog=$(open_with_key "$main" ctrl+t "^Table Properties$") || fail "Ctrl+T opened no Table Properties"
# The width's unit list has the focus; Tab passes the height's and reaches the counts.
keys Tab Tab ctrl+a
type_text 4
keys Tab ctrl+a
type_text 5
keys Return
wait_gone "^Table Properties$" || fail "Enter did not close Table Properties"
wait_active "$main" || fail "the keyboard is not back in the main window"

# ---- Every cell's text, by Tab; from the last cell Tab comes back to the first -----------------
step "texts"
for r in 1 2 3 4 5; do
  for c in A B C D; do
    type_text "$c$r"
    keys Tab
  done
done
shot_window 01-filled "$main"

# ---- (1, 1) to (2, 2): Shift+Right and Shift+Down at the end of the text, then Merge -----------
step "merge a 2 x 2 block"
keys Tab Tab Tab Tab Tab End shift+Right shift+Down
shot_window 02-block-selected "$main"
keys ctrl+m
# Four texts meet in the merged cell: the question's Keep only the first, as the script's merge.
question=$(wait_window "^Merge Cells$" 15) || fail "merging four texts asked nothing"
keys alt+f
wait_gone "^Merge Cells$" || fail "Alt+F did not answer the merge question"
wait_active "$main" || fail "the keyboard is not back in the main window"
keys ctrl+b
shot_window 03-merged-bold "$main"

# ---- A background colour from the cell tool bar: F6 twice, Space, the colour dialog --------------
step "background colour"
keys F6 F6
shot_window 04-swatch-focused "$main"
keys space
colours=$(wait_window "^Select Color$" 15) || fail "Space on the background swatch opened no colour dialog"
wait_active "$colours" || fail "the keyboard is not in the colour dialog"
keys alt+h ctrl+a
type_text "#ffcc00"
keys Return
wait_gone "^Select Color$" || fail "Enter did not close the colour dialog"
wait_active "$main" || fail "the keyboard is not back in the main window"
# Escape leaves the tool bar for the grid.
keys Escape
shot_window 05-coloured "$main"

# ---- The last row merged: End, then Shift+Right three times ------------------------------------
step "merge the last row"
# From (1, 1): Tab to (3, 1), (0, 2), (3, 2), (0, 3) .. (3, 3), (0, 4): 8 Tabs.
keys Tab Tab Tab Tab Tab Tab Tab Tab End shift+Right shift+Right shift+Right
shot_window 06-row-selected "$main"
keys ctrl+m
question=$(wait_window "^Merge Cells$" 15) || fail "merging the last row's texts asked nothing"
keys alt+f
wait_gone "^Merge Cells$" || fail "Alt+F did not answer the merge question"
wait_active "$main" || fail "the keyboard is not back in the main window"
shot_window 07-row-merged "$main"

# ---- Each dialog opens and closes -----------------------------------------------------------------
step "each dialog"
open_and_close "^Table Properties$" ctrl+t
open_and_close "^Cell Properties$" ctrl+shift+c
open_and_close "^Find and Replace$" ctrl+f
open_and_close "^About" ctrl+F1
open_and_close "^Preview$" ctrl+h
# Table menu: F10 opens File; Left goes round to Help, then Table, its first entry chosen.
open_and_close "^Column Width$" F10 Left Left Down Down Down Down Down Down Return
open_and_close "^Sort$" F10 Left Left Down Down Down Down Down Down Down Return
# Edit menu: Up from its first entry goes round to the last, Insert Link.
open_and_close "^Insert Link$" F10 Right Up Return
# The context menu by the Menu key, and Shift+F10, closed again.
for key in shift+F10 Menu; do
  wait_active "$main" || fail "the keyboard is not in the main window before $key"
  keys "$key"
  menu=$(wait_popup) || fail "$key opened no context menu"
  shot_window "08-context-menu-$key" "$menu"
  keys Escape
  for _ in $(seq 1 25); do xwininfo -id "$menu" 2>/dev/null | grep -q IsViewable || break; sleep 0.2; done
done

# ---- Zoom: the grid at 150 % and 200 % (the document does not change), then back --------------
step "zoom"
keys ctrl+plus ctrl+plus ctrl+plus
shot_window 09-zoom-150 "$main"
keys ctrl+plus ctrl+plus
shot_window 10-zoom-200 "$main"
# The table fills the window's width at any zoom; its rows grow with the text.
read -r _ tall_h _ <<<"$(colour_box 11-zoom-colour "$main" "#FFCC00")"
keys ctrl+0
read -r _ plain_h _ <<<"$(colour_box 12-zoom-100 "$main" "#FFCC00")"
[ "$tall_h" -gt $((plain_h * 3 / 2)) ] || fail "at 200 % the coloured cell is $tall_h pixels high, at 100 % $plain_h"
keys ctrl+plus ctrl+plus ctrl+plus

# ---- Save As, and the file against the same operations done by quillgrid-cli ------------------------
step "save as"
dialog=$(open_with_key "$main" ctrl+shift+s "Save") || fail "no save dialog"
accept_file_dialog "$dialog" "$doc" "^HTML Quillgrid - $doc$" || fail "the caption does not show the saved file"
wait_dump "$cli" "$doc" '"colCount":4,"rowCount":5' || fail "the saved table is not 4 x 5"

expected=$E2E_WORK/expected.qgd
"$cli" new "$expected" --cols 4 --rows 5
{
  for r in 0 1 2 3 4; do c=0; for letter in A B C D; do echo "text $c $r $letter$((r + 1))"; c=$((c + 1)); done; done
  echo "select 1 1"; echo "shift-click 2 2"; echo "merge-selection"
  echo "format bold=1 bg=$((0xCC * 256 + 0xFF))"
  echo "select 0 4"; echo "shift-click 3 4"; echo "merge-selection"
} >"$E2E_WORK/expected.script"
"$cli" apply "$expected" "$E2E_WORK/expected.script"
"$cli" dump "$expected" | python3 -m json.tool >"$E2E_WORK/expected.json"
"$cli" dump "$doc" | python3 -m json.tool >"$E2E_WORK/saved.json"
diff -u "$E2E_WORK/expected.json" "$E2E_WORK/saved.json" >&2 || fail "the saved document differs from the expected one (above)"
# The zoom is the program's, kept in its settings for the next start.
keys alt+x
wait_exit "$E2E_APP" || fail "Alt+X did not end the program"
grep -q '^Zoom=150$' "$XDG_CONFIG_HOME/Vantorel/HTML Quillgrid.conf" || fail "the settings do not keep the zoom of 150 %"
step "passed"
