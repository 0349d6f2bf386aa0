#!/usr/bin/env bash
# Crashing turns the window red, escaping turns it green, R starts a new game, Escape quits.
source "$(dirname "$0")/lib.sh" "$1"

is_colour() {  # is_colour "r g b" red|green
  local r g b
  read -r r g b <<<"$1"
  case $2 in
    red) [ "$r" -ge 250 ] && [ "$g" -le 5 ] && [ "$b" -le 5 ] ;;
    green) [ "$g" -ge 250 ] && [ "$r" -le 5 ] && [ "$b" -le 5 ] ;;
  esac
}

prepare_game_dir

# Free view, then key 8 puts the eye into the light sphere: game over.
start_game
wait_for_line '^fps: ~' 1
hold_key 1 0.5
hold_key 8 0.5
wait_for_line '^Game Over, press R to try again or ESC to close!$' 1 60
pixel=$(centre_pixel)
is_colour "$pixel" red || fail "window is not plain red after the crash: $pixel"
quit_game
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape on the red screen"

# Full throttle straight ahead leaves every enemy 400 units behind.
start_game
wait_for_line '^fps: ~' 1
xdotool windowfocus --sync "$(game_window)" 2>/dev/null || true
xdotool keydown W
wait_for_line '^You Escaped! Congratz!$' 1 240
pixel=$(centre_pixel)
is_colour "$pixel" green || fail "window is not plain green after escaping: $pixel"
grep -q '^Game Over' "$WORK/out.log" && fail "crashed on the way out"

# R after a long wait, W still held: a new game that runs on. Had the wait counted as frame time,
# the first frame would throw the craft hundreds of units ahead, out of every enemy's reach.
sleep 8
hold_key R 0.5
frames=$(count_lines '^fps: ~')
wait_for_line '^fps: ~' $((frames + 2)) 60
xdotool keyup W
[ "$(count_lines '^You Escaped')" = 1 ] || fail "the new game ended at once"
quit_game
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"
echo "end-of-game e2e passed"
