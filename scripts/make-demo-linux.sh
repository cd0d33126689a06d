#!/usr/bin/env bash
# Builds the Linux program and its stand-in tools (build/qt) and lays out build/demo-linux: the
# program beside tools/ with the stand-in loaders and ARP tool, ready to start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/linux-common.sh"
build="$root/build/qt"

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOADERGUI_QT=ON >/dev/null
fi
cmake --build "$build" -j2 --target ravlinkgui ravlink-serial ravlink-ip arp

demo="$root/build/demo-linux"
mkdir -p "$demo"
cp "$build/src/qt/ravlinkgui" "$demo/"
stage_linux_tools "$build" "$demo"
echo "make-demo-linux: $demo is ready (settings.ini appears in tools/ after the first exit)"
