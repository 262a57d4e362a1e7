#!/usr/bin/env bash
# Rearranging in the real window under openbox: a 3 x 2 block selected by dragging is copied
# (the clipboard's HTML and text forms are read with xclip) and pasted with Paste Table
# elsewhere; the 10 rows are sorted by their numbers, descending, from the Table menu;
# Replace All changes a word across the table and one Ctrl+Z takes it back; a column moves
# left. Each result is read back from the saved document.
# usage: rearrange_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
program_dir=$(dirname "$app")
docs=$E2E_WORK/docs
settings=$XDG_CONFIG_HOME/Vantorel/"HTML Quillgrid.conf"
mkdir -p "$docs" "$(dirname "$settings")"
command -v xclip >/dev/null || fail "xclip is missing (scripts/test-deps.sh installs it)"
cd "$docs"
start_display

# Three columns in three colours, so that the screenshots show where each column is: names,
# numbers in no order, and words, "apple" among them.
doc=$docs/fruit.qgd
"$cli" new "$doc" --cols 3 --rows 10
numbers=(5 12 1.5 100 7 42 3 9.25 60 20)
words=(apple pear apple plum fig apple kiwi lime apple date)
{
  echo "select 0 0"; echo "shift-click 0 9"; echo "format bg=255"
  echo "select 1 0"; echo "shift-click 1 9"; echo "format bg=65280"
  echo "select 2 0"; echo "shift-click 2 9"; echo "format bg=16711680"
  echo "select 0 0"
  for r in $(seq 0 9); do
    echo "text 0 $r Item $((r + 1))"
    echo "text 1 $r ${numbers[$r]}"
    echo "text 2 $r ${words[$r]}"
  done
} >"$E2E_WORK/fruit.script"
"$cli" apply "$doc" "$E2E_WORK/fruit.script"

printf '[General]\nMaximized=false\nLanguage=%s\n' "$program_dir/English.lng" >"$settings"
"$app" "$doc" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $doc$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
xdotool windowsize "$main" 1000 700
sleep 1
eval "$(geometry "$main" M_)"

red_box=$(colour_box 01-start "$main" "#FF0000")
read -r red_w red_h red_x red_y <<<"$red_box"
read -r blue_w _ blue_x _ <<<"$(colour_box 01-start "$main" "#0000FF")"
[ "$red_w" -gt 50 ] || fail "no red first column on screen"
mapfile -t row_top < <(row_tops 01-start "#FF0000" "$red_box")
[ "${#row_top[@]}" -eq 11 ] || fail "the red column shows $((${#row_top[@]} - 1)) rows, not 10"
# The screen position of the middle of cell (column, row).
cell_x() { case $1 in 0) echo $((M_X + red_x + red_w / 2)) ;; 1) echo $((M_X + (red_x + red_w + blue_x) / 2)) ;; 2) echo $((M_X + blue_x + blue_w / 2)) ;; esac; }
cell_y() { echo $((M_Y + (row_top[$1] + row_top[$1 + 1]) / 2)); }
saved() { column_texts "$cli" "$doc" "$1"; }
save() { keys ctrl+s; sleep 0.5; }

# ---- Copy a 3 x 2 block dragged with the mouse -------------------------------------------
step "drag over rows 1 and 2 of the three columns, then Ctrl+C"
xdotool mousemove "$(cell_x 0)" "$(cell_y 0)" mousedown 1
for x in $(seq "$(cell_x 0)" 40 "$(cell_x 2)"); do xdotool mousemove "$x" "$(cell_y 1)"; sleep 0.05; done
xdotool mousemove "$(cell_x 2)" "$(cell_y 1)"
sleep 0.2
xdotool mouseup 1
sleep 0.3
shot_window 02-selected "$main"
keys ctrl+c
html=$(xclip -o -selection clipboard -t text/html 2>/dev/null || true)
text=$(xclip -o -selection clipboard -t text/plain 2>/dev/null | tr -d '\r' || true)
echo "$html" | grep -q '<table' || fail "the clipboard's HTML holds no table: $html"
for want in "Item 1" "Item 2" ">5<" ">12<" "apple" "pear"; do
  echo "$html" | grep -q "$want" || fail "the clipboard's HTML lacks $want"
done
[ "$(echo "$html" | grep -o '<tr>' | wc -l)" -eq 2 ] || fail "the clipboard's HTML has not 2 rows"
expected=$(printf 'Item 1\t5\tapple\nItem 2\t12\tpear')
[ "$text" = "$expected" ] || fail "the clipboard's text is '$text', not the tab-separated block"
step "the clipboard holds the block as HTML and as tab-separated text"

# ---- Paste Table at row 8 ----------------------------------------------------------------
xdotool mousemove "$(cell_x 0)" "$(cell_y 7)" click 1
sleep 0.3
keys ctrl+shift+v
save
[ "$(saved 0)" = "Item 1|Item 2|Item 3|Item 4|Item 5|Item 6|Item 7|Item 1|Item 2|Item 10" ] ||
  fail "after Paste Table column 1 is $(saved 0)"
[ "$(saved 2)" = "apple|pear|apple|plum|fig|apple|kiwi|apple|pear|date" ] || fail "after Paste Table column 3 is $(saved 2)"
step "Paste Table put the block at rows 8 and 9"
shot_window 03-pasted "$main"

# ---- Sort by the numbers, descending -----------------------------------------------------
xdotool mousemove "$(cell_x 1)" "$(cell_y 3)" click 1
sleep 0.3
open_menu "$main" 4 >/dev/null || fail "the Table menu did not open"
xdotool key --delay 80 Down Down Down Down Down Down Down Down Return
dialog=$(wait_window "^Sort$" 10) || fail "Sort... opened no window"
shot_window 04-sort "$dialog"
keys Tab Down
keys Return
wait_gone "^Sort$" || fail "Enter did not close Sort"
wait_active "$main" || fail "the keyboard did not go back to the main window"
save
[ "$(saved 1)" = "100|42|20|12|12|7|5|5|3|1.5" ] || fail "sorted descending, the numbers are $(saved 1)"
[ "$(saved 2)" = "plum|apple|date|pear|pear|fig|apple|apple|kiwi|apple" ] || fail "the words did not move with their rows: $(saved 2)"
step "the rows are sorted by their numbers, descending"
shot_window 05-sorted "$main"

# ---- Replace All, then Undo ---------------------------------------------------------------
keys ctrl+shift+f
finder=$(wait_window "^Replace$|^Find and Replace$|^Find$" 10) || fail "Shift+Ctrl+F opened no window"
type_text "apple"
keys Tab
type_text "melon"
shot_window 06-replace "$finder"
keys Tab Tab Tab Tab Tab Tab Tab space
sleep 0.5
shot_window 07-replaced "$finder"
keys Escape
wait_gone "^Replace$|^Find and Replace$|^Find$" || fail "Esc did not close the find window"
wait_active "$main" || fail "the keyboard did not go back to the main window"
save
[ "$(saved 2)" = "plum|melon|date|pear|pear|fig|melon|melon|kiwi|melon" ] || fail "after Replace All the words are $(saved 2)"
keys ctrl+z
save
[ "$(saved 2)" = "plum|apple|date|pear|pear|fig|apple|apple|kiwi|apple" ] || fail "one Ctrl+Z left the words $(saved 2)"
step "Replace All changed 4 cells, one Ctrl+Z took them back"

# ---- Move the words' column left ---------------------------------------------------------
xdotool mousemove "$(cell_x 2)" "$(cell_y 0)" click 1
sleep 0.3
keys alt+Left
save
[ "$(saved 1)" = "plum|apple|date|pear|pear|fig|apple|apple|kiwi|apple" ] || fail "after Move Column Left column 2 is $(saved 1)"
[ "$(saved 2)" = "100|42|20|12|12|7|5|5|3|1.5" ] || fail "after Move Column Left column 3 is $(saved 2)"
step "the words' column moved left"
shot_window 08-moved "$main"

keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
step "passed"
