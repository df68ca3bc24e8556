#!/usr/bin/env bash
# The installed programs, as a user starts them: installed under a temporary
# prefix, run from folders that hold none of their files, with a home of
# their own.
#   install_test.sh install BUILD_DIR PREFIX   cmake --install into a fresh PREFIX
#   install_test.sh kelvo PREFIX                the engine finds its book, or a book where it starts
#   install_test.sh dovrel2 PREFIX CHECKER      opens a PGN from the desktop entry and draws the board
#   install_test.sh validate PREFIX             desktop-file-validate, appstreamcli, man
#   install_test.sh xboard PREFIX OPPONENT      xboard lists kelvo from its plugin file and plays OPPONENT
#                                               (fairymax or phalanx) with it: the game ends in a chess result
set -euo pipefail
step=$1
shift

fail() { echo "FAIL: $*" >&2; exit 1; }

# A fresh home for each run, so nothing of the real user's is read or written.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/start"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
user_folder=$XDG_DATA_HOME/kelvo

case $step in
install)
  build=$1 prefix=$2
  rm -rf "$prefix"
  cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
  for file in games/kelvo share/games/kelvo/aperturas.pgn share/games/plugins/xboard/kelvo.eng \
              share/man/man6/kelvo.6.gz share/doc/kelvo/copyright; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
  done
  # The plugin names the program where it was installed.
  [ "$(sed -n 2p "$prefix/share/games/plugins/xboard/kelvo.eng")" = "$prefix/games/kelvo" ] ||
    fail "kelvo.eng does not name $prefix/games/kelvo"
  ;;

kelvo)
  prefix=$1
  # Started where there is no book: the installed engine answers 1.e4 from
  # the default one, so without a thinking line (a search posts one).
  out=$(cd "$work/start" && printf 'new\npost\ne2e4\nquit\n' | timeout 60 "$prefix/games/kelvo")
  echo "$out"
  grep -Eq '^move [a-h][1-8][a-h][1-8]$' <<<"$out" || fail "no move from the installed kelvo"
  ! grep -Eq '^-?[0-9]+ -?[0-9]+ [0-9]+ [0-9]+ ' <<<"$out" || fail "the installed kelvo searched: its book was not found"
  [ "$(readlink "$user_folder/aperturas.pgn")" = "$prefix/share/games/kelvo/aperturas.pgn" ] ||
    fail "the per-user folder does not link the shared book"
  [ -z "$(ls -A "$work/start")" ] || fail "kelvo wrote into the folder it was started in"
  # What it writes goes to the per-user folder.
  (cd "$work/start" && printf '_writepos\nquit\n' | timeout 60 "$prefix/games/kelvo" >/dev/null)
  [ -f "$user_folder/pos.log" ] || fail "_writepos did not write into the per-user folder"

  # Started in a folder that holds a book, it reads that one and stays there.
  rm -rf "$user_folder"
  mkdir "$work/own"
  printf '[Event "?"]\n\n1. e4 c5 *\n' >"$work/own/aperturas.pgn"
  out=$(cd "$work/own" && printf 'new\npost\ne2e4\n_writepos\nquit\n' | timeout 60 "$prefix/games/kelvo")
  grep -qx 'move c7c5' <<<"$out" || fail "the book in the working folder was not used: $out"
  [ -f "$work/own/pos.log" ] || fail "_writepos did not write into the working folder"
  [ ! -e "$user_folder" ] || fail "the per-user folder was made although the working folder has a book"
  ;;

dovrel2)
  prefix=$1 checker=$2
  desktop=$prefix/share/applications/dovrel2.desktop
  printf '[Event "Prueba"]\n[Result "*"]\n\n1. e4 e5 2. Nf3 Nc6 *\n' >"$work/partida.pgn"
  # The command exactly as the desktop entry gives it, with the file for %f;
  # the options after it only take the two window grabs and end the program.
  exec_line=$(sed -n 's/^Exec=//p' "$desktop")
  read -r -a command <<<"${exec_line//%f/$work/partida.pgn}"
  [ "${command[0]}" = "$prefix/games/dovrel2" ] || fail "Exec names ${command[0]}"
  (cd "$work/start" && timeout 150 xvfb-run -a "${command[@]}" \
    --play f1b5 --grab-start "$work/start.png" --grab "$work/after.png") || fail "dovrel2 did not run"
  # The board was drawn and the engine answered: fonts and book were found.
  "$checker" "$work/start.png" "$work/after.png" || fail "the window grabs show no board"
  # The game file was opened: it is the game played on (f1b5 needs its moves) and the first recent file.
  grep -qF "File1=$work/partida.pgn" "$XDG_CONFIG_HOME/KELVO ChessPlayer/dovrel2.conf" ||
    fail "the PGN file was not opened"
  for file in CHEQ_TT0.TTF merida.ttf aperturas.pgn; do
    [ -L "$user_folder/$file" ] || fail "the per-user folder does not link $file"
  done
  [ -z "$(ls -A "$work/start")" ] || fail "dovrel2 wrote into the folder it was started in"
  ;;

validate)
  prefix=$1
  desktop-file-validate "$prefix/share/applications/dovrel2.desktop"
  appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml
  for page in "$prefix"/share/man/man6/*.6.gz; do
    # man reports formatting faults on standard error.
    errors=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$errors" ] || fail "$page: $errors"
  done
  ;;

xboard)
  prefix=$1 opponent=$2
  # fairymax 5.0b crashes by itself now and then when told "computer"; phalanx
  # ignores "sd", and a tenth of the time keeps its moves to about a second.
  # fairymax_uci: kelvo as a UCI engine, reached through Debian's polyglot.
  # Against fairymax a match of two games, each of which kelvo opens from its book.
  first="" games_wanted=1
  case $opponent in
  fairymax) second="-scp /usr/games/fairymax -sd \"$work/opponent\" -secondComputerString \"\"" games_wanted=2 ;;
  fairymax_uci) second="-scp /usr/games/fairymax -sd \"$work/opponent\" -secondComputerString \"\""
    first="-fUCI -adapterCommand \"/usr/games/polyglot -noini -ec '%fcp' -ed '%fd'\"" ;;
  phalanx) second="-scp \"/usr/games/phalanx -l-\" -sd \"$work/opponent\" -secondTimeOdds 10" ;;
  *) fail "unknown opponent $opponent" ;;
  esac
  # xboard adds the engines of its plugin folder to its engine list (the Load
  # Engine list) when they are newer than its settings file. In a private
  # mount namespace the installed plugin folder stands in for the system's, so
  # kelvo.eng is the only plugin xboard sees.
  settings=$work/xboardrc games=$work/games.pgn debug=$work/xboard.debug
  printf -- '-date 1\n' >"$settings" && touch -d 2000-01-01 "$settings"
  mkdir -p "$work/opponent" "$work/empty"
  eng_command=$(sed -n 2p "$prefix/share/games/plugins/xboard/kelvo.eng")
  # Without the right to mount (not root), only the game is checked.
  namespace=(unshare --mount --propagation private)
  if ! "${namespace[@]}" true 2>/dev/null; then
    namespace=()
    echo "install_test: no private mount namespace here; xboard's plugin scan is not checked" >&2
  fi
  cat >"$work/run-xboard" <<SCRIPT
set -e
if [ -n "${namespace[*]}" ]; then
  mount --bind "$prefix/share/games/plugins" /usr/share/games/plugins
  [ ! -d /usr/local/share/games/plugins ] || mount --bind "$work/empty" /usr/local/share/games/plugins
fi
# kelvo (white first, started from the empty folder) against the opponent
# at depth 3 (kelvo ignores "sd"); five minutes and five seconds a move.
exec timeout 600 xvfb-run -a /usr/games/xboard -autoInstall ALL -settingsFile "$settings" -saveSettingsOnExit true \
  -fcp "$eng_command" -fd "$work/start" $first $second \
  -mg $games_wanted -xexit -depth 3 -tc 5 -inc 5 -xponder -popupExitMessage false -soundMove "" \
  -sgf "$games" -debug -nameOfDebugFile "$debug"
SCRIPT
  "${namespace[@]}" sh "$work/run-xboard" >"$work/xboard.out" 2>&1 ||
    { tail -20 "$work/xboard.out"; fail "xboard did not run"; }
  # The engine list xboard saved holds the line the plugin gave it: the
  # command the game was played with.
  [ -z "${namespace[*]}" ] || [ -n "$first" ] ||
    sed -n '/^-firstChessProgramNames {/,/^}/p' "$settings" | grep -qxF "$eng_command" ||
    fail "xboard did not list the installed kelvo"
  [ "$eng_command" = "$prefix/games/kelvo" ] || fail "kelvo.eng names $eng_command"
  grep -F '[Result ' "$games"
  [ "$(grep -Ec '^\[Result "(1-0|0-1|1/2-1/2)"\]$' "$games")" = "$games_wanted" ] ||
    fail "not every game has a chess result"
  # How each game ended (26 white, 27 black, 28 a draw; 0 is the reset before a
  # game): a mate, resignation or draw by the rules, never a fault, a crash, a
  # broken pipe or the clock.
  ends=$(grep -F 'GameEnds(' "$debug" | grep -v '^GameEnds(0,')
  echo "$ends"
  [ -n "$ends" ] || fail "no game ended in a result"
  while read -r end; do
    [[ $end =~ ^GameEnds\(2[678], ]] || fail "a game did not end in a result: $end"
    ! grep -Eqi 'false|illegal|invalid|forfeit|error|exit|flag|time|crash|fail' <<<"$end" || fail "abnormal end: $end"
  done <<<"$ends"
  # The first "new" before xboard's two-second wait for done=1 would end, with
  # room for a loaded machine (so no such wait); and, in the xboard protocol,
  # each game kelvo opens as White from the book: no thinking line between a
  # "new" and its first move. (As Black the
  # opponent's first move may be one the book lacks.)
  first_new=$(awk '/>first : new/ { print $1 + 0; exit }' "$debug")
  [ -n "$first_new" ] && [ "$first_new" -le 1800 ] || fail "the first new came after ${first_new:-no} ms"
  if [ -z "$first" ]; then
    searched=$(awk '/>first : new/ { waiting = 1; thought = 0; white = -1; next }
      waiting && white < 0 && />first : go/ { white = 1 }
      waiting && white < 0 && />first : usermove/ { white = 0 }
      waiting && /<first : [0-9]/ { thought = 1 }
      waiting && /<first : move / { if (thought && white == 1) n++; waiting = 0 }
      END { print n + 0 }' "$debug")
    [ "$searched" = 0 ] || fail "$searched games began out of the book with kelvo as White"
  fi
  [ "$(readlink "$user_folder/aperturas.pgn")" = "$prefix/share/games/kelvo/aperturas.pgn" ] ||
    fail "kelvo started by xboard did not find its book"
  ;;

*)
  fail "unknown step $step"
  ;;
esac
echo "install_test $step: ok"
