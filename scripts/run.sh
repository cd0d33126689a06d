#!/usr/bin/env bash
# Builds the demo folder and starts the shipped 32-bit program from it under the 32-bit Wine, on
# the current display or, without one, on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"

"$root/scripts/setup.sh"
"$root/scripts/make-demo.sh"

wine_env "$root"
managed=Y
if [[ -z "${DISPLAY:-}" ]]; then
  managed=N
  start_private_display
  echo "run: no DISPLAY, so the program runs on the virtual display $DISPLAY."
  echo "run: to look at it, from another shell: DISPLAY=$DISPLAY import -window root shot.png"
  echo "run: (or xdotool/x11vnc on that display); stop the program with Ctrl+C here."
fi
ensure_wine_prefix "$managed"

cd "$root/build/demo"
# Waiting in the shell, not in the foreground, lets a stop signal end the script at once; its
# exit then ends the program and the virtual display.
"$WINE32" ravlinkgui.exe &
wait $!
