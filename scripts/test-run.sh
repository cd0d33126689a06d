#!/usr/bin/env bash
# Checks how scripts/run.sh ends: started as a user starts it (the Linux program, on a virtual
# display of its own or on the user's display), it is stopped by Ctrl+C, by SIGTERM to itself or
# to its whole process group (as timeout sends it) and by a hang-up; each time the program must
# close as a close does (tools/settings.ini is written), and then the virtual display must stop,
# while the user's own display stays. Ends with the line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/linux-common.sh"

demo="$root/build/demo-linux"
work=$(mktemp -d)
title="Ravlink Serial GUI 2.0"
# Bounds, in tenths of a second, for what may take a while on a busy machine.
START_PATIENCE=1800  # run.sh builds what is missing before the program starts
END_PATIENCE=600
passed=0
failed=0

trap 'rm -rf "$work"' EXIT

# Waits until the command succeeds, at most $1 tenths of a second.
wait_for() {
  local limit=$1 tenth
  shift
  for ((tenth = 0; tenth < limit; tenth++)); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

alive() { kill -0 "$1" 2>/dev/null; }
gone() { ! alive "$1"; }
answers() { DISPLAY=$1 xdotool getdisplaygeometry >/dev/null 2>&1; }
silent() { ! answers "$1"; }
# The display run.sh says the program runs on, from its output.
display_of() { sed -nE 's/^run: no DISPLAY, so the program runs on the virtual display (:[0-9]+)\.$/\1/p' "$1"; }
# The process showing the main window on the display.
program_on() { DISPLAY=$1 xdotool search --name "^$title\$" getwindowpid 2>/dev/null | head -1; }
said_display() { [[ -n $(display_of "$1") ]]; }
shows_program() { [[ -n $(program_on "$1") ]]; }
# The virtual display's server, from the lock file that it keeps while it runs.
server_of() { tr -d ' ' <"/tmp/.X${1#:}-lock" 2>/dev/null; }

# Starts run.sh as the leader of a process group of its own, as a terminal starts a command,
# with Ctrl+C's signal at its default as it is there (a background job of a script would start
# with it ignored); the program's window must show. Sets script, display and program.
start_run() {
  local output=$1
  rm -f "$demo/tools/settings.ini"
  /usr/bin/python3 -c 'import os, signal, sys
signal.signal(signal.SIGINT, signal.SIG_DFL)
signal.signal(signal.SIGQUIT, signal.SIG_DFL)
os.setsid()
os.execv(sys.argv[1], sys.argv[1:])' "$root/scripts/run.sh" >"$output" 2>&1 </dev/null &
  script=$!
  if [[ -z ${DISPLAY:-} ]]; then
    wait_for "$START_PATIENCE" said_display "$output" || return 1
    display=$(display_of "$output")
  else
    display=$DISPLAY
  fi
  wait_for "$START_PATIENCE" shows_program "$display" || return 1
  program=$(program_on "$display")
}

# After a failure: whatever of the run is left, the virtual display's server included, which
# runs in a session of its own.
clean_up() {
  local server
  [[ -z ${DISPLAY:-} && -n $display ]] && server=$(server_of "$display")
  [[ -n $program ]] && kill -KILL "$program" 2>/dev/null
  [[ -n $script ]] && kill -KILL -- "-$script" 2>/dev/null
  [[ -n ${server:-} ]] && kill "$server" 2>/dev/null
}

# One way of stopping the script, given as the signal and whom it goes to ("script" or
# "group"), with the exit status the script must end with. The user's display, when there is
# one, must still answer afterwards.
check_stop() {
  local name=$1 signal=$2 target=$3 status=$4 output="$work/$1.txt" seen
  script='' display='' program=''
  if ! start_run "$output"; then
    echo "FAIL $name: the program did not show; run.sh said:"
    sed 's/^/  /' "$output"
    failed=$((failed + 1))
    clean_up
    return
  fi
  if [[ $target == group ]]; then kill "-$signal" -- "-$script"; else kill "-$signal" "$script"; fi
  local problem=""
  wait_for "$END_PATIENCE" gone "$script" || problem="run.sh is still running"
  wait "$script" 2>/dev/null
  seen=$?
  [[ -z $problem && $seen -ne $status ]] && problem="run.sh ended with $seen, not $status"
  [[ -z $problem ]] && ! wait_for "$END_PATIENCE" gone "$program" && problem="the program is still running"
  [[ -z $problem && ! -f "$demo/tools/settings.ini" ]] && problem="the program ended without saving"
  if [[ -z $problem && -z ${DISPLAY:-} ]] && ! wait_for "$END_PATIENCE" silent "$display"; then
    problem="the virtual display $display is still there"
  fi
  if [[ -z $problem && -n ${DISPLAY:-} ]] && ! answers "$DISPLAY"; then
    problem="the user's display is gone"
  fi
  if [[ -z $problem ]]; then
    echo "PASS $name"
    passed=$((passed + 1))
  else
    echo "FAIL $name: $problem; run.sh said:"
    sed 's/^/  /' "$output"
    failed=$((failed + 1))
    clean_up
  fi
}

started=$SECONDS
# Without a display: run.sh brings its own.
(
  unset DISPLAY
  check_stop ctrl-c-on-the-virtual-display INT group 130
  check_stop sigterm-to-the-script TERM script 143
  check_stop sigterm-to-the-group TERM group 143
  check_stop hang-up HUP group 129
  echo "$passed $failed" >"$work/counts"
)
read -r passed failed <"$work/counts"
# On the user's display, which must stay.
(
  start_linux_display || exit 1
  check_stop ctrl-c-on-the-users-display INT group 130
  echo "$passed $failed" >"$work/counts"
)
read -r passed failed <"$work/counts"
echo "test-run: took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
