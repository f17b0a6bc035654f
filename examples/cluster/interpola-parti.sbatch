#!/bin/bash
# Una parte dell'orografia di un grande studio: il compito K di un job array
# di Slurm calcola con `tralva-util interpola --parte K/N` le quote della
# K-esima delle N parti consecutive dei punti del file di base e la scrive
# nella cartella condivisa come parte-K.txt; unisci-parti.sbatch le mette in
# fila. Si invia con invia.sh.
#
# Da adattare: BASE, PUNTI_QUOTATI, CARTELLA e OPZIONI e le righe #SBATCH.
#
# Memoria: i punti quotati stanno tutti in memoria, il file di base no.
# Misurati: 12 MB con 10⁵ punti quotati, 70 MB con 10⁶: circa 6 MB più
# 64 byte per punto quotato. 200M bastano fino a circa 3 milioni di punti
# quotati.
#
# Tempo: misurati 4·10⁶ punti di base in 1,2 s su 2 core con 10⁵ punti
# quotati e 8 vicini, in 4,8 s con 10⁶; cresce con i punti della parte, poco
# con i punti quotati. `tralva-util interpola ... --stima` lo stima sulla
# macchina dove gira.
#
#SBATCH --job-name=tralva-interpola
#SBATCH --array=1-4
#SBATCH --cpus-per-task=2
#SBATCH --mem=200M
#SBATCH --time=00:10:00
#SBATCH --output=tralva-interpola-%A_%a.log
set -euo pipefail

BASE=${BASE:-$HOME/studio/base.txt}
PUNTI_QUOTATI=${PUNTI_QUOTATI:-$HOME/studio/punti-quotati.txt}
CARTELLA=${CARTELLA:-$HOME/studio/parti}
OPZIONI=${OPZIONI:---alfa 2 --vicini 8 --precisione dm}

K=$SLURM_ARRAY_TASK_ID
# PARTI when a part is sent again alone (sbatch --array=K), else the array.
N=${PARTI:-$SLURM_ARRAY_TASK_COUNT}
read -ra opzioni <<<"$OPZIONI"
tralva-util interpola "$BASE" "$PUNTI_QUOTATI" "${opzioni[@]}" --parte "$K/$N" \
  "$CARTELLA/parte-$K.txt"
