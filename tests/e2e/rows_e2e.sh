#!/usr/bin/env bash
# Rows that stay put and arrows that leave the cell, in the real window under openbox: each row
# of a 5-row price list is clicked in turn low in the row, where a row that grew when the cell
# above became current would take the click, and a letter typed; the saved file must hold each
# letter in the row clicked. Then the arrow keys walk out of the cells at the text's edges, and
# Ctrl+End and Ctrl+Home reach the table's last and first cell.
# usage: rows_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
program_dir=$(dirname "$app")
docs=$E2E_WORK/docs
settings=$XDG_CONFIG_HOME/Vantorel/"HTML Quillgrid.conf"
mkdir -p "$docs" "$(dirname "$settings")"
cd "$docs"
start_display

doc=$docs/prices.qgd
"$cli" new "$doc" --cols 2 --rows 5
names=(Seeds Rake Hoe Spade Gloves)
prices=(2.50 12.00 9.75 14.20 4.10)
{
  echo "select 0 0"; echo "shift-click 0 4"; echo "format bg=255"
  echo "select 1 0"; echo "shift-click 1 4"; echo "format bg=16711680"
  for r in $(seq 0 4); do echo "text 0 $r ${names[$r]}"; echo "text 1 $r ${prices[$r]}"; done
  echo "select 1 4"
} >"$E2E_WORK/prices.script"
"$cli" apply "$doc" "$E2E_WORK/prices.script"

printf '[General]\nMaximized=false\nLanguage=%s\n' "$program_dir/English.lng" >"$settings"
"$app" "$doc" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $doc$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
xdotool windowsize "$main" 900 600
sleep 1
eval "$(geometry "$main" M_)"

red_box=$(colour_box 01-start "$main" "#FF0000")
read -r red_w red_h red_x red_y <<<"$red_box"
[ "$red_w" -gt 50 ] || fail "no red first column on screen"
mapfile -t row_top < <(row_tops 01-start "#FF0000" "$red_box")
[ "${#row_top[@]}" -eq 6 ] || fail "the red column shows $((${#row_top[@]} - 1)) rows, not 5"
saved() { column_texts "$cli" "$doc" "$1"; }

# ---- Click each row low down, as the rows stood before any of them became current ---------
letters=(a b c d e)
for r in $(seq 0 4); do
  y=$((M_Y + row_top[r] + (row_top[r + 1] - row_top[r]) * 4 / 5))
  xdotool mousemove $((M_X + red_x + red_w - 10)) "$y" click 1
  sleep 0.3
  keys End
  type_text "${letters[$r]}"
done
shot_window 02-clicked "$main"
keys ctrl+s
sleep 0.5
[ "$(saved 0)" = "Seedsa|Rakeb|Hoec|Spaded|Glovese" ] || fail "the letters landed in other rows: $(saved 0)"
step "every letter landed in the row clicked"

# ---- Arrows at the text's edges -------------------------------------------------------------
keys ctrl+Home ctrl+Home
type_text "H"
keys End Right
type_text "R"
keys Down
type_text "D"
keys Home Left Up
type_text "U"
keys ctrl+End ctrl+End
type_text "E"
keys ctrl+s
sleep 0.5
shot_window 03-arrows "$main"
[ "$(saved 0)" = "HSeedsaU|Rakeb|Hoec|Spaded|Glovese" ] || fail "after the arrows column 1 is $(saved 0)"
[ "$(saved 1)" = "R2.50|D12.00|9.75|14.20|4.10E" ] || fail "after the arrows column 2 is $(saved 1)"
step "the arrows left the cells at the text's edges, Ctrl+Home and Ctrl+End reached the ends"

keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
step "passed"
