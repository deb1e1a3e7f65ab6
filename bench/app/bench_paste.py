#!/usr/bin/env python3
"""A big paste into a free-text box of the real window, seen from outside: how long the paste
takes, then for each key press and a Tab the time until the window shows a change and the
processor time it spent, and the idle window's processor time with the caret in the box and
elsewhere. Prints a table; never fails.

usage: bench_paste.py --program build/keymill [--megabytes 10] [--box add|delete]
Run it under dbus-run-session with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 to include the
accessibility bridge."""

import argparse
import ctypes
import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))
from xsession import CheckFailed, XSession, wait_until  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")
# Mixed text as a user copies it: ASCII, kana, kanji, full-width letters, an emoji.
LINE = "Kq7#xZ2m!pW9 あいうえお漢字テスト ＡＢＣ１２３ 😀 ß→€\n"


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def wait_idle(pid, quiet=0.3, timeout=600):
    """Until the window has used no processor time for `quiet` seconds (or `timeout` seconds
    have passed); returns when it last used some."""
    last = cpu_seconds(pid)
    changed = quiet_since = began = time.monotonic()
    while time.monotonic() - quiet_since < quiet:
        if time.monotonic() - began > timeout:
            break
        time.sleep(0.02)
        now = cpu_seconds(pid)
        if now != last:
            last = now
            changed = quiet_since = time.monotonic()
    return changed


class Screen:
    """Reads the window's pixels and sends keys through the X test extension, without a
    process per step."""

    class Image(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                    ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                    ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                    ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                    ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                    ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]

    def __init__(self, display, wid, size):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XGetImage.restype = ctypes.POINTER(Screen.Image)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        self.wid = wid
        self.size = size

    def pixels(self):
        image = self.x11.XGetImage(self.dpy, self.wid, 0, 0, self.size[0], self.size[1],
                                   0xFFFFFFFF, 2)
        data = ctypes.string_at(image.contents.data,
                                image.contents.bytes_per_line * image.contents.height)
        self.x11.XFree(image.contents.data)
        self.x11.XFree(image)
        return data

    def key(self, name):
        code = self.x11.XKeysymToKeycode(self.dpy, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        self.x11.XFlush(self.dpy)


def answer(screen, pid, key):
    """Presses `key`; returns (seconds to a visible change or None, processor seconds in the
    half second after the press). The caret blinks every half second and a key shows it again:
    the key is pressed right after a blink, so a change within 0.45 s is the key's."""
    wait_idle(pid, quiet=0.2, timeout=5)
    before = screen.pixels()
    blink = time.monotonic()
    while time.monotonic() - blink < 1.2:
        now = screen.pixels()
        if now != before:
            before = now
            break
    cpu = cpu_seconds(pid)
    start = time.monotonic()
    screen.key(key)
    seen = None
    while seen is None and time.monotonic() - start < 0.45:
        if screen.pixels() != before:
            seen = time.monotonic() - start
    time.sleep(max(0.0, start + 0.5 - time.monotonic()))
    return seen, cpu_seconds(pid) - cpu


def idle_cpu(pid, seconds=5.0):
    start = cpu_seconds(pid)
    time.sleep(seconds)
    return (cpu_seconds(pid) - start) / seconds


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--megabytes", type=float, default=10)
    parser.add_argument("--box", choices=("add", "delete"), default="add")
    args = parser.parse_args()
    text = LINE * int(args.megabytes * 1e6 / len(LINE.encode()))
    with tempfile.TemporaryDirectory(prefix="keymill-paste-") as tmp:
        appdir = os.path.join(tmp, "app")
        home = os.path.join(tmp, "home")
        os.makedirs(appdir)
        os.makedirs(home)
        program = shutil.copy(args.program, appdir)
        with open(os.path.join(appdir, "keymill.ini"), "wb") as ini:
            ini.write(b"[Add]\r\nAddChr=1\r\nDeleteChr=1\r\n")
        try:
            with XSession(home) as x:
                proc = x.start(program, appdir)
                wid = x.window(proc.pid, "キーミル", timeout=15)
                x.activate(wid)
                wait_idle(proc.pid)
                screen = Screen(x.env["DISPLAY"], wid, x.geometry(wid)[2:])
                back = 5 if args.box == "add" else 3
                x.key("alt+m", *["shift+Tab"] * back)
                wait_idle(proc.pid)
                empty_idle = idle_cpu(proc.pid)
                x.set_clipboard(text)
                cpu = cpu_seconds(proc.pid)
                start = time.monotonic()
                x.key("ctrl+v")
                done = wait_idle(proc.pid, timeout=180)
                busy = " (still busy)" if done - start >= 180 else ""
                print(f"paste of {len(text.encode()) / 1e6:.1f} MB ({len(text)} characters) "
                      f"into the {args.box} box: {done - start:.2f} s{busy}, "
                      f"{cpu_seconds(proc.pid) - cpu:.2f} s of processor time", flush=True)
                if len(x.windows(proc.pid, "^キーミル$")) > 1:
                    # The message that the paste was cut: Return closes it.
                    x.key("Return")
                    wait_until("the message to close",
                               lambda: len(x.windows(proc.pid, "^キーミル$")) == 1, 10)
                    x.activate(wid)
                    print("the box said that it kept the first part", flush=True)
                print(f"{'key':>10} {'visible s':>10} {'cpu s':>8}")
                for key in ("a", "b", "BackSpace", "Left", "End", "Tab"):
                    seen, used = answer(screen, proc.pid, key)
                    shown = f"{seen:10.3f}" if seen is not None else f"{'none':>10}"
                    print(f"{key:>10} {shown} {used:8.3f}", flush=True)
                elsewhere = idle_cpu(proc.pid)
                x.key("shift+Tab")
                blinking = idle_cpu(proc.pid)
                time.sleep(6)  # the caret stops blinking ten seconds after the last input
                in_box = idle_cpu(proc.pid)
                print(f"idle processor share: caret in the empty box {empty_idle:.3f}, "
                      f"in the filled box {blinking:.3f} (first 5 s), {in_box:.3f} (11-16 s), "
                      f"elsewhere {elsewhere:.3f}")
        except CheckFailed as failure:
            print(f"bench_paste: {failure}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
