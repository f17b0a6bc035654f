#!/usr/bin/env bash
# Starts Tralva on a virtual display with the AT-SPI accessibility bus and
# Qt's bridge on, then reads its controls and types into a form the way
# screen readers and desktop automation do (not part of the test command).
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z "${TRALVA_A11Y_SESSION:-}" ]]; then
  scripts/ensure-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target tralva >/dev/null
  exec env TRALVA_A11Y_SESSION=1 xvfb-run -a dbus-run-session "$0"
fi

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
sleep 1
build/default/src/ui/tralva &
program=$!
sleep 2
status=0
/usr/bin/python3 scripts/accessibility_walk.py || status=1
kill "$program" "$launcher"
wait "$program" 2>/dev/null || true
exit $status
