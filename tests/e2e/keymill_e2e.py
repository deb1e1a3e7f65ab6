#!/usr/bin/env python3
"""キーミル as a user meets it: the built program in its own X session, driven by keys and
the clipboard only.

usage: keymill_e2e.py --program build/keymill --qch build/keymill.qch --out DIR
A failed step leaves a screenshot DIR/<step>.png."""

import argparse
import os
import shutil
import string
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from xsession import CheckFailed, XSession, stays_false, wait_until

TITLE = "キーミル"
ERROR_TITLE = "エラー"
ABOUT_TITLE = "ﾊﾞｰｼﾞｮﾝ情報"
HELP_TITLE = "キーミル ヘルプ"
SAVE_TITLE = "名前を付けて保存"  # Qt's own save dialog speaks Japanese in any locale
SENTINEL = "clipboard-before-copy"
EXCLUDED = "abcXYZ"
LETTERS = set(string.ascii_letters) - set(EXCLUDED)
SETTINGS_KEYS = {
    "Position": ["Left", "Top", "Width", "Height"],
    "Add": ["Suji", "AlhabetBig", "AlphabetMini", "AddChr", "AddChrList", "DeleteChr",
            "DeleteChrList"],
}


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


class Program:
    """One start of the copied program, from its window's appearance to its end."""

    def __init__(self, x, path, cwd):
        self.x = x
        self.proc = x.start(path, cwd)
        self.pid = self.proc.pid
        self.wid = x.window(self.pid, TITLE, timeout=15)
        x.activate(self.wid)

    def focus(self):
        self.x.focus(self.wid)

    def set_length_and_count(self, length, count):
        # The access keys focus each box with its text selected, so typing replaces it.
        self.x.key("alt+m")
        self.x.type(str(length))
        self.x.key("alt+t")
        self.x.type(str(count))

    def copy_all(self):
        """Edit > select all, Edit > copy; returns the clipboard (SENTINEL if copy did nothing)."""
        self.x.set_clipboard(SENTINEL)
        self.focus()
        self.x.key("alt+e", "a")
        self.x.key("alt+e", "c")
        # Copy is synchronous, but the clipboard is read by another client: allow it a moment.
        changed = stays_false(lambda: self.x.clipboard() != SENTINEL, 0.3)
        return SENTINEL if changed else self.x.clipboard()

    def run_and_copy(self, length, count):
        self.set_length_and_count(length, count)
        self.x.key("F5")
        return wait_until("the finished run's passwords on the clipboard",
                          lambda: self._copied_if_done(), 20)

    def _copied_if_done(self):
        text = self.copy_all()
        return text if text != SENTINEL else None

    def error_box_and_enter(self):
        box = self.x.window(self.pid, ERROR_TITLE, timeout=5)
        self.x.activate(box)
        self.x.key("Return")
        wait_until("the error box to close",
                   lambda: not self.x.windows(self.pid, "^" + ERROR_TITLE + "$"), 5)
        self.focus()

    def end(self):
        self.focus()
        # ファイル(&F) > 終了(&X): Alt+F opens the File menu although a check box shows the same
        # underlined letter.
        self.x.key("alt+f", "x")
        wait_until("the program to end", lambda: self.proc.poll() is not None, 10)
        check(self.proc.returncode == 0, f"the program ended with {self.proc.returncode}")


def check_passwords(text, length, count):
    lines = text.split("\r\n")
    check(len(lines) == count, f"{len(lines)} passwords on the clipboard, expected {count}")
    for line in lines:
        check(len(line) == length, f"password {line!r} is not {length} characters long")
        check(set(line) <= LETTERS,
              f"password {line!r} holds characters outside the checked classes")
    return lines


def read_settings(path):
    """keymill.ini as {section: {key: value}}; the file is in code page 932."""
    sections, current = {}, None
    with open(path, "rb") as f:
        for raw in f.read().decode("cp932").splitlines():
            line = raw.strip()
            if line.startswith("[") and line.endswith("]"):
                current = sections.setdefault(line[1:-1], {})
            elif "=" in line and current is not None:
                key, value = line.split("=", 1)
                current[key.strip()] = value.strip()
    return sections


# --- the scenarios, in the order a user meets them --------------------------------------

def first_start(x, program_path, appdir):
    check(not os.path.exists(os.path.join(appdir, "keymill.ini")), "a settings file exists")
    app = Program(x, program_path, appdir)
    # Nothing typed yet, so start is disabled: F5 neither runs nor complains.
    x.key("F5")
    check(stays_false(lambda: x.windows(app.pid, "^" + ERROR_TITLE + "$"), 0.5),
          "F5 with empty length and count reached the start command")
    check(app.copy_all() == SENTINEL, "copy gave something before any run")
    return app


def choose_options(x, app):
    # Digits off; the excluded characters on, holding EXCLUDED. The copy tried before any run
    # met only disabled items and may have left the Edit menu or the menu bar active, which
    # would take Alt+N for itself: close them first.
    x.key("Escape", "Escape")
    app.focus()
    x.key("alt+n")
    time.sleep(0.1)  # the access key clicks the box after its 100 ms press animation
    x.key("alt+m", "shift+Tab", "space", "Tab")
    x.type(EXCLUDED)


def generate_and_copy(x, app, length, count):
    text = app.run_and_copy(length, count)
    return check_passwords(text, length, count)


def length_zero_error(x, app):
    app.set_length_and_count(0, 5)
    x.key("F5")
    app.error_box_and_enter()


def cpu_ticks(pid):
    """Processor time the program has used so far, user and system, in clock ticks."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def wait_for_running(app):
    """Waits until the run is under way, however fast it draws: an idle window uses next to no
    processor time, a running one uses it in every look."""
    last = [cpu_ticks(app.pid), 0]

    def busy():
        now = cpu_ticks(app.pid)
        last[1] = last[1] + 1 if now > last[0] else 0
        last[0] = now
        return last[1] >= 2

    wait_until("the run to start", busy, 10)


def long_run_alt_f4_and_stop(x, app):
    app.set_length_and_count(1000, 99999)
    x.key("F5")
    wait_for_running(app)
    # Both reach the window inside the run, in this order: Alt+F4 is ignored, then the stop.
    x.key("alt+F4", "alt+r", "e")
    check(stays_false(lambda: app.proc.poll() is not None or not x.windows(
        app.pid, "^" + TITLE + "$"), 0.5), "Alt+F4 closed the window during a run")
    app.focus()
    # Only an idle window answers F5 with the error box; so this also proves the run ended.
    length_zero_error(x, app)
    check(app.copy_all() in (SENTINEL, ""), "the list is not empty after a stopped run")


def save_through_dialog(x, app, tmp, passwords):
    target = os.path.join(tmp, "saved passwords.txt")
    x.key("ctrl+s")
    # Found by its Japanese title (the session runs in the C locale).
    dialog = x.window(app.pid, SAVE_TITLE, timeout=10)
    x.activate(dialog)
    x.type(target)
    x.key("Return")
    wait_until("the saved file", lambda: os.path.exists(target), 10)
    wait_until("the dialog to close", lambda: dialog not in x.windows(app.pid, "."), 5)
    app.focus()
    with open(target, "rb") as f:
        data = f.read()
    length = len(passwords[0])
    check(len(data) == len(passwords) * (length + 2),
          f"saved {len(data)} bytes, expected {len(passwords)} x ({length} + 2)")
    check(data == "".join(p + "\r\n" for p in passwords).encode("ascii"),
          "the saved file does not hold the listed passwords, one per CR LF line")


def keyboard_copy(x, app, passwords):
    """Select all leaves the focus in the list, where Ctrl+C copies what Edit > Copy does."""
    x.set_clipboard(SENTINEL)
    app.focus()
    x.key("alt+e", "a")
    x.key("ctrl+c")
    text = wait_until("Ctrl+C to fill the clipboard",
                      lambda: (lambda t: t if t != SENTINEL else None)(x.clipboard()), 5)
    check(text == "\r\n".join(passwords),
          f"Ctrl+C in the list copied {len(text.splitlines())} line(s), expected all "
          f"{len(passwords)} passwords")


def leave_geometry(x, app):
    x.quiet(["xdotool", "windowsize", "--sync", str(app.wid), "700", "460"])
    x.quiet(["xdotool", "windowmove", "--sync", str(app.wid), "90", "70"])
    wanted = (700, 460)
    wait_until("the window to take its new size",
               lambda: x.geometry(app.wid)[2:] == wanted, 5)
    return x.geometry(app.wid), x.frame_extents(app.wid)


def check_settings_file(appdir, left_geometry, frame):
    path = os.path.join(appdir, "keymill.ini")
    check(os.path.exists(path), "no keymill.ini beside the program after the end command")
    sections = read_settings(path)
    for section, keys in SETTINGS_KEYS.items():
        for key in keys:
            check(key in sections.get(section, {}), f"keymill.ini lacks [{section}] {key}")
    count = sum(len(v) for v in sections.values())
    check(count == 11, f"keymill.ini holds {count} keys, expected 11")
    add = sections["Add"]
    expected = {"Suji": "0", "AlhabetBig": "1", "AlphabetMini": "1", "AddChr": "0",
                "AddChrList": "", "DeleteChr": "1", "DeleteChrList": EXCLUDED}
    check(add == expected, f"[Add] holds {add}, expected {expected}")
    # Outer width in twips: the client width plus the frame, 15 twips a pixel.
    _, _, width, height = left_geometry
    fl, fr, ft, fb = frame
    stored = int(sections["Position"]["Width"]), int(sections["Position"]["Height"])
    check(stored == ((width + fl + fr) * 15, (height + ft + fb) * 15),
          f"stored size {stored} twips is not the window's outer size")


def second_start(x, program_path, appdir, left_geometry):
    app = Program(x, program_path, appdir)
    seen = []
    try:
        wait_until("the window at its stored place",
                   lambda: seen.append(x.geometry(app.wid)) or seen[-1] == left_geometry, 3)
        return app, None
    except CheckFailed:
        # Reported at the end; the later scenarios do not depend on the window's size.
        return app, f"the window opened at {seen[-1]} (x, y, width, height of its client " \
                    f"area), it was left at {left_geometry}"


def help_and_about(x, app):
    x.key("F1")
    x.window(app.pid, HELP_TITLE, timeout=10)
    app.focus()
    x.key("alt+h", "v")
    about = x.window(app.pid, ABOUT_TITLE, timeout=5)
    x.activate(about)
    x.key("Escape")
    wait_until("the About dialog to close",
               lambda: not x.windows(app.pid, "^" + ABOUT_TITLE + "$"), 5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--qch", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    started = time.monotonic()
    step = "setup"
    late_failures = []
    with tempfile.TemporaryDirectory(prefix="keymill-e2e-") as tmp:
        appdir = os.path.join(tmp, "app")
        os.makedirs(appdir)
        program = shutil.copy(args.program, appdir)
        shutil.copy(args.qch, appdir)
        home = os.path.join(tmp, "home")
        os.makedirs(home)
        with XSession(home) as x:
            try:
                step = "first_start"
                app = first_start(x, program, appdir)
                step = "generate_and_copy"
                choose_options(x, app)
                passwords = generate_and_copy(x, app, 12, 25)
                step = "save_through_dialog"
                save_through_dialog(x, app, tmp, passwords)
                step = "long_run_alt_f4_and_stop"
                long_run_alt_f4_and_stop(x, app)
                step = "end_command"
                left, frame = leave_geometry(x, app)
                app.end()
                check_settings_file(appdir, left, frame)
                step = "second_start"
                app, misplaced = second_start(x, program, appdir, left)
                if misplaced:
                    x.screenshot(os.path.join(args.out, step + ".png"))
                    late_failures.append(f"{step}: {misplaced}")
                passwords = generate_and_copy(x, app, 8, 30)
                step = "keyboard_copy"
                keyboard_copy(x, app, passwords)
                step = "help_and_about"
                help_and_about(x, app)
                step = "end_with_help_open"
                app.end()
            except CheckFailed as failure:
                shot = os.path.join(args.out, step + ".png")
                x.screenshot(shot)
                print(f"FAILED in {step}: {failure}\n(screenshot: {shot})", file=sys.stderr)
                return 1
    if late_failures:
        print("FAILED:\n" + "\n".join(late_failures), file=sys.stderr)
        return 1
    print(f"all scenarios passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
