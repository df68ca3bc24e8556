#!/usr/bin/python3
"""The match judge on crafted games: the void ones are named and left out of
the score, the sound ones counted, whatever the ending's words claim."""

import os
import subprocess
import sys
import tempfile

REPORT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "soak_report.py")

# (white, black, moves, result, xboard's reason, void?)
GAMES = [
    ("Kelvo", "phalanx", "1. d4 {White mates}", "1-0", "White mates", True),
    ("Kelvo", "phalanx", "1. f3 e5 2. g4 Qh4# {Black mates}", "0-1", "Black mates", False),
    ("Kelvo", "phalanx", "1. e4 {White resigns}", "0-1", "White resigns", True),
    ("Kelvo", "phalanx", "1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 {Black resigns}", "1-0", "Black resigns", False),
    ("phalanx", "Kelvo", "1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 {Stalemate}", "1/2-1/2", "Stalemate", True),
    ("Kelvo", "phalanx", "1. Nf3 Nf6 2. Ng1 Ng8 3. Nf3 Nf6 4. Ng1 Ng8 {Draw by repetition}", "1/2-1/2",
     "Draw by repetition", False),
    ("phalanx", "Kelvo", "1. e4 e5 2. Nf3 Nc6 {Draw by repetition}", "1/2-1/2", "Draw by repetition", True),
    # From a set-up position: the mate is on the board.
    ("Kelvo", "phalanx", "1. Ra8# {White mates}", "1-0", "White mates", False, "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1"),
]


def pgn_and_log():
    pgn, log = [], []
    for number, (white, black, moves, result, reason, _void, *fen) in enumerate(GAMES, 1):
        tags = [("Event", "match"), ("Round", str(number)), ("White", white), ("Black", black), ("Result", result)]
        if fen:
            tags += [("SetUp", "1"), ("FEN", fen[0])]
        pgn.append("".join(f'[{k} "{v}"]\n' for k, v in tags) + f"\n{moves} {result}\n\n")
        log.append(f"New game\nGameEnds({number}, {reason}, 4)\n")
    return "".join(pgn), "".join(log)


def main():
    with tempfile.TemporaryDirectory() as work:
        pgn, log = pgn_and_log()
        open(os.path.join(work, "games.pgn"), "w").write(pgn)
        open(os.path.join(work, "xboard.debug"), "w").write(log)
        env = dict(os.environ, SPRT="0 10")
        run = subprocess.run([sys.executable, REPORT, os.path.join(work, "games.pgn"), os.path.join(work, "xboard.debug"),
                              str(len(GAMES)), "1"], capture_output=True, text=True, env=env)
    out = run.stdout
    print(out)
    failures = []
    for number, game in enumerate(GAMES, 1):
        named = f"  game {number}: " in out.split("void games")[1].split("kelvo white")[0]
        if named != game[5]:
            failures.append(f"game {number} ({game[2]}): void {game[5]} expected")
    # Counted: the fool's mate lost, the resignation won, the repetition drawn, the mate from the set-up won.
    if "kelvo: 2 wins, 1 draws, 1 losses (2.5 of 4 points)" not in out:
        failures.append("the score should count the four sound games only")
    if "SPRT [0, 10]: LLR" not in out:
        failures.append("no SPRT line")
    if run.returncode != 1:
        failures.append(f"exit status {run.returncode}, 1 expected with void games")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
