#!/usr/bin/env bash
# Builds the desktop program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tralva
exec build/default/src/ui/tralva "$@"
