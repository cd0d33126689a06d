#!/usr/bin/env bash
# Builds the Linux program's Qt layer, its stand-in tools and its tests (build/qt, Debug) and runs
# the tests on Qt's offscreen platform: real widgets and dialogs, no display needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/qt"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLOADERGUI_QT=ON >/dev/null
fi
cmake --build "$build" -j2 --target qt_tests ravlinkgui
export QT_QPA_PLATFORM=offscreen
# Qt asks for a runtime folder of its own; a private one keeps the tests from warning about it.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
started=$SECONDS
set +e
timeout 300 "$build/tests/qt/qt_tests"
status=$?
set -e
[[ $status -eq 124 ]] && echo "test-qt: qt_tests took longer than 300 s and was stopped"
echo "test-qt: took $((SECONDS - started)) s"
exit "$status"
