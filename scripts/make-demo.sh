#!/usr/bin/env bash
# Lays out build/demo: the shipped 32-bit program with the stand-in tools and placeholder
# libraries in tools\ beside it, ready to start under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

build="$root/$SHIPPED_BUILD"
build_shipped "$root" ravlinkgui ravlink-serial ravlink-ip arp

demo="$root/build/demo"
mkdir -p "$demo/tools"
cp "$build/src/win32/ravlinkgui.exe" "$demo/"
for tool in ravlink-serial ravlink-ip arp; do
  cp "$build/src/standin/$tool.exe" "$demo/tools/"
done
# The program only checks that the loaders' libraries are there; it never loads them.
for library in cygwin1.dll cygintl.dll; do
  [[ -f "$demo/tools/$library" ]] || echo "placeholder for the demo; nothing loads it" >"$demo/tools/$library"
done
echo "make-demo: $demo is ready (settings.ini appears in tools/ after the first exit)"
