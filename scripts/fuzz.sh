#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time: 30 seconds each by
# default, or as many seconds each as the first argument says (scripts/fuzz.sh 3600: an hour
# each). The seeds are fuzz/corpus; what a run learns stays in build/fuzz/work for the next run,
# and an input that breaks a property is written to build/fuzz/artifacts. Ends with the line
# "fuzz: N passed, N failed", one count per target.
#
# scripts/fuzz.sh --repeatable, the test command's run, tries the same inputs on every machine:
# a fixed seed, a fixed number of inputs per target and only the seeds to start from. A test
# command must not pass on one run and fail on the next; new findings come from the timed runs,
# and each one found is kept in fuzz/findings, which the native tests replay.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
repeatable=false
if [[ ${1:-} == --repeatable ]]; then
  repeatable=true
  shift
fi
seconds=${1:-30}
build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLOADERGUI_FUZZ=ON -DLOADERGUI_TESTS=OFF >/dev/null
cmake --build "$build" -j2
# A smaller quarantine keeps the targets, which allocate a lot per input, from paging.
export ASAN_OPTIONS="quarantine_size_mb=16:detect_leaks=1"

passed=0
failed=0
# Inputs per target in a repeatable run: some 20 to 30 seconds each on one core here.
declare -A repeatable_runs=([settings_fuzz]=3000 [profile_store_fuzz]=15000)
fixed_layout=()
one_at_a_time=()
for target in settings_fuzz profile_store_fuzz; do
  work="$build/work/$target"
  bound=(-max_total_time="$seconds")
  if $repeatable; then
    work="$build/work-repeatable/$target"
    rm -rf "$work"
    # Whatever differs between two runs steers the search apart: comparison operands (a random
    # folder name among them) and the addresses of a randomised layout.
    bound=(-seed=1 -runs="${repeatable_runs[$target]}" -use_cmp=0 -use_memmem=0)
    export LOADERGUI_FUZZ_FOLDER=/tmp/loadergui-fuzz-repeatable
    ! setarch -R true 2>/dev/null || fixed_layout=(setarch -R)
    # That folder is the same for every checkout on the machine: one repeatable run at a time
    # uses it, or one would empty it under another.
    one_at_a_time=(flock /tmp/loadergui-fuzz-repeatable.lock)
  fi
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  mkdir -p "$work" "$artifacts"
  if "${one_at_a_time[@]}" "${fixed_layout[@]}" "$build/fuzz/$target" "${bound[@]}" -timeout=30 -max_len=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$work" "$root/fuzz/corpus" >"$log" 2>&1; then
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log")
    speed=$(sed -nE 's/^stat::average_exec_per_sec: *([0-9]+).*/\1/p' "$log")
    if $repeatable; then
      echo "fuzz $target: ${runs:-?} runs from seed 1 (${speed:-?} per second), no finding"
    else
      echo "fuzz $target: ${runs:-?} runs in ${seconds} s (${speed:-?} per second), no finding"
    fi
    passed=$((passed + 1))
  else
    echo "fuzz $target: FINDING, see $log; the input is in $artifacts:"
    grep -E "property failed|ERROR:|SUMMARY:" "$log" | head -20 || true
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
