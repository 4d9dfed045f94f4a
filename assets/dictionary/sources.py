"""Word forms in real use, read from Debian packages.

- tesseract-ocr-hun: the word list inside hun.traineddata (forms taken
  from real text), unpacked with combine_tessdata and dawg2wordlist from
  tesseract-ocr;
- mythes-hu: the headwords and synonyms of the thesaurus.

(The headwords of dict-freedict-hun-eng are not used: that dictionary is
under GPL-2.0 only, which does not allow shipping the list under
GPL-3.0-or-later.)

Each reader returns the forms as the source writes them; attested_form()
turns one into a lower-case candidate (a capitalised or all-capital form,
as at the start of a sentence or in a heading, is lowered; hunspell later
refuses the lower-case form of a proper noun).
"""

from __future__ import annotations

import hashlib
import shutil
import subprocess
import tempfile
from pathlib import Path

TESSDATA = Path("/usr/share/tesseract-ocr/5/tessdata/hun.traineddata")
MYTHES_DAT = Path("/usr/share/mythes/th_hu_HU_v2.dat")

# Debian 12 packages and the sha256 of the files read from them.
PACKAGES = {
    "tesseract-ocr": "5.3.0-2",
    "tesseract-ocr-hun": "1:4.1.0-2",
    "mythes-hu": "1:7.5.0-1",
}
FILE_SHA256 = {
    TESSDATA: "35067e7cfe102dcdc953f9a758fdfaa6296b17a1ee6d874ee780fa306430b9fb",
    MYTHES_DAT: "af2d830d91eabaf8238c0bd7656ee09f80491d9c95620d41154c6db5b3f668d7",
}


def sha256_of(path: Path) -> str:
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def check_files() -> list[str]:
    """Messages for source files that are missing or not the pinned ones."""
    problems = []
    for path, want in FILE_SHA256.items():
        if not path.exists():
            problems.append(f"{path} is missing")
        elif sha256_of(path) != want:
            problems.append(f"{path} does not match its pinned sha256")
    return problems


def attested_form(raw: str) -> str | None:
    """The lower-case candidate of one source form, or None for mixed case
    (iPhone, McDonald) and for text with spaces."""
    word = raw.strip()
    if not word or any(ch.isspace() for ch in word):
        return None
    if word.islower():
        return word
    if word.isupper() or (word[0].isupper() and (len(word) == 1 or word[1:].islower())):
        return word.lower()
    return None


def tesseract_words(workdir: Path, tessdata: Path = TESSDATA) -> list[str]:
    """The forms of the LSTM word dawg in hun.traineddata."""
    with tempfile.TemporaryDirectory(dir=workdir) as tmp:
        copy = Path(tmp, "hun.traineddata")
        shutil.copyfile(tessdata, copy)
        prefix = str(Path(tmp, "hun."))
        subprocess.run(["combine_tessdata", "-u", str(copy), prefix],
                       check=True, capture_output=True)
        out = Path(tmp, "words.txt")
        subprocess.run(["dawg2wordlist", prefix + "lstm-unicharset", prefix + "lstm-word-dawg", str(out)],
                       check=True, capture_output=True)
        return out.read_text(encoding="utf-8").split("\n")


def mythes_words(text: str) -> list[str]:
    """Headwords and synonyms of a MyThes data file.

    The first line names the encoding; a headword line is "word|count",
    each meaning line "(part of speech)|synonym|synonym...".  Only
    single-word terms are returned; parenthesised notes are dropped.
    """
    out = []
    lines = text.splitlines()[1:]
    for line in lines:
        fields = line.split("|")
        if line.startswith(("|", "(")):
            terms = fields[1:]
        else:
            terms = fields[:1]
        for term in terms:
            term = term.split("(", 1)[0].strip()
            if term and " " not in term:
                out.append(term)
    return out
