"""Tests of the sources in real use, of the compounds and of the cache of
hunspell's judgements.

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
import judge  # noqa: E402
import sources  # noqa: E402

class CompoundTest(unittest.TestCase):
    def test_a_compound_takes_the_forms_of_its_last_member(self):
        family = {("váza", "noun", ()): ["váza", "vázában", "vázáinktól"]}
        lemmas = [("virág", ("váza", "noun", ())), ("nincs", ("nincs", "noun", ()))]
        # Up to 15 letters, both ends included: virágvázáinktól has 15.
        self.assertEqual(compounds.compound_candidates(lemmas, family, 15),
                         {"virágváza", "virágvázában", "virágvázáinktól"})
        self.assertEqual(compounds.compound_candidates(lemmas, family, 14), {"virágváza", "virágvázában"})

    def test_new_compounds_are_like_the_compounds_in_use(self):
        soups = [("bab", "leves"), ("hús", "leves"), ("zöldség", "leves"),
                 ("bab", "főzelék"), ("hús", "főzelék"), ("zöldség", "főzelék"), ("gomba", "főzelék"),
                 ("bab", "saláta"), ("hús", "saláta"), ("gomba", "saláta"), ("zöldség", "saláta"),
                 ("gomba", "paprikás"), ("hús", "paprikás"), ("bab", "paprikás"),
                 ("ház", "tető"), ("ház", "fal"), ("ház", "kapu"), ("kert", "kapu"), ("vár", "kapu"),
                 ("vár", "fal"), ("kert", "fal"), ("kert", "tó")]
        graph = compounds.CompoundGraph(soups + [("ház", "ok")])
        words = {"bab", "hús", "zöldség", "gomba", "leves", "főzelék", "saláta", "paprikás",
                 "ház", "tető", "fal", "kapu", "kert", "vár", "tó", "ok"}
        novel = graph.novel(words.__contains__, threshold=1.5)
        # gomba takes leves as bab, hús and zöldség do.
        self.assertIn(("gomba", "leves"), novel)
        # ház shares no last member with the first members of leves.
        self.assertNotIn(("ház", "leves"), novel)
        self.assertFalse({p for p in novel if "ok" in p})  # no chance compound with an ending
        self.assertFalse(novel & set(soups))
        # A member that is no word of real use makes no new compound.
        self.assertNotIn(("gomba", "leves"), graph.novel((words - {"gomba"}).__contains__, threshold=1.5))

    def test_superlatives_are_leg_before_comparatives(self):
        self.assertEqual(compounds.superlative_candidates({"szebb", "szebbeket", "legszebb"}, 12),
                         {"legszebb", "legszebbeket"})
        # 12 letters at most: legszebbeket has 12, leglegálisabb 13.
        self.assertEqual(compounds.superlative_candidates({"legálisabb"}, 12), set())

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
            judge.Judge(1, Path(tmp), cache)  # creates the folder
            (cache / "accept.txt").write_text("+ház\n-hzá\n+kert", encoding="utf-8")
            (cache / "readings.txt").write_text("ház\t||ház|noun||\nkert\t||kert|noun|", encoding="utf-8")
            j = judge.Judge(1, Path(tmp), cache)
            self.assertEqual(j.accepted, {"ház": True, "hzá": False})
            # Cached words need no hunspell at all.
            j._run = lambda words, mode: self.fail(f"hunspell asked about {words}")
            self.assertEqual(j.judge(["ház", "hzá"]), {"ház"})
            self.assertEqual([r.stem for r in j.readings("ház")], ["ház"])
            # The cut line is read again and cached.
            j._run = lambda words, mode: ["kert  st:kert po:noun ts:NOM"] if mode == "-m" else words
            self.assertEqual(j.judge(["kert"]), {"kert"})
            self.assertEqual([r.stem for r in judge.Judge(1, Path(tmp), cache).readings("kert")], ["kert"])


if __name__ == "__main__":
    unittest.main()
