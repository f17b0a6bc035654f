#!/usr/bin/env bash
# Checks that the C++ files follow the project's style (.clang-format).
# Without arguments every tracked C++ file is checked; with paths, only
# those.  scripts/format-check.sh --fix rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=(--dry-run --Werror)
if [[ "${1:-}" == --fix ]]; then
  mode=(-i)
  shift
fi
if (($# > 0)); then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
((${#files[@]} == 0)) && exit 0
clang-format "${mode[@]}" "${files[@]}"
