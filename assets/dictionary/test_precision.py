"""Judged samples: drawing on from an earlier sample, and the intervals."""
from __future__ import annotations

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from precision import draw_more, wilson  # noqa: E402


class PrecisionTest(unittest.TestCase):
    def test_a_smaller_list_keeps_the_verdicts_it_still_holds_and_draws_the_rest(self):
        words = [f"szo{i:03d}" for i in range(200)] + ["ab", "hosszu" * 4]
        earlier = [("szo001", "ok", ""), ("szo002", "no", "odd stack: x"), ("gone", "ok", "")]
        rows = draw_more(words, 3, 10, 10, 7, earlier)
        self.assertEqual(len(rows), 10)
        self.assertEqual(len({w for w, _, _ in rows}), 10)
        self.assertIn(("szo002", "no", "odd stack: x"), rows)
        self.assertNotIn("gone", [w for w, _, _ in rows])  # the list no longer holds it
        self.assertTrue(all(3 <= len(w) <= 10 for w, _, _ in rows))
        self.assertEqual(sum(1 for _, v, _ in rows if not v), 8)
        self.assertEqual(rows, draw_more(words, 3, 10, 10, 7, earlier))  # the same for the same seed

    def test_the_interval_holds_the_share_and_stays_within_zero_and_one(self):
        low, high = wilson(0, 300)
        self.assertEqual(low, 0.0)
        self.assertLess(high, 0.02)
        low, high = wilson(24, 300)
        self.assertTrue(low < 0.08 < high)
        self.assertAlmostEqual(low, 0.054, places=3)


if __name__ == "__main__":
    unittest.main()
