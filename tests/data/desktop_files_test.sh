#!/usr/bin/env bash
# The desktop entry, the file type and the metadata through their own
# validators, the file type as the desktop's database takes it in, and the
# manual pages through groff's warnings.
#   desktop_files_test.sh DATA_FOLDER BUILT_DATA_FOLDER APP_ID
set -uo pipefail
data=$1
built=$2
id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # NAME COMMAND...: the command succeeds and prints nothing
  local out
  out=$("${@:2}" 2>&1)
  local status=$?
  if ((status != 0)) || [[ -n "$out" ]]; then
    printf 'FAIL %s (status %d)\n%s\n' "$1" "$status" "$out"
    failures=$((failures + 1))
  fi
}

check "desktop entry" desktop-file-validate "$data/$id.desktop"
# Its validator says that it succeeded, and nothing more, even pedantically.
out=$(appstreamcli validate --no-net --pedantic --no-color "$built/$id.metainfo.xml" 2>&1)
status=$?
if ((status != 0)) || [[ "$out" != "✔ Validation was successful." ]]; then
  printf 'FAIL metainfo (status %d)\n%s\n' "$status" "$out"
  failures=$((failures + 1))
fi
check "MIME type is well-formed" xmllint --noout "$data/$id.mime.xml"

# The database made from the type alone: both globs and the rule on the
# content are there, and nothing is said while it is made.
mkdir -p "$work/mime/packages"
cp "$data/$id.mime.xml" "$work/mime/packages/$id.xml"
check "MIME database" env XDG_DATA_DIRS="$work" update-mime-database "$work/mime"
grep -q ':application/x-train-map:\*\.TRN:cs$' "$work/mime/globs2" &&
  grep -q ':application/x-train-map:\*\.trn$' "$work/mime/globs2"
check "both globs" test $? -eq 0
grep -q 'application/x-train-map' "$work/mime/magic" && grep -aq 'PNT ' "$work/mime/magic"
check "content rule" test $? -eq 0

for page in tredit trntool; do
  check "manual page $page" env LC_ALL=C groff -man -ww -z "$built/$page.1"
done
exit $((failures > 0))
