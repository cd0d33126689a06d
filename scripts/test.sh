#!/usr/bin/env bash
# Sets up what is missing, then runs every test: native first, the same under the address and
# undefined-behaviour sanitizers, then the Windows build under Wine, then the real program driven
# end to end through its windows, and last a bounded run of each fuzz target. Ends with the line
# "N passed, N failed" over all of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
logs="$root/build/test-logs"
mkdir -p "$logs"

"$root/scripts/setup.sh"
"$root/scripts/test-native.sh" 2>&1 | tee "$logs/native.log"
"$root/scripts/test-sanitize.sh" 2>&1 | tee "$logs/sanitize.log"
"$root/scripts/test-wine.sh" 2>&1 | tee "$logs/wine.log"
"$root/scripts/test-e2e.sh" 2>&1 | tee "$logs/e2e.log"
"$root/scripts/fuzz.sh" 2>&1 | tee "$logs/fuzz.log"

# ctest: "100% tests passed, 0 tests failed out of 323"; GoogleTest: "[  PASSED  ] 193 tests.";
# the driver: "47 passed, 0 failed"; the fuzz runs: "fuzz: 2 passed, 0 failed".
native_total=$(sed -nE 's/.*tests failed out of ([0-9]+).*/\1/p' "$logs/native.log" | tail -1)
native_failed=$(sed -nE 's/.* ([0-9]+) tests failed out of.*/\1/p' "$logs/native.log" | tail -1)
wine_passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$logs/wine.log" | tail -1)
e2e_passed=$(sed -nE 's/^([0-9]+) passed, [0-9]+ failed$/\1/p' "$logs/e2e.log" | tail -1)
sanitize_total=$(sed -nE 's/.*tests failed out of ([0-9]+).*/\1/p' "$logs/sanitize.log" | tail -1)
sanitize_failed=$(sed -nE 's/.* ([0-9]+) tests failed out of.*/\1/p' "$logs/sanitize.log" | tail -1)
fuzz_passed=$(sed -nE 's/^fuzz: ([0-9]+) passed, [0-9]+ failed$/\1/p' "$logs/fuzz.log" | tail -1)
fuzz_failed=$(sed -nE 's/^fuzz: [0-9]+ passed, ([0-9]+) failed$/\1/p' "$logs/fuzz.log" | tail -1)
sanitize_passed=$((sanitize_total - sanitize_failed))
passed=$((native_total - native_failed + sanitize_passed + ${wine_passed:-0} + ${e2e_passed:-0} + ${fuzz_passed:-0}))
failed=$((native_failed + sanitize_failed + ${fuzz_failed:-0}))
echo "native $((native_total - native_failed)), sanitized $sanitize_passed," \
  "Windows under Wine ${wine_passed:-0}, end to end ${e2e_passed:-0}, fuzz targets ${fuzz_passed:-0}"
echo "$passed passed, $failed failed"
