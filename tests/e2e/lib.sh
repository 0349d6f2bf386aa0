# Helpers for end-to-end tests: the real quorlax binary on the test's private Xvfb display.
# Usage: source lib.sh <build dir>; the game's console goes to $WORK/out.log and $WORK/err.log.
set -u

BUILD_DIR=$(cd "$1" && pwd)
# A preloaded library (the sanitizer run preloads the GL driver) is for the game only: xdotool and
# friends would start several times slower with it, and late key releases repeat toggles.
GAME_PRELOAD=${LD_PRELOAD:-}
unset LD_PRELOAD
WORK=$(mktemp -d)
GAME_PID=
# Key presses still running in the background end with the test: the next test's server may get
# the same display number, and a late Escape would end its game.
end_background_jobs() {
  local job
  for job in $(jobs -p); do
    pkill -P "$job" 2>/dev/null
    kill "$job" 2>/dev/null
  done
}
trap 'stop_game; end_background_jobs; rm -rf "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$WORK/out.log" ]; then echo "--- stdout (tail)" >&2; tail -n 20 "$WORK/out.log" >&2; fi
  if [ -f "$WORK/err.log" ]; then echo "--- stderr (tail)" >&2; tail -n 20 "$WORK/err.log" >&2; fi
  exit 1
}

# A working directory like the build directory: the game's Shader/ and Models/ beside it.
prepare_game_dir() {
  mkdir -p "$WORK/game"
  cp -r "$BUILD_DIR/Shader" "$WORK/game/Shader"
  cp -r "$BUILD_DIR/Models" "$WORK/game/Models"
}

# start_game [command prefix...], e.g. start_game env -u DISPLAY; the game gets the options in GAME_ARGS
start_game() {
  (cd "$WORK/game" && LD_PRELOAD=$GAME_PRELOAD exec "$@" "$BUILD_DIR/quorlax" ${GAME_ARGS:-} </dev/null >"$WORK/out.log" 2>"$WORK/err.log") &
  GAME_PID=$!
}

stop_game() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  GAME_PID=
}

# Waits until the game exits; its exit status is left in GAME_STATUS.
wait_game_exit() {
  local deadline=$((SECONDS + ${1:-60}))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && fail "game did not exit within ${1:-60} s"
    sleep 0.2
  done
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=
}

# Waits until stdout has at least `count` lines matching the pattern (extended regex).
wait_for_line() {
  local pattern=$1 count=${2:-1} timeout=${3:-120}
  local deadline=$((SECONDS + timeout))
  while [ "$(count_lines "$pattern")" -lt "$count" ]; do
    [ $SECONDS -ge $deadline ] && fail "no '$pattern' (x$count) on stdout within $timeout s"
    if [ -n "$GAME_PID" ] && ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      fail "game exited (status $?) while waiting for '$pattern'"
    fi
    sleep 0.2
  done
}

count_lines() { local n; n=$(grep -cE -- "$1" "$WORK/out.log" 2>/dev/null); echo "${n:-0}"; }

game_window() {
  local deadline=$((SECONDS + 60)) id
  while :; do
    id=$(xdotool search --name '^Quorlax$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return; }
    [ $SECONDS -ge $deadline ] && fail "no window titled Quorlax"
    sleep 0.2
  done
}

# Holds a key long enough to span at least one frame, then releases it.
hold_key() {
  local key=$1 seconds=${2:-0.6}
  xdotool windowfocus --sync "$(game_window)" 2>/dev/null || true
  xdotool keydown "$key"
  sleep "$seconds"
  xdotool keyup "$key"
}

# Holds Escape until the game ends (exit status in GAME_STATUS); the key is up again on return, so
# that a game started next does not begin with it held.
quit_game() {
  hold_key Escape 1 &
  local holder=$!
  wait_game_exit 60
  wait "$holder"
}

# Presses a key once, briefly: the game counts every press once, even one shorter than a frame.
tap_key() {
  xdotool windowfocus --sync "$(game_window)" 2>/dev/null || true
  # One xdotool process for both events: starting one takes most of a tenth of a second.
  xdotool keydown "$1" sleep 0.1 keyup "$1"
}

# Taps a key once and waits for one more line matching the pattern.
tap_for_line() {
  local before
  before=$(count_lines "$2")
  tap_key "$1"
  wait_for_line "$2" $((before + 1)) 30
}

# pixel_at X Y: saves the window as $WORK/shot.png and prints the colour of that pixel as "r g b"
# (0..255).
pixel_at() {
  local file="$WORK/shot.png"
  import -window "$(game_window)" "$file" 2>/dev/null || fail "could not capture the window"
  convert "$file" -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}
