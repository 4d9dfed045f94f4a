#!/usr/bin/env python3
"""Judged samples of the word list: drawing them and adding up the verdicts.

A fluent reader judges a seeded random sample of the list, entry by entry:

    ok        a real form of a real word (rare ones included)
    doubtful  grammatical but contrived, archaic, dialect or slang
    no        not a word that Hungarians write

The samples are kept in precision/ beside the generator, one per length
band, so that the next change of the list can be judged the same way.

    python3 precision.py draw SzavakLista.tar.xz --band 2-10 --n 300 --seed 21 > precision/after-2-10.tsv
    python3 precision.py report precision/after-*.tsv

A list that only drops entries from a judged one can keep its judged
sample: the judged entries it still holds are a random sample of it, and
`--keep` takes them with their verdicts and draws fresh entries (to be
judged) up to n:

    python3 precision.py draw SzavakLista.tar.xz --band 2-10 --n 300 --seed 22 \
        --keep precision/after-2-10.tsv > new-2-10.tsv

A sample file has a few comment lines (#) naming the list and the seed,
then one line per entry: the word, a tab, the verdict, a tab and a short
reason for every verdict that is not ok.
"""

from __future__ import annotations

import argparse
import hashlib
import math
import random
import sys
from collections import Counter
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from check_format import read_list  # noqa: E402

VERDICTS = ("ok", "doubtful", "no")


def list_words(path: Path) -> list[str]:
    data = read_list(path)
    return [line[1:-1].decode("cp1250") for line in data.split(b"\r\n") if line]


def draw(words: list[str], low: int, high: int, n: int, seed: int) -> list[str]:
    """n entries of low to high letters, the same for the same list and seed."""
    band = [w for w in words if low <= len(w) <= high]
    return sorted(random.Random(seed).sample(band, min(n, len(band))))


def draw_more(words: list[str], low: int, high: int, n: int, seed: int,
              kept: list[tuple[str, str, str]]) -> list[tuple[str, str, str]]:
    """The judged rows whose entries the list still holds, and fresh entries
    of low to high letters (no verdict yet) up to n rows."""
    band = [w for w in words if low <= len(w) <= high]
    held = set(band)
    rows = [row for row in kept if row[0] in held]
    taken = {row[0] for row in rows}
    rest = [w for w in band if w not in taken]
    fresh = random.Random(seed).sample(rest, max(0, min(n - len(rows), len(rest))))
    return sorted(rows + [(w, "", "") for w in fresh])


def wilson(k: int, n: int, z: float = 1.96) -> tuple[float, float]:
    """The 95 % Wilson score interval of the share k / n."""
    if n == 0:
        return 0.0, 1.0
    p = k / n
    centre = (p + z * z / (2 * n)) / (1 + z * z / n)
    half = z * math.sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n)
    return max(0.0, centre - half), min(1.0, centre + half)


def read_sample(path: Path, judged_only: bool = True) -> list[tuple[str, str, str]]:
    """The rows of a sample; with judged_only=False, rows without a verdict
    are kept (with an empty one) instead of refused."""
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        word, verdict, *rest = line.split("\t") + [""]
        verdict = verdict.strip()
        if not verdict and not judged_only:
            rows.append((word.strip(), "", ""))
            continue
        if verdict not in VERDICTS:
            raise ValueError(f"{path}:{number}: verdict {verdict!r} is not one of {', '.join(VERDICTS)}")
        reason = rest[0].strip()
        if verdict != "ok" and not reason:
            raise ValueError(f"{path}:{number}: a {verdict} verdict needs a reason")
        rows.append((word.strip(), verdict, reason))
    return rows


def share_text(k: int, n: int) -> str:
    low, high = wilson(k, n)
    return f"{100 * k / n:.1f} % ({100 * low:.1f}–{100 * high:.1f})" if n else "-"


def report(paths: list[Path]) -> str:
    lines = ["| sample | judged | not a word | not or doubtful |", "| --- | --- | --- | --- |"]
    kinds: dict[str, Counter] = {}
    for path in paths:
        rows = read_sample(path)
        n = len(rows)
        no = sum(1 for _, v, _ in rows if v == "no")
        doubtful = sum(1 for _, v, _ in rows if v == "doubtful")
        lines.append(f"| {path.stem} | {n} | {share_text(no, n)} | {share_text(no + doubtful, n)} |")
        kinds[path.stem] = Counter(reason.split(":")[0].strip() for _, v, reason in rows if v != "ok")
    lines.append("")
    for name, counts in kinds.items():
        if counts:
            lines.append(f"{name}: " + "; ".join(f"{kind} {count}" for kind, count in counts.most_common()))
    return "\n".join(lines)


def main(argv: list[str] | None = None) -> int:
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = ap.add_subparsers(dest="command", required=True)
    d = sub.add_parser("draw", help="print a seeded random sample of one length band")
    d.add_argument("list", type=Path)
    d.add_argument("--band", default="2-10", help="lengths, as low-high")
    d.add_argument("--n", type=int, default=300)
    d.add_argument("--seed", type=int, required=True)
    d.add_argument("--keep", type=Path, help="a judged sample of an earlier list whose verdicts still count")
    r = sub.add_parser("report", help="shares of the verdicts, with their 95 %% intervals")
    r.add_argument("samples", type=Path, nargs="+")
    args = ap.parse_args(argv)
    if args.command == "draw":
        low, high = (int(x) for x in args.band.split("-"))
        data = args.list.read_bytes()
        digest = hashlib.sha256(data).hexdigest()[:16]
        words = list_words(args.list)
        kept = read_sample(args.keep, judged_only=False) if args.keep else None
        since = f", keeping the judged entries of {args.keep.name} it holds" if args.keep else ""
        print(f"# {args.list.name} (sha256 {digest}…), {low}-{high} letters, seed {args.seed}{since}")
        print("# word<TAB>verdict (ok, doubtful, no)<TAB>reason (kind: note) for every verdict that is not ok")
        if kept is None:
            rows = [(w, "", "") for w in draw(words, low, high, args.n, args.seed)]
        else:
            rows = draw_more(words, low, high, args.n, args.seed, kept)
        for row in rows:
            print("\t".join(row))
        return 0
    print(report(args.samples))
    return 0


if __name__ == "__main__":
    sys.exit(main())
