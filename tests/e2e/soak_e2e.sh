#!/usr/bin/env bash
# Soak: seeded random keys and mouse moves for a bounded time, R at every end screen. The game must
# not crash or report a GL error, and its resident memory must stay flat after the warm-up.
# SOAK_SECONDS (default 60) and SOAK_SEED (default 1) set the length and the sequence; a long run:
#   SOAK_SECONDS=600 ctest -R soak_e2e --output-on-failure
source "$(dirname "$0")/lib.sh" "$1"
seconds=${SOAK_SECONDS:-60}
RANDOM=${SOAK_SEED:-1}
warm_up=$((seconds / 2))
# Flight, camera views and switches; not 1 and 8: a free eye left inside an object ends every new game.
keys=(W W W S A D Q Up Down Left Right space Shift_L 2 3 4 5 6 F1 F3 F4 F5 F6 F7 F8 F9 M)

resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status"; }

prepare_game_dir
start_game
wait_for_line '^fps: ~' 1
window=$(game_window)

# Every switch on and off and every view once before the clock starts: the driver builds code for
# each new state the first time it is drawn (wireframe alone costs about 8 MB), once per run.
for toggle in 'F1 Enemies' 'F3 Wireframe' 'F4 Texture' 'F5 Mip' 'F6 LOD' 'F7 Bloom' 'F8 View' 'F9 Transparency'; do
  read -r key family <<<"$toggle"
  tap_until_line "$key" "^$family"
  sleep 0.3
  tap_until_line "$key" "^$family"
  sleep 0.3
done
tap_until_line F5 '^Mip'
for key in M M 3 4 5 6 2; do hold_key "$key" 0.3; done
ends_seen=0
restarts=0
samples=()
start=$SECONDS
next_sample=$start
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game died after $((SECONDS - start)) s"
  ends=$(count_lines '^(Game Over|You Escaped)')
  if [ "$ends" -gt "$ends_seen" ]; then
    ends_seen=$ends
    hold_key R 0.3
    restarts=$((restarts + 1))
    continue
  fi
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool mousemove_relative -- $((RANDOM % 41 - 20)) $((RANDOM % 41 - 20))
  hold_key "${keys[RANDOM % ${#keys[@]}]}" "0.$((RANDOM % 9 + 1))"
  if [ $SECONDS -ge "$next_sample" ]; then
    [ $((SECONDS - start)) -ge "$warm_up" ] && samples+=("$(resident_kb)")
    next_sample=$((SECONDS + 2))
  fi
done

grep -q '^GL: ' "$WORK/out.log" && fail "GL error during the soak"
[ ${#samples[@]} -ge 3 ] || fail "too few memory samples"
first=${samples[0]}
highest=$(printf '%s\n' "${samples[@]}" | sort -n | tail -n 1)
echo "soak: ${seconds} s, seed ${SOAK_SEED:-1}, $restarts restarts, resident ${first} kB after warm-up, at most ${highest} kB later"
# Flat: no more than 8 MB above the first sample of the second half.
[ $((highest - first)) -le 8192 ] || fail "resident memory grew from $first kB to $highest kB (samples: ${samples[*]})"

quit_game
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"
[ ! -s "$WORK/err.log" ] || fail "unexpected output on stderr"
echo "soak e2e passed"
