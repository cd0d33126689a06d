#!/usr/bin/env bash
# Regenerates the README's pictures in docs/screenshots: the main window, and the main window
# with its File menu open, of the shipped 32-bit Windows program under the 32-bit Wine
# (main-windows.png, file-menu-windows.png) and of the Linux program built Release
# (main-linux.png, file-menu-linux.png), on a virtual display. Each program starts in a fresh
# folder with the stand-in tools and a settings file that keeps an upload file and four recent
# ones, all of which exist. With LOADERGUI_WINDOWS_ARCH=x86_64 (a machine that runs no 32-bit
# code) the Windows pictures are of the x86_64 build, which draws the same windows, and the
# script says so. Run it under the Wine lock where Wine is shared.
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
mkdir -p "$pictures" "$work/linux/ravlinkgui"
show="/usr/bin/python3 $root/tests/e2e-linux/showwindow.py --title"
title="Ravlink Serial GUI 2.0"

# Builds in the program's folder FOLDER and samples in a folder beside it, which the program
# names SAMPLES (with its separator at the end); the settings file keeps the newest build as the
# upload file and lists the four files newest first, as the program itself writes them: a path
# inside its folder relative to it with "/", any other as it is.
lay_out_recent_files() {
  local folder=$1 samples=$2 file
  mkdir -p "$folder/builds" "$folder/../samples"
  for file in builds/demo.elf builds/menu-test.elf ../samples/sound-test.elf ../samples/cube.bin; do
    echo "ELF image ${file##*/}" >"$folder/$file"
  done
  printf '%s\r\n' "[FILES]" "UPLOAD=builds/demo.elf" "DOWNLOAD=" "RECENT1=builds/demo.elf" \
    "RECENT2=builds/menu-test.elf" "RECENT3=${samples}sound-test.elf" \
    "RECENT4=${samples}cube.bin" >"$folder/tools/settings.ini"
}

(
  wine_env "$root"
  start_private_display
  ensure_wine_prefix N
  # On the prefix's drive C:, so that the menu shows the paths a Windows user sees.
  folder="$WINEPREFIX/drive_c/ravlinkgui"
  rm -rf "$folder" "$WINEPREFIX/drive_c/samples"
  mkdir -p "$folder"
  cp "$root/$SHIPPED_BUILD/src/win32/ravlinkgui.exe" "$folder/"
  stage_windows_tools "$root/$SHIPPED_BUILD" "$folder"
  lay_out_recent_files "$folder" 'C:\samples\'
  cd "$folder"
  $show "$title" --picture "$pictures/main-windows.png" \
    --menu-picture "$pictures/file-menu-windows.png" "$WINE32" ravlinkgui.exe
)
(
  start_linux_display
  folder="$work/linux/ravlinkgui"
  cp "$root/$LINUX_RELEASE_BUILD/src/qt/ravlinkgui" "$folder/"
  stage_linux_tools "$root/$LINUX_RELEASE_BUILD" "$folder"
  lay_out_recent_files "$folder" "$work/linux/samples/"
  cd "$folder"
  XDG_RUNTIME_DIR=$(mktemp -d) $show "$title" --picture "$pictures/main-linux.png" \
    --menu-picture "$pictures/file-menu-linux.png" ./ravlinkgui
)
echo "screenshots: docs/screenshots/main-windows.png, file-menu-windows.png, main-linux.png" \
  "and file-menu-linux.png are new"
if [[ $SHIPPED_BUILD != build/w32 ]]; then
  echo "screenshots: the Windows pictures are of the x86_64 build under the 64-bit Wine," \
    "not of the shipped 32-bit program"
fi
