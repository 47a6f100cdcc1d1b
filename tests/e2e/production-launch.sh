#!/usr/bin/env bash
# The production started the way a person starts it: on a 640 x 360 screen, quality "Low" picked
# in the launcher, "Start!", a few seconds of the demo, Escape, and the whole report.
set -uo pipefail
BUILD_DIR=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
XVFB_SCREEN=640x360x24 exec "$HERE/../support/with-xvfb.sh" bash "$HERE/lib/production-session.sh" "$BUILD_DIR"
