#!/usr/bin/env bash
# A document named on the command line, as the desktop's menu entry passes it: `quillgrid DOC`
# opens DOC (its name in the caption, its text in the grid); a damaged DOC brings up the
# message that it cannot be opened and leaves a new untitled document, and the file as it was.
# usage: open_arg_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
docs=$E2E_WORK/docs
doc=$docs/opened.qgd
mkdir -p "$docs"
cd "$docs"
start_display

# Red text (the colour is blue-green-red) large and bold: counted in the window's pixels.
"$cli" new "$doc" || fail "quillgrid-cli new failed"
printf 'text 0 0 Opened from the command line\nselect 0 0\nformat color=255 size=6 bold=1\n' \
  >"$E2E_WORK/red.script"
"$cli" apply "$doc" "$E2E_WORK/red.script" || fail "quillgrid-cli apply failed"

step "quillgrid DOC"
"$app" "$doc" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - " 30) || fail "the main window did not appear"
wait_window "^HTML Quillgrid - $doc$" 5 >/dev/null ||
  fail "the caption is '$(xdotool getwindowname "$main")', not the document's name"
shot_window 01-opened "$main"
# Below the tool bars, whose colour button shows the current cell's red too.
convert "$E2E_SHOTS/01-opened.png" -crop +0+110 +repage "$E2E_WORK/grid.png"
red=$(count_colour "$E2E_WORK/grid.png" "#FF0000")
step "red text pixels: $red"
[ "$red" -gt 1000 ] || fail "the document's text does not show in the grid"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=

step "quillgrid DAMAGED (a relative name)"
head -c 40 "$doc" >"$docs/damaged.qgd"
before=$(md5sum <"$docs/damaged.qgd")
"$app" damaged.qgd >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
message=$(wait_window "^Error!$" 30) || fail "no message about the damaged document"
wait_active "$message" || fail "the keyboard is not in the message"
shot 02-damaged-message
keys Return
wait_gone "^Error!$" || fail "Enter did not close the message"
main=$(wait_window "^HTML Quillgrid - (.*/)?Table.qgd$" 10) ||
  fail "no untitled document after the message"
shot_window 03-untitled "$main"
[ "$(md5sum <"$docs/damaged.qgd")" = "$before" ] || fail "the damaged file was changed"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
echo "e2e: open from the command line passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
