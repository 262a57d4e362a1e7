#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed copy as a user meets it:
# every file in its place, the menu entry valid, the editor started through PREFIX/bin by a
# user who cannot write the program folder, the preview page kept in that user's runtime
# folder while the preview shows and removed after it closes, quillgrid-cli from the prefix
# exporting a shipped template, and the desktop knowing documents and templates by their file
# type and opening them with the menu entry.
# usage: install_e2e.sh BUILD_DIR SOURCE_DIR
source "$(dirname "$0")/lib.sh"
build=$(realpath "$1")
source_dir=$(realpath "$2")
prefix=$E2E_WORK/prefix
program_dir=$prefix/lib/html-quillgrid
template="$program_dir/Templates/Price List.qgt"

# The program folder is made read-only for an unprivileged run; give it back before removal.
install_cleanup() {
  chmod -R u+w "$E2E_WORK" 2>/dev/null || true
  cleanup
}
trap install_cleanup EXIT

step "install into $prefix"
cmake --install "$build" --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 ||
  { cat "$E2E_WORK/install.log" >&2; fail "cmake --install failed"; }

step "the installed files"
for f in quillgrid English.lng German.lng French.lng help/index.htm fonts/quillgrid-fonts.conf; do
  [ -f "$program_dir/$f" ] || fail "$f is missing from the program folder"
done
[ -x "$program_dir/quillgrid" ] || fail "the program is not executable"
[ -f "$template" ] || fail "the Price List template is missing"
templates=$(find "$program_dir/Templates" -name '*.qgt' | wc -l)
[ "$templates" -ge 4 ] || fail "only $templates templates installed"
link=$(readlink "$prefix/bin/quillgrid") || fail "bin/quillgrid is not a symbolic link"
case $link in /*) fail "bin/quillgrid points to the absolute path $link" ;; esac
[ "$(realpath "$prefix/bin/quillgrid")" = "$(realpath "$program_dir/quillgrid")" ] ||
  fail "bin/quillgrid points to $link, not to the program"
[ -x "$prefix/bin/quillgrid-cli" ] || fail "bin/quillgrid-cli is missing"
[ -e "$program_dir/quillgrid-cli" ] && fail "quillgrid-cli is also in the program folder"

entry=$prefix/share/applications/html-quillgrid.desktop
desktop-file-validate "$entry" || fail "the menu entry does not validate"
grep -qx 'Exec=quillgrid %f' "$entry" || fail "the menu entry does not run quillgrid on a file"
grep -qx 'Icon=html-quillgrid' "$entry" || fail "the menu entry names another icon"
icons=$prefix/share/icons/hicolor
cmp -s "$icons/scalable/apps/html-quillgrid.svg" "$source_dir/resources/icons/app.svg" ||
  fail "the scalable icon is not the program's SVG"
for size in 16 24 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/html-quillgrid.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%m %wx%h' "$png")" = "PNG ${size}x${size}" ] ||
    fail "the ${size}x${size} icon is $(identify -format '%m %wx%h' "$png")"
  # A blank render would be fully transparent.
  [ "$(convert "$png" -alpha extract -format '%[fx:maxima]' info:)" != 0 ] ||
    fail "the ${size}x${size} icon is empty"
done

# The user: as root, "nobody" (the program folder stays root's); otherwise this user, with
# the program folder made read-only.
user_home=$E2E_WORK/user
mkdir -p "$user_home"/{home,config,data,cache,runtime,tmp,docs}
chmod 700 "$user_home/runtime"
chmod -R a+rX,go-w "$prefix"
if [ "$(id -u)" -eq 0 ]; then
  chmod 755 "$E2E_WORK"
  chown -R nobody: "$user_home"
  as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
  step "running the editor as nobody"
else
  chmod -R a-w "$program_dir"
  as_user=()
  step "running the editor as $(id -un) with a read-only program folder"
fi
start_display
user_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY"
  HOME="$user_home/home" XDG_CONFIG_HOME="$user_home/config" XDG_DATA_HOME="$user_home/data"
  XDG_CACHE_HOME="$user_home/cache" XDG_RUNTIME_DIR="$user_home/runtime" TMPDIR="$user_home/tmp")
as() { "${as_user[@]}" "${user_env[@]}" "$@"; }

as test -w "$program_dir" && fail "the user can write the program folder"
as test -w "$program_dir/Templates" && fail "the user can write the Templates folder"

step "quillgrid-cli from the prefix exports a shipped template"
as "$prefix/bin/quillgrid-cli" export "$template" - >"$E2E_WORK/price-list.htm" ||
  fail "quillgrid-cli export failed"
grep -aq '<TITLE>Price List</TITLE>' "$E2E_WORK/price-list.htm" || fail "the page lacks its title"
grep -aq 'Espresso' "$E2E_WORK/price-list.htm" || fail "the page lacks the template's text"
tail -c 9 "$E2E_WORK/price-list.htm" | grep -aq $'</HTML>\r' || fail "the page is cut short"
"$build/quillgrid-cli" export "$build/Templates/Price List.qgt" - |
  cmp -s - "$E2E_WORK/price-list.htm" || fail "the installed template differs from the built one"

step "start the installed editor through bin/quillgrid"
cd "$user_home/docs"
as "$prefix/bin/quillgrid" >"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - " 30) || fail "the main window did not appear"
sleep 1
# A language file not found beside the program would bring up an error message at start.
xdotool search --onlyvisible --name '^(Error|Warning)!?$' >/dev/null 2>&1 &&
  fail "a message appeared at start-up"
shot 01-installed-start

step "type into the first cell and preview"
wait_active "$main" || fail "the keyboard is not in the main window"
type_text "Installed copy"
keys ctrl+h
preview=$(wait_window "^Preview$" 30) || fail "no preview window"
page=""
for candidate in "$user_home/runtime/Temp.htm" "$user_home/tmp/Temp.htm"; do
  [ -f "$candidate" ] && page=$candidate
done
[ -n "$page" ] || fail "no page file in the user's runtime or temporary folder"
step "the page while the preview shows: $page"
[ -e "$program_dir/Temp.htm" ] && fail "a page file in the program folder"
grep -aq 'Installed copy' "$page" || fail "the page file lacks the typed text"
sleep 6  # the browser engine starts and renders the page
import -window "$preview" "$E2E_SHOTS/02-installed-preview.png"
frame=$(count_colour "$E2E_SHOTS/02-installed-preview.png" "#808080")
lines=$(count_colour "$E2E_SHOTS/02-installed-preview.png" "#C0C0C0")
step "preview pixels: frame $frame, cell lines $lines"
[ "$frame" -gt 100 ] && [ "$lines" -gt 100 ] || fail "the browser does not show the page"

wait_active "$preview" || fail "the keyboard is not in the preview"
keys Escape
wait_gone "^Preview$" || fail "Esc did not close the preview"
sleep 0.5
[ -e "$page" ] && fail "the page file was left behind in $(dirname "$page")"

step "exit"
wait_active "$main" || fail "the keyboard is not in the main window"
keys alt+x
# The typed table was never saved: answer No to the question about it.
question=$(wait_window "^Warning$" 10) || fail "no question about the unsaved table"
wait_active "$question" || fail "the keyboard is not in the question"
keys n
for _ in $(seq 1 50); do kill -0 "$E2E_APP" 2>/dev/null || break; sleep 0.2; done
kill -0 "$E2E_APP" 2>/dev/null && fail "the program did not end on Exit"
E2E_APP=
# The program found its folder through the link: the language it stored is the one there.
grep -qx "Language=$program_dir/English.lng" "$user_home/config/Vantorel/HTML Quillgrid.conf" ||
  fail "the program did not take $program_dir as its folder"
leftover=$(find "$prefix" -newer "$E2E_WORK/install.log" ! -type d | head -n 1)
[ -z "$leftover" ] || fail "the run left $leftover in the prefix"

step "the font configuration beside the program"
# It makes the face of new cells, Tahoma, a face of its own in the grid, the font box and
# the preview alike.
for style in Regular Bold; do
  face=$(FONTCONFIG_FILE=$program_dir/fonts/quillgrid-fonts.conf \
    fc-match -f '%{family[0]} %{style[0]}' "Tahoma:style=$style")
  step "Tahoma $style: $face"
  [ "$face" = "Tahoma $style" ] || fail "Tahoma $style is $face with the program's font configuration"
done

step "file types: what the desktop makes of a document and a template"
[ -f "$prefix/share/mime/packages/html-quillgrid.xml" ] || fail "the file types are not installed"
# What the package tools run after an install, here into the prefix's own indexes (the prefix
# is checked for files the editor left before this).
update-mime-database "$prefix/share/mime" || fail "the file types do not index"
update-desktop-database "$prefix/share/applications" || fail "the menu entry does not index"
desktop=(env -i PATH=/usr/bin:/bin HOME="$user_home/home" XDG_CONFIG_HOME="$user_home/config"
  XDG_DATA_HOME="$user_home/data" XDG_DATA_DIRS="$prefix/share:/usr/share")
as "$prefix/bin/quillgrid-cli" new "$user_home/docs/report.qgd" || fail "quillgrid-cli new failed"
for file in "$user_home/docs/report.qgd:application/x-quillgrid-document" \
  "$template:application/x-quillgrid-template"; do
  type=$("${desktop[@]}" xdg-mime query filetype "${file%:*}") || fail "xdg-mime failed on ${file%:*}"
  step "$(basename "${file%:*}"): $type"
  [ "$type" = "${file##*:}" ] || fail "$(basename "${file%:*}") is $type to the desktop"
  opener=$("${desktop[@]}" xdg-mime query default "$type") || fail "xdg-mime failed on $type"
  [ "$opener" = html-quillgrid.desktop ] || fail "$type opens with '$opener'"
done

echo "e2e: install flow passed; screenshots in $E2E_SHOTS" >&2
echo "1 passed, 0 failed"
