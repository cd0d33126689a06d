#!/usr/bin/env bash
# Builds the portable core and its native tests with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them; any report of either sanitizer fails the test that caused it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/asan"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOADERGUI_SANITIZE=ON >/dev/null
cmake --build "$build" -j2
# Leaks count as failures too; a report stops the test at once instead of running on.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# All the tests in one process: a sanitized process takes most of a second to start, which a
# process per test (as the native suite runs them) spent 600 times over. The native suite also
# runs what is left out here: the test that kills saving processes 200 times, which looks at the
# file system, not at memory, and the icon check, which is a script.
cd "$build/tests/core"
./core_tests --gtest_filter=-SaveKilledTest.*
