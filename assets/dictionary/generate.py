#!/usr/bin/env python3
"""Builds the Hungarian word list that ships with Vorpanta.

The list is the set of Hungarian word forms that can be spelt on the board
(2 to 20 letters, only board letters, at least one vowel) and that the
Magyar Ispell spell checker (Debian package hunspell-hu) accepts.

Candidates come from several places, because none alone is enough:

1. the pre-expanded word forms of the npm package @cspell/dict-hu-hu,
   dumped with cspell-trie (both pinned in npm/package-lock.json);
2. forms made here from the stems of /usr/share/hunspell/hu_HU.dic:
   nominal suffixes and suffix chains, verb conjugation, and the verbal
   prefixes glued onto verb forms only;
3. forms in real use: the word list of tesseract's Hungarian model and
   the mythes-hu thesaurus (sources.py);
4. forms made here of the lemmas that 3. attests: compounds and prefixed
   verbs inflected as their last member, long forms of simple stems
   (compounds.py).

Every candidate is judged by `hunspell -d hu_HU -G`.  Forms made here of a
single stem must also have at least one analysis (`hunspell -m`) that is not a productive
compound, so that a suffix that happens to spell a word (ház + ok) does not
slip in through compounding.

The result is written as SzavakLista.txt (one "word" per line, code page
1250, CR LF, byte-sorted) inside SzavakLista.tar.xz.

Run by hand; needs the Debian and npm registries and takes about an hour
on two busy cores; judgements are cached in the scratch folder, so an
interrupted run resumes:

    python3 assets/dictionary/generate.py --scratch /work/dict-scratch --jobs 2

The filter and formatting functions can be imported without running
anything (see test_filters.py).
"""

from __future__ import annotations

import argparse
import base64
import hashlib
import io
import json
import lzma
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import threading
import time
import zlib
from pathlib import Path
from typing import Iterable, Iterator

sys.path.insert(0, str(Path(__file__).resolve().parent))
import sources  # noqa: E402
from compounds import (  # noqa: E402
    common_endings, common_signatures, comparative_keys, compound_candidates, derived_base,
    is_held_out,
    lemma_splits, long_form_candidates, paradigm_entries, signature_counts,
    stem_and_ending, superlative_candidates,
)

HERE = Path(__file__).resolve().parent

# --------------------------------------------------------------------------
# Pinned inputs
# --------------------------------------------------------------------------

CSPELL_DICT_PACKAGE = "@cspell/dict-hu-hu"
CSPELL_DICT_VERSION = "1.1.2"
CSPELL_DICT_INTEGRITY = (
    "sha512-6p0dyfVQoSHNjeezyMwN3NQijfJsq3U3wmBvkCgUHvj8RZ5ICLcEILIYUnw398jyaNhcxvTtuqhXCM36+s9+Jg=="
)
CSPELL_TRIE_PACKAGE = "cspell-trie"
CSPELL_TRIE_VERSION = "9.7.0"
CSPELL_TRIE_INTEGRITY = (
    "sha512-ciWN604CCxIllIDQ/TH7TiYyjsaJlwZSoBUARYZozOGqAymcBuAaWPCD6uPRa3CkwvjvJLojGV2jMnWqGYfC7Q=="
)
CSPELL_TRIE_FILE = "dict/hu-hu.trie.gz"

HUNSPELL_HU_VERSION = "1:7.5.0-1"  # Debian 12 (bookworm)
HUNSPELL_VERSION = "1.7.1-1"
HUNSPELL_DIC = Path("/usr/share/hunspell/hu_HU.dic")
HUNSPELL_AFF = Path("/usr/share/hunspell/hu_HU.aff")

# Fixed archive metadata so that the same list gives the same archive bytes.
ARCHIVE_MEMBER = "SzavakLista.txt"
ARCHIVE_MTIME = 1704067200  # 2024-01-01 00:00:00 UTC

# --------------------------------------------------------------------------
# Filters (pure functions, unit-tested)
# --------------------------------------------------------------------------

BOARD_LETTERS = frozenset("aábcdeéfghijklmnoöprstuüvyz")
VOWELS = frozenset("aáeéioöuü")
MIN_LEN = 2
MAX_LEN = 20  # forms that a source attests as they stand
MAX_GEN_LEN = 15  # forms made here of lemmas that a source attests
# Forms made here of every stem of hu_HU.dic (and every verbal prefix
# before every verb form) stop at this length.  Longer forms of every
# stem would be several times as many as the list's size budget allows,
# most of them rare; longer forms are made only for the compounds and
# prefixed verbs that a source attests (see compounds.py).
MAX_OWN_LEN = 10
# The cspell forms are Magyar Ispell's own expansions, not a record of
# use, and there are some 25 million of 11 to 20 letters: far beyond the
# size budget and no commoner than our own forms, so they stop where
# those do.
MAX_CSPELL_LEN = MAX_OWN_LEN
# Inflected compounds take only the commonest inflections: those that make
# up this share of the attested forms.
SIGNATURE_COVERAGE = 0.98
# Compounds are the commonest long words people write, and their forms
# are few (only lemmas that a source attests), so they take a wider share
# of the inflections (osztálytársaimmal).
COMPOUND_COVERAGE = 0.995

# Two-letter forms that hunspell accepts but that a player would not take
# for words: letter, note and symbol names (bé, la, re, pi), animal sounds
# (iá), foreign or clipped forms (go, fi, pá, jé, né) and fragments that
# only stand as parts of longer words (ab, as, et, in, oá, uv, vu).
STOPLIST = frozenset(
    "ab as bé et fi go iá in jé la né oá pá pi re uv vu".split()
)


def has_only_board_letters(word: str) -> bool:
    """True when every character is a lower-case letter found on the board."""
    return bool(word) and all(ch in BOARD_LETTERS for ch in word)


def has_vowel(word: str) -> bool:
    return any(ch in VOWELS for ch in word)


def is_playable(word: str, stoplist: frozenset[str] = STOPLIST) -> bool:
    """The shape test every entry of the list must pass.

    Capitalised words (proper nouns), abbreviations with dots, digits,
    hyphens, apostrophes and the letters í ó ő ú ű q w x all fail because
    they are not board letters.
    """
    return (
        MIN_LEN <= len(word) <= MAX_LEN
        and has_only_board_letters(word)
        and has_vowel(word)
        and word not in stoplist
    )


def cspell_entry_word(line: str) -> str | None:
    """The word of one line of a cspell-trie dump, or None for helper lines.

    Lines beginning with '~' are accent- and case-stripped search helpers,
    lines beginning with '!' are forbidden forms; both are skipped.  '+'
    at either end only marks where compounding may join and is removed.
    """
    text = line.strip()
    if not text or text[0] in "~!":
        return None
    text = text.strip("+")
    return text or None


def playable_cspell_words(lines: Iterable[str]) -> set[str]:
    """The playable words of a cspell-trie dump (before the stoplist), up
    to the length kept of this source."""
    words: set[str] = set()
    for line in lines:
        word = cspell_entry_word(line)
        if word is not None and len(word) <= MAX_CSPELL_LEN and is_playable(word, frozenset()):
            words.add(word)
    return words


def select_entries(words: Iterable[str], abbreviations: Iterable[str] = (),
                   stoplist: frozenset[str] = STOPLIST) -> set[str]:
    """The words that go into the list: playable, no stoplist entry and
    no abbreviation."""
    excluded = set(abbreviations)
    return {w for w in words if is_playable(w, stoplist) and w not in excluded}


def encode_entry(word: str) -> bytes:
    """One entry of the list: the word in double quotes, code page 1250."""
    return b'"' + word.encode("cp1250") + b'"'


def render_word_list(words: Iterable[str]) -> bytes:
    """The whole list file: unique entries in byte order, each ending CR LF."""
    entries = sorted({encode_entry(w) for w in words})
    return b"".join(e + b"\r\n" for e in entries)


def write_archive(text: bytes, path: Path) -> None:
    """Writes an xz-compressed tar holding text as SzavakLista.txt.

    Metadata is fixed so that equal text gives an equal archive.
    """
    info = tarfile.TarInfo(ARCHIVE_MEMBER)
    info.size = len(text)
    info.mtime = ARCHIVE_MTIME
    info.mode = 0o644
    info.uid = info.gid = 0
    info.uname = info.gname = ""
    info.type = tarfile.REGTYPE
    raw = io.BytesIO()
    with tarfile.open(fileobj=raw, mode="w", format=tarfile.USTAR_FORMAT) as tar:
        tar.addfile(info, io.BytesIO(text))
    data = lzma.compress(
        raw.getvalue(),
        format=lzma.FORMAT_XZ,
        check=lzma.CHECK_CRC64,
        preset=9 | lzma.PRESET_EXTREME,
    )
    tmp = path.with_suffix(path.suffix + ".tmp")
    tmp.write_bytes(data)
    tmp.replace(path)


# --------------------------------------------------------------------------
# Hungarian morphology: just enough to make candidates for hunspell to judge
# --------------------------------------------------------------------------

ALL_VOWELS = frozenset("aáeéiíoóöőuúüű")
BACK_VOWELS = frozenset("aáoóuú")
ROUNDED_FRONT_VOWELS = frozenset("öőüű")
# Longest first, so that "dzs" wins over "zs" and "sz" over "z".
CONSONANT_UNITS = ("dzs", "cs", "dz", "gy", "ly", "ny", "sz", "ty", "zs")
SIBILANT_UNITS = frozenset({"s", "sz", "z", "zs", "dz", "dzs", "c", "cs"})
LINKING_VOWELS = frozenset("aoeöuü")


def harmony(word: str) -> tuple[str, ...]:
    """Vowel harmony classes a suffix may follow: back, front, round.

    The last vowel decides; a neutral last vowel (e, é, i, í) after a back
    vowel is ambiguous (papír -> papírok, hotel -> hotelek), and so are
    words with only i, í and é (nyit -> nyitok, hisz -> hiszek), so both
    classes are returned and hunspell picks.
    """
    vowels = [c for c in word if c in ALL_VOWELS]
    if not vowels:
        return ("back", "front")
    last = vowels[-1]
    if last in BACK_VOWELS:
        return ("back",)
    if last in ROUNDED_FRONT_VOWELS:
        return ("round",)
    if any(v in BACK_VOWELS for v in vowels):
        return ("back", "front")
    if all(v in "iíé" for v in vowels):
        return ("back", "front")  # nyit -> nyitom, cél -> célok, but szív -> szívek
    return ("front",)


def final_unit(word: str) -> str | None:
    """The final consonant (digraphs count as one), or None after a vowel."""
    if not word or word[-1] in ALL_VOWELS:
        return None
    for unit in CONSONANT_UNITS:
        if word.endswith(unit):
            return unit
    return word[-1]


def double_final(word: str) -> str | None:
    """The word with its final consonant doubled (kéz -> kézz, ház -> házz,
    kosz -> kossz, toll -> toll); None after a vowel."""
    unit = final_unit(word)
    if unit is None:
        return None
    head = word[: -len(unit)]
    if head.endswith(unit[0]) and (len(unit) > 1 or head):
        return word  # already long
    return head + unit[0] + unit


def lengthened(word: str) -> list[str]:
    """The stem before a suffix: a final a/e also lengthens to á/é."""
    if word.endswith("a"):
        return [word[:-1] + "á", word]
    if word.endswith("e"):
        return [word[:-1] + "é", word]
    return [word]


def attach(base: str, suffix: str) -> list[str]:
    """Joins a suffix to a base.

    A suffix beginning with "~" starts with an assimilating v (-val, -vá):
    after a vowel it is v, after a consonant the consonant doubles.  A
    suffix beginning with "+" starts with an assimilating j (olvas + ja ->
    olvassa, lát + jon -> lásson); both the plain and the assimilated forms
    are returned and hunspell keeps the right one.
    """
    if suffix.startswith("~"):
        rest = suffix[1:]
        doubled = double_final(base)
        return [base + "v" + rest] if doubled is None else [doubled + rest]
    if suffix.startswith("+"):
        rest = suffix[1:]
        out = [base + "j" + rest]
        unit = final_unit(base)
        if unit in SIBILANT_UNITS:
            out.append(double_final(base) + rest)
        elif unit == "t":
            if base.endswith("szt"):
                out.append(base[:-3] + "ssz" + rest)
            elif base.endswith("st"):
                out.append(base[:-2] + "ss" + rest)
            else:
                out.append(base[:-1] + "ss" + rest)
                out.append(base + "s" + rest)
        return out
    if base and base[-1] in ALL_VOWELS and suffix[:1] in LINKING_VOWELS:
        return []  # a linking vowel never follows a vowel: kutyá-k, not kutyá-ok
    return [base + suffix]


def _table(back: str, front: str, round_: str | None = None) -> dict[str, tuple[str, ...]]:
    """A suffix family in its harmony variants; "0" stands for no suffix."""

    def split(s: str) -> tuple[str, ...]:
        return tuple("" if x == "0" else x for x in s.split())

    return {
        "back": split(back),
        "front": split(front),
        "round": split(round_ if round_ is not None else front),
    }


def endings(table: dict[str, tuple[str, ...]], classes: Iterable[str]) -> list[str]:
    out: list[str] = []
    for c in classes:
        for e in table[c]:
            if e not in out:
                out.append(e)
    return out


# Nominal suffixes that make a new base: plural, accusative, possessive
# persons, plural possessions, possessor -é and family -ék.
NOMINAL_INFLECTIONS = _table(
    back="k ok ak t ot at m om am d od ad a ja nk unk tok otok atok uk juk "
    "im aim jaim id aid jaid i ai jai ink aink jaink itok aitok jaitok ik aik jaik é ék",
    front="k ek t et m em d ed e je nk ünk tek etek ük jük "
    "im eim jeim id eid jeid i ei jei ink eink jeink itek eitek jeitek ik eik jeik é ék",
    round_="k ök ek t öt et m öm em d öd ed e je nk ünk tök ötök tek etek ük jük "
    "im eim jeim id eid jeid i ei jei ink eink jeink itek eitek jeitek ik eik jeik é ék",
)
# The plain inflections that a derived stem takes (városiak, almásat,
# szépségem); plural possessions and -é are left out of these, since
# stacked on a derivation they give forms nobody uses.
DERIVED_STEM_INFLECTIONS = _table(
    back="k ok ak t ot at m om am d od ad a ja nk unk tok otok atok uk juk",
    front="k ek t et m em d ed e je nk ünk tek etek ük jük",
    round_="k ök ek t öt et m öm em d öd ed e je nk ünk tök ötök tek etek ük jük",
)
# Derivations that make a new nominal stem: -s (almás), -i (városi),
# -ság (szépség), -talan (gondtalan), -ka / -cska (házikó-like diminutives).
NOMINAL_DERIVATIONS = _table(
    back="s os as i ság talan tlan ka cska",
    front="s es i ség telen tlen ke cske",
    round_="s ös es i ség telen tlen ke cske",
)
# Derivations that are not inflected further here (-nyi, -beli).
NOMINAL_FINAL_DERIVATIONS = _table(back="nyi beli", front="nyi beli")
# Comparative, for adjectives only.
COMPARATIVE = _table(back="bb abb obb", front="bb ebb", round_="bb ebb öbb")

# Case endings (only those spelt with board letters).
CASE_SUFFIXES = _table(
    back="t at ot ban ba nak ~al ~á hoz nál n on an ra ig ért ul kor ként stul nként szor",
    front="t et ben be nek ~el ~é hez nél n en re ig ért ül kor ként stül nként szer",
    round_="t öt et ben be nek ~el ~é höz hez nél n ön en re ig ért ül kor ként stül nként ször",
)

# Verbs.  Present tense (indefinite and definite) on the root.
VERB_PRESENT = _table(
    back="0 ik ok om sz asz ol unk tok otok nak anak od +a +uk +átok +ák lak alak d",
    front="0 ik ek em sz esz el ünk tek etek nek enek ed i +ük itek ik lek elek d",
    round_="0 ik ök ek öm em sz esz öl el ünk tök ötök tek etek nek enek öd ed i +ük itek lek elek d",
)
VERB_PAST_STEMS = _table(back="t tt ott", front="t tt ett", round_="t tt ött ett")
VERB_PAST_ENDINGS = _table(
    back="0 am ál unk atok ak ad a uk átok ák alak",
    front="0 em él ünk etek ek ed e ük étek ék elek",
)
VERB_COND_STEMS = _table(back="n an", front="n en")
VERB_COND_ENDINGS = _table(
    back="a ék ál ánk átok ának ám ád á ák álak",
    front="e ék él énk étek ének ém éd é élek",
)
# Imperative / subjunctive: "+" makes the assimilating j.
VERB_IMPERATIVE = _table(
    back="+ +ak +ál +al +on +unk +atok +anak +am +ad +a +uk +átok +ák +alak",
    front="+ +ek +él +el +en +ünk +etek +enek +em +ed +e +ük +étek +ék +elek",
    round_="+ +ek +él +el +en +ön +ünk +etek +enek +em +ed +e +ük +étek +ék +elek",
)
VERB_INFINITIVE = _table(
    back="ni ani nom nod nia nunk notok niuk anom anod ania anunk anotok aniuk",
    front="ni eni nem ned nie nünk netek niük enem ened enie enünk enetek eniük",
    round_="ni eni nöm nem nöd ned nie nünk nötök netek niük enem ened enie enünk enetek eniük",
)
VERB_PARTICIPLES = _table(back="va ván", front="ve vén")
# Verbal nouns that take nominal suffixes afterwards.
VERB_NOMINALISERS = _table(back="ás at", front="és et")
# Derived verb roots: potential, causative, frequentative.
VERB_DERIVED_ROOTS = _table(
    back="hat tat at gat ogat",
    front="het tet et get eget",
    round_="het tet et get öget eget",
)


def _suffixed(bases: Iterable[str], suffixes: Iterable[str]) -> Iterator[str]:
    for base in bases:
        for suffix in suffixes:
            yield from attach(base, suffix)


def nominal_base_forms(stem: str, adjective: bool = False) -> Iterator[tuple[str, bool]]:
    """Forms of a nominal stem before a case ending: plural, accusative,
    possessive and derived forms.  Yields (form, is_new_stem), where
    is_new_stem marks derivations that inflect again (almás -> almásak)."""
    classes = harmony(stem)
    bases = lengthened(stem)
    for form in _suffixed(bases, endings(NOMINAL_INFLECTIONS, classes)):
        yield form, False
    for form in _suffixed(bases, endings(NOMINAL_FINAL_DERIVATIONS, classes)):
        yield form, False
    for form in _suffixed(bases, endings(NOMINAL_DERIVATIONS, classes)):
        yield form, True
    if adjective:
        for form in _suffixed(bases, endings(COMPARATIVE, classes)):
            yield form, True


def derived_stem_forms(stem: str) -> Iterator[str]:
    """Plural, accusative and possessive forms of a derived stem."""
    yield from _suffixed(lengthened(stem), endings(DERIVED_STEM_INFLECTIONS, harmony(stem)))


def case_forms(base: str, classes: tuple[str, ...]) -> Iterator[str]:
    """Case-suffixed forms of an accepted nominal base."""
    yield from _suffixed(lengthened(base), endings(CASE_SUFFIXES, classes))


def verb_forms(root: str) -> Iterator[str]:
    """Conjugated and non-finite forms of a verb root (without prefixes)."""
    classes = harmony(root)
    yield from _suffixed([root], endings(VERB_PRESENT, classes))
    past_stems = list(_suffixed([root], endings(VERB_PAST_STEMS, classes)))
    yield from past_stems
    yield from _suffixed(past_stems, endings(VERB_PAST_ENDINGS, classes))
    cond_stems = list(_suffixed([root], endings(VERB_COND_STEMS, classes)))
    yield from _suffixed(cond_stems, endings(VERB_COND_ENDINGS, classes))
    yield from _suffixed([root], endings(VERB_IMPERATIVE, classes))
    yield from _suffixed([root], endings(VERB_INFINITIVE, classes))
    yield from _suffixed([root], endings(VERB_PARTICIPLES, classes))


def verb_nominal_stems(root: str) -> Iterator[str]:
    yield from _suffixed([root], endings(VERB_NOMINALISERS, harmony(root)))


def verb_derived_roots(root: str) -> Iterator[str]:
    yield from _suffixed([root], endings(VERB_DERIVED_ROOTS, harmony(root)))


def prefixed_candidates(verbal_forms: set[str], prefixes: Iterable[str]) -> set[str]:
    """Each verbal prefix before each verb form that fits the board.

    A form that already starts with a prefix glued to another form of the
    set (elmegy = el + megy) gets no second one.
    """
    prefixes = list(prefixes)
    single = [
        f for f in verbal_forms
        if not any(f.startswith(p) and f[len(p):] in verbal_forms for p in prefixes)
    ]
    return {p + f for p in prefixes for f in single if len(p) + len(f) <= MAX_OWN_LEN}


def verb_roots_of_lemma(lemma: str) -> list[str]:
    """Roots of a verb given in its dictionary form (3rd person singular).

    -ik verbs drop -ik (dolgozik -> dolgoz); verbs with an unstable last
    vowel also give the short root (ünnepel -> ünnepl, érez -> érz).
    """
    roots = []
    if lemma.endswith("ik") and len(lemma) > 3:
        roots.append(lemma[:-2])
    else:
        roots.append(lemma)
    root = roots[0]
    if re.search(r"[^aáeéiíoóöőuúüű][eoö][lrz]$", root) and len(root) >= 4:
        roots.append(root[:-2] + root[-1])
    return roots


# --------------------------------------------------------------------------
# The Magyar Ispell dictionary: stems, parts of speech, listed forms
# --------------------------------------------------------------------------

NOMINAL_POS = frozenset(
    "noun adj adj_num adj_num_wh adj_wh noun_pron noun_ind adj_uni".split()
)


def read_aff_morph_aliases(aff_path: Path) -> list[str]:
    aliases: list[str] = []
    with open(aff_path, "rb") as f:
        for raw in f:
            if raw.startswith(b"AM "):
                aliases.append(raw[3:].decode("utf-8", "replace").rstrip("\n"))
    return aliases[1:]  # the first AM line holds the count


def morph_fields(morph: str) -> dict[str, list[str]]:
    fields: dict[str, list[str]] = {}
    for token in morph.split():
        if len(token) > 3 and token[2] == ":":
            fields.setdefault(token[:2], []).append(token[3:])
    return fields


class Lexicon:
    """What the generator needs from hu_HU.dic."""

    def __init__(self) -> None:
        self.listed_forms: set[str] = set()  # stems and al: forms, as written
        self.nominal_stems: set[str] = set()
        self.adjective_stems: set[str] = set()
        self.verb_lemmas: set[str] = set()
        self.verb_roots: set[str] = set()
        self.verb_forms: set[str] = set()  # listed conjugated forms
        self.prefixes: list[str] = []
        self.abbreviations: set[str] = set()


def read_lexicon(dic_path: Path, aff_path: Path, analyse) -> Lexicon:
    aliases = read_aff_morph_aliases(aff_path)
    lex = Lexicon()
    entries: list[tuple[str, str]] = []
    with open(dic_path, encoding="utf-8") as f:
        next(f)  # entry count
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            parts = line.split("\t")
            word = parts[0].split("/")[0]
            morph = ""
            if len(parts) > 1:
                morph = aliases[int(parts[1]) - 1] if parts[1].isdigit() else parts[1]
            entries.append((word, morph))

    # Entries without morphological fields: ask hunspell.
    unknown = sorted({w for w, m in entries if "po:" not in m and has_only_board_letters(w)})
    analyses = analyse(unknown)
    filled = []
    for word, morph in entries:
        if "po:" not in morph and word in analyses:
            richest = max(analyses[word], key=len, default="")
            morph = morph + " " + richest
        filled.append((word, morph))

    abbreviation_only: dict[str, bool] = {}
    for word, morph in filled:
        fields = morph_fields(morph)
        pos = fields.get("po", [""])[0]
        stem = fields.get("st", [word])[0]
        derivation = fields.get("ds", []) + [x for x in fields.get("is", []) if re.search(r"_[a-z]", x)]
        inflection = [x for x in fields.get("is", []) if not re.search(r"_[a-z]", x)]
        alternates = fields.get("al", [])

        bare = word.rstrip(".")
        if bare.islower():
            abbreviation_only[bare] = abbreviation_only.get(bare, True) and pos == "abr"

        lex.listed_forms.add(word)
        lex.listed_forms.update(alternates)

        category = pos
        if derivation:
            tail = derivation[-1].rsplit("_", 1)[-1]
            category = tail if tail in ("noun", "adj", "adv") else pos

        if pos == "prv":
            lex.prefixes.append(word)
            continue
        if category in NOMINAL_POS and not inflection:
            lex.nominal_stems.add(word)
            if category == "adj":
                lex.adjective_stems.add(word)
            for alt in alternates:
                # Plural alternates reveal the stem before a linking vowel:
                # bokrok -> bokr-, lovak -> lov-, kezek -> kez-.
                if alt.endswith("k") and len(alt) > 3:
                    if alt[-2] in "aeoö" and alt[-3] not in ALL_VOWELS:
                        lex.nominal_stems.add(alt[:-2])
                    else:
                        lex.nominal_stems.add(alt[:-1])
                elif alt.endswith("bb"):
                    lex.nominal_stems.add(alt)
        if pos in ("vrb", "verb"):
            if category in ("noun", "adj") and "Ás_" in " ".join(derivation) and word.endswith(("ás", "és")):
                lex.verb_roots.add(word[:-2])
            is_lemma = (stem == word) and not derivation and (
                "PRES_INDIC_INDEF_SG_3" in morph or not inflection
            )
            if is_lemma:
                lex.verb_lemmas.add(word)
                lex.verb_roots.update(verb_roots_of_lemma(word))
            else:
                lex.verb_forms.add(word)
            for alt in alternates:
                lex.verb_forms.add(alt)
                if alt.endswith(("hat", "het")):
                    lex.verb_roots.add(alt)
            if category in ("noun", "adj") and derivation:
                lex.nominal_stems.add(word)
    lex.abbreviations = {w for w, only in abbreviation_only.items() if only}
    lex.prefixes = sorted(set(p for p in lex.prefixes if has_only_board_letters(p)))
    return lex


# --------------------------------------------------------------------------
# hunspell as judge
# --------------------------------------------------------------------------


BATCH = 500_000  # words per hunspell batch; each finished batch is cached


def _batches(words: list[str]) -> Iterator[list[str]]:
    for start in range(0, len(words), BATCH):
        yield words[start : start + BATCH]


def _append_lines(path: Path | None, lines: Iterable[str]) -> None:
    """Appends finished judgements to a cache file and forces them to disk,
    so that an interrupted run resumes after the last whole batch."""
    if path is None:
        return
    with open(path, "a", encoding="utf-8") as f:
        f.write("".join(line + "\n" for line in lines))
        f.flush()
        os.fsync(f.fileno())


def _cache_lines(path: Path | None) -> Iterator[str]:
    if path is None or not path.exists():
        return
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.endswith("\n"):  # a line cut by an interruption is judged again
                yield line[:-1]


class Judge:
    """Runs hunspell over batches of words, in parallel, with a memo that
    is kept in the scratch folder (cache/) between runs."""

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
                chunk = words[i * size : (i + 1) * size]
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

    def accept(self, words: Iterable[str]) -> set[str]:
        """The words hunspell accepts (hunspell -G)."""
        words = set(words)
        todo = sorted(w for w in words if w not in self.accepted)
        for batch in _batches(todo):
            ok = set(self._run(batch, "-G"))
            for w in batch:
                self.accepted[w] = w in ok
            _append_lines(self._file("accept.txt"), (("+" if w in ok else "-") + w for w in batch))
        return {w for w in words if self.accepted[w]}

    def analyse(self, words: Iterable[str]) -> dict[str, list[str]]:
        """hunspell -m analyses per word (an empty string for a bare line)."""
        out: dict[str, list[str]] = {}
        for line in self._run(sorted(set(words)), "-m"):
            if not line.strip():
                continue
            word, _, rest = line.partition(" ")
            out.setdefault(word, []).append(rest.strip())
        return out

    def analyse_cached(self, words: Iterable[str], name: str) -> dict[str, list[str]]:
        """analyse() with the analyses kept in cache/<name> (for the
        smaller word sets whose analyses are needed in full)."""
        out: dict[str, list[str]] = {}
        for line in _cache_lines(self._file(name)):
            word, *analyses = line.split("\t")
            out[word] = analyses
        words = set(words)
        for batch in _batches(sorted(words - out.keys())):
            found = self.analyse(batch)
            _append_lines(self._file(name), ("\t".join([w, *found.get(w, [""])]) for w in batch))
            for w in batch:
                out[w] = found.get(w, [""])
        return {w: out[w] for w in words}


class OwnFormJudge:
    """Accepts forms made here: hunspell -G, then not only as a compound.

    For the forms it accepts it also remembers the paradigm entries (see
    compounds.py) whose key is in `keys`: the families that attested
    compounds and prefixed verbs inflect by.
    """

    def __init__(self, judge: Judge, keys: Iterable[str] = ()) -> None:
        self.judge = judge
        self.keys = frozenset(keys)
        self.memo: dict[str, bool] = {}
        self.family: dict[str, list[tuple[str, str]]] = {}
        for line in _cache_lines(judge._file("own.txt")):
            word, flag, *entries = line.split("\t")
            self._remember(word, flag == "1", (tuple(e.split("|", 1)) for e in entries))

    def _remember(self, word: str, ok: bool, entries: Iterable[tuple[str, str]]) -> None:
        self.memo[word] = ok
        if len(word) > MAX_OWN_LEN:
            return  # families hold the forms made of every stem alike
        for key, sig in entries:
            if key in self.keys:
                self.family.setdefault(key, []).append((sig, word))

    def __call__(self, words: Iterable[str]) -> set[str]:
        words = {w for w in words if is_playable(w, frozenset())}
        todo = {w for w in words if w not in self.memo}
        accepted = self.judge.accept(todo)
        for batch in _batches(sorted(accepted)):
            analyses = self.judge.analyse(batch)
            lines = []
            for w in batch:
                found = analyses.get(w, [""])
                ok = any("pa:" not in a for a in found)
                entries = paradigm_entries(found) if ok else set()
                self._remember(w, ok, entries)
                lines.append("\t".join([w, "1" if ok else "0", *(f"{k}|{s}" for k, s in sorted(entries))]))
            _append_lines(self.judge._file("own.txt"), lines)
        return {w for w in words if self.memo.get(w)}


# --------------------------------------------------------------------------
# Steps
# --------------------------------------------------------------------------


def log(msg: str) -> None:
    print(time.strftime("%H:%M:%S"), msg, flush=True)


def sri_sha512(path: Path) -> str:
    digest = hashlib.sha512(path.read_bytes()).digest()
    return "sha512-" + base64.b64encode(digest).decode("ascii")


def check_debian_packages(install: bool) -> None:
    def version(pkg: str) -> str | None:
        r = subprocess.run(
            ["dpkg-query", "-W", "-f=${Status} ${Version}", pkg],
            capture_output=True, text=True,
        )
        if r.returncode != 0 or not r.stdout.startswith("install ok installed"):
            return None
        return r.stdout.split()[-1]

    wanted = {"hunspell": HUNSPELL_VERSION, "hunspell-hu": HUNSPELL_HU_VERSION, **sources.PACKAGES}
    missing = [pkg for pkg in wanted if version(pkg) is None]
    if install and missing:
        subprocess.run(["apt-get", "update"], check=True)
        subprocess.run(["apt-get", "install", "-y", *missing], check=True)
    for pkg, want in wanted.items():
        have = version(pkg)
        if have is None:
            sys.exit(f"error: Debian package {pkg} is not installed (apt-get install {pkg})")
        if have != want:
            sys.exit(f"error: {pkg} is {have}, the list is built from {want}")
    problems = sources.check_files()
    if problems:
        sys.exit("error: " + "; ".join(problems))


def install_npm_inputs(scratch: Path) -> Path:
    """npm ci of the pinned lock file; returns the node_modules folder."""
    npm_dir = scratch / "npm"
    npm_dir.mkdir(parents=True, exist_ok=True)
    for name in ("package.json", "package-lock.json"):
        shutil.copyfile(HERE / "npm" / name, npm_dir / name)
    modules = npm_dir / "node_modules"
    lock = json.loads((npm_dir / "package-lock.json").read_text())
    for pkg, ver, integrity in (
        (CSPELL_DICT_PACKAGE, CSPELL_DICT_VERSION, CSPELL_DICT_INTEGRITY),
        (CSPELL_TRIE_PACKAGE, CSPELL_TRIE_VERSION, CSPELL_TRIE_INTEGRITY),
    ):
        entry = lock["packages"][f"node_modules/{pkg}"]
        if entry["version"] != ver or entry["integrity"] != integrity:
            sys.exit(f"error: npm/package-lock.json does not pin {pkg}@{ver} with the expected integrity")
    installed = modules / CSPELL_DICT_PACKAGE / "package.json"
    if not installed.exists() or json.loads(installed.read_text())["version"] != CSPELL_DICT_VERSION:
        subprocess.run(["npm", "ci", "--ignore-scripts", "--no-audit", "--no-fund"], cwd=npm_dir, check=True)
    # npm ci verifies every tarball against the lock file's integrity.
    # Check the registry's tarball of the dictionary once more by hand.
    packed = subprocess.run(
        ["npm", "pack", f"{CSPELL_DICT_PACKAGE}@{CSPELL_DICT_VERSION}", "--json", "--pack-destination", str(scratch)],
        cwd=npm_dir, check=True, capture_output=True, text=True,
    )
    tarball = scratch / json.loads(packed.stdout)[0]["filename"]
    if sri_sha512(tarball) != CSPELL_DICT_INTEGRITY:
        sys.exit(f"error: {tarball.name} does not match the pinned sha512")
    return modules


def cspell_candidates(scratch: Path, modules: Path) -> list[str]:
    """Dumps the cspell trie and keeps the playable forms (cached)."""
    cache = scratch / f"cspell-{CSPELL_DICT_VERSION}-candidates-{MAX_CSPELL_LEN}.txt"
    if cache.exists():
        return cache.read_text(encoding="utf-8").split()
    trie = modules / CSPELL_DICT_PACKAGE / CSPELL_TRIE_FILE
    reader = modules / ".bin" / "cspell-trie"
    log(f"dumping {trie.name} (several minutes)")
    # The dump has some 380 million lines (7 GB).  It goes through a named
    # pipe: the reader writes files in large blocks but a pipe on its
    # standard output line by line, which is several times slower.
    with tempfile.TemporaryDirectory(dir=scratch) as tmp:
        fifo = Path(tmp, "dump.fifo")
        os.mkfifo(fifo)
        proc = subprocess.Popen(
            [str(reader), "reader", str(trie), "-o", str(fifo)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )

        opened = threading.Event()

        def release_reader() -> None:
            # Should the reader die before opening the pipe, open it once
            # for writing so that our open() below returns (and sees EOF).
            proc.wait()
            while not opened.is_set():
                try:
                    os.close(os.open(fifo, os.O_WRONLY | os.O_NONBLOCK))
                    return
                except OSError:  # our side is not open yet
                    time.sleep(0.1)

        threading.Thread(target=release_reader, daemon=True).start()
        with open(fifo, encoding="utf-8", errors="replace", buffering=1 << 20) as dump:
            opened.set()
            words = playable_cspell_words(dump)
        if proc.wait() != 0:
            sys.exit("error: cspell-trie reader failed")
    log(f"  {len(words)} playable forms")
    result = sorted(words)
    cache.write_text("".join(w + "\n" for w in result), encoding="utf-8")
    return result


def short(words: Iterable[str]) -> set[str]:
    """The playable words that are not longer than a generated form."""
    return {w for w in words if is_playable(w, frozenset()) and len(w) <= MAX_OWN_LEN}


def own_candidates(lex: Lexicon, judge: OwnFormJudge, stats: dict) -> set[str]:
    """Forms made from the dictionary's stems, judged step by step."""
    accepted: set[str] = set()

    # The dictionary's own stems are lexicalised, never chance compounds
    # (virágcserép), so they are taken up to the length of forms made of
    # attested lemmas.
    listed = judge({w for w in lex.listed_forms if is_playable(w, frozenset()) and len(w) <= MAX_GEN_LEN})
    accepted |= listed
    log(f"  listed stems and alternates: {len(listed)}")

    # Verbs: roots, derived roots, then their forms.
    roots = {r for r in lex.verb_roots if has_only_board_letters(r) and len(r) <= MAX_OWN_LEN}
    derived = set()
    for r in roots:
        derived.update(d for d in verb_derived_roots(r) if len(d) <= MAX_OWN_LEN - 1)
    good_derived = judge(derived)
    log(f"  verb roots: {len(roots)} from the dictionary, {len(good_derived)} derived")
    all_roots = sorted(roots | good_derived)
    forms = set()
    for r in all_roots:
        forms.update(f for f in verb_forms(r) if len(f) <= MAX_OWN_LEN)
    verb_accepted = judge(forms) | judge(short(lex.verb_forms))
    accepted |= verb_accepted
    log(f"  verb forms: {len(forms)} candidates, {len(verb_accepted)} accepted")

    verbal_nouns = set()
    for r in all_roots:
        verbal_nouns.update(v for v in verb_nominal_stems(r) if len(v) <= MAX_OWN_LEN)
    verbal_nouns = judge(verbal_nouns)
    accepted |= verbal_nouns

    # Nominals: bases (number, possession, derivation), the inflections of
    # derived stems, then the case endings on all of them.  Forms of verbal
    # nouns are remembered, since they take verbal prefixes (megnézésre).
    stems = {s for s in lex.nominal_stems if has_only_board_letters(s) and len(s) <= MAX_OWN_LEN}
    stems |= verbal_nouns
    verbal = set(verb_accepted) | verbal_nouns
    classes_of: dict[str, tuple[str, ...]] = {}
    cands = set()
    derived = set()
    for s in sorted(stems):
        from_verb = s in verbal
        for f, new_stem in nominal_base_forms(s, adjective=s in lex.adjective_stems):
            if len(f) > MAX_OWN_LEN:
                continue
            classes_of.setdefault(f, harmony(s))
            cands.add(f)
            if new_stem:
                derived.add(f)
            if from_verb:
                verbal.add(f)
    bases = judge(cands)
    log(f"  nominal bases: {len(cands)} candidates, {len(bases)} accepted")
    cands = set()
    for s in sorted(derived & bases):
        from_verb = s in verbal
        for f in derived_stem_forms(s):
            if len(f) <= MAX_OWN_LEN:
                classes_of.setdefault(f, harmony(s))
                cands.add(f)
                if from_verb:
                    verbal.add(f)
    good = judge(cands)
    bases |= good
    log(f"  inflected derived stems: {len(cands)} candidates, {len(good)} accepted")
    accepted |= bases
    cands = set()
    for b in sorted(bases | judge(short(stems))):
        classes = classes_of.get(b) or harmony(b)
        from_verb = b in verbal
        for c in case_forms(b, classes):
            if len(c) <= MAX_OWN_LEN:
                cands.add(c)
                if from_verb:
                    verbal.add(c)
    cased = judge(cands)
    accepted |= cased
    log(f"  case forms: {len(cands)} candidates, {len(cased)} accepted")

    # Verbal prefixes, on verb forms and forms of verbal nouns only, and
    # not on forms that already have one (el + megy, át + utolér).
    verbal &= accepted
    cands = prefixed_candidates(verbal, lex.prefixes)
    prefixed = judge(cands)
    accepted |= prefixed
    log(f"  prefixed verb forms: {len(cands)} candidates, {len(prefixed)} accepted")
    stats["own_steps"] = {
        "listed": len(listed), "verb_forms": len(verb_accepted), "verbal_nouns": len(verbal_nouns),
        "nominal_bases": len(bases), "case_forms": len(cased), "prefixed": len(prefixed),
    }
    return accepted


def read_probe(path: Path) -> list[str]:
    words = []
    for line in path.read_text(encoding="utf-8").splitlines():
        words.extend(line.split("#", 1)[0].split())
    return words


def attested_candidates() -> dict[str, set[str]]:
    """The playable forms of the sources of words in real use, each with
    the names of the sources that attest it."""
    raw = {
        "tesseract": sources.tesseract_words(Path(tempfile.gettempdir())),
        "mythes": sources.mythes_words(sources.MYTHES_DAT.read_text(encoding="utf-8")),
    }
    out: dict[str, set[str]] = {}
    for name, forms in raw.items():
        for form in forms:
            word = sources.attested_form(form)
            if word is not None and is_playable(word, frozenset()):
                out.setdefault(word, set()).add(name)
    return out


def by_length(words: Iterable[str]) -> dict[int, int]:
    counts: dict[int, int] = {}
    for w in words:
        counts[len(w)] = counts.get(len(w), 0) + 1
    return dict(sorted(counts.items()))


def compound_lemmas(analyses: dict[str, list[str]], forms: Iterable[str]) -> set[tuple[str, str]]:
    """(head, key) of the compounds and prefixed verbs among the forms."""
    lemmas = set()
    for w in forms:
        for head, key, _ in lemma_splits(w, analyses.get(w, [""])):
            lemmas.add((head, key))
    return lemmas


def attested_stems(analyses: dict[str, list[str]], forms: Iterable[str]):
    """The (stem, part of speech) of the simple forms in real use, all and
    without the held-out ones, and how often each ending follows a stem in
    the forms that are not held out."""
    stems_all: set[tuple[str, str]] = set()
    stems_kept: set[tuple[str, str]] = set()
    counts: dict[tuple[str, str], int] = {}
    for w in forms:
        found = analyses.get(w, [""])
        if lemma_splits(w, found):
            continue  # compounds and prefixed verbs inflect by their last member
        entries = paradigm_entries(found)
        split = {stem_and_ending(w, key) for key, _ in entries} - {None}
        for stem, pos, ending in split:
            stems_all.add((stem, pos))
            if not is_held_out(w):
                stems_kept.add((stem, pos))
                counts[(pos, ending)] = counts.get((pos, ending), 0) + 1
        # A bare derived stem (szerkesztés) is a stem of its own class.
        for base in {derived_base(w, key, sig) for key, sig in entries} - {None}:
            stems_all.add(base)
            if not is_held_out(w):
                stems_kept.add(base)
    return stems_all, stems_kept, counts


def main(argv: list[str] | None = None) -> int:
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--scratch", type=Path, default=Path("/work/dict-scratch"),
                    help="work folder for downloads and caches (outside the repository)")
    ap.add_argument("--out", type=Path, default=None,
                    help="the archive to write (default: SzavakLista.tar.xz beside this script, "
                    "or sample.tar.xz in the scratch folder for a trial)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    ap.add_argument("--no-install", action="store_true",
                    help="do not apt-get install missing Debian packages")
    ap.add_argument("--coverage", type=float, default=SIGNATURE_COVERAGE,
                    help="share of attested forms whose inflections compounds take")
    ap.add_argument("--sample", type=int, default=1, metavar="N",
                    help="trial run on about 1/N of the sources and stems (not for the shipped list)")
    args = ap.parse_args(argv)

    def sampled(words):
        if args.sample <= 1:
            return words
        return type(words)(w for w in words if zlib.crc32(w.encode("utf-8")) % args.sample == 0)

    if args.out is None:
        args.out = args.scratch / "sample.tar.xz" if args.sample > 1 else HERE / "SzavakLista.tar.xz"
    started = time.time()
    args.scratch.mkdir(parents=True, exist_ok=True)
    check_debian_packages(install=not args.no_install)
    log("npm inputs")
    modules = install_npm_inputs(args.scratch)
    judge = Judge(args.jobs, args.scratch, args.scratch / "cache")
    log(f"  {len(judge.accepted)} hunspell judgements cached")
    stats: dict = {}

    # A fixed tenth of the sources' forms is held out: the list is made
    # once without them, to measure how many of them the generation finds
    # by itself, and once with everything for the list we ship.
    log("forms in real use (tesseract, mythes)")
    attested = attested_candidates()
    attested = {w: attested[w] for w in sampled(set(attested))}
    attested_ok = judge.accept(attested)
    stats["attested_candidates"] = {n: sum(1 for s in attested.values() if n in s)
                                    for n in ("tesseract", "mythes")}
    stats["attested_accepted"] = {n: sum(1 for w, s in attested.items() if n in s and w in attested_ok)
                                  for n in ("tesseract", "mythes")}
    log(f"  {len(attested)} candidates, {len(attested_ok)} accepted by hunspell")

    # Compounds and prefixed verbs that the sources attest.
    used = sorted(attested_ok)
    analyses = judge.analyse_cached(used, "attested.txt")
    lemmas_all = compound_lemmas(analyses, used)
    lemmas_kept = compound_lemmas(analyses, (w for w in used if not is_held_out(w)))
    sigs = common_signatures(
        signature_counts(paradigm_entries(analyses[w]) | {(k, g) for _, k, g in lemma_splits(w, analyses[w])}
                         for w in used if not is_held_out(w)),
        max(args.coverage, COMPOUND_COVERAGE),
    )
    stats["compound_lemmas"] = len(lemmas_all)
    stats["signatures"] = len(sigs)
    log(f"  {len(lemmas_all)} attested compound and prefixed lemmas, {len(sigs)} common inflections")

    log("own forms from hu_HU.dic")
    lex = read_lexicon(HUNSPELL_DIC, HUNSPELL_AFF, judge.analyse)
    log(f"  {len(lex.nominal_stems)} nominal stems, {len(lex.verb_lemmas)} verbs, "
        f"{len(lex.prefixes)} prefixes, {len(lex.abbreviations)} abbreviations")
    lex.nominal_stems = sampled(lex.nominal_stems)
    lex.verb_roots = sampled(lex.verb_roots)
    lex.listed_forms = sampled(lex.listed_forms)
    stems_all, stems_kept, ending_counts = attested_stems(analyses, used)
    own_judge = OwnFormJudge(judge, {k for _, k in lemmas_all} | comparative_keys(stems_all))
    own = own_candidates(lex, own_judge, stats)
    stats["own_accepted"] = len(own)

    log("cspell forms")
    cspell = sampled(set(cspell_candidates(args.scratch, modules)))
    cspell_ok = judge.accept(cspell)
    stats["cspell_candidates"] = len(cspell)
    stats["cspell_accepted"] = len(cspell_ok)
    log(f"  {len(cspell)} candidates, {len(cspell_ok)} accepted by hunspell")
    source_ok = cspell_ok | attested_ok
    held = {w for w in cspell | attested.keys() if is_held_out(w)}
    stats["own_new"] = len(own - source_ok)

    log("inflected compounds")
    cands = compound_candidates(lemmas_all, own_judge.family, sigs, MIN_LEN, MAX_GEN_LEN)
    compounds_ok = judge.accept(cands)
    compounds_kept = compounds_ok & compound_candidates(lemmas_kept, own_judge.family, sigs, MIN_LEN, MAX_GEN_LEN)
    stats["compound_candidates"] = len(cands)
    stats["compound_accepted"] = len(compounds_ok)
    log(f"  {len(cands)} candidates, {len(compounds_ok)} accepted")

    log("long forms of simple lemmas in real use")
    endings = common_endings(ending_counts, args.coverage)
    cands = long_form_candidates(stems_all, endings, MAX_OWN_LEN + 1, MAX_GEN_LEN)
    long_ok = own_judge(cands)
    long_kept = long_ok & long_form_candidates(stems_kept, endings, MAX_OWN_LEN + 1, MAX_GEN_LEN)
    stats["long_stems"] = len(stems_all)
    stats["long_endings"] = {pos: len(e) for pos, e in endings.items()}
    stats["long_candidates"] = len(cands)
    stats["long_accepted"] = len(long_ok)
    log(f"  {len(stems_all)} stems, {len(cands)} candidates, {len(long_ok)} accepted")

    log("superlatives of adjectives in real use")
    cands = superlative_candidates(comparative_keys(stems_all), own_judge.family, MAX_GEN_LEN)
    superlative_ok = own_judge(cands)
    superlative_kept = superlative_ok & superlative_candidates(
        comparative_keys(stems_kept), own_judge.family, MAX_GEN_LEN)
    stats["superlative_candidates"] = len(cands)
    stats["superlative_accepted"] = len(superlative_ok)
    log(f"  {len(cands)} candidates, {len(superlative_ok)} accepted")

    # The measurement: the list made without the held-out forms.
    without = select_entries((source_ok - held) | own | compounds_kept | long_kept | superlative_kept,
                             lex.abbreviations)
    held_valid = select_entries(held & source_ok, lex.abbreviations)
    found = held_valid & without
    stats["held_out_valid"] = by_length(held_valid)
    stats["held_out_found"] = by_length(found)
    held_real = {w for w in held_valid if w in attested}
    stats["held_out_real_valid"] = by_length(held_real)
    stats["held_out_real_found"] = by_length(held_real & without)
    log(f"held out: {len(found)} of {len(held_valid)} valid forms found without them "
        f"({len(held_real & without)} of {len(held_real)} of those in real use)")
    del without

    words = select_entries(source_ok | own | compounds_ok | long_ok | superlative_ok, lex.abbreviations)
    text = render_word_list(words)
    stats["entries"] = len(words)
    stats["by_length"] = by_length(words)
    stats["bytes"] = len(text)
    write_archive(text, args.out)
    stats["archive_bytes"] = args.out.stat().st_size
    (args.scratch / ARCHIVE_MEMBER).write_bytes(text)

    probes = read_probe(HERE / "probe_words.txt")
    missing = [w for w in probes if w not in words]
    nonwords = read_probe(HERE / "probe_nonwords.txt")
    wrongly = [w for w in nonwords if w in words]
    stats["probe_words"] = len(probes)
    stats["probe_missing"] = missing
    stats["probe_nonwords"] = len(nonwords)
    stats["nonwords_accepted"] = wrongly
    stats["seconds"] = round(time.time() - started)
    (args.scratch / "stats.json").write_text(json.dumps(stats, ensure_ascii=False, indent=1))

    log(f"{len(words)} entries, {len(text)} bytes, archive {stats['archive_bytes']} bytes")
    log(f"coverage {len(probes) - len(missing)}/{len(probes)}; missing: {' '.join(missing) or '-'}")
    log(f"non-words accepted {len(wrongly)}/{len(nonwords)}: {' '.join(wrongly) or '-'}")
    log(f"done in {stats['seconds']} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
