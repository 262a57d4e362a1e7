#!/usr/bin/env bash
# The HTML5 page looks like the classic page: both pages of every template and of 50 seeded
# random documents are taken in one headless Chromium at the same window size and compared
# pixel by pixel. The tolerance is zero differing pixels: the two pages draw the same boxes
# with the same fonts, so even anti-aliasing comes out the same. Some documents have header
# cells, a caption and column widths of their own, and half of the pages are written with the
# header row and column options on top; a header cell's own look must not show. On a difference, OUT_DIR keeps both shots and
# a picture of where they differ.
source "$(dirname "$0")/lib.sh"
need chromium node compare
tolerance=0

template_docs
random_docs 1802 50
n=0
mkdir -p "$out/pages" "$out/shots"
for doc in "$out"/docs/*; do
  n=$((n + 1))
  name=$(basename "${doc%.*}")
  headers=()
  [ $((n % 2)) -eq 0 ] && headers=(--header-row --header-col)
  export_doc "$doc" "$out/pages/$name.classic.html" classic "${headers[@]}"
  export_doc "$doc" "$out/pages/$name.html5.html" html5 "${headers[@]}"
done
node "$(dirname "$0")/screenshots.mjs" "$(command -v chromium)" "$out/shots" "$out"/pages/*.html ||
  fail "the screenshots could not be taken"

differing=0
for doc in "$out"/docs/*; do
  name=$(basename "${doc%.*}")
  classic=$out/shots/$name.classic.png html5=$out/shots/$name.html5.png
  cmp -s "$classic" "$html5" && continue  # the same pixels encode to the same bytes
  if [ "$(identify -format '%wx%h' "$classic")" != "$(identify -format '%wx%h' "$html5")" ]; then
    echo "$check: $name: the pages differ in size" >&2
    differing=$((differing + 1))
    continue
  fi
  pixels=$(compare -metric AE "$classic" "$html5" "$out/shots/$name.diff.png" 2>&1 || true)
  if [ "${pixels%%.*}" -gt "$tolerance" ] 2>/dev/null; then
    echo "$check: $name: $pixels pixels differ (see $out/shots/$name.diff.png)" >&2
    differing=$((differing + 1))
  else
    rm -f "$out/shots/$name.diff.png"
  fi
done
[ "$differing" -eq 0 ] || fail "$differing of $n documents render differently"
echo "$check: $n documents, classic and HTML5 pages equal to the pixel" >&2
