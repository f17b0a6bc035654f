#!/usr/bin/env bash
# The cluster examples (examples/cluster/) on a real Slurm on this machine: a
# single-node cluster of its own in a scratch folder (slurm.conf, a munge key,
# state, spool, logs, sockets, its own ports), munged, slurmctld and slurmd
# started as background processes of this script and nothing written to
# /etc.  It submits, through examples/cluster/invia.sh as a user would,
#
#   - campo over a plane grid in 4 parts, merged and converted to a matrix;
#   - interpola over a base grid in 4 parts;
#   - campo over the terrain at two heights with --massimo, in 4 parts;
#   - campo in 4 parts of which one cannot write its output,
#
# waits for every job with a bound, compares each merged file (and the
# matrix) byte for byte with a single run of the same command, and checks
# that the merge after the failed part was cancelled by the scheduler and
# left nothing behind.  Then it stops what it started, and only that, and
# removes the scratch folder.
#
# Needs root and Debian's slurmctld, slurmd, slurm-client and munge
# (scripts/ensure-deps.sh --cluster); without them it says why it skips and
# exits 0.  Usage: scripts/slurm-check.sh [BUILD_DIR]   (default build/default)
set -uo pipefail
cd "$(dirname "$0")/.."
top=$PWD
util_dir="$top/${1:-build/default}/src/cli"

skip() {
  echo "slurm check: skipped: $*"
  exit 0
}
((EUID == 0)) || skip "it starts munged, slurmctld and slurmd, which needs root"
for program in munged mungekey slurmctld slurmd sbatch squeue scontrol sinfo; do
  command -v "$program" >/dev/null ||
    skip "$program is missing (scripts/ensure-deps.sh --cluster installs Slurm and munge)"
done
[[ -x $util_dir/tralva-util ]] || {
  echo "slurm check: $util_dir/tralva-util is not built" >&2
  exit 1
}

started=$SECONDS
scratch=$(mktemp -d /tmp/tralva-slurm-XXXXXX)
chmod 755 "$scratch"
touch "$scratch/.start"
pids=()
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

stop_all() {
  # Only the daemons this script started, controller and node first.
  local pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null
  done
  for pid in "${pids[@]}"; do
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  pids=()
}
cleanup() {
  stop_all
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Ports of our own, not held by anything else.
free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 20000))
    ss -Htln "sport = :$port" | grep -q . || {
      echo "$port"
      return
    }
  done
}
controller_port=$(free_port)
node_port=$(free_port)
[[ $node_port != "$controller_port" ]] || node_port=$((controller_port + 1))

node=$(hostname -s)
memory=$(($(awk '/MemTotal/ { print int($2 / 1024) }' /proc/meminfo) / 2))
mkdir -p "$scratch/state" "$scratch/spool" "$scratch/shared"
cat >"$scratch/slurm.conf" <<EOF
ClusterName=tralva-prova
SlurmctldHost=$node
SlurmctldPort=$controller_port
SlurmdPort=$node_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$scratch/munge.socket
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
SchedulerParameters=kill_invalid_depend
MinJobAge=600
ReturnToService=2
MpiDefault=none
StateSaveLocation=$scratch/state
SlurmdSpoolDir=$scratch/spool
SlurmctldPidFile=$scratch/slurmctld.pid
SlurmdPidFile=$scratch/slurmd.pid
SlurmctldLogFile=$scratch/slurmctld.log
SlurmdLogFile=$scratch/slurmd.log
NodeName=$node CPUs=2 RealMemory=$memory State=UNKNOWN
PartitionName=prova Nodes=ALL Default=YES MaxTime=INFINITE State=UP
EOF
export SLURM_CONF="$scratch/slurm.conf"

mungekey --create --keyfile="$scratch/munge.key" || {
  echo "slurm check: could not make a munge key" >&2
  exit 1
}
munged --foreground --force --socket="$scratch/munge.socket" --key-file="$scratch/munge.key" \
  --pid-file="$scratch/munged.pid" --log-file="$scratch/munged.log" \
  --seed-file="$scratch/munged.seed" >"$scratch/munged.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  [[ -S $scratch/munge.socket ]] && break
  sleep 0.1
done
slurmctld -D -f "$SLURM_CONF" >"$scratch/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" >"$scratch/slurmd.out" 2>&1 &
pids+=($!)

# The node takes jobs once the controller and the node have met.
ready=""
for _ in $(seq 150); do
  if [[ $(sinfo -h -N -o %t 2>/dev/null) == idle ]]; then
    ready=1
    break
  fi
  sleep 0.2
done
if [[ -z $ready ]]; then
  echo "slurm check: the node did not come up; the controller said:" >&2
  tail -n 20 "$scratch/slurmctld.log" "$scratch/slurmd.log" >&2
  exit 1
fi
echo "Slurm $(sinfo -V | cut -d' ' -f2): node $node with 2 CPUs and $memory MB, ports $controller_port and $node_port"

export PATH="$util_dir:$PATH"
shared=$scratch/shared
cp examples/progetto-unito.tlva examples/punti-quotati.txt "$shared/"
tralva-util griglia --origine -50 -100 --passi 110 30 --passo 10 "$shared/base.txt" >/dev/null
tralva-util interpola "$shared/base.txt" "$shared/punti-quotati.txt" --alfa 2 --vicini 8 \
  --precisione cm "$shared/orografia.txt" >/dev/null

plane="--piano --origine -50 -100 --passo 10 10 --passi 110 30 --quota 1 --precisione dm"
terrain="--punti $shared/orografia.txt --quota 1 --passo-z 1 --passi-z 1 --massimo --precisione cm"
survey="--alfa 2 --vicini 8 --precisione cm"

# Submits one study through invia.sh from its own folder; prints sbatch's
# lines and remembers the jobs.
declare -A array_job merge_job
submit() {
  local name=$1 calculation=$2
  shift 2
  mkdir -p "$shared/$name"
  local lines
  lines=$(cd "$shared/$name" && env "$@" CARTELLA="$shared/$name" PARTI=4 \
    "$top/examples/cluster/invia.sh" "$calculation" 2>&1) || {
    fail "$name: invia.sh failed: $lines"
    return
  }
  echo "$name:"
  sed 's/^/  /' <<<"$lines"
  array_job[$name]=$(sed -n '1s/.* //p' <<<"$lines")
  merge_job[$name]=$(sed -n '2s/.* //p' <<<"$lines")
}

submit piano campo PROGETTO="$shared/progetto-unito.tlva" OPZIONI="$plane" \
  RISULTATO="$shared/piano/campo.txt" MATRICE="$shared/piano/matrice.txt" \
  PASSI="--passi 110 30 --precisione dm"
submit orografia interpola BASE="$shared/base.txt" PUNTI_QUOTATI="$shared/punti-quotati.txt" \
  OPZIONI="$survey" RISULTATO="$shared/orografia/orografia.txt"
submit terreno campo PROGETTO="$shared/progetto-unito.tlva" OPZIONI="$terrain" \
  RISULTATO="$shared/terreno/campo.txt"
# Part 3 of this one finds a folder where its output should go.
mkdir -p "$shared/guasto/parte-3.txt"
submit guasto campo PROGETTO="$shared/progetto-unito.tlva" OPZIONI="$plane" \
  RISULTATO="$shared/guasto/campo.txt"

# Waits for every job to end: completed, failed or cancelled.
pending() {
  squeue -h --states=PENDING,RUNNING,CONFIGURING,COMPLETING -o %i 2>/dev/null | grep -c .
}
for _ in $(seq 600); do
  (($(pending) == 0)) && break
  sleep 0.2
done
if (($(pending) > 0)); then
  fail "jobs still queued or running after 120 s"
  squeue --states=all >&2
fi

echo
echo "Job states (squeue --states=all):"
squeue --states=all -o '  %.10i %.16j %.10T %r' | sort -V
state_of() { scontrol show job "$1" 2>/dev/null | grep -o 'JobState=[A-Z_]*' | head -n 1 | cut -d= -f2; }

# A single run of the same command is the reference.
echo
compare() {
  local what=$1 merged=$2 single=$3
  if [[ ! -f $merged ]]; then
    fail "$what: no merged file $merged"
  elif cmp -s "$merged" "$single"; then
    echo "$what: identical to a single run ($(wc -c <"$single") bytes)"
  else
    fail "$what: $(cmp "$merged" "$single" 2>&1)"
  fi
}
read -ra opts <<<"$plane"
tralva-util campo "$shared/progetto-unito.tlva" "${opts[@]}" "$scratch/campo.txt" >/dev/null
tralva-util risultato --passi 110 30 --precisione dm "$scratch/campo.txt" \
  "$scratch/matrice.txt" >/dev/null
compare "campo, plane grid in 4 parts" "$shared/piano/campo.txt" "$scratch/campo.txt"
compare "its matrix (risultato)" "$shared/piano/matrice.txt" "$scratch/matrice.txt"
read -ra opts <<<"$survey"
tralva-util interpola "$shared/base.txt" "$shared/punti-quotati.txt" "${opts[@]}" \
  "$scratch/orografia.txt" >/dev/null
compare "interpola in 4 parts" "$shared/orografia/orografia.txt" "$scratch/orografia.txt"
read -ra opts <<<"$terrain"
tralva-util campo "$shared/progetto-unito.tlva" "${opts[@]}" "$scratch/terreno.txt" >/dev/null
compare "campo over the terrain, 2 heights, --massimo" "$shared/terreno/campo.txt" \
  "$scratch/terreno.txt"

# The failed part: its task failed, the merge was cancelled by the scheduler
# instead of waiting for ever, and no merged file exists, not even in part.
for name in piano orografia terreno; do
  for k in 1 2 3 4; do
    state=$(state_of "${array_job[$name]}_$k")
    [[ $state == COMPLETED ]] || fail "$name: part $k is $state"
  done
  state=$(state_of "${merge_job[$name]}")
  [[ $state == COMPLETED ]] || fail "$name: the merge is $state"
done
failed_part=$(state_of "${array_job[guasto]}_3")
merge_state=$(state_of "${merge_job[guasto]}")
echo "one part unable to write: part 3 $failed_part, the merge $merge_state" \
  "($(scontrol show job "${merge_job[guasto]}" | grep -o 'Reason=[A-Za-z]*'))"
[[ $failed_part == FAILED ]] || fail "the part that cannot write is $failed_part"
[[ $merge_state == CANCELLED ]] || fail "the merge after a failed part is $merge_state"
leftovers=$(find "$shared/guasto" -maxdepth 1 -name 'campo.txt*')
[[ -z $leftovers ]] || fail "a failed study left $leftovers"

stop_all
changed=$(find /etc -xdev -newer "$scratch/.start" 2>/dev/null | head -n 5)
[[ -z $changed ]] || fail "files changed in /etc: $changed"
for program in munged slurmctld slurmd; do
  left=$(pgrep -f "$program.*$scratch" || true)
  [[ -z $left ]] || fail "$program still running: $left"
done

echo "slurm check: $((SECONDS - started)) s, $failures failure(s)"
((failures == 0))
