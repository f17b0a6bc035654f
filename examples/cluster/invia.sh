#!/bin/bash
# Invia un calcolo in N parti a Slurm: il job array delle parti, poi
# l'unione, che aspetta la riuscita di tutte le parti.
#
#   PARTI=50 examples/cluster/invia.sh campo
#   PARTI=20 examples/cluster/invia.sh interpola
#
# Le variabili degli script (PROGETTO, BASE, PUNTI_QUOTATI, CARTELLA,
# OPZIONI, RISULTATO, MATRICE, PASSI) passano dall'ambiente ai compiti.
set -euo pipefail

calcolo=${1:?campo o interpola}
cartella_script=$(dirname "$0")
parti=${PARTI:-4}
mkdir -p "${CARTELLA:-$HOME/studio/parti}"

array=$(sbatch --array=1-"$parti" --export=ALL,PARTI="$parti" \
  "$cartella_script/$calcolo-parti.sbatch")
echo "$array"
sbatch --dependency=afterok:"${array##* }" --kill-on-invalid-dep=yes \
  --export=ALL,PARTI="$parti" "$cartella_script/unisci-parti.sbatch"
