#!/usr/bin/env bash
# The benchmark. Natively, the load and save of a 20 MB settings file (time and peak memory).
# Then it builds the shipped 32-bit program, its stand-in loaders, the two floor programs
# (one empty window; the program's two windows without its behaviour; both built with the
# program's options and manifest) and the harness, all i686 Release, in build/bench-i686; then
# runs the harness under the 32-bit Wine on a private virtual display and prints each result
# with its target. Arguments go to the harness: --runs N (starts of each program, default 15),
# --presses N (Execute presses, default 300).
# With LOADERGUI_WINDOWS_ARCH=x86_64 (a machine that runs no 32-bit code) the same is built
# x86_64 in build/bench-x86_64 and run under the 64-bit Wine, and every line says so; the size
# is still that of the i686 program, which is built for it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

"$root/scripts/setup.sh" || exit 1

# First, natively: the load and save of a settings file of 20 MB through the profile store that
# the Linux program keeps its settings with (build/bench-native, Release).
native="$root/build/bench-native"
echo "bench: building the large-settings benchmark (native Release)"
if [[ ! -f "$native/build.ninja" ]]; then
  cmake -S "$root/bench/native" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
fi
cmake --build "$native" -j2 --target settings_bench || exit 1
"$native/settings_bench" 20 | tee "$root/build/bench-settings.log"
settings_status=${PIPESTATUS[0]}

# The bench folder is a project of its own that takes in the main one, without its tests.
configure_bench() {
  [[ -f "$1/build.ninja" ]] || cmake -S "$root/bench" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" >/dev/null
}
# The build that runs: i686, or x86_64 where wine-common.sh says so.
arch=${SHIPPED_TOOLCHAIN#mingw-}
arch=${arch%.cmake}
label=
[[ $arch == i686 ]] || label=" (the $arch build, NOT the shipped 32-bit program)"
build="$root/build/bench-$arch"
echo "bench: building the program, the stand-in loaders, the floors and the harness ($arch Release)"
configure_bench "$build" "$SHIPPED_TOOLCHAIN" || exit 1
cmake --build "$build" -j2 --target ravlinkgui ravlink-serial ravlink-ip arp bench_window_floor \
  bench_forms_floor bench_harness || exit 1
# The size target is the shipped program's, which any machine can build.
shipped="$root/build/bench-i686"
if [[ $arch != i686 ]]; then
  echo "bench: building the shipped program and the forms floor for their size (i686 Release)"
  configure_bench "$shipped" mingw-i686.cmake || exit 1
  cmake --build "$shipped" -j2 --target ravlinkgui bench_forms_floor || exit 1
fi

# A fresh folder laid out as the demo is: the program beside tools\ with the stand-ins and the
# placeholder libraries; the floors in a folder of their own; a file to upload.
run="$root/build/bench-run"
rm -rf "$run"
mkdir -p "$run/floors"
cp "$build/program/src/win32/ravlinkgui.exe" "$run/"
stage_windows_tools "$build/program" "$run"
cp "$build/window-floor.exe" "$build/forms-floor.exe" "$run/floors/"
head -c 65536 /dev/zero >"$run/upload.bin"

# A prefix of its own, so that no other run's Wine server shares the work.
export WINEPREFIX="$root/build/bench-wineprefix"
wine_env "$root"
start_private_display || exit 1
ensure_wine_prefix N

windows_path() { echo "Z:${1//\//\\}"; }
[[ -z $label ]] || echo "bench: start-up, memory and handles$label, under the 64-bit Wine"
echo "bench: machine load before: $(uptime)"
started=$SECONDS
timeout 1800 "$WINE32" "$build/bench_harness.exe" --program "$(windows_path "$run/ravlinkgui.exe")" \
  --window-floor "$(windows_path "$run/floors/window-floor.exe")" \
  --forms-floor "$(windows_path "$run/floors/forms-floor.exe")" \
  --upload "$(windows_path "$run/upload.bin")" "$@" 2>&1 | sed -u -e 's/\r$//' | tee "$root/build/bench.log"
status=${PIPESTATUS[0]}
echo "bench: machine load after:  $(uptime) (the run took $((SECONDS - started)) s)"

largest=262144
size=$(stat -c %s "$shipped/program/src/win32/ravlinkgui.exe")
floor_size=$(stat -c %s "$shipped/forms-floor.exe")
size_met=MISSED
((size <= largest)) && size_met=met
echo "size      i686 ravlinkgui.exe: $size bytes ($((size / 1024)) KiB; the forms floor: $floor_size bytes)"
echo "size      target at most $largest bytes (256 KiB): $size_met"

if [[ $status -eq 124 ]]; then
  echo "bench: the harness was stopped after 1800 s"
fi
if [[ $status -eq 0 && $size_met == met && $settings_status -eq 0 ]]; then
  echo "bench: every target met$label"
  exit 0
fi
echo "bench: some target missed (see MISSED above)$label"
exit 1
