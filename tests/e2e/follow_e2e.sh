#!/usr/bin/env bash
# The editor as a user meets it in a small window, with no refocusing between steps: the view
# follows 600 Tabs through a 30 x 30 table and the caret to the end of a 3,000-character cell,
# a first click in a word puts the caret at the clicked letter, a damaged document opened
# through File > Open is refused with the loader's reason (in English and in German) and
# leaves the document on screen as it was, the font box shows a new cell's face, and the
# grid and the preview's page draw a default cell in one face, with and without the Tahoma of
# fonts-wine. The window's layout is fixed: the places below are measured from its screenshots.
# usage: follow_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
command -v xclip >/dev/null || fail "xclip is missing (scripts/test-deps.sh installs it)"
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

# A window that starts at its stored size rather than maximized, then made 1000 x 500 as a
# user would drag it; $1 is the document, $2 the language file (English by default).
start_small() {
  printf '[General]\nMaximized=false\nLanguage=%s\n' "$program_dir/${2:-English}.lng" >"$settings"
  "$app" "$1" >>"$E2E_WORK/app.log" 2>&1 &
  E2E_APP=$!
  main=$(wait_window "^HTML Quillgrid - $1$" 30) || fail "the main window did not appear"
  wait_active "$main" || fail "the keyboard is not in the main window"
  xdotool windowsize "$main" 1000 500
  local WIDTH HEIGHT
  for _ in $(seq 1 50); do
    eval "$(geometry "$main")"
    [ "$WIDTH" = 1000 ] && [ "$HEIGHT" = 500 ] && break
    sleep 0.1
  done
  [ "$WIDTH" = 1000 ] && [ "$HEIGHT" = 500 ] || fail "the window is $WIDTH x $HEIGHT, not 1000 x 500"
  sleep 0.5
}

# The scroll box's view in a screenshot of the main window: below the tool bars, above the
# status bar, left of the scroll bar. Printed as a crop geometry.
view_area() { echo "970x385+2+90"; }

# Screenshot $1 of the main window and its view cut out as $E2E_WORK/$1-view.png.
view_shot() {
  shot_window "$1" "$main"
  convert "$E2E_SHOTS/$1.png" -crop "$(view_area)" +repage "$E2E_WORK/$1-view.png"
}

# Pixels of colour $2 ("#RRGGBB") in the view of screenshot $1, taken with view_shot.
view_colour() { count_colour "$E2E_WORK/$1-view.png" "$2"; }

# The bounding box "LEFT RIGHT TOP BOTTOM" (in the window) of the dark pixels of window
# screenshot $1 in the $4 x $5 rectangle whose top-left corner is at $2,$3; empty when none.
dark_extent() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -threshold 35% txt:- |
    awk -F'[,: ]+' -v dx="$2" -v dy="$3" '
      !/#000000/ { next }
      !n++ { l = r = $1; t = b = $2; next }
      { if ($1 < l) l = $1; if ($1 > r) r = $1; if ($2 < t) t = $2; if ($2 > b) b = $2 }
      END { if (n) print l + dx, r + dx, t + dy, b + dy }'
}

# How many pixels differ between two screenshots of the same size.
changed_pixels() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 10% \
    -format '%[fx:round(mean*w*h)]' info:
}

# The text of the message window that has the keyboard, as it copies itself on Ctrl+C.
message_text() {
  keys ctrl+c
  xclip -o -selection clipboard 2>/dev/null || true
}

# Opens the damaged document through File > Open in the running window: the message, titled
# $2, names the file ($3) and the loader's reason ($4); once closed, the document before is
# on screen as it was, unchanged, and neither file was written. $1 numbers the screenshots.
open_damaged() {
  local number=$1 title=$2 first=$3 why=$4 dialog message text changed
  local doc_before damaged_before
  view_shot "$number-before-open"
  doc_before=$(md5sum <"$grid")
  damaged_before=$(md5sum <"$damaged")
  dialog=$(open_with_key "$main" ctrl+o "^(Open|Öffnen)") || fail "Ctrl+O opened no file dialog"
  accept_file_dialog "$dialog" "$damaged" "$title" || fail "no message about the damaged document"
  message=$(wait_window "$title" 5) || fail "no message about the damaged document"
  wait_active "$message" || fail "the keyboard is not in the message"
  shot "$number-damaged-message"
  text=$(message_text)
  step "the message: $(printf '%s' "$text" | tr '\n' ' ')"
  printf '%s' "$text" | grep -qF -- "$first" || fail "the message does not name the file"
  printf '%s' "$text" | grep -qF -- "$why" || fail "the message does not give the reason '$why'"
  keys Return
  wait_gone "$title" || fail "Enter did not close the message"
  wait_active "$main" || fail "the keyboard did not go back to the main window"
  wait_window "^HTML Quillgrid - $grid$" 2 >/dev/null ||
    fail "the caption is '$(xdotool getwindowname "$main")', not the document shown before"
  view_shot "$number-after-message"
  # The caret may blink in between: a few pixels may differ.
  changed=$(changed_pixels "$E2E_WORK/$number-before-open-view.png" \
    "$E2E_WORK/$number-after-message-view.png")
  step "pixels of the view that differ from before: $changed"
  [ "$changed" -le 100 ] || fail "the document on screen changed"
  [ "$(md5sum <"$grid")" = "$doc_before" ] || fail "the document shown before was written"
  [ "$(md5sum <"$damaged")" = "$damaged_before" ] || fail "the damaged document was written"
}

# The face fontconfig gives the grid for Tahoma, the face of new cells, under font
# configuration $1.
grid_family() { FONTCONFIG_FILE=$1 fc-match -f '%{family}' Tahoma | cut -d, -f1; }

# Opens the preview (titled $2) and asks its browser which face it drew the text of cell
# (1, 0), a cell in the default face, in; that must be the grid's face under font
# configuration $1. $3 numbers the screenshot.
check_preview_face() {
  local conf=$1 title=$2 number=$3 preview grid page
  preview=$(open_with_key "$main" ctrl+h "^$title$") || fail "Ctrl+H opened no preview"
  page=$(python3 "$here/page_fonts.py" "$debug_port" \
    'table table tr:first-child td:nth-child(2) font' /Temp.htm | head -n 1) ||
    fail "the preview's browser did not tell the face of the page"
  shot_window "$number-preview" "$preview"
  grid=$(grid_family "$conf")
  step "the grid's face: $grid; the preview's: $page"
  [ -n "$grid" ] && [ "${grid,,}" = "${page,,}" ] ||
    fail "the preview draws a default cell in $page, the grid in $grid"
  keys Escape
  wait_gone "^$title$" || fail "Esc did not close the preview"
  wait_active "$main" || fail "the keyboard did not go back to the main window"
}

# Ends the program with Exit; a document with unsaved changes would ask first and hold it up.
exit_app() {
  wait_active "$main" || fail "the keyboard is not in the main window"
  keys alt+x
  wait_exit "$E2E_APP" || fail "the program did not end on Exit (unsaved changes?)"
  E2E_APP=
}

# ---- 600 Tabs through a 30 x 30 table ---------------------------------------------------------
# Cell (0, 0) holds large blue text, cell (1, 0) text in the default face, and cell (0, 20),
# where 600 Tabs from (0, 0) end, is formatted red and bold (colour numbers are blue-green-red).
grid=$docs/grid.qgd
"$cli" new "$grid" --cols 30 --rows 30 || fail "quillgrid-cli new failed"
printf '%s\n' 'text 0 0 Top' 'text 1 0 Plain' 'select 0 0' 'format color=16711680 size=6 bold=1' \
  'select 0 20' 'format color=255 size=4 bold=1' 'select 0 0' >"$E2E_WORK/grid.script"
"$cli" apply "$grid" "$E2E_WORK/grid.script" || fail "quillgrid-cli apply failed"

# A document cut short: the loader's reason, as quillgrid-cli gives it, names the sizes.
damaged=$docs/damaged.qgd
head -c 3000 "$grid" >"$damaged"
reason=$("$cli" check "$damaged" 2>&1 | sed "s|^$damaged: ||") && fail "the damaged document loads"
step "the loader's reason: $reason"

step "600 Tabs in a 1000 x 500 window"
start_small "$grid"
view_shot 01-grid-start
[ "$(view_colour 01-grid-start "#0000FF")" -gt 200 ] || fail "cell (0, 0) does not show at the start"
xdotool key --repeat 600 --delay 5 Tab
# The current cell's dotted frame is drawn in its text colour.
view_shot 02-grid-tabbed
red=$(view_colour 02-grid-tabbed "#FF0000") blue=$(view_colour 02-grid-tabbed "#0000FF")
step "after the Tabs: red pixels $red, blue pixels $blue"
[ "$red" -gt 20 ] || fail "the view did not follow the Tabs: cell (0, 20) is not in view"
[ "$blue" -eq 0 ] || fail "the view did not scroll: cell (0, 0) still shows"
type_text "Hi Hi Hi"
view_shot 03-grid-typed
red=$(view_colour 03-grid-typed "#FF0000")
step "after typing: red pixels $red"
[ "$red" -gt 100 ] || fail "the text typed after 600 Tabs is not in view"
keys ctrl+s
wait_dump "$cli" "$grid" '"col":0,"row":20,"text":"Hi Hi Hi"' ||
  fail "the text did not land in cell (0, 20): not every Tab arrived"

step "a damaged document through File > Open"
open_damaged 04 "^Error!$" "Error opening file \"$damaged\"!" "$reason"
exit_app

# ---- A first click in a word; the caret at the end of a 3,000-character cell -------------------
long=$docs/long.qgd
prose=$(for _ in $(seq 1 67); do printf 'The quick brown fox jumps over the lazy dog. '; done)
prose=${prose% }
"$cli" new "$long" --cols 3 --rows 2 || fail "quillgrid-cli new failed"
printf '%s\n' 'text 1 0 mmmmmmmmmm' "text 0 1 $prose" >"$E2E_WORK/long.script"
"$cli" apply "$long" "$E2E_WORK/long.script" || fail "quillgrid-cli apply failed"

step "a click in the middle of a word"
start_small "$long"
eval "$(geometry "$main")"
view_shot 05-long-start
# A new cell's face is Tahoma, which the font box shows only when the font list has it: an
# unknown face leaves the box blank. The box's text lies at 38..158 x 63..79.
[ -n "$(dark_extent "$E2E_SHOTS/05-long-start.png" 38 63 120 16)" ] ||
  fail "the font box is blank for a new cell"
# The word's ink in the middle column's first row: nothing else there is dark (the lines
# between cells are light grey, and the caret is in cell (0, 0)).
read -r left right top bottom < <(dark_extent "$E2E_SHOTS/05-long-start.png" 340 90 300 30)
step "the word spans x $left..$right, y $top..$bottom"
[ -n "$left" ] && [ $((right - left)) -gt 40 ] || fail "the word does not show in cell (1, 0)"
# Ten equal letters: three tenths of the way in lies between the third and the fourth.
xdotool mousemove $((X + left + (right - left + 1) * 3 / 10)) $((Y + (top + bottom) / 2)) click 1
sleep 0.3
type_text "X"
view_shot 06-word-clicked

step "the caret at the end of a long cell"
# Into the top of the long cell, below the word's row.
xdotool mousemove $((X + 100)) $((Y + 200)) click 1
sleep 0.3
keys ctrl+End
view_shot 07-long-end
type_text " ENDMARK"
view_shot 08-long-typed
changed=$(changed_pixels "$E2E_WORK/07-long-end-view.png" "$E2E_WORK/08-long-typed-view.png")
step "pixels the marker changed in the view: $changed"
[ "$changed" -gt 150 ] || fail "the text typed at the end of the long cell is not in view"
keys ctrl+s
wait_dump "$cli" "$long" '"col":1,"row":0,"text":"mmmXmmmmmmm"' ||
  fail "the click did not put the caret between the third and fourth letter: $("$cli" dump "$long" | grep -o '"text":"m[^"]*"')"
wait_dump "$cli" "$long" '"col":0,"row":1,"text":"The quick[^"]* ENDMARK"' ||
  fail "the marker did not land at the end of the long cell"

step "the grid's and the preview's face for a default cell"
check_preview_face "$program_dir/fonts/quillgrid-fonts.conf" Preview 09
exit_app

# ---- In German, without the Tahoma of fonts-wine -------------------------------------------------
# The program's font configuration as on a machine without fonts-wine: the grid and the page
# must still draw a default cell in one face.
sed 's|/usr/share/wine/fonts|/nonexistent/wine/fonts|g' "$program_dir/fonts/quillgrid-fonts.conf" \
  >"$E2E_WORK/no-wine.conf"
step "German: the damaged document, and the preview without fonts-wine"
german_reason=$(sed -n 's/^whyshort = //p' "$program_dir/German.lng" | tr -d '\r')
read -r c r need has <<<"$(printf '%s\n' "$reason" | grep -oE '[0-9]+' | tr '\n' ' ')"
german_reason=${german_reason/\%1/$c}
german_reason=${german_reason/\%2/$r}
german_reason=${german_reason/\%3/$need}
german_reason=${german_reason/\%4/$has}
FONTCONFIG_FILE=$E2E_WORK/no-wine.conf start_small "$grid" German
open_damaged 10 "^Fehler$" "Die Datei „$damaged“ konnte nicht geöffnet werden." "$german_reason"
check_preview_face "$E2E_WORK/no-wine.conf" Vorschau 11
exit_app

echo "e2e: the view follows, clicks place the caret, refusals say why, one face; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
