#!/bin/bash
# Una parte del campo magnetico di un grande studio: il compito K di un job
# array di Slurm calcola con `tralva-util campo --parte K/N` la K-esima delle
# N parti consecutive della griglia (o dei punti del file) e la scrive nella
# cartella condivisa come parte-K.txt. Le N parti messe in fila danno il
# risultato intero: le unisce unisci-parti.sbatch, che invia.sh mette in coda
# dopo l'array.
#
# Da adattare: PROGETTO, CARTELLA e OPZIONI (qui o nell'ambiente da cui si
# invia) e le righe #SBATCH di memoria e tempo, per una parte.
#
# Memoria: campo tiene in memoria i tratti dei conduttori e un blocco di punti
# alla volta, non la griglia. Misurati su una macchina a 2 core (vedi la
# guida, «Calcoli grandi su un cluster»): 6,4 MB con 12 000 tratti, 14 MB con
# 120 000: circa 6 MB più 70 byte per tratto. 200M bastano fino a circa
# 2,5 milioni di tratti.
#
# Tempo: valutazioni della parte / (valutazioni al secondo di un core × core).
# Le valutazioni sono punti × tratti entro il buffer (× quote con --passi-z);
# `tralva-util campo ... --stima` le conta e stima il tempo sulla macchina
# dove gira. Misurati: 7,4·10⁸ valutazioni al secondo per core (AVX-512).
# Esempio: 4·10⁶ punti con 5000 tratti entro il buffer, in 50 parti da
# 2 core: 4·10⁶ × 5000 / 50 / (2 × 7,4·10⁸) = 270 s per parte; si chiede il
# doppio, arrotondato.
#
#SBATCH --job-name=tralva-campo
#SBATCH --array=1-4
#SBATCH --cpus-per-task=2
#SBATCH --mem=200M
#SBATCH --time=00:10:00
#SBATCH --output=tralva-campo-%A_%a.log
set -euo pipefail

PROGETTO=${PROGETTO:-$HOME/studio/linee.tlva}
CARTELLA=${CARTELLA:-$HOME/studio/parti}
OPZIONI=${OPZIONI:---piano --origine 1500000 5000000 --passo 5 5 --passi 2000 2000 --quota 1 --precisione dm}

K=$SLURM_ARRAY_TASK_ID
# PARTI when a part is sent again alone (sbatch --array=K), else the array.
N=${PARTI:-$SLURM_ARRAY_TASK_COUNT}
read -ra opzioni <<<"$OPZIONI"
tralva-util campo "$PROGETTO" "${opzioni[@]}" --parte "$K/$N" "$CARTELLA/parte-$K.txt"
