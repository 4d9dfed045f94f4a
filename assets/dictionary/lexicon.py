"""What the generator reads from Magyar Ispell's dictionary (hu_HU.dic):
the stems with their parts of speech, the forms it lists, the verbal
prefixes, the abbreviations, and the compounds it lists as one word.
"""

from __future__ import annotations

import re
from pathlib import Path

from morphology import ALL_VOWELS, verb_roots_of_lemma

BOARD_LETTERS = frozenset("aábcdeéfghijklmnoöprstuüvyz")


def has_only_board_letters(word: str) -> bool:
    """True when every character is a lower-case letter found on the board."""
    return bool(word) and all(ch in BOARD_LETTERS for ch in word)

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
        self.root_lemma: dict[str, str] = {}  # verb root -> its lemma (dolgoz -> dolgozik)
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
                lex.root_lemma.setdefault(word[:-2], stem)
            is_lemma = (stem == word) and not derivation and (
                "PRES_INDIC_INDEF_SG_3" in morph or not inflection
            )
            if is_lemma:
                lex.verb_lemmas.add(word)
                for root in verb_roots_of_lemma(word):
                    lex.verb_roots.add(root)
                    lex.root_lemma.setdefault(root, word)
            else:
                lex.verb_forms.add(word)
            for alt in alternates:
                lex.verb_forms.add(alt)
                if alt.endswith(("hat", "het")):
                    lex.verb_roots.add(alt)
                    lex.root_lemma.setdefault(alt, stem)
            if category in ("noun", "adj") and derivation:
                lex.nominal_stems.add(word)
    lex.abbreviations = {w for w, only in abbreviation_only.items() if only}
    lex.prefixes = sorted(set(p for p in lex.prefixes if has_only_board_letters(p)))
    return lex


def listed_compounds(dic_path: Path, aff_path: Path) -> set[tuple[str, str]]:
    """(first member, last member) of the compounds that the dictionary
    lists as one word, from their hyphenation field (húsleves: hy:3 ->
    hús + leves; térbeosztás: hy:tér||be|osztás -> tér + beosztás, the
    double bar marking the main boundary)."""
    aliases = read_aff_morph_aliases(aff_path)
    out: set[tuple[str, str]] = set()
    with open(dic_path, encoding="utf-8") as f:
        next(f)
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) < 2:
                continue
            word = parts[0].split("/")[0]
            morph = aliases[int(parts[1]) - 1] if parts[1].isdigit() else parts[1]
            for token in morph.split():
                if token.startswith("hy:"):
                    split = compound_split(word, token[3:])
                    if split:
                        out.add(split)
    return out


def compound_split(word: str, hyphenation: str) -> tuple[str, str] | None:
    if hyphenation.isdigit():
        n = int(hyphenation)
        return (word[:n], word[n:]) if 0 < n < len(word) else None
    marks = hyphenation.replace("-", "")
    first, _, last = marks.rpartition("||") if "||" in marks else marks.rpartition("|")
    first = first.replace("|", "")
    last = last.replace("|", "")
    return (first, last) if first and last and first + last == word else None
