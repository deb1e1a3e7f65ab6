#!/usr/bin/env python3
"""Fails on a retired word of docs/terms.md in the texts a user reads. usage: check_terms.py SRC"""
import pathlib
import re
import sys

EXCEPTIONS = ["印刷を中止しました"]  # the print message, which ends a print job, not a run

root = pathlib.Path(sys.argv[1])
words = []
for row in re.findall(r"^\|(.+)\|$", (root / "docs/terms.md").read_text(encoding="utf-8"), re.M):
    idea, kept, retired = [c.strip() for c in row.split("|")]
    if idea != "Idea" and not set(idea) <= set("-"):
        words += [(w.strip(), kept) for w in retired.split(",")]
paths = [*sorted(root.glob("help/html/*.html")), *sorted(root.glob("packaging/man/**/*.1.in")),
         root / "packaging/keymill.metainfo.xml.in", root / "README.md", root / "README.ja.md"]
faults = []
for path in [*paths, *sorted(root.glob("src/cli/translations/*.ts"))]:
    text = path.read_text(encoding="utf-8")
    if path.suffix == ".ts":  # the Japanese side of keymill-cli's messages
        text = "\n".join(re.findall(r"<translation>(.*?)</translation>", text, re.S))
    for exception in EXCEPTIONS:
        text = text.replace(exception, "")
    for number, line in enumerate(text.splitlines(), 1):
        faults += [f"{path.relative_to(root)}:{number}: 「{w}」 is retired; write {k}"
                   for w, k in words if w in line]
print("\n".join(faults) if faults else f"{len(words)} retired words, none found")
sys.exit(1 if faults or not words else 0)
