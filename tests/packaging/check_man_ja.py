#!/usr/bin/env python3
"""The Japanese manual pages as man shows them: no half-width space after 、 or 。 or between
two Japanese words (roff turns a line break inside a paragraph into a space, which Japanese
text does not have), and the
window's own word 停止 for stopping a run.

usage: check_man_ja.py PAGE.1.in ..."""

import re
import shutil
import subprocess
import sys

SPACE_AFTER_PUNCTUATION = re.compile(r"[、。] ")
# A line break between two Japanese words ("国旗などは 候補").
JAPANESE = "\u3040-\u30ff\u4e00-\u9fff"
SPACE_BETWEEN_WORDS = re.compile(f"[{JAPANESE}] [{JAPANESE}]")


def rendered(page):
    # One line per paragraph: a space that a line break made shows wherever it stands.
    out = subprocess.run(["groff", "-Tutf8", "-man", "-k", "-rLL=2000n", "-P-cbou", page],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True)
    return out.stdout.decode("utf-8")


def main(pages):
    if shutil.which("groff") is None:
        print("groff is not installed", file=sys.stderr)
        return 77
    faults = []
    for page in pages:
        for number, line in enumerate(rendered(page).splitlines(), 1):
            if SPACE_AFTER_PUNCTUATION.search(line):
                faults.append(f"{page}: rendered line {number}: space after 、/。: {line.strip()}")
            if SPACE_BETWEEN_WORDS.search(line):
                faults.append(f"{page}: rendered line {number}: space in Japanese: {line.strip()}")
        with open(page, encoding="utf-8") as f:
            if "中止" in f.read():
                faults.append(f"{page}: says 中止 where the window says 停止")
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
