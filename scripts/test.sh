#!/usr/bin/env bash
# Builds everything and runs every test: the style check, the whole suite,
# the core under AddressSanitizer + UndefinedBehaviorSanitizer, then both
# again under the Italian locale, and tralva-util under fault injection.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
locale_path="$(scripts/italian-locale.sh)"

status=0
run() { "$@" || status=1; }
run scripts/format-check.sh

cmake --preset default >/dev/null
cmake --build --preset default
cmake --preset asan >/dev/null
cmake --build --preset asan

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run env LC_ALL=C ctest --preset asan --parallel 2
run env LC_ALL=C ctest --preset default --parallel 2
run env LOCPATH="$locale_path" LC_ALL=it_IT.UTF-8 ctest --preset asan --parallel 2
run env LOCPATH="$locale_path" LC_ALL=it_IT.UTF-8 ctest --preset default --parallel 2
run scripts/fault-injection.sh build/default
exit $status
