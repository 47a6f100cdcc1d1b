#!/usr/bin/env bash
# Fuzzes every reader of outside data for SECONDS each (default 60): configures and builds
# build-fuzz/ with clang when needed, writes the seeds, and runs each target on its corpus in
# build-fuzz/corpus/<Target>/, which keeps what the fuzzer finds. Crash inputs land in
# build-fuzz/findings/<Target>/. Fails when any target finds a crash, a leak or a timeout.
# Extra arguments go to every target (e.g. -jobs=2); FUZZ_TARGETS="A B" picks targets.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
shift || true
build=build-fuzz
jobs=${JOBS:-$(nproc)}

CC=${CC:-clang-14} CXX=${CXX:-clang++-14} \
  scripts/configure.sh $build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVR_FUZZ=ON
cmake --build $build -j "$jobs" --target kvr_fuzz

$build/fuzz/kvr_fuzz_seeds $build/corpus

export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
targets=${FUZZ_TARGETS:-$(cd $build/fuzz && ls *Fuzz)}
failed=()
for target in $targets; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  mkdir -p "$corpus" "$findings"
  log=$build/findings/$target.log
  echo "== $target: ${seconds}s"
  if $build/fuzz/$target "$corpus" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "$@" >"$log" 2>&1; then
    grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$log" | tr '\n' ' '
    echo
  else
    echo "!! $target failed; see $log"
    grep -E "ERROR|runtime error|SUMMARY" "$log" | head -5
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzz findings in: ${failed[*]}"
  exit 1
fi
