# Shared by the scripts that build the Linux program as it ships: sourced, not run.
# Gives: LINUX_RELEASE_BUILD, build_linux_release ROOT [TARGETS...].

# The build that users get: Release, beside the Linux stand-in tools built the same way.
LINUX_RELEASE_BUILD=build/qt-release
LINUX_STANDINS=(ravlink-serial ravlink-ip arp standin-terminal)

# Configures the first time (no tests: the Debug tree build/qt has them); later builds
# reconfigure by themselves. Builds the program and the stand-ins unless targets are named.
build_linux_release() {
  local root=$1
  shift
  local dir="$root/$LINUX_RELEASE_BUILD"
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLOADERGUI_QT=ON \
      -DLOADERGUI_TESTS=OFF >/dev/null || return 1
  fi
  if (($#)); then
    cmake --build "$dir" -j2 --target "$@"
  else
    cmake --build "$dir" -j2 --target ravlinkgui "${LINUX_STANDINS[@]}"
  fi
}
