#!/usr/bin/env bash
# The real game, one scenario per run: game_e2e.sh <build dir> <play|fatal|showcase|explore> <window_message>
#   play: report, views, both end screens, R, closing; fatal: start-up failures, the bench's command
#   line; showcase: command line, window sizes, fullscreen, screenshots, overlay; explore: --set,
#   the readout, pause, V, compare, the settings panel
source "$(dirname "$0")/lib.sh" "$1"
WINDOW_MESSAGE=${3:-}  # the window_message helper: sends a window manager's requests

is_colour() {  # is_colour "r g b" red|green: that channel at least 250, the others at most 5
  local r g b
  read -r r g b <<<"$1"
  [ "$2" = green ] && read -r g r b <<<"$1"
  [ "$r" -ge 250 ] && [ "$g" -le 5 ] && [ "$b" -le 5 ]
}

# end_screen red|green: the 800x600 window has that colour beside the text, and in its middle
# third more pixels of another colour than the hint alone has (the title too).
end_screen() {
  is_colour "$(pixel_at 100 300)" "$1" || fail "window is not plain $1 beside the text"
  local colour='rgb(255,0,0)' others
  [ "$1" = green ] && colour='rgb(0,255,0)'
  others=$(convert "$WORK/shot.png" -gravity center -crop 100%x33%+0+0 +repage -fuzz 2% -transparent "$colour" \
    -alpha extract -format '%[fx:round(mean*w*h)]' info:)
  [ "${others:-0}" -gt 500 ] || fail "the $1 screen shows no title and hint (${others:-no} other pixels)"
}

quit_with_status_0() {
  quit_game
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"
}

# Closes the window as its close button does; the game must end with status 0 within the seconds
# given (default 30).
close_window_with_status_0() {
  "$WINDOW_MESSAGE" "$(game_window)" close || fail "could not send the close request"
  wait_game_exit "${1:-30}"
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after closing the window"
}

play() {
  # Closing the window while start-up waits for a model (a pipe nobody writes) ends the game.
  rm "$WORK/game/Models/scythe2.dae"
  mkfifo "$WORK/game/Models/scythe2.dae"
  start_game
  close_window_with_status_0 15
  local process
  for process in $(pgrep -f quorlax-import); do
    [ "$(readlink "/proc/$process/cwd")" = "$WORK/game" ] && fail "the import process outlived the game"
  done
  rm "$WORK/game/Models/scythe2.dae"
  cp "$BUILD_DIR/Models/scythe2.dae" "$WORK/game/Models/"

  start_game
  wait_for_line '^Culled [0-9]+ of 80 Objects\.$' 2
  wait_for_line '^avg frame time: [0-9.e+-]+ ms$' 2
  [ "$(window_size)" = 800x600 ] || fail "window is not 800x600"
  [ "$(xdotool getwindowname "$(game_window)")" = "Quorlax" ] || fail "window title is not Quorlax"
  [ "$(count_lines '^passes:')" = 0 ] || fail "pass times printed without --pass-times"
  # A held toggle acts once.
  hold_key h 1
  wait_for_line '^Overlay enabled$' 1 30
  wait_reports 1
  [ "$(count_lines '^Overlay (en|dis)abled$')" = 1 ] || fail "holding H toggled the overlay more than once"
  tap_for_line h '^Overlay disabled$'
  # The views only watch: an orbit view and the free eye inside the light end no game.
  hold_key 5 2
  tap_key 1
  tap_key 8
  wait_reports 2
  [ "$(count_lines '^Game Over')" = 0 ] || fail "a view key ended the game"
  # The free eye back at (0, 0, 5), away from the craft; the enemies reach the resting craft.
  tap_key r
  tap_for_line F1 '^Enemies are following you!$'
  wait_for_line '^Game Over, press R to try again or ESC to close!$' 1 120
  end_screen red
  # A short tap of R starts a game that runs on for its first second at least.
  local reports
  reports=$(count_lines '^fps: ~')
  tap_key r
  wait_for_line '^fps: ~' $((reports + 1)) 60
  [ "$(count_lines '^Game Over')" = 1 ] || fail "the new game ended at once"
  close_window_with_status_0
  [ ! -s "$WORK/err.log" ] || fail "unexpected output on stderr"

  # On the literal path (long frames) every short tap of a toggle counts, once.
  GAME_ARGS=--reference start_game
  wait_reports 1
  local tap
  for tap in 1 2 3 4 5; do
    xdotool keydown F7 sleep 0.02 keyup F7
    sleep 0.5
  done
  wait_for_line '^Bloom (en|dis)abled$' 5 30
  wait_reports 1
  [ "$(grep -E '^Bloom (en|dis)abled$' "$WORK/out.log" | tr '\n' ' ')" = \
    "Bloom disabled Bloom enabled Bloom disabled Bloom enabled Bloom disabled " ] || fail "five taps of F7"
  quit_with_status_0

  # Full throttle straight ahead leaves every enemy 400 units behind.
  start_game
  wait_for_line '^fps: ~' 1
  xdotool windowfocus --sync "$(game_window)" 2>/dev/null || true
  xdotool keydown w
  wait_for_line '^You Escaped! Congratz!$' 1 240
  end_screen green
  grep -q '^Game Over' "$WORK/out.log" && fail "crashed on the way out"
  # R after a long wait, W held: the wait counts neither as frame time nor in the report's second.
  sleep 8
  local pressed
  reports=$(count_lines '^fps: ~')
  xdotool keydown R
  pressed=$(date +%s.%N)
  sleep 0.5
  xdotool keyup R
  wait_for_line '^fps: ~' $((reports + 1)) 60
  awk -v pressed="$pressed" -v now="$(date +%s.%N)" 'BEGIN { exit !(now - pressed >= 0.9) }' ||
    fail "a report came within a second of the new game"
  wait_for_line '^fps: ~' $((reports + 2)) 60
  [ "$(count_lines '^You Escaped')" = 1 ] || fail "the new game ended at once"
  # The new game escapes too; closing the window on the green screen quits.
  wait_for_line '^You Escaped! Congratz!$' 2 240
  xdotool keyup w
  close_window_with_status_0
}

# run_to_exit <first line> [command prefix...]: the game ends with that line and status 255.
run_to_exit() {
  local expected=$1
  shift
  start_game "$@"
  wait_game_exit 120
  [ "$GAME_STATUS" = 255 ] || fail "exit status $GAME_STATUS, expected 255"
  [ "$(head -n 1 "$WORK/out.log")" = "$expected" ] || fail "first line is not '$expected'"
}

fatal() {
  local hint='no display: set DISPLAY or run under xvfb-run'
  echo "this is not GLSL" >>"$WORK/game/Shader/FlatTexture.frag"
  run_to_exit 'Failed to compile shader (Shader/FlatTexture.frag'
  sed -n 2p "$WORK/out.log" | grep -qi 'error' || fail "the driver's log is not on its own line"
  # Without a display GLFW cannot start; without a 4.1 context there is no window.
  run_to_exit 'GLFW failed' env -u DISPLAY
  [ "$(sed -n 2p "$WORK/out.log")" = "$hint" ] || fail "no hint after 'GLFW failed'"
  run_to_exit 'ERROR: Could not open window.' env MESA_GL_VERSION_OVERRIDE=3.3
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

  # The benchmark: --help and --version need no display; a bad option is refused before any window.
  local bench=(env -u DISPLAY "$BUILD_DIR/quorlax-bench") option args status
  "${bench[@]}" --help >"$WORK/cli.out" || fail "bench --help: status $?"
  for option in '--frames N' --reference '--restarts N' '--size WxH' --help --version; do
    grep -q -- "^  $option " "$WORK/cli.out" || fail "bench --help lacks $option"
  done
  "${bench[@]}" --version | grep -qE '^quorlax-bench [0-9]+\.[0-9]+\.[0-9]+$' || fail "bench --version"
  for args in --bogus '--frames abc' '--frames 0' '--restarts -1' --frames; do
    "${bench[@]}" $args </dev/null >"$WORK/cli.out" 2>"$WORK/cli.err"
    status=$?
    [ "$status" = 2 ] && [ ! -s "$WORK/cli.out" ] && grep -q '^Usage: quorlax-bench' "$WORK/cli.err" ||
      fail "bench $args: status $status"
  done
  # Without a display it ends at once, input open and nobody at the keyboard.
  (cd "$WORK/game" && LD_PRELOAD=$GAME_PRELOAD exec "${bench[@]}" <"$WORK/keyboard" >"$WORK/out.log" 2>&1) &
  GAME_PID=$!
  exec 4>"$WORK/keyboard"
  wait_game_exit 30
  exec 4>&-
  [ "$GAME_STATUS" != 0 ] || fail "bench without a display: status 0"
  [ "$(head -n 2 "$WORK/out.log")" = "GLFW failed"$'\n'"$hint" ] || fail "bench without a display"
}

# capture <name>: the window as $WORK/<name>.png
capture() { import -window "$(game_window)" "$WORK/$1.png" 2>/dev/null || fail "could not capture the window"; }

# differing <a> <b> [crop]: how many pixels of two captures (cropped alike) differ
differing() {
  compare -metric AE "$WORK/$1.png${3:+[$3]}" "$WORK/$2.png${3:+[$3]}" null: 2>&1 | cut -d' ' -f1
}

# changed_box <a> <b>: "width height x y" of the smallest box holding every pixel where two captures differ
changed_box() {
  convert "$WORK/$1.png" "$WORK/$2.png" -compose difference -composite -threshold 0 -trim -format '%w %h %X %Y' info: |
    tr -d +
}

# The window's size as WxH.
window_size() { xdotool getwindowgeometry "$(game_window)" | sed -n 's/.*Geometry: //p'; }

# wait_reports <n>: n more once-a-second reports
wait_reports() { wait_for_line '^Culled ' $(($(count_lines '^Culled ') + $1)); }

# The start view (nothing in it moves) of a game started at this size.
capture_started_at() {
  GAME_ARGS="--size $1" start_game
  wait_reports 2
  capture "started-$1"
  quit_with_status_0
}

showcase() {
  # The command line: --help and --version need no display; a bad option is refused before any window.
  local run=(env -u DISPLAY "$BUILD_DIR/quorlax") args status
  for args in --help -h; do
    "${run[@]}" $args >"$WORK/cli.out" || fail "$args: status $?"
    grep -q -- '--size WxH' "$WORK/cli.out" && grep -q -- '--fullscreen' "$WORK/cli.out" || fail "$args lacks options"
  done
  "${run[@]}" --version | grep -qE '^Quorlax [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version"
  for args in --bogus '--size 319x240' '--size 800' '--size 8000x600' --size; do
    "${run[@]}" $args >"$WORK/cli.out" 2>"$WORK/cli.err"
    status=$?
    [ "$status" = 2 ] && [ ! -s "$WORK/cli.out" ] && grep -q '^Usage: quorlax' "$WORK/cli.err" || fail "$args: status $status"
  done
  "${run[@]}" --bogus 2>&1 | grep -qx 'Unknown option: --bogus' || fail "no 'Unknown option' line"
  "${run[@]}" --size 100x100 2>&1 | grep -qx 'Invalid size: 100x100 (320x240 to 7680x4320)' || fail "no smallest size"

  capture_started_at 1000x700
  capture_started_at 640x360
  # --pass-times ends each report with the passes' times.
  GAME_ARGS=--pass-times start_game
  wait_for_line '^passes: shadow [0-9.]+ ms, scene [0-9.]+ ms, blur [0-9.]+ ms, composite [0-9.]+ ms$' 2
  # A still start view's time is the composite's tone map (timer queries put it elsewhere).
  awk '/^passes:/ { composite = $12 } END { exit !(composite + 0 > 0.1) }' "$WORK/out.log" ||
    fail "passes line without the composite's time"
  capture before
  # A resized window fills with the picture a game started at that size shows: a row and a column.
  local size
  for size in 1000x700 640x360; do
    xdotool windowsize "$(game_window)" ${size%x*} ${size#*x}
    wait_reports 2
    capture "resized-$size"
    [ "$(differing "resized-$size" "started-$size" "${size%x*}x1+0+$((${size#*x} / 2))")" = 0 ] &&
      [ "$(differing "resized-$size" "started-$size" "1x${size#*x}+$((${size%x*} / 2))+0")" = 0 ] ||
      fail "the window resized to $size does not show the picture of that size"
  done
  xdotool windowsize "$(game_window)" 800 600
  wait_reports 2
  # Iconified, nothing is drawn or reported; restored, the view is as it was.
  "$WINDOW_MESSAGE" "$(game_window)" iconify
  sleep 1
  local reports=$(count_lines '^Culled ')
  sleep 3
  [ "$(count_lines '^Culled ')" = "$reports" ] || fail "reports while iconified"
  "$WINDOW_MESSAGE" "$(game_window)" restore
  wait_reports 2
  capture restored
  [ "$(differing restored before)" = 0 ] || fail "the view moved while the window was iconified"
  # F11 covers the screen; back, the window has its size again.
  tap_for_line F11 '^Fullscreen enabled$'
  wait_reports 1
  [ "$(window_size)" = 1024x768 ] || fail "fullscreen is $(window_size)"
  tap_for_line F11 '^Fullscreen disabled$'
  wait_reports 1
  [ "$(window_size)" = 800x600 ] || fail "back from fullscreen at $(window_size)"
  # F12 saves what the window shows.
  tap_for_line F12 '^Screenshot saved: quorlax-[0-9]{8}-[0-9]{6}-[0-9]+\.png$'
  local shot
  shot=$(sed -n 's/^Screenshot saved: //p' "$WORK/out.log" | tail -n 1)
  cp "$WORK/game/$shot" "$WORK/shot.png" || fail "no file $shot"
  capture window
  [ "$(differing shot window)" = 0 ] || fail "the screenshot is not what the window shows"
  # H draws the panel over the top left corner and changes nothing else.
  tap_for_line h '^Overlay enabled$'
  wait_reports 2
  capture panel
  local box_w box_h box_x box_y
  read -r box_w box_h box_x box_y <<<"$(changed_box panel window)"
  [ "$box_x" = 10 ] && [ "$box_y" = 10 ] && [ "$box_w" -lt 500 ] && [ "$box_h" -lt 540 ] ||
    fail "the panel changed pixels outside its corner: $box_w x $box_h at $box_x, $box_y"
  # Where the working directory cannot be written, the game says why and goes on.
  tap_for_line h '^Overlay disabled$'
  rm -rf "$WORK/game"
  tap_for_line F12 '^Screenshot not saved: .+'
  wait_reports 1
  quit_with_status_0
  [ ! -s "$WORK/err.log" ] || fail "unexpected output on stderr"
}

# mouse_steps "X Y [xdotool action]"...: the pointer at each place in the window, each step lasting two
# reports, so that a whole frame sees it however slow the frames
mouse_steps() {
  local step window
  window=$(game_window)
  for step in "$@"; do xdotool mousemove --window "$window" $step && wait_reports 2; done
}

# mean_of <name>: the mean of a capture's channels, 0 to 1
mean_of() { convert "$WORK/$1.png" -format '%[fx:mean]' info:; }

explore() {
  # --set: an unknown name or a bad value is refused before any window; exposure 2 brightens the start.
  local run=(env -u DISPLAY "$BUILD_DIR/quorlax") args status
  for args in 'nope=1' 'exposure=99' 'blur_passes=3' 'shadows=x' 'exposure=0x1' exposure; do
    "${run[@]}" --set "$args" >"$WORK/cli.out" 2>"$WORK/cli.err"
    status=$?
    [ "$status" = 2 ] && [ ! -s "$WORK/cli.out" ] && grep -q '^Usage: quorlax' "$WORK/cli.err" || fail "--set $args: status $status"
  done
  "${run[@]}" --settings >"$WORK/cli.out"
  grep -qx 'exposure  0.1 to 5  (default 1)  tone map: HDR colour scale before the tone curve' "$WORK/cli.out" &&
    grep -q '^texture_linear  0 or 1  (default 1) ' "$WORK/cli.out" || fail "--settings lacks exposure or the loaded filter"
  "${run[@]}" --set exposure=99 2>&1 | grep -qx 'Invalid value for exposure: 99 (0.1 to 5)' || fail "no range named"
  GAME_ARGS='--set exposure=2' start_game
  wait_reports 2
  capture bright
  quit_with_status_0
  # --show starts in a guided view: the shadows' light grey slab fills the lower middle. A view key
  # gives the game back.
  GAME_ARGS='--show shadows' start_game
  wait_for_line '^Showing technique: shadows$' 1 30
  wait_reports 1
  local r g b
  read -r r g b <<<"$(pixel_at 400 500)"
  [ "$r" -gt 90 ] && [ "$r" = "$g" ] && [ "$g" = "$b" ] || fail "no slab under --show shadows: $r $g $b"
  capture guided
  tap_key 2
  wait_reports 2
  capture unguided
  [ "$(differing guided unguided)" -gt 100000 ] || fail "key 2 did not leave the guided view"
  quit_with_status_0
  GAME_ARGS='--set paused=1' start_game
  wait_reports 2
  capture normal
  awk -v b="$(mean_of bright)" -v n="$(mean_of normal)" 'BEGIN { exit !(b > n * 1.2) }' ||
    fail "--set exposure=2 does not brighten the start view ($(mean_of bright) vs $(mean_of normal))"

  # F1 adds the nearest enemy's distance to the readout at the bottom right, clear of the window's
  # middle ninth, and changes nothing else; the first key takes the hint at the bottom left away.
  tap_for_line F1 '^Enemies are following you!$'
  wait_reports 2
  capture following
  tap_for_line F1 '^Enemies are taking a break!$'
  wait_reports 2
  capture paused-start
  [ "$(differing normal paused-start 370x24+8+543)" != 0 ] && [ "$(differing normal paused-start 800x500+0+0)" = 0 ] ||
    fail "the first key did not take the hint away, or changed more"
  local box_w box_h box_x box_y
  read -r box_w box_h box_x box_y <<<"$(changed_box following paused-start)"
  [ "$box_w" -gt 100 ] && [ "$box_w" -lt 400 ] && [ "$box_h" -lt 40 ] && [ "$box_x" -ge 534 ] && [ "$box_y" -ge 400 ] ||
    fail "F1 changed more than the readout's corner: $box_w x $box_h at $box_x, $box_y"
  # X smooths the edges and the stars, not the flat areas: a few hundred to a tenth of the pixels
  # change by more than 2 %.
  tap_for_line x '^Anti-aliasing enabled$'
  wait_reports 2
  capture smoothed
  local smoothed
  smoothed=$(compare -metric AE -fuzz 2% "$WORK/paused-start.png" "$WORK/smoothed.png" null: 2>&1 | cut -d' ' -f1)
  [ "$smoothed" -ge 300 ] && [ "$smoothed" -le 48000 ] || fail "X changed $smoothed pixels by more than 2 %"
  tap_for_line x '^Anti-aliasing disabled$'
  # Orbit view 4, paused at once with its sphere in sight: still until the period key (two reports).
  tap_for_line p '^Running$'
  tap_key 4
  tap_for_line p '^Paused$'
  wait_reports 1
  capture paused-1
  wait_reports 1
  capture paused-2
  [ "$(differing paused-1 paused-2)" = 0 ] || fail "the paused world moved"
  tap_key period
  wait_reports 2
  capture stepped
  [ "$(differing paused-2 stepped)" != 0 ] || fail "the period key did not step the paused world"

  # V's views from the free view at (0, 0, 5), the light and a planet in sight: each its own picture.
  tap_key 1
  tap_key r
  wait_reports 2
  capture view-0
  local view other
  for view in 1 2 3 4 5 6; do
    tap_for_line v '^Showing: '
    wait_reports 1
    capture "view-$view"
    for ((other = 0; other < view; ++other)); do
      [ "$(differing "view-$view" "view-$other")" -gt 1000 ] || fail "view $view looks like view $other"
    done
  done
  tap_for_line v '^Showing: final picture$'

  # C with wireframe on: left of the line the filled picture, right of it the wireframe one (the
  # labels lie at the bottom, the line at the middle column).
  wait_reports 1
  capture filled
  tap_for_line F3 '^Wireframe enabled$'
  wait_reports 1
  capture wireframe
  tap_for_line c '^Compare enabled$'
  wait_reports 1
  capture compared
  [ "$(differing compared filled 380x540+0+0)" = 0 ] || fail "the left half is not the defaults' picture"
  [ "$(differing compared wireframe 380x540+420+0)" = 0 ] || fail "the right half is not the wireframe picture"
  [ "$(differing compared filled 380x540+420+0)" != 0 ] || fail "the right half shows the defaults"
  tap_for_line F3 '^Wireframe disabled$'
  wait_reports 1
  capture compared-filled

  # The panel leaves the compare line, its labels and the middle in view; its bloom checkbox works.
  tap_for_line Tab '^Settings panel open$'
  wait_reports 1
  capture compared-panel
  local area
  for area in 1x600+400+0 140x40+334+560 40x40+380+280; do
    [ "$(differing compared-filled compared-panel "$area")" = 0 ] || fail "the settings panel covers $area"
  done
  # The line dragged into the left half: the panel moves right, and the defaults show left of it.
  mouse_steps '400 300 mousedown 1' '300 300' '200 300' '200 300 mouseup 1'
  capture dragged
  [ "$(differing compared-filled dragged 180x500+10+20)" = 0 ] || fail "the panel stayed over the dragged line"
  tap_for_line c '^Compare disabled$'
  mouse_steps '56 229 mousedown 1' '56 229 mouseup 1'
  wait_for_line '^Bloom disabled$' 1 30
  # A held click on the tone map's "Show me" (the first group's, whose place later rows never move)
  # shows its guided view.
  mouse_steps '96 166 mousedown 1' '96 166' '96 166 mouseup 1'
  wait_for_line '^Showing technique: tone_map$' 1 30
  tap_for_line Tab '^Settings panel closed$'
  quit_with_status_0
  [ ! -s "$WORK/err.log" ] || fail "unexpected output on stderr"
}

case ${2:-} in
  play | fatal | showcase | explore) prepare_game_dir && "$2" ;;
  *) fail "unknown scenario '${2:-}'" ;;
esac
echo "$2 e2e passed"
