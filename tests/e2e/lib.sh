# Shared helpers of the end-to-end checks: a private X display, the program under test, and
# small waits on its windows. Sourced by the check scripts.

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

# Gives the keyboard to a window (there is no window manager to do it).
focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }

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

start_display() {
  if [ -z "${E2E_DISPLAY_STARTED:-}" ]; then
    local n
    for n in $(seq 91 120); do
      [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    E2E_XVFB=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    E2E_DISPLAY_STARTED=1
  fi
}

cleanup() {
  [ -n "${E2E_APP:-}" ] && kill "$E2E_APP" 2>/dev/null || true
  [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2>/dev/null || true
  sleep 0.3
  [ -n "${QG_E2E_KEEP:-}" ] || rm -rf "$E2E_WORK"
}
trap cleanup EXIT
