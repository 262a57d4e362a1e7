#!/usr/bin/env bash
# The folders' direction of use, as the includes show it: the core and the formats never
# include the grid, the windows or the shell; the grid never the windows or the shell; and
# nothing below the windows uses Qt Widgets. Prints each offending line and fails.
set -u
cd "$1" || exit 2
status=0
check() {
  local what=$1; shift
  local hits
  hits=$(git grep -n "$@" 2>/dev/null)
  if [ -n "$hits" ]; then
    printf '%s:\n%s\n' "$what" "$hits"
    status=1
  fi
}
check "core, formats or tools include the grid, the windows or the shell" \
  '#include "\(grid\|ui\|dialogs\|app\)/' -- core formats tools
check "the grid includes the windows or the shell" '#include "\(ui\|dialogs\|app\)/' -- grid
check "import and export include each other" '#include "formats/export/' -- formats/import
check "import and export include each other" '#include "formats/import/' -- formats/export
check "core includes the formats" '#include "formats/' -- core
check "ui includes the windows or the shell" '#include "\(dialogs\|app\)/' -- ui
check "the windows include the shell" '#include "app/' -- dialogs
check "the core or the formats use widgets" 'QtWidgets\|<QWidget\|<QApplication' -- core formats
exit $status
