#!/usr/bin/env bash
# Configures a build directory with Ninja unless it already holds a complete build system:
#   scripts/configure.sh BUILD_DIR [CMAKE_ARGUMENTS...]
# A configure that failed or was interrupted leaves a CMakeCache.txt without build.ninja, and that
# cache may hold what made it fail, so such a directory is configured again from a fresh cache.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: configure.sh BUILD_DIR [CMAKE_ARGUMENTS...]}
shift
if [ -f "$build/CMakeCache.txt" ] && [ -f "$build/build.ninja" ]; then exit 0; fi
rm -rf "${build:?}/CMakeCache.txt" "${build:?}/CMakeFiles"
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
