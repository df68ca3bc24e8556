"""Sessions in which the interface speaks while kelvo thinks, as xboard, pychess
and polyglot do: "?" (move now), analysis that follows each new position, a
position sent during a UCI search, pondering, several lines, polyglot's Hint.
Judged by the order of the lines, never by the clock; each session is bounded.
  thinking_sessions.py KELVO [POLYGLOT]"""
import os
import queue
import re
import subprocess
import sys
import tempfile
import threading

KELVO = os.path.abspath(sys.argv[1])
POLYGLOT = sys.argv[2] if len(sys.argv) > 2 else "/usr/games/polyglot"
BOUND = 60  # seconds for a whole session
# Out of the book, with many plausible moves: a search that is not stopped lasts.
MIDDLEGAME = "r2q1rk1/pp2bppp/2n1bn2/3p4/3P4/2NBBN2/PP3PPP/R2Q1RK1 w - - 0 10"
THINKING = re.compile(r"(\d+) -?\d+ \d+ \d+((?: [a-h][1-8][a-h][1-8][qrbn]?)*)$")
INFO = re.compile(r"info depth (\d+)")


class Session:
    def __init__(self, command):
        self.directory = tempfile.TemporaryDirectory()
        # A book that knows the initial position.
        with open(os.path.join(self.directory.name, "aperturas.pgn"), "w") as book:
            book.write("1. e4 e5 2. Nf3 Nc6 *\n\n1. d4 d5 *\n")
        self.process = subprocess.Popen(command, cwd=self.directory.name, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        self.timer = threading.Timer(BOUND, self.process.kill)
        self.timer.start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))
        self.lines.put(None)

    def send(self, *lines):
        for line in lines:
            self.process.stdin.write(line + "\n")
        self.process.stdin.flush()

    def next_line(self):
        line = self.lines.get()
        if line is None:
            raise AssertionError("the engine ended or was killed at the session's bound")
        return line

    def wait_for(self, pattern, allowed=lambda line: True):
        """The first line matching the pattern; every line before it must be allowed."""
        while True:
            line = self.next_line()
            if re.match(pattern, line):
                return line
            if not allowed(line):
                raise AssertionError(f"{line!r} came before a line like {pattern!r}")

    def close(self):
        self.send("quit")
        status = self.process.wait(BOUND)
        self.timer.cancel()
        if status != 0:
            raise AssertionError(f"exit status {status}")


def thinking(line):
    return THINKING.match(line) is not None


def info(line):
    return line.startswith("info ")


def xboard(level=10):
    session = Session([KELVO])
    session.send("xboard", "protover 2")
    session.wait_for("feature done=1", lambda line: line.startswith("feature"))
    session.send("new", f"option Nivel={level}", "post")
    session.wait_for("accepted")
    return session


def xboard_move_now():
    # Move now in the middle of a 100-second move; then a stop sent while idle
    # must not cut the next search: it still reaches its depth limit.
    session = xboard()
    session.send("st 100", "force", "setboard " + MIDDLEGAME, "go")
    session.wait_for(r"3 ", thinking)
    session.send("?")
    session.wait_for(r"move [a-h][1-8][a-h][1-8]$", thinking)
    session.send("ping 1")
    session.wait_for("pong 1$")
    session.send("?", "force", "setboard " + MIDDLEGAME, "sd 6", "go")
    deepest = 0
    line = session.next_line()
    while thinking(line):
        deepest = max(deepest, int(line.split()[0]))
        line = session.next_line()
    assert line.startswith("move ") and deepest == 6, f"{line!r} after depth {deepest}"
    session.close()


def xboard_analysis():
    # xboard's Analysis mode: the initial position (in the book) is analysed
    # too, beyond the playing level's depth; a move is followed at once and no
    # line of the old position comes after the answer to the next command.
    session = xboard(level=4)
    session.send("force", "analyze")
    session.wait_for(r"6 ", thinking)
    session.send("usermove e2e4", "ping 2")
    session.wait_for("pong 2$", thinking)
    for _ in range(3):
        line = session.wait_for(r"\d", thinking)
        first = THINKING.match(line).group(2).split()[0]
        assert first[1] in "78", f"{line!r}: not a move of Black after 1.e4"
    session.send(".", "exit", "ping 3")
    session.wait_for("pong 3$", thinking)
    session.send("ping 4")
    assert session.next_line() == "pong 4", "thinking went on after exit"
    session.close()


def uci(*options):
    session = Session([KELVO])
    session.send("uci")
    session.wait_for("uciok$")
    session.send(*options)
    return session


def uci_position_during_search():
    session = uci("setoption name Skill Level value 10")
    session.send("position startpos moves d2d4", "go depth 1000")
    session.wait_for(r"info depth 2 ")
    # pychess sends the next position without a stop; the reader must not block.
    session.send("position startpos moves d2d4 d7d5", "stop", "isready")
    session.wait_for("bestmove ", info)
    session.wait_for("readyok$", info)
    session.close()


def search_lines(session, go):
    # The lines that report a score; the root moves told in a long search are left out.
    session.send(go)
    lines = []
    while not (line := session.next_line()).startswith("bestmove "):
        if " currmove " not in line:
            lines.append(line)
    return [int(INFO.match(line).group(1)) for line in lines], lines, line.split()[1]


def nodes_searched(session, go):
    return int(re.search(r" nodes (\d+) ", search_lines(session, go)[1][-1]).group(1))


def uci_stop_reaches_its_own_search():
    # A stop sent right behind its go ends that search; one sent while idle
    # must not cut the next search, which still reaches its depth.
    session = uci("setoption name Skill Level value 10")
    session.send("position fen " + MIDDLEGAME, "go infinite", "stop")
    session.wait_for("bestmove ", info)
    session.send("stop")
    assert 6 in search_lines(session, "go depth 6")[0]
    session.close()


def uci_table_lasts_the_game():
    # What a search leaves in the table serves the next search of the game
    # (its tree differs: usually smaller, larger where deep entries start
    # extensions); a new game starts over exactly, and Clear Hash empties the
    # table (the history tables stay, so its count is its own).
    session = uci("setoption name Skill Level value 10", "setoption name Hash value 64", "position fen " + MIDDLEGAME)
    first, again = (nodes_searched(session, "go depth 7") for _ in range(2))
    session.send("ucinewgame", "position fen " + MIDDLEGAME)
    fresh, warm = (nodes_searched(session, "go depth 7") for _ in range(2))
    session.send("setoption name Clear Hash")
    cleared = nodes_searched(session, "go depth 7")
    assert again != first and (fresh, warm) == (first, again) and cleared != warm, (first, again, fresh, warm, cleared)
    session.close()


def uci_default_level_honours_every_limit():
    # A bare clock is the fixed 4-ply search's; a depth, nodes, searchmoves,
    # several lines or a mate to find are the strong search's at that level,
    # a depth, nodes, time or mate the interface names replacing its depth.
    session = uci("position fen " + MIDDLEGAME)
    assert search_lines(session, "go wtime 2000 btime 2000")[0] == [4]
    assert search_lines(session, "go depth 2")[0] == [1, 2]
    assert search_lines(session, "go depth 6")[0][-1] == 6  # past the level's own 4 plies
    assert search_lines(session, "go nodes 3000 searchmoves a2a3 h2h3")[2] in ("a2a3", "h2h3")
    session.send("setoption name MultiPV value 2")
    lines = search_lines(session, "go wtime 2000 btime 2000")[1]
    assert any(" multipv 2 " in line for line in lines), lines
    # Two rooks mate in two (no mate in one): found, the search ends there.
    session.send("setoption name MultiPV value 1", "position fen 7k/8/8/8/8/8/R7/1R4K1 w - - 0 1")
    depths, lines, _ = search_lines(session, "go mate 2")
    assert " score mate 2 " in lines[-1] and depths[-1] <= 3, lines
    session.close()


def uci_weak_levels_honour_every_limit():
    # The weak levels score each root move and pick with chance: a node budget
    # or a time ends the scoring, several lines are shown with the move played
    # first. A named length once made them search every move without end.
    session = uci("setoption name Skill Level value 1", "setoption name MultiPV value 3",
                  "position fen " + MIDDLEGAME)
    for go in ("go nodes 5", "go movetime 300", "go depth 12"):
        _, lines, best = search_lines(session, go)
        assert [" multipv %d " % rank in line for rank, line in enumerate(lines, 1)] == [True] * 3, lines
        assert lines[0].split(" pv ")[1].split()[0] == best, (best, lines)
    session.close()


def uci_fifty_move_count_of_a_set_up_position():
    # A rook up, but every move of White's reaches the hundredth ply without
    # a capture or pawn move: drawn, unless the clock of the FEN is not counted.
    session = uci("setoption name Skill Level value 10")
    scores = []
    for clock in (99, 0):
        session.send("position fen 7k/8/8/8/8/8/8/R6K w - - %d 80" % clock)
        scores.append(int(re.search(r" score cp (-?\d+) ", search_lines(session, "go depth 5")[1][-1]).group(1)))
    assert scores[0] == 0 and scores[1] > 300, scores
    session.close()


def uci_long_search_tells_its_root_moves():
    # After a second a search says which root move it is on, numbered from 1.
    session = uci("setoption name Skill Level value 10", "position fen " + MIDDLEGAME)
    session.send("go movetime 2500")
    told = session.wait_for(r"info depth \d+ currmove [a-h][1-8][a-h][1-8][qrbn]? currmovenumber \d+$", info)
    assert int(told.split()[-1]) >= 1, told
    session.wait_for("bestmove ", info)
    session.close()


def uci_analysis_stops_on_its_last_line():
    # The bestmove after a stop is the move of the last line shown; a mate in
    # one settles soon, without a line for every depth the search allows.
    session = uci()
    for fen, depth in ((MIDDLEGAME, 7), ("7k/8/6K1/8/8/8/8/3Q4 w - - 0 1", 9)):
        session.send("position fen " + fen, "go infinite")
        lines = [session.wait_for(r"info depth %d " % depth, info)]
        session.send("stop")
        while not (line := session.next_line()).startswith("bestmove "):
            if " currmove " not in line:
                lines.append(line)
        assert line.split()[1] == lines[-1].split(" pv ")[1].split()[0], (line, lines[-3:])
    assert max(int(INFO.match(line).group(1)) for line in lines) < 20, lines
    session.close()


def uci_ponder():
    session = uci("setoption name Skill Level value 10", "setoption name Ponder value true")
    session.send("position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6", "go wtime 4000 btime 4000")
    best = session.wait_for(r"bestmove \S+ ponder \S+$", info).split()
    session.send(f"position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 {best[1]} {best[3]}",
                 "go ponder wtime 4000 btime 4000", "isready")
    session.wait_for("readyok$", info)  # a bestmove before the ponderhit would fail here
    session.send("ponderhit")
    session.wait_for(r"bestmove [a-h][1-8][a-h][1-8]", info)
    session.close()


def uci_several_lines():
    session = uci("setoption name MultiPV value 3", "setoption name UCI_AnalyseMode value true")
    session.send("position startpos", "go")  # an analysing interface's go: no book, until stopped
    lines = [session.wait_for(r"info depth 5 multipv %d " % rank, info) for rank in (1, 2, 3)]
    firsts = {line.split(" pv ")[1].split()[0] for line in lines}
    assert len(firsts) == 3, lines
    session.wait_for(r"info depth 7 ", info)
    session.send("stop")
    session.wait_for("bestmove ", info)
    session.close()


# White's lone queen against a lone king: only a return to a position the
# game has had saves Black, and a search that is handed the game's positions
# scores that return as a draw.
QUEEN_UP = "4k3/8/8/8/8/8/8/3QK3 w - - 0 1"


def last_score(lines, pattern):
    scores = [int(match.group(1)) for match in (re.match(pattern, line) for line in lines) if match]
    assert scores, lines
    return scores[-1]


def xboard_repetition_after_take_back():
    # After two plies taken back, the engine (Black) is asked to move where
    # Ke7 repeats the game: it sees the draw, not the queen down.
    session = xboard()
    session.send("force", "setboard " + QUEEN_UP, "d1d2", "e8e7", "d2d1", "e7e8", "d1d2", "e8e7", "d2d1",
                 "undo", "undo", "sd 4", "go")
    lines = []
    while not (line := session.next_line()).startswith("move "):
        lines.append(line)
    assert line == "move e8e7" and last_score(lines, r"\d+ (-?\d+) ") == 0, (line, lines)
    session.close()


def uci_analysis_sees_repetition():
    # The interface sets the position with its moves; the analysis of Ke8,
    # back to the start, is a draw.
    session = uci("setoption name UCI_AnalyseMode value true")
    session.send(f"position fen {QUEEN_UP} moves d1d2 e8e7 d2d1", "go infinite searchmoves e7e8")
    lines = [session.wait_for(r"info depth 6 ", info)]
    session.send("stop")
    lines.append(session.wait_for("bestmove e7e8", info))
    assert last_score(lines, r"info depth \d+ score cp (-?\d+) ") == 0, lines
    session.close()


def uci_own_book_off():
    # The book knows the initial position; switched off, the move is searched.
    session = uci("setoption name OwnBook value false")
    session.send("position startpos", "go depth 2")
    session.wait_for(r"info ", lambda line: not line.startswith("bestmove"))
    session.wait_for("bestmove ", info)
    session.close()


def polyglot_hint():
    # xboard -fUCI: polyglot answers "hint" with the expected answer of the last bestmove.
    session = Session([POLYGLOT, "-noini", "-ec", KELVO, "-ed", "."])
    session.send("xboard", "protover 2")
    session.wait_for("feature done=1")
    session.send("new", "force", "setboard " + MIDDLEGAME, "st 1", "go")
    session.wait_for(r"move ", lambda line: True)
    session.send("hint")
    session.wait_for(r"Hint: \S+")
    session.close()


SESSIONS = [xboard_move_now, xboard_analysis, uci_position_during_search, uci_stop_reaches_its_own_search,
            uci_table_lasts_the_game, uci_default_level_honours_every_limit,
            uci_weak_levels_honour_every_limit, uci_long_search_tells_its_root_moves,
            uci_fifty_move_count_of_a_set_up_position,
            uci_analysis_stops_on_its_last_line, uci_ponder, uci_several_lines, xboard_repetition_after_take_back,
            uci_analysis_sees_repetition, uci_own_book_off, polyglot_hint]

failed = 0
for run in SESSIONS:
    if run is polyglot_hint and not os.access(POLYGLOT, os.X_OK):
        print(f"{run.__name__}: skipped, no polyglot")
        continue
    try:
        run()
        print(f"{run.__name__}: ok")
    except AssertionError as error:
        failed += 1
        print(f"{run.__name__}: FAILED: {error}")
sys.exit(1 if failed else 0)
