#!/usr/bin/env bash
# Starts dovrel2 under a virtual display in a copy of the run directory, plays
# e2e4, and keeps the window grabs before and after as test artefacts.
#   screenshot_test.sh DOVREL2 RUN_DIR ARTEFACT_DIR CHECKER
set -euo pipefail
program=$1 run_dir=$2 artefacts=$3 checker=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$run_dir"/CHEQ_TT0.TTF "$run_dir"/merida.ttf "$work"/
[ -f "$run_dir"/aperturas.pgn ] && cp "$run_dir"/aperturas.pgn "$work"/
mkdir -p "$artefacts"
rm -f "$artefacts"/start.png "$artefacts"/after_e2e4.png

cd "$work"
timeout 150 xvfb-run -a "$program" --play e2e4 --grab-start "$artefacts"/start.png --grab "$artefacts"/after_e2e4.png
"$checker" "$artefacts"/start.png "$artefacts"/after_e2e4.png
