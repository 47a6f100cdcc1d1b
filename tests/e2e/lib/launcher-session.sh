#!/usr/bin/env bash
# Runs inside Xvfb (see launcher.sh). Each case runs the program in a scratch directory.
set -uo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/common.sh"

REPORT=("Duration : " "FPS = " "[Shutting Down]" "[Deleting Pools]" "KVRDemosys::shutdown()" "[Application End]")

command_line_case() {
  local out err status
  out=$(timeout -k 2 20 "$BUILD_DIR/brinova" --help); status=$?
  [ "$status" -eq 0 ] && [[ "$out" == "usage: brinova "*"launcher dialog"* ]] && pass "--help" || fail "--help: $status $out"
  out=$(timeout -k 2 20 "$BUILD_DIR/brinova" --version); status=$?
  [ "$status" -eq 0 ] && [ "$out" = "brinova 1.0" ] && pass "--version" || fail "--version: $status $out"
  err=$(timeout -k 2 20 "$BUILD_DIR/brinova" --fullscreen 2>&1 >/dev/null); status=$?
  out=$(timeout -k 2 20 "$BUILD_DIR/brinova" --fullscreen 2>/dev/null)
  [ "$status" -eq 2 ] && [ -z "$out" ] && [[ "$err" == *"'--fullscreen'"*"usage: brinova"* ]] &&
    pass "an unknown option gives the usage on standard error, status 2" || fail "unknown option: $status [$out] [$err]"
}

bad_option_case() {  # name expected-text argument...
  local name=$1 expected=$2 err status; shift 2
  err=$(timeout -k 2 20 "$BUILD_DIR/brinova" "$@" 2>&1 >/dev/null); status=$?
  [ "$status" -eq 2 ] && [[ "$err" == *"$expected"*"usage: brinova"* ]] && pass "$name: the usage, status 2" ||
    fail "$name: $status [$err]"
}

# The loose tree without the dialog, from near the end: the demo plays its last bar and ends.
from_case() {
  local work; work=$(mktemp -d)
  (cd "$work" && exec "$BUILD_DIR/brinova" --resources "$BUILD_DIR/resources" --from 02:30:000 --windowed \
    --size 320x180 --no-dialog >"$work/out.txt" 2>&1) &
  PROGRAM_PID=$!
  finish_program; local status=$?
  if ! grep -Eq "^Duration : \(000015[0-9]{4}\)" "$work/out.txt"; then fail "--from: $(grep Duration "$work/out.txt")"; fi
  expect_run "--resources, --from and --no-dialog" "$status" 0 "$work" "Run demo" "[Demo Init]" "${REPORT[@]}"
}

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

dialog_signal_case() {
  local work; work=$(mktemp -d)
  start_program no-archive "$work"
  wait_for_window "Kelvaro Demosys v.1.0" >/dev/null && kill -INT "$PROGRAM_PID"
  finish_program
  expect_run "SIGINT in the dialog" $? 130 "$work" "Quit demo"
}

# "Start!" in a window, so the demo's window can be found by its caption: sets DEMO_WINDOW.
start_demo() {  # archive-mode work
  start_program "$1" "$2"
  local dialog
  dialog=$(wait_for_window "Kelvaro Demosys v.1.0") || return 1
  click "$dialog" 190 175
  click "$dialog" 172 260
  DEMO_WINDOW=$(wait_for_window "Kelvaro Demosystem")
}

escape_case() {
  local work; work=$(mktemp -d)
  if start_demo with-archive "$work"; then
    if xdotool search --onlyvisible --name "^Kelvaro Demosys v.1.0\$" >/dev/null 2>&1; then
      fail "escape: the dialog is still on the screen beside the demo's window"
    else pass "the dialog is gone once the demo's window is up"; fi
    sleep 1.5
    xdotool mousemove --window "$DEMO_WINDOW" 50 50 2>/dev/null
    # Escape until the program has gone: a loaded machine may miss the first one.
    for _ in $(seq 1 60); do
      kill -0 "$PROGRAM_PID" 2>/dev/null || break
      xdotool key Escape 2>/dev/null
      sleep 0.5
    done
  fi
  finish_program
  expect_run "escape" $? 0 "$work" "Run demo" "[Creating DataPools]" "[Supported OpenGL Extensions]" \
    "--- Implementation Independent API Values ---" "GLSL version : " "[Setting up sound]" "[Demo Init]" "${REPORT[@]}"
}

damaged_archive_case() {
  local work; work=$(mktemp -d)
  cp "$BUILD_DIR/resources.7z" "$work/"
  truncate -s $(($(stat -c %s "$work/resources.7z") / 2)) "$work/resources.7z"
  start_demo no-archive "$work"
  finish_program
  expect_run "damaged archive" $? 1 "$work" "Run demo" "[Shutting Down]" "Message from demosys :" \
    "Message from resourceloader" "Archive 'resources.7z' is missing or damaged" "[Deleting Pools]" \
    "KVRDemosys::shutdown()" "[Application End]"
}

signal_case() {  # signal status
  local work; work=$(mktemp -d)
  if start_demo with-archive "$work"; then
    for _ in $(seq 1 600); do grep -q "^\[Demo Init\]" "$work/out.txt" && break; sleep 0.1; done
    sleep 1
    kill "-$1" "$PROGRAM_PID"
  fi
  finish_program
  expect_run "SIG$1 while playing" $? "$2" "$work" "[Demo Init]" "${REPORT[@]}"
}

# Stopped while still loading, so that the signal is there before the first frame could be.
loading_signal_case() {
  local work; work=$(mktemp -d)
  if start_demo with-archive "$work"; then
    kill -STOP "$PROGRAM_PID"
    grep -q "^\[Demo Init\]" "$work/out.txt" && fail "loading/SIGTERM: loaded before the signal could be sent"
    kill -TERM "$PROGRAM_PID"
    kill -CONT "$PROGRAM_PID"
  fi
  finish_program; local status=$?
  grep -qx "FPS = 0" "$work/out.txt" || fail "loading/SIGTERM: frames were drawn"
  expect_run "SIGTERM while loading" "$status" 143 "$work" "[Demo Init]" "${REPORT[@]}"
}

command_line_case
bad_option_case "--quality 7" "--quality: '7'" --quality 7
bad_option_case "--from past the end" "--from: 02:31:000 is past the end of the demo (02:30:850)" --from 02:31:000
bad_option_case "--resources elsewhere" "--resources: '/'" --resources /
from_case
exit_case
dialog_signal_case
escape_case
damaged_archive_case
signal_case INT 130
signal_case TERM 143
loading_signal_case
echo "launcher: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
