#!/usr/bin/env bash
# make match: kelvo at a level against other engines through the real xboard,
# the same clock for both sides, every game's ending judged (tools/soak_report.py:
# void games are named and not counted), with the score, the Elo difference and
# its 95 % interval, and the load average, per opponent.
#   tools/match.sh [BUILD_DIR]
#   MATCH_LEVEL=10  MATCH_OPPONENTS="fairymax phalanx"  MATCH_GAMES=40 (per opponent)
#   MATCH_TC=1 (minutes per session, or M:SS)  MATCH_MPS=40 (moves per session)  MATCH_INC=seconds per move (instead of sessions)
#   MATCH_OPPONENTS names Debian engines (xboard ones, or UCI ones through polyglot:
#     stockfish, glaurung, toga2, fruit), "level:N" (kelvo at level N), or
#     "base:PATH[:LEVEL]" (another kelvo build, at MATCH_LEVEL unless given), or
#     "stockfish@ELO" (stockfish held to that rating by its UCI_Elo option), or
#     "gnuchess-uci" (GNU Chess as a UCI engine).
#   MATCH_OPENINGS=FEN file (default data/match_openings.fen): each position played
#     twice, colours swapped, kelvo's book off; "book" starts from the initial
#     position with the books on.
#   MATCH_SPRT="ELO0 ELO1": games in rounds of MATCH_ROUND (default 10) until the
#     test decides or MATCH_GAMES are played; otherwise a fixed count.
#   MATCH_DIR=where the results go (default BUILD_DIR/match)
#   MATCH_KELVO=the kelvo to measure (default BUILD_DIR/console/kelvo)
#   MATCH_ELO=a rating: kelvo plays as a UCI engine (through polyglot) held to it
#     by UCI_LimitStrength and UCI_Elo, instead of at MATCH_LEVEL
#   MATCH_CORES=N: xboard offers both engines N search threads (its -smpCores)
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
openings=${MATCH_OPENINGS:-$root/data/match_openings.fen}
sprt=${MATCH_SPRT:-}
round=${MATCH_ROUND:-10}
[ -n "$sprt" ] || round=$games
# Each opening is played twice, so rounds are even.
round=$(( (round + 1) / 2 * 2 ))
# xboard's -inc turns the session clock into an incremental one.
clock=(-tc "$tc" -mps "$mps")
[ -n "$inc" ] && clock=(-tc "$tc" -inc "$inc")
smp=()
[ -n "${MATCH_CORES:-}" ] && smp=(-smpCores "$MATCH_CORES")
clock_text=$(if [ -n "$inc" ]; then echo "$tc min + $inc s per move"; else echo "$mps moves in $tc min"; fi)
minutes=${tc%%:*}

export PATH="$PATH:/usr/games"  # Debian installs xboard and the engines there
kelvo=${MATCH_KELVO:-$build/console/kelvo}
elo_asked=${MATCH_ELO:-}
first=(-fcp "$kelvo --level $level"); first_name="Kelvo level $level"; first_text="kelvo level $level"
if [ -n "$elo_asked" ]; then
  first=(-fcp "$kelvo" -fUCI -firstOptions "UCI_LimitStrength=1,UCI_Elo=$elo_asked")
  first_name="Kelvo Elo $elo_asked"; first_text="kelvo held to $elo_asked (UCI_Elo)"
fi
book=$build/run/aperturas.pgn
for tool in xboard xvfb-run pgn-extract; do
  command -v "$tool" >/dev/null || { echo "match: $tool is not installed" >&2; exit 2; }
done
[ -x "$kelvo" ] || { echo "match: $kelvo is not built" >&2; exit 2; }
if [ "$openings" != book ]; then
  [ -f "$openings" ] || { echo "match: no openings file $openings" >&2; exit 2; }
  positions=$(grep -c . "$openings")
fi
work=${MATCH_DIR:-$build/match}
case $work in /*) ;; *) work=$root/$work ;; esac
rm -rf "$work"

status=0
for opponent in $opponents; do
  second=(); protocol=xboard
  case $opponent in
    level:*) command="$kelvo --level ${opponent#level:}"; name="kelvo level ${opponent#level:}"; dir=$work/level${opponent#level:} ;;
    base:*) given=${opponent#base:}; path=${given%%:*}; base_level=$level
            [ "$given" != "$path" ] && base_level=${given#*:}
            [ -x "$path" ] || { echo "match: $path is not an executable" >&2; status=2; continue; }
            command="$path --level $base_level"; name="base level $base_level"; dir=$work/base ;;
    # GNU Chess through polyglot: its xboard mode can leave xboard waiting for
    # an answer it holds back.
    gnuchess-uci) command="$(command -v gnuchess) --uci" || { echo "match: gnuchess is not installed" >&2; status=2; continue; }
       name="gnuchess"; dir=$work/gnuchess-uci; protocol=UCI; second=(-sUCI) ;;
    stockfish@*) elo=${opponent#stockfish@}
       command=$(command -v stockfish) || { echo "match: stockfish is not installed" >&2; status=2; continue; }
       name="stockfish $elo"; dir=$work/stockfish$elo; protocol=UCI
       second=(-sUCI -secondOptions "UCI_LimitStrength=1,UCI_Elo=$elo") ;;
    *) command=$(command -v "$opponent") || { echo "match: $opponent is not installed" >&2; status=2; continue; }
       name=$opponent; dir=$work/$opponent
       case $opponent in
         gnuchess) command="$command --xboard" ;;
         stockfish|glaurung|toga2|fruit) protocol=UCI; second=(-sUCI) ;;
       esac ;;
  esac
  mkdir -p "$dir/kelvo" "$dir/opponent"
  # kelvo reads its book from, and writes its files into, its working directory:
  # without the file its book is off.
  if [ "$openings" = book ] && [ -f "$book" ]; then cp "$book" "$dir/kelvo/"; cp "$book" "$dir/opponent/"; fi
  echo "match: $games games, $first_text against $name ($protocol), $clock_text" | tee "$dir/summary.txt"
  echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$dir/summary.txt"
  start=$(date +%s)
  played=0; index=0
  while [ "$played" -lt "$games" ]; do
    count=$(( games - played < round ? games - played : round ))
    start_position=()
    if [ "$openings" != book ]; then
      # This round's openings, from where the last one stopped, round and round the file.
      : >"$dir/openings.fen"
      for ((i = 0; i < (count + 1) / 2; i++)); do
        sed -n "$(( (index + i) % positions + 1 ))p" "$openings" >>"$dir/openings.fen"
      done
      index=$(( index + (count + 1) / 2 ))
      start_position=(-lpf "$dir/openings.fen" -lpi -2)
    fi
    # No pondering, so each side thinks only on its own clock. Each game starts
    # the engines afresh. Without -popupExitMessage false xboard waits for a
    # click on the final score.
    timeout $(( count * ((minutes + 1) * 120 + 60) + 60 )) xvfb-run -a xboard -noGUI -mg "$count" "${clock[@]}" \
      "${start_position[@]}" "${smp[@]}" \
      -xponder -reuseFirst false -reuseSecond false "${first[@]}" -fd "$dir/kelvo" -fn "$first_name" \
      -scp "$command" "${second[@]}" -sd "$dir/opponent" -sn "$name" -secondComputerString '' -firstComputerString '' \
      -matchPause 1000 -adjudicateDrawMoves 300 -niceEngines 0 \
      -sgf "$dir/round.pgn" -debug -nameOfDebugFile "$dir/round.debug" -engineDebugOutput 1 \
      -autoCallFlag true -popupExitMessage false -saveSettingsOnExit false \
      >>"$dir/xboard.out" 2>&1 || true
    cat "$dir/round.pgn" >>"$dir/games.pgn" 2>/dev/null || true
    cat "$dir/round.debug" >>"$dir/xboard.debug" 2>/dev/null || true
    rm -f "$dir/round.pgn" "$dir/round.debug"
    played=$(( played + count ))
    if [ -n "$sprt" ]; then
      verdict=$(SPRT="$sprt" /usr/bin/python3 "$root/tools/soak_report.py" "$dir/games.pgn" "$dir/xboard.debug" 0 0 \
                | grep '^SPRT' || true)
      echo "match: after $played games: ${verdict:-no score yet}"
      case $verdict in *accepted*) break ;; esac
    fi
  done
  elapsed=$(( $(date +%s) - start ))
  echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$dir/summary.txt"
  SPRT="$sprt" /usr/bin/python3 "$root/tools/soak_report.py" "$dir/games.pgn" "$dir/xboard.debug" "$played" "$elapsed" \
    | tee -a "$dir/summary.txt" || status=1
  cp "$dir/summary.txt" "$dir/report.txt"
done
exit $status
