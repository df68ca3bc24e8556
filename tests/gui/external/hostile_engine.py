#!/usr/bin/python3
# An engine that speaks UCI or xboard (whichever it is greeted in) and then
# misbehaves as its first argument says, on "go" or while it analyses:
#   huge        its move is one word of a megabyte
#   endless     megabytes without a line end, then e2e4
#   errors      megabytes on standard error, then e2e4
#   numbers     analysis lines whose numbers overflow every type
#   controls    a move with escape sequences, a bell and a NUL byte
#   empty       "bestmove" with no move, blanks or NULs after it (second argument: which)
#   option      declares a string option and plays e2e4 unless a line it never
#               sent as a command (one that starts "injected") reached it
# HOSTILE_MB sets the floods' size in megabytes (8), to measure by hand.
import os
import sys

flood = int(os.environ.get("HOSTILE_MB", "8")) * 1_000_000
mode = sys.argv[1]
variant = sys.argv[2] if len(sys.argv) > 2 else ""
out = sys.stdout.buffer
uci = True
injected = False


def say(data):
    out.write(data if isinstance(data, bytes) else data.encode())
    out.flush()


def move(text):
    say(("bestmove " if uci else "move ") + text + "\n")


for raw in sys.stdin.buffer:
    line = raw.decode("latin-1").strip()
    if line.startswith("injected"):
        injected = True
    if line == "uci":
        say("id name hostil\noption name Libro type string default nada\nuciok\n")
    elif line.startswith("protover"):
        uci = False
        say('feature myname="hostil" setboard=1 usermove=1 ping=1 done=1\n')
    elif line == "isready":
        say("readyok\n")
    elif line.startswith("ping"):
        say("pong " + line.split()[1] + "\n")
    elif line == "quit":
        break
    elif line.startswith("go infinite") or line == "analyze":
        if mode == "numbers":
            if uci:
                say("info depth 2147483648 score cp -2147483648 nodes 9223372036854775807 nps 1 pv e2e4\n")
                say("info multipv 99999999999 depth 3 score mate -2147483648 nodes 99999999999999999999999 nps -5 pv d2d4\n")
            else:
                say("99999999999 -2147483648 9223372036854775807 9223372036854775807 e2e4\n")
    elif line == "go" or line.startswith("go "):
        if mode == "huge":
            move("a" * 1_000_000)
        elif mode == "endless":
            for _ in range(flood // 1_000_000):
                say(b"x" * 1_000_000)
            say(b"\n")
            move("e2e4")
        elif mode == "errors":
            for _ in range(flood // 1_000_000):
                sys.stderr.buffer.write(b"e" * 1_000_000)
            sys.stderr.flush()
            move("e2e4")
        elif mode == "controls":
            move("\x1b[31me2\x07e9\x00\x1b]0;titulo\x07")
        elif mode == "empty":
            say({"blanks": b"bestmove    \n", "nuls": b"bestmove \0\0\0\n"}.get(variant, b"bestmove\n"))
        elif mode == "option":
            move("e2e5" if injected else "e2e4")
        else:
            move("e2e4")
