#!/usr/bin/env bash
# Sets up what is missing, then runs every test: native first, the same under the address and
# undefined-behaviour sanitizers, the Linux program's Qt layer on the offscreen platform, the
# Linux program driven end to end through its windows on a virtual display, how scripts/run.sh
# ends the program and its display when it is stopped, then the shipped 32-bit Windows build
# under Wine (its Windows tests, then the real program driven end to end through its windows),
# the releases unpacked and started, and last a repeatable run of each fuzz target. Every suite
# runs even when an earlier one fails; the Windows suites run beside the Linux ones. Ends with
# the line "N passed, N failed" over all of them, and says loudly when the machine could not run
# the 32-bit program.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Which Windows build the suites run is this script's choice, made below.
unset LOADERGUI_WINDOWS_ARCH
logs="$root/build/test-logs"
mkdir -p "$logs"

"$root/scripts/setup.sh" || exit 1

# Each suite leaves its log, its exit status and its time in build/test-logs, which the summary
# reads; a suite may run in the background.
rm -f "$logs"/*.status "$logs"/*.time
run_suite() {
  local name=$1 script=$2 started=$SECONDS
  shift 2
  "$root/scripts/$script" "$@" 2>&1 | tee "$logs/$name.log"
  echo "${PIPESTATUS[0]}" >"$logs/$name.status"
  echo "$((SECONDS - started))" >"$logs/$name.time"
}

# The Windows suites test the shipped 32-bit program. A machine whose kernel runs no 32-bit code
# runs them on the x86_64 build under the 64-bit Wine instead, which finds every fault but those
# of the 32-bit build alone, and the release check leaves out starting the zip's program; the
# summary says so loudly. LOADERGUI_REQUIRE_WINE32=1 makes such a run fail.
no_wine32=0
windows_arch=i686
if ! "$root/scripts/check-wine32.sh" 2>&1 | tee "$logs/wine32.log"; then
  no_wine32=1
  windows_arch=x86_64
fi
# In the background, beside the Linux suites: the Windows tests (building the whole Windows tree,
# the end-to-end driver included), the 32-bit program that the release check packs, and the fuzz
# runs. Each side's waiting for windows is filled by the other side's compiling; their own
# displays, Wine prefixes and build folders keep them apart. The Windows end-to-end run comes
# after both, on a quiet machine: it drives the folder browser and drops, whose timing under
# Wine does not stand a machine busy compiling.
windows_side() {
  LOADERGUI_WINDOWS_ARCH=$windows_arch run_suite wine test-wine.sh
  (source "$root/scripts/wine-common.sh" && build_shipped "$root" ravlinkgui ravlink-serial \
    ravlink-ip arp)
  run_suite fuzz fuzz.sh --repeatable
}
echo "test: the Windows tests and the fuzz runs go on in the background; their logs are" \
  "build/test-logs/{wine,fuzz}.log"
windows_side >/dev/null 2>"$logs/windows-builds.log" &
windows_pid=$!
# Stopped, the script takes the background suites with it.
trap 'trap - TERM; kill 0' INT TERM

run_suite native test-native.sh
run_suite sanitize test-sanitize.sh
run_suite qt test-qt.sh
run_suite e2e-linux test-e2e-linux.sh
run_suite run test-run.sh
wait "$windows_pid"
for name in wine fuzz; do
  echo "=== the end of build/test-logs/$name.log"
  tail -n 25 "$logs/$name.log" 2>/dev/null
done
LOADERGUI_WINDOWS_ARCH=$windows_arch run_suite e2e test-e2e.sh
# The release check builds what the two sides built already, so it waits for both.
LOADERGUI_NO_WINE32=$no_wine32 run_suite release test-release.sh

# ctest: "100% tests passed, 0 tests failed out of 323"; GoogleTest: "[  PASSED  ] 193 tests."
# and "[  FAILED  ] 2 tests, listed below:"; the drivers and the release check: "47 passed, 0
# failed"; the fuzz runs: "fuzz: 2 passed, 0 failed".
last() { sed -nE "$1" "$logs/$2.log" 2>/dev/null | tail -1; }
native_total=$(last 's/.*tests failed out of ([0-9]+).*/\1/p' native)
native_failed=$(last 's/.* ([0-9]+) tests failed out of.*/\1/p' native)
sanitize_passed=$(last 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' sanitize)
sanitize_failed=$(last 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' sanitize)
qt_passed=$(last 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' qt)
qt_failed=$(last 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' qt)
wine_passed=$(last 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' wine)
wine_failed=$(last 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' wine)
e2e_passed=$(last 's/^([0-9]+) passed, [0-9]+ failed$/\1/p' e2e)
e2e_failed=$(last 's/^[0-9]+ passed, ([0-9]+) failed$/\1/p' e2e)
e2e_linux_passed=$(last 's/^([0-9]+) passed, [0-9]+ failed$/\1/p' e2e-linux)
e2e_linux_failed=$(last 's/^[0-9]+ passed, ([0-9]+) failed$/\1/p' e2e-linux)
run_passed=$(last 's/^([0-9]+) passed, [0-9]+ failed$/\1/p' run)
run_failed=$(last 's/^[0-9]+ passed, ([0-9]+) failed$/\1/p' run)
release_passed=$(last 's/^([0-9]+) passed, [0-9]+ failed$/\1/p' release)
release_failed=$(last 's/^[0-9]+ passed, ([0-9]+) failed$/\1/p' release)
fuzz_passed=$(last 's/^fuzz: ([0-9]+) passed, [0-9]+ failed$/\1/p' fuzz)
fuzz_failed=$(last 's/^fuzz: [0-9]+ passed, ([0-9]+) failed$/\1/p' fuzz)
native_passed=$((${native_total:-0} - ${native_failed:-0}))
passed=$((native_passed + ${sanitize_passed:-0} + ${qt_passed:-0} + ${e2e_linux_passed:-0} + ${run_passed:-0} + ${wine_passed:-0} + ${e2e_passed:-0} + ${release_passed:-0} + ${fuzz_passed:-0}))
failed=$((${native_failed:-0} + ${sanitize_failed:-0} + ${qt_failed:-0} + ${e2e_linux_failed:-0} + ${run_failed:-0} + ${wine_failed:-0} + ${e2e_failed:-0} + ${release_failed:-0} + ${fuzz_failed:-0}))
# A suite that failed without counting its failures (it did not build, say) counts as one; so
# does one that left no status (its script could not start).
broken=()
timings=()
for suite in native sanitize qt e2e-linux run wine e2e release fuzz; do
  [[ $(cat "$logs/$suite.status" 2>/dev/null) == 0 ]] || broken+=("$suite")
  timings+=("$suite $(cat "$logs/$suite.time" 2>/dev/null || echo '?') s")
done
for suite in "${broken[@]}"; do
  case $suite in
    native) [[ ${native_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    sanitize) [[ ${sanitize_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    qt) [[ ${qt_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    e2e-linux) [[ ${e2e_linux_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    run) [[ ${run_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    wine) [[ ${wine_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    e2e) [[ ${e2e_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    release) [[ ${release_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
    fuzz) [[ ${fuzz_failed:-0} -gt 0 ]] || failed=$((failed + 1)) ;;
  esac
done

windows="Windows under the 32-bit Wine"
((no_wine32)) && windows="Windows (x86_64 build) under the 64-bit Wine"
echo "native $native_passed, sanitized ${sanitize_passed:-0}, Qt ${qt_passed:-0}," \
  "Linux end to end ${e2e_linux_passed:-0}, run script ${run_passed:-0}," \
  "$windows ${wine_passed:-0}, end to end ${e2e_passed:-0}, releases ${release_passed:-0}, fuzz targets ${fuzz_passed:-0}"
echo "times with builds: $(IFS=,; echo "${timings[*]}" | sed 's/,/, /g'); in all $SECONDS s"
((${#broken[@]})) && echo "suites that failed: ${broken[*]}"
if ((no_wine32)); then
  echo "!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"
  echo "!!! THE SHIPPED 32-BIT PROGRAM WAS NOT RUN: this machine cannot run 32-bit code (see"
  echo "!!! build/test-logs/wine32.log). The Windows tests and the end-to-end run used the x86_64"
  echo "!!! build under the 64-bit Wine; the release check did not start the zip's program."
  echo "!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!"
  echo "$passed passed, $failed failed, shipped 32-bit program NOT RUN"
  [[ ${LOADERGUI_REQUIRE_WINE32:-0} == 1 ]] && exit 1
else
  echo "$passed passed, $failed failed"
fi
[[ $failed -eq 0 && ${#broken[@]} -eq 0 ]]
