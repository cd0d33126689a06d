#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time: 30 seconds each by
# default, or as many seconds each as the first argument says (scripts/fuzz.sh 3600: an hour
# each). The seeds are fuzz/corpus; what a run learns stays in build/fuzz/work for the next run,
# and an input that breaks a property is written to build/fuzz/artifacts. Ends with the line
# "fuzz: N passed, N failed", one count per target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLOADERGUI_FUZZ=ON -DLOADERGUI_TESTS=OFF >/dev/null
cmake --build "$build" -j2
# A smaller quarantine keeps the targets, which allocate a lot per input, from paging.
export ASAN_OPTIONS="quarantine_size_mb=16:detect_leaks=1"

passed=0
failed=0
for target in settings_fuzz profile_store_fuzz; do
  work="$build/work/$target"
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  mkdir -p "$work" "$artifacts"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=30 -max_len=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$root/fuzz/corpus" >"$log" 2>&1; then
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log")
    speed=$(sed -nE 's/^stat::average_exec_per_sec: *([0-9]+).*/\1/p' "$log")
    echo "fuzz $target: ${runs:-?} runs in ${seconds} s (${speed:-?} per second), no finding"
    passed=$((passed + 1))
  else
    echo "fuzz $target: FINDING, see $log; the input is in $artifacts:"
    grep -E "property failed|ERROR:|SUMMARY:" "$log" | head -20 || true
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
