#!/usr/bin/env bash
# Shader files that cannot be read or compiled stop the start-up: message, pause, status 255.
source "$(dirname "$0")/lib.sh" "$1"

run_to_exit() {
  start_game
  wait_game_exit 120
  [ "$GAME_STATUS" = 255 ] || fail "exit status $GAME_STATUS, expected 255"
}

prepare_game_dir
rm "$WORK/game/Shader/DepthShader.vert"
run_to_exit
[ "$(head -n 1 "$WORK/out.log")" = "Failed to open shader file: Shader/DepthShader.vert" ] || fail "missing shader message"
[ "$(wc -l <"$WORK/out.log")" -eq 2 ] || fail "expected the message and the pause prompt only"

rm -rf "$WORK/game"
prepare_game_dir
echo "this is not GLSL" >>"$WORK/game/Shader/FlatTexture.frag"
run_to_exit
grep -qx 'Failed to compile shader (Shader/FlatTexture.frag' "$WORK/out.log" || fail "compile message"
log_line=$(grep -A1 -x 'Failed to compile shader (Shader/FlatTexture.frag' "$WORK/out.log" | tail -n 1)
echo "$log_line" | grep -qi 'error' || fail "driver log not on its own line: '$log_line'"
echo "fatal start-up e2e passed"
