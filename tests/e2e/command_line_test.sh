#!/usr/bin/env bash
# tredit's command line without a display, as a user reads it: help and the
# version on standard output with status 0, a bad option as one line on
# standard error with status 2.
#   command_line_test.sh TREDIT VERSION
set -uo pipefail
tredit=$1
version=$2
failures=0
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
expect() {  # NAME EXPECTED ACTUAL
  if [[ "$2" != "$3" ]]; then
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
run() {
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tredit" "$@" 2>"$errors")
  status=$?
  err=$(cat "$errors")
}
run --help
expect "--help" "0|Usage: $tredit [options] [FILE...]|" "$status|${out%%$'\n'*}|$err"
run --version
expect "--version" "0|tredit $version|" "$status|$out|$err"
run --bogus map.trn
expect "unknown option" "2||tredit: unknown option '--bogus'; try 'tredit --help'" \
  "$status|$out|$err"
exit $((failures > 0))
