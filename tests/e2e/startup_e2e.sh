#!/usr/bin/env bash
# The game opens its window, reports frame statistics once a second and quits on Escape.
source "$(dirname "$0")/lib.sh" "$1"

prepare_game_dir
start_game
wait_for_line '^fps: ~ [0-9]+$' 2
wait_for_line '^avg frame time: [0-9.e+-]+ ms$' 2
wait_for_line '^Culled [0-9]+ of 80 Objects\.$' 2

window=$(game_window)
geometry=$(xdotool getwindowgeometry "$window" | grep Geometry | awk '{print $2}')
[ "$geometry" = "800x600" ] || fail "window is $geometry, expected 800x600"
[ "$(xdotool getwindowname "$window")" = "Quorlax" ] || fail "window title is not Quorlax"

# Each report: the culling line, then the two frame lines.
awk '/^Culled/ {c=NR} /^fps: ~/ { if (c != NR-1) bad=1 } /^avg frame time/ { if (!/ ms$/) bad=1 } END { exit bad }' \
  "$WORK/out.log" || fail "report lines out of order"
[ "$(count_lines '^passes:')" = 0 ] || fail "pass times printed without --pass-times"

quit_game
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"
[ ! -s "$WORK/err.log" ] || fail "unexpected output on stderr"
echo "startup e2e passed"
