#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; says how long each step took.
set -euo pipefail
cd "$(dirname "$0")"

timed() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  echo "== test.sh: $name took $((SECONDS - start)) s"
  return $status
}

timed "installing" scripts/install-deps.sh
timed "building" scripts/build.sh
cd build
timed "testing" ctest --output-on-failure -j "$(nproc)" "$@"
