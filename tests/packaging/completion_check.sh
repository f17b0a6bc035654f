#!/usr/bin/env bash
# Drives the bash completion of tralva-util as the shell does on Tab, and
# checks it against the program's own usage, so that a command or an option
# added to one and not the other is caught.
#   completion_check.sh COMPLETION TRALVA_UTIL
set -uo pipefail
completion=$(realpath "$1") program=$(realpath "$2")
framework=/usr/share/bash-completion/bash_completion
[[ -r $framework ]] || {
  echo "FAIL: $framework missing (package bash-completion)" >&2
  exit 1
}
# shellcheck source=/dev/null
source "$framework"
# shellcheck source=/dev/null
source "$completion"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
touch linea.tlva base.txt disegno.svg elenco.json
mkdir cartella

failures=0
# The candidates offered for LINE, with the cursor at its end, sorted.
candidates() {
  COMP_LINE=$1
  COMP_POINT=${#1}
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *' ' ]] && COMP_WORDS+=('')
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _tralva_util tralva-util "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  words "${COMPREPLY[@]}"
}
# The arguments sorted, unique, on one line.
words() {
  local sorted
  mapfile -t sorted < <(printf '%s\n' "$@" | grep -v '^$' | LC_ALL=C sort -u)
  echo "${sorted[*]}"
}
expect() {
  local line=$1 wanted=$2 got
  got=$(candidates "$line")
  if [[ $got != "$wanted" ]]; then
    echo "FAIL: '$line' offers '$got', expected '$wanted'" >&2
    failures=$((failures + 1))
  fi
}

expect 'tralva-util ' \
  '--help --version angoli campo disegna geometria griglia interpola mappa orografia risultato unisci'
expect 'tralva-util gr' 'griglia'
expect 'tralva-util --v' '--version'
expect 'tralva-util griglia --' '--help --origine --passi --passo --precisione'
expect 'tralva-util griglia --precisione ' 'cm dm m mm'
expect 'tralva-util griglia --origine 1 ' ''
expect 'tralva-util griglia --origine 1 2 --passo 10 ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util griglia -- -' ''
expect 'tralva-util risultato --fi ' '0 180 270 90'
expect 'tralva-util risultato --passi 4 4 --psi 9' '90'
expect 'tralva-util disegna --proiezione X' 'XY XZ'
expect 'tralva-util disegna linea.tlva --adatta ' 'cartella linea.tlva'
expect 'tralva-util disegna linea.tlva -o ' 'cartella disegno.svg elenco.json'
expect 'tralva-util disegna linea.tlva --x 0 ' ''
expect 'tralva-util unisci linea.tlva ' 'cartella linea.tlva'
expect 'tralva-util geometria ' 'cartella linea.tlva'
expect 'tralva-util orografia --precisione mm ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util campo ' 'cartella linea.tlva'
expect 'tralva-util campo linea.tlva --piano ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util campo linea.tlva --punti ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util campo linea.tlva --fi ' ''
expect 'tralva-util campo --pa' '--parte --passi --passi-z --passo --passo-z'
expect 'tralva-util campo linea.tlva --punti base.txt --massimo ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util interpola --vicini ' ''
expect 'tralva-util mappa ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util mappa campo.txt -o ' 'cartella disegno.svg'
expect 'tralva-util mappa campo.txt --progetto ' 'cartella linea.tlva'
expect 'tralva-util mappa campo.txt --epsg 66' ''
expect 'tralva-util mappa campo.txt --epsg 67' '6707 6708'
expect 'tralva-util mappa campo.txt --soglie ' ''
expect 'tralva-util interpola base.txt ' 'base.txt cartella disegno.svg elenco.json linea.tlva'
expect 'tralva-util angoli ' ''
expect 'tralva-util griglia --help ' ''
expect 'tralva-util ignoto ' ''

# Every command of the usage, with exactly the options its synopsis names.
while read -r _ command synopsis; do
  # shellcheck disable=SC2046
  wanted=$(words --help $(grep -oE -- '-{1,2}[a-z]+(-[a-z]+)*' <<<"$synopsis"))
  expect "tralva-util $command -" "$wanted"
  grep -qw -- "$command" <<<"$(candidates 'tralva-util ')" || {
    echo "FAIL: the command $command is not completed" >&2
    failures=$((failures + 1))
  }
done < <("$program" --help | grep '^  tralva-util ')

if ((failures > 0)); then
  echo "$failures completion check(s) failed" >&2
  exit 1
fi
echo "completion as expected"
