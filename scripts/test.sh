#!/usr/bin/env bash
# Sets up what is missing, then runs every test: native first, then the Windows build under Wine,
# then the real program driven end to end through its windows. Ends with the line
# "N passed, N failed" over all three.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
logs="$root/build/test-logs"
mkdir -p "$logs"

"$root/scripts/setup.sh"
"$root/scripts/test-native.sh" 2>&1 | tee "$logs/native.log"
"$root/scripts/test-wine.sh" 2>&1 | tee "$logs/wine.log"
"$root/scripts/test-e2e.sh" 2>&1 | tee "$logs/e2e.log"

# ctest: "100% tests passed, 0 tests failed out of 323"; GoogleTest: "[  PASSED  ] 193 tests.";
# the driver: "47 passed, 0 failed".
native_total=$(sed -nE 's/.*tests failed out of ([0-9]+).*/\1/p' "$logs/native.log" | tail -1)
native_failed=$(sed -nE 's/.* ([0-9]+) tests failed out of.*/\1/p' "$logs/native.log" | tail -1)
wine_passed=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$logs/wine.log" | tail -1)
e2e_passed=$(sed -nE 's/^([0-9]+) passed, [0-9]+ failed$/\1/p' "$logs/e2e.log" | tail -1)
passed=$((native_total - native_failed + ${wine_passed:-0} + ${e2e_passed:-0}))
echo "native $((native_total - native_failed)), Windows under Wine ${wine_passed:-0}, end to end ${e2e_passed:-0}"
echo "$passed passed, $native_failed failed"
