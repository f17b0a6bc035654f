#!/usr/bin/env bash
# Compiles it_IT.UTF-8 into build/locale (no root needed) and prints the
# folder to use as LOCPATH.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$root/build/locale"
if [[ ! -f "$folder/it_IT.UTF-8/LC_NUMERIC" ]]; then
  mkdir -p "$folder"
  # localedef warns about harmless details of the source files; only its
  # result matters.
  localedef -i it_IT -f UTF-8 "$folder/it_IT.UTF-8" >/dev/null 2>&1 || true
  [[ -f "$folder/it_IT.UTF-8/LC_NUMERIC" ]] || { echo "cannot build the it_IT.UTF-8 locale" >&2; exit 1; }
fi
echo "$folder"
