#!/usr/bin/env bash
# Is the desktop program alive during a long command?  On a virtual display
# (Xvfb) with the accessibility bus, Tralva creates base grids of 10^7
# points from the "Interpolazione" page while another client pings its
# window every 200 ms with _NET_WM_PING, the question a desktop asks before
# it declares a program "not responding".  Every answer must come within
# 1 s, and the file must be the one tralva-util griglia writes.  Three
# grids: 1000 columns of 10^4 points; one column of 10^7 points (the page
# refreshes only at the end, the moves of the bar keep it alive); and 10^8
# points, a few seconds of work (about 2.5 GB in a temporary folder for a
# moment).  Not part of the test command: it takes a minute and a display.
#   scripts/responsiveness-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${TRALVA_RESPONSIVENESS_SESSION:-}" ]]; then
  scripts/ensure-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target tralva tralva-util >/dev/null
  exec env TRALVA_RESPONSIVENESS_SESSION=1 xvfb-run -a dbus-run-session "$0"
fi

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
folder="$(mktemp -d)"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null || true; rm -rf "$folder"' EXIT
sleep 1

status=0
for grid in "999 9999" "0 9999999" "9999 9999"; do
  build/default/src/ui/tralva &
  program=$!
  sleep 2
  # shellcheck disable=SC2086  # the two step counts
  /usr/bin/python3 scripts/responsiveness_check.py "$folder" build/default/src/cli/tralva-util \
    $grid || status=1
  kill "$program"
  wait "$program" 2>/dev/null || true
  rm -f "$folder"/*
done
exit $status
