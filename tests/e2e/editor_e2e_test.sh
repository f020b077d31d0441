#!/usr/bin/env bash
# Drives the real editor on an X server of its own with real mouse and key
# events: builds a track, saves it through the save dialog, checks the bytes
# written, undoes and redoes it, saving each time, and opens the file again
# in a new window through the open dialog, and zooms it with the wheel.
# Then builds a small network with a switch, a wall, a platform track and a
# train, takes a screenshot of it when asked to, checks what it saves, and
# exports a picture of it.
# Then leaves changes unsaved in a new window and in an opened file, exits,
# and starts again: both come back, marked "*", and save as they were; and
# a change made a few seconds before the editor is killed comes back too.
# Ctrl+W asks before it closes a maximised window with changes; a change
# made right before SIGTERM comes back at the next start.
# Then it starts the editor with a file named on the command line and opens
# a recent file. It places a generated picture under a new map by numbers,
# draws a track over it, checks both in a screenshot, saves, closes and
# opens the map again: the picture is back. It draws to measure, and last
# copies a part of one map and pastes it into another. The editor prints
# nothing.
# The editor keeps its recovery folder and its settings in folders of the
# test's own.
#   editor_e2e_test.sh TREDIT [SCREENSHOT]
# Prints the time from start to the first painted window. Exits 77 (skipped)
# only when a tool it needs is not installed.
set -euo pipefail
tredit=$1
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool import convert identify python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=""
editor_pid=""
export XDG_DATA_HOME="$work/data"
# Settings (recent files, the frame's place) of the test's own, and a runtime
# folder, whose absence Qt would report at start-up.
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# In the sanitizer build, leaks of our own fail the editor's exit status.
export LSAN_OPTIONS="suppressions=$here/lsan_suppressions.txt:print_suppressions=0"
cleanup() {
  [[ -n "$editor_pid" ]] && kill "$editor_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  [[ -s "$work/tredit.log" ]] && sed 's/^/tredit: /' "$work/tredit.log" >&2
  import -window root "$work/failure.png" 2>/dev/null &&
    cp "$work/failure.png" "${TMPDIR:-/tmp}/tredit_e2e_failure.png" &&
    echo "screenshot: ${TMPDIR:-/tmp}/tredit_e2e_failure.png" >&2
  exit 1
}

# Xvfb picks a free display number itself and writes it once it accepts
# clients; -nolisten tcp keeps it local, and -noreset keeps it from resetting
# when its last client goes, which a client starting then cannot connect to.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 200); do
    if [[ -s "$work/display" ]]; then
      export DISPLAY=":$(head -1 "$work/display")"
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  cat "$work/xvfb.log" >&2
  fail "no X server could be started"
}

# Waits until a command succeeds, up to about ten seconds.
wait_for() {
  for _ in $(seq 200); do
    if "$@"; then return 0; fi
    sleep 0.05
  done
  return 1
}

frame_window() { xdotool search --onlyvisible --name '^Train Map Editor' | head -1; }
title_is() { [[ "$(xdotool getwindowname "$frame")" == "$1" ]]; }
window_named() { xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
shoot() { import -window "$frame" -depth 8 "ppm:$work/shot.ppm"; }
# More than the one colour of a window that has not been painted yet.
painted() {
  local colours
  colours=$(import -window "$frame" -format '%k' info: 2>/dev/null) || return 1
  ((colours > 2))
}
# The colour, as RRGGBB, of the pixel at map position (X, Y), in pixels from
# the origin cross, in the latest screenshot; whether it is black.
colour_at() {
  local y=$((origin_y + $2))
  "$here/column_colours.py" "$work/shot.ppm" "$((origin_x + $1))" "$y" "$((y + 1))"
}
black_at() { [[ $(colour_at "$1" "$2") == 000000 ]]; }
# Whether the column DX pixels right of the origin cross shows a vertical
# grid line (dotted) in the rows 20 to 60 pixels above the cross.
grid_line_at() {
  local black
  black=$("$here/column_colours.py" "$work/shot.ppm" "$((origin_x + $1))" \
    "$((origin_y - 60))" "$((origin_y - 20))" | grep -c '^000000$' || true)
  ((black >= 10))
}
# Clicks at a position of the frame's client area.
click_at() { xdotool mousemove --window "$frame" "$1" "$2" click 1; }
# The centre of a tool bar button: its panel's left, its own left. The frame
# keeps its first size, the tool bar's bottom 300 pixels from its top.
click_button() {
  local bar_top=$((300 - 41))
  click_at $(($1 + $2 + 12)) $((bar_top + 8 + 12))
}
# A left-button drag between map positions relative to the origin cross.
drag() {
  local x=$((origin_x + $1)) y=$((origin_y + $2)) tx=$((origin_x + $3)) ty=$((origin_y + $4))
  xdotool mousemove --window "$frame" "$x" "$y" mousedown 1
  for step in 1 2 3 4; do
    xdotool mousemove --window "$frame" $((x + (tx - x) * step / 4)) $((y + (ty - y) * step / 4))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.2
}
# Types a name into the file dialog titled $1 and confirms it.
answer_dialog() {
  local title=$1 dialog
  wait_for window_named "$title" || fail "no dialog \"$title\""
  dialog=$(xdotool search --onlyvisible --name "^$title\$" | head -1)
  xdotool windowfocus --sync "$dialog"
  xdotool key --delay 30 ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
  wait_for eval '! window_named "$title"' || fail "dialog \"$title\" stayed open"
}
# Opens the File menu with a click on its title, then picks an item by its
# access key.
menu_open() { xdotool search --onlyvisible --classname tredit | grep -vqx "$frame"; }
file_command() {
  # A click that comes while a dialog is still closing goes nowhere.
  for _ in 1 2 3; do
    click_at 36 9
    for _ in $(seq 20); do
      if menu_open; then
        xdotool key "$1"
        return 0
      fi
      sleep 0.05
    done
  done
  fail "the File menu did not open"
}

# Starts the editor with the files given and waits for its frame to be
# painted.
start_editor() {
  env -u QT_QPA_PLATFORM "$tredit" "$@" >>"$work/tredit.log" 2>&1 &
  editor_pid=$!
  wait_for eval 'frame=$(frame_window); [[ -n "$frame" ]]' || fail "no frame window"
  wait_for painted || fail "the frame was never painted"
}

start_xvfb
started=$(date +%s%N)
start_editor
echo "start to first painted window: $((($(date +%s%N) - started) / 1000000)) ms"
[[ ! -s "$work/tredit.log" ]] || fail "the editor printed at start-up"
title_is "Train Map Editor - [Train Map]" || fail "title $(xdotool getwindowname "$frame")"

# The map window's origin is where its cross is drawn.
shoot
read -r origin_x origin_y < <("$here/find_origin.py" "$work/shot.ppm") ||
  fail "no origin cross"

# Build track, then one track from (-100, 50) to (100, 50) metres.
click_button 253 36
drag -100 -50 100 -50
name="$work/line.TRN"
file_command s
answer_dialog "Save As" "$name"
wait_for test -s "$name" || fail "nothing written to $name"
printf '%s\r\n' 'PNT 2' \
  '   0 -100   50    0 0 2 1 -1 0 -1 0 ' \
  '   1  100   50    0 0 2 2 -1 0 -1 0 ' \
  'TRK 1' '   2 0 0 ' >"$work/expected.TRN"
cmp "$work/expected.TRN" "$name" || {
  od -c "$name" >&2
  fail "the saved file differs from the expected bytes"
}
title_is "Train Map Editor - [Train Map $name]" || fail "caption after saving"

# Ctrl+Z takes the track back, and Save writes the empty map; Ctrl+Y brings
# it back, and Save writes it again.
xdotool windowfocus --sync "$frame"
xdotool key ctrl+z
file_command s
wait_for eval '[[ ! -s "$name" ]]' || fail "Save after Ctrl+Z kept the track"
xdotool key ctrl+y
file_command s
wait_for cmp -s "$work/expected.TRN" "$name" || fail "Save after Ctrl+Y"
echo "undone and redone"

# A new, empty window; then the file opened in another new one shows the track.
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
shoot
black_at -50 -50 && fail "the new window is not empty"
file_command o
answer_dialog "Open Train Map" "$name"
wait_for title_is "Train Map Editor - [Train Map $name]" || fail "File > Open"
sleep 0.2
shoot
for x in -75 -50 50 75; do
  black_at "$x" -50 || fail "the opened map shows no track at $x"
done
echo "saved and opened $name"

# A wheel notch over the origin zooms in about it: the grid lines 100 pixels
# apart are then 200 apart; a notch back restores the view.
grid_line_at 100 || fail "no grid line 100 pixels right of the origin"
xdotool mousemove --window "$frame" "$origin_x" "$origin_y" click 4
sleep 0.2
shoot
grid_line_at 200 || fail "a wheel notch did not zoom in"
grid_line_at 100 && fail "the grid line stayed after a wheel notch"
xdotool click 5
sleep 0.2
shoot
grid_line_at 100 || fail "a wheel notch back did not zoom out"
echo "a wheel notch zooms"

# A small network in a new window: a switch, a wall, a platform track and a
# train, made with the tool bar and the properties dialog.
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
click_button 253 36                # Build track
drag -150 0 -50 0                  # A to B; B stays selected
drag 0 0 60 0                      # continues from B to C
click_button 253 5                 # Select
click_at $((origin_x - 50)) "$origin_y"    # B
click_button 253 36
drag -40 -10 40 -70                # B to D: three lines at B make a switch
click_button 253 67                # Build wall
drag -150 60 60 60
click_button 253 5
click_button 69 36                 # Select line
click_at $((origin_x + 5)) "$origin_y"     # the track from B to C
click_button 69 98                 # Set properties
wait_for window_named "Track Properties" || fail "no properties dialog"
dialog=$(xdotool search --onlyvisible --name '^Track Properties$' | head -1)
xdotool windowfocus --sync "$dialog"
xdotool key --delay 50 Tab space Return
wait_for eval '! window_named "Track Properties"' || fail "the dialog stayed open"
click_button 69 8                  # Select point
click_at $((origin_x - 150)) "$origin_y"   # A
click_button 467 38                # Create new train
sleep 0.3
[[ -n "${2:-}" ]] && import -window "$frame" "$2" && echo "screenshot: $2"

network="$work/network.TRN"
file_command s
answer_dialog "Save As" "$network"
wait_for test -s "$network" || fail "nothing written to $network"
cat -A "$network"
grep -q $'^TRN 1\r$' "$network" || fail "no train saved"
grep -Eq $'^ +[0-9]+ [0-9]+ 1 \r$' "$network" || fail "no platform track saved"
grep -Eq $'^( +-?[0-9]+){4} 1 ' "$network" || fail "no wall saved"
grep -Eq $'^( +-?[0-9]+){4} 0( [0-9]+ [12]){3} \r$' "$network" ||
  fail "no switch saved"

# Export Image: the whole network fitted into 640 pixels on its long side,
# the origin cross on the track from B to C.
picture="$work/network.png"
file_command x
answer_dialog "Export Image" "$picture"
wait_for window_named "Export Extent" || fail "no extent dialog"
dialog=$(xdotool search --onlyvisible --name '^Export Extent$' | head -1)
xdotool windowfocus --sync "$dialog"
xdotool key alt+w                  # Whole map: on to its size, selected
sleep 0.3                          # keys at once may still come with Alt held
xdotool type --delay 20 640
xdotool key Return
wait_for test -s "$picture" || fail "nothing exported to $picture"
convert "$picture" "ppm:$work/shot.ppm" || fail "$picture is no picture"
read -r width height <<<"$(identify -format '%w %h' "$picture")"
[[ $width == 640 && $height -gt 100 && $height -lt 640 ]] ||
  fail "the picture is $width x $height"
# The picture's origin stands in for the window's in a shell of its own.
(
  read -r origin_x origin_y < <("$here/find_origin.py" "$work/shot.ppm") &&
    black_at -40 0 && black_at 40 0
) || fail "no track through the origin cross in the picture"
echo "exported a picture of $width x $height"

# Unsaved work: a track in a new window, and one more in the opened file.
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
click_button 253 36
drag -100 -20 100 -20
wait_for title_is "Train Map Editor - [Train Map*]" || fail "no * after a change"
file_command o
answer_dialog "Open Train Map" "$name"
wait_for title_is "Train Map Editor - [Train Map $name]" || fail "File > Open"
click_button 467 7                 # "Build from selected point" up again
drag -100 20 100 20
wait_for title_is "Train Map Editor - [Train Map $name*]" || fail "no * in $name"
cp "$work/expected.TRN" "$work/line-before.TRN"

# Exit asks nothing and keeps both; the next start shows them again,
# unsaved, in their order, the opened file active.
file_command e
wait_for eval '! kill -0 "$editor_pid" 2>/dev/null' || fail "Exit did not end the editor"
wait "$editor_pid" || fail "the editor ended with status $?"
cmp -s "$name" "$work/line-before.TRN" || fail "Exit wrote $name"
start_editor
wait_for title_is "Train Map Editor - [Train Map $name*]" ||
  fail "after a restart: $(xdotool getwindowname "$frame")"
# Once reopened, they are kept in this editor's own folder alone.
kept_in_one_folder() {
  [[ $(find "$XDG_DATA_HOME" -name '*.info' | wc -l) == 2 &&
    $(find "$XDG_DATA_HOME" -name '*.info' -printf '%h\n' | sort -u | wc -l) == 1 ]]
}
wait_for kept_in_one_folder || fail "recovery files: $(find "$XDG_DATA_HOME" -type f)"
printf '%s\r\n' 'PNT 4' \
  '   0 -100   50    0 0 2 1 -1 0 -1 0 ' \
  '   1  100   50    0 0 2 2 -1 0 -1 0 ' \
  '   3 -100  -20    0 0 5 1 -1 0 -1 0 ' \
  '   4  100  -20    0 0 5 2 -1 0 -1 0 ' \
  'TRK 2' '   2 0 0 ' '   5 0 0 ' >"$work/expected.TRN"
file_command s
wait_for cmp -s "$work/expected.TRN" "$name" || {
  od -c "$name" >&2
  fail "the reopened file saves other bytes"
}
wait_for title_is "Train Map Editor - [Train Map $name]" || fail "* after saving"
# Closing it (with the close button a maximised window has at the right
# of the menu bar) leaves the new window, unnamed, with its track.
click_at $(($(xdotool getwindowgeometry --shell "$frame" | sed -n 's/^WIDTH=//p') - 11)) 9
wait_for title_is "Train Map Editor - [Train Map*]" || fail "the new window is not back: $(xdotool getwindowname "$frame")"
untitled="$work/untitled.TRN"
file_command s
answer_dialog "Save As" "$untitled"
printf '%s\r\n' 'PNT 2' \
  '   0 -100   20    0 0 2 1 -1 0 -1 0 ' \
  '   1  100   20    0 0 2 2 -1 0 -1 0 ' \
  'TRK 1' '   2 0 0 ' >"$work/expected.TRN"
wait_for cmp -s "$work/expected.TRN" "$untitled" || {
  od -c "$untitled" >&2
  fail "the reopened new window saves other bytes"
}
echo "unsaved maps kept at exit and reopened"

# A change, a few seconds, and the editor killed: the change comes back.
click_button 253 36
drag -100 60 100 60
wait_for title_is "Train Map Editor - [Train Map $untitled*]" || fail "no * after a change"
sleep 6
kill -9 "$editor_pid"
wait "$editor_pid" 2>/dev/null || true
start_editor
wait_for title_is "Train Map Editor - [Train Map $untitled*]" ||
  fail "after kill -9: $(xdotool getwindowname "$frame")"
file_command s
wait_for eval '[[ $(grep -c "^TRK 2" "$untitled") == 1 ]]' || {
  od -c "$untitled" >&2
  fail "the change before kill -9 did not come back"
}
echo "a change made before kill -9 came back"

# Ctrl+W on the maximised window with unsaved changes asks first: Cancel
# keeps it, still marked, and Discard closes it.
click_button 253 36
drag -100 90 100 90
wait_for title_is "Train Map Editor - [Train Map $untitled*]" || fail "no * after a change"
xdotool key ctrl+w
wait_for window_named "Train Map Editor" || fail "Ctrl+W asked nothing"
xdotool key Escape
wait_for eval '! window_named "Train Map Editor"' || fail "the question stayed open"
title_is "Train Map Editor - [Train Map $untitled*]" || fail "Cancel closed the window"
# The editor gives the focus back to the frame itself, with no window
# manager here to do it: the keys work on at once.
xdotool key ctrl+w
wait_for window_named "Train Map Editor" || fail "Ctrl+W asked nothing the second time"
xdotool key Tab space              # Discard
wait_for title_is "Train Map Editor" || fail "Discard left: $(xdotool getwindowname "$frame")"
echo "Ctrl+W asked, and Cancel and Discard did as they say"

# SIGTERM right after a change ends the editor as Exit does: the change
# comes back at the next start. (Without a map window the menu bar has no
# window icon, and File stands elsewhere.) The keys still reach the frame
# after the question.
xdotool key ctrl+n
wait_for title_is "Train Map Editor - [Train Map]" || fail "Ctrl+N"
click_button 253 36
drag -100 -60 100 -60
wait_for title_is "Train Map Editor - [Train Map*]" || fail "no * after a change"
kill -TERM "$editor_pid"
wait_for eval '! kill -0 "$editor_pid" 2>/dev/null' || fail "SIGTERM did not end the editor"
wait "$editor_pid" || fail "after SIGTERM the editor ended with status $?"
start_editor
wait_for title_is "Train Map Editor - [Train Map*]" ||
  fail "after SIGTERM: $(xdotool getwindowname "$frame")"
terminated="$work/terminated.TRN"
file_command s
answer_dialog "Save As" "$terminated"
printf '%s\r\n' 'PNT 2' \
  '   0 -100   60    0 0 2 1 -1 0 -1 0 ' \
  '   1  100   60    0 0 2 2 -1 0 -1 0 ' \
  'TRK 1' '   2 0 0 ' >"$work/expected.TRN"
wait_for cmp -s "$work/expected.TRN" "$terminated" || {
  od -c "$terminated" >&2
  fail "the change before SIGTERM did not come back"
}
echo "a change made right before SIGTERM came back"

# Started with a file named, the editor shows it; the recent files, kept
# from the runs before, offer the file saved last after it.
file_command e
wait_for eval '! kill -0 "$editor_pid" 2>/dev/null' || fail "Exit did not end the editor"
wait "$editor_pid" || fail "the editor ended with status $?"
start_editor "$name"
wait_for title_is "Train Map Editor - [Train Map $name]" ||
  fail "tredit FILE: $(xdotool getwindowname "$frame")"
file_command f
sleep 0.3
xdotool key 2
wait_for title_is "Train Map Editor - [Train Map $terminated]" ||
  fail "recent files: $(xdotool getwindowname "$frame")"
echo "a file on the command line and a recent file opened"

# A picture of 8 x 4 pixels, each of its own colour, placed by numbers at
# 10 m per pixel with its top-left corner at world (-200, 100): each pixel
# is a square of 10 x 10 screen pixels at the new window's scale.
python3 - "$work/pattern.png" <<'PY'
import struct, sys, zlib
rows = b"".join(b"\0" + bytes(c for i in range(8) for c in (30 * i + 15, 60 * j + 20, 180))
                for j in range(4))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
open(sys.argv[1], "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 8, 4, 8, 2, 0, 0, 0))
                             + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY
pattern_at() { printf '%02x%02x%02x' $((30 * $1 + 15)) $((60 * $2 + 20)) 180; }
# The centre of picture pixel (I, J) on the screen.
pixel_centre() { echo $((-200 + 10 * $1 + 5)) $((-100 + 10 * $2 + 5)); }
# Whether the latest screenshot shows the picture, and the track over it:
# the track runs over picture row 2, black, with the picture beside it.
pattern_shown() {
  shoot
  for cell in "0 0" "3 1" "7 3" "5 0"; do
    read -r i j <<<"$cell"
    [[ $(colour_at $(pixel_centre "$i" "$j")) == $(pattern_at "$i" "$j") ]] || return 1
  done
  [[ $(colour_at -150 -80) == 000000 && $(colour_at -150 -76) == $(pattern_at 5 2) ]]
}
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
click_button 253 36                # Build track
drag -190 -80 -110 -80
click_button 253 5                 # Select
map_menu_opened=""
for _ in 1 2 3; do
  xdotool windowfocus --sync "$frame"
  xdotool key alt+m
  sleep 0.3
  if menu_open; then
    xdotool key b
    map_menu_opened=yes
    break
  fi
done
[[ -n "$map_menu_opened" ]] || fail "the Map menu did not open"
wait_for window_named Background || fail "no background dialog"
dialog=$(xdotool search --onlyvisible --name '^Background$' | head -1)
xdotool windowfocus --sync "$dialog"
for field in "p $work/pattern.png" "m 10" "x -200" "y 100"; do
  xdotool key --delay 30 "alt+${field%% *}" ctrl+a
  xdotool type --delay 20 -- "${field#* }"
done
xdotool key Return
wait_for eval '! window_named Background' || fail "the background dialog stayed open"
wait_for pattern_shown || fail "the picture or the track over it is not shown"
background="$work/background.TRN"
file_command s
answer_dialog "Save As" "$background"
wait_for test -s "$background.background" || fail "no background settings saved"
grep -qx 'picture pattern.png' "$background.background" ||
  fail "the picture is not stored beside the map: $(cat "$background.background")"
file_command c
wait_for eval '! title_is "Train Map Editor - [Train Map $background]"' || fail "File > Close"
file_command o
answer_dialog "Open Train Map" "$background"
wait_for title_is "Train Map Editor - [Train Map $background]" || fail "opening $background"
wait_for pattern_shown || fail "the picture is not back with the map"
echo "a background placed by numbers, saved and opened again"

# Drawn to measure: a track of typed length north from the origin, then a
# curve of typed radius and turn from its end; the file keeps where they end
# to the millimetre.
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
click_button 253 36                # Build track
xdotool mousemove --window "$frame" "$origin_x" "$origin_y" mousedown 1
xdotool mousemove --window "$frame" "$origin_x" $((origin_y - 30))
sleep 0.1
xdotool type --delay 30 "123.456"
xdotool key Return
xdotool mouseup 1
sleep 0.2
click_button 253 98                # Build curve, from the selected end
xdotool mousemove --window "$frame" "$origin_x" $((origin_y - 120)) mousedown 1
xdotool mousemove --window "$frame" $((origin_x + 30)) $((origin_y - 150))
sleep 0.1
xdotool type --delay 30 "300 @ 30"
xdotool key Return
xdotool mouseup 1
sleep 0.2
curve="$work/curve.TRN"
file_command s
answer_dialog "Save As" "$curve"
wait_for test -s "$curve" || fail "nothing written to $curve"
# The track's start, its end and the curve's end (300 - 300 cos 30 degrees
# east, 150 m further north).
for place in '0 +0' '0 +123\.456' '40\.192 +273\.456'; do
  grep -Eq "^ *[0-9]+ +$place +0 " "$curve" || fail "no point at $place in $curve: $(head -5 "$curve")"
done
echo "a track of typed length and a curve of typed radius, saved to the millimetre"

# A part of one map copied into another: a band around the lower of two
# tracks, Ctrl+C, a new window, Ctrl+V with the mouse over it; both saved.
# The pasted track has its centre under the mouse and identifiers of the
# new map's own.
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
click_button 253 36                # Build track
drag -100 -40 100 -40
click_button 467 7                 # "Build from selected point" up again
drag -100 40 100 40
click_button 253 5                 # Select
click_button 69 8                  # Select point
drag -120 20 120 60                # a band around the lower track
xdotool windowfocus --sync "$frame"
xdotool key ctrl+c
source_map="$work/source.TRN"
file_command s
answer_dialog "Save As" "$source_map"
printf '%s\r\n' 'PNT 4' \
  '   0 -100   40    0 0 2 1 -1 0 -1 0 ' \
  '   1  100   40    0 0 2 2 -1 0 -1 0 ' \
  '   3 -100  -40    0 0 5 1 -1 0 -1 0 ' \
  '   4  100  -40    0 0 5 2 -1 0 -1 0 ' \
  'TRK 2' '   2 0 0 ' '   5 0 0 ' >"$work/expected.TRN"
wait_for cmp -s "$work/expected.TRN" "$source_map" || {
  od -c "$source_map" >&2
  fail "the map copied from saves other bytes"
}
file_command n
wait_for title_is "Train Map Editor - [Train Map]" || fail "File > New"
xdotool mousemove --window "$frame" $((origin_x + 50)) $((origin_y - 30))
sleep 0.2
xdotool key ctrl+v
wait_for title_is "Train Map Editor - [Train Map*]" || fail "Ctrl+V pasted nothing"
pasted="$work/pasted.TRN"
file_command s
answer_dialog "Save As" "$pasted"
printf '%s\r\n' 'PNT 2' \
  '   0  -50   30    0 0 2 1 -1 0 -1 0 ' \
  '   1  150   30    0 0 2 2 -1 0 -1 0 ' \
  'TRK 1' '   2 0 0 ' >"$work/expected.TRN"
wait_for cmp -s "$work/expected.TRN" "$pasted" || {
  od -c "$pasted" >&2
  fail "the map pasted into saves other bytes"
}
echo "a part of one map copied and pasted into another, both saved"

# Nothing was printed, however the editor started, ended or was resized.
[[ ! -s "$work/tredit.log" ]] || fail "the editor printed"
