#!/usr/bin/env bash
# The real program under its own Xvfb, driven through the launcher with xdotool:
# "Exit!" quits at once; "Start!" (windowed) loads, runs, and Escape ends it with the report.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
exec "$HERE/../support/with-xvfb.sh" bash "$HERE/lib/launcher-session.sh" "$BUILD_DIR"
