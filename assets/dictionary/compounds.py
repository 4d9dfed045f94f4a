"""Compounds: those in real use, and new ones that people make of words
that real use shows making compounds.

A compound inflects as its last member (virágváza: virág + vázában,
vázák, ...): the head goes in front of the forms made here of the last
member, and hunspell and the model of real use judge each of them.

A compound that no source holds is made when both members are words in
real use of at least three letters, the first member is the first
member of several compounds in use and the last member the last member
of several, and the pair is like the compounds in use: the first members
that share last members with this first member make compounds with this
last member (gomba takes leves as bab, hús and zöldség do).  The measure
is the cosine of the two first members' sets of last members, summed over
the first members that this last member takes; it is measured on a
held-out tenth of the compounds in use (see README.md).  Chance
compounds of a word and an ending (ház + ok) stay out: their "last
member" is no word of three letters that makes compounds.
"""

from __future__ import annotations

import hashlib
import math
from collections import defaultdict
from typing import Callable, Iterable, Mapping

MEMBER_LETTERS = 3
MEMBER_COMPOUNDS = 3  # compounds in use a member must be part of, at its place
NOVEL_SCORE = 3.0  # how like the compounds in use a new one must be


def is_held_out(word: str) -> bool:
    """A fixed pseudo-random tenth of all word forms, the same on every
    machine and every run."""
    digest = hashlib.blake2b(word.encode("utf-8"), digest_size=8, key=b"held-out").digest()
    return int.from_bytes(digest, "big") % 10 == 0


class CompoundGraph:
    """Which first members make compounds with which last members."""

    def __init__(self, pairs: Iterable[tuple[str, str]]) -> None:
        self.lasts: dict[str, set[str]] = defaultdict(set)  # first member -> its last members
        self.firsts: dict[str, set[str]] = defaultdict(set)  # last member -> its first members
        for first, last in pairs:
            if min(len(first), len(last)) >= MEMBER_LETTERS:
                self.lasts[first].add(last)
                self.firsts[last].add(first)

    def known(self, first: str, last: str) -> bool:
        return last in self.lasts.get(first, ())

    def likeness(self, first: str, other: str) -> float:
        a, b = self.lasts.get(first, set()), self.lasts.get(other, set())
        return len(a & b) / math.sqrt(len(a) * len(b)) if a and b else 0.0

    def score(self, first: str, last: str) -> float:
        """How like the compounds in use first + last is."""
        # fsum: the same total whatever order the set gives its members in.
        return math.fsum(self.likeness(first, other) for other in self.firsts.get(last, ()) if other != first)

    def novel(self, is_word: Callable[[str], bool], least: int = MEMBER_COMPOUNDS,
              threshold: float = NOVEL_SCORE) -> set[tuple[str, str]]:
        """The pairs not in use that pass: members that are words in real
        use and make `least` compounds each at their place, and a score of
        at least `threshold`."""
        firsts = [f for f, ls in self.lasts.items() if len(ls) >= least and is_word(f)]
        lasts = {l for l, fs in self.firsts.items() if len(fs) >= least and is_word(l)}
        out = set()
        for first in firsts:
            # Only last members that a like first member takes can score.
            reach = {l for other in {o for l2 in self.lasts[first] for o in self.firsts[l2]} - {first}
                     for l in self.lasts[other]} & lasts
            for last in reach:
                if not self.known(first, last) and self.score(first, last) >= threshold:
                    out.add((first, last))
        return out


def compound_candidates(lemmas: Iterable[tuple[str, tuple[str, str, tuple[str, ...]]]],
                        family: Mapping[tuple[str, str, tuple[str, ...]], Iterable[str]],
                        max_len: int) -> set[str]:
    """head + each form of the last member, within the length limit."""
    out = set()
    for head, key in lemmas:
        room = max_len - len(head)
        for form in family.get(key, ()):
            if len(form) <= room:
                out.add(head + form)
    return out


def superlative_candidates(comparatives: Iterable[str], max_len: int) -> set[str]:
    """leg + each comparative form (szebbeket -> legszebbeket), within the
    length limit.  Forms that already are superlatives take no second leg."""
    forms = set(comparatives)
    return {"leg" + f for f in forms
            if len(f) + 3 <= max_len and not (f.startswith("leg") and f[3:] in forms)}
