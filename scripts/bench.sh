#!/usr/bin/env bash
# Builds the benchmarks (optimised) and times the base grid writer, the two
# conversions and the merge side by side with plain stdio versions of the
# same operations and with merely writing as many bytes to the same folder.
# Prints the times, the ratios and the peak memory, and checks that every
# output is byte-identical to the plain version's.  Arguments go to the
# driver: --points N (default 10^7), --runs R, --plain-runs P,
# --only griglia|risultato|orografia|unisci, --folder DIR, --to-disk.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null

folder="${TRALVA_BENCH_FOLDER:-build/bench-data}"
mkdir -p "$folder"
kind="$(stat -f -c %T "$folder")"
echo "Folder $folder on a $kind file system"
if [[ "$kind" == tmpfs ]]; then
  echo "warning: a tmpfs folder measures memory, not the disk; set TRALVA_BENCH_FOLDER" >&2
fi
exec build/bench/bench/convert_bench --folder "$folder" "$@"
