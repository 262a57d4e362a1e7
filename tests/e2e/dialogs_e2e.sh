#!/usr/bin/env bash
# Drives the dialogs of the real editor under Xvfb with keys and clicks: Table Properties to
# three columns, Cell Properties to bold size 4, the alignment picker to bottom right, and a
# link from the Edit menu; checks each in the saved document and in the previewed page.
# usage: dialogs_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
program_dir=$(dirname "$app")
doc=$E2E_WORK/docs/dialogs.qgd
page=$program_dir/Temp.htm
mkdir -p "$E2E_WORK/docs"
rm -f "$page"

start_display
cd "$E2E_WORK/docs"
"$app" >"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!

main=$(wait_window "^HTML Quillgrid - Table.qgd$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
eval "$(geometry "$main")"
step "main window $WIDTH x $HEIGHT at $X,$Y"
type_text "Hello"
shot_window 01-typed "$main"

# ---- Table Properties: three columns ---------------------------------------------------
step "Table Properties"
dialog=$(open_with_key "$main" ctrl+t "^Table Properties$") || fail "Ctrl+T opened no Table Properties"
shot_window 02-table-properties "$dialog"
# The unit list of the width has the focus; Tab passes the height's unit list (the value boxes
# are hidden while the units are "Default") and reaches the column count.
keys Tab Tab
shot_window 03-table-properties-columns "$dialog"
keys ctrl+a
type_text 3
keys Return
wait_gone "^Table Properties$" || fail "Enter did not close Table Properties"
shot_window 04-three-columns "$main"

step "save as"
dialog=$(open_with_key "$main" ctrl+shift+s "Save") || fail "no save dialog"
accept_file_dialog "$dialog" "$doc" "^HTML Quillgrid - $doc$" || fail "caption does not show the saved file"
main=$(wait_window "^HTML Quillgrid - $doc$")
wait_dump "$cli" "$doc" '"colCount":3,' || fail "the table does not have 3 columns"
"$cli" dump "$doc" | grep -q '"col":0,"row":0,"text":"Hello"' || fail "the typed text was not saved"

# ---- Cell Properties: size 4 and bold ------------------------------------------------------
step "Cell Properties"
dialog=$(open_with_key "$main" ctrl+shift+c "^Cell Properties$") || fail "Ctrl+Shift+C opened no Cell Properties"
shot_window 05-cell-properties "$dialog"
# OK has the focus; Tab goes on to Cancel, the two spans (both open on (0, 0) of a 3 x 3
# table), Header cell, the font, the size and Bold.
keys Tab Tab Tab Tab Tab Tab
keys Down
keys Tab
keys space
shot_window 06-cell-properties-changed "$dialog"
keys Return
wait_gone "^Cell Properties$" || fail "Enter did not close Cell Properties"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+s
wait_dump "$cli" "$doc" '"col":0,"row":0,"text":"Hello","fontName":"[^"]*","fontSize":4,"bold":true' ||
  fail "the cell is not bold at size 4"
shot_window 07-bold-cell "$main"

# ---- The alignment picker: bottom right -----------------------------------------------------
step "alignment picker"
wait_active "$main" || fail "the keyboard is not in the main window"
eval "$(geometry "$main")"
# AlignKey is the last button of the formatting tool bar, the second bar below the menu bar,
# whose middle lies 71 pixels below the window's top.
align_x=$(ink_runs_x "$main" 63 16 3 | tail -n 1)
step "AlignKey at $align_x,$((Y + 71))"
xdotool mousemove "$align_x" $((Y + 71)) click 1
picker=$(wait_popup) || fail "AlignKey opened no alignment picker"
shot_window 08-align-picker "$picker"
eval "$(geometry "$picker" P_)"
xdotool mousemove $((P_X + P_WIDTH * 5 / 6)) $((P_Y + P_HEIGHT * 5 / 6)) click 1
for _ in $(seq 1 25); do xwininfo -id "$picker" | grep -q IsViewable || break; sleep 0.2; done
xwininfo -id "$picker" | grep -q IsViewable && fail "the picker stayed open after a choice"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+s
wait_dump "$cli" "$doc" '"col":0,"row":0,"text":"Hello",.*"vAlign":2,"hAlign":2[,}]' ||
  fail "the cell is not aligned bottom right"
shot_window 09-aligned "$main"

# ---- Insert Link from the Edit menu ---------------------------------------------------------
step "Insert Link"
wait_active "$main" || fail "the keyboard is not in the main window"
keys Tab
menu=$(open_menu "$main" 2) || fail "the Edit menu did not open"
shot 10-edit-menu
click_last_entry "$menu"
dialog=$(wait_window "^Insert Link$" 10) || fail "the Edit menu's last entry opened no link dialog"
wait_active "$dialog" || fail "the keyboard is not in the file dialog"
type_text "Docs"
keys Tab
type_text "http://"
keys Tab
type_text "example.org/docs"
shot_window 11-insert-link "$dialog"
keys Return
wait_gone "^Insert Link$" || fail "Enter did not close the link dialog"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+s
wait_dump "$cli" "$doc" '"col":1,"row":0,"text":"<A HREF=\\"http://example.org/docs\\">Docs</A>"' ||
  fail "the cell does not hold the link"
shot_window 12-link-in-grid "$main"

# ---- The previewed page ----------------------------------------------------------------------
step "preview"
wait_active "$main" || fail "the keyboard is not in the main window"
keys ctrl+h
preview=$(wait_window "^Preview$" 30) || fail "no preview window"
[ -f "$page" ] || fail "no page file while the preview shows"
grep -q '<A HREF="http://example.org/docs">Docs</A>' "$page" || fail "the page lacks the link"
# Each row of the inner table holds three cells.
cells=$(awk '{ sub(/\r$/, "") } /^<TR>$/ { row++ } row == 1 && /^<TD/ { n++ } END { print n + 0 }' "$page")
[ "$cells" -eq 3 ] || fail "the page's first row has $cells cells"
grep -q 'ALIGN="RIGHT" VALIGN="BOTTOM"' "$page" || fail "the page lacks the bottom-right cell"
grep -q '<B>' "$page" || fail "the page lacks the bold text"
# The browser engine starts and renders the page: wait for the link's blue to show.
for _ in $(seq 1 40); do
  import -window "$preview" "$E2E_SHOTS/13-preview.png"
  [ "$(count_colour "$E2E_SHOTS/13-preview.png" "#0000EE")" -gt 20 ] && break
  sleep 0.5
done
shot_window 13-preview "$preview"
[ "$(count_colour "$E2E_SHOTS/13-preview.png" "#0000EE")" -gt 20 ] || fail "the browser shows no link"
# Along a line through the empty last row: the frame, two cell lines and the frame again.
read -r fx fy fw fh < <(convert "$E2E_SHOTS/13-preview.png" -fill white +opaque "#808080" \
  -format "%@" info: | tr 'x+' '  ' | awk '{ print $3, $4, $1, $2 }')
runs=$(convert "$E2E_SHOTS/13-preview.png" -crop "${fw}x1+${fx}+$((fy + fh - 6))" +repage txt:- |
  awk '!/^#/ { ink = ($0 !~ /#FFFFFF/) } !/^#/ && ink && !prev { n++ } !/^#/ { prev = ink } END { print n + 0 }')
step "preview: table at $fx,$fy size ${fw}x$fh, $runs lines across the last row"
[ "$runs" -eq 4 ] || fail "the previewed table does not show 3 columns ($runs lines)"

wait_active "$preview" || fail "the keyboard is not in the preview"
keys Escape
wait_gone "^Preview$" || fail "Esc did not close the preview"

step "exit"
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
echo "e2e: dialogs passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
