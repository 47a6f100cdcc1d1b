#!/usr/bin/env bash
# Runs a command on a private Xvfb screen with GLX (Mesa llvmpipe), whatever DISPLAY says.
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX" "$@"
