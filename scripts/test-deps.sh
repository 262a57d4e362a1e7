#!/usr/bin/env bash
# Installs what only the tests need, when any is missing: the window manager the end-to-end
# checks run under, xclip for their clipboard, and the desktop's file-type tools; the HTML
# checker (a Java program from the npm registry), a headless browser for the rendering
# comparison, pdflatex with the packages the LaTeX export uses (multirow is only in
# texlive-latex-extra), pdftoppm, pandoc for the Markdown check, and the AT-SPI registry with
# its Python client for the accessibility check. None of them is a dependency of the program or its package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  openbox
  # The clipboard of the paste checks is set and read with xclip.
  xclip
  # xdg-mime of a desktop without its own tools tells a file's type with mimetype (Perl).
  xdg-utils shared-mime-info libfile-mimeinfo-perl
  default-jre-headless chromium
  texlive-latex-recommended texlive-latex-extra poppler-utils
  pandoc python3 nodejs
  # The accessibility check reads the program through the AT-SPI registry on a session bus.
  at-spi2-core dbus-x11 python3-pyatspi gir1.2-atspi-2.0
)
vnu_version=26.9.27

# npm comes with the machine's Node.js where that is not Debian's own; Debian's then adds it.
command -v npm >/dev/null || packages+=(npm)
QG_DEPS_WHAT=test-deps "$root/scripts/install-packages.sh" "${packages[@]}"

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ! -f "$(npm root -g)/vnu-jar/build/dist/vnu.jar" ]; then
  echo "test-deps: installing vnu-jar@$vnu_version" >&2
  "${sudo_cmd[@]}" npm install -g --no-audit --no-fund "vnu-jar@$vnu_version" >&2
fi
