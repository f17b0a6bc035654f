#!/usr/bin/env bash
# Builds everything and runs every test: the style check, the end-to-end
# check of the installed program, the whole suite, the core under
# AddressSanitizer + UndefinedBehaviorSanitizer, tralva-util under fault
# injection and on a Slurm cluster of its own, then both suites again under
# the Italian locale; CTest's summary comes last.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
locale_path="$(scripts/italian-locale.sh)"

status=0
run() { "$@" || status=1; }
run scripts/format-check.sh

cmake --preset default >/dev/null
cmake --build --preset default
run scripts/e2e-check.sh
cmake --preset asan >/dev/null
cmake --build --preset asan

run scripts/fault-injection.sh build/default
# The cluster examples on a Slurm of its own; skipped, with the reason,
# without root or without the packages of scripts/ensure-deps.sh --cluster.
run scripts/slurm-check.sh build/default

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run env LC_ALL=C ctest --preset asan --parallel 2
run env LC_ALL=C ctest --preset default --parallel 2
run env LOCPATH="$locale_path" LC_ALL=it_IT.UTF-8 ctest --preset asan --parallel 2
run env LOCPATH="$locale_path" LC_ALL=it_IT.UTF-8 ctest --preset default --parallel 2
exit $status
