#!/usr/bin/env bash
# Builds the Linux program and its stand-in tools (build/qt) and lays out build/demo-linux: the
# program beside tools/ with the stand-in loaders and ARP tool, ready to start.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/qt"

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOADERGUI_QT=ON >/dev/null
fi
cmake --build "$build" -j2 --target ravlinkgui ravlink-serial ravlink-ip arp

demo="$root/build/demo-linux"
mkdir -p "$demo/tools"
cp "$build/src/qt/ravlinkgui" "$demo/"
for tool in ravlink-serial ravlink-ip arp; do
  cp "$build/src/standin/linux/$tool" "$demo/tools/"
done
echo "make-demo-linux: $demo is ready (settings.ini appears in tools/ after the first exit)"
