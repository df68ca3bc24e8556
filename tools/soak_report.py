#!/usr/bin/python3
"""Summarises an xboard match of kelvo (the first engine) against an opponent.

  soak_report.py GAMES.pgn XBOARD.debug EXPECTED_GAMES ELAPSED_SECONDS

Reads the saved games for results and how each game ended, and xboard's debug
log (every line to and from both engines, stamped in milliseconds) for kelvo's
move times and for any line of kelvo's that the protocol does not define.
Exits 1 when a game ended in anything but a chess result (an illegal move, a
crash, a time forfeit, a protocol error, or a reason it does not know), or when
fewer games were played than expected.

A game is void, named and left out of the score, when it ends within its first
moves without a mate on the board, or when its ending names what the final
position does not show (a mate, a stalemate, a repetition, the fifty-move
rule; pgn-extract replays each game to see). With SPRT="ELO0 ELO1" the log
likelihood ratio of the test (alpha = beta = 5 %) is printed with its verdict.
"""

import math
import os
import re
import subprocess
import sys

ABNORMAL = [
    ("illegal move", re.compile(r"illegal", re.I)),
    ("time forfeit", re.compile(r"on time|forfeit|flag", re.I)),
    ("crash", re.compile(r"crash|terminated|exited|died|disconnect|killed", re.I)),
    ("protocol error", re.compile(r"false|claim|invalid|protocol|error", re.I)),
]
# What the rules end a game with, and xboard's own adjudications (the soak sets
# a move limit), and a draw claim xboard accepted ("Drawn game", phalanx's);
# any other ending is abnormal too.
CHESS_RESULT = re.compile(r"mate|resign|repetition|insufficient|material|move rule|agreed|adjudication|drawn game",
                          re.I)

KELVO_REPLY = re.compile(
    r"^(move [a-h][1-8][a-h][1-8][qrbn]?"
    r"|(1-0|0-1|1/2-1/2) .*"
    r"|feature .*|accepted|pong .*|telluser.*|tellusererror .*|resign|offer draw|Hint: .*"
    r"|\d+ -?\d+ \d+ \d+( [a-h][1-8][a-h][1-8][qrbn]?)*"
    # The longer thinking line (selective depth, speed, table hits, a tab,
    # the line in SAN) and the greeting polyglot writes for a UCI engine.
    r"|\d+ [+-]?\d+ \d+ \d+( +\d+)*\t.*|PolyGlot .*"
    r"|Error \(unknown command\): .*| .*|)$"
)


# Fewer plies than this, and no mate on the board: the game never happened.
MIN_PLIES = 4
# Words of an ending that the final position must bear out, and pgn-extract's
# option selecting the games that end so.
CLAIMS = [
    (re.compile(r"(?<!stale)mate(?!rial)", re.I), "--checkmate", "a mate"),
    (re.compile(r"stalemate", re.I), "--stalemate", "a stalemate"),
    (re.compile(r"repetition", re.I), "--repetition", "a repetition"),
    (re.compile(r"50|fifty|move rule", re.I), "--fifty", "the fifty-move rule"),
]
SAN = re.compile(r"^(O-O(-O)?|[KQRBN]?[a-h]?[1-8]?x?[a-h][1-8](=?[QRBN])?)[+#]?[!?]*$")


def count_plies(chunk):
    body = "\n".join(line for line in chunk.splitlines() if not line.startswith("["))
    body = re.sub(r"\{[^}]*\}|\([^)]*\)", " ", body)
    return sum(1 for word in re.sub(r"\d+\.(\.\.)?", " ", body).split() if SAN.match(word))


def read_games(path):
    games = []
    try:
        text = open(path, encoding="latin-1").read()
    except OSError:
        return games
    for chunk in re.split(r"\n(?=\[Event )", text):
        tags = dict(re.findall(r'^\[(\w+) "(.*)"\]', chunk, re.M))
        if "Result" not in tags:
            continue
        tags["Plies"] = count_plies(chunk)
        tags["Text"] = chunk.strip() + "\n"
        games.append(tags)
    return games


def ends_so(text, option):
    """Whether pgn-extract, replaying the game, finds it ends as `option` selects."""
    try:
        done = subprocess.run(["pgn-extract", "-s", option], input=text, capture_output=True, text=True,
                              encoding="latin-1", env=dict(os.environ, PATH=os.environ.get("PATH", "") + ":/usr/games"))
    except OSError:
        return True  # without pgn-extract nothing is judged void on this ground
    return "[Event " in done.stdout


def void_reason(game):
    """Why the game does not count, or None."""
    ending = game.get("Ending", "")
    mate_shown = None
    for pattern, option, what in CLAIMS:
        if pattern.search(ending):
            shown = ends_so(game["Text"], option)
            if option == "--checkmate":
                mate_shown = shown
            if not shown:
                return f"ends with {what} the position does not show ({ending})"
    if game["Plies"] < MIN_PLIES and not mate_shown:
        return f"ends after {game['Plies']} plies ({ending or game['Result']})"
    return None


def read_debug(path):
    """kelvo's move times (seconds), its lines the protocol does not define, and
    how each game ended: xboard's reason, or the engine line that ended it."""
    times, odd, endings = [], [], []
    asked = None
    game_running = False
    last_engine_line = ""
    try:
        lines = open(path, encoding="latin-1").read().splitlines()
    except OSError:
        return times, odd, endings
    for line in lines:
        m = re.match(r"^(\d+) ([<>])(first|second)\s*: ?(.*)$", line)
        if not m:
            if line.startswith("New game"):
                game_running = True
            ended = re.match(r"^GameEnds\(\d+, (.*), \d+\)$", line)
            if ended and ended.group(1) != "(null)" and game_running:
                reason = ended.group(1) or last_engine_line
                endings.append(reason.replace("<first :", "kelvo:").replace("<second:", "opponent:"))
                game_running = False
            continue
        if m.group(2) == "<" and re.match(r"^(1-0|0-1|1/2-1/2|resign)", m.group(4)):
            last_engine_line = f"<{m.group(3)}{' :' if m.group(3) == 'first' else ':'} {m.group(4)}"
        stamp, direction, engine, text = int(m.group(1)), m.group(2), m.group(3), m.group(4)
        if engine != "first":
            continue
        if direction == ">":
            asked = stamp
            continue
        if text.startswith("move ") and asked is not None:
            times.append((stamp - asked) / 1000.0)
        if not KELVO_REPLY.match(text) or (game_running and text.startswith("Illegal move")):
            odd.append(line)
    return times, odd, endings


def elo(fraction):
    fraction = min(max(fraction, 1e-3), 1 - 1e-3)
    return -400 * math.log10(1 / fraction - 1)


def elo_line(points):
    """Elo difference for the per-game points, with the 95% interval of the mean score."""
    n = len(points)
    mean = sum(points) / n
    deviation = math.sqrt(sum((p - mean) ** 2 for p in points) / n / n)
    low, high = mean - 1.96 * deviation, mean + 1.96 * deviation
    return f"score {100 * mean:.1f}%, Elo difference {elo(mean):+.0f} (95%: {elo(low):+.0f} .. {elo(high):+.0f})"


def expected_score(elo_difference):
    return 1 / (1 + 10 ** (-elo_difference / 400))


def sprt_line(points, elo0, elo1):
    """The log likelihood ratio of H1 (elo1) against H0 (elo0), normal approximation."""
    n = len(points)
    mean = sum(points) / n
    variance = sum((p - mean) ** 2 for p in points) / n
    bound = math.log(0.95 / 0.05)
    if variance == 0:
        return f"SPRT [{elo0:g}, {elo1:g}]: no variance yet (bounds {-bound:.2f} .. {bound:.2f})"
    s0, s1 = expected_score(elo0), expected_score(elo1)
    llr = n * (s1 - s0) * (2 * mean - s0 - s1) / (2 * variance)
    verdict = "H1 accepted" if llr >= bound else "H0 accepted" if llr <= -bound else "undecided"
    return f"SPRT [{elo0:g}, {elo1:g}]: LLR {llr:.2f} (bounds {-bound:.2f} .. {bound:.2f}): {verdict}"


def main():
    pgn, debug, expected, elapsed = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    games = read_games(pgn)
    times, odd, endings = read_debug(debug)
    for game, ending in zip(games, endings):
        game["Ending"] = ending
    for game in games[len(endings):]:
        game["Ending"] = "(unknown)"

    kelvo_points = 0.0
    points = []
    score = {"wins": 0, "draws": 0, "losses": 0}
    abnormal = []
    void = []
    for number, game in enumerate(games, 1):
        kelvo_white = game.get("White", "").startswith("Kelvo")
        result = game["Result"]
        reason = void_reason(game)
        if reason:
            void.append((number, reason))
        elif result == "1/2-1/2":
            score["draws"] += 1
            kelvo_points += 0.5
            points.append(0.5)
        elif result in ("1-0", "0-1"):
            won = (result == "1-0") == kelvo_white
            score["wins" if won else "losses"] += 1
            kelvo_points += won
            points.append(float(won))
        for kind, pattern in ABNORMAL:
            if pattern.search(game["Ending"]):
                abnormal.append((number, kind, game["Ending"]))
                break
        else:
            if not CHESS_RESULT.search(game["Ending"]):
                abnormal.append((number, "not a chess result", game["Ending"]))

    print(f"games played: {len(games)} of {expected} in {elapsed} s")
    print(f"void games (not counted): {len(void)}")
    for number, reason in void:
        print(f"  game {number}: {reason}")
    as_white = sum(1 for g in games if g.get("White", "").startswith("Kelvo"))
    print(f"kelvo white in {as_white}, black in {len(games) - as_white}")
    print(f"kelvo: {score['wins']} wins, {score['draws']} draws, {score['losses']} losses "
          f"({kelvo_points:g} of {len(points)} points)")
    if points:
        print(elo_line(points))
        if os.environ.get("SPRT"):
            elo0, elo1 = (float(v) for v in os.environ["SPRT"].split())
            print(sprt_line(points, elo0, elo1))
    if times:
        print(f"kelvo moves: {len(times)}, average {sum(times) / len(times):.3f} s, "
              f"longest {max(times):.3f} s")
    counts = {}
    for game in games:
        counts[game["Ending"]] = counts.get(game["Ending"], 0) + 1
    print("endings:")
    for ending, count in sorted(counts.items(), key=lambda e: -e[1]):
        print(f"  {count:3d}  {ending or '(none)'}")
    print(f"games ended by anything but a chess result: {len(abnormal)}")
    for number, kind, ending in abnormal:
        print(f"  game {number}: {kind}: {ending}")
    print(f"kelvo lines outside the protocol: {len(odd)}")
    for line in odd[:20]:
        print(f"  {line}")
    return 1 if abnormal or odd or void or len(games) < expected else 0


if __name__ == "__main__":
    sys.exit(main())
