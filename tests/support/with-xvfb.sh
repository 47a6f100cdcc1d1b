#!/usr/bin/env bash
# Runs a command on a private Xvfb screen with GLX (Mesa llvmpipe), whatever DISPLAY says.
# The display number is drawn at random from a high range and skipped while any server (also
# one in another mount namespace, seen through its abstract socket) holds it, so parallel
# runs never share a screen. -noreset keeps the server from resetting whenever its last client
# disconnects (SDL connects, disconnects and connects again while it starts).
set -u
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

display_taken() {
  [ -e "/tmp/.X$1-lock" ] || [ -e "/tmp/.X11-unix/X$1" ] || grep -q "/tmp/.X11-unix/X$1\$" /proc/net/unix 2>/dev/null
}

start_server() {
  local number=$1
  Xvfb ":$number" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" +extension GLX -nolisten tcp -noreset \
    >"$workdir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    kill -0 "$xvfb_pid" 2>/dev/null || return 1
    DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  kill "$xvfb_pid" 2>/dev/null
  return 1
}

started=""
for _ in $(seq 1 20); do
  number=$((100 + RANDOM % 800))
  display_taken "$number" && continue
  if start_server "$number"; then started=$number; break; fi
done
if [ -z "$started" ]; then
  echo "Xvfb did not start:" >&2
  cat "$workdir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$started"
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
