#!/usr/bin/env bash
# Makes the releases (scripts/release.sh) and starts each as a user first meets it: unpacked into
# a fresh folder, the stand-in tools put beside the program, the program started (the Windows one
# under the 32-bit Wine, the Linux one on a virtual display) until its main window shows, then
# closed with its close box, which must leave tools/settings.ini behind.
# Ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"
source "$root/scripts/linux-common.sh"

"$root/scripts/release.sh" || exit 1
echo "test-release: building the stand-in tools"
build_shipped "$root" ravlink-serial ravlink-ip arp || exit 1
build_linux_release "$root" ravlink-serial ravlink-ip arp || exit 1

work="$root/build/release-check"
rm -rf "$work"
mkdir -p "$work"
show="/usr/bin/python3 $root/tests/e2e-linux/showwindow.py --title"
title="Ravlink Serial GUI 2.0"
passed=0
failed=0
verdict() {
  if [[ $2 -eq 0 ]]; then
    echo "PASS $1"
    passed=$((passed + 1))
  else
    echo "FAIL $1: $3"
    failed=$((failed + 1))
  fi
}

# The Windows zip: one folder with the program, its read-me and the licence.
windows_release() {
  local folder
  unzip -q "$root"/dist/ravlinkgui-*-windows.zip -d "$work/windows" || return 1
  folder=$(echo "$work"/windows/ravlinkgui-*-windows)
  for file in ravlinkgui.exe README.txt LICENSE.txt; do
    [[ -f "$folder/$file" ]] || { echo "test-release: $file is not in the zip"; return 1; }
  done
  stage_windows_tools "$root/$SHIPPED_BUILD" "$folder" || return 1
  (
    wine_env "$root"
    start_private_display || exit 1
    ensure_wine_prefix N
    cd "$folder" && timeout 120 $show "$title" "$WINE32" ravlinkgui.exe
  ) || return 1
  [[ -f "$folder/tools/settings.ini" ]] || { echo "test-release: no settings written"; return 1; }
}

# The Linux archive: one folder with the program, its read-me and the licence.
linux_release() {
  local folder
  mkdir "$work/linux"
  tar -xzf "$root"/dist/ravlinkgui-*-linux-x86_64.tar.gz -C "$work/linux" || return 1
  folder=$(echo "$work"/linux/ravlinkgui-*-linux-x86_64)
  for file in ravlinkgui README.txt LICENSE; do
    [[ -f "$folder/$file" ]] || { echo "test-release: $file is not in the archive"; return 1; }
  done
  stage_linux_tools "$root/$LINUX_RELEASE_BUILD" "$folder" || return 1
  (
    start_linux_display || exit 1
    cd "$folder" && XDG_RUNTIME_DIR=$(mktemp -d) timeout 120 $show "$title" ./ravlinkgui
  ) || return 1
  [[ -f "$folder/tools/settings.ini" ]] || { echo "test-release: no settings written"; return 1; }
}

started=$SECONDS
windows_release
verdict "windows-zip-starts" $? "the program from the zip did not show its window and close"
linux_release
verdict "linux-archive-starts" $? "the program from the archive did not show its window and close"
echo "test-release: took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
