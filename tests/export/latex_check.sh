#!/usr/bin/env bash
# The LaTeX export compiles with pdflatex: every template (one with a caption) and 10 seeded
# random documents, whose texts hold every character LaTeX treats specially and letters of
# several scripts. The first page of each is rendered to OUT_DIR/NAME-1.png for looking at.
source "$(dirname "$0")/lib.sh"
need pdflatex pdftoppm
for package in multirow hhline colortbl xcolor amssymb; do
  kpsewhich "$package.sty" >/dev/null || missing "$package.sty"
done

template_docs
random_docs 1803 10 --blocks
n=0
for doc in "$out"/docs/*; do
  n=$((n + 1))
  name=$(basename "${doc%.*}")
  caption=()
  [ "$n" -eq 1 ] && caption=(--caption "Prices & more, 100% true")
  export_doc "$doc" "$out/$name.tex" latex "${caption[@]}"
  if ! (cd "$out" && pdflatex -interaction=nonstopmode -halt-on-error "$name.tex" >"$name.pdflatex.txt" 2>&1); then
    grep -A3 '^!' "$out/$name.log" >&2 || tail -n 20 "$out/$name.pdflatex.txt" >&2
    fail "$name.tex does not compile"
  fi
  pdftoppm -r 80 -png -f 1 -l 1 "$out/$name.pdf" "$out/$name"
done
echo "$check: $n documents compiled; pages in $out" >&2
