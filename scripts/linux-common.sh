# Shared by the scripts that build the Linux program as it ships: sourced, not run.
# Gives: LINUX_RELEASE_BUILD, build_linux_release ROOT [TARGETS...], start_linux_display
# [detached], stop_linux_display, stage_linux_tools BUILD FOLDER.

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

# Gives FOLDER the tools/ folder the program looks for: the stand-in loaders and ARP tool of the
# Linux build BUILD.
stage_linux_tools() {
  local build=$1 folder=$2 tool
  mkdir -p "$folder/tools"
  for tool in ravlink-serial ravlink-ip arp; do
    cp "$build/src/standin/linux/$tool" "$folder/tools/" || return 1
  done
}

# Starts Xvfb on a display that nobody uses, in a range of its own (the Wine scripts take 90 and
# up, xvfb-run 99 and up), exports DISPLAY once the server answers a client, and stops it when
# the shell exits, waiting for it to be gone: a server still closing down unlinks the socket of
# the next one on its number. It never resets, since one that does turns away a client that
# connects as the last one leaves. With "detached", the server runs in a session of its own,
# out of reach of a signal to the caller's process group (Ctrl+C, timeout), so that the caller
# decides when it stops.
start_linux_display() {
  local display session=()
  [[ ${1:-} == detached ]] && session=(setsid)
  for display in $(seq 200 299); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    "${session[@]}" Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    linux_xvfb_pid=$!
    for _ in $(seq 100); do
      DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1 && break
      kill -0 "$linux_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1; then
      export DISPLAY=":$display"
      trap stop_linux_display EXIT
      trap 'exit 130' INT
      trap 'exit 143' TERM
      return 0
    fi
    stop_linux_display
  done
  echo "linux-common: could not start Xvfb" >&2
  return 1
}

stop_linux_display() {
  [[ -n "${linux_xvfb_pid:-}" ]] || return 0
  kill "$linux_xvfb_pid" 2>/dev/null
  wait "$linux_xvfb_pid" 2>/dev/null
  linux_xvfb_pid=
}
