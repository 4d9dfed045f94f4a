"""Tests of the attested sources and of the inflection of attested
compounds and prefixed verbs.

Run with:  python3 -m unittest discover -s assets/dictionary
"""

from __future__ import annotations

import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import compounds  # noqa: E402
import generate  # noqa: E402
import sources  # noqa: E402

# hunspell -m analyses as hu_HU gives them.
ANALYSES = {
    "virágvázában": ["pa:virág st:virág po:noun ts:NOM pa:vázában  st:váza po:noun ts:NOM is:INE"],
    "megkérdezhetnénk": [
        "ip:PREF sp:meg  st:kérdez po:vrb ts:PRES_INDIC_INDEF_SG_3 is:hAt_MODAL_vrb "
        "ts:PRES_INDIC_INDEF_SG_3 is:PRES_COND_INDEF_PL_1"
    ],
    "anyanyelv": ["pa:anya st:anya po:noun ts:NOM al:any pa:nyelv st:nyelv po:noun ts:NOM"],
    "házakban": [" st:ház po:noun ts:PLUR ts:NOM al:telt is:PLUR is:INE"],
    "kérdezhetnénk": [
        " st:kérdez po:vrb ts:PRES_INDIC_INDEF_SG_3 is:hAt_MODAL_vrb "
        "ts:PRES_INDIC_INDEF_SG_3 is:PRES_COND_INDEF_PL_1"
    ],
    "soronként": [" st:sor po:noun ts:NOM is:nként_PERIOD_adv"],
    # hunspell also knows bokor as a simple word, so it names no compound.
    "bokor": [" st:bokor po:noun ts:NOM", "pa:bo st:bo po:noun pa:kor st:kor po:noun"],
}


class LemmaTest(unittest.TestCase):
    def test_compounds_and_prefixed_verbs_name_their_last_member(self):
        def split(word):
            return compounds.lemma_splits(word, ANALYSES[word])

        self.assertEqual(split("virágvázában"), {("virág", "váza noun", "INE")})
        self.assertEqual(split("anyanyelv"), {("anya", "nyelv noun", "")})
        self.assertEqual(split("megkérdezhetnénk"),
                         {("meg", "kérdez vrb hAt_MODAL_vrb", "PRES_COND_INDEF_PL_1")})
        self.assertEqual(split("házakban"), set())
        self.assertEqual(split("bokor"), set())

    def test_simple_forms_give_the_same_key_as_a_last_member(self):
        self.assertEqual(compounds.paradigm_entries(ANALYSES["kérdezhetnénk"]),
                         {("kérdez vrb hAt_MODAL_vrb", "PRES_COND_INDEF_PL_1")})
        self.assertEqual(compounds.paradigm_entries(ANALYSES["házakban"]), {("ház noun", "PLUR INE")})
        # A derivation belongs to the key, not to the inflection.
        self.assertEqual(compounds.paradigm_entries(ANALYSES["soronként"]),
                         {("sor noun nként_PERIOD_adv", "")})
        self.assertEqual(compounds.paradigm_entries(ANALYSES["virágvázában"]), set())
        self.assertEqual(compounds.paradigm_entries(ANALYSES["megkérdezhetnénk"]), set())

    def test_a_lemma_takes_the_common_forms_of_its_last_member(self):
        family = {"váza noun": [("", "váza"), ("INE", "vázában"), ("PLUR", "vázák"),
                                ("POSS_PL_1 PLUR ABL", "vázáinktól")]}
        counts = {"": 50, "INE": 30, "PLUR": 19, "POSS_PL_1 PLUR ABL": 1}
        sigs = compounds.common_signatures(counts, 0.95)
        self.assertEqual(sigs, {"", "INE", "PLUR"})
        # A share reached exactly is enough.
        self.assertEqual(compounds.common_signatures(counts, 0.5), {""})
        self.assertEqual(compounds.common_signatures(counts, 1.0), set(counts))
        cands = compounds.compound_candidates([("virág", "váza noun"), ("nincs", "nincs noun")],
                                              family, sigs, 9, 12)
        # 9 to 12 letters, both ends included.
        self.assertEqual(cands, {"virágváza", "virágvázák", "virágvázában"})

    def test_long_forms_take_the_common_endings_of_their_part_of_speech(self):
        self.assertEqual(compounds.stem_and_ending("iskolában", "iskola noun"), ("iskola", "noun", "^ban"))
        self.assertEqual(compounds.stem_and_ending("házakban", "ház noun"), ("ház", "noun", "akban"))
        self.assertIsNone(compounds.stem_and_ending("dolgozom", "dolgozik vrb"))
        self.assertIsNone(compounds.stem_and_ending("kérdezhetnénk", "kérdez vrb hAt_MODAL_vrb"))
        counts = {("noun", "^ban"): 40, ("noun", "ben"): 30, ("noun", "ökkel"): 25,
                  ("noun", "^inkról"): 1, ("vrb", "tem"): 9}
        endings = compounds.common_endings(counts, 0.95)
        self.assertEqual(endings, {"noun": {"^ban", "ben", "ökkel"}, "vrb": {"tem"}})
        cands = compounds.long_form_candidates(
            [("iskolatáska", "noun"), ("szépség", "noun"), ("ház", "noun")], endings, 12, 14)
        # No back-vowel stem takes a front rounded ending; short forms are
        # left to the generation of every stem. 12 to 14 letters, both ends
        # included.
        self.assertEqual(cands, {"iskolatáskában", "iskolatáskaben", "szépségökkel"})

    def test_bare_derived_stems_of_real_use_take_the_endings_of_their_class(self):
        analyses = {
            "szerkesztés": [" st:szerkeszt po:vrb ts:PRES_INDIC_INDEF_SG_3 al:szerkesztet "
                            "ds:Ás_PROCESS/RESULT_noun ts:NOM"],
            "szerkesztést": [" st:szerkeszt po:vrb ts:PRES_INDIC_INDEF_SG_3 al:szerkesztet "
                             "ds:Ás_PROCESS/RESULT_noun ts:NOM is:ACC"],
            "szebb": [" st:szép po:adj is:bb_COMPARATIVE_adj ts:NOM"],
            **ANALYSES,
        }
        stems_all, stems_kept, _ = generate.attested_stems(analyses, sorted(analyses))
        self.assertIn(("szerkesztés", "noun"), stems_all)
        self.assertIn(("szebb", "adj"), stems_all)
        self.assertIn(("soronként", "adv"), stems_all)
        # An inflected form names no derived stem of its own.
        self.assertNotIn("szerkesztést", {s for s, _ in stems_all})
        # Compounds and prefixed verbs inflect by their last member instead.
        self.assertNotIn("virágvázában", {s for s, _ in stems_all})
        self.assertNotIn("kérdezhetnénk", {s for s, _ in stems_all})
        self.assertLessEqual(stems_kept, stems_all)

    def test_superlatives_are_leg_before_the_comparatives_of_adjectives(self):
        keys = compounds.comparative_keys([("szép", "adj"), ("ház", "noun")])
        self.assertEqual(keys, {"szép adj bb_COMPARATIVE_adj"})
        family = {"szép adj bb_COMPARATIVE_adj": [("", "szebb"), ("PLUR ACC", "szebbeket"), ("", "legszebb")],
                  "legális adj bb_COMPARATIVE_adj": [("", "legálisabb")],
                  "ház noun": [("", "ház")]}
        keys.add("legális adj bb_COMPARATIVE_adj")
        # A superlative judged on an earlier run (legszebb) gives no leglegszebb.
        self.assertEqual(compounds.superlative_candidates(keys, family, 15),
                         {"legszebb", "legszebbeket", "leglegálisabb"})
        # 12 letters at most (legszebbeket), 13 (leglegálisabb) too many.
        self.assertEqual(compounds.superlative_candidates(keys, family, 12), {"legszebb", "legszebbeket"})

    def test_the_held_out_tenth_is_fixed(self):
        words = [f"szó{i}" for i in range(20000)]
        held = [w for w in words if compounds.is_held_out(w)]
        self.assertAlmostEqual(len(held) / len(words), 0.1, delta=0.01)
        self.assertEqual(held, [w for w in words if compounds.is_held_out(w)])


class SourceTest(unittest.TestCase):
    def test_case_of_attested_forms(self):
        self.assertEqual(sources.attested_form("Népcsoportok"), "népcsoportok")
        self.assertEqual(sources.attested_form("BIRTOKOS"), "birtokos")
        self.assertEqual(sources.attested_form("számlákat"), "számlákat")
        self.assertIsNone(sources.attested_form("iPhone"))
        self.assertIsNone(sources.attested_form("McDonald"))
        self.assertIsNone(sources.attested_form("két szó"))

    def test_thesaurus_headwords_and_synonyms(self):
        text = ("UTF-8\nbefőz|1\n|befőz|eltesz|tartósít\nalbina|1\n"
                "(névnap)|03-01|Dávid|Albina\nemlék|1\n(főnév)|emlék (régi)|nagy múlt|\n")
        self.assertEqual(sources.mythes_words(text),
                         ["befőz", "befőz", "eltesz", "tartósít", "albina", "03-01", "Dávid",
                          "Albina", "emlék", "emlék"])


class CacheTest(unittest.TestCase):
    def test_a_judgement_cut_by_an_interruption_is_made_again(self):
        with tempfile.TemporaryDirectory() as tmp:
            cache = Path(tmp, "cache")
            generate.Judge(1, Path(tmp), cache)  # creates the folder
            (cache / "accept.txt").write_text("+ház\n-hzá\n+kert", encoding="utf-8")
            judge = generate.Judge(1, Path(tmp), cache)
            self.assertEqual(judge.accepted, {"ház": True, "hzá": False})
            # Cached words need no hunspell at all.
            judge._run = lambda words, mode: self.fail(f"hunspell asked about {words}")
            self.assertEqual(judge.accept(["ház", "hzá"]), {"ház"})


if __name__ == "__main__":
    unittest.main()
