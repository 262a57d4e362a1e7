#!/usr/bin/env bash
# Installs the Debian packages that only the tests need, when any is missing: the window
# manager the end-to-end checks run under and the desktop's file-type tools. None of them is
# a dependency of the program or its package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  openbox
  # xdg-mime of a desktop without its own tools tells a file's type with mimetype (Perl).
  xdg-utils shared-mime-info libfile-mimeinfo-perl
)

QG_DEPS_WHAT=test-deps exec "$root/scripts/install-packages.sh" "${packages[@]}"
