#!/usr/bin/env bash
# Builds the portable core with the stand-in platform and runs its tests natively. They are built
# in the Linux program's Debug tree (build/qt), so that the core is compiled once for both; the
# Qt tests (scripts/test-qt.sh) then find everything built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/qt"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOADERGUI_QT=ON >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
