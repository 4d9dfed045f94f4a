"""Compounds and prefixed verbs that people are known to use, inflected.

A word form that a source attests and that hunspell can analyse only as a
compound (virágvázában = virág + vázában) or as a prefixed verb
(megkérdezhetnénk = meg + kérdezhetnénk) names a lemma: a head (virág,
meg) in front of a last member (váza, kérdezhet).  The lemma inflects as
its last member does: the head goes in front of the forms that the
generator made of the last member, and hunspell judges each of them.

The last member is told by its paradigm key, the part of a `hunspell -m`
analysis that stays the same through inflection: the stem, its part of
speech and its derivations (váza noun; kérdez verb + -hat).  The
inflection itself (the is: tags without a derivation) is the form's
signature; only signatures that are common in the attested forms are used
for compounds, so that the list keeps the forms people write.
"""

from __future__ import annotations

import hashlib
import re
from collections import Counter
from typing import Iterable, Mapping, Sequence

_DERIVATION_TAG = re.compile(r"_[a-z]")


def _tokens(analysis: str) -> list[tuple[str, str]]:
    out = []
    for token in analysis.split():
        if len(token) > 3 and token[2] == ":":
            out.append((token[:2], token[3:]))
    return out


def _key_and_signature(tokens: Sequence[tuple[str, str]]) -> tuple[str, str] | None:
    """The paradigm key and the inflection signature of one analysis
    (or of the last member of a compound); None without a stem."""
    stem = [v for t, v in tokens if t == "st"]
    if not stem:
        return None
    pos = [v for t, v in tokens if t == "po"]
    key = [stem[0], pos[0] if pos else ""]
    sig = []
    for tag, value in tokens:
        if tag == "ds" or (tag == "is" and _DERIVATION_TAG.search(value)):
            key.append(value)
        elif tag == "is":
            sig.append(value)
    return " ".join(key), " ".join(sig)


def paradigm_entries(analyses: Iterable[str]) -> set[tuple[str, str]]:
    """(key, signature) of each analysis of a simple, unprefixed form."""
    out = set()
    for analysis in analyses:
        tokens = _tokens(analysis)
        if any(t in ("pa", "sp") for t, _ in tokens):
            continue
        ks = _key_and_signature(tokens)
        if ks is not None:
            out.add(ks)
    return out


def lemma_splits(word: str, analyses: Iterable[str]) -> set[tuple[str, str, str]]:
    """(head, key of the last member, signature) for each analysis of word
    as a compound or a prefixed form; empty when hunspell can also take
    the word for a simple one (bokor is not bo + kor).

    The head is the word's text in front of the last member, so that the
    head's own form (anyanyelv: anya) is kept as written.
    """
    parsed = [_tokens(a) for a in analyses]
    if any(not any(t in ("pa", "sp") for t, _ in tokens) for tokens in parsed):
        return set()  # hunspell knows it as a simple word
    out = set()
    for tokens in parsed:
        parts = [i for i, (t, _) in enumerate(tokens) if t == "pa"]
        if parts:
            last = tokens[parts[-1]][1]
            tail = tokens[parts[-1] + 1:]
            if not last or not word.endswith(last):
                continue
            head = word[: -len(last)]
        else:
            prefixes = [v for t, v in tokens if t == "sp"]
            if not prefixes or not word.startswith(prefixes[0]):
                continue
            head = prefixes[0]
            tail = [(t, v) for t, v in tokens if t not in ("sp", "ip")]
        ks = _key_and_signature(tail)
        if head and ks is not None:
            out.add((head, ks[0], ks[1]))
    return out


def common_signatures(counts: Mapping[str, int], coverage: float) -> set[str]:
    """The commonest signatures that together make up at least `coverage`
    of all counted forms."""
    total = sum(counts.values())
    chosen: set[str] = set()
    running = 0
    for sig, n in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])):
        if total and running >= coverage * total:
            break
        chosen.add(sig)
        running += n
    return chosen


def signature_counts(entries: Iterable[Iterable[tuple[str, str]]]) -> Counter:
    """How many attested forms carry each signature (once per form)."""
    counts: Counter = Counter()
    for form_entries in entries:
        for sig in {sig for _, sig in form_entries}:
            counts[sig] += 1
    return counts


def compound_candidates(lemmas: Iterable[tuple[str, str]],
                        family: Mapping[str, Iterable[tuple[str, str]]],
                        signatures: set[str], min_len: int, max_len: int) -> set[str]:
    """head + form for each form of the last member with a common
    signature, within the length limits."""
    out = set()
    for head, key in lemmas:
        room = max_len - len(head)
        for sig, form in family.get(key, ()):
            if sig in signatures and len(form) <= room and len(head) + len(form) >= min_len:
                out.add(head + form)
    return out


def is_held_out(word: str) -> bool:
    """A fixed pseudo-random tenth of all word forms, the same on every
    machine and every run."""
    digest = hashlib.blake2b(word.encode("utf-8"), digest_size=8, key=b"held-out").digest()
    return int.from_bytes(digest, "big") % 10 == 0


# --------------------------------------------------------------------------
# Long forms of attested simple lemmas
# --------------------------------------------------------------------------

_LONG_VOWEL = {"a": "á", "e": "é"}


def stem_and_ending(word: str, key: str) -> tuple[str, str, str] | None:
    """(stem, part of speech, ending) of a simple form whose key has no
    derivation; the ending starts with "^" when the stem's final a or e
    lengthens before it (alma -> almában: "^ban").  None when the form
    does not start with its stem (dolgozik -> dolgozom)."""
    parts = key.split(" ")
    if len(parts) != 2:
        return None
    stem, pos = parts
    if word.startswith(stem):
        return stem, pos, word[len(stem):]
    if stem and stem[-1] in _LONG_VOWEL and word.startswith(stem[:-1] + _LONG_VOWEL[stem[-1]]):
        return stem, pos, "^" + word[len(stem):]
    return None


def apply_ending(stem: str, ending: str) -> str | None:
    if not ending.startswith("^"):
        return stem + ending
    if stem and stem[-1] in _LONG_VOWEL:
        return stem[:-1] + _LONG_VOWEL[stem[-1]] + ending[1:]
    return None


def common_endings(counts: Mapping[tuple[str, str], int], coverage: float) -> dict[str, set[str]]:
    """Per part of speech, the commonest endings that together make up at
    least `coverage` of the attested forms of that part of speech."""
    by_pos: dict[str, Counter] = {}
    for (pos, ending), n in counts.items():
        by_pos.setdefault(pos, Counter())[ending] = n
    return {pos: common_signatures(c, coverage) for pos, c in by_pos.items()}


def long_form_candidates(stems: Iterable[tuple[str, str]], endings: Mapping[str, set[str]],
                         min_len: int, max_len: int) -> set[str]:
    """stem + ending for each attested (stem, part of speech) and each
    common ending of that part of speech, within the length limits."""
    out = set()
    for stem, pos in stems:
        vowels = [ch for ch in stem if ch in "aáeéioóöőuúüű"]
        last = vowels[-1] if vowels else ""
        # Vowel harmony, roughly: no front rounded vowel after a back
        # one (házök), no a or u after a front last vowel (kertak).
        clash = "öőüű" if last in "aáoóuú" else "aáuú" if last in "eöőüű" else ""
        for ending in endings.get(pos, ()):
            if any(ch in clash for ch in ending):
                continue
            form = apply_ending(stem, ending)
            if form is not None and min_len <= len(form) <= max_len:
                out.add(form)
    return out


# --------------------------------------------------------------------------
# Superlatives of attested adjectives
# --------------------------------------------------------------------------

COMPARATIVE_TAG = "bb_COMPARATIVE_adj"


def comparative_keys(stems: Iterable[tuple[str, str]]) -> set[str]:
    """The paradigm keys of the comparatives of the adjectives among the
    (stem, part of speech) pairs (szép adj -> "szép adj bb_COMPARATIVE_adj")."""
    return {f"{stem} {pos} {COMPARATIVE_TAG}" for stem, pos in stems if pos == "adj"}


def superlative_candidates(keys: Iterable[str], family: Mapping[str, Iterable[tuple[str, str]]],
                           max_len: int) -> set[str]:
    """leg + each comparative form of the keys (szebbeket -> legszebbeket),
    within the length limit.  hunspell gives a superlative the key of its
    comparative, so a family may hold superlatives already judged
    (legszebb beside szebb); they take no second leg."""
    out = set()
    for key in keys:
        forms = {form for _, form in family.get(key, ())}
        for form in forms:
            if form.startswith("leg") and form[3:] in forms:
                continue
            if len("leg") + len(form) <= max_len:
                out.add("leg" + form)
    return out


_WORD_CLASSES = ("noun", "adj", "vrb", "adv")


def derived_base(word: str, key: str, signature: str) -> tuple[str, str] | None:
    """(word, word class) when word is the bare form of a derived stem
    (szerkesztés: szerkeszt vrb + -ás, a noun; nyugtalanság: a noun), so
    that it can take the endings of its class as a stem of its own; None
    for inflected forms and underived stems."""
    parts = key.split(" ")
    if len(parts) <= 2 or signature:
        return None
    for tag in reversed(parts[-1].split("_")):
        if tag in _WORD_CLASSES:
            return word, tag
    return None
