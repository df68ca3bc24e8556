#!/usr/bin/env bash
# make tune: self-play games at a fixed node count from the book's lines cut
# at eight plies, their quiet positions labelled with the results, and the
# strong evaluation's weights fitted to them (Texel's method), written to
# engine/search/evaluation_weights.cpp. A tenth as many games again, never
# fitted, tell whether the fit holds beyond the positions it saw.
#   tools/texel/tune.sh [BUILD_DIR]
#   TUNE_GAMES=600  TUNE_NODES=1500 (per move)  TUNE_PASSES=4  TUNE_SEED=1
#   TUNE_JOBS=1 (game processes at once, seeds SEED, SEED+1, ..., the games shared
#     out evenly and their positions joined in seed order; the check games take
#     the next seed)
#   TUNE_PENALTY (per squared centipawn a weight moves from the weights the fit
#     starts from, those in evaluation_weights.cpp; the tuner's own when unset)
#   TUNE_POSITIONS=an existing labelled file: skip the games
#   TUNE_CHECK=an existing labelled file of other games (with TUNE_POSITIONS)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
export PATH="$PATH:/usr/games"
cmake --build "$build" -j2 --target selfplay texel_tune opening_book
work=$build/tune
mkdir -p "$work"
positions=${TUNE_POSITIONS:-$work/positions.txt}
check=${TUNE_CHECK:-}
if [ -z "${TUNE_POSITIONS:-}" ]; then
  check=$work/check.txt
  pgn-extract -s -w 1000 --plylimit 8 -F "$build/run/aperturas.pgn" 2>/dev/null | grep -o '{ "[^"]*" }' | sed 's/{ "//; s/" }//' \
    | sort -u >"$work/openings.fen"
  start=$(date +%s)
  jobs=${TUNE_JOBS:-1}
  seed=${TUNE_SEED:-1}
  pids=()
  for ((job = 0; job < jobs; ++job)); do
    "$build/tools/texel/selfplay" "$work/openings.fen" "$work/positions.$job.txt" $(( ${TUNE_GAMES:-600} / jobs )) \
      "${TUNE_NODES:-1500}" $(( seed + job )) &
    pids+=($!)
  done
  "$build/tools/texel/selfplay" "$work/openings.fen" "$check" $(( (${TUNE_GAMES:-600} + 9) / 10 )) \
    "${TUNE_NODES:-1500}" $(( seed + jobs )) &
  pids+=($!)
  for pid in "${pids[@]}"; do wait "$pid"; done
  for ((job = 0; job < jobs; ++job)); do cat "$work/positions.$job.txt"; done >"$positions"
  echo "tune: games took $(( $(date +%s) - start )) s"
fi
start=$(date +%s)
"$build/tools/texel/texel_tune" "$positions" "$root/engine/search/evaluation_weights.cpp" "${TUNE_PASSES:-4}" \
  "${TUNE_PENALTY:-}" ${check:+"$check"}
echo "tune: the fit took $(( $(date +%s) - start )) s; rebuild to play with the new weights"
