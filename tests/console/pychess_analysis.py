"""pychess's own UCI engine class analyses with kelvo as its analyser, three
lines at once: each report holds three lines with distinct first moves.
  pychess_analysis.py KELVO        Exit 77: no pychess."""
import asyncio
import os
import sys
import tempfile

HOME = tempfile.TemporaryDirectory()
os.environ.update(HOME=HOME.name, XDG_CONFIG_HOME=HOME.name, XDG_DATA_HOME=HOME.name, XDG_CACHE_HOME=HOME.name)
try:
    from pychess.Players.engineNest import discoverer
    from pychess.Utils.Board import Board
    from pychess.Utils.const import ANALYZING, NORMALCHESS
except ImportError:
    sys.exit(77)

KELVO = os.path.abspath(sys.argv[1])
LINES = 3


async def analyse():
    engine = discoverer.getEngineByName("Kelvo")
    analyser = await discoverer.initAnalyzerEngine(engine, ANALYZING, NORMALCHESS)
    analyser.setOption("MultiPV", LINES)
    analyser.set_board(Board(setup=True))
    full = asyncio.Event()
    seen = []

    def reported(_analyser, analysis):
        lines = [line for line in analysis if line is not None]
        if len(lines) == LINES and all(line[3] and int(line[3]) >= 5 for line in lines):
            seen.append(lines)
            full.set()

    analyser.connect("analyze", reported)
    started = asyncio.Event()
    analyser.start(started, set())
    await started.wait()
    await asyncio.wait_for(full.wait(), 60)
    firsts = {str(line[1][0]) for line in seen[-1]}
    print(f"{len(seen)} full reports, first moves {sorted(firsts)}")
    analyser.kill(0)
    return len(firsts) == LINES


def main():
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    result = []
    discoverer.addEngine("Kelvo", KELVO, "uci", None, None)

    def finished(task):
        result.append(task.exception() or task.result())
        loop.stop()

    discoverer.connect("all_engines_discovered", lambda _: loop.create_task(analyse()).add_done_callback(finished))
    discoverer.discover()
    loop.run_forever()
    sys.exit(0 if result == [True] else f"no analysis: {result}")


main()
