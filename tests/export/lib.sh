# Shared by the export checks: the arguments every check takes, a clean skip when a tool is
# missing (a failure under CI, where test-deps.sh must have installed it), and the documents.
# usage of a check: CHECK.sh CLI RANDOM_DOCUMENTS TEMPLATES_DIR OUT_DIR
set -euo pipefail

cli=$1 random_documents=$2 templates=$3 out=$4
rm -rf "$out"
mkdir -p "$out"
check=$(basename "$0" .sh)

# Skips the check (exit 77) for a missing tool; under CI=true that is a failure.
missing() {
  if [ "${CI:-}" = true ]; then
    echo "$check: FAILED: $1 is missing (scripts/test-deps.sh installs it)" >&2
    exit 1
  fi
  echo "$check: SKIPPED: $1 is missing (scripts/test-deps.sh installs it)" >&2
  exit 77
}

# need COMMAND...: each must be on the PATH.
need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || missing "$tool"
  done
}

fail() {
  echo "$check: FAILED: $*" >&2
  exit 1
}

# The shipped templates, copied to names without blanks: $out/docs/NAME.qgt.
template_docs() {
  mkdir -p "$out/docs"
  for t in "$templates"/*.qgt; do
    cp "$t" "$out/docs/$(basename "$t" | tr ' ' '_')"
  done
}

# random_docs SEED COUNT [--blocks]: seeded random documents, $out/docs/random-SEED-NNN.qgd;
# with --blocks their cells may hold paragraphs.
random_docs() {
  "$random_documents" "$1" "$2" "$out/docs" ${3:-} || fail "no random documents"
}

# The export options for the Nth document: none, header row with a caption, header column.
options_for() {
  case $(($1 % 3)) in
  0) echo "" ;;
  1) echo "--header-row --caption Caption_$1" ;;
  2) echo "--header-col" ;;
  esac
}

# export DOC OUT FORMAT [OPTIONS...]: the report goes to OUT.report.
export_doc() {
  local doc=$1 target=$2 format=$3
  shift 3
  "$cli" export "$doc" "$target" --format "$format" "$@" 2>"$target.report" ||
    fail "quillgrid-cli export $doc --format $format $*: $(cat "$target.report")"
}
