"""Tests of the word list generator's filters, formatting and morphology.

Run with:  python3 -m unittest discover -s assets/dictionary
"""

from __future__ import annotations

import io
import subprocess
import sys
import tarfile
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import check_format  # noqa: E402
import generate  # noqa: E402
import morphology  # noqa: E402

FIXTURE = HERE / "fixtures" / "cspell_dump_sample.txt"


class PlayableTest(unittest.TestCase):
    def test_plain_lower_case_words_pass(self):
        for word in ("alma", "kutyák", "könyvet", "fül", "ez", "kecskegida"):
            self.assertTrue(generate.is_playable(word), word)

    def test_capitalised_words_fail(self):
        for word in ("Alma", "Budapest", "ALMA", "Ügy", "Éva", "kutyA"):
            self.assertFalse(generate.is_playable(word), word)

    def test_punctuation_digits_and_spaces_fail(self):
        for word in ("alma-fa", "ún.", "kft.", "o'clock", "alma2", "2alma", "al ma", "al\tma", ""):
            self.assertFalse(generate.is_playable(word), repr(word))

    def test_letters_missing_from_the_board_fail(self):
        for word in ("víz", "ló", "kő", "tű", "út", "quiz", "wow", "taxi", "ñandu", "straße"):
            self.assertFalse(generate.is_playable(word), word)

    def test_every_board_letter_is_allowed(self):
        # One word per board letter, each with a vowel and of legal length.
        for letter in "aábcdeéfghijklmnoöprstuüvyz":
            word = letter + "a" if letter not in generate.VOWELS else letter * 2
            self.assertTrue(generate.is_playable(word, frozenset()), word)

    def test_length_limits(self):
        self.assertFalse(generate.is_playable("a", frozenset()))
        self.assertTrue(generate.is_playable("ab", frozenset()))
        self.assertTrue(generate.is_playable("kecskegidák", frozenset()))  # 11
        self.assertTrue(generate.is_playable("munkafüzeteknek", frozenset()))  # 15
        self.assertTrue(generate.is_playable("a" * 19 + "b", frozenset()))  # 20
        self.assertFalse(generate.is_playable("a" * 20 + "b", frozenset()))  # 21
        # Length counts letters, not bytes of an encoding.
        self.assertTrue(generate.is_playable("é" * 20, frozenset()))
        self.assertFalse(generate.is_playable("é" * 21, frozenset()))

    def test_a_vowel_is_required_and_y_is_no_vowel(self):
        for word in ("brr", "szt", "pszt", "nyty", "ggy"):
            self.assertFalse(generate.is_playable(word, frozenset()), word)
        for vowel in "aáeéioöuü":
            self.assertTrue(generate.is_playable("b" + vowel, frozenset()), vowel)

    def test_stoplist(self):
        self.assertTrue(generate.STOPLIST, "the stoplist must not be empty")
        for word in generate.STOPLIST:
            self.assertFalse(generate.is_playable(word), word)
            self.assertEqual(len(word), 2, word)
            self.assertTrue(generate.is_playable(word, frozenset()), word)
        # Common two-letter words must stay playable.
        for word in ("ez", "az", "ma", "de", "ha", "és", "te", "mi", "ti", "ki", "be", "le", "el", "fa", "ég", "ül", "öt", "ad"):
            self.assertTrue(generate.is_playable(word), word)
        self.assertFalse(generate.is_playable("ab", frozenset({"ab"})))


class CspellDumpTest(unittest.TestCase):
    def test_helper_lines_are_skipped(self):
        self.assertIsNone(generate.cspell_entry_word("~alma"))
        self.assertIsNone(generate.cspell_entry_word("~+almas+"))
        self.assertIsNone(generate.cspell_entry_word("!almaa"))
        self.assertIsNone(generate.cspell_entry_word("!"))
        self.assertIsNone(generate.cspell_entry_word(""))
        self.assertIsNone(generate.cspell_entry_word("+"))

    def test_compound_markers_are_removed(self):
        self.assertEqual(generate.cspell_entry_word("+alma"), "alma")
        self.assertEqual(generate.cspell_entry_word("alma+"), "alma")
        self.assertEqual(generate.cspell_entry_word("+almás+\n"), "almás")
        self.assertEqual(generate.cspell_entry_word("  könyvet  \n"), "könyvet")

    def test_fixture_dump(self):
        lines = FIXTURE.read_text(encoding="utf-8").splitlines(keepends=True)
        words = generate.playable_cspell_words(lines)
        self.assertEqual(
            words,
            {"alma", "almás", "almafa", "pestiek", "kutyák", "ház", "ab", "ez",
             "bé", "la", "kecskegida", "könyvet"},
        )
        entries = generate.select_entries(words, abbreviations={"ab"})
        self.assertEqual(
            entries,
            {"alma", "almás", "almafa", "pestiek", "kutyák", "ház", "ez",
             "kecskegida", "könyvet"},
        )


class DumpPipeTest(unittest.TestCase):
    """cspell_candidates with a stand-in for the cspell-trie reader."""

    def make_modules(self, tmp: str, script: str) -> Path:
        modules = Path(tmp, "node_modules")
        (modules / ".bin").mkdir(parents=True)
        reader = modules / ".bin" / "cspell-trie"
        reader.write_text("#!/bin/sh\n" + script)
        reader.chmod(0o755)
        return modules

    def test_fixture_goes_through_the_pipe_and_is_cached(self):
        with tempfile.TemporaryDirectory() as tmp:
            # argv: reader <trie> -o <output>
            modules = self.make_modules(tmp, f'cat "{FIXTURE}" > "$4"\n')
            words = generate.cspell_candidates(Path(tmp), modules)
            expected = sorted(generate.playable_cspell_words(FIXTURE.read_text(encoding="utf-8").splitlines()))
            self.assertEqual(words, expected)
            self.assertIn("könyvet", words)
            # The second call reads the cache, not the reader.
            (modules / ".bin" / "cspell-trie").write_text("#!/bin/sh\nexit 1\n")
            self.assertEqual(generate.cspell_candidates(Path(tmp), modules), expected)

    def test_failing_reader_stops_the_run(self):
        with tempfile.TemporaryDirectory() as tmp:
            modules = self.make_modules(tmp, "exit 3\n")
            with self.assertRaises(SystemExit):
                generate.cspell_candidates(Path(tmp), modules)


class EncodingTest(unittest.TestCase):
    def test_entry_is_quoted_cp1250(self):
        self.assertEqual(generate.encode_entry("alma"), b'"alma"')
        self.assertEqual(generate.encode_entry("ágy"), b'"\xe1gy"')
        self.assertEqual(generate.encode_entry("ég"), b'"\xe9g"')
        self.assertEqual(generate.encode_entry("öt"), b'"\xf6t"')
        self.assertEqual(generate.encode_entry("fül"), b'"f\xfcl"')

    def test_list_is_byte_sorted_unique_crlf(self):
        data = generate.render_word_list(["ab", "b", "a", "ab", "ül", "öl", "él", "el", "zab", "ág", "alma"])
        self.assertEqual(
            data,
            b'"a"\r\n"ab"\r\n"alma"\r\n"b"\r\n"el"\r\n"zab"\r\n'
            b'"\xe1g"\r\n"\xe9l"\r\n"\xf6l"\r\n"\xfcl"\r\n',
        )

    def test_rendered_fixture_passes_the_format_check(self):
        lines = FIXTURE.read_text(encoding="utf-8").splitlines()
        words = generate.select_entries(generate.playable_cspell_words(lines))
        data = generate.render_word_list(words)
        self.assertEqual(check_format.check_list(data), len(words))
        self.assertTrue(data.endswith(b"\r\n"))
        self.assertNotIn(b"\r\n\r\n", data)

    def test_archive_round_trip_and_determinism(self):
        data = generate.render_word_list(["alma", "körte", "szilva"])
        with tempfile.TemporaryDirectory() as tmp:
            first = Path(tmp, "a.tar.xz")
            second = Path(tmp, "b.tar.xz")
            generate.write_archive(data, first)
            generate.write_archive(data, second)
            self.assertEqual(first.read_bytes(), second.read_bytes())
            with tarfile.open(first, "r:xz") as tar:
                self.assertEqual(tar.getnames(), ["SzavakLista.txt"])
                self.assertEqual(tar.extractfile("SzavakLista.txt").read(), data)
            self.assertEqual(check_format.read_list(first), data)


class FormatCheckTest(unittest.TestCase):
    GOOD = b'"alma"\r\n"k\xf6rte"\r\n"\xe1gy"\r\n'

    def assertRejected(self, data: bytes, fragment: str):
        with self.assertRaises(check_format.FormatError) as cm:
            check_format.check_list(data)
        self.assertIn(fragment, str(cm.exception))

    def test_good_list(self):
        self.assertEqual(check_format.check_list(self.GOOD), 3)

    def test_faults(self):
        self.assertRejected(b"", "empty")
        self.assertRejected(b'"alma"\r\n"k\xf6rte"', "last line")
        self.assertRejected(b'"alma"\n"k\xf6rte"\r\n', "CR LF")
        self.assertRejected(b'"alma"\r"k\xf6rte"\r\n', "CR LF")
        self.assertRejected(b'alma\r\n', "double quotes")
        self.assertRejected(b'"alma\r\n', "double quotes")
        self.assertRejected(b'"alma"\r\n"alma"\r\n', "repeats")
        self.assertRejected(b'"k\xf6rte"\r\n"alma"\r\n', "not sorted")
        self.assertRejected(b'"\xe1gy"\r\n"alma"\r\n', "not sorted")
        self.assertRejected(b'"l\xf3"\r\n', "not on the board")  # ló
        self.assertRejected(b'"Alma"\r\n', "not on the board")
        self.assertRejected(b'"al ma"\r\n', "not on the board")
        self.assertRejected(b'"a\x98b"\r\n', "1250")  # undefined in cp1250
        self.assertRejected(b'"a"\r\n', "letters")
        self.assertEqual(check_format.check_list(b'"' + b"\xe9" * 20 + b'"\r\n'), 1)
        self.assertRejected(b'"' + b"\xe9" * 21 + b'"\r\n', "letters")
        self.assertRejected(b'"brr"\r\n', "vowel")
        self.assertRejected(b'"alma"\r\n\r\n', "line 2")

    def test_command_line(self):
        script = HERE / "check_format.py"
        with tempfile.TemporaryDirectory() as tmp:
            good = Path(tmp, "SzavakLista.txt")
            good.write_bytes(self.GOOD)
            bad = Path(tmp, "bad.txt")
            bad.write_bytes(b'"ez"\r\n"az"\r\n')
            archive = Path(tmp, "SzavakLista.tar.xz")
            generate.write_archive(self.GOOD, archive)
            two = Path(tmp, "two.tar.xz")
            with tarfile.open(two, "w:xz") as tar:
                for name in ("SzavakLista.txt", "extra.txt"):
                    info = tarfile.TarInfo(name)
                    info.size = len(self.GOOD)
                    tar.addfile(info, io.BytesIO(self.GOOD))

            def run(path):
                return subprocess.run([sys.executable, str(script), str(path)], capture_output=True, text=True)

            self.assertEqual(run(good).returncode, 0)
            self.assertEqual(run(archive).returncode, 0)
            r = run(bad)
            self.assertEqual(r.returncode, 1)
            self.assertIn("line 2", r.stderr)
            r = run(two)
            self.assertEqual(r.returncode, 1)
            self.assertIn("extra.txt", r.stderr)
            self.assertEqual(run(Path(tmp, "missing.txt")).returncode, 2)


class MorphologyTest(unittest.TestCase):
    def test_harmony(self):
        self.assertEqual(morphology.harmony("ház"), ("back",))
        self.assertEqual(morphology.harmony("kert"), ("front",))
        self.assertEqual(morphology.harmony("föld"), ("round",))
        self.assertEqual(morphology.harmony("papír"), ("back", "front"))
        self.assertEqual(morphology.harmony("nyit"), ("back", "front"))
        self.assertEqual(morphology.harmony("kert"), ("front",))

    def test_consonant_doubling(self):
        self.assertEqual(morphology.double_final("ház"), "házz")
        self.assertEqual(morphology.double_final("kosz"), "kossz")
        self.assertEqual(morphology.double_final("toll"), "toll")
        self.assertEqual(morphology.double_final("meggy"), "meggy")
        self.assertEqual(morphology.double_final("lány"), "lánny")
        self.assertIsNone(morphology.double_final("kutya"))

    def test_assimilating_suffixes(self):
        self.assertEqual(morphology.attach("ház", "~al"), ["házzal"])
        self.assertEqual(morphology.attach("kutyá", "~al"), ["kutyával"])
        self.assertEqual(morphology.attach("könyv", "~el"), ["könyvvel"])
        self.assertEqual(morphology.attach("toll", "~al"), ["tollal"])
        self.assertIn("olvassa", morphology.attach("olvas", "+a"))
        self.assertIn("nézzen", morphology.attach("néz", "+en"))
        self.assertIn("lásson", morphology.attach("lát", "+on"))
        self.assertIn("fessen", morphology.attach("fest", "+en"))
        self.assertEqual(morphology.attach("ad", "+on"), ["adjon"])

    def test_no_linking_vowel_after_a_vowel(self):
        self.assertEqual(morphology.attach("kutyá", "ok"), [])
        self.assertEqual(morphology.attach("kutyá", "k"), ["kutyák"])
        self.assertEqual(morphology.attach("ház", "ak"), ["házak"])

    def test_comparative_only_for_adjectives(self):
        self.assertIn(("nagyobb", True), set(morphology.nominal_base_forms("nagy", adjective=True)))
        self.assertNotIn("nagyobb", {f for f, _ in morphology.nominal_base_forms("nagy")})

    def test_derivations_inflect_once_and_do_not_stack(self):
        forms = dict(morphology.nominal_base_forms("alma"))
        self.assertTrue(forms["almás"])  # a new stem
        self.assertFalse(forms["almák"])  # an inflection
        self.assertFalse(forms["almányi"])  # -nyi is not inflected further
        derived = set(morphology.derived_stem_forms("almás"))
        self.assertTrue({"almásak", "almásat", "almásom"} <= derived)
        self.assertFalse([f for f in derived if f.endswith(("bb", "ság", "é", "ai", "aim"))])

    def test_listed_stems_are_taken_up_to_the_length_of_generated_forms(self):
        lex = generate.Lexicon()
        lex.listed_forms = {"munkafüzeteknek", "munkafüzeteinket", "Budapest"}  # 15 and 16 letters
        self.assertEqual(generate.listed_candidates(lex), {"munkafüzeteknek"})

    def test_lengthening(self):
        self.assertEqual(morphology.lengthened("alma"), ["almá", "alma"])
        self.assertEqual(morphology.lengthened("körte"), ["körté", "körte"])
        self.assertEqual(morphology.lengthened("ház"), ["ház"])

    def test_generated_forms_include_everyday_forms(self):
        def bases(stem, adjective=False):
            return {f for f, _ in morphology.nominal_base_forms(stem, adjective)}

        self.assertTrue({"könyvet", "könyvek", "könyvem"} <= bases("könyv"))
        self.assertTrue({"csillagok", "csillagot"} <= bases("csillag"))
        self.assertTrue({"kutyák", "kutyája", "kutyáim"} <= bases("kutya"))
        self.assertTrue({"nyitom", "nyitja", "nyitotta"} <= set(morphology.verb_forms("nyit")))
        self.assertTrue({"házban", "házzal", "házon"} <= set(morphology.case_forms("ház", ("back",))))
        forms = set(morphology.verb_forms("néz"))
        self.assertTrue({"nézek", "nézte", "nézett", "néztük", "nézzük", "nézne", "nézni"} <= forms)
        forms = set(morphology.verb_forms("ül"))
        self.assertTrue({"ülök", "ültem", "üljön", "ülne"} <= forms)
        self.assertFalse({"ülok", "ülak", "ülon"} & forms)
        self.assertEqual(morphology.verb_roots_of_lemma("dolgozik")[0], "dolgoz")
        self.assertIn("ünnepl", morphology.verb_roots_of_lemma("ünnepel"))


if __name__ == "__main__":
    unittest.main()
