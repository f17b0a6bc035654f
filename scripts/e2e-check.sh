#!/usr/bin/env bash
# The end-to-end check of the installed program: installs Tralva into
# build/default/e2e-install and drives it through its windows on a virtual
# display (scripts/e2e_check.py), comparing every file it writes with
# tralva-util's.  Screenshots of the windows go to build/default/e2e/*.png.
# Run by the test command; needs the default build.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
prefix="$build/e2e-install"
out="$PWD/$build/e2e"

scripts/ensure-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tralva tralva-util e2e_project_reference >/dev/null
rm -rf "$prefix" "$out"
cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$out"

# Under the Italian locale, as an engineer here runs it.
locale_path="$(scripts/italian-locale.sh)"
started=$SECONDS
status=0
# Each step waits at most 40 s; the whole check is bounded too.
LOCPATH="$locale_path" LC_ALL=it_IT.UTF-8 \
  timeout --kill-after=15 300 dbus-run-session -- /usr/bin/python3 scripts/e2e_check.py \
  "$PWD/$prefix/bin" "$PWD/$build/tests/e2e/e2e_project_reference" "$out" || status=$?
if ((status == 124)); then
  echo "END-TO-END CHECK FAILED: still running after 300 s" >&2
fi
echo "end-to-end check: $((SECONDS - started)) s, status $status"
exit $status
