#!/usr/bin/env bash
# Long match: kelvo against a Debian engine through the real xboard, in match
# mode on a virtual display, then a report of results, move times and every
# game that ended in anything but a chess result (illegal move, crash, time
# forfeit, protocol error, an unknown reason).
#   tools/soak.sh [BUILD_DIR]
#   SOAK_GAMES=50  SOAK_OPPONENT=fairymax  SOAK_TC=5 (minutes)  SOAK_MPS=40  SOAK_DEPTH=4
#   SOAK_DIR=where the results go (default BUILD_DIR/soak)
# The opponent searches to SOAK_DEPTH plies (xboard's "sd"; kelvo's depth is fixed),
# so games are quick while the clock stays generous for an engine without time
# management. Results: games.pgn, xboard.debug, report.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
games=${SOAK_GAMES:-50}
opponent=${SOAK_OPPONENT:-fairymax}
tc=${SOAK_TC:-5}
mps=${SOAK_MPS:-40}
depth=${SOAK_DEPTH:-4}

export PATH="$PATH:/usr/games"  # Debian installs xboard and the engines there
kelvo=$build/console/kelvo
book=$build/run/aperturas.pgn
for tool in xboard xvfb-run "$opponent"; do
  command -v "$tool" >/dev/null || { echo "soak: $tool is not installed" >&2; exit 2; }
done
[ -x "$kelvo" ] || { echo "soak: $kelvo is not built" >&2; exit 2; }

work=${SOAK_DIR:-$build/soak}
case $work in /*) ;; *) work=$root/$work ;; esac
rm -rf "$work"
mkdir -p "$work/kelvo" "$work/opponent"
# kelvo reads its book from, and writes its files into, its working directory.
[ -f "$book" ] && cp "$book" "$work/kelvo/"
opponent_path=$(command -v "$opponent")

echo "soak: $games games, kelvo against $opponent (depth $depth), $mps moves in $tc minutes"
start=$(date +%s)
# Pondering stays on (xboard's default), so kelvo is sent "hard", a command,
# rather than "easy", which it would take for a move word; for the same reason
# it gets neither "random" nor "computer". Nor does the opponent: Debian's
# fairymax 5.0b crashes by itself now and then when told "computer".
# Without -popupExitMessage false xboard waits for a click on the final score.
timeout $(( games * 600 )) xvfb-run -a xboard -noGUI -mg "$games" -tc "$tc" -mps "$mps" -depth "$depth" \
  -fcp "$kelvo" -fd "$work/kelvo" -firstInitString 'new\n' -firstComputerString '' \
  -scp "$opponent_path" -sd "$work/opponent" -secondComputerString '' \
  -matchPause 2000 -adjudicateDrawMoves 200 -niceEngines 10 \
  -sgf "$work/games.pgn" -debug -nameOfDebugFile "$work/xboard.debug" -engineDebugOutput 1 \
  -autoCallFlag true -popupExitMessage false -saveSettingsOnExit false \
  >"$work/xboard.out" 2>&1 || true
elapsed=$(( $(date +%s) - start ))

/usr/bin/python3 "$root/tools/soak_report.py" "$work/games.pgn" "$work/xboard.debug" "$games" "$elapsed" \
  | tee "$work/report.txt"
