#!/usr/bin/env bash
# Runs trntool as a user would: its output, exit status and files.
#   trntool_test.sh TRNTOOL MAPS_FOLDER LINT_MAPS_FOLDER VERSION
set -uo pipefail
tool=$1
maps=$2
lint_maps=$3
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # NAME EXPECTED ACTUAL
  if [[ "$2" != "$3" ]]; then
    echo "FAIL $1"
    echo "  expected: $2"
    echo "  actual:   $3"
    failures=$((failures + 1))
  fi
}

cd "$maps"
out=$("$tool" check worked_example.trn switch.trn)
expect "check status" 0 $?
expect "check output" "worked_example.trn: ok (2 points, 1 tracks, 0 walls, 1 trains)
switch.trn: ok (4 points, 3 tracks, 0 walls, 2 trains)" "$out"

out=$("$tool" check worked_example.trn missing.trn invalid_number.trn)
expect "check failing status" 1 $?
expect "check failing output" "worked_example.trn: ok (2 points, 1 tracks, 0 walls, 1 trains)
missing.trn: File not found
invalid_number.trn: Invalid numeric input" "$out"

out=$("$tool" dump worked_example.trn 2>"$work/err")
expect "dump status" 0 $?
expect "dump output" "$(cat worked_example.expected)" "$out"
expect "dump quiet" "" "$(cat "$work/err")"

out=$("$tool" dump truncated_point_entry.trn 2>"$work/err")
expect "dump failing status" 1 $?
expect "dump failing output" "$(grep -v '^error: ' truncated_point_entry.expected)" "$out"
expect "dump failing message" "truncated_point_entry.trn: Unexpected end of file" \
  "$(cat "$work/err")"

"$tool" fmt reals_with_fractions.trn "$work/out.trn"
expect "fmt status" 0 $?
cmp -s reals_with_fractions.saved "$work/out.trn"
expect "fmt bytes" 0 $?

printf 'old' > "$work/kept.trn"
"$tool" fmt huge_coordinate_overflows.trn "$work/kept.trn" 2>"$work/err"
expect "fmt failing status" 1 $?
expect "fmt failing message" "huge_coordinate_overflows.trn: Floating point overflow" \
  "$(cat "$work/err")"
expect "fmt leaves OUT alone" "old" "$(cat "$work/kept.trn")"

# A failure the editor shows only by its number comes with the system's text.
mkdir "$work/folder.trn"
"$tool" fmt worked_example.trn "$work/folder.trn" 2>"$work/err"
expect "fmt into a folder status" 1 $?
expect "fmt into a folder message" "$work/folder.trn: Is a directory" \
  "$(cat "$work/err")"

mkfifo "$work/pipe.trn"
"$tool" fmt worked_example.trn "$work/pipe.trn" 2>"$work/err"
expect "fmt into a FIFO status" 1 $?
expect "fmt into a FIFO message" "$work/pipe.trn: File access denied" \
  "$(cat "$work/err")"
[[ -p "$work/pipe.trn" ]]
expect "fmt leaves the FIFO" 0 $?

# A file-size limit is an error like any other: no signal kills the save
# half-way, and no temporary file stays.
mkdir "$work/limited"
printf 'old' > "$work/limited/map.trn"
err=$( (ulimit -f 0; "$tool" fmt worked_example.trn "$work/limited/map.trn") 2>&1)
expect "fmt over a size limit status" 1 $?
expect "fmt over a size limit message" "$work/limited/map.trn: File too large" "$err"
expect "fmt over a size limit keeps OUT" "old" "$(cat "$work/limited/map.trn")"
expect "fmt over a size limit leaves nothing" "map.trn" "$(ls -A "$work/limited")"

# lint: findings sorted by kind, then identifier; the count of dead ends
# alone is no problem; a file that cannot be read outweighs the rest.
out=$("$tool" lint "$lint_maps/problems.trn" worked_example.trn)
expect "lint status" 1 $?
p="$lint_maps/problems.trn"
expect "lint output" "$p: bare-point 9: point has no lines
$p: dead-ends 6: track end points with one line
$p: overlap 2: trains 1 and 2 stand on the same stretch of track
$p: unjoined 1: track end 0.00 m from track point 3, not joined to it
$p: unjoined 3: track end 0.00 m from track point 1, not joined to it
$p: unjoined 11: wall end 0.00 m from wall point 13, not joined to it
$p: unjoined 13: wall end 0.00 m from wall point 11, not joined to it
$p: zero-length 8: track has both its points at the same place
worked_example.trn: dead-ends 2: track end points with one line" "$out"
out=$("$tool" lint worked_example.trn)
expect "lint of a sound map status" 0 $?
# A bend on a circle of 125 m: sharp below the minimum radius, 150 m unless
# one is given.
b="$lint_maps/bends.trn"
out=$("$tool" lint "$b")
expect "lint of a sharp bend status" 1 $?
expect "lint of a sharp bend output" "$b: dead-ends 2: track end points with one line
$b: sharp-bend 1: track bends at a radius of 125.00 m, less than 150 m" "$out"
out=$("$tool" lint --min-radius 120 "$b")
expect "lint --min-radius below the bend" "0|$b: dead-ends 2: track end points with one line" "$?|$out"
out=$("$tool" lint "$b" --min-radius=1.3e2 | grep sharp-bend)
expect "lint --min-radius above the bend" "$b: sharp-bend 1: track bends at a radius of 125.00 m, less than 130 m" "$out"
for radius in -1 abc 1e7 inf ''; do
  out=$("$tool" lint "$b" --min-radius "$radius" 2>"$work/err")
  expect "lint --min-radius '$radius'" "2||trntool lint: invalid radius '$radius' (metres, 0 to 1000000); try 'trntool lint --help'" \
    "$?|$out|$(cat "$work/err")"
done
out=$("$tool" lint missing.trn "$lint_maps/problems.trn" 2>"$work/err")
expect "lint of a missing file status" 2 $?
expect "lint of a missing file message" "missing.trn: File not found" \
  "$(cat "$work/err")"

# route and path on a switch at point 1: entry from point 0, default
# direction to point 2, other direction to point 3.
out=$("$tool" route switch.trn 1)
expect "route from a leg" "0|Train 1: 200.00 m to the dead end at point 0
Switch 1 at 100.00 m: comes in from the default direction" "$?|$out"
out=$("$tool" path switch.trn 0 3)
expect "path through the other direction" "0|Path from point 0 to point 3: 207.70 m
Switch 1 at 100.00 m: set to the other direction" "$?|$out"
out=$("$tool" path switch.trn 2 3)
expect "no path from leg to leg" "1|No path from point 2 to point 3: they are joined only through a turn from one leg of a switch to the other" "$?|$out"
out=$("$tool" route switch.trn 3 2>"$work/err")
expect "route of a missing train" "2||switch.trn: no train 3 (the map has 2)" "$?|$out|$(cat "$work/err")"
out=$("$tool" path switch.trn 0 9 2>"$work/err")
expect "path to a missing point" "2||switch.trn: no point 9" "$?|$out|$(cat "$work/err")"
out=$("$tool" route switch.trn 0 2>"$work/err")
expect "route of train 0" "2||trntool route: invalid train '0' (1 or more); try 'trntool route --help'" \
  "$?|$out|$(cat "$work/err")"
out=$("$tool" path missing.trn 0 1 2>"$work/err")
expect "path in a missing file" "2|missing.trn: File not found" "$?|$(cat "$work/err")"

# render: the picture's type from OUT's extension; a failure leaves OUT.
"$tool" render worked_example.trn "$work/map.bmp" 2>"$work/err"
expect "render to an unknown type status" 2 $?
expect "render to an unknown type message" \
  "$work/map.bmp: not a type trntool writes (.png, .svg, .pdf)" \
  "$(cat "$work/err")"
printf 'old' > "$work/kept.png"
"$tool" render truncated_point_entry.trn "$work/kept.png" 2>"$work/err"
expect "render of a broken map status" 1 $?
expect "render of a broken map message" \
  "truncated_point_entry.trn: Unexpected end of file" "$(cat "$work/err")"
expect "render of a broken map leaves OUT" "old" "$(cat "$work/kept.png")"
"$tool" render worked_example.trn "$work/map.png" --size 0x10 2>/dev/null
expect "render to no pixels status" 2 $?
"$tool" render worked_example.trn "$work/map.png" --size 16385x10 2>/dev/null
expect "render beyond 16384 pixels status" 2 $?
"$tool" render worked_example.trn "$work/map.PNG" --size 16x9
expect "render status" 0 $?
expect "render size" "89504e47 00000010 00000009" \
  "$(od -An -tx1 -N24 "$work/map.PNG" | tr -d ' \n' |
     sed -E 's/^(.{8}).{24}(.{8})(.{8})$/\1 \2 \3/')"

# render --background: the picture kept beside the map goes under it only
# when asked; one that cannot be read fails the render and leaves OUT.
cp worked_example.trn "$work/traced.trn"
printf 'P6\n2 2\n255\n\x10\x80\x20\x10\x80\x20\x10\x80\x20\x10\x80\x20' \
  > "$work/scan.ppm"
printf 'TRN background 1\npicture scan.ppm\nleft -1000\ntop 1000\nmetres-per-pixel 1000\n' \
  > "$work/traced.trn.background"
"$tool" render "$work/traced.trn" "$work/plain.png" --size 16x9
"$tool" render "$work/traced.trn" "$work/bare.png" --size 16x9
expect "render without --background" "" "$(cmp "$work/plain.png" "$work/bare.png")"
"$tool" render "$work/traced.trn" "$work/traced.png" --background --size 16x9
expect "render --background status" 0 $?
cmp -s "$work/plain.png" "$work/traced.png"
expect "render --background draws the picture" 1 $?
"$tool" render "$work/traced.trn" "$work/traced.svg" --background
expect "render --background into SVG" 1 "$(grep -c '<image ' "$work/traced.svg")"
printf 'TRN background 1\nopacity 2\n' > "$work/traced.trn.background"
"$tool" render "$work/traced.trn" "$work/traced.png" --background 2>"$work/err"
expect "render with damaged background settings status" 1 $?
expect "render with damaged background settings message" \
  "Damaged background settings in $work/traced.trn.background" "$(cat "$work/err")"
cmp -s "$work/plain.png" "$work/traced.png"
expect "render with damaged background settings leaves OUT" 1 $?

# The command line as users of such tools expect it: help and version on
# standard output, and a bad line as one line on standard error that points
# to the help, with status 2.
run() {  # ARGUMENTS...: sets status, out and err
  "$tool" "$@" >"$work/out" 2>"$work/err"
  status=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}
run --help
expect "--help status" "0 " "$status $err"
[[ "$out" == "usage: trntool COMMAND"* ]]
expect "--help prints the usage" 0 $?
run --version
expect "--version" "0 trntool $version" "$status $out"
run
expect "no command" "2 " "$status $out"
[[ "$err" == "usage: trntool COMMAND"* ]]
expect "no command prints the usage on standard error" 0 $?
run bogus
expect "unknown command" "2|trntool: unknown command 'bogus'; try 'trntool --help'" "$status|$err"
run --bogus
expect "unknown option" "2|trntool: unknown option '--bogus'; try 'trntool --help'" "$status|$err"
declare -A missing=([check]=FILE [dump]=FILE [fmt]=IN [lint]=FILE [render]=IN
  [route]=FILE [path]=FILE)
for command in check dump fmt lint render route path; do
  run "$command" --help
  first=${out%%$'\n'*}
  expect "$command --help" "0 usage: trntool $command" "$status ${first%% [A-Z]*}"
  run "$command" --frob worked_example.trn
  expect "$command with an unknown option" \
    "2|trntool $command: unknown option '--frob'; try 'trntool $command --help'" \
    "$status|$err"
  run "$command"
  expect "$command without arguments" \
    "2|trntool $command: missing argument ${missing[$command]}; try 'trntool $command --help'" \
    "$status|$err"
done
run fmt worked_example.trn
expect "fmt without OUT" "2|trntool fmt: missing argument OUT; try 'trntool fmt --help'" "$status|$err"
run dump worked_example.trn switch.trn
expect "dump of two files" \
  "2|trntool dump: unexpected argument 'switch.trn'; try 'trntool dump --help'" "$status|$err"
run render worked_example.trn "$work/map.png" --size
expect "render --size without its value" \
  "2|trntool render: option '--size' needs a value WxH; try 'trntool render --help'" "$status|$err"
run render worked_example.trn "$work/map.png" --scale 5000
expect "render --scale into a picture" \
  "2|trntool render: --scale is for PDF pages; try 'trntool render --help'" "$status|$err"
run render worked_example.trn "$work/map.pdf" --paper A2
expect "render onto unknown paper" \
  "2|trntool render: unknown paper 'A2' (A3, A4, A5, Letter or Legal); try 'trntool render --help'" \
  "$status|$err"
# After "--" a name that starts with a dash is a file.
cp worked_example.trn "$work/-odd.trn"
(cd "$work" && "$tool" check -- -odd.trn) >"$work/out" 2>&1
expect "-- ends the options" "-odd.trn: ok (2 points, 1 tracks, 0 walls, 1 trains)" \
  "$(cat "$work/out")"

exit $((failures > 0))
