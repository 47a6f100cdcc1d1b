#!/usr/bin/env bash
# Installs what is missing, builds, and plays the demo (or, without a display, renders it to
# build/brinova.mp4).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
cd build
# Without a display there is no dialog to show: render the production to a video instead.
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: rendering the demo to build/brinova.mp4 with brinova-capture"
  # 30 frames per second at quality Low keeps a software renderer to minutes, not hours.
  exec ./brinova-capture --size 1280x720 --fps 30 --quality 0 --video brinova.mp4
fi
exec ./brinova
