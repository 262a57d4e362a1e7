#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
  # Qt's own dialogs (file, colour, message box buttons) and key names in the user's language.
  qt6-translations-l10n
  libgumbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core fonts-wine
  desktop-file-utils
)

exec "$(dirname "$0")/install-packages.sh" "${packages[@]}"
