#!/usr/bin/env bash
# Lays out build/demo: the shipped 32-bit program with the stand-in tools and placeholder
# libraries in tools\ beside it, ready to start under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

build="$root/$SHIPPED_BUILD"
build_shipped "$root" ravlinkgui ravlink-serial ravlink-ip arp

demo="$root/build/demo"
mkdir -p "$demo"
cp "$build/src/win32/ravlinkgui.exe" "$demo/"
stage_windows_tools "$build" "$demo"
echo "make-demo: $demo is ready (settings.ini appears in tools/ after the first exit)"
