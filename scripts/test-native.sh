#!/usr/bin/env bash
# Builds the portable core with the stand-in platform and runs its tests natively.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/native"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2
