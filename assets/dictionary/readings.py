"""What a `hunspell -m` analysis says about a word form, reduced to the
parts that decide whether Hungarians write forms of that shape.

A reading is one analysis of a form:

    megnézhetnénk -> prefix meg, stem néz (vrb), derivation -hat,
                     inflection PRES_COND_INDEF_PL_1
    virágvázában  -> head virág, stem váza (noun), inflection INE
    legszebbeket  -> stem szép (adj), derivations -bb and leg-,
                     inflections PLUR ACC

The lemma is the stem, its part of speech and its derivations; the
pattern is the sequence of inflections.  `NOM` (no case ending) is left
out of the pattern, and so are the `ts:` (the stem's own tags), `al:`
(listed alternates), `ph:` and `hy:` fields.

Readings are kept in the scratch folder as compact text, one line per
form: the form, then its readings, each written by `encode`.
"""

from __future__ import annotations

import re
from typing import Iterable, NamedTuple

WORD_CLASSES = ("noun", "adj", "vrb", "adv", "inf")
SUPERLATIVE = "leg_SUPERLATIVE_adj"
_PERSON = re.compile(r"_(SG|PL)_[123]$")
_TO_YOU = "_SG_1_OBJ_2"


class Reading(NamedTuple):
    prefix: str  # verbal prefix (meg, el, ki...), "" for none
    head: str  # the text of a compound before its last member, "" for none
    stem: str
    pos: str
    ders: tuple[str, ...]  # derivations, in the order they apply
    infl: tuple[str, ...]  # inflections, without NOM

    @property
    def lemma(self) -> tuple[str, str, tuple[str, ...]]:
        """The derived stem the inflections apply to."""
        return self.stem, self.pos, self.ders

    @property
    def word_class(self) -> str:
        """The part of speech after the derivations (szép adj -> szépség noun)."""
        for der in reversed(self.ders):
            cls = derivation_class(der)
            if cls:
                return cls
        return self.pos


def is_derivation(tag: str) -> bool:
    """Derivation tags carry their suffix in lower case (Ás_PROCESS/RESULT_noun);
    inflection tags are all capitals (PLUR, PRES_INDIC_DEF_SG_3)."""
    return any(ch.islower() for ch in tag)


def derivation_class(tag: str) -> str:
    """The word class a derivation makes: i_PLACE/TIME_adj -> adj,
    tAt_FACTITIVE_vrb_tr -> vrb, kA_DIMINUTIVE_(noun,adj) -> noun."""
    for part in reversed(re.split(r"[_(),]", tag)):
        if part in WORD_CLASSES:
            return part
    return ""


def inflection_class(tag: str) -> str:
    """An inflection without its person and number: POSS_PL_2 -> POSS,
    PRES_INDIC_DEF_SG_1 -> PRES_INDIC_DEF.  Forms of one class are near
    relatives: a word that takes one person takes them all."""
    if tag.endswith(_TO_YOU):
        # -lak/-lek (látlak, láttalak) is the definite form with "you" as
        # its object: it belongs to the definite conjugation.
        return tag[: -len(_TO_YOU)] + "_DEF"
    return _PERSON.sub("", tag)


def _fields(tokens: Iterable[str]) -> list[tuple[str, str]]:
    out = []
    for token in tokens:
        if len(token) > 3 and token[2] == ":":
            out.append((token[:2], token[3:]))
    return out


def _reading(prefix: str, head: str, fields: list[tuple[str, str]], superlative: bool) -> Reading | None:
    stems = [v for t, v in fields if t == "st"]
    if not stems:
        return None
    pos = next((v for t, v in fields if t == "po"), "")
    ders: list[str] = []
    infl: list[str] = []
    for tag, value in fields:
        if tag == "ds" or (tag == "is" and is_derivation(value)):
            ders.append(value)
        elif tag == "is" and value != "NOM":
            infl.append(value)
    if superlative:
        ders.append(SUPERLATIVE)
    return Reading(prefix, head, stems[0], pos, tuple(ders), tuple(infl))


def parse(word: str, analysis: str) -> list[Reading]:
    """The readings of one line of `hunspell -m` (the form removed).

    The last member of a compound may come with alternatives in
    parentheses, separated by "|"; each gives a reading of its own.  The
    head is the form's text before the last member, as written (anyanyelv:
    anya).  A reading that names no stem is dropped.
    """
    tokens = analysis.replace("(", " ( ").replace(")", " ) ").replace("|", " | ").split()
    members = [i for i, t in enumerate(tokens) if t.startswith("pa:")]
    prefix = next((t[3:] for t in tokens if t.startswith("sp:")), "")
    superlative = any(t == "ip:" + SUPERLATIVE for t in tokens)
    head = ""
    if members:
        last = tokens[members[-1]][3:]
        if not last or not word.endswith(last) or len(last) == len(word):
            return []
        head = word[: -len(last)]
        tokens = tokens[members[-1] + 1:]
    alternatives: list[list[str]] = [[]]
    for t in tokens:
        if t in ("(", ")"):
            continue
        if t == "|":
            alternatives.append([])
        else:
            alternatives[-1].append(t)
    out = []
    for alt in alternatives:
        r = _reading(prefix if not members else "", head, _fields(alt), superlative)
        if r is not None:
            out.append(r)
    return out


def parse_output(lines: Iterable[str]) -> dict[str, list[Reading]]:
    """Readings per form of a whole `hunspell -m` output."""
    out: dict[str, list[Reading]] = {}
    for line in lines:
        if not line.strip():
            continue
        word, _, rest = line.strip().partition(" ")
        found = out.setdefault(word, [])
        for r in parse(word, rest):
            if r not in found:
                found.append(r)
    return out


def simplest(readings: list[Reading]) -> list[Reading]:
    """A compound reading is hunspell's last resort: when a form also has
    readings as one word (bokor is not bo + kor), only those count."""
    single = [r for r in readings if not r.head]
    return single or readings


def encode(r: Reading) -> str:
    return "|".join((r.prefix, r.head, r.stem, r.pos, ",".join(r.ders), ",".join(r.infl)))


def decode(text: str) -> Reading:
    prefix, head, stem, pos, ders, infl = text.split("|")
    return Reading(prefix, head, stem, pos, tuple(ders.split(",")) if ders else (),
                   tuple(infl.split(",")) if infl else ())
