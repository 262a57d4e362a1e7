#!/usr/bin/env bash
# Installs the Debian packages named on the command line, when any is missing; $QG_DEPS_WHAT
# names the set in the messages.
set -euo pipefail
what=${QG_DEPS_WHAT:-deps}

missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "$what: every package needed is installed" >&2
  exit 0
fi

echo "$what: installing ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
