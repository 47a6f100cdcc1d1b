#!/usr/bin/env bash
# Shared steps of the end-to-end sessions: find windows, click, run the program, read its log.

failures=0
passed=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; passed=$((passed + 1)); }

wait_for_window() {  # name -> window id
  local id=""
  for _ in $(seq 1 300); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

click() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Starts the program in $2 with the archive copied in when $1 is "with-archive".
start_program() {
  local work=$2
  mkdir -p "$work"
  if [ "$1" = with-archive ] && [ -f "$BUILD_DIR/resources.7z" ]; then cp "$BUILD_DIR/resources.7z" "$work/"; fi
  (cd "$work" && exec "$BUILD_DIR/brinova" >"$work/out.txt" 2>&1) &
  PROGRAM_PID=$!
}

finish_program() {  # -> exit status, waiting at most 60 s
  for _ in $(seq 1 600); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$PROGRAM_PID" 2>/dev/null; then kill -9 "$PROGRAM_PID"; fi
  wait "$PROGRAM_PID"
}

expect_in_order() {  # file line...
  local file=$1; shift
  local from=1
  for text in "$@"; do
    local at
    at=$(tail -n +"$from" "$file" | grep -n -F -- "$text" | head -n 1 | cut -d: -f1)
    if [ -z "$at" ]; then echo "missing or out of order: '$text'"; return 1; fi
    from=$((from + at))
  done
}


# Passes when the program ended with the expected status, printed the lines in order and left
# no process behind in its working directory; removes the directory.
expect_run() {  # case status expected-status work line...
  local name=$1 status=$2 expected=$3 work=$4; shift 4
  local left; left=$(processes_in "$work")
  if [ "$status" -ne "$expected" ]; then fail "$name: exit status $status, not $expected"; cat "$work/out.txt"
  elif [ -n "$left" ]; then fail "$name: processes left behind: $left"
  elif expect_in_order "$work/out.txt" "$@"; then pass "$name: status $status and the report"
  else fail "$name: report"; cat "$work/out.txt"; fi
  rm -rf "$work"
}

processes_in() {  # directory -> ids of the processes working in it
  local process
  for process in /proc/[0-9]*; do
    [ "$(readlink "$process/cwd" 2>/dev/null)" = "$1" ] && echo "${process#/proc/}"
  done
}
