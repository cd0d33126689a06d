#!/usr/bin/env bash
# Builds the Linux program as it ships (Release, build/qt-release) with the Linux stand-in tools
# and runs the Linux end-to-end driver (tests/e2e-linux): every scenario starts the real program
# in a fresh folder and works it through its windows with real input, on a virtual display of
# its own and a D-Bus session of its own, whose accessibility bus lets it read the windows.
# Leaves main-linux.png and options-linux.png in build/screenshots.
# Arguments go to the driver (--only TEXT runs the scenarios whose name holds TEXT; --keep keeps
# every scenario folder under build/e2e-linux-runs). Ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/linux-common.sh"
source "$root/scripts/driver-common.sh"

echo "test-e2e-linux: building the program and the stand-in tools in $LINUX_RELEASE_BUILD"
build_linux_release "$root" || exit 1
build="$root/$LINUX_RELEASE_BUILD"

work="$root/build/e2e-linux-runs"
rm -rf "$work"
mkdir -p "$work" "$root/build/screenshots"
output="$root/build/e2e-linux-driver.log"
echo "test-e2e-linux: running the driver; failed scenarios stay in build/e2e-linux-runs"

started=$SECONDS
start_linux_display || exit 1
# Debian's own Python, which has the accessibility and X bindings; a D-Bus session of the run's
# own, on which the accessibility bus starts when first asked for. The bus daemons' notes about
# their limits are left out; the driver's own count is held back for the closing line.
timeout 420 dbus-run-session -- /usr/bin/python3 "$root/tests/e2e-linux/driver.py" \
  --program "$build/src/qt/ravlinkgui" --tools "$build/src/standin/linux" \
  --terminal "$build/src/standin/linux/standin-terminal" --work "$work" \
  --screenshots "$root/build/screenshots" "$@" 2>&1 |
  grep --line-buffered -v -e '^dbus-daemon\[' -e '^SpiRegistry daemon is running' |
  tee "$output" | grep --line-buffered -Ev '^[0-9]+ passed, [0-9]+ failed$'
status=${PIPESTATUS[0]}
elapsed=$((SECONDS - started))

report_driver_run test-e2e-linux driver.py "$status" "$output" "$elapsed"
