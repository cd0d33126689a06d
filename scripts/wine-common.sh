# Shared by the scripts that run Windows builds under Wine: sourced, not run.
# Gives: configure_windows ROOT DIR TOOLCHAIN [CMAKE ARGS...], wine_env ROOT,
# ensure_wine_prefix Y|N, ensure_serial_port COMn, clear_dpi_setting,
# start_private_display [WIDTHxHEIGHT], build_shipped ROOT [TARGETS...],
# stage_windows_tools BUILD FOLDER.

# Debian puts neither loader on the PATH. The 32-bit one runs the shipped i686 program (and the
# tests built the same way) in the same 64-bit prefix that the 64-bit one creates.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine

# The build that users get: i686, Release (optimised for size, stripped), with the tests and
# the stand-in tools built beside it from the same sources and options.
SHIPPED_BUILD=build/w32
SHIPPED_TOOLCHAIN=mingw-i686.cmake
# A machine whose kernel runs no 32-bit code can still try the Windows suites on the x86_64
# build under the 64-bit Wine (LOADERGUI_WINDOWS_ARCH=x86_64): a developer's stand-in that finds
# most faults, never a substitute for the test command's run of the shipped program.
if [[ ${LOADERGUI_WINDOWS_ARCH:-i686} == x86_64 ]]; then
  SHIPPED_BUILD=build/w64
  SHIPPED_TOOLCHAIN=mingw-x86_64.cmake
  WINE32=$WINE64
  echo "wine-common: LOADERGUI_WINDOWS_ARCH=x86_64: the x86_64 build under the 64-bit Wine," \
    "NOT the shipped 32-bit program" >&2
fi
build_shipped() {
  local root=$1
  shift
  configure_windows "$root" "$root/$SHIPPED_BUILD" "$SHIPPED_TOOLCHAIN" -DLOADERGUI_TESTS=ON || return 1
  cmake --build "$root/$SHIPPED_BUILD" -j2 ${1:+--target "$@"}
}

# Gives FOLDER the tools\ folder the program looks for: the stand-in loaders and ARP tool of the
# Windows build BUILD, and the loaders' two libraries as placeholders, which the program only
# checks for and never loads (a library already there is left alone).
stage_windows_tools() {
  local build=$1 folder=$2 tool library
  mkdir -p "$folder/tools"
  for tool in ravlink-serial ravlink-ip arp; do
    cp "$build/src/standin/$tool.exe" "$folder/tools/" || return 1
  done
  for library in cygwin1.dll cygintl.dll; do
    [[ -f "$folder/tools/$library" ]] || echo "placeholder; nothing loads it" >"$folder/tools/$library"
  done
}

# A private Wine prefix under build/, kept between runs; quiet Wine; no Mono/Gecko download
# prompts while the prefix is created; no debugger that would wait forever after a crash.
wine_env() {
  export WINEPREFIX="${WINEPREFIX:-$1/build/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
}

# Creates the prefix on first use (about ten seconds); later runs reuse it. The argument says
# whether a window manager looks after Wine's windows (Y) or not (N): on a display without
# one, Wine would otherwise wait two seconds for it each time a window is hidden or destroyed.
ensure_wine_prefix() {
  local managed=$1
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "wine: creating the prefix $WINEPREFIX"
    timeout 300 "$WINE64" wineboot --init >/dev/null 2>&1 || true
  fi
  # Wine's own Tahoma and Marlett draw the dialog font and the caption buttons as Windows does;
  # without them the text comes out wider and the buttons as letters.
  local font
  for font in tahoma.ttf tahomabd.ttf marlett.ttf; do
    [[ -f /usr/share/wine/fonts/$font && ! -f "$WINEPREFIX/drive_c/windows/Fonts/$font" ]] &&
      cp "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  if ! grep -q "^\"Managed\"=\"$managed\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
    timeout 60 "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
      /d "$managed" /f >/dev/null 2>&1 || true
  fi
}

# Gives the prefix a serial port that leads to /dev/null. Wine's mount manager makes the ports
# of HKLM\Software\Wine\Ports into devices (and dosdevices\comN links) only when the prefix
# starts, so a port added now takes a restart of the prefix's wineserver; a bare
# dosdevices\comN link is not listed among the devices at all.
ensure_serial_port() {
  local port=$1
  if ! grep -qi "^\"$port\"=\"/dev/null\"" "$WINEPREFIX/system.reg" 2>/dev/null; then
    timeout 60 "$WINE64" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d /dev/null /f \
      >/dev/null 2>&1 || true
    "$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true
    "$(dirname "$WINE64")/wineserver" -w 2>/dev/null || true
  fi
}

# Wine takes the DPI from HKCU\Control Panel\Desktop\LogPixels (else from HKLM\System\
# CurrentControlSet\Hardware Profiles\Current\Software\Fonts\LogPixels) each time a program
# starts; the tests raise it for a while and put it back, and this clears what a run that was
# stopped half-way left behind, so the tests start at Wine's 96 DPI.
clear_dpi_setting() {
  if awk '/^\[/ { desktop = /^\[Control Panel\\\\Desktop\]/ }
           desktop && /^"LogPixels"=/ { found = 1 }
           END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null; then
    timeout 60 "$WINE64" reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f \
      >/dev/null 2>&1 || true
  fi
}

# Configures a cross build with Ninja the first time; later builds reconfigure by themselves.
configure_windows() {
  local root=$1 dir=$2 toolchain=$3
  shift 3
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" "$@" >/dev/null
  fi
}

# Starts Xvfb on a display that nobody uses, exports DISPLAY, and stops it when the script
# exits; also ends whatever Wine still runs in the private prefix then. The screen is 1024x768
# unless another size is given.
start_private_display() {
  local display size=${1:-1024x768}
  for display in $(seq 90 189); do
    [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]] && continue
    Xvfb ":$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      [[ -e /tmp/.X11-unix/X$display ]] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && [[ -e /tmp/.X11-unix/X$display ]]; then
      export DISPLAY=":$display"
      trap stop_private_display EXIT
      trap 'exit 130' INT
      trap 'exit 143' TERM
      return 0
    fi
  done
  echo "wine: could not start Xvfb" >&2
  return 1
}

stop_private_display() {
  "$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true
  [[ -n "${xvfb_pid:-}" ]] && kill "$xvfb_pid" 2>/dev/null || true
}
