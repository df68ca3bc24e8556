"""pychess, a real client, takes kelvo for a UCI or an xboard engine (its probe
and its engine discovery, as when a user adds an engine) and plays a whole game
of kelvo against kelvo through its own engine class for that protocol.
  pychess_game.py KELVO uci|xboard        Exit 77: no pychess."""
import asyncio
import os
import sys
import tempfile

# pychess keeps its engine list in the home folder: a fresh one per run.
HOME = tempfile.TemporaryDirectory()
os.environ.update(HOME=HOME.name, XDG_CONFIG_HOME=HOME.name, XDG_DATA_HOME=HOME.name, XDG_CACHE_HOME=HOME.name)
try:
    from pychess.Players.engineNest import discoverer, is_cecp, is_uci
    from pychess.Utils.Board import Board
    from pychess.Utils.const import (BLACK, BLACKWON, DRAW, NORMALCHESS, RESIGNATION, RUNNING, WAITING_TO_START, WHITE,
                                     WHITEWON)
    from pychess.Utils.logic import getStatus
except ImportError:
    sys.exit(77)

KELVO, PROTOCOL = sys.argv[1], sys.argv[2]
# What each protocol offers the interface to set.
OPTIONS = {"uci": ["OwnBook", "BookFile", "Skill Level", "Hash", "Clear Hash", "Threads", "Move Overhead", "Ponder",
                   "MultiPV", "UCI_LimitStrength", "UCI_Elo", "UCI_AnalyseMode"],
           "xboard": ["Ponder", "memory", "cores", "Nivel"]}  # pychess adds Ponder, and memory and cores for the features


async def play():
    engine = discoverer.getEngineByName("Kelvo")
    options = [option["name"] for option in engine.get("options", [])]
    # Strength 4 is sent as a rating (UCI) or as depth 4 (xboard): a low level either way, a quick game.
    players = [await discoverer.initPlayerEngine(engine, colour, 4, NORMALCHESS, 60, 0) for colour in (WHITE, BLACK)]
    for player in players:
        started = asyncio.Event()
        player.start(started, set())
        await started.wait()
    # An xboard engine may resign instead of moving: pychess hears it as an offer.
    resigned = asyncio.Event()
    for player in players:
        player.connect("offer", lambda _player, offer: offer.type == RESIGNATION and resigned.set())
    boards, moves, status = [Board(setup=True)], [], RUNNING
    while status in (WAITING_TO_START, RUNNING) and len(moves) < 400:
        moving = asyncio.ensure_future(players[len(moves) % 2].makeMove(
            boards[-1], moves[-1] if moves else None, boards[-2] if len(boards) > 1 else None))
        resigning = asyncio.ensure_future(resigned.wait())
        await asyncio.wait({moving, resigning}, return_when=asyncio.FIRST_COMPLETED)
        if resigned.is_set():
            moving.cancel()
            status = BLACKWON if len(moves) % 2 == 0 else WHITEWON
            break
        resigning.cancel()
        move = moving.result()
        moves.append(move)
        boards.append(boards[-1].move(move))
        status = getStatus(boards[-1])[0]
    print(f"protocol {engine['protocol']}, options {options}, {len(moves)} plies, status {status}")
    return engine["protocol"] == PROTOCOL and options == OPTIONS[PROTOCOL] and \
        status in (DRAW, WHITEWON, BLACKWON)


def main():
    if not (is_uci if PROTOCOL == "uci" else is_cecp)([KELVO]):
        sys.exit(f"pychess's probe does not take kelvo for an engine of {PROTOCOL}")
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    result = []
    discoverer.addEngine("Kelvo", KELVO, PROTOCOL, None, None)

    def finished(task):
        result.append(task.exception() or task.result())
        loop.stop()

    discoverer.connect("all_engines_discovered", lambda _: loop.create_task(play()).add_done_callback(finished))
    discoverer.discover()
    loop.run_forever()
    sys.exit(0 if result == [True] else f"no game: {result}")


main()
