#!/usr/bin/env bash
# Renders the main window on each tab, the data-entry dialogs ins_1_1_a,
# ins_3_2_int and ins_6_5_a, the pages "Interpolazione" and "Utilità" in the
# middle of a long command, the configuration viewer, the dialogs fascia
# and geometria and the views of the user guide (guida-*, made with the
# projects of examples/; docs/guida/ holds copies), to
# build/default/screenshots/*.png (offscreen platform, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh

cmake --preset default >/dev/null
cmake --build --preset default --target tralva-screenshots
QT_QPA_PLATFORM=offscreen build/default/tools/tralva-screenshots build/default/screenshots
ls build/default/screenshots/*.png
