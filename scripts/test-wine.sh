#!/usr/bin/env bash
# Cross-builds the Windows program (x86_64 with tests, i686 compile-only) and runs the Windows
# tests under Wine on a private virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

echo "test-wine: x86_64 build (program, stand-in tools, tests) in build/w64"
configure_windows "$root" "$root/build/w64" mingw-x86_64.cmake -DLOADERGUI_TESTS=ON
cmake --build "$root/build/w64" -j2
echo "test-wine: i686 build (program and stand-in tools, compile only) in build/w32"
configure_windows "$root" "$root/build/w32" mingw-i686.cmake -DLOADERGUI_TESTS=OFF
cmake --build "$root/build/w32" -j2

wine_env "$root"
# Room for the dialog at 192 DPI, which the tests also run at.
start_private_display 1600x1200
ensure_wine_prefix N
clear_dpi_setting
# A serial port that the tests look for among the machine's ports.
ensure_serial_port COM7
export LOADERGUI_TEST_SERIAL_PORT=COM7

# The tests write screenshots there (main-96dpi, options-144dpi, tip-192dpi, ...: the runs at
# 144 and 192 DPI are started by the tests themselves); Windows programs see the Linux root as
# drive Z:.
screenshots="$root/build/screenshots"
mkdir -p "$screenshots"
export LOADERGUI_SCREENSHOTS="Z:${screenshots//\//\\}"

echo "test-wine: running win32_tests.exe under Wine (display $DISPLAY)"
cd "$root/build/w64/tests/win32"
set +e
timeout 600 "$WINE64" win32_tests.exe 2>&1 | tee "$root/build/w64/win32_tests.log"
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
