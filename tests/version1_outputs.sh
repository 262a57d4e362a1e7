#!/usr/bin/env bash
# Version 1 documents write the bytes they always wrote. Every version 1 document among the
# fuzz seeds and the templates, and those the seed scripts make from a new table, is saved
# again and exported in every format and style; the SHA-256 of each result must be the one
# in tests/data/version1-outputs.sha256, which the program wrote before documents had a
# version 2. With --write FILE the sums are written to FILE instead (for the reference, run
# with that older program).
# usage: version1_outputs.sh PATH/TO/quillgrid-cli TEMPLATES_DIR [--write FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$1 templates=$2
reference=$root/tests/data/version1-outputs.sha256
write=${4:-}
[ "${3:-}" = "--write" ] || write=
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
mkdir -p "$work/docs" "$work/out"

is_version1() { [ "$(head -c 4 "$1" | od -An -tx1 | tr -d ' \n')" = "01000000" ]; }

for f in "$root"/fuzz/seeds/document/*.qg? "$templates"/*.qgt; do
  is_version1 "$f" && cp "$f" "$work/docs/$(basename "$f" | tr ' ' '-')"
done
for s in "$root"/fuzz/seeds/script/*.script; do
  name=script-$(basename "$s" .script)
  "$cli" new "$work/new.qgd"
  if "$cli" apply "$work/new.qgd" "$s" -o "$work/docs/$name.qgd" 2>/dev/null && is_version1 "$work/docs/$name.qgd"; then :
  else rm -f "$work/docs/$name.qgd"; fi
done

: >"$work/empty.script"
sums=$work/sums
: >"$sums"
docs=0
for doc in "$work"/docs/*; do
  name=$(basename "$doc")
  docs=$((docs + 1))
  out=$work/out/$name
  outputs=("file" "resaved")
  cp "$doc" "$out.file"
  "$cli" apply "$doc" "$work/empty.script" -o "$out.resaved"
  for format in classic html5 fragment markdown latex mediawiki csv; do
    "$cli" export "$doc" "$out.$format" --format "$format" 2>/dev/null
    outputs+=("$format")
  done
  "$cli" export "$doc" "$out.lowercase" --lowercase 2>/dev/null
  "$cli" export "$doc" "$out.classic-fragment" --format fragment --style classic 2>/dev/null
  outputs+=(lowercase classic-fragment)
  for o in "${outputs[@]}"; do
    echo "$(sha256sum <"$out.$o" | cut -d' ' -f1)  $name $o" >>"$sums"
  done
done

if [ -n "$write" ]; then
  cp "$sums" "$write"
  echo "version1_outputs: $docs documents, $(wc -l <"$sums") sums written to $write" >&2
  exit 0
fi
if ! diff -u "$reference" "$sums" >&2; then
  echo "version1_outputs: FAILED: outputs differ from what version 1 documents always gave (above)" >&2
  exit 1
fi
echo "version1_outputs: $docs version 1 documents, $(wc -l <"$sums") outputs compared byte for byte (SHA-256), all as before" >&2
