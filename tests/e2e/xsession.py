"""A private X session (Xvfb + openbox) and the few X operations the end-to-end checks need.

Everything reaches the program from outside: keys through xdotool, text through the clipboard
(xclip), windows found by the program's pid and their titles. Waits are bounded polls."""

import argparse
import contextlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

STEP = 0.05  # seconds between two looks at the screen


class CheckFailed(Exception):
    pass


def wait_until(what, probe, timeout):
    """Polls probe() every STEP until it returns something truthy; raises after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise CheckFailed(f"timed out after {timeout} s waiting for {what}")
        time.sleep(STEP)


def stays_false(probe, duration):
    """True if probe() stays falsy for the whole duration."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        if probe():
            return False
        time.sleep(STEP)
    return not probe()


def require_tools(*names):
    missing = [n for n in names if shutil.which(n) is None]
    if missing:
        raise CheckFailed("missing tools (scripts/install-deps.sh installs them): "
                          + " ".join(missing))


class XSession:
    """Xvfb on a free display with openbox as the window manager."""

    def __init__(self, home):
        require_tools("Xvfb", "openbox", "xdotool", "xclip", "xdpyinfo", "xprop", "xwininfo")
        self.home = home
        self.procs = []
        self.env = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(xvfb)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.__exit__(None, None, None)
            raise CheckFailed("Xvfb did not report a display")
        self.env = dict(os.environ)
        for var in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "SESSION_MANAGER"):
            self.env.pop(var, None)
        self.env.update({
            "DISPLAY": ":" + number.decode(),
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_RUNTIME_DIR": self.home,
            "QT_QPA_PLATFORM": "xcb",
            "LANG": "C.UTF-8",
        })
        wait_until("the X server", lambda: self.quiet(["xdpyinfo"]), 10)
        self.start_window_manager()
        return self

    def start_window_manager(self):
        """openbox now and then gives up while a loaded machine starts it: start it again."""
        log = os.path.join(self.home, "openbox.log")
        for attempt in range(3):
            with open(log, "ab") as out:
                openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                           stdout=out, stderr=out)
            self.procs.append(openbox)
            ready = lambda: b"window id" in self.output(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"])
            deadline = time.monotonic() + 20
            while openbox.poll() is None and time.monotonic() < deadline:
                if ready():
                    return
                time.sleep(STEP)
            if ready():
                return
            if openbox.poll() is None:
                openbox.terminate()
                openbox.wait()
            print(f"openbox did not come up (attempt {attempt + 1}); its log: {log}")
        raise CheckFailed("timed out waiting for the window manager (3 attempts)")

    def __exit__(self, *exc):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        return False

    # --- running X clients -------------------------------------------------------------
    def quiet(self, args):
        return subprocess.run(args, env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=20).returncode == 0

    def output(self, args):
        r = subprocess.run(args, env=self.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=20)
        return r.stdout

    def start(self, program, cwd):
        p = subprocess.Popen([program], cwd=cwd, env=self.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.procs.append(p)
        return p

    # --- keys and text -----------------------------------------------------------------
    def key(self, *keys):
        if not self.quiet(["xdotool", "key", "--delay", "30", *keys]):
            raise CheckFailed("xdotool key failed: " + " ".join(keys))

    def type(self, text):
        # ASCII only: xdotool drops characters of other scripts.
        assert text.isascii()
        if not self.quiet(["xdotool", "type", "--delay", "20", text]):
            raise CheckFailed("xdotool type failed: " + text)

    def set_clipboard(self, text):
        # xclip keeps serving the selection until another client takes it over.
        p = subprocess.Popen(["xclip", "-selection", "clipboard", "-i", "-quiet"],
                             stdin=subprocess.PIPE, env=self.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        p.stdin.write(text.encode())
        p.stdin.close()
        self.procs.append(p)
        wait_until("the clipboard to take the text", lambda: self.clipboard() == text, 5)

    def clipboard(self):
        r = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=5)
        if r.returncode != 0:
            return None
        return r.stdout.decode("utf-8", "replace")

    # --- windows -----------------------------------------------------------------------
    def windows(self, pid, title_regex):
        out = self.output(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                           "--name", title_regex])
        return [int(w) for w in out.split()]

    def window(self, pid, title, timeout=10):
        regex = "^" + re.escape(title) + "$"
        found = wait_until(f'a window titled "{title}"', lambda: self.windows(pid, regex),
                           timeout)
        return found[0]

    def activate(self, wid):
        self.quiet(["xdotool", "windowactivate", "--sync", str(wid)])

    def active_window(self):
        out = self.output(["xdotool", "getactivewindow"]).strip()
        return int(out) if out else None

    def focus(self, wid):
        """Gives wid the keyboard focus again, as a dialog that closes may leave it nowhere."""
        if stays_false(lambda: self.active_window() == wid, 0.3):
            self.activate(wid)
            wait_until("the window to take the focus", lambda: self.active_window() == wid, 3)

    def geometry(self, wid):
        """(x, y, width, height) of the window's client area on the screen."""
        out = self.output(["xdotool", "getwindowgeometry", "--shell", str(wid)]).decode()
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def frame_rect(self, wid):
        """(left, top, right, bottom) of wid with its frame, on the screen. xwininfo, not
        xdotool: xdotool counts the frame's offset twice in a reparenting window manager."""
        out = self.output(["xwininfo", "-id", str(wid)]).decode()
        value = lambda label: int(re.search(label + r":\s+(-?\d+)", out).group(1))
        x, y = value("Absolute upper-left X"), value("Absolute upper-left Y")
        left, right, top, bottom = self.frame_extents(wid)
        return (x - left, y - top, x + value("Width") + right, y + value("Height") + bottom)

    def frame_extents(self, wid):
        """(left, right, top, bottom) of the frame the window manager draws around wid."""
        out = self.output(["xprop", "-id", str(wid), "_NET_FRAME_EXTENTS"]).decode()
        numbers = re.findall(r"\d+", out.split("=", 1)[-1]) if "=" in out else []
        return tuple(int(n) for n in numbers) if len(numbers) == 4 else (0, 0, 0, 0)

    def screenshot(self, path):
        if shutil.which("import"):
            self.quiet(["import", "-window", "root", path])


def driver_arguments():
    """The arguments every driver takes: the built program, its help file, where failures go."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--qch", required=True)
    parser.add_argument("--out", required=True)
    return parser


@contextlib.contextmanager
def program_session(args, prefix):
    """A copy of the program and its help file in a private folder, and a private X session
    with a home of its own: yields (session, program, the program's folder, the private folder)."""
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory(prefix=prefix) as tmp:
        appdir = os.path.join(tmp, "app")
        home = os.path.join(tmp, "home")
        os.makedirs(appdir)
        os.makedirs(home)
        program = shutil.copy(args.program, appdir)
        shutil.copy(args.qch, appdir)
        with XSession(home) as x:
            yield x, program, appdir, tmp


def report_failure(x, out, step, failure):
    """A screenshot of the screen as the step left it, and the failure on standard error."""
    shot = os.path.join(out, step + ".png")
    x.screenshot(shot)
    print(f"FAILED in {step}: {failure}\n(screenshot: {shot})", file=sys.stderr)
    return 1
