#!/usr/bin/env bash
# make levels: each level's rating, from a match of MATCH_GAMES games (default 40)
# through tools/match.sh against stockfish held to a known rating by UCI_Elo,
# or, below stockfish's lowest rating, against a kelvo level measured before it.
# Prints a table of level, opponent, score, Elo difference, rating, games ended
# on time and load average, and keeps every match in BUILD_DIR/levels/.
#   tools/level_ratings.sh [BUILD_DIR] [LEVEL:OPPONENT ...]
#   OPPONENT: stockfish@ELO or level:N (N listed earlier on the line).
#   MATCH_TC (default 0:15) and MATCH_MPS as for make match.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
shift || true
case $build in /*) ;; *) build=$root/$build ;; esac
plan=("$@")
[ ${#plan[@]} -gt 0 ] || plan=(10:stockfish@2000 9:stockfish@1900 8:stockfish@1750 7:stockfish@1600 6:stockfish@1500
                               5:stockfish@1400 4:stockfish@1350 3:level:4 2:level:3 1:level:2)
export MATCH_TC=${MATCH_TC:-0:15} MATCH_GAMES=${MATCH_GAMES:-40}
out=$build/levels
mkdir -p "$out"
declare -A rating
table=$out/table.txt
echo "level | opponent | games | score, Elo difference (95 %) | rating | ended on time | load average before/after" | tee "$table"
for step in "${plan[@]}"; do
  level=${step%%:*} opponent=${step#*:}
  case $opponent in
    stockfish@*) base=${opponent#stockfish@} ;;
    level:*) base=${rating[${opponent#level:}]:-}
             [ -n "$base" ] || { echo "levels: level ${opponent#level:} has no rating yet" >&2; exit 2; } ;;
    *) echo "levels: unknown opponent $opponent" >&2; exit 2 ;;
  esac
  dir=$out/level$level
  MATCH_LEVEL=$level MATCH_OPPONENTS=$opponent MATCH_DIR=$dir tools/match.sh "$build" >/dev/null || true
  report=$(cat "$dir"/*/report.txt)
  line=$(grep -o 'score .*' <<<"$report" | head -1)
  played=$(grep -o 'games played: [0-9]*' <<<"$report" | grep -o '[0-9]*$')
  loads=$(grep -o 'load average [a-z]*: .*' <<<"$report" | sed 's/load average [a-z]*: //' | paste -sd/)
  # On a loaded machine the opponent's flag falls before its play does: such a
  # rating measures the machine, not the level.
  on_time=$(grep -c 'time forfeit' <<<"$report" || true)
  [ "$on_time" -le $(( ${played:-0} / 10 )) ] ||
    echo "levels: $on_time of level $level's games ended on time; measure it on a quieter machine" >&2
  # A score of none or all says only that the gap is wide: the rating is a bound.
  case $line in
    "score 0.0%"*) rating[$level]=$(( base - 400 )); shown="below $(( base - 400 ))" ;;
    "score 100.0%"*) rating[$level]=$(( base + 400 )); shown="above $(( base + 400 ))" ;;
    *) diff=$(grep -o 'Elo difference [-+0-9]*' <<<"$line" | grep -o '[-+][0-9]*$')
       rating[$level]=$(( base + diff )); shown=${rating[$level]} ;;
  esac
  echo "$level | $opponent | $played | $line | $shown | $on_time | $loads" | tee -a "$table"
done
