#!/usr/bin/env bash
# Hostile but ordinary mistakes against tralva-util, end to end: a device
# node and a FIFO as output and as input (also among the files of a map), an
# output that is its own input, a read-only output written by an ordinary
# user, a disk too small (a 1 MB tmpfs of its own, also for a map),
# numbers beyond range, and SIGTERM, SIGINT and SIGKILL in the middle of a
# command.  Each case checks the exit status and the message, that the
# user's files are byte for byte as they were and that nothing is left
# beside them.
#
# Everything happens in a scratch folder of its own, with device nodes of its
# own; every command runs with a time limit and a file size limit.  A case
# this machine does not allow (not root, no mount) is skipped with the reason.
#
# Usage: scripts/fault-injection.sh [BUILD_DIR]   (default build/default)
set -uo pipefail
cd "$(dirname "$0")/.."
util="${1:-build/default}/src/cli/tralva-util"
if [[ ! -x $util ]]; then
  echo "fault injection: $util is not built" >&2
  exit 1
fi
util="$(realpath "$util")"

scratch="$(mktemp -d /tmp/tralva-faults-XXXXXX)"
chmod 755 "$scratch"
disk=""
cleanup() {
  if [[ -n $disk ]]; then umount "$disk"; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

passed=0
failed=0
skipped=0
started=$SECONDS
fail() {
  echo "FAIL: $*" >&2
  failed=$((failed + 1))
}
skip() {
  echo "skipped: $*"
  skipped=$((skipped + 1))
}

# tralva-util bounded: 10 s, files up to 128 MB.  Sets `status` and `err`.
run_util() {
  err="$( (ulimit -f 131072 && exec timeout 10 "$@" 2>&1 >/dev/null))"
  status=$?
}

# expect NAME STATUS TEXT -- COMMAND...: the exit status, and TEXT in what
# was printed on standard error.
expect() {
  local name=$1 want=$2 text=$3
  shift 4
  run_util "$@"
  if [[ $status -ne $want ]]; then
    fail "$name: exit status $status instead of $want: $err"
  elif [[ $err != *"$text"* ]]; then
    fail "$name: printed \"$err\" without \"$text\""
  else
    passed=$((passed + 1))
  fi
}

# unchanged FILE COPY NAME: FILE still holds the bytes of COPY.
unchanged() {
  cmp -s "$1" "$2" || fail "$3: $(basename "$1") changed"
}

# nothing_left FOLDER NAME: no temporary file of ours in FOLDER.
nothing_left() {
  local left
  left="$(find "$1" -maxdepth 1 -name '.*.tralva-*.tmp' -printf '%f ')"
  [[ -z $left ]] || fail "$2: left behind: $left"
}

cannot_create="Impossibile creare il file di conversione"
cannot_open="Impossibile aprire il file di dati."
no_room="Causa: spazio esaurito sul dispositivo."
denied="Causa: permesso negato."

f="$scratch/files"
mkdir "$f"
printf 'X\tY\tZ\tB\n0\t0\t0\t1.5\n' >"$f/in.txt"
printf '0\t100\t110\n200\t1.5\t2.5\n' >"$f/m.txt"
printf 'precedente' >"$f/previous"
cp "$f/in.txt" "$f/in.copy"
cp "$f/m.txt" "$f/m.copy"

# A device or a FIFO as output: refused and left as it is (a device node
# with the numbers of /dev/null was replaced by a regular file).
mkfifo "$f/fifo"
nodes=(fifo)
if mknod "$f/null" c 1 3 2>/dev/null && mknod "$f/zero" c 1 5 2>/dev/null; then
  nodes+=(null zero)
else
  skip "device nodes: this user may not make them"
fi
for node in "${nodes[@]}"; do
  expect "$node as output" 1 "$cannot_create" -- \
    "$util" risultato --passi 0 0 "$f/in.txt" "$f/$node"
  # As input it would be read for ever, or wait for ever for a writer.
  expect "$node as input" 1 "$cannot_open" -- "$util" orografia "$f/$node" "$f/out.txt"
done
[[ -p $f/fifo ]] || fail "the FIFO is no longer a FIFO"
if [[ -e $f/null ]]; then [[ -c $f/null ]] || fail "the device node was replaced"; fi
[[ ! -e $f/out.txt ]] || fail "an output was written from a device"

# An output that is its own input, under the same name or through a link.
ln "$f/m.txt" "$f/link.txt"
expect "output is input" 1 "coincide" -- "$util" risultato --passi 0 0 "$f/in.txt" "$f/in.txt"
expect "output is input, linked" 1 "coincide" -- "$util" orografia "$f/m.txt" "$f/link.txt"
unchanged "$f/in.txt" "$f/in.copy" "output is input"
unchanged "$f/m.txt" "$f/m.copy" "output is input"

# Nothing to convert, numbers beyond range: no success, the previous output kept.
for matrix in '' '\r' 'nan\r\n'; do
  printf "$matrix" >"$f/bad.txt"
  cp "$f/previous" "$f/gis.txt"
  expect "matrix '$matrix'" 1 "coordinate delle colonne" -- \
    "$util" orografia "$f/bad.txt" "$f/gis.txt"
  unchanged "$f/gis.txt" "$f/previous" "matrix '$matrix'"
done
printf 'h\n0\t0\t0\t1e400\n' >"$f/inf.txt"
expect "a cell of 1e400" 1 "troppo grandi" -- \
  "$util" risultato --passi 0 0 "$f/inf.txt" "$f/gis.txt"
expect "--passo 1e400" 64 "--passo: «1e400» è fuori dall'intervallo ammesso" -- \
  "$util" griglia --origine 0 0 --passi 1 1 --passo 1e400 "$f/grid.txt"
unchanged "$f/gis.txt" "$f/previous" "numbers beyond range"
[[ ! -e $f/grid.txt ]] || fail "a grid was written with a step of 1e400"
nothing_left "$f" "the files cases"

# A map whose outputs include a FIFO: refused before anything is drawn, the
# other outputs as they were.
printf 'X\tY\tZ\tB [uT]\n0\t0\t0\t1\n10\t0\t0\t4\n0\t10\t0\t2\n10\t10\t0\t8\n' >"$f/r.txt"
cp "$f/previous" "$f/map.tif"
mkfifo "$f/fifo.png"
expect "a map onto a FIFO" 1 "Impossibile creare il file «$f/fifo.png»" -- \
  "$util" mappa "$f/r.txt" -o "$f/map.tif" -o "$f/fifo.png"
unchanged "$f/map.tif" "$f/previous" "a map onto a FIFO"
[[ -p $f/fifo.png ]] || fail "the FIFO of the map is no longer a FIFO"
nothing_left "$f" "a map onto a FIFO"

# A read-only output, written by an ordinary user (root may write it).
u="$scratch/user"
mkdir "$u"
cp "$f/in.txt" "$f/m.txt" "$u/"
for out in g.txt out.txt gis.txt; do
  cp "$f/previous" "$u/$out"
  chmod 444 "$u/$out"
done
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  if command -v setpriv >/dev/null; then
    chown -R 65534:65534 "$u"
    chmod 444 "$u"/*.txt
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  else
    skip "read-only outputs: setpriv is missing to act as an ordinary user"
  fi
fi
if [[ $(id -u) -ne 0 || ${#as_user[@]} -gt 0 ]]; then
  expect "read-only base grid" 1 "$denied" -- \
    "${as_user[@]}" "$util" griglia --origine 0 0 --passi 9 9 --passo 1 "$u/g.txt"
  expect "read-only conversion" 1 "$denied" -- \
    "${as_user[@]}" "$util" risultato --passi 0 0 "$u/in.txt" "$u/out.txt"
  expect "read-only terrain output" 1 "$denied" -- \
    "${as_user[@]}" "$util" orografia "$u/m.txt" "$u/gis.txt"
  for out in g.txt out.txt gis.txt; do unchanged "$u/$out" "$f/previous" "read-only $out"; done
  nothing_left "$u" "read-only outputs"
fi

# A disk of 1 MB: what cannot fit is refused at once (a 4 x 10^10-line grid
# filled an 80 GB disk).
if [[ $(id -u) -eq 0 ]] && mkdir "$scratch/disk" &&
  mount -t tmpfs -o size=1m,nosuid,nodev,noexec tralva-faults "$scratch/disk" 2>/dev/null; then
  disk="$scratch/disk"
  cp "$f/previous" "$disk/g.txt"
  began=$(date +%s%N)
  expect "a grid larger than the disk" 1 "$no_room" -- \
    "$util" griglia --origine 0 0 --passi 200000 200000 --passo 1 "$disk/g.txt"
  echo "  the grid of 4 x 10^10 lines refused in $((($(date +%s%N) - began) / 1000000)) ms"
  "$util" griglia --origine 0 0 --passi 399999 0 --passo 1 "$f/gis-input.txt" >/dev/null
  expect "a conversion larger than the disk" 1 "$no_room" -- \
    "$util" risultato --passi 299999 0 "$f/gis-input.txt" "$disk/out.txt"
  # The GeoTIFF fits, the page at 600 dpi does not: neither replaces its file.
  cp "$f/previous" "$disk/m.tif"
  expect "a map larger than the disk" 1 "$no_room" -- \
    "$util" mappa "$f/r.txt" --dpi 600 -o "$disk/m.tif" -o "$disk/m.png"
  unchanged "$disk/m.tif" "$f/previous" "a map larger than the disk"
  unchanged "$disk/g.txt" "$f/previous" "a disk too small"
  [[ $(ls -A "$disk" | tr '\n' ' ') == 'g.txt m.tif ' ]] || fail "a disk too small: $(ls -A "$disk")"
else
  skip "a small disk: this user may not mount a tmpfs here"
fi

# Stopped in the middle: SIGINT and SIGTERM remove the temporary file, and a
# run after SIGKILL removes what the killed one left.  A conversion of 3
# million records holds its temporary file for a fraction of a second.
s="$scratch/signals"
mkdir "$s"
"$util" griglia --origine 0 0 --passi 1999 1999 --passo 1 "$s/points.txt" >/dev/null
cp "$f/previous" "$s/out.txt"
# stop SIGNAL: starts the conversion, sends SIGNAL once the temporary file
# holds data (or, failing that, exists) and sets `status`.
stop() {
  env --default-signal=INT,TERM,HUP "$util" risultato --passi 2999 999 \
    "$s/points.txt" "$s/out.txt" >/dev/null 2>&1 &
  local pid=$! temporary="" deadline=$((SECONDS + 10))
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
    temporary="$(compgen -G "$s/.out.txt.tralva-*.tmp")"
    [[ -n $temporary && -s $temporary ]] && break
  done
  if [[ -n $temporary ]]; then
    [[ -s $temporary ]] && writing=yes || writing=no
    kill "-$1" "$pid" 2>/dev/null
  else
    writing=never
  fi
  { wait "$pid"; } 2>/dev/null
  status=$?
}
for signal in INT TERM; do
  stop "$signal"
  want=$((128 + $(kill -l "$signal")))
  if [[ $writing == never ]]; then
    fail "SIG$signal: the conversion ended before it could be stopped"
    continue
  fi
  [[ $status -eq $want ]] || fail "SIG$signal: exit status $status instead of $want"
  echo "  SIG$signal delivered while writing: $writing"
  unchanged "$s/out.txt" "$f/previous" "SIG$signal"
  nothing_left "$s" "SIG$signal"
  passed=$((passed + 1))
done
stop KILL
if [[ $writing != never && -n $(compgen -G "$s/.out.txt.tralva-*.tmp") ]]; then
  expect "the run after SIGKILL" 0 "" -- \
    "$util" risultato --passi 0 0 "$f/in.txt" "$s/out.txt"
  nothing_left "$s" "the run after SIGKILL"
else
  fail "SIGKILL: no temporary file was left to find ($writing)"
fi

echo "fault injection: $passed passed, $failed failed, $skipped skipped in $((SECONDS - started)) s"
[[ $failed -eq 0 ]]
