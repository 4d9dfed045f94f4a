"""Tests of the readings of hunspell's analyses and of the model of real
use that decides which made forms go into the list.

Run with:  python3 -m unittest discover -s assets/dictionary
"""

from __future__ import annotations

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from plausibility import Settings, UseModel  # noqa: E402
from readings import Reading, decode, encode, inflection_class, parse, parse_output  # noqa: E402


def noun(stem: str, *infl: str, ders: tuple[str, ...] = (), head: str = "") -> Reading:
    return Reading("", head, stem, "noun", ders, infl)


def verb(stem: str, *infl: str, prefix: str = "", ders: tuple[str, ...] = ()) -> Reading:
    return Reading(prefix, "", stem, "vrb", ders, infl)


class ReadingTest(unittest.TestCase):
    def test_analyses_reduce_to_prefix_head_lemma_and_inflections(self):
        [r] = parse("megnézhetnénk", "ip:PREF sp:meg  st:néz po:vrb ts:PRES_INDIC_INDEF_SG_3 "
                    "is:hAt_MODAL_vrb ts:PRES_INDIC_INDEF_SG_3 is:PRES_COND_INDEF_PL_1")
        self.assertEqual(r, Reading("meg", "", "néz", "vrb", ("hAt_MODAL_vrb",), ("PRES_COND_INDEF_PL_1",)))
        self.assertEqual(r.word_class, "vrb")
        [r] = parse("virágvázában", "pa:virág st:virág po:noun ts:NOM pa:vázában  st:váza po:noun ts:NOM is:INE")
        self.assertEqual((r.head, r.stem, r.infl), ("virág", "váza", ("INE",)))
        [r] = parse("legszebbeket", "ip:leg_SUPERLATIVE_adj  st:szép po:adj is:bb_COMPARATIVE_adj ts:NOM is:PLUR is:ACC")
        self.assertEqual(r.ders, ("bb_COMPARATIVE_adj", "leg_SUPERLATIVE_adj"))
        self.assertEqual(r.infl, ("PLUR", "ACC"))
        self.assertEqual(Reading("", "", "város", "noun", ("i_PLACE/TIME_adj",), ()).word_class, "adj")
        # A last member with alternatives gives a reading for each.
        rs = parse("gombaleves", "pa:gomba st:gomba po:noun ts:NOM pa:leves  (  st:lé po:noun ds:s_ATTRIBUTE_adj "
                   "ts:NOM |  st:lé po:noun ds:s_OCCUPATION_noun ts:NOM )")
        self.assertEqual([r.ders for r in rs], [("s_ATTRIBUTE_adj",), ("s_OCCUPATION_noun",)])
        self.assertTrue(all(r.head == "gomba" for r in rs))
        for r in rs:
            self.assertEqual(decode(encode(r)), r)

    def test_a_simple_reading_wins_over_a_compound_one(self):
        out = parse_output(["bokor  st:bokor po:noun ts:NOM", "bokor  pa:bo st:bo po:noun pa:kor st:kor po:noun", ""])
        self.assertEqual(len(out["bokor"]), 2)
        from readings import simplest
        self.assertEqual([r.stem for r in simplest(out["bokor"])], ["bokor"])

    def test_persons_are_near_relatives_and_the_you_object_is_definite(self):
        self.assertEqual(inflection_class("POSS_PL_2"), "POSS")
        self.assertEqual(inflection_class("PRES_INDIC_DEF_SG_1"), "PRES_INDIC_DEF")
        self.assertEqual(inflection_class("PRES_INDIC_SG_1_OBJ_2"), "PRES_INDIC_DEF")
        self.assertEqual(inflection_class("INE"), "INE")


def real_use() -> dict[str, list[Reading]]:
    """Forms in real use of 60 nouns (ház0 ... ház59) and 50 verbs, with a
    few lemmas that alone show the lemma-bound endings."""
    forms: dict[str, list[Reading]] = {}
    patterns = [(), ("ACC",), ("PLUR",), ("PLUR", "ACC"), ("POSS_SG_3",), ("POSS_SG_1",), ("INE",),
                ("POSS_SG_3", "INE"), ("PLUR", "POSS_SG_3", "INSTR"), ("SBL",),
                ("INSTR",), ("DAT",), ("POSS_SG_3", "ACC"), ("PLUR", "POSS_SG_1", "ACC")]
    for i in range(60):
        for j, infl in enumerate(patterns):
            forms[f"ház{i}-{j}"] = [noun(f"ház{i}", *infl)]
        if i % 5 == 0:  # a rarer pattern, shown by a fifth of the nouns
            forms[f"ház{i}-ban"] = [noun(f"ház{i}", "PLUR", "INE")]
    for i in (0, 10, 20):  # a few nouns take -kor
        forms[f"idő{i}-kor"] = [noun(f"ház{i}", "TEMP")]
    forms["ember-é"] = [noun("ház1", "POSSESSEE")]
    # kezét: his hand, or the hand's one; the commoner reading takes the weight.
    for i in range(2, 60):
        forms[f"kezét{i}"] = [noun(f"ház{i}", "POSS_SG_3", "ACC"), noun(f"ház{i}", "POSSESSEE", "ACC")]
    verb_patterns = [("PRES_INDIC_INDEF_SG_3",), ("PRES_INDIC_INDEF_SG_1",), ("PAST_INDIC_INDEF_SG_3",),
                     ("PAST_INDIC_INDEF_PL_3",), ("SUBJ/IMPER_INDEF_SG_3",), ("PRES_COND_INDEF_SG_3",),
                     ("INF_SG_1",)]
    for i in range(50):
        for j, infl in enumerate(verb_patterns):
            forms[f"néz{i}-{j}"] = [verb(f"néz{i}", *infl)]
        if i != 49:  # -ás is shown with every verb but one
            forms[f"néz{i}-ás"] = [verb(f"néz{i}", ders=("Ás_PROCESS/RESULT_noun",))]
        forms[f"néz{i}-ni"] = [verb(f"néz{i}", ders=("ni_INFINITIVE_inf",))]
        if i % 2 == 0:  # half the verbs take an object
            forms[f"néz{i}-i"] = [verb(f"néz{i}", "PRES_INDIC_DEF_SG_3")]
            forms[f"néz{i}-te"] = [verb(f"néz{i}", "PAST_INDIC_DEF_SG_3")]
    forms["megnéz"] = [verb("néz0", "PRES_INDIC_INDEF_SG_3", prefix="meg")]
    forms["megnézi"] = [verb("néz0", "PRES_INDIC_DEF_SG_3", prefix="meg")]
    forms["ideér"] = [verb("néz2", "PRES_INDIC_INDEF_SG_3", prefix="ide")]
    forms["városi"] = [noun("ház5", ders=("i_PLACE/TIME_adj",))]
    forms["egyszer"] = [noun("ház7")]  # ház7 is shown in one more form only
    forms["ritka"] = [noun("ritka", "PLUR")]  # a lemma shown in one form
    # Four first members that make compounds with the same four last
    # members, all but fa0 + ház20: a new compound like those in use.
    for i in range(4):
        forms[f"fa{i}"] = [noun(f"fa{i}")]
        for j in range(4):
            if (i, j) != (0, 0):
                forms[f"fa{i}ház{20 + j}"] = [noun(f"ház{20 + j}", head=f"fa{i}")]
    forms["virágváza"] = [noun("ház3", head="virág")]
    forms["virágvázák"] = [noun("ház3", "PLUR", head="virág")]
    # Real words, for how possessions join the stem: cég without a j, kert with one.
    for stem, joint in (("cég", "e"), ("kert", "je")):
        forms[stem] = [noun(stem)]
        forms[stem + "et"] = [noun(stem, "ACC")]
        forms[stem + joint + "it"] = [noun(stem, "PLUR", "POSS_SG_3", "ACC")]
    return forms


class ModelTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # The toy use is small: a lower bar than the shipped one lets it make
        # new compounds at all.
        cls.model = UseModel(real_use(), Settings(novel_score=1.5))

    def verdict(self, r: Reading) -> str:
        return self.model.verdict(r)

    def test_open_patterns_go_with_every_lemma_in_use(self):
        self.assertEqual(self.verdict(noun("ház9", "POSS_SG_3", "INE")), "")
        # Persons of core inflections vary freely: szolgáiddal beside szolgáival.
        self.assertEqual(self.verdict(noun("ház9", "PLUR", "POSS_SG_2", "INSTR")), "")
        self.assertEqual(self.verdict(verb("néz3", "PRES_INDIC_INDEF_PL_2")), "")

    def test_stacks_that_real_use_never_shows_are_refused(self):
        self.assertEqual(self.verdict(noun("ház9", "POSSESSEE", "ADE")), "pattern not in use")
        self.assertEqual(self.verdict(noun("ház9", "PLUR", "POSS_SG_1", "TEMP")), "pattern not in use")

    def test_lemma_bound_endings_go_only_with_the_lemmas_real_use_shows_with_them(self):
        self.assertEqual(self.verdict(noun("ház0", "TEMP")), "")
        self.assertEqual(self.verdict(noun("ház9", "TEMP")), "TEMP not in use with this lemma")
        self.assertEqual(self.verdict(noun("ház1", "POSSESSEE")), "")
        # The possessor -é does not borrow the counts of the commoner
        # possessive that spells the same (kezét).
        self.assertIn("not in use", self.verdict(noun("ház9", "POSSESSEE", "ACC")))

    def test_lemmas_and_derived_stems_must_be_in_use(self):
        self.assertEqual(self.verdict(noun("bütyök", "PLUR", "INE")), "lemma not in use")
        self.assertEqual(self.verdict(noun("bütyök", "ACC")), "")  # the commonest ending of its kind
        self.assertEqual(self.verdict(noun("bütyök")), "")
        self.assertEqual(self.verdict(noun("ház5", ders=("i_PLACE/TIME_adj",))), "")
        self.assertEqual(self.verdict(noun("ház6", ders=("i_PLACE/TIME_adj",))), "derivation not in use")
        # -ás is made of every verb, but not a second derivation on top of it.
        self.assertEqual(self.verdict(verb("néz49", ders=("Ás_PROCESS/RESULT_noun",))), "")
        self.assertEqual(self.verdict(verb("néz9", ders=("Ás_PROCESS/RESULT_noun", "ni_INFINITIVE_inf"))),
                         "derivation not in use")

    def test_prefixes_and_definite_endings_go_with_the_verbs_real_use_shows(self):
        self.assertEqual(self.verdict(verb("néz0", "PAST_INDIC_DEF_SG_3", prefix="meg")), "")
        self.assertEqual(self.verdict(verb("néz1", "PAST_INDIC_INDEF_SG_3", prefix="meg")),
                         "prefix not in use with this verb")
        self.assertEqual(self.verdict(verb("néz4", "PAST_INDIC_DEF_SG_3")), "")
        self.assertEqual(self.verdict(verb("néz3", "PAST_INDIC_DEF_SG_3")),
                         "definite ending on a verb not in use with one")
        # néz2 takes an object, ide + néz2 does not.
        self.assertEqual(self.verdict(verb("néz2", "PRES_INDIC_DEF_SG_3", prefix="ide")),
                         "definite ending on a verb not in use with one")

    def test_a_lemma_shown_in_one_form_takes_single_endings_only(self):
        self.assertEqual(self.verdict(noun("ritka", "INE")), "")
        self.assertEqual(self.verdict(noun("ritka", "PLUR", "INE")),
                         "endings stacked on a lemma shown in few forms")

    def test_compounds_in_use_inflect_as_their_last_member(self):
        self.assertEqual(self.verdict(noun("ház3", "PLUR", "POSS_SG_3", "INSTR", head="virág")), "")
        self.assertEqual(self.verdict(noun("ház4", "PLUR", head="kő")), "compound not in use")

    def test_possessions_join_their_stem_as_real_use_shows(self):
        plural_with = ("PLUR", "POSS_SG_3", "INSTR")
        self.assertEqual(self.model.verdict(noun("cég", *plural_with), "cégeivel"), "")
        self.assertEqual(self.model.verdict(noun("cég", *plural_with), "cégjeivel"),
                         "possessive joint not in use with this lemma")
        self.assertEqual(self.model.verdict(noun("kert", *plural_with), "kertjeivel"), "")
        self.assertEqual(self.model.verdict(noun("kert", *plural_with), "kerteivel"),
                         "possessive joint not in use with this lemma")
        # Real use shows only the plural possessions: a single one may take either.
        self.assertEqual(self.model.verdict(noun("cég", "POSS_SG_3", "INE"), "cégjében"), "")

    def test_new_compounds_of_members_that_make_compounds_take_single_endings(self):
        self.assertIn(("fa0", "ház20"), self.model.novel)
        self.assertEqual(self.verdict(noun("ház20", "PLUR", head="fa0")), "")
        self.assertEqual(self.verdict(noun("ház20", "PLUR", "INE", head="fa0")),
                         "endings stacked on a lemma shown in few forms")
        self.assertNotIn(("fa0", "ok"), self.model.novel)


if __name__ == "__main__":
    unittest.main()
