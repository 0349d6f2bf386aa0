#!/usr/bin/env bash
# Runs a command on a private Xvfb display that the server picks itself, so tests may run in parallel.
set -u
dir=$(mktemp -d)
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
server=$!
if ! read -r -t 30 number <"$dir/display"; then
  echo "Xvfb did not start:" >&2
  cat "$dir/xvfb.log" >&2
  kill "$server" 2>/dev/null
  exit 1
fi
export DISPLAY=":$number"
"$@"
status=$?
if [ "$status" != 0 ]; then
  echo "--- Xvfb on :$number (log tail)" >&2
  tail -n 20 "$dir/xvfb.log" >&2
  kill -0 "$server" 2>/dev/null || echo "--- Xvfb had already ended" >&2
fi
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$dir"
exit "$status"
