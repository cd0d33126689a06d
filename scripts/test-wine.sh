#!/usr/bin/env bash
# Cross-builds the Windows program and runs the Windows tests under the 32-bit Wine, built as
# the program ships (i686 Release), on a private virtual display. The x86_64 program is compiled
# too, so that the 64-bit build keeps building, but not run: what it would test, the shipped
# build tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

echo "test-wine: i686 build (program, stand-in tools, tests) in $SHIPPED_BUILD"
build_shipped "$root"
if [[ $SHIPPED_BUILD != build/w64 ]]; then
  echo "test-wine: x86_64 build (the program; compile only) in build/w64"
  configure_windows "$root" "$root/build/w64" mingw-x86_64.cmake -DLOADERGUI_TESTS=ON
  cmake --build "$root/build/w64" -j2 --target ravlinkgui
fi

wine_env "$root"
# Room for the dialog at 192 DPI, which the tests also run at.
start_private_display 1600x1200
ensure_wine_prefix N
clear_dpi_setting
# A serial port that the tests look for among the machine's ports.
ensure_serial_port COM7
export LOADERGUI_TEST_SERIAL_PORT=COM7

# A file system of 16 KiB, where a save finds the disk full; mounting takes the superuser, and
# without it that one test is skipped, saying so.
full_disk="$root/build/full-disk"
mkdir -p "$full_disk"
if mountpoint -q "$full_disk" || mount -t tmpfs -o size=16k tmpfs "$full_disk" 2>/dev/null; then
  trap 'umount "$full_disk" 2>/dev/null; stop_private_display' EXIT
  export LOADERGUI_TEST_FULL_FOLDER="Z:${full_disk//\//\\}"
else
  echo "test-wine: no small file system could be mounted; the full-disk test is skipped"
fi

# The tests write screenshots there (main-96dpi, options-144dpi, tip-192dpi, ...: the runs at
# 144 and 192 DPI are started by the tests themselves); Windows programs see the Linux root as
# drive Z:.
screenshots="$root/build/screenshots"
mkdir -p "$screenshots"
export LOADERGUI_SCREENSHOTS="Z:${screenshots//\//\\}"

tests="$root/$SHIPPED_BUILD/tests/win32"
echo "test-wine: running the i686 win32_tests.exe under the 32-bit Wine (display $DISPLAY)"
cd "$tests"
set +e
timeout 600 "$WINE32" win32_tests.exe 2>&1 | tee "$tests/win32_tests.log"
status=${PIPESTATUS[0]}
set -e
[[ $status -eq 124 ]] && echo "test-wine: win32_tests.exe took longer than 600 s and was stopped"

if command -v convert >/dev/null; then
  for bitmap in "$screenshots"/*.bmp; do
    [[ -e "$bitmap" ]] || continue
    convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
  done
fi

exit "$status"
