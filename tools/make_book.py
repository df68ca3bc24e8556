#!/usr/bin/python3
"""Writes the default opening book: one PGN game per entry of an ECO
classification file (code, quoted opening name, SAN movetext, "*").

    make_book.py ECO_FILE OUTPUT_PGN

Entries may span lines; an entry ends at its "*". Names are kept as UTF-8
(Latin-1 input is converted), and the characters PGN tags cannot hold are
replaced, so every tag section stays well formed for the engine's reader.
"""
import re
import sys

ENTRY = re.compile(r'([A-E]\d\d[a-z]?\d*)\s+"([^"]*)"\s*(.*?)\s*\*', re.S)


def read_text(path):
    data = open(path, 'rb').read()
    try:
        return data.decode('utf-8')
    except UnicodeDecodeError:
        return data.decode('latin-1')


def entries(text):
    body = '\n'.join(line for line in text.splitlines() if not line.lstrip().startswith('#'))
    for match in ENTRY.finditer(body):
        code, name, moves = match.groups()
        yield code, name, ' '.join(moves.split())


def tag_value(text):
    return text.replace('\\', '/').replace('"', "'").replace('[', '(').replace(']', ')')


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    games = list(entries(read_text(argv[1])))
    if not games:
        sys.stderr.write('make_book: no entries in %s\n' % argv[1])
        return 1
    with open(argv[2], 'w', encoding='utf-8', newline='\n') as out:
        for code, name, moves in games:
            out.write('[ECO "%s"]\n[Opening "%s"]\n\n' % (tag_value(code), tag_value(name)))
            out.write((moves + ' *' if moves else '*') + '\n\n')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
