#!/usr/bin/env bash
# scripts/configure.sh (which build.sh, the sanitizer suite and the fuzzing use) configures a build
# directory that a failed or interrupted configure left with a cache but no build files, and
# leaves a complete one alone.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

mkdir "$work/build"
echo "# This is the CMakeCache file." >"$work/build/CMakeCache.txt"
if ! "$ROOT/scripts/configure.sh" "$work/build" -DCMAKE_BUILD_TYPE=Release >"$work/log" 2>&1; then
  echo "FAIL: configuring over a cache without build files failed:"; cat "$work/log"; status=1
elif [ ! -f "$work/build/build.ninja" ]; then
  echo "FAIL: a cache without build files was taken for a complete build system"; status=1
else
  echo "ok: a cache without build files is configured again"
fi

if [ -f "$work/build/build.ninja" ]; then
  touch -d "2001-01-01" "$work/build/build.ninja"
  "$ROOT/scripts/configure.sh" "$work/build" >"$work/log" 2>&1
  if [ "$(stat -c %Y "$work/build/build.ninja")" != "$(date -d 2001-01-01 +%s)" ]; then
    echo "FAIL: a complete build system was configured again"; status=1
  else
    echo "ok: a complete build system is left alone"
  fi
fi
exit $status
