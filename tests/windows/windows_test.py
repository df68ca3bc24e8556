#!/usr/bin/python3
"""Runs kelvo.exe of the Windows cross build under wine64 and compares what it
does with this build's kelvo, byte for byte. One subcommand per ctest test;
exit status 77 tells ctest that the test was skipped."""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

# DLLs every Windows installation has; kelvo.exe may import nothing else.
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll", "ucrtbase.dll", "ntdll.dll", "advapi32.dll", "user32.dll"}


class WaitFor:
    """A session mark: wait until the replies hold text count times."""

    def __init__(self, text, count):
        self.text, self.count = text, count


def skip(reason):
    print(f"skipped: {reason}")
    sys.exit(77)


class Runner:
    def __init__(self, options):
        self.options = options
        self.work = Path(options.work)
        self.prefix = self.work / "wineprefix"
        self.wine = next((c for c in (shutil.which("wine64"), "/usr/lib/wine/wine64", "/usr/lib64/wine/wine64")
                          if c and os.access(c, os.X_OK)), None)
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono or Gecko installer dialogs
        self.env.pop("DISPLAY", None)

    def require(self, wine=True, prefix=True, book=False):
        # Without the compiler an old kelvo.exe would not be rebuilt.
        if not shutil.which("x86_64-w64-mingw32-g++-posix") or not shutil.which("x86_64-w64-mingw32-objdump"):
            skip("the mingw-w64 cross toolchain is not installed (tools/setup.sh installs it)")
        if not Path(self.options.exe).is_file():
            skip(f"{self.options.exe} is missing (make windows builds it)")
        if wine and not self.wine:
            skip("wine64 is not installed (tools/setup.sh installs it)")
        if prefix and not (self.prefix / "system.reg").is_file():
            sys.exit(f"no wine prefix in {self.prefix}: windows.prefix did not run")
        if book and not Path(self.options.book).is_file():
            skip(f"{self.options.book} is missing: the cross build generated no opening book")

    def wineserver(self, *args):
        server = Path(self.wine).with_name("wineserver")
        subprocess.run([str(server) if server.exists() else "wineserver", *args], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)

    def run(self, command, cwd=None, data=b"", timeout=60):
        """data is bytes, or a list of bytes and WaitFor marks: the input after a
        mark is sent only once the output holds what it waits for, so a search
        ends by itself, not by whichever command happens to arrive first."""
        # Output goes to a file, not a pipe: wine's own service processes may
        # inherit the pipe and keep it open long after the program has ended.
        with tempfile.TemporaryFile() as output:
            if isinstance(data, bytes):
                done = subprocess.run(command, input=data, stdout=output, stderr=subprocess.DEVNULL,
                                      cwd=cwd, env=self.env, timeout=timeout)
                output.seek(0)
                return done.returncode, output.read()
            deadline = time.monotonic() + timeout
            engine = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=output, stderr=subprocess.DEVNULL,
                                      cwd=cwd, env=self.env)
            try:
                for part in data:
                    if isinstance(part, WaitFor):
                        while os.pread(output.fileno(), 1 << 20, 0).count(part.text) < part.count:
                            if time.monotonic() > deadline or engine.poll() is not None:
                                break  # the comparison of the replies tells what is missing
                            time.sleep(0.02)
                    else:
                        engine.stdin.write(part)
                        engine.stdin.flush()
                engine.stdin.close()
                code = engine.wait(max(deadline - time.monotonic(), 1))
            except (BrokenPipeError, subprocess.TimeoutExpired):
                engine.kill()
                code = engine.wait()
            return code, os.pread(output.fileno(), 1 << 24, 0)

    def both(self, args, cwd_linux=None, cwd_windows=None, data=b"", timeout=60):
        """The same command on both builds at once: (linux result, windows result)."""
        with ThreadPoolExecutor(2) as pool:
            linux = pool.submit(self.run, [self.options.linux_kelvo, *args], cwd_linux, data, timeout)
            windows = pool.submit(self.run, [self.wine, self.options.exe, *args], cwd_windows, data, timeout)
            return linux.result(), windows.result()


def fresh_dir(path):
    shutil.rmtree(path, ignore_errors=True)
    path.mkdir(parents=True)
    return path


def fail(message):
    print(message)
    return False


def expect_same(what, linux, windows):
    return linux == windows or fail(f"{what} differs\n--- linux:\n{linux!r}\n--- windows:\n{windows!r}")


def same_files(what, linux_dir, windows_dir, names):
    """The files the engine wrote: the same text, in the platform's line ends."""
    return all([expect_same(f"{what}: {name}", crlf((linux_dir / name).read_text()),
                            (windows_dir / name).read_bytes().decode()) for name in names])


def status(*checks):
    return 0 if all(checks) else 1


def crlf(text):
    return text.replace("\n", "\r\n")


# ---------------------------------------------------------------------------

def cmd_prefix(runner):
    runner.require(prefix=False)
    shutil.rmtree(runner.prefix, ignore_errors=True)
    start = time.monotonic()
    subprocess.run([runner.wine, "wineboot", "--init"], env=runner.env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=100)
    # One wineserver for the whole run instead of one per program started; it
    # still goes away by itself half a minute after the last program, should
    # the run be cut short before windows.shutdown.
    runner.wineserver("-w")
    runner.wineserver("-p30")
    print(f"wine prefix {runner.prefix} made in {time.monotonic() - start:.1f} s")
    return 0 if (runner.prefix / "system.reg").is_file() else 1


def cmd_shutdown(runner):
    if runner.wine and runner.prefix.is_dir():
        runner.wineserver("-k")
    return 0


def cmd_imports(runner):
    runner.require(wine=False, prefix=False)
    exe = Path(runner.options.exe)
    objdump = shutil.which("x86_64-w64-mingw32-objdump")
    headers = subprocess.run([objdump, "-p", str(exe)], stdout=subprocess.PIPE, text=True, check=True).stdout
    dlls = re.findall(r"DLL Name: (\S+)", headers)
    print(f"kelvo.exe: {exe.stat().st_size} bytes, imports {' '.join(dlls)}")
    foreign = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    return status(dlls and not foreign or fail(f"imports DLLs a bare Windows lacks: {foreign}"))


def cmd_perft(runner):
    runner.require()
    (_, linux), (code, windows) = runner.both(["perft", "4"])
    return status(code == 0 and expect_same("perft 4", linux, windows),
                  b"Nodes searched: 197281\n" in windows or fail("perft 4 total is not 197281"))


def cmd_bench(runner):
    runner.require()
    (_, linux), (code, windows) = runner.both(["bench"], timeout=100)
    # Times differ; positions, moves, scores and node counts must not.
    timed = re.compile(rb"^(Total time \(ms\)|Nodes/second) *:.*$", re.M)
    # The clock runs under Windows: the searches took measurable time.
    elapsed = re.search(rb"Total time \(ms\) *: *(-?\d+)", windows)
    return status(code == 0 and expect_same("bench", timed.sub(b"", linux), timed.sub(b"", windows)),
                  elapsed and int(elapsed.group(1)) > 0 or fail(f"no elapsed time measured: {windows[-200:]!r}"))


# The book game that reaches, after 17.Rb3, a position for which every book entry
# holds the same move (17...Qa4), so the random book choice is the same on both
# builds; after 18.c4 the book knows nothing and the engine searches.
BOOK_LINE = ("[Event \"?\"]\n\n1.e4 c5 2.Nf3 d6 3.d4 cxd4 4.Nxd4 Nf6 5.Nc3 a6 6.Bg5 e6 7.f4 Qb6\n"
             "8.Qd2 Qxb2 9.Rb1 Qa3 10.f5 Nc6 11.fxe6 fxe6 12.Nxc6 bxc6 13.e5 dxe5\n"
             "14.Bxf6 gxf6 15.Ne4 Be7 16.Be2 h5 17.Rb3 *\n")
# Two games; the first has a comment over a line end and line ends inside move pairs.
TWO_GAMES = ("[Event \"one\"]\n[Site \"?\"]\n\n1.e4 {king's\npawn} e5 2.Nf3\nNc6 3.Bb5 a6 1-0\n\n"
             "[Event \"two\"]\n\n1.d4 d5 2.c4 *\n")
PICTURE = "\n r  n  b  q  k  b  n  r \n p  p  p  p  .  p  p  p \n" + " .  .  .  .  .  .  .  . \n" * 2 + \
          " .  .  .  .  p  .  .  . \n" + " .  .  .  .  .  .  .  . \n" + \
          " P  P  P  P  P  P  P  P \n R  N  B  Q  K  B  N  R \n"

BOOK_SESSION = ["xboard", "ping 1", "_showlegal", "_loadpgn line.pgn", "go", WaitFor(b"\nmove ", 1), "c2c4",
                WaitFor(b"\nmove ", 2), "quit"]
# The same game in UCI: a book move, then searches on the search thread.
BOOK_LINE_UCI = ("position startpos moves e2e4 c7c5 g1f3 d7d6 d2d4 c5d4 f3d4 g8f6 b1c3 a7a6 c1g5 e7e6 f2f4 d8b6 "
                 "d1d2 b6b2 a1b1 b2a3 f4f5 b8c6 f5e6 f7e6 d4c6 b7c6 e4e5 d6e5 g5f6 g7f6 c3e4 f8e7 f1e2 h7h5 b1b3")
UCI_SESSION = ["uci", "isready", BOOK_LINE_UCI, "go depth 4", WaitFor(b"bestmove", 1), BOOK_LINE_UCI + " a3a4 c2c4",
               "go wtime 9000 btime 9000", WaitFor(b"bestmove", 2), "position fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1",
               "go infinite", "isready", "stop", "quit"]
# What differs from run to run in UCI info lines.
UCI_TIMES = re.compile(rb" nps \d+ time \d+")

# name: (input lines, line end, files put in the working directory, the book's line end or None)
SESSIONS = {
    "book": (BOOK_SESSION, "\r\n", {"line.pgn": crlf(BOOK_LINE)}, "\n"),
    "book_crlf": (BOOK_SESSION, "\n", {"line.pgn": BOOK_LINE}, "\r\n"),
    "uci": (UCI_SESSION, "\r\n", {}, "\n"),
    "moves": (["new", "e2e4", "e9e4", "e2e5", "g1f3", "xyz", "\x1a", "ping 2", "_showlegal", "undo", "remove",
               "d2d4", "quit"], "\n", {}, None),
    "promotion": (["new", "force", "edit", "#", "Ka1", "Pb7", "c", "Kh1", "Pg2", ".", "_writepos", "_readpos",
                   "b7b8n", "_get b8", "undo", "b7b8", "_get b8", "undo", "b7b8r", "g2g1b", "_get g1", "undo", "undo",
                   "white", "go", WaitFor(b"\nmove ", 1), "quit"], "\r\n", {}, None),
    "mate": (["new", "force", "e2e4", "e7e5", "f1c4", "b8c6", "d1h5", "g8f6", "h5f7", "go", "undo", "h5f7",
              "new", "force", "edit", "#", "Kb6", "Qc1", "c", "Ka8", ".", "c1c7", "quit"], "\n", {}, None),
    "positions": (["new", "force", "e2e4", "e7e5", "g1f3", "_writepos", "_clear", "_get e4", "_readpos", "_get e4",
                   "_get f3", "_showlegal", "quit"], "\r\n", {}, None),
    "foreign_positions": (["new", "force", "_clear", "_readpos", "_get e4", "_showlegal", "quit"], "\n",
                          {"pos.log": crlf(PICTURE)}, None),
    "loadpgn": (["_loadpgn crlf.pgn", "_showlegal", "_loadpgn lf.pgn", "_showlegal", "ping 3", "quit"], "\r\n",
                {"crlf.pgn": crlf(TWO_GAMES), "lf.pgn": TWO_GAMES}, None),
}


def run_session(runner, name, session, base):
    lines, line_end, files, book_line_end = session
    data = [line if isinstance(line, WaitFor) else (line + line_end).encode("latin-1") for line in lines]
    dirs = []
    for side in ("linux", "windows"):
        directory = fresh_dir(base / name / side)
        for file_name, text in files.items():
            (directory / file_name).write_bytes(text.encode())
        if book_line_end:
            book = Path(runner.options.book).read_text()
            (directory / "aperturas.pgn").write_bytes(book.replace("\n", book_line_end).encode())
        dirs.append(directory)
    (status_l, linux), (status_w, windows) = runner.both([], dirs[0], dirs[1], data)
    linux, windows = UCI_TIMES.sub(b"", linux), UCI_TIMES.sub(b"", windows)
    (base / name / "replies").write_bytes(windows)  # for reading after a run
    written = sorted(p.name for p in dirs[1].iterdir() if p.name not in files and p.name != "aperturas.pgn")
    return all([expect_same(f"session {name}", linux, windows),
                # Without a book, _showlegal at start-up lists the moves of an empty board: none.
                not book_line_end or windows.count(b"\n") >= 10 or fail(f"session {name}: the book was not loaded"),
                status_l == status_w == 0 or fail(f"session {name}: exit status {status_l} linux, {status_w} windows"),
                same_files(f"session {name}", dirs[0], dirs[1], written)])


def cmd_sessions(runner):
    runner.require(book=True)
    base = runner.work / "sessions"
    # Three at a time: the book session takes longest under wine.
    with ThreadPoolExecutor(3) as pool:
        return status(*pool.map(lambda item: run_session(runner, item[0], item[1], base), SESSIONS.items()))


def cmd_book(runner):
    runner.require(book=True)
    directory = fresh_dir(runner.work / "book")
    text = Path(runner.options.book).read_text()
    (directory / "lf.pgn").write_text(text, newline="\n")
    (directory / "crlf.pgn").write_text(text, newline="\r\n")
    # The golden data's book line: games, entries, their digest, what probing
    # them answers and the last game; without the file name and the byte offset
    # of the second game, which the line ends move.
    runs = [([runner.options.linux_golden_data], "lf.pgn", "linux"), ([runner.wine, runner.options.golden_data], "lf.pgn",
            "windows_lf"), ([runner.wine, runner.options.golden_data], "crlf.pgn", "windows_crlf")]
    with ThreadPoolExecutor(3) as pool:
        for job in [pool.submit(runner.run, [*tool, "write", "book", out, pgn], directory) for tool, pgn, out in runs]:
            job.result()
    linux, windows_lf, windows_crlf = (re.sub(r"^\S+ | first game \d+", " ", (directory / out).read_text())
                                       for _, _, out in runs)
    print(f"linux, LF book: {linux.strip()}")
    return status(expect_same("book from LF file", linux, windows_lf),
                  expect_same("book from CRLF file", linux, windows_crlf),
                  re.search(r" entries [1-9]", linux) or fail("the book holds no entry"))


def cmd_files(runner):
    """Log file names and contents with --log."""
    runner.require()
    dirs = [fresh_dir(runner.work / "files" / side) for side in ("linux", "windows")]
    # The answer to e2e4 is waited for: a quit during the search would cut it short.
    data = [b"xboard\nnew\n_dump\nnotacommand\ne2e4\n", WaitFor(b"\nmove ", 1), b"quit\n"]
    (_, linux), (_, windows) = runner.both(["--log"], dirs[0], dirs[1], data)
    names = [sorted(p.name for p in d.iterdir()) for d in dirs]
    print(f"log files: {names[1]}")
    return status(expect_same("replies with --log", linux, windows), expect_same("log file names", names[0], names[1]),
                  any(re.fullmatch(r"deb\d+\.log", n) for n in names[1]) or fail("no transcript was written"),
                  same_files("--log", dirs[0], dirs[1], names[1]))


def cmd_interrupt(runner):
    """SIGINT (the console's Ctrl+C under wine) between commands must not end the engine."""
    runner.require()
    directory = fresh_dir(runner.work / "interrupt")
    replies = directory / "replies"

    def wait_for(text):
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline and text not in replies.read_bytes():
            time.sleep(0.05)

    with open(replies, "wb") as output:
        engine = subprocess.Popen([runner.wine, runner.options.exe], stdin=subprocess.PIPE, stdout=output,
                                  stderr=subprocess.DEVNULL, cwd=directory, env=runner.env)
    engine.stdin.write(b"ping 1\n")
    engine.stdin.flush()
    wait_for(b"pong 1\n")
    engine.send_signal(signal.SIGINT)
    time.sleep(0.5)  # wine runs the console's Ctrl+C handlers on a thread of their own
    try:
        engine.stdin.write(b"ping 2\nquit\n")
        engine.stdin.close()
    except BrokenPipeError:
        pass
    code = engine.wait(timeout=30)
    got = replies.read_bytes()
    return status(got == b"pong 1\npong 2\n" and code == 0 or fail(f"after SIGINT: {got!r}, exit status {code}"))


def main():
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--golden-data", "--linux-kelvo", "--linux-golden-data", "--book", "--work"):
        parser.add_argument(option, required=True)
    parser.add_argument("command")
    options = parser.parse_args()
    command = globals().get(f"cmd_{options.command}")
    if not command:
        parser.error(f"unknown command {options.command}")
    return command(Runner(options))


if __name__ == "__main__":
    sys.exit(main())
