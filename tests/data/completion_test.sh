#!/usr/bin/env bash
# trntool's completion in bash, as a user's Tab calls it.
#   completion_test.sh COMPLETION_SCRIPT
set -uo pipefail
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir maps && touch plan.trn old.TRN notes.txt plan.pdf station.osm
failures=0
expect() {  # EXPECTED WORDS...: what Tab offers after the words
  COMP_WORDS=("${@:2}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _trntool
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  if [[ "$got" != "$1 " ]]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "${*:2}" "$1" "$got"
    failures=$((failures + 1))
  fi
}
expect "render" trntool re
expect "--help --version" trntool --
expect "--help --version check dump export fmt import lint path render route" trntool ''
expect "maps old.TRN plan.trn" trntool check ''
expect "--paper" trntool render plan.trn out.pdf --pa
expect "Legal Letter" trntool render plan.trn out.pdf --paper L
expect "maps plan.pdf" trntool render plan.trn ''
expect "maps old.TRN plan.trn" trntool render --scale 5000 ''
expect "" trntool render plan.trn out.pdf --scale ''
expect "--help --min-radius" trntool lint plan.trn --
expect "" trntool lint plan.trn --min-radius ''
expect "maps old.TRN plan.trn" trntool lint --min-radius 200 ''
expect "maps old.TRN plan.trn" trntool route ''
expect "" trntool route plan.trn ''
expect "" trntool path plan.trn 3 ''
expect "--help" trntool path plan.trn --
expect "maps station.osm" trntool import ''
expect "maps old.TRN plan.trn" trntool import --crs EPSG:25833 station.osm ''
expect "--buildings" trntool import station.osm plan.trn --b
expect "maps old.TRN plan.trn" trntool export ''
exit $((failures > 0))
