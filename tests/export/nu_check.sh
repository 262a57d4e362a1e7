#!/usr/bin/env bash
# The HTML5 page passes the Nu Html Checker with no errors: for every template (with and without
# header cells and a caption), for a template's fragment inside a page, and for 100 seeded random
# documents whose cell texts are well-formed.
source "$(dirname "$0")/lib.sh"
need java npm
jar=${QG_VNU_JAR:-$(npm root -g)/vnu-jar/build/dist/vnu.jar}
[ -f "$jar" ] || missing vnu.jar

template_docs
random_docs 1801 100
n=0
for doc in "$out"/docs/*; do
  n=$((n + 1))
  name=$(basename "${doc%.*}")
  # shellcheck disable=SC2046
  export_doc "$doc" "$out/$name.html" html5 $(options_for "$n")
done
for doc in "$out"/docs/*_*.qgt; do
  name=$(basename "${doc%.*}")
  export_doc "$doc" "$out/$name.all.html" html5 --header-row --header-col --caption "A caption & more"
  export_doc "$doc" "$out/$name.fragment" fragment --header-row
  { printf '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n<title>Fragment</title>\n</head>\n<body>\n'
    cat "$out/$name.fragment"
    printf '</body>\n</html>\n'; } >"$out/$name.fragment.html"
done
pages=("$out"/*.html)
echo "$check: checking ${#pages[@]} pages with $(java -jar "$jar" --version)" >&2
if ! java -jar "$jar" --errors-only --format gnu "${pages[@]}" >"$out/errors.txt" 2>&1; then
  head -n 40 "$out/errors.txt" >&2
  fail "$(wc -l <"$out/errors.txt") errors"
fi
echo "$check: ${#pages[@]} pages, no errors" >&2
