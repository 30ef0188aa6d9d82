#!/usr/bin/env bash
# Starts the tool on a virtual X display and saves a screenshot of the screen.
# Usage: tools/screenshot.sh out.png [seconds] [tool arguments...]
set -euo pipefail
out="$1"; shift
wait="${1:-3}"; shift || true
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $tool 2>/dev/null' EXIT
sleep 1
DISPLAY="$display" "${LUMERA_CONTROL:-build/lumera-control}" "$@" &
tool=$!
sleep "$wait"
DISPLAY="$display" import -window root "$out"
