#!/usr/bin/python3
"""Writes the match openings: balanced positions eight plies into the book.

  make_openings.py BOOK.pgn OUT.fen [COUNT]

Every book line's position after eight plies (pgn-extract), a seeded sample of
them scored by Stockfish at a fixed depth, and the first COUNT whose score is
within BALANCE centipawns of level kept, one FEN a line, for xboard's position
file. Played twice each with the colours swapped, they let two engines, or two
builds of one, meet on the same games without either's book.
"""

import random
import re
import subprocess
import sys

PLIES = 8
BALANCE = 35
DEPTH = 12


def positions(book):
    text = subprocess.run(["pgn-extract", "-s", "-w", "1000", "--plylimit", str(PLIES), "-F", book],
                          capture_output=True, text=True, encoding="latin-1").stdout
    fens = sorted(set(re.findall(r'\{ "([^"]+)" \}', text)))
    # Lines shorter than the limit end earlier: keep only positions eight plies in.
    return [f for f in fens if f.split()[1] == "w" and f.split()[5] == str(1 + PLIES // 2)]


def score(engine, fen):
    engine.stdin.write(f"position fen {fen}\ngo depth {DEPTH}\n")
    engine.stdin.flush()
    value = None
    for line in engine.stdout:
        found = re.search(r"score (cp|mate) (-?\d+)", line)
        if found:
            value = int(found.group(2)) if found.group(1) == "cp" else 10000
        if line.startswith("bestmove"):
            return value


def main():
    book, out = sys.argv[1], sys.argv[2]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 50
    candidates = positions(book)
    random.Random(27).shuffle(candidates)
    engine = subprocess.Popen(["stockfish"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    engine.stdin.write("uci\nsetoption name Threads value 1\nisready\n")
    engine.stdin.flush()
    kept = []
    for fen in candidates:
        value = score(engine, fen)
        if value is not None and abs(value) <= BALANCE:
            kept.append(fen)
            if len(kept) == count:
                break
    engine.stdin.write("quit\n")
    engine.stdin.flush()
    with open(out, "w") as f:
        f.write("".join(fen + "\n" for fen in kept))
    print(f"{len(kept)} balanced positions of {len(candidates)} in {out}")


if __name__ == "__main__":
    main()
