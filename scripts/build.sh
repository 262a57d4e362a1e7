#!/usr/bin/env bash
# Configures and builds the project into build/ (or $QG_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QG_BUILD_DIR:-$root/build}
type=${QG_BUILD_TYPE:-RelWithDebInfo}
if [ ! -f "$build/build.ninja" ]; then
  echo "build: configuring $build ($type)" >&2
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >&2
fi
echo "build: compiling" >&2
cmake --build "$build" >&2
