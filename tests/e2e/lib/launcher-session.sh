#!/usr/bin/env bash
# Runs inside Xvfb (see launcher.sh). Each case runs the program in a scratch directory.
set -uo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/common.sh"

exit_case() {
  local work; work=$(mktemp -d)
  start_program no-archive "$work"
  local dialog
  dialog=$(wait_for_window "Kelvaro Demosys v.1.0") || { fail "exit: no dialog titled 'Kelvaro Demosys v.1.0'"; return; }
  click "$dialog" 272 260
  finish_program; local status=$?
  if [ "$status" -eq 0 ] && [ "$(cat "$work/out.txt")" = "Quit demo" ]; then pass "Exit! prints Quit demo"
  else fail "exit: status $status, output: $(cat "$work/out.txt")"; fi
  rm -rf "$work"
}

start_case() {  # archive mode
  local work; work=$(mktemp -d)
  start_program "$1" "$work"
  local dialog
  dialog=$(wait_for_window "Kelvaro Demosys v.1.0") || { fail "start/$1: no dialog"; return; }
  click "$dialog" 190 175  # windowed, so the demo window can be found by its caption
  click "$dialog" 172 260
  local demo
  if demo=$(wait_for_window "Kelvaro Demosystem"); then
    if xdotool search --onlyvisible --name "^Kelvaro Demosys v.1.0\$" >/dev/null 2>&1; then
      fail "start/$1: the dialog is still on the screen beside the demo's window"
    else pass "start/$1: the dialog is gone once the demo's window is up"; fi
    sleep 1.5
    xdotool mousemove --window "$demo" 50 50 2>/dev/null
    # Escape until the program has gone: a loaded machine may miss the first one.
    for _ in $(seq 1 60); do
      kill -0 "$PROGRAM_PID" 2>/dev/null || break
      xdotool key Escape 2>/dev/null
      sleep 0.5
    done
  fi
  finish_program; local status=$?
  if [ "$status" -ne 0 ]; then fail "start/$1: exit status $status"; cat "$work/out.txt"; rm -rf "$work"; return; fi
  if grep -q "Message from resourceloader" "$work/out.txt"; then
    if expect_in_order "$work/out.txt" "Run demo" "[Shutting Down]" "Message from demosys :" \
      "Message from resourceloader" "[Deleting Pools]" "KVRDemosys::shutdown()" "[Application End]"; then
      pass "Start! ($1) fails to load, reports and exits 0"
    else fail "start/$1: report"; cat "$work/out.txt"; fi
  elif expect_in_order "$work/out.txt" "Run demo" "[Creating DataPools]" "[Supported OpenGL Extensions]" \
    "--- Implementation Independent API Values ---" "GLSL version : " "[Setting up sound]" "[Demo Init]" \
    "Duration : " "FPS = " "[Shutting Down]" "[Deleting Pools]" "KVRDemosys::shutdown()" "[Application End]"; then
    pass "Start! ($1) runs until Escape and reports"
  else fail "start/$1: run report"; cat "$work/out.txt"; fi
  rm -rf "$work"
}

exit_case
start_case with-archive
start_case no-archive
echo "launcher: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
