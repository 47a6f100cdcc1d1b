#!/usr/bin/env bash
# Configures (when build/ holds no complete build system) and builds into build/,
# RelWithDebInfo unless BUILD_TYPE says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/configure.sh build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
cmake --build build -j "$(nproc)"
