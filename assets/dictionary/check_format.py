#!/usr/bin/env python3
"""Checks the format of the game's word list.

    python3 check_format.py SzavakLista.tar.xz
    python3 check_format.py SzavakLista.txt

An archive must hold exactly one regular file, SzavakLista.txt, at its top
level.  The list itself must be non-empty; every line must end in CR LF
(the last one too) and hold one entry: a word between double quotes, in
code page 1250, made only of letters that appear on the board, 2 to 20
letters long with at least one vowel.  Entries must be strictly ascending
by their bytes, which also rules out equal entries.

Exits 0 when the list is well formed, 1 with a message naming the first
faulty line otherwise, 2 when the file cannot be read.
"""

from __future__ import annotations

import sys
import tarfile
from pathlib import Path

MEMBER = "SzavakLista.txt"
BOARD_LETTERS = frozenset("aábcdeéfghijklmnoöprstuüvyz")
VOWELS = frozenset("aáeéioöuü")
MIN_LEN = 2
MAX_LEN = 20


class FormatError(Exception):
    pass


def read_list(path: Path) -> bytes:
    """The list's bytes, from a plain file or from the tar.xz archive."""
    if path.name.endswith((".tar.xz", ".txz")):
        with tarfile.open(path, "r:xz") as tar:
            members = tar.getmembers()
            names = [m.name for m in members]
            if names != [MEMBER]:
                raise FormatError(f"archive must hold only {MEMBER}, it holds {names}")
            if not members[0].isfile():
                raise FormatError(f"{MEMBER} in the archive is not a regular file")
            f = tar.extractfile(members[0])
            assert f is not None
            return f.read()
    return path.read_bytes()


def check_entry(line: bytes) -> str:
    """The word of one line without its line end; raises FormatError."""
    if b"\r" in line or b"\n" in line:
        raise FormatError("line ends must be CR LF; found a lone CR or LF")
    if len(line) < 2 or not (line.startswith(b'"') and line.endswith(b'"')):
        raise FormatError("entry is not enclosed in double quotes")
    try:
        word = line[1:-1].decode("cp1250")
    except UnicodeDecodeError as e:
        raise FormatError(f"not valid code page 1250: {e}") from None
    bad = sorted({c for c in word if c not in BOARD_LETTERS})
    if bad:
        raise FormatError(f"letters that are not on the board: {' '.join(map(repr, bad))}")
    if not MIN_LEN <= len(word) <= MAX_LEN:
        raise FormatError(f"{len(word)} letters, outside {MIN_LEN} to {MAX_LEN}")
    if not any(c in VOWELS for c in word):
        raise FormatError("word has no vowel")
    return word


def check_list(data: bytes) -> int:
    """Checks the whole list; returns the number of entries."""
    if not data:
        raise FormatError("the list is empty")
    if not data.endswith(b"\r\n"):
        raise FormatError("the last line does not end in CR LF")
    lines = data[:-2].split(b"\r\n")
    previous = None
    for number, line in enumerate(lines, start=1):
        try:
            check_entry(line)
            if previous is not None:
                if line == previous:
                    raise FormatError("repeats the entry before it")
                if line < previous:
                    raise FormatError(f"is not sorted: it sorts before line {number - 1}")
        except FormatError as e:
            shown = line.decode("cp1250", "replace")
            raise FormatError(f"line {number} ({shown}): {e}") from None
        previous = line
    return len(lines)


def main(argv: list[str]) -> int:
    if len(argv) != 2:
        print(f"usage: {argv[0]} SzavakLista.tar.xz|SzavakLista.txt", file=sys.stderr)
        return 2
    path = Path(argv[1])
    try:
        data = read_list(path)
    except FormatError as e:
        print(f"{path}: {e}", file=sys.stderr)
        return 1
    except (OSError, tarfile.TarError, EOFError) as e:
        print(f"{path}: cannot read: {e}", file=sys.stderr)
        return 2
    try:
        count = check_list(data)
    except FormatError as e:
        print(f"{path}: {e}", file=sys.stderr)
        return 1
    print(f"{path}: OK, {count} entries")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
