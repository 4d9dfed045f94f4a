"""hunspell as the judge: which forms it accepts (`hunspell -G`) and how it
reads them (`hunspell -m`, reduced to readings.py's readings).

Both are kept in the scratch folder (cache/accept.txt, cache/readings.txt)
and written batch by batch as hunspell makes them, so that a run that is
stopped resumes after the last whole batch and a second run with the same
inputs asks hunspell nothing.
"""

from __future__ import annotations

import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path
from typing import Iterable, Iterator

from readings import Reading, decode, encode, parse_output

BATCH = 500_000  # words per hunspell batch; each finished batch is cached


def log(msg: str) -> None:
    print(time.strftime("%H:%M:%S"), msg, flush=True)


def _batches(words: list[str]) -> Iterator[list[str]]:
    for start in range(0, len(words), BATCH):
        yield words[start: start + BATCH]


def _append_lines(path: Path | None, lines: Iterable[str]) -> None:
    """Appends finished judgements to a cache file and forces them to disk,
    so that an interrupted run resumes after the last whole batch."""
    if path is None:
        return
    _drop_cut_line(path)
    with open(path, "a", encoding="utf-8") as f:
        f.write("".join(line + "\n" for line in lines))
        f.flush()
        os.fsync(f.fileno())


def _drop_cut_line(path: Path) -> None:
    """Cuts a last line that an interruption left without its line end, so
    that new lines are not glued to it."""
    if not path.exists():
        return
    with open(path, "r+b") as f:
        size = f.seek(0, os.SEEK_END)
        end = size
        while end > 0:
            start = max(0, end - (1 << 16))
            f.seek(start)
            chunk = f.read(end - start)
            if end == size and chunk.endswith(b"\n"):
                return
            cut = chunk.rfind(b"\n")
            if cut >= 0:
                f.truncate(start + cut + 1)
                return
            end = start
        f.truncate(0)


def _cache_lines(path: Path | None) -> Iterator[str]:
    if path is None or not path.exists():
        return
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.endswith("\n"):  # a line cut by an interruption is judged again
                yield line[:-1]


class Judge:
    """Runs hunspell over batches of words, in parallel, with a memo that
    is kept in the scratch folder between runs."""

    def __init__(self, jobs: int, workdir: Path, cache: Path | None = None) -> None:
        self.jobs = max(1, jobs)
        self.workdir = workdir
        self.env = dict(os.environ, LC_ALL="C.UTF-8")
        self.cache = cache
        if cache is not None:
            cache.mkdir(parents=True, exist_ok=True)
        self.accepted: dict[str, bool] = {}
        for line in _cache_lines(self._file("accept.txt")):
            self.accepted[line[1:]] = line[0] == "+"
        self._readings: dict[str, str] = {}
        for line in _cache_lines(self._file("readings.txt")):
            word, _, rest = line.partition("\t")
            self._readings[word] = rest

    def _file(self, name: str) -> Path | None:
        return None if self.cache is None else self.cache / name

    def _run(self, words: list[str], mode: str) -> list[str]:
        if not words:
            return []
        n = self.jobs
        size = (len(words) + n - 1) // n
        procs = []
        tmp = tempfile.mkdtemp(dir=self.workdir)
        try:
            for i in range(n):
                chunk = words[i * size: (i + 1) * size]
                if not chunk:
                    continue
                src = Path(tmp, f"in{i}.txt")
                dst = Path(tmp, f"out{i}.txt")
                src.write_text("".join(w + "\n" for w in chunk), encoding="utf-8")
                fin = open(src, "rb")
                fout = open(dst, "wb")
                p = subprocess.Popen(
                    ["hunspell", "-i", "UTF-8", "-d", "hu_HU", mode],
                    stdin=fin, stdout=fout, stderr=subprocess.DEVNULL, env=self.env,
                )
                procs.append((p, fin, fout, dst))
            lines: list[str] = []
            for p, fin, fout, dst in procs:
                rc = p.wait()
                fin.close()
                fout.close()
                if rc != 0:
                    raise RuntimeError(f"hunspell {mode} exited with {rc}")
                lines.extend(dst.read_text(encoding="utf-8").splitlines())
            return lines
        finally:
            shutil.rmtree(tmp, ignore_errors=True)

    def _progress(self, what: str, done: int, total: int) -> None:
        if total > BATCH:
            log(f"    hunspell {what}: {min(done, total):,} of {total:,}")

    def accept(self, words: Iterable[str]) -> set[str]:
        """The words hunspell accepts (hunspell -G)."""
        words = set(words)
        todo = sorted(w for w in words if w not in self.accepted)
        for i, batch in enumerate(_batches(todo)):
            ok = set(self._run(batch, "-G"))
            for w in batch:
                self.accepted[w] = w in ok
            _append_lines(self._file("accept.txt"), (("+" if w in ok else "-") + w for w in batch))
            self._progress("accepts", (i + 1) * BATCH, len(todo))
        return {w for w in words if self.accepted[w]}

    def read(self, words: Iterable[str]) -> None:
        """Makes sure the readings of the words are known (hunspell -m)."""
        todo = sorted({w for w in words if w not in self._readings})
        for i, batch in enumerate(_batches(todo)):
            found = parse_output(self._run(batch, "-m"))
            lines = []
            for w in batch:
                text = "\t".join(encode(r) for r in found.get(w, []))
                self._readings[w] = text
                lines.append(w + "\t" + text)
            _append_lines(self._file("readings.txt"), lines)
            self._progress("reads", (i + 1) * BATCH, len(todo))

    def readings(self, word: str) -> list[Reading]:
        """The readings of a word that read() has seen."""
        text = self._readings.get(word, "")
        return [decode(t) for t in text.split("\t")] if text else []

    def analyse(self, words: Iterable[str]) -> dict[str, list[str]]:
        """The raw `hunspell -m` analyses of the words (not cached)."""
        out: dict[str, list[str]] = {}
        for line in self._run(sorted(set(words)), "-m"):
            if line.strip():
                word, _, rest = line.partition(" ")
                out.setdefault(word, []).append(rest.strip())
        return out

    def judge(self, words: Iterable[str]) -> set[str]:
        """The words hunspell accepts, with their readings made known."""
        accepted = self.accept(words)
        self.read(accepted)
        return accepted
