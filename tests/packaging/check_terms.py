#!/usr/bin/env python3
"""Fails on a retired word of docs/terms.md in the texts a user reads.

Usage: check_terms.py SOURCE_DIR
"""
import pathlib
import re
import sys

EXCEPTIONS = ["印刷を中止しました"]


def retired_words(terms):
    words = []
    for line in terms.read_text(encoding="utf-8").splitlines():
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) != 3 or cells[0] in ("Idea", "") or set(cells[0]) <= set("-"):
            continue
        words += [(w.strip(), cells[1]) for w in cells[2].split(",") if w.strip()]
    return words


def texts(root):
    yield from sorted((root / "help" / "html").glob("*.html"))
    yield from sorted((root / "packaging" / "man").rglob("*.1.in"))
    yield root / "packaging" / "keymill.metainfo.xml.in"
    yield root / "README.md"
    yield root / "README.ja.md"
    yield from sorted((root / "src" / "cli" / "translations").glob("*.ts"))


def main():
    root = pathlib.Path(sys.argv[1])
    words = retired_words(root / "docs" / "terms.md")
    if not words:
        print("docs/terms.md: no retired words found")
        return 1
    faults = 0
    for path in texts(root):
        text = path.read_text(encoding="utf-8")
        if path.suffix == ".ts":  # only the Japanese side of keymill-cli's messages
            text = "\n".join(re.findall(r"<translation>(.*?)</translation>", text, re.S))
        for exception in EXCEPTIONS:
            text = text.replace(exception, "")
        for number, line in enumerate(text.splitlines(), 1):
            for word, kept in words:
                if word in line:
                    print(f"{path.relative_to(root)}:{number}: 「{word}」 is retired; "
                          f"write {kept}")
                    faults += 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
