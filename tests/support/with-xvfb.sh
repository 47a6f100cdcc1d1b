#!/usr/bin/env bash
# Runs a command on a private Xvfb screen with GLX (Mesa llvmpipe), whatever DISPLAY says.
# Xvfb picks a free display number itself (-displayfd), so parallel runs never collide.
set -u
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
mkfifo "$workdir/display"
Xvfb -displayfd 5 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" +extension GLX -nolisten tcp \
  5>"$workdir/display" 2>"$workdir/xvfb.log" &
xvfb_pid=$!
if ! read -r -t 20 display <"$workdir/display"; then
  echo "Xvfb did not start:" >&2
  cat "$workdir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
