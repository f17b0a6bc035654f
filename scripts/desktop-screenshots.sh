#!/usr/bin/env bash
# Photographs the program under a real window manager (Xvfb and openbox) at
# 1366 x 768 and on a 2732 x 1536 screen scaled by 2, to
# build/default/desktop-shots/{1366x768,2x}/*.png: the main window, a
# data-entry dialog with a field read in part, a message box, a file dialog,
# the viewer and the two engineering dialogs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tralva-desktop-shots >/dev/null

shoot() {  # FOLDER SCREEN SCALE
  local display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 "$2x24" -nolisten tcp >/dev/null 2>&1 &
  local server=$!
  sleep 1
  DISPLAY="$display" openbox >/dev/null 2>&1 &
  local manager=$!
  sleep 1
  local status=0
  DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$3" \
    build/default/tools/tralva-desktop-shots "$1" || status=$?
  kill "$manager" "$server" 2>/dev/null || true
  wait "$manager" "$server" 2>/dev/null || true
  return $status
}

out=build/default/desktop-shots
shoot "$out/1366x768" 1366x768 1
shoot "$out/2x" 2732x1536 2
ls "$out"/*/*.png
