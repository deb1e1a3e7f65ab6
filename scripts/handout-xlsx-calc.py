#!/usr/bin/env python3
"""Reads the window's hand-out workbook back in LibreOffice Calc.

usage: scripts/handout-xlsx-calc.py BUILD_DIR
Starts the built keymill on a private Xvfb display with digits and the extra characters =+-@,
makes 30 passwords of 6, saves them from 配布用に書き出す as an xlsx of numbered accounts, turns
the workbook into CSV with `soffice --headless --convert-to csv` and compares every row with the
window's list. Needs the X tools of scripts/install-deps.sh and LibreOffice Calc (not installed
by CI: this is a check to run by hand). Exit 0 when every password reads back exactly."""

import csv
import os
import subprocess
import sys
import tempfile
import types

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from keymill_e2e import Program  # noqa: E402
from xsession import CheckFailed, program_session, wait_until  # noqa: E402

TITLE = "配布用に書き出す"
COUNT, LENGTH = 30, 6


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    build = os.path.abspath(sys.argv[1])
    out = tempfile.mkdtemp(prefix="keymill-xlsx-calc-")
    args = types.SimpleNamespace(program=os.path.join(build, "keymill"),
                                 qch=os.path.join(build, "keymill.qch"), out=out)
    with program_session(args, "keymill-xlsx-") as (x, program, appdir, _):
        with open(os.path.join(appdir, "keymill.ini"), "wb") as f:
            f.write(b"[Add]\r\nSuji=1\r\nAlhabetBig=0\r\nAlphabetMini=0\r\nAddChr=1\r\n"
                    b"AddChrList==+-@\r\nDeleteChr=0\r\n")
        app = Program(x, program, appdir)
        passwords = app.run_and_copy(LENGTH, COUNT).split("\r\n")
        print(f"the window's list: {' '.join(passwords)}")

        # ファイル > 配布用に書き出す; numbered accounts; the last format (xlsx); save.
        x.key("alt+f", "d")
        dialog = x.window(app.pid, TITLE)
        x.activate(dialog)
        x.key("alt+n", "alt+m", "End", "alt+s")
        saver = wait_until("the save dialog",
                           lambda: [w for w in x.windows(app.pid, "^" + TITLE + "$")
                                    if w != dialog], 10)[0]
        x.activate(saver)
        workbook = os.path.join(out, "accounts.xlsx")
        x.type(workbook)
        x.key("Return")
        wait_until("the workbook", lambda: os.path.exists(workbook), 10)
        x.key("Escape")
        app.end()

    converted = subprocess.run(
        ["soffice", f"-env:UserInstallation=file://{out}/profile", "--headless",
         "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", out, workbook],
        capture_output=True, text=True, timeout=120)
    print(" ".join(converted.args[:1] + converted.args[2:]))
    print(converted.stdout.strip())
    with open(os.path.join(out, "accounts.csv"), encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    expected = [["account", "password"]] + [[f"user{n:03}", p]
                                            for n, p in enumerate(passwords, 1)]
    for got, want in zip(rows, expected):
        print(f"{got[0]:8} {got[1]:8} {'ok' if got == want else 'DIFFERS: ' + str(want)}")
    same = rows == expected
    print(f"{len(rows) - 1} rows read back; "
          + ("every password exact" if same else "MISMATCH"))
    return 0 if same else 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except CheckFailed as failure:
        print(f"failed: {failure}", file=sys.stderr)
        sys.exit(1)
