"""Which word forms Hungarians write: a model learned from forms in real use.

hunspell accepts every form its rules can build, also the grammatical
stacks that nobody writes (bütyökénél, lábasihoz, rákakiljuk).  This
model learns from the forms in real use (tesseract's word list and the
thesaurus) which shapes of form are productive, and for which lemmas:

- **Lemmas.** A form made here must belong to a lemma that real use
  shows in some form.  A lemma that real use does not show keeps only
  its bare form and the commonest inflection of its kind (`CORE`).
- **Derivations** are words of their own: a derived stem (lábasi,
  bájas) must be shown by real use, unless the derivation is made of
  nearly every lemma of its kind (the infinitive, -ás, -hat and the
  participles of verbs, -ság of adjectives; `DERIVATION_OPEN`); only
  the first derivation of a stem can be such a one.
- **Patterns.** The inflections of a form (PLUR POSS_SG_1 ACC:
  rendelkezéseimet) must be shown together by real use on several
  lemmas of the same kind (`PATTERN_LEMMAS`), or on this very lemma.  A
  pattern of core inflections (`CORE_SHARE`: plural, possessive,
  accusative, the commonest cases) may change its persons (szolgáiddal
  beside szolgáival); a pattern with a rarer inflection may not
  (bojtunkká beside tartalmává).
- **Lemma-bound inflections.** An inflection that real use shows only on
  some lemmas of a kind, even among the lemmas it shows in many forms
  (-kor on words of time and on verbal nouns, the possessor -é on
  people, the essive -ul; `OPEN_SHARE`), is taken only on a lemma that
  real use shows with it.  Persons and numbers of one inflection are
  near relatives: a lemma shown with one takes them all.
- **Prefixes** go only with the verbs that real use shows them with
  (meg + néz, but no abba + ijed), and definite endings only on verbs
  that real use shows with a definite ending (no rá + kakil + -juk).
- **Compounds** make further forms when real use shows the compound
  in two forms or more, or when both members are words in real use that
  real use shows in several compounds at that place (`Compounds`).

A kind of lemma is its part of speech and its last derivation (noun;
vrb + -ás; adj + -ság).  How often an inflection is shown is measured
on the lemmas of the kind that real use shows in many forms, where a
missing inflection means the lemma does not take it rather than that it
is rare, relative to the commonest inflection of the kind.

An attested form is ambiguous when hunspell reads it in several ways
(kezét: his hand, or the hand's one); each reading is weighted by how
common its pattern is (a few rounds of expectation maximisation), so the
possessor -é does not borrow the counts of the commoner possessive.
"""

from __future__ import annotations

from collections import Counter, defaultdict
from dataclasses import dataclass
from typing import Iterable, Mapping

from compounds import CompoundGraph, MEMBER_LETTERS, MEMBER_COMPOUNDS, NOVEL_SCORE
from readings import SUPERLATIVE, Reading, derivation_class, inflection_class, simplest

# Defaults, chosen by measuring the list against judged samples and the
# held-out forms (see README.md).
PATTERN_LEMMAS = 3  # lemmas of a kind that must show a pattern
OPEN_SHARE = 0.15  # below this share of the well-shown lemmas an inflection is lemma-bound
ADJECTIVE_OPEN_SHARE = 0.25  # ... of all the lemmas of an adjective kind
CORE_SHARE = 0.8  # inflections whose persons vary freely in a pattern
DERIVATION_OPEN = 0.75  # share of the well-shown lemmas that must show a derivation
# Adjectives make their adverb (-an), comparative and -ság noun by grammar,
# limited only by their meaning; the derivations of nouns (-s, -i) are
# words of their own.  Half the well-shown adjectives is enough.
ADJECTIVE_DERIVATION_OPEN = 0.5
CORE = 0.3  # share of a kind's lemmas that show a pattern taken by lemmas unseen in real use
WELL_SHOWN = (20, 12, 8, 1)  # forms a well-shown lemma has: the largest with ...
WELL_SHOWN_LEMMAS = 40  # ... at least this many lemmas of the kind
PREFIX_FORMS = 3  # forms of a prefixed verb (and such verbs of a prefix) that tell whether it keeps the object
STACK_FORMS = 2  # forms in real use a lemma needs before it takes more than one ending
COMPOUND_FORMS = 2  # forms in real use that make a compound productive by itself
EM_ROUNDS = 5
SURE = 0.5  # posterior weight of a reading counted as shown
SEEN = 0.2  # posterior weight of a reading counted as evidence of its lemma

Lemma = tuple[str, str, tuple[str, ...]]
Kind = tuple[str, str]


def kind_of(pos: str, ders: tuple[str, ...]) -> Kind:
    return pos, ders[-1] if ders else ""


def kind_class(kind: Kind) -> str:
    return (derivation_class(kind[1]) if kind[1] else "") or kind[0]


def pattern_of(r: Reading) -> tuple[str, ...]:
    return tuple(inflection_class(t) for t in r.infl)


def is_definite(cls: str) -> bool:
    return "_DEF" in cls


def possessive_joint(form: str, r: Reading) -> tuple[bool, bool] | None:
    """For a possessive that may be joined to its stem with a j or without
    (csapata or csapatja, csapatai or csapatjai, krumpliai or krumplijai):
    (whether the possessions are plural, whether a j joins them). None for
    other forms and for derived stems, whose written stem is not the lemma."""
    if r.ders or r.pos != "noun" or not any(t in ("POSS_SG_3", "POSS_PL_3") or (
            t.startswith("POSS_") and "PLUR" in r.infl[:r.infl.index(t)]) for t in r.infl):
        return None
    tail = form[len(r.head):] if r.head and form.startswith(r.head) else form
    same = 0
    while same < min(len(tail), len(r.stem)) and tail[same] == r.stem[same]:
        same += 1
    # The stem may change before the ending (szemét: szemete, alma: almája);
    # the joint is within a letter past the changed part.
    return "PLUR" in r.infl, "j" in tail[same:len(r.stem) + 1]


def lemma_key(r: Reading) -> Lemma:
    """A compound's lemma is written whole (virág + váza -> virágváza)."""
    return r.head + r.stem, r.pos, r.ders


@dataclass
class Settings:
    pattern_lemmas: int = PATTERN_LEMMAS
    open_share: float = OPEN_SHARE
    adjective_open_share: float = ADJECTIVE_OPEN_SHARE
    core_share: float = CORE_SHARE
    derivation_open: float = DERIVATION_OPEN
    adjective_derivation_open: float = ADJECTIVE_DERIVATION_OPEN
    core: float = CORE
    compound_forms: int = COMPOUND_FORMS
    stack_forms: int = STACK_FORMS
    member_compounds: int = MEMBER_COMPOUNDS
    novel_score: float = NOVEL_SCORE
    joints: bool = True


class UseModel:
    """Learned from the readings of the forms in real use.

    `listed_compounds` are (first member, last member) of the compounds
    that hu_HU.dic lists as one word (húsleves: hús + leves): they inflect
    as their last member, and they show which members make compounds.
    """

    def __init__(self, attested: Mapping[str, list[Reading]], settings: Settings | None = None,
                 listed_compounds: Iterable[tuple[str, str]] = ()) -> None:
        self.settings = settings or Settings()
        posterior = self._weigh(attested)
        self.lemmas: Counter = Counter()  # (stem, pos, ders) and its shorter derived stems
        self.forms: dict[Lemma, set[str]] = defaultdict(set)
        self.classes: dict[Lemma, set[str]] = defaultdict(set)
        self.patterns: dict[Lemma, set[tuple[str, ...]]] = defaultdict(set)
        self.prefix_pairs: set[tuple[str, str]] = set()
        self.prefixed_forms: Counter = Counter()
        self.unprefixed: set[tuple[str, str]] = set()  # verbs shown without a prefix (no bare semmiz)
        self.definite: set[tuple[str, str]] = set()  # (prefix, stem) shown with a definite ending
        # the possessive joints (plural possessions, j) shown on each lemma
        self.joints: dict[Lemma, set[tuple[bool, bool]]] = defaultdict(set)
        compound_forms: dict[tuple[str, str], set[str]] = defaultdict(set)
        # the part of speech and derivations of each compound's last member
        self.compound_keys: dict[tuple[str, str], set[tuple[str, tuple[str, ...]]]] = defaultdict(set)
        grouped: dict[tuple[Kind, tuple[str, ...]], set[Lemma]] = defaultdict(set)
        exact: dict[tuple[Kind, tuple[str, ...]], set[Lemma]] = defaultdict(set)
        for word, weighted in posterior.items():
            for r, p in weighted:
                if p < SEEN:
                    continue
                lemma = lemma_key(r)
                for i in range(len(r.ders) + 1):
                    self.lemmas[(lemma[0], r.pos, r.ders[:i])] += p
                if not r.prefix:
                    self.unprefixed.add((r.stem, r.pos))
                joint = possessive_joint(word, r)
                if joint is not None:
                    self.joints[lemma].add(joint)
                    self.joints[(r.stem, r.pos, r.ders)].add(joint)
                pattern = pattern_of(r)
                self.classes[lemma].update(pattern)
                self.patterns[lemma].add(pattern)
                if p < SURE:
                    continue
                if r.head:
                    compound_forms[(r.head, r.stem)].add(word)
                    self.compound_keys[(r.head, r.stem)].add((r.pos, r.ders))
                if r.prefix:
                    self.prefix_pairs.add((r.prefix, r.stem))
                    self.prefixed_forms[(r.prefix, r.stem)] += 1
                if any(is_definite(c) for c in pattern):
                    self.definite.add((r.prefix, r.stem))
                self.forms[lemma].add(word)
                kind = kind_of(r.pos, r.ders)
                grouped[(kind, pattern)].add(lemma)
                exact[(kind, r.infl)].add(lemma)
        self.grouped_count = {k: len(v) for k, v in grouped.items()}
        self.exact_count = {k: len(v) for k, v in exact.items()}
        self.kind_size: Counter = Counter(kind_of(l[1], l[2]) for l in self.forms)
        self.class_share, self.derivation_share = self._shares()
        self.keeps_object = self._prefixes_keeping_the_object()
        listed = list(listed_compounds)
        self.listed_last = {f + l: l for f, l in listed if min(len(f), len(l)) >= MEMBER_LETTERS}
        self.compound_forms = compound_forms
        self.graph = CompoundGraph(list(compound_forms) + listed)
        self.compounds = {pair for pair, forms in compound_forms.items()
                          if min(len(pair[0]), len(pair[1])) >= MEMBER_LETTERS
                          and (len(forms) >= self.settings.compound_forms or self.members_productive(*pair))}
        self.novel = self.graph.novel(self.is_word, self.settings.member_compounds, self.settings.novel_score)

    # -- learning ----------------------------------------------------------

    @staticmethod
    def _weigh(attested: Mapping[str, list[Reading]]) -> dict[str, list[tuple[Reading, float]]]:
        """Posterior weights of each form's readings: a reading's weight is
        the share of its pattern among all weighted readings."""
        forms = {w: simplest(rs) for w, rs in attested.items() if rs}
        prior: Counter = Counter()
        posterior: dict[str, list[tuple[Reading, float]]] = {}
        for round_ in range(EM_ROUNDS):
            counts: Counter = Counter()
            for word, rs in forms.items():
                keys = [(kind_of(r.pos, r.ders), pattern_of(r)) for r in rs]
                weights = [prior[k] + 1e-3 if round_ else 1.0 for k in keys]
                total = sum(weights)
                posterior[word] = [(r, w / total) for r, w in zip(rs, weights)]
                for k, w in zip(keys, weights):
                    counts[k] += w / total
            prior = counts
        return posterior

    def _well_shown(self, lemmas: list[Lemma]) -> list[Lemma]:
        for least in WELL_SHOWN:
            top = [l for l in lemmas if len(self.forms[l]) >= least]
            if len(top) >= WELL_SHOWN_LEMMAS:
                return top
        return []

    def _shares(self) -> tuple[dict[tuple[Kind, str], float], dict[tuple[Kind, str], float]]:
        """How many of the well-shown lemmas of each kind show each
        inflection (relative to the commonest) and each derivation."""
        by_kind: dict[Kind, list[Lemma]] = defaultdict(list)
        for lemma in self.forms:
            by_kind[kind_of(lemma[1], lemma[2])].append(lemma)
        derived: dict[Lemma, set[str]] = defaultdict(set)
        for stem, pos, ders in self.lemmas:
            if ders:
                derived[(stem, pos, ders[:-1])].add(ders[-1])
        class_share: dict[tuple[Kind, str], float] = {}
        derivation_share: dict[tuple[Kind, str], float] = {}
        for kind, lemmas in by_kind.items():
            # Adjectives take the endings of nouns only where they are used
            # as nouns, which is a matter of the single word: for them an
            # ending is open only when it is common among all of them.
            top = self._well_shown(lemmas)
            if not top:
                continue
            made: Counter = Counter()
            for lemma in top:
                made.update(derived.get(lemma, ()))
            for der, n in made.items():
                derivation_share[(kind, der)] = n / len(top)
            if kind_class(kind) == "adj" and len(lemmas) >= WELL_SHOWN_LEMMAS:
                top = lemmas
            shown: Counter = Counter()
            for lemma in top:
                shown.update(self.classes[lemma])
            commonest = max(shown.values(), default=1)
            for cls, n in shown.items():
                class_share[(kind, cls)] = n / commonest
            class_share[(kind, "")] = 1.0  # marks a kind with shares of its own
        return class_share, derivation_share

    def _prefixes_keeping_the_object(self) -> set[str]:
        """The prefixes that mostly leave a verb's object to it: of the
        verbs with a definite ending that real use shows with the prefix in
        several forms, at least half show a definite ending with it too
        (ki + zsarol: kizsarolta; but ide + ér, no ideéri)."""
        shown: dict[str, list[bool]] = defaultdict(list)
        for (prefix, stem), n in self.prefixed_forms.items():
            if prefix and n >= PREFIX_FORMS and ("", stem) in self.definite:
                shown[prefix].append((prefix, stem) in self.definite)
        return {p for p, flags in shown.items() if len(flags) >= PREFIX_FORMS and sum(flags) >= len(flags) / 2}

    def is_word(self, member: str) -> bool:
        """A compound member that real use shows as a word of its own."""
        return any(self.seen(member, pos) for pos in ("noun", "adj"))

    def members_productive(self, first: str, last: str) -> bool:
        """Both members are words in real use, each a member at its place
        of several compounds."""
        least = self.settings.member_compounds
        return (len(self.graph.lasts.get(first, ())) >= least and len(self.graph.firsts.get(last, ())) >= least
                and self.is_word(first) and self.is_word(last))

    # -- judging -----------------------------------------------------------

    def _share_kind(self, kind: Kind, word_class: str) -> Kind:
        """The kind itself when it has well-shown lemmas, else its word class."""
        if (kind, "") in self.class_share:
            return kind
        return word_class, ""

    def share(self, kind: Kind, word_class: str, cls: str) -> float:
        return self.class_share.get((self._share_kind(kind, word_class), cls), 0.0)

    def seen(self, stem: str, pos: str, ders: tuple[str, ...] = ()) -> bool:
        return (stem, pos, ders) in self.lemmas

    def _pattern_in_use(self, r: Reading, kind: Kind, word_class: str, pattern: tuple[str, ...],
                        relatives: list[Lemma]) -> bool:
        s = self.settings
        if any(pattern in self.patterns.get(l, ()) for l in relatives):
            return True
        # A kind with lemmas enough of its own is measured by itself.
        kinds = (kind,) if (kind, "") in self.class_share else (kind, (word_class, ""))
        if any(self.exact_count.get((k, r.infl), 0) >= s.pattern_lemmas for k in kinds):
            return True
        # Persons of core inflections vary freely (szolgáiddal beside szolgáival).
        return (all(self.share(kind, word_class, c) >= s.core_share for c in pattern)
                and any(self.grouped_count.get((k, pattern), 0) >= s.pattern_lemmas for k in kinds))

    def verdict(self, r: Reading, form: str = "") -> str:
        """"" when the reading (of `form`, where given) is a shape of form
        Hungarians write, else the reason why not."""
        s = self.settings
        if SUPERLATIVE in r.ders:  # leg- goes with every comparative
            r = r._replace(ders=tuple(d for d in r.ders if d != SUPERLATIVE))
        lemma = lemma_key(r)
        kind = kind_of(r.pos, r.ders)
        word_class = r.word_class
        pattern = pattern_of(r)
        # A compound inflects as its last member: real use of the last
        # member counts for the compound (munkafüzeteket: füzeteket).
        relatives = [lemma, (r.stem, r.pos, r.ders)]
        if r.head:
            if (r.head, r.stem) in self.novel:
                relatives = [lemma]  # a new compound takes single endings only
            elif (r.head, r.stem) not in self.compounds:
                return "compound not in use"
            known = True
        else:
            known = self.seen(r.stem, r.pos)
            last = self.listed_last.get(r.stem)
            if last is not None:  # a compound the dictionary lists as one word (húsleves)
                relatives.append((last, r.pos, r.ders))
                known = known or self.seen(last, r.pos)
        if not known:
            if r.prefix or r.ders or any(is_definite(c) for c in pattern):
                return "lemma not in use"
            if pattern and self.grouped_count.get((kind, pattern), 0) < s.core * self.kind_size[kind]:
                return "lemma not in use"
            return ""
        if r.prefix:
            if r.pos != "vrb":
                return "prefix on a word that is not a verb"
            if (r.prefix, r.stem) not in self.prefix_pairs:
                return "prefix not in use with this verb"
        elif r.pos == "vrb" and not r.head and (r.stem, r.pos) not in self.unprefixed:
            return "verb in use only with a prefix"
        for i, der in enumerate(r.ders):
            if self.seen(r.stem, r.pos, r.ders[: i + 1]) or self.seen(lemma[0], r.pos, r.ders[: i + 1]):
                continue
            if i > 0:
                return "derivation not in use"  # only the first derivation may be one made of every lemma
            least = s.adjective_derivation_open if r.pos == "adj" else s.derivation_open
            if self.derivation_share.get((kind_of(r.pos, ()), der), 0.0) < least:
                return "derivation not in use"
        if not pattern:
            return ""
        if not self._pattern_in_use(r, kind, word_class, pattern, relatives):
            return "pattern not in use"
        # A derived stem in use is as well shown as its base (bejegyzéséhez: bejegyez).
        evidence = relatives + ([(r.stem, r.pos, ())] if r.ders and not r.head else [])
        if len(pattern) > 1 and max(len(self.forms.get(l, ())) for l in evidence) < s.stack_forms:
            return "endings stacked on a lemma shown in few forms"
        least = s.adjective_open_share if kind_class(self._share_kind(kind, word_class)) == "adj" else s.open_share
        for cls in pattern:
            if self.share(kind, word_class, cls) < least \
                    and not any(cls in self.classes.get(l, ()) for l in relatives):
                return f"{cls} not in use with this lemma"
        # Where real use shows how a lemma joins its possessions, with a j or
        # without, the other way is a misspelling (cégjei, krumpliitok).
        joint = possessive_joint(form, r) if form and s.joints else None
        if joint is not None:
            shown = {j for l in relatives for plural, j in self.joints.get(l, ()) if plural == joint[0]}
            if shown and joint[1] not in shown:
                return "possessive joint not in use with this lemma"
        if r.pos == "vrb" and word_class == "vrb" and any(is_definite(c) for c in pattern):
            # A prefix may take the object away (ér: éri, but ideér: no ideéri).
            if (r.prefix, r.stem) not in self.definite and not (
                    r.prefix in self.keeps_object and ("", r.stem) in self.definite):
                return "definite ending on a verb not in use with one"
        return ""

    def keeps(self, readings: Iterable[Reading], form: str = "") -> bool:
        rs = simplest(list(readings))
        return any(not self.verdict(r, form) for r in rs)
