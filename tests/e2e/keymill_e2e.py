#!/usr/bin/env python3
"""キーミル as a user meets it: the built program in its own X session, driven by keys and
the clipboard only.

usage: keymill_e2e.py --program build/keymill --qch build/keymill.qch --out DIR
A failed step leaves a screenshot DIR/<step>.png."""

import os
import re
import shutil
import string
import sys
import time

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
from xsession import (CheckFailed, driver_arguments, program_session, report_failure,
                      stays_false, wait_until)

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
            "DeleteChrList", "NoSimilar", "EachClass"],
}
# The look-alike characters that 「似た文字を除く」 leaves out.
LOOK_ALIKES = set("0Oo1lI|０Ｏｏ１ｌＩ｜〇ОоІіΟοΙⅠⅼǀ¦")


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
        # On a loaded machine the menu now and then opens after the "x" has gone by; close
        # whatever opened and ask once more.
        if stays_false(lambda: self.proc.poll() is not None, 4):
            self.x.key("Escape", "Escape")
            self.focus()
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
    # Back from the length past the two policy boxes to the excluded characters' box.
    x.key("alt+m", "shift+Tab", "shift+Tab", "shift+Tab", "space", "Tab")
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
    # Seconds of drawing however fast the machine is; the stop ends it long before.
    app.set_length_and_count(5000, 99999)
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
    check(count == 13, f"keymill.ini holds {count} keys, expected 13")
    add = sections["Add"]
    expected = {"Suji": "0", "AlhabetBig": "1", "AlphabetMini": "1", "AddChr": "0",
                "AddChrList": "", "DeleteChr": "1", "DeleteChrList": EXCLUDED,
                "NoSimilar": "0", "EachClass": "0"}
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


# A code page 932 file as a user keeps it: extra and excluded characters on, a note of the
# user's own, and a position that is no whole number of pixels.
CP932_INI_LINES = [
    "; 自分用のメモ", "[Position]", "Left=3001", "Top=2000", "Width=8903", "Height=5591",
    "[Add]", "Suji=1", "AlhabetBig=1", "AlphabetMini=1", "AddChr=1", "AddChrList=abc",
    "DeleteChr=1", "DeleteChrList=xyz", "NoSimilar=0", "EachClass=0", "[その他]", "メモ=値",
]
EMOJI = "\U0001F600\U0001F4BB"  # the second has a low half U+DCBB


def close_changes_nothing(x, program, appdir, path):
    """Starts the program and closes it untouched: the file keeps its bytes and time stamp."""
    before, stamp = open(path, "rb").read(), os.stat(path).st_mtime_ns
    app = Program(x, program, appdir)
    app.end()
    after = open(path, "rb").read()
    check(after == before, f"a close with nothing changed rewrote keymill.ini:\n{before!r}\n"
                           f"became\n{after!r}")
    check(os.stat(path).st_mtime_ns == stamp, "a close with nothing changed touched keymill.ini")


def paste_at_end(x, app, shift_tabs):
    """Focuses a free-text box, counted back from the length box, and pastes at its end."""
    app.focus()
    x.key("alt+m", *["shift+Tab"] * shift_tabs, "End", "ctrl+v")


def emoji_in_cp932_file(x, program, tmp):
    appdir = os.path.join(tmp, "cp932")
    os.makedirs(appdir)
    program = shutil.copy(program, appdir)
    path = os.path.join(appdir, "keymill.ini")
    # 4,096 NULs after the text, as a crash can leave: the text alone decides the encoding.
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in CP932_INI_LINES).encode("cp932") + bytes(4096))
    # Values all in the program's own form, positions in odd twips: nothing is written.
    close_changes_nothing(x, program, appdir, path)

    app = Program(x, program, appdir)
    x.set_clipboard(EMOJI)
    paste_at_end(x, app, 5)  # txtAddChr, back past the two policy boxes
    paste_at_end(x, app, 3)  # txtDeleteChr
    app.end()
    # The emoji needs UTF-8: the whole file is written so, with the mark on a line of its own,
    # and every key keeps its line and gets its own value.
    expected = [line.replace("abc", "abc" + EMOJI).replace("xyz", "xyz" + EMOJI)
                for line in CP932_INI_LINES]
    data = open(path, "rb").read()
    check(data.startswith(b"\xef\xbb\xbf"), f"keymill.ini is not UTF-8 with a mark: {data!r}")
    lines = data[3:].decode("utf-8").split("\r\n")
    check(lines == [""] + expected + [""],
          "keymill.ini after the pastes holds\n" + "\n".join(lines) + "\nexpected\n" +
          "\n".join(expected))
    # A file the program wrote itself: a close with nothing changed leaves it alone.
    close_changes_nothing(x, program, appdir, path)
    minimum_size_settles_in_one_close(x, program, appdir, path)


def big_paste(x, program, tmp):
    """10 MB pasted into 任意文字登録's box: it keeps 10,000 characters, says so, a run uses them."""
    appdir = os.path.join(tmp, "paste")
    os.makedirs(appdir)
    program = shutil.copy(program, appdir)
    with open(os.path.join(appdir, "keymill.ini"), "wb") as f:
        f.write(b"[Add]\r\nSuji=0\r\nAlhabetBig=0\r\nAlphabetMini=0\r\nAddChr=1\r\n")
    kept = "あいうえお漢字ＡＢＣ"
    app = Program(x, program, appdir)
    x.set_clipboard(kept * 1000 + "★" * 3_000_000)  # the stars lie beyond the limit
    paste_at_end(x, app, 4)  # txtDeleteChr is off, so one box fewer
    titled = lambda: len(x.windows(app.pid, "^" + TITLE + "$"))
    wait_until("the message about the cut paste", lambda: titled() == 2, 20)
    x.key("Return")
    wait_until("the message to close", lambda: titled() == 1, 5)
    app.focus()
    drawn = set(app.run_and_copy(16, 50).replace("\r\n", ""))
    check(drawn <= set(kept), f"the run drew {sorted(drawn - set(kept))} beyond the kept text")
    app.end()
    stored = read_settings(os.path.join(appdir, "keymill.ini"))["Add"]["AddChrList"]
    check(stored == kept * 1000, f"keymill.ini keeps {len(stored)} characters, not 10000")


def minimum_size_settles_in_one_close(x, program, appdir, path):
    """A size below the minimum is stored, at the first close, as the size the window has."""
    text = open(path, "rb").read().decode("utf-8-sig")
    for key, value in (("Left", "0"), ("Top", "0"), ("Width", "15"), ("Height", "600")):
        text = re.sub(rf"(?m)^{key}=.*$", f"{key}={value}", text, count=1)
    with open(path, "wb") as f:
        f.write(("\ufeff" + text).encode("utf-8"))
    app = Program(x, program, appdir)
    time.sleep(0.3)  # let the window manager frame it
    _, _, width, height = x.geometry(app.wid)
    fl, fr, ft, fb = x.frame_extents(app.wid)
    app.end()
    position = read_settings_utf8(path)["Position"]
    stored = int(position["Width"]), int(position["Height"])
    check(stored == ((width + fl + fr) * 15, (height + ft + fb) * 15),
          f"the first close stored {stored} twips for a window of {width}x{height} pixels "
          f"framed by {(fl, fr, ft, fb)}")
    close_changes_nothing(x, program, appdir, path)


def read_settings_utf8(path):
    sections, current = {}, None
    for line in open(path, "rb").read().decode("utf-8-sig").splitlines():
        if line.startswith("["):
            current = sections.setdefault(line.strip("[]"), {})
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key] = value
    return sections


def policies_from_settings(x, program_path, tmp):
    """NoSimilar=1 and EachClass=1 in keymill.ini: a 1,000 x 4 run holds no look-alike and every
    password a digit, an upper-case and a lower-case letter; length 2 is refused with the error
    box and no run; Alt+B and Alt+Y toggle the two boxes and the end command stores them."""
    appdir = os.path.join(tmp, "policies")
    os.makedirs(appdir)
    program = shutil.copy(program_path, appdir)
    ini = os.path.join(appdir, "keymill.ini")
    with open(ini, "wb") as f:
        f.write(b"[Add]\r\nSuji=1\r\nAlhabetBig=1\r\nAlphabetMini=1\r\nNoSimilar=1\r\n"
                b"EachClass=1\r\n")
    app = Program(x, program, appdir)
    text = app.run_and_copy(4, 1000)
    lines = text.split("\r\n")
    check(len(lines) == 1000, f"{len(lines)} passwords, expected 1000")
    for line in lines:
        check(len(line) == 4, f"password {line!r} is not 4 characters long")
        check(not set(line) & LOOK_ALIKES, f"password {line!r} holds a look-alike")
        check(any(c.isdigit() for c in line) and any(c.isupper() for c in line)
              and any(c.islower() for c in line),
              f"password {line!r} lacks a digit, an upper-case or a lower-case letter")

    app.set_length_and_count(2, 5)
    x.key("F5")
    app.error_box_and_enter()
    check(app.copy_all() == text, "the refused run changed the list")

    x.key("alt+b")
    time.sleep(0.2)  # the access key clicks the box after its 100 ms press animation
    x.key("alt+y")
    time.sleep(0.2)
    app.end()
    add = read_settings(ini)["Add"]
    check(add.get("NoSimilar") == "0" and add.get("EachClass") == "0",
          f"after Alt+B and Alt+Y keymill.ini holds NoSimilar={add.get('NoSimilar')} "
          f"EachClass={add.get('EachClass')}, expected 0 and 0")


def main():
    args = driver_arguments().parse_args()
    started = time.monotonic()
    step = "setup"
    late_failures = []
    with program_session(args, "keymill-e2e-") as (x, program, appdir, tmp):
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
            step = "policies_from_settings"
            policies_from_settings(x, program, tmp)
            step = "emoji_in_cp932_file"
            emoji_in_cp932_file(x, program, tmp)
            step = "big_paste"
            big_paste(x, program, tmp)
        except CheckFailed as failure:
            return report_failure(x, args.out, step, failure)
    if late_failures:
        print("FAILED:\n" + "\n".join(late_failures), file=sys.stderr)
        return 1
    print(f"all scenarios passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
