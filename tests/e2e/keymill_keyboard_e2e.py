#!/usr/bin/env python3
"""The result list by keyboard alone, as a user without a mouse meets it: a run, the focus
taken away and brought back by Tab, three rows chosen with Shift+Down, the list's pop-up menu
opened with Shift+F10 (and the menu key), コピー chosen: the clipboard holds those rows. Alt+R, O
opens 詳細設定 and Escape closes it.

usage: keymill_keyboard_e2e.py --program build/keymill --qch build/keymill.qch --out DIR
A failed step leaves a screenshot DIR/<step>.png."""

import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from keymill_e2e import SENTINEL, Program, check
from xsession import (CheckFailed, driver_arguments, program_session, report_failure,
                      stays_false, wait_until)

LENGTH, COUNT = 10, 12
RULES_TITLE = "詳細設定"


def clipboard_after(x, *keys):
    """Sends the keys and returns the clipboard once it changes (SENTINEL if it does not)."""
    x.set_clipboard(SENTINEL)
    x.key(*keys)
    if stays_false(lambda: x.clipboard() != SENTINEL, 1.0):
        return SENTINEL
    return x.clipboard()


def three_rows_by_keyboard(x, app, passwords, menu_key):
    # Away from the list to the length box, then Tab, Tab: the count box, then the list.
    app.focus()
    x.key("alt+m")
    x.key("Tab", "Tab")
    x.key("Home", "shift+Down", "shift+Down")
    # The pop-up menu: すべて選択, コピー, ...; Down twice lands on コピー.
    text = clipboard_after(x, menu_key, "Down", "Down", "Return")
    check(text != SENTINEL, f"{menu_key} and コピー left the clipboard as it was")
    check(text == "\r\n".join(passwords[:3]),
          f"{menu_key}, コピー copied {text!r}, expected the first three passwords")


def main():
    args = driver_arguments().parse_args()
    step = "setup"
    with program_session(args, "keymill-keys-") as (x, program, appdir, _):
        try:
            step = "run"
            app = Program(x, program, appdir)
            passwords = app.run_and_copy(LENGTH, COUNT).split("\r\n")
            check(len(passwords) == COUNT and all(len(p) == LENGTH for p in passwords),
                  f"the run gave {passwords!r}")
            check(len(set(passwords[:3])) == 3, "the first three passwords repeat")
            step = "shift_f10"
            three_rows_by_keyboard(x, app, passwords, "shift+F10")
            step = "menu_key"
            three_rows_by_keyboard(x, app, passwords, "Menu")
            step = "rules_dialog"
            app.focus()
            x.key("alt+r", "o")
            x.activate(x.window(app.pid, RULES_TITLE, timeout=5))
            x.key("Escape")
            wait_until("詳細設定 to close",
                       lambda: not x.windows(app.pid, "^" + RULES_TITLE + "$"), 5)
            step = "end"
            app.end()
        except CheckFailed as failure:
            return report_failure(x, args.out, step, failure)
    print("the list by keyboard passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
