#!/usr/bin/env bash
# The benchmark: builds the program, its stand-in loaders, the floor program (one empty window,
# built with the program's options) and the harness (x86_64, in build/bench-w64), and the
# shipped i686 program (in build/bench-i686) for its size; then runs the harness under Wine on a
# private virtual display and prints each result with its target. Arguments go to the harness:
# --runs N (starts of each program, default 15), --presses N (Execute presses, default 300).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

"$root/scripts/setup.sh" || exit 1

# The bench folder is a project of its own that takes in the main one, without its tests.
configure_bench() {
  local dir=$1 toolchain=$2
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$root/bench" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null || return 1
  fi
}

w64="$root/build/bench-w64"
w32="$root/build/bench-i686"
echo "bench: building the program, the stand-in loaders, the floor and the harness (x86_64)"
configure_bench "$w64" mingw-x86_64.cmake || exit 1
cmake --build "$w64" -j2 --target ravlinkgui ravlink-serial ravlink-ip arp bench_floor \
  bench_harness || exit 1
echo "bench: building the shipped program and the floor (i686 Release)"
configure_bench "$w32" mingw-i686.cmake || exit 1
cmake --build "$w32" -j2 --target ravlinkgui bench_floor || exit 1

# A fresh folder laid out as the demo is: the program beside tools\ with the stand-ins and the
# placeholder libraries; the floor in a folder of its own; a file to upload.
run="$root/build/bench-run"
rm -rf "$run"
mkdir -p "$run/tools" "$run/floor"
cp "$w64/program/src/win32/ravlinkgui.exe" "$run/"
for tool in ravlink-serial ravlink-ip arp; do
  cp "$w64/program/src/standin/$tool.exe" "$run/tools/"
done
for library in cygwin1.dll cygintl.dll; do
  echo "placeholder for the benchmark; nothing loads it" >"$run/tools/$library"
done
cp "$w64/floor.exe" "$run/floor/"
head -c 65536 /dev/zero >"$run/upload.bin"

# A prefix of its own, so that no other run's Wine server shares the work.
export WINEPREFIX="$root/build/bench-wineprefix"
wine_env "$root"
start_private_display || exit 1
ensure_wine_prefix N

windows_path() { echo "Z:${1//\//\\}"; }
echo "bench: machine load before: $(uptime)"
started=$SECONDS
timeout 1800 "$WINE64" "$w64/bench_harness.exe" --program "$(windows_path "$run/ravlinkgui.exe")" \
  --floor "$(windows_path "$run/floor/floor.exe")" --upload "$(windows_path "$run/upload.bin")" \
  "$@" 2>&1 | sed -u -e 's/\r$//' | tee "$root/build/bench.log"
status=${PIPESTATUS[0]}
echo "bench: machine load after:  $(uptime) (the run took $((SECONDS - started)) s)"

largest=262144
size=$(stat -c %s "$w32/program/src/win32/ravlinkgui.exe")
floor_size=$(stat -c %s "$w32/floor.exe")
size_met=MISSED
((size <= largest)) && size_met=met
echo "size      i686 ravlinkgui.exe: $size bytes ($((size / 1024)) KiB; the floor: $floor_size bytes)"
echo "size      target at most $largest bytes (256 KiB): $size_met"

if [[ $status -eq 124 ]]; then
  echo "bench: the harness was stopped after 1800 s"
fi
if [[ $status -eq 0 && $size_met == met ]]; then
  echo "bench: every target met"
  exit 0
fi
echo "bench: some target missed (see MISSED above)"
exit 1
