#!/bin/bash
# L'unione delle parti di un calcolo: parte-1.txt ... parte-N.txt della
# cartella condivisa, messe in fila, sono il file intero RISULTATO. Scritto
# prima accanto e poi rinominato: un'unione interrotta non lascia un file a
# metà. Con MATRICE e PASSI (un calcolo su una griglia piana) converte anche
# il risultato in matrice con `tralva-util risultato`.
#
# invia.sh lo mette in coda con --dependency=afterok sull'array: parte solo se
# tutte le parti sono riuscite; se una parte fallisce Slurm lo annulla
# (--kill-on-invalid-dep=yes) invece di lasciarlo in attesa per sempre.
#
#SBATCH --job-name=tralva-unisci
#SBATCH --cpus-per-task=1
#SBATCH --mem=100M
#SBATCH --time=00:30:00
#SBATCH --output=tralva-unisci-%j.log
set -euo pipefail

CARTELLA=${CARTELLA:-$HOME/studio/parti}
PARTI=${PARTI:?quante parti: PARTI=N}
RISULTATO=${RISULTATO:-$CARTELLA/tutto.txt}
MATRICE=${MATRICE:-}
PASSI=${PASSI:-}

parti=()
for ((k = 1; k <= PARTI; k++)); do
  parti+=("$CARTELLA/parte-$k.txt")
done
provvisorio=$(mktemp "$RISULTATO.XXXXXX")
trap 'rm -f "$provvisorio"' EXIT
cat "${parti[@]}" >"$provvisorio"
mv "$provvisorio" "$RISULTATO"
echo "Unite $PARTI parti in $RISULTATO."

if [[ -n $MATRICE ]]; then
  read -ra passi <<<"$PASSI"
  tralva-util risultato "${passi[@]}" "$RISULTATO" "$MATRICE"
fi
