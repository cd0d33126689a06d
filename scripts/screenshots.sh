#!/usr/bin/env bash
# Regenerates the README's pictures in docs/screenshots: the main window of the shipped 32-bit
# Windows program under the 32-bit Wine (main-windows.png) and of the Linux program built
# Release (main-linux.png), each started in a fresh folder with the stand-in tools, without
# settings, on a virtual display. Run it under the Wine lock where Wine is shared.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"
source "$root/scripts/linux-common.sh"

"$root/scripts/setup.sh"
build_shipped "$root" ravlinkgui ravlink-serial ravlink-ip arp
build_linux_release "$root" ravlinkgui ravlink-serial ravlink-ip arp

pictures="$root/docs/screenshots"
work="$root/build/screenshot-folders"
rm -rf "$work"
mkdir -p "$pictures" "$work/windows" "$work/linux"
show="/usr/bin/python3 $root/tests/e2e-linux/showwindow.py --title"
title="Ravlink Serial GUI 2.0"

cp "$root/$SHIPPED_BUILD/src/win32/ravlinkgui.exe" "$work/windows/"
stage_windows_tools "$root/$SHIPPED_BUILD" "$work/windows"
cp "$root/$LINUX_RELEASE_BUILD/src/qt/ravlinkgui" "$work/linux/"
stage_linux_tools "$root/$LINUX_RELEASE_BUILD" "$work/linux"

(
  wine_env "$root"
  start_private_display
  ensure_wine_prefix N
  cd "$work/windows"
  $show "$title" --picture "$pictures/main-windows.png" "$WINE32" ravlinkgui.exe
)
(
  start_linux_display
  cd "$work/linux"
  XDG_RUNTIME_DIR=$(mktemp -d) $show "$title" --picture "$pictures/main-linux.png" ./ravlinkgui
)
echo "screenshots: docs/screenshots/main-windows.png and main-linux.png are new"
