#!/usr/bin/env bash
# Builds the demo folder and starts the program from it, on the current display or, without one,
# on a virtual display: the native Linux program (Qt) with the stand-in tools by default, or with
# --windows the shipped 32-bit Windows program under the 32-bit Wine.
#
# The program runs in the background of this script, where Ctrl+C does not reach it. However the
# script ends (the program closed, Ctrl+C, a stop signal, the terminal gone), it ends the program
# the way a close does, so that its settings are saved, waits for it, and only then stops the
# virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-common.sh"
source "$root/scripts/linux-common.sh"

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

# How long a program asked to close may take to save and end.
CLOSE_PATIENCE_TENTHS=300

program_pid=
virtual_display=

say_how_to_look() {
  echo "run: no DISPLAY, so the program runs on the virtual display $DISPLAY."
  echo "run: to look at it, from another shell: DISPLAY=$DISPLAY import -window root shot.png"
  echo "run: (or xdotool/x11vnc on that display); stop the program with Ctrl+C here."
}

# A process that has ended but was not yet waited for (a zombie, state Z) is no longer running.
running() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  [[ ${stat##*) } != Z* ]]
}

# Asks the program to close as its window's close does: the Linux program ends on SIGTERM as at
# the end of a session; the Windows one is sent WM_CLOSE, by Wine's taskkill.
ask_to_close() {
  if [[ $windows == Y ]]; then
    timeout 30 "$WINE32" taskkill /im ravlinkgui.exe >/dev/null 2>&1 || true
  else
    kill -TERM "$program_pid" 2>/dev/null || true
  fi
}

end_program() {
  [[ -n $program_pid ]] || return 0
  if running "$program_pid"; then
    echo "run: closing the program (its settings are saved)"
    ask_to_close
    local tenth
    for ((tenth = 0; tenth < CLOSE_PATIENCE_TENTHS; tenth++)); do
      running "$program_pid" || break
      sleep 0.1
    done
    if running "$program_pid"; then
      echo "run: the program did not close; ending it"
      kill -KILL "$program_pid" 2>/dev/null || true
    fi
  fi
  wait "$program_pid" 2>/dev/null || true
  program_pid=
}

finish() {
  set +e
  end_program
  if [[ $virtual_display == linux ]]; then
    stop_linux_display
  elif [[ $virtual_display == windows ]]; then
    stop_private_display
  fi
}

if [[ $windows == N ]]; then
  "$root/scripts/make-demo-linux.sh"
  if [[ -z "${DISPLAY:-}" ]]; then
    # A session of its own: a signal to this script's process group (Ctrl+C, timeout) must not
    # take the display away before the program has closed on it.
    start_linux_display detached
    virtual_display=linux
    say_how_to_look
  fi
  cd "$root/build/demo-linux"
  # The loaders open in the desktop's terminal (xdg-terminal-exec, x-terminal-emulator, ptyxis,
  # kgx, gnome-terminal, konsole, ...); without one, pressing Execute says so.
  program=(./ravlinkgui)
else
  "$root/scripts/make-demo.sh"
  managed=Y
  if [[ -z "${DISPLAY:-}" ]]; then
    managed=N
    start_private_display
    virtual_display=windows
    say_how_to_look
  fi
  ensure_wine_prefix "$managed"
  cd "$root/build/demo"
  program=("$WINE32" ravlinkgui.exe)
fi

trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP
"${program[@]}" &
program_pid=$!
# Waiting in the shell, not in the foreground, lets a signal end the wait at once; the exit then
# runs finish.
set +e
wait "$program_pid"
status=$?
set -e
program_pid=
exit "$status"
