#!/usr/bin/env bash
# The editor as a screen reader finds it: under Xvfb and openbox, with a D-Bus session bus and
# the AT-SPI registry on it, a11y_check.py reads the running program through pyatspi (the
# table, its cells and spans, the focus on Tab, Insert Row, the names of the controls).
# usage: accessibility_e2e.sh PATH/TO/quillgrid PATH/TO/quillgrid-cli
source "$(dirname "$0")/lib.sh"
app=$(realpath "$1")
cli=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
program_dir=$(dirname "$app")
docs=$E2E_WORK/docs
settings=$XDG_CONFIG_HOME/Vantorel/"HTML Quillgrid.conf"
mkdir -p "$docs" "$(dirname "$settings")"
# pyatspi is Debian's: a python3 of its own elsewhere on the path does not have it.
python=python3
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null && python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is missing (scripts/test-deps.sh installs it)"
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -n 1 || true)
[ -n "$launcher" ] || fail "the AT-SPI bus launcher is missing (scripts/test-deps.sh installs at-spi2-core)"
cd "$docs"
start_display

# 5 x 4 with three merged cells, one of them 2 x 2; each cell's text says where it is.
doc=$docs/merged.qgd
"$cli" new "$doc" --cols 5 --rows 4
{
  echo "merge 1 1 1 1"; echo "merge 3 0 1 0"; echo "merge 3 3 1 0"
  for r in 0 1 2 3; do for c in 0 1 2 3 4; do
    case "$c,$r" in 2,1 | 1,2 | 2,2 | 4,0 | 4,3) continue ;; esac  # covered
    echo "text $c $r r$((r + 1))c$((c + 1))"
  done; done
  echo "select 0 0"
} >"$E2E_WORK/merged.script"
"$cli" apply "$doc" "$E2E_WORK/merged.script"

printf '[General]\nMaximized=false\nLanguage=%s\n' "$program_dir/English.lng" >"$settings"
# A session bus of its own, the accessibility bus beside it, and the program told to speak.
eval "$(dbus-launch --sh-syntax)"
E2E_DBUS=$DBUS_SESSION_BUS_PID
trap 'kill "$E2E_DBUS" 2>/dev/null || true; kill "${E2E_ATSPI:-}" 2>/dev/null || true; cleanup' EXIT
"$launcher" --launch-immediately >"$E2E_WORK/atspi.log" 2>&1 &
E2E_ATSPI=$!
sleep 1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
"$app" "$doc" >>"$E2E_WORK/app.log" 2>&1 &
E2E_APP=$!
main=$(wait_window "^HTML Quillgrid - $doc$" 30) || fail "the main window did not appear"
wait_active "$main" || fail "the keyboard is not in the main window"
sleep 1
shot 01-start
"$python" "$here/a11y_check.py" "$cli" "$doc" || { shot 02-end; fail "the accessibility check failed (above)"; }
shot 02-end
step "passed"
