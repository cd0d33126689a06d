#!/usr/bin/env bash
# Makes dist/ with the two releases: a zip of the Windows program as it ships (the 32-bit
# ravlinkgui.exe of the i686 Release build) and a tar archive of the Linux program's folder
# (the program built Release, stripped, with its desktop entry, AppStream metadata and icons),
# each with a read-me for users and the licence.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# A release always carries the 32-bit program, whatever build the Windows suites run.
unset LOADERGUI_WINDOWS_ARCH
source "$root/scripts/wine-common.sh"
source "$root/scripts/linux-common.sh"

# The version the Windows program's version resource carries, without its build number.
version=$(sed -nE 's/.*VALUE "ProductVersion", "([0-9]+\.[0-9]+\.[0-9]+)\.[0-9]+".*/\1/p' \
  "$root/src/win32/app.rc")
[[ -n $version ]] || { echo "release: no ProductVersion in src/win32/app.rc" >&2; exit 1; }

echo "release: building the i686 Release program ($SHIPPED_BUILD) and the Linux one ($LINUX_RELEASE_BUILD)"
build_shipped "$root" ravlinkgui
build_linux_release "$root" ravlinkgui

dist="$root/dist"
rm -rf "$dist"
mkdir -p "$dist"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Windows users get CRLF text files with an extension that opens them.
windows="ravlinkgui-$version-windows"
mkdir "$stage/$windows"
cp "$root/$SHIPPED_BUILD/src/win32/ravlinkgui.exe" "$stage/$windows/"
sed 's/$/\r/' "$root/packaging/windows/README.txt" >"$stage/$windows/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/$windows/LICENSE.txt"
(cd "$stage" && zip -q -r -X "$dist/$windows.zip" "$windows")

linux="ravlinkgui-$version-linux-x86_64"
mkdir "$stage/$linux"
install -m 755 "$root/$LINUX_RELEASE_BUILD/src/qt/ravlinkgui" "$stage/$linux/ravlinkgui"
strip "$stage/$linux/ravlinkgui"
install -m 644 "$root/packaging/linux/README.txt" "$root/LICENSE" "$stage/$linux/"
# What desktops know the program by: its menu entry, its AppStream metadata, and its icon in the
# freedesktop sizes and as SVG, laid out as under a data folder's share/
# (./ravlinkgui --install-desktop-entry puts the entry and icons into the user's menu).
install -m 644 "$root/packaging/linux/ravlinkgui.desktop" \
  "$root/packaging/linux/ravlinkgui.metainfo.xml" "$stage/$linux/"
(cd "$root/packaging/icon" && find hicolor -name ravlinkgui.png) | while read -r png; do
  install -D -m 644 "$root/packaging/icon/$png" "$stage/$linux/share/icons/$png"
done
install -D -m 644 "$root/packaging/icon/ravlinkgui.svg" \
  "$stage/$linux/share/icons/hicolor/scalable/apps/ravlinkgui.svg"
tar -C "$stage" --owner=0 --group=0 --numeric-owner -czf "$dist/$linux.tar.gz" "$linux"

echo "release: made"
ls -l "$dist"
