#!/usr/bin/env bash
# Builds the demo folder and starts the program from it, on the current display or, without one,
# on a virtual display: the native Linux program (Qt) with the stand-in tools by default, or with
# --windows the shipped 32-bit Windows program under the 32-bit Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

windows=N
case "${1:-}" in
  --windows) windows=Y ;;
  "") ;;
  *)
    echo "usage: scripts/run.sh [--windows]" >&2
    exit 2
    ;;
esac

"$root/scripts/setup.sh"
# The private prefix also keeps the virtual display's clean-up away from any other Wine.
wine_env "$root"

# Without a display, a private Xvfb (stopped when this script ends) stands in for one.
use_virtual_display() {
  start_private_display
  echo "run: no DISPLAY, so the program runs on the virtual display $DISPLAY."
  echo "run: to look at it, from another shell: DISPLAY=$DISPLAY import -window root shot.png"
  echo "run: (or xdotool/x11vnc on that display); stop the program with Ctrl+C here."
}

if [[ $windows == N ]]; then
  "$root/scripts/make-demo-linux.sh"
  [[ -n "${DISPLAY:-}" ]] || use_virtual_display
  cd "$root/build/demo-linux"
  # The loaders open in the desktop's terminal (x-terminal-emulator, gnome-terminal, konsole,
  # ...); without one, pressing Execute says so.
  ./ravlinkgui &
  wait $!
  exit
fi

"$root/scripts/make-demo.sh"
managed=Y
if [[ -z "${DISPLAY:-}" ]]; then
  managed=N
  use_virtual_display
fi
ensure_wine_prefix "$managed"

cd "$root/build/demo"
# Waiting in the shell, not in the foreground, lets a stop signal end the script at once; its
# exit then ends the program and the virtual display.
"$WINE32" ravlinkgui.exe &
wait $!
