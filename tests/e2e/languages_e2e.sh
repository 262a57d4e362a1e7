#!/usr/bin/env bash
# Drives the real editor under Xvfb through its languages and its template dialog: German and
# French chosen from View > Language with every window shown in each, the language kept over a
# restart, English again, and a document started from a template with a double-click.
# usage: languages_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
program_dir=$(dirname "$app")
docs=$E2E_WORK/docs
mkdir -p "$docs"
rm -f "$program_dir/Temp.htm"

start_display
cd "$docs"

start_app() {
  "$app" >>"$E2E_WORK/app.log" 2>&1 &
  E2E_APP=$!
  main=$(wait_window "^HTML Quillgrid - Table.qgd$" 30) || fail "the main window did not appear"
  wait_active "$main" || fail "the keyboard is not in the main window"
  # Give the first paint and the tool bars a moment.
  shot_window startup "$main"
}

# The position of a language in the Language menu, which lists the *.lng files beside the
# program in alphabetical order regardless of case; and how many there are.
language_index() { (cd "$program_dir" && ls -- *.lng | LC_ALL=C sort -f | grep -nx "$1.lng" | cut -d: -f1); }
language_count() { (cd "$program_dir" && ls -- *.lng | wc -l); }

# Chooses a language from View > Language with the mouse; $2 names the screenshot.
choose_language() {
  local language=$1 name=$2 menu submenu
  menu=$(open_menu "$main" 3) || fail "the View menu did not open"
  click_last_entry "$menu"
  submenu=$(wait_popup "$menu") || fail "the Language menu did not open"
  sleep 0.3
  shot "$name-language-menu"
  click_entry "$submenu" "$(language_index "$language")" "$(language_count)"
  for _ in $(seq 1 25); do
    xwininfo -id "$menu" 2>/dev/null | grep -q IsViewable || break
    sleep 0.2
  done
  wait_active "$main" || fail "the keyboard is not in the main window"
}

# Opens a window with a key, screenshots it once painted and closes it with Esc.
show_and_close() {
  local key=$1 title=$2 name=$3 id
  id=$(open_with_key "$main" "$key" "$title") || fail "$key opened no window titled $title"
  shot_window "$name" "$id"
  keys Escape
  wait_gone "$title" || fail "Esc did not close $title"
}

# Every window of the program in the current language; $1 prefixes the screenshots, the
# rest are the titles of Table Properties, Cell Properties, Insert Link, the template dialog,
# the preview and About.
show_every_window() {
  local prefix=$1 tp=$2 cp=$3 link=$4 templates=$5 preview=$6 about=$7 menu id
  step "every window: $prefix"
  wait_active "$main" || fail "the keyboard is not in the main window"
  shot_window "$prefix-01-main" "$main"
  menu=$(open_menu "$main" 1) || fail "the File menu did not open"
  sleep 0.3
  shot "$prefix-02-file-menu"
  keys Escape
  menu=$(open_menu "$main" 4) || fail "the Table menu did not open"
  sleep 0.3
  shot "$prefix-03-table-menu"
  keys Escape
  wait_active "$main" || fail "the keyboard is not in the main window"
  show_and_close ctrl+t "$tp" "$prefix-04-table-properties"
  show_and_close ctrl+shift+c "$cp" "$prefix-05-cell-properties"

  menu=$(open_menu "$main" 2) || fail "the Edit menu did not open"
  sleep 0.3
  shot "$prefix-06-edit-menu"
  click_last_entry "$menu"
  id=$(wait_window "$link" 10) || fail "the Edit menu opened no window titled $link"
  wait_active "$id" || fail "the keyboard is not in the window"
  shot_window "$prefix-07-insert-link" "$id"
  keys Escape
  wait_gone "$link" || fail "Esc did not close $link"

  id=$(open_with_key "$main" ctrl+n "$templates") || fail "Ctrl+N opened no $templates"
  keys Down
  shot_window "$prefix-08-templates" "$id"
  keys Escape
  wait_gone "$templates" || fail "Esc did not close $templates"

  id=$(open_with_key "$main" ctrl+h "^$preview$") || fail "Ctrl+H opened no $preview"
  # The browser engine starts and renders the page: wait for the table's frame to show.
  for _ in $(seq 1 40); do
    import -window "$id" "$E2E_SHOTS/$prefix-09-preview.png"
    [ "$(count_colour "$E2E_SHOTS/$prefix-09-preview.png" "#808080")" -gt 100 ] && break
    sleep 0.5
  done
  shot_window "$prefix-09-preview" "$id"
  keys Escape
  wait_gone "^$preview$" || fail "Esc did not close $preview"

  show_and_close ctrl+F1 "$about" "$prefix-10-about"
  [ -f "$program_dir/Temp.htm" ] && fail "Temp.htm was left behind"
  return 0
}

start_app
english_titles=$(menu_titles_x "$main")
step "English menu titles at" $english_titles

step "German"
choose_language German de
show_every_window de "^Tabelleneigenschaften$" "^Zelleneigenschaften$" "^Link einfügen$" \
  "^Neu aus Vorlage$" Vorschau "^Über HTML Quillgrid$"
german_titles=$(menu_titles_x "$main")
[ "$german_titles" != "$english_titles" ] || fail "the menu bar did not change for German"

step "French"
choose_language French fr
show_every_window fr "^Propriétés du tableau$" "^Propriétés de la cellule$" \
  "^Insérer un lien$" "^Nouveau à partir d'un modèle$" Aperçu "^À propos de HTML Quillgrid$"
french_titles=$(menu_titles_x "$main")
[ "$french_titles" != "$german_titles" ] || fail "the menu bar did not change for French"

step "restart"
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
grep -rqs "French.lng" "$XDG_CONFIG_HOME" || fail "the settings do not name French.lng"
start_app
shot_window restart-french "$main"
[ "$(menu_titles_x "$main")" = "$french_titles" ] || fail "the menu bar is not French after a restart"
show_and_close ctrl+t "^Propriétés du tableau$" restart-table-properties

step "English"
choose_language English en
[ "$(menu_titles_x "$main")" = "$english_titles" ] || fail "the menu bar is not English again"
show_and_close ctrl+t "^Table Properties$" en-table-properties
shot_window en-main "$main"

step "a document from a template"
templates=$(open_with_key "$main" ctrl+n "^Create From Template$") || fail "Ctrl+N opened no template dialog"
shot_window templates-1-empty "$templates"
keys Down
shot_window templates-2-highlighted "$templates"
# The right half shows the highlighted template: it differs from the empty table's.
changed=$(compare -metric AE "$E2E_SHOTS/templates-1-empty.png" "$E2E_SHOTS/templates-2-highlighted.png" \
  null: 2>&1 || true)
step "the live preview changed $changed pixels"
[ "${changed%%.*}" -gt 2000 ] || fail "the live preview did not show the highlighted template"
# The highlighted row is the first template; a double-click on the row below it opens the
# second template in alphabetical order.
read -r top bottom < <(convert "$E2E_SHOTS/templates-2-highlighted.png" -crop 1x400+13+0 +repage txt:- |
  awk -F'[,: ]+' '/#308CC6/ { if (top == "") top = $2; bottom = $2 } END { print top, bottom }')
[ -n "$top" ] || fail "no highlighted row in the template list"
template=$(cd "$program_dir/Templates" && ls | LC_ALL=C sort -f | sed -n 2p)
eval "$(geometry "$templates" T_)"
step "highlighted rows $top..$bottom; double-click on $template"
xdotool mousemove $((T_X + 60)) $((T_Y + bottom + (bottom - top) / 2 + 1)) click --repeat 2 --delay 80 1
wait_gone "^Create From Template$" || fail "the double-click did not close the template dialog"
main=$(wait_window "^HTML Quillgrid - .*Table.qgd$" 10) || fail "no new document"
shot_window templates-3-new-document "$main"

doc=$docs/from-template.qgd
dialog=$(open_with_key "$main" ctrl+shift+s "Save") || fail "no save dialog"
accept_file_dialog "$dialog" "$doc" "^HTML Quillgrid - $doc$" || fail "caption does not show the saved file"
main=$(wait_window "^HTML Quillgrid - $doc$")
wait_dump "$cli" "$doc" '"colCount"' || fail "nothing was saved"
[ "$("$cli" dump "$doc")" = "$("$cli" dump "$program_dir/Templates/$template")" ] ||
  fail "the new document is not the template $template"

step "exit"
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
wait_exit "$E2E_APP" || fail "the program did not end on Exit"
E2E_APP=
echo "e2e: languages passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
