#!/usr/bin/env bash
# The toggle keys report their new state; F8 silences the culling line and F2 the frame lines.
# With --pass-times every report ends with the passes' GPU times.
source "$(dirname "$0")/lib.sh" "$1"

prepare_game_dir
GAME_ARGS=--pass-times start_game
wait_for_line '^fps: ~' 1
# (The first report may come before any frame's times are back.)
wait_for_line '^passes: shadow [0-9.]+ ms, scene [0-9.]+ ms, blur [0-9.]+ ms, composite [0-9.]+ ms$' 2
awk '/^passes:/ { scene = $6 } END { exit !(scene + 0 > 0) }' "$WORK/out.log" || fail "passes line without a scene time"

# Taps a toggle key until its family of lines grows, then checks the state it ended in.
toggle() {
  local key=$1 message=$2 family=$3
  tap_until_line "$key" "^$family"
  sleep 0.5
  [ "$(grep -E -- "^$family" "$WORK/out.log" | tail -n 1)" = "$message" ] || fail "$key did not end in '$message'"
}

toggle F1 'Enemies are following you!' 'Enemies are'
toggle F1 'Enemies are taking a break!' 'Enemies are'
toggle F3 'Wireframe enabled' 'Wireframe'
toggle F3 'Wireframe disabled' 'Wireframe'
toggle F4 'Texture Sampling linear' 'Texture Sampling'
grep -qx 'Mip Map Sampeling off' "$WORK/out.log" || fail "F4 did not report the mip-map sampling"
toggle F5 'Mip Map Sampeling nearest' 'Mip Map Sampeling'
toggle F6 'LOD always lowest' 'LOD'
toggle F7 'Bloom disabled' 'Bloom'
toggle F9 'Transparency disabled' 'Transparency'
toggle F9 'Transparency enabled' 'Transparency'

toggle F8 'View Frustum Culling disabled' 'View Frustum Culling'
wait_for_line '^fps: ~' $(($(count_lines '^fps: ~') + 1))
culled=$(count_lines '^Culled ')
wait_for_line '^fps: ~' $(($(count_lines '^fps: ~') + 2))
[ "$(count_lines '^Culled ')" = "$culled" ] || fail "culling line still printed after F8"

# F8 again brings the culling line back.
toggle F8 'View Frustum Culling enabled' 'View Frustum Culling'
wait_for_line '^Culled ' $((culled + 1))

# F2 has no message: tap it until a whole report interval passes without frame lines.
frame_lines_stopped() {
  local culled fps
  culled=$(count_lines '^Culled ')
  wait_for_line '^Culled ' $((culled + 1))
  fps=$(count_lines '^fps: ~')
  wait_for_line '^Culled ' $((culled + 2))
  [ "$(count_lines '^fps: ~')" = "$fps" ]
}
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  tap_key F2
  frame_lines_stopped && break
done
fps=$(count_lines '^fps: ~')
culled=$(count_lines '^Culled ')
wait_for_line '^Culled ' $((culled + 3))
[ "$(count_lines '^fps: ~')" = "$fps" ] || fail "frame lines still printed after F2"
[ "$(count_lines '^avg frame time')" = "$fps" ] || fail "frame time lines still printed after F2"

quit_game
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"
echo "toggles e2e passed"
