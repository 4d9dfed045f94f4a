"""Hungarian morphology: just enough to make candidate forms of a stem
for hunspell to judge.

The tables list suffixes in their vowel-harmony variants; `attach` joins a
suffix to a base with the linking vowels, the assimilating v of -val/-vá
and the assimilating j of the subjunctive.  They overgenerate on purpose
(both harmony classes where the last vowel does not decide, both plain
and assimilated forms): hunspell keeps the right ones, and the model of
real use (plausibility.py) keeps the shapes Hungarians write.
"""

from __future__ import annotations

import re
from typing import Iterable, Iterator

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
