#!/usr/bin/env bash
# Installs what is missing, builds, and plays the demo.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
cd build
exec ./brinova
