# pychess's own test of a new xboard engine (Edit > Engines > New): "xboard",
# "protover 2", "quit", and a "feature ... done=1" line before any error line.
import sys

try:
    from pychess.Players.engineNest import is_cecp
except ImportError:
    sys.exit(77)  # pychess is not installed: skipped
sys.exit(0 if is_cecp([sys.argv[1]]) else 1)
