#!/usr/bin/env bash
# Merge Cells in the real window under openbox when both cells hold a text: "C" and "E" are
# selected with a click and a Ctrl+click, Ctrl+M asks what becomes of the texts, Enter moves
# both into the merged cell, one line each, and one Ctrl+Z brings back both cells. Each result
# is read back from the saved document.
# usage: merge_texts_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
docs=$E2E_WORK/docs
mkdir -p "$docs"
cd "$docs"
start_display

# "C" on red above "E" on blue, so that the screenshots show where each cell is.
doc=$docs/letters.qgd
"$cli" new "$doc" --cols 2 --rows 3 >/dev/null
printf 'text 0 0 C\ntext 0 1 E\ntext 1 0 x\nselect 0 0\nformat bg=255\nselect 0 1\nformat bg=16711680\nselect 1 2\n' >"$E2E_WORK/letters.script"
"$cli" apply "$doc" "$E2E_WORK/letters.script" >/dev/null || fail "quillgrid-cli apply failed"

"$app" "$doc" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $doc$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
xdotool windowsize "$main" 900 600
sleep 1
eval "$(geometry "$main" M_)"
read -r red_w red_h red_x red_y <<<"$(colour_box 01-start "$main" "#FF0000")"
read -r blue_w blue_h blue_x blue_y <<<"$(colour_box 01-start "$main" "#0000FF")"
[ "$red_w" -gt 20 ] && [ "$blue_w" -gt 20 ] || fail "the red and blue cells are not on screen"

step "select C and E, then Merge Cells"
xdotool mousemove $((M_X + red_x + red_w / 2)) $((M_Y + red_y + red_h / 2)) click 1
sleep 0.3
xdotool keydown ctrl mousemove $((M_X + blue_x + blue_w / 2)) $((M_Y + blue_y + blue_h / 2)) click 1 keyup ctrl
sleep 0.3
keys ctrl+m
question=$(wait_window "^Merge Cells$" 15) || fail "merging two texts asked nothing"
wait_active "$question" || fail "the keyboard is not in the question"
shot_window 02-question "$question"
# Enter is the first answer: move all texts into the merged cell.
keys Return
wait_gone "^Merge Cells$" || fail "Enter did not answer the question"
wait_active "$main" || fail "the keyboard did not come back to the main window"
keys ctrl+s
wait_dump "$cli" "$doc" '"col":0,"row":0,"text":"C\\r\\nE"' ||
  fail "the merged cell does not hold both texts: $("$cli" dump "$doc" | head -c 600)"
wait_dump "$cli" "$doc" '"col":0,"row":0,[^}]*"extraRows":1' || fail "the cells were not merged"
shot_window 03-merged "$main"

step "one Ctrl+Z takes the merge and the texts back"
keys ctrl+z
keys ctrl+s
wait_dump "$cli" "$doc" '"col":0,"row":1,"text":"E"' || fail "Ctrl+Z did not bring E back: $("$cli" dump "$doc" | head -c 600)"
"$cli" dump "$doc" | grep -Eq '"col":0,"row":0,"text":"C"[,}]' || fail "Ctrl+Z did not give C its own text back"
"$cli" dump "$doc" | grep -Eq '"col":0,"row":0,[^}]*"extraRows":1' && fail "Ctrl+Z left the cells merged"
shot_window 04-undone "$main"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
step "passed"
