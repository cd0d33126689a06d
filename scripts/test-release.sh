#!/usr/bin/env bash
# Makes the releases (scripts/release.sh) and starts each as a user first meets it: unpacked into
# a fresh folder, the stand-in tools put beside the program, the program started (the Windows one
# under the 32-bit Wine, the Linux one on a virtual display) until its main window shows, then
# closed with its close box, which must leave tools/settings.ini behind. The Linux archive's
# desktop entry, metadata and icons are validated, and its --install-desktop-entry and
# --remove-desktop-entry tried in a data folder of the check's own; and the Linux read-me must
# name the Qt and the distributions that the program's symbol versions call for. The zip's
# program must be a 32-bit one; with LOADERGUI_NO_WINE32=1 (a machine that runs no 32-bit code)
# it is not started, and the check says so rather than passing.
# Ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
unset LOADERGUI_WINDOWS_ARCH
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
desktop="/usr/bin/python3 $root/tests/e2e-linux/desktopentry.py"
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

# The machine type in a Windows program's file header: 14c for a 32-bit x86 program.
pe_machine() {
  python3 -c 'import struct,sys
data = open(sys.argv[1], "rb").read(4096)
header = struct.unpack_from("<I", data, 0x3C)[0]
print("%x" % struct.unpack_from("<H", data, header + 4)[0] if data[header:header + 4] == b"PE\0\0" else "none")' "$1"
}

# The Windows zip: one folder with the program (a 32-bit one), its read-me and the licence.
windows_zip() {
  local folder machine
  unzip -q "$root"/dist/ravlinkgui-*-windows.zip -d "$work/windows" || return 1
  folder=$(echo "$work"/windows/ravlinkgui-*-windows)
  for file in ravlinkgui.exe README.txt LICENSE.txt; do
    [[ -f "$folder/$file" ]] || { echo "test-release: $file is not in the zip"; return 1; }
  done
  machine=$(pe_machine "$folder/ravlinkgui.exe")
  [[ $machine == 14c ]] || { echo "test-release: the zip's program is not a 32-bit one ($machine)"; return 1; }
}

# The program from the zip, started with the stand-in tools beside it.
windows_release() {
  local folder
  folder=$(echo "$work"/windows/ravlinkgui-*-windows)
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

# The archive's desktop entry and AppStream metadata as the freedesktop validators see them,
# and its icons in every hicolor size.
linux_desktop_files() {
  local folder
  folder=$(echo "$work"/linux/ravlinkgui-*-linux-x86_64)
  desktop-file-validate "$folder/ravlinkgui.desktop" || return 1
  appstreamcli validate --no-net "$folder/ravlinkgui.metainfo.xml" || return 1
  grep -qx 'Exec=ravlinkgui %f' "$folder/ravlinkgui.desktop" ||
    { echo "test-release: the entry does not start ravlinkgui with a file"; return 1; }
  $desktop --icons "$folder/share/icons/hicolor" || return 1
}

# The archive unpacked afresh into a folder whose name needs quoting in an Exec key, with no tools
# folder and no display: --install-desktop-entry writes a valid entry that starts the program
# there, and the icons; --remove-desktop-entry takes exactly those away again.
linux_desktop_entry() {
  local place="$work/desktop/Ravlink & Co (\$HOME's) 100%" data="$work/desktop/data"
  local folder program entry started expected
  mkdir -p "$place" "$data/applications" || return 1
  tar -xzf "$root"/dist/ravlinkgui-*-linux-x86_64.tar.gz -C "$place" || return 1
  folder=$(echo "$place"/ravlinkgui-*-linux-x86_64)
  program="$folder/ravlinkgui"
  entry="$data/applications/ravlinkgui.desktop"
  echo "another program's entry" >"$data/applications/other.desktop"
  (unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; cd / &&
    XDG_DATA_HOME="$data" "$program" --install-desktop-entry) || return 1
  desktop-file-validate "$entry" || return 1
  started=$($desktop --command "$entry" "/tmp/a game.elf") || { echo "$started"; return 1; }
  expected=$(printf '%s\n%s' "$program" "/tmp/a game.elf")
  [[ $started == "$expected" ]] ||
    { echo "test-release: the installed entry starts:"; echo "$started"; return 1; }
  $desktop --icons "$data/icons/hicolor" || return 1
  diff -r "$folder/share/icons" "$data/icons" || return 1
  (unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; XDG_DATA_HOME="$data" "$program" \
    --remove-desktop-entry) || return 1
  [[ $(cd "$data" && find . -type f) == "./applications/other.desktop" ]] ||
    { echo "test-release: left after the removal:"; (cd "$data" && find . -type f); return 1; }
}

# What the distributions that the Linux read-me may name ship, as symbol versions: Qt, the C
# library, the C++ library.
LINUX_DISTRIBUTIONS=(
  # name         Qt     glibc  GLIBCXX
  "Debian 12     6.4.2  2.36   3.4.30"
  "Ubuntu 22.04  6.2.4  2.35   3.4.30"
  "Ubuntu 24.04  6.4.2  2.39   3.4.33"
)

# Whether version $1 is at least version $2.
at_least() {
  [[ $(printf '%s\n%s\n' "$2" "$1" | sort -V | head -1) == "$2" ]]
}

# The highest version of a symbol-version family (Qt_, GLIBC_, GLIBCXX_) the program needs.
needed_version() {
  objdump -T "$1" | grep -oE "\b$2[0-9]+(\.[0-9]+)*\b" | sed "s/^$2//" | sort -V | tail -1
}

# The Linux read-me names the Qt the program needs as the symbol versions of the archive's
# program say, no more and no less, and only distributions that ship all it needs.
linux_readme_names_what_it_needs() {
  local folder readme program qt glibc glibcxx entry name shipped_qt shipped_glibc shipped_cxx
  local named=0
  folder=$(echo "$work"/linux/ravlinkgui-*-linux-x86_64)
  readme="$folder/README.txt" program="$folder/ravlinkgui"
  qt=$(needed_version "$program" Qt_)
  glibc=$(needed_version "$program" GLIBC_)
  glibcxx=$(needed_version "$program" GLIBCXX_)
  [[ -n $qt && -n $glibc ]] || { echo "test-release: no symbol versions in $program"; return 1; }
  echo "test-release: the Linux program needs Qt $qt, glibc $glibc, GLIBCXX $glibcxx"
  grep -q "Qt $qt or later" "$readme" || { echo "test-release: the read-me does not say Qt $qt"; return 1; }
  for entry in "${LINUX_DISTRIBUTIONS[@]}"; do
    read -r name version shipped_qt shipped_glibc shipped_cxx <<<"$entry"
    name="$name $version"
    # Named as one it runs on: "X or ...", "... or X", "X and later".
    grep -q "$name and later\|$name or \|or $name" "$readme" || continue
    named=$((named + 1))
    if ! at_least "$shipped_qt" "$qt" || ! at_least "$shipped_glibc" "$glibc" ||
      ! at_least "$shipped_cxx" "${glibcxx:-0}"; then
      echo "test-release: the read-me names $name, whose Qt $shipped_qt, glibc $shipped_glibc or" \
        "GLIBCXX $shipped_cxx is older than the program needs"
      return 1
    fi
  done
  ((named > 0)) || { echo "test-release: the read-me names no distribution it runs on"; return 1; }
}

started=$SECONDS
windows_zip
verdict "windows-zip-holds-the-32-bit-program" $? "the zip is not as it ships"
if [[ ${LOADERGUI_NO_WINE32:-0} == 1 ]]; then
  echo "NOT RUN windows-zip-starts: this machine cannot run the 32-bit program"
else
  windows_release
  verdict "windows-zip-starts" $? "the program from the zip did not show its window and close"
fi
linux_release
verdict "linux-archive-starts" $? "the program from the archive did not show its window and close"
linux_desktop_files
verdict "linux-archive-desktop-files" $? "the archive's entry, metadata or icons are not valid"
linux_desktop_entry
verdict "linux-desktop-entry-installs" $? "--install-desktop-entry or --remove-desktop-entry failed"
linux_readme_names_what_it_needs
verdict "linux-readme-names-what-it-needs" $? "the read-me claims what the program does not hold to"
echo "test-release: took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
