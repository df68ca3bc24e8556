#!/usr/bin/env bash
# make match: kelvo at a level against Debian engines through the real xboard,
# the same clock for both sides, colours alternating, every game's ending judged
# (tools/soak_report.py), with the score and the Elo difference per opponent.
#   tools/match.sh [BUILD_DIR]
#   MATCH_LEVEL=10  MATCH_OPPONENTS="fairymax phalanx"  MATCH_GAMES=40 (per opponent)
#   MATCH_TC=1 (minutes per session, or M:SS)  MATCH_MPS=40 (moves per session)  MATCH_INC=seconds per move (instead of sessions)
#   MATCH_OPPONENTS may name "level:N": kelvo at level N, for the ladder.
#   MATCH_DIR=where the results go (default BUILD_DIR/match)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
level=${MATCH_LEVEL:-10}
opponents=${MATCH_OPPONENTS:-fairymax phalanx}
games=${MATCH_GAMES:-40}
tc=${MATCH_TC:-1}
mps=${MATCH_MPS:-40}
inc=${MATCH_INC:-}
# xboard's -inc turns the session clock into an incremental one.
clock=(-tc "$tc" -mps "$mps")
[ -n "$inc" ] && clock=(-tc "$tc" -inc "$inc")

export PATH="$PATH:/usr/games"  # Debian installs xboard and the engines there
kelvo=$build/console/kelvo
book=$build/run/aperturas.pgn
for tool in xboard xvfb-run; do
  command -v "$tool" >/dev/null || { echo "match: $tool is not installed" >&2; exit 2; }
done
[ -x "$kelvo" ] || { echo "match: $kelvo is not built" >&2; exit 2; }
work=${MATCH_DIR:-$build/match}
case $work in /*) ;; *) work=$root/$work ;; esac
rm -rf "$work"

status=0
for opponent in $opponents; do
  dir=$work/$opponent
  mkdir -p "$dir/kelvo" "$dir/opponent"
  # kelvo reads its book from, and writes its files into, its working directory.
  [ -f "$book" ] && cp "$book" "$dir/kelvo/" && cp "$book" "$dir/opponent/"
  case $opponent in
    level:*) command="$kelvo --level ${opponent#level:}"; name="kelvo level ${opponent#level:}" ;;
    *) command=$(command -v "$opponent") || { echo "match: $opponent is not installed" >&2; status=2; continue; }
       name=$opponent ;;
  esac
  echo "match: $games games, kelvo level $level against $name, $(if [ -n "$inc" ]; then echo "$tc min + $inc s per move"; else echo "$mps moves in $tc min"; fi)"
  start=$(date +%s)
  # No pondering, so each side thinks only on its own clock. Each game starts
  # the engines afresh, so each draws its opening from the book anew. Without
  # -popupExitMessage false xboard waits for a click on the final score.
  timeout $(( games * ((${tc%%:*} + 1) * 120 + 60) + 60 )) xvfb-run -a xboard -noGUI -mg "$games" "${clock[@]}" \
    -xponder -reuseFirst false -reuseSecond false -fcp "$kelvo --level $level" -fd "$dir/kelvo" -fn "Kelvo level $level" \
    -scp "$command" -sd "$dir/opponent" -sn "$name" -secondComputerString '' -firstComputerString '' \
    -matchPause 1000 -adjudicateDrawMoves 300 -niceEngines 0 \
    -sgf "$dir/games.pgn" -debug -nameOfDebugFile "$dir/xboard.debug" -engineDebugOutput 1 \
    -autoCallFlag true -popupExitMessage false -saveSettingsOnExit false \
    >"$dir/xboard.out" 2>&1 || true
  elapsed=$(( $(date +%s) - start ))
  /usr/bin/python3 "$root/tools/soak_report.py" "$dir/games.pgn" "$dir/xboard.debug" "$games" "$elapsed" \
    | tee "$dir/report.txt" || status=1
done
exit $status
