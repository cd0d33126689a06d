#!/usr/bin/env bash
# Builds the program as it ships (i686 Release, stripped), the stand-in tools and the end-to-end
# driver the same way, and runs the driver under the 32-bit Wine: every scenario works the real
# program through its windows, in a fresh folder.
# Arguments go to the driver (--only TEXT runs the scenarios whose name holds TEXT; --keep keeps
# every scenario folder under build/e2e-runs). Ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"
source "$root/scripts/driver-common.sh"

build="$root/$SHIPPED_BUILD"
echo "test-e2e: building the program, the stand-in tools and the driver in $SHIPPED_BUILD"
build_shipped "$root" ravlinkgui ravlink-serial ravlink-ip arp e2e_driver || exit 1

# A prefix of its own, so that nothing another test leaves behind can change what is seen.
export WINEPREFIX="$root/build/e2e-wineprefix"
wine_env "$root"
if [[ -z "${DISPLAY:-}" ]]; then
  start_private_display || exit 1
fi
# Without this, Wine waits about two seconds for a window manager whenever a window hides.
ensure_wine_prefix N
# A serial port beyond the standard four, for the device list to offer.
ensure_serial_port COM7

work="$root/build/e2e-runs"
rm -rf "$work"
mkdir -p "$work"
# Drive R: of the prefix is a folder of its own, for the program placed in a drive's root.
root_drive="$work/drive-r"
mkdir -p "$root_drive"
ln -sfn "$root_drive" "$WINEPREFIX/dosdevices/r:"
output="$root/build/e2e-driver.log"
echo "test-e2e: running the i686 e2e_driver.exe under the 32-bit Wine (display $DISPLAY); failed scenarios stay in build/e2e-runs"

started=$SECONDS
# Line by line as the scenarios end: CR LF made plain, Wine's note about the volume label of
# drive Z: (which its file dialogs provoke) left out, and the driver's own count held back for
# the closing line below.
timeout 300 "$WINE32" "$build/tests/e2e/e2e_driver.exe" --work "Z:${work//\//\\}" \
  --root-drive R: "$@" 2>&1 |
  sed -u -e 's/\r$//' -e '/^wine: Read access denied for device/d' | tee "$output" |
  grep --line-buffered -Ev '^[0-9]+ passed, [0-9]+ failed$'
status=${PIPESTATUS[0]}
elapsed=$((SECONDS - started))

# A driver that hangs leaves the program and its windows behind in the prefix.
[[ $status -ne 124 ]] || "$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true
report_driver_run test-e2e e2e_driver.exe "$status" "$output" "$elapsed"
