#!/usr/bin/env bash
# Installs what only the tests need, when any is missing: the HTML checker (a Java program from
# the npm registry), a headless browser for the rendering comparison, pdflatex with the
# packages the LaTeX export uses (multirow is only in texlive-latex-extra), pdftoppm, and
# pandoc for the Markdown check. None of this is needed to build or run the program.
set -euo pipefail

packages=(
  default-jre-headless chromium
  texlive-latex-recommended texlive-latex-extra poppler-utils
  pandoc python3 nodejs
)
vnu_version=26.9.27

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
command -v npm >/dev/null || missing+=(npm)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "test-deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

if [ ! -f "$(npm root -g)/vnu-jar/build/dist/vnu.jar" ]; then
  echo "test-deps: installing vnu-jar@$vnu_version" >&2
  "${sudo_cmd[@]}" npm install -g --no-audit --no-fund "vnu-jar@$vnu_version" >&2
fi
echo "test-deps: every tool the tests need is installed" >&2
