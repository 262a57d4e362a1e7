# Shared helpers of the end-to-end checks: a private X display with a window manager, the
# program under test, and small waits on its windows. Sourced by the check scripts.
#
# Keys go where the window manager and the program put the focus, as for a user: no check
# moves the focus by hand between steps.

set -euo pipefail

E2E_WORK=$(mktemp -d /tmp/quillgrid-e2e.XXXXXX)
E2E_SHOTS=${QG_E2E_SHOTS:-$E2E_WORK/shots}
mkdir -p "$E2E_SHOTS"
export HOME=$E2E_WORK/home XDG_CONFIG_HOME=$E2E_WORK/config XDG_DATA_HOME=$E2E_WORK/data
export XDG_RUNTIME_DIR=$E2E_WORK/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

fail() {
  echo "e2e: FAILED: $*" >&2
  shot "failure" || true
  exit 1
}

step() { echo "e2e: $*" >&2; }

# Screenshot of the whole screen into the shots folder.
shot() { import -window root "$E2E_SHOTS/$1.png"; }

# Waits (up to $2 seconds, default 20) for a window whose name matches $1; prints its id.
wait_window() {
  local pattern=$1 limit=${2:-20} id=""
  for _ in $(seq 1 $((limit * 5))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | tail -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# Waits until no visible window matches $1.
wait_gone() {
  local pattern=$1
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

# Window $1's place on the screen and size as shell assignments X= Y= WIDTH= HEIGHT=, each
# name prefixed with $2. Read from the server: xdotool counts a frame's decoration twice.
geometry() {
  xwininfo -id "$1" | awk -v p="${2:-}" '
    /Absolute upper-left X/ { print p "X=" $NF }
    /Absolute upper-left Y/ { print p "Y=" $NF }
    /^ *Width:/ { print p "WIDTH=" $NF }
    /^ *Height:/ { print p "HEIGHT=" $NF }'
}

# Waits (up to $2 seconds, default 10) until the window manager has made window $1 the active
# window: a window that shows takes the keyboard, and a closed dialog hands it back.
wait_active() {
  local limit=${2:-10}
  for _ in $(seq 1 $((limit * 10))); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && { sleep 0.2; return 0; }
    sleep 0.1
  done
  step "window $1 is not active: $(xdotool getactivewindow getwindowname 2>/dev/null || echo none) is"
  return 1
}

keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.3; }

# Types a path into a focused file dialog and accepts it; waits for the main window's caption
# to match $3. The name field's completion list shows up a moment after typing and may take
# the first Return; the dialog then takes the second.
accept_file_dialog() {
  local path=$2 expected=$3
  keys ctrl+a
  type_text "$path"
  sleep 1.5
  keys Return
  wait_window "$expected" 3 >/dev/null && return 0
  keys Return
  wait_window "$expected" 10 >/dev/null
}

# Counts the pixels of one colour ("#RRGGBB") in a PNG.
count_colour() { convert "$1" txt:- | grep -ci " $2 " || true; }

# A private X display with Debian's openbox managing its windows, as on a desktop: it decorates
# them, gives a window that shows the keyboard and hands it back when a dialog closes.
start_display() {
  if [ -z "${E2E_DISPLAY_STARTED:-}" ]; then
    # Two servers starting at once can take the same display number from each other: the
    # checks of several worktrees start theirs one at a time. The server picks a free number
    # and writes it once it takes connections.
    local number=$E2E_WORK/display fd lock
    exec {lock}>/tmp/quillgrid-e2e-display.lock
    flock "$lock"
    exec {fd}>"$number"
    Xvfb -displayfd "$fd" -screen 0 1280x900x24 -nolisten tcp {lock}>&- >/dev/null 2>&1 &
    E2E_XVFB=$!
    exec {fd}>&-
    for _ in $(seq 1 200); do [ -s "$number" ] && break; sleep 0.1; done
    [ -s "$number" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$number")"
    # The window manager manages windows once it has announced itself on the root window. Now
    # and then, on a busy machine, it cannot open the new display at its first try.
    local try
    for try in 1 2 3 4 5; do
      openbox --sm-disable {lock}>&- >"$E2E_WORK/openbox.log" 2>&1 &
      E2E_WM=$!
      for _ in $(seq 1 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break 2
        kill -0 "$E2E_WM" 2>/dev/null || break
        sleep 0.1
      done
      step "the window manager did not start (try $try): $(cat "$E2E_WORK/openbox.log")"
      sleep 0.5
    done
    exec {lock}>&-
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
      fail "the window manager did not start: $(cat "$E2E_WORK/openbox.log")"
    E2E_DISPLAY_STARTED=1
  fi
}

# The preview's browser answers questions about its page on a free port of this machine; the
# program takes it from the environment.
open_debug_port() {
  debug_port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  export QTWEBENGINE_REMOTE_DEBUGGING=127.0.0.1:$debug_port
}

cleanup() {
  [ -n "${E2E_APP:-}" ] && kill "$E2E_APP" 2>/dev/null || true
  [ -n "${E2E_WM:-}" ] && kill "$E2E_WM" 2>/dev/null || true
  if [ -n "${E2E_XVFB:-}" ]; then
    # A server that is still ending removes the sockets of its display number, which the next
    # server may have taken already: no server starts until this one has ended.
    local lock
    exec {lock}>/tmp/quillgrid-e2e-display.lock
    flock "$lock"
    kill "$E2E_XVFB" 2>/dev/null && wait "$E2E_XVFB" 2>/dev/null
    exec {lock}>&-
  fi
  sleep 0.3
  [ -n "${QG_E2E_KEEP:-}" ] || rm -rf "$E2E_WORK"
}
trap cleanup EXIT

# ---- Dialogs, menus and languages ---------------------------------------------------------

# Screenshot of one window into the shots folder, taken once two captures in a row are equal:
# a dialog paints its controls a moment after it maps.
shot_window() {
  local name=$1 id=$2 previous="" current
  for _ in $(seq 1 25); do
    sleep 0.3
    current=$(import -window "$id" ppm:- 2>/dev/null | md5sum) || continue
    [ "$current" = "$previous" ] && break
    previous=$current
  done
  import -window "$id" "$E2E_SHOTS/$name.png"
}

# Opens a window with a key on window $1, which has the keyboard, and waits until a window
# titled $3 shows and has the keyboard; prints its id.
open_with_key() {
  local owner=$1 key=$2 title=$3 id
  wait_active "$owner" || return 1
  keys "$key"
  id=$(wait_window "$title" 20) || return 1
  wait_active "$id" || return 1
  echo "$id"
}

# Waits for a drop-down menu of the program other than the ids given; prints its id. Menus are
# found by the program's window class and by their being pop-ups (override-redirect): their
# name may be set a while after they show.
wait_popup() {
  local id
  for _ in $(seq 1 100); do
    for id in $(xdotool search --onlyvisible --class quillgrid 2>/dev/null); do
      case " $* " in *" $id "*) continue ;; esac
      xwininfo -id "$id" 2>/dev/null | grep -q "Override Redirect State: yes" || continue
      echo "$id"
      return 0
    done
    sleep 0.2
  done
  return 1
}

# The screen x of the centre of each run of ink along the strip of window $1 that starts $2
# pixels below its top and is $3 pixels high, one a line; ink closer than $4 pixels is one run.
ink_runs_x() {
  local X Y WIDTH HEIGHT
  eval "$(geometry "$1")"
  import -window "$1" ppm:- 2>/dev/null |
    convert - -crop "${WIDTH}x$3+0+$2" +repage -colorspace gray -scale "${WIDTH}x1!" txt:- |
    awk -F'[,:() ]+' -v left="$X" -v gap="$4" '
      BEGIN { start = -1 }
      /^#/ { next }
      bg == "" { bg = $3 }
      $3 + 0 < bg - 2000 {
        if (start >= 0 && $1 - last > gap) print left + int((start + last) / 2)
        if (start < 0 || $1 - last > gap) start = $1
        last = $1
      }
      END { if (start >= 0) print left + int((start + last) / 2) }'
}

# The screen x of the centre of each title in the menu bar of main window $1, found from a
# screenshot of the bar: titles are single words with wide gaps between them.
menu_titles_x() { ink_runs_x "$1" 3 12 8; }

# Clicks title $2 (1 = first) of the menu bar of main window $1; prints the menu's id.
open_menu() {
  local x y
  x=$(menu_titles_x "$1" | sed -n "${2}p")
  [ -n "$x" ] || return 1
  eval "$(geometry "$1" M_)"
  xdotool mousemove "$x" $((M_Y + 9)) click 1
  wait_popup
}

# The box "WIDTH HEIGHT X Y" of colour $3 in screenshot $1 of window $2, below the tool bars
# (whose colour buttons show the current cell's colours), in the window's coordinates.
colour_box() {
  local top=90
  shot_window "$1" "$2"
  convert "$E2E_SHOTS/$1.png" -crop "+0+$top" +repage -fill black +opaque "$3" -fill white -opaque "$3" -trim \
    -format '%w %h %X %Y' info: | tr -d '+' | awk -v top="$top" '{print $1, $2, $3, $4 + top}'
}

# The tops of the rows in a column of one colour $2, box "WIDTH HEIGHT X Y" $3 (colour_box's
# answer) of screenshot $1, one a line, and last the column's bottom: below each line across
# the column (the current cell's dotted outline lies within 4 pixels of its edge, the text in
# the middle of the cell, so the scan runs 14 pixels in).
row_tops() {
  local w h x y
  read -r w h x y <<<"$3"
  echo "$y"
  convert "$E2E_SHOTS/$1.png" -crop "1x$((h - 8))+$((x + 14))+$((y + 4))" txt:- |
    awk -F'[ ,:]+' -v top="$((y + 4))" -v colour="$2" 'NR > 1 && index($0, colour) == 0 {print $2 + top}' |
    awk 'BEGIN {last = -10} {if ($1 > last + 1) print $1 + 1; last = $1}'
  echo $((y + h))
}

# The texts of column $3 of document $2, row by row, joined by "|", as quillgrid-cli $1 reads them.
column_texts() {
  "$1" dump "$2" | python3 -c "
import json, sys
d = json.load(sys.stdin)
cells = {(c['col'], c['row']): c['text'] for c in d['cells']}
print('|'.join(cells.get(($3, r), '') for r in range(d['rowCount'])))"
}

# Clicks entry $2 of $3 evenly spaced entries of pop-up $1 (no separators among them).
click_entry() {
  local X Y WIDTH HEIGHT
  eval "$(geometry "$1")"
  xdotool mousemove $((X + 40)) $((Y + HEIGHT * (2 * $2 - 1) / (2 * $3))) click 1
  sleep 0.3
}

# Clicks the last entry of pop-up $1.
click_last_entry() {
  local X Y WIDTH HEIGHT
  eval "$(geometry "$1")"
  xdotool mousemove $((X + 40)) $((Y + HEIGHT - 12)) click 1
  sleep 0.3
}

# Waits until process $1 has ended.
wait_exit() {
  for _ in $(seq 1 75); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.2; done
  return 1
}

# Waits until `quillgrid-cli dump` of file $2 matches the extended regular expression $3
# (the file is written a moment after the key that saves it); $1 is quillgrid-cli.
wait_dump() {
  for _ in $(seq 1 50); do
    "$1" dump "$2" 2>/dev/null | grep -Eq -- "$3" && return 0
    sleep 0.2
  done
  return 1
}
