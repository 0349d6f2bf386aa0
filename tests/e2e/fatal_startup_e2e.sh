#!/usr/bin/env bash
# Shader files that cannot be read or compiled stop the start-up: message, pause, status 255.
source "$(dirname "$0")/lib.sh" "$1"

run_to_exit() {
  start_game "$@"
  wait_game_exit 120
  [ "$GAME_STATUS" = 255 ] || fail "exit status $GAME_STATUS, expected 255"
}

prepare_game_dir
rm "$WORK/game/Shader/DepthShader.vert"
run_to_exit
[ "$(head -n 1 "$WORK/out.log")" = "Failed to open shader file: Shader/DepthShader.vert" ] || fail "missing shader message"
[ "$(wc -l <"$WORK/out.log")" -eq 2 ] || fail "expected the message and the pause prompt only"

# With input open the pause waits for Enter before the process ends.
mkfifo "$WORK/keyboard"
(cd "$WORK/game" && LD_PRELOAD=$GAME_PRELOAD exec "$BUILD_DIR/quorlax" <"$WORK/keyboard" >"$WORK/out.log" 2>&1) &
GAME_PID=$!
exec 4>"$WORK/keyboard"
wait_for_line '^Press Enter' 1 60
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the pause did not wait for Enter"
echo >&4
wait_game_exit 30
exec 4>&-
[ "$GAME_STATUS" = 255 ] || fail "exit status $GAME_STATUS after Enter, expected 255"

rm -rf "$WORK/game"
prepare_game_dir
echo "this is not GLSL" >>"$WORK/game/Shader/FlatTexture.frag"
run_to_exit
grep -qx 'Failed to compile shader (Shader/FlatTexture.frag' "$WORK/out.log" || fail "compile message"
log_line=$(grep -A1 -x 'Failed to compile shader (Shader/FlatTexture.frag' "$WORK/out.log" | tail -n 1)
echo "$log_line" | grep -qi 'error' || fail "driver log not on its own line: '$log_line'"
# Without a display GLFW cannot start; without a 4.1 context there is no window.
run_to_exit env -u DISPLAY
[ "$(head -n 1 "$WORK/out.log")" = "GLFW failed" ] || fail "no 'GLFW failed'"
run_to_exit env MESA_GL_VERSION_OVERRIDE=3.3
[ "$(head -n 1 "$WORK/out.log")" = "ERROR: Could not open window." ] || fail "no 'ERROR: Could not open window.'"
echo "fatal start-up e2e passed"
