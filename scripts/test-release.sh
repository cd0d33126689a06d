#!/usr/bin/env bash
# Makes the releases (scripts/release.sh) and starts each as a user first meets it: unpacked into
# a fresh folder, the stand-in tools put beside the program, the program started (the Windows one
# under the 32-bit Wine, the Linux one on a virtual display) until its main window shows, then
# closed with its close box, which must leave tools/settings.ini behind; and the Linux read-me
# must name the Qt and the distributions that the program's symbol versions call for.
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
windows_release
verdict "windows-zip-starts" $? "the program from the zip did not show its window and close"
linux_release
verdict "linux-archive-starts" $? "the program from the archive did not show its window and close"
linux_readme_names_what_it_needs
verdict "linux-readme-names-what-it-needs" $? "the read-me claims what the program does not hold to"
echo "test-release: took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
