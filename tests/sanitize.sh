#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs every test there. Extra arguments go to ctest (e.g. -L unit, -R Track).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc)}

scripts/configure.sh build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVR_SANITIZE=ON
cmake --build build-asan -j "$jobs"

# Leak reports are on; the only suppressions are objects meant to live until exit and leaks
# inside system libraries (see the file).
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"

cd build-asan
ctest --output-on-failure -j "$jobs" "$@"
