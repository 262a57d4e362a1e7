#!/usr/bin/env bash
# Column widths and header rows in the real window, as a user sets them, with no refocusing
# between steps: a drag of a column's right edge by a measured amount widens the column on
# screen by exactly that much, the saved document holds the width, and the preview's page
# (asked over the browser's debugging port) draws the column as wide as the grid does; Header
# Row from the Table menu makes the first row header cells, and the page the preview shows has
# TH SCOPE="COL" there; two Undos give back the document as it was, byte for byte.
# usage: structure_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
program_dir=$(dirname "$app")
docs=$E2E_WORK/docs
settings=$XDG_CONFIG_HOME/Vantorel/"HTML Quillgrid.conf"
mkdir -p "$docs" "$(dirname "$settings")"
rm -f "$program_dir/Temp.htm"
cd "$docs"
start_display
open_debug_port

# A 3 x 3 price list with a caption: each column in a colour of its own, so that the
# screenshots show where a column begins and ends.
doc=$docs/prices.qgd
"$cli" new "$doc" --cols 3 --rows 3
cat >"$E2E_WORK/prices.script" <<'SCRIPT'
select 0 0
shift-click 0 2
format bg=255
select 1 0
shift-click 1 2
format bg=65280
select 2 0
shift-click 2 2
format bg=16711680
text 0 0 Item
text 1 0 Price
text 2 0 Note
text 0 1 Tea
text 1 1 1.50
text 0 2 Cake
text 1 2 2.25
caption Price list
SCRIPT
"$cli" apply "$doc" "$E2E_WORK/prices.script"
cp "$doc" "$E2E_WORK/original.qgd"

printf '[General]\nMaximized=false\nLanguage=%s\n' "$program_dir/English.lng" >"$settings"
"$app" "$doc" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $doc$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
xdotool windowsize "$main" 1000 600
sleep 1
eval "$(geometry "$main" M_)"

read -r red_w red_h red_x red_y <<<"$(colour_box 01-before "$main" "#FF0000")"
read -r green_w _ green_x _ <<<"$(colour_box 01-before "$main" "#00FF00")"
step "column 0 is $red_w pixels wide at x $red_x, column 1 $green_w at $green_x"
[ "$red_w" -gt 50 ] || fail "no red first column on screen"

# ---- Drag the right edge of column 0 by 60 pixels ------------------------------------------
edge_x=$((M_X + red_x + red_w))     # the line between the two columns
edge_y=$((M_Y + red_y + red_h / 2))
xdotool mousemove "$edge_x" "$edge_y"
sleep 0.3
xdotool mousedown 1
for dx in 10 20 30 40 50 60; do xdotool mousemove $((edge_x + dx)) "$edge_y"; sleep 0.1; done
xdotool mouseup 1
sleep 0.5
read -r wide_w _ _ _ <<<"$(colour_box 02-dragged "$main" "#FF0000")"
step "after the drag column 0 is $wide_w pixels wide"
[ "$wide_w" -eq $((red_w + 60)) ] || fail "the column is $wide_w wide after a 60-pixel drag from $red_w"

keys ctrl+s
margin=3
wait_dump "$cli" "$doc" "\"colWidths\":\[\{\"value\":$((wide_w - 2 * margin)),\"units\":2\}" ||
  fail "the saved document has not the dragged width: $("$cli" dump "$doc" | grep -o '"colWidths":[^]]*]')"

# ---- The preview draws the column as wide as the grid ---------------------------------------
preview=$(open_with_key "$main" ctrl+h "^Preview$") || fail "Ctrl+H opened no preview"
page_w=$(python3 "$here/page_eval.py" "$debug_port" \
  "document.querySelector('table table tr td').getBoundingClientRect().width" /Temp.htm) ||
  fail "the preview's browser did not tell the column's width"
shot_window 03-preview "$preview"
step "the preview draws column 0 $page_w pixels wide, the grid $wide_w"
python3 -c "import sys; sys.exit(0 if abs(float('$page_w') - $wide_w) <= 1 else 1)" ||
  fail "the page draws the column $page_w pixels wide, the grid $wide_w"
keys Escape
wait_gone "^Preview$" || fail "Esc did not close the preview"
wait_active "$main" || fail "the keyboard did not go back to the main window"

# ---- Header Row from the Table menu ---------------------------------------------------------
# The current cell is (0, 0), where the document opened. Table is the fourth menu; Header Row
# its fifth entry (Table Properties, Cell Properties, Column, Row, then Header Row).
menu=$(open_menu "$main" 4) || fail "the Table menu did not open"
shot 04-table-menu
xdotool key --delay 80 Down Down Down Down Down Return
sleep 0.5
shot_window 05-header-row "$main"
preview=$(open_with_key "$main" ctrl+h "^Preview$") || fail "Ctrl+H opened no preview"
shot_window 06-header-preview "$preview"
heads=$(tr -d '\r' <"$program_dir/Temp.htm" | grep -c '^<TH .*SCOPE="COL"' || true)
step "header cells in the previewed page: $heads"
[ "$heads" -eq 3 ] || fail "the page has $heads TH SCOPE=\"COL\" cells, not the 3 of the first row"
grep -q '<CAPTION>Price list</CAPTION>' "$program_dir/Temp.htm" || fail "the page has no caption"
keys Escape
wait_gone "^Preview$" || fail "Esc did not close the preview"
wait_active "$main" || fail "the keyboard did not go back to the main window"
keys ctrl+s
wait_dump "$cli" "$doc" '"header":true' || fail "the saved document has no header cells"

# ---- Two Undos: the document as it was -----------------------------------------------------
keys ctrl+z ctrl+z ctrl+s
for _ in $(seq 1 50); do cmp -s "$doc" "$E2E_WORK/original.qgd" && break; sleep 0.2; done
cmp -s "$doc" "$E2E_WORK/original.qgd" || fail "after two Undos the saved document differs from the original"
read -r back_w _ _ _ <<<"$(colour_box 07-undone "$main" "#FF0000")"
[ "$back_w" -eq "$red_w" ] || fail "after Undo column 0 is $back_w wide, not $red_w"

keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
step "passed"
