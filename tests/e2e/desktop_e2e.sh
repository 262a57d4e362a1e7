#!/usr/bin/env bash
# The habits of a desktop program, in the real window under openbox: F1 shows the help page in
# the program's own help window; two documents saved come back from File > Recent Files, and one
# deleted since is marked missing and taken off with a message; Export as PDF writes the table's
# page as a PDF file whose text pdftotext reads back; in German, Qt's own colour dialog, file
# dialog and overwrite question speak German; Ctrl+Q quits and the settings keep the list.
# usage: desktop_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
program_dir=$(dirname "$app")
docs=$E2E_WORK/docs
settings=$XDG_CONFIG_HOME/Vantorel/"HTML Quillgrid.conf"
mkdir -p "$docs" "$(dirname "$settings")"
command -v pdftotext >/dev/null || fail "pdftotext is missing (scripts/test-deps.sh installs poppler-utils)"
cd "$docs"
start_display

# Waits for a window other than $1 to take the keyboard; prints its id.
wait_other_active() {
  local id
  for _ in $(seq 1 100); do
    id=$(xdotool getactivewindow 2>/dev/null || true)
    [ -n "$id" ] && [ "$id" != "$1" ] && { sleep 0.3; echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# Saves the document under $1 with Save As.
save_as() {
  local dialog
  dialog=$(open_with_key "$main" ctrl+shift+s "Save") || fail "Save As opened no dialog"
  accept_file_dialog "$dialog" "$1" "^HTML Quillgrid - $1$" || fail "the caption does not name $1"
  main=$(wait_window "^HTML Quillgrid - $1$")
  wait_active "$main" || fail "the keyboard is not back in the main window"
}

# Opens File > Recent Files from the keyboard (the entry above Exit); prints the submenu's id.
open_recent() {
  local file_menu
  file_menu=$(open_menu "$main" 1) || fail "the File menu did not open"
  keys Up Up Right
  wait_popup "$file_menu" || fail "Recent Files did not open"
}

# File > Export as PDF..., the fifth entry from the bottom (Exit, Recent Files, Print, Preview,
# PDF); prints the file dialog's id.
open_pdf_dialog() {
  open_menu "$main" 1 >/dev/null || fail "the File menu did not open"
  keys Up Up Up Up Up Return
  wait_other_active "$main" || fail "Export as PDF opened no dialog"
}

printf '[General]\nMaximized=false\nLanguage=%s\n' "$program_dir/English.lng" >"$settings"
"$app" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - " 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"

step "F1: the help window"
help=$(open_with_key "$main" F1 "^Help$") || fail "F1 opened no help window"
# The browser engine starts and paints the page: wait for the blue of its heading.
for _ in $(seq 1 40); do
  import -window "$help" "$E2E_SHOTS/01-help.png"
  [ "$(count_colour "$E2E_SHOTS/01-help.png" "#2F80ED")" -gt 200 ] && break
  sleep 0.5
done
shot_window 01-help "$help"
[ "$(count_colour "$E2E_SHOTS/01-help.png" "#2F80ED")" -gt 200 ] || fail "the help window shows no help page"
keys Escape
wait_gone "^Help$" || fail "Esc did not close the help window"
wait_active "$main" || fail "the keyboard did not come back from the help window"

step "two documents saved"
type_text "Alpha"
save_as "$docs/a.qgd"
templates=$(open_with_key "$main" ctrl+n "^Create From Template$") || fail "Ctrl+N opened no template dialog"
keys Return
wait_gone "^Create From Template$" || fail "the template dialog stayed"
main=$(wait_window "^HTML Quillgrid - .*Table.*\.qgd$") || fail "no new document"
wait_active "$main" || fail "the keyboard is not in the main window"
type_text "Beta"
save_as "$docs/b.qgd"

step "a.qgd again from File > Recent Files"
recent=$(open_recent)
shot 02-recent-files
keys 2
main=$(wait_window "^HTML Quillgrid - $docs/a.qgd$" 10) || fail "the second recent file did not open"
wait_active "$main" || fail "the keyboard is not in the main window"
"$cli" dump "$docs/a.qgd" | grep -q Alpha || fail "a.qgd does not hold Alpha"

step "a recent file deleted meanwhile"
rm "$docs/b.qgd"
recent=$(open_recent)
shot 03-recent-missing
keys 2
message=$(wait_other_active "$main") || fail "choosing the missing file showed no message"
shot_window 04-recent-gone "$message"
keys Return
wait_active "$main" || fail "the keyboard did not come back from the message"
[ "$(xdotool getwindowname "$main")" = "HTML Quillgrid - $docs/a.qgd" ] || fail "the document on screen changed"

step "Export as PDF"
dialog=$(open_pdf_dialog)
shot_window 05-pdf-dialog "$dialog"
keys ctrl+a
type_text "$docs/a.pdf"
sleep 1.5
keys Return
wait_active "$main" 3 || { keys Return; wait_active "$main" || fail "the PDF dialog did not close"; }
for _ in $(seq 1 50); do [ -s "$docs/a.pdf" ] && break; sleep 0.2; done
sleep 1
[ -s "$docs/a.pdf" ] || fail "no PDF was written"
pdftotext "$docs/a.pdf" - | grep -q "Alpha" || fail "the PDF does not hold the table's text: $(pdftotext "$docs/a.pdf" - | head -5)"
shot_window 06-pdf-written "$main"

step "German: Qt's own dialogs"
view=$(open_menu "$main" 3) || fail "the View menu did not open"
click_last_entry "$view"
languages=$(wait_popup "$view") || fail "the Language menu did not open"
sleep 0.3
shot 07-language-menu
# English, French, German: the files in alphabetical order, each named in its own language.
click_entry "$languages" 3 3
wait_active "$main" || fail "the keyboard is not in the main window"
shot_window 08-german-main "$main"
# The background colour swatch is the first thing on the cell tool bar, the second bar below the
# menu bar: the first run of ink along that bar's middle.
eval "$(geometry "$main" M_)"
swatch_x=$(ink_runs_x "$main" 62 16 3 | head -n 1)
[ -n "$swatch_x" ] || fail "no colour swatch on the cell tool bar"
xdotool mousemove "$swatch_x" $((M_Y + 70)) click 1
colour=$(wait_other_active "$main") || fail "the swatch opened no colour dialog"
shot_window 09-german-colour-dialog "$colour"
title=$(xdotool getwindowname "$colour")
step "colour dialog: $title"
case "$title" in *Farb*) ;; *) fail "the colour dialog's title is not German: $title" ;; esac
keys Escape
wait_active "$main" || fail "the keyboard did not come back from the colour dialog"

dialog=$(open_pdf_dialog)
shot_window 10-german-file-dialog "$dialog"
keys ctrl+a
type_text "$docs/a.pdf"
sleep 1.5
keys Return
question=$(wait_other_active "$dialog") || fail "no question about the existing file"
[ "$question" = "$main" ] && fail "the PDF dialog did not ask before replacing a.pdf"
shot_window 11-german-overwrite "$question"
# "No": the dialog stays for another name; Esc then cancels it.
keys Escape
wait_active "$dialog" || fail "the keyboard did not come back to the file dialog"
keys Escape
wait_active "$main" || fail "the keyboard did not come back from the file dialog"

step "Ctrl+Q"
keys ctrl+q
wait_exit "$E2E_APP" || fail "Ctrl+Q did not end the program"
E2E_APP=
grep -q "^RecentFile1=$docs/a.qgd$" "$settings" || fail "the settings do not keep a.qgd first: $(grep Recent "$settings")"
grep -q "b.qgd" "$settings" && fail "the settings still list the missing b.qgd"
echo "e2e: desktop passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
