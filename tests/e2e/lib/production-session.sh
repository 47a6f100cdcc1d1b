#!/usr/bin/env bash
# Runs inside a 640 x 360 Xvfb (see production-launch.sh).
set -uo pipefail
BUILD_DIR=$1
source "$(dirname "$0")/common.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start_program with-archive "$work"
if dialog=$(wait_for_window "Kelvaro Demosys v.1.0"); then
  click "$dialog" 360 212   # the quality choice opens its menu with "High" under the pointer
  sleep 0.5
  click "$dialog" 360 169   # "Low", two entries above
  sleep 0.3
  click "$dialog" 172 265   # "Start!" (full screen, the screen's only mode)
  sleep 8
  for _ in $(seq 1 60); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    xdotool key Escape 2>/dev/null
    sleep 0.5
  done
  finish_program; status=$?
  if [ "$status" -ne 0 ]; then
    fail "exit status $status"
  elif expect_in_order "$work/out.txt" "Run demo" "[Creating DataPools]" "[Supported OpenGL Extensions]" \
    "GLSL version : " "[Defining Resources]" "[Define Effects]" "[Loading Shaders]" "-> Loading ZoomBlend" \
    "[Loading 3D Objects]" "[Loading Textures]" "Load : resources/graphics/BrinovaLogoSmall.png" \
    "[Loading Binary Data]" "[Loading Animation Data]" "[Create track data]" "[Initializing Effect Instances]" \
    "-> Initializing underwater_effect" "[Setting up sound]" "Play : brinova_final_c.mp3" "[Demo Init]" \
    "Duration : " "FPS = " "[Shutting Down]" "[Deleting Pools]" "KVRDemosys::shutdown()" "[Application End]"; then
    if grep -q "Message from resourceloader" "$work/out.txt"; then fail "the demo reported a load failure"
    elif grep -q "Error: Uniform variable\|GL_ERROR" "$work/out.txt"; then fail "GL errors or missing uniforms"
    else pass "Start! at quality Low plays the production and reports"; fi
  else
    fail "load log"
  fi
  [ "$failures" -eq 0 ] || cat "$work/out.txt"
else
  fail "no dialog"
fi
echo "production launch: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
