#!/usr/bin/env bash
# The real program under its own Xvfb, driven through the launcher with xdotool:
# the options (bad values, the loose tree from near the end without the dialog);
# the command line; "Exit!" and a signal quit the dialog; "Start!" (windowed) loads and runs until
# Escape, SIGINT or SIGTERM (also one sent while loading) ends it with the report and its status;
# a damaged archive ends it with the report and status 1.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
exec "$HERE/../support/with-xvfb.sh" bash "$HERE/lib/launcher-session.sh" "$BUILD_DIR"
